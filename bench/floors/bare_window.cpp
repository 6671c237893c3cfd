// The start-up bench's floor: a bare Qt window, linked with Qt Widgets
// alone, showing a picture scaled to a size, as the board shows its
// ballpark. Arguments: the picture's file, width, height.
#include "paint_watch.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

namespace {

class Picture : public QWidget {
public:
    explicit Picture(QString file) : file_(std::move(file)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (shown_.size() != size())
            shown_ = QImage(file_).scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QPainter(this).drawImage(0, 0, shown_);
    }

private:
    QString file_;
    QImage shown_;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4)
        return 2;
    Picture window(args[1]);
    window.resize(args[2].toInt(), args[3].toInt());
    PaintWatch watch(&window, "bare window");
    window.show();
    return app.exec();
}
