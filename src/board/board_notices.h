#pragma once
// The notices of the board: the box that acknowledges each play. The board
// owns one and hands it to whatever shows a notice.
#include <QPointer>
#include <memory>

class CustMsgBox;
class QString;
class QWidget;

namespace board {

class Notices {
public:
    // Notices are centred over the board window.
    explicit Notices(QWidget* board);
    ~Notices();
    Notices(const Notices&) = delete;
    Notices& operator=(const Notices&) = delete;

    // Shows the text modally and returns when it is acknowledged.
    void show(const QString& text);

private:
    QPointer<QWidget> board_;
    // One window serves every notice of the run; a notice raised while it
    // is open gets a window of its own.
    std::unique_ptr<CustMsgBox> box_;
};

}  // namespace board
