#pragma once
#include "platform/events.h"

#include <QPixmap>

// A runner piece's picture box: shows a photo stretched over the whole box.
class PictureBox : public ClickLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    bool hasPicture() const { return !picture_.isNull(); }
    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& p);
    void clearPicture();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap picture_;
};
