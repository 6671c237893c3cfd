#include "presentation/form3.h"

#include "platform/twips.h"
#include "presentation/photos.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>

Form3::Form3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    WebBrowser1 = new QScrollArea(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->move(twips::toPx(30), 0);
    picture = new QLabel;
    picture->setObjectName(QStringLiteral("picture"));
    // The file's path is shown when the picture is missing: never as markup.
    picture->setTextFormat(Qt::PlainText);
    picture->setAlignment(Qt::AlignCenter);
    WebBrowser1->setWidget(picture);
    WebBrowser1->setAlignment(Qt::AlignCenter);
}

void Form3::Form_Load(const QWidget& board)
{
    // The viewer has the board's window frame; before it is shown its own
    // frame is not known yet, so the board's tells the client size.
    const QRect outer = board.frameGeometry();
    const QRect inner = board.geometry();
    const QSize frame = outer.size() - inner.size();
    outer_ = QSize(outer.width(), outer.height() - twips::toPx(500));
    resize(outer_ - frame);
    move(outer.topLeft());
}

void Form3::FitBrowser()
{
    WebBrowser1->resize(outer_.width() - twips::toPx(250), outer_.height() - twips::toPx(500));
}

void Form3::Navigate(const QString& path)
{
    const QPixmap chart = photos::loadPicture(path);
    if (!chart.isNull()) {
        picture->setPixmap(chart);
        picture->adjustSize();
        return;
    }
    const QString name = QFileInfo(path).fileName();
    picture->setText(QFileInfo::exists(path) ? QStringLiteral("The chart picture %1 cannot be shown.").arg(name)
                                             : QStringLiteral("No chart picture %1 in the Charts folder.").arg(name));
    // The text is centred in the whole view rather than in a label of its own size.
    WebBrowser1->setWidgetResizable(true);
}
