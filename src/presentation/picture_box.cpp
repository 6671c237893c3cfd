#include "presentation/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : ClickLabel(parent) {}

void PictureBox::setPicture(const QPixmap& p)
{
    picture_ = p;
    update();
}

void PictureBox::clearPicture()
{
    picture_ = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent* e)
{
    if (picture_.isNull()) {
        ClickLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.drawPixmap(rect(), picture_);
}
