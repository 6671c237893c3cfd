#pragma once
// The notice box that acknowledges each play, the never-shown second notice
// window, and the event-log window.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class CustMsgBox : public QDialog {
    Q_OBJECT
public:
    explicit CustMsgBox(QWidget* parent = nullptr, bool second = false);
    QLabel* Label1 = nullptr;
    QPushButton* cmd_YES = nullptr;
    QPushButton* cmd_NO = nullptr;
    void setMessage(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    // Closing only hides: the box keeps its native window for the next notice.
    void closeEvent(QCloseEvent* e) override;
};

class Options : public QDialog {
    Q_OBJECT
public:
    explicit Options(QWidget* parent = nullptr);
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QString text() const;
    void append(const QString& s);

protected:
    // Closing only hides: the log lasts for the whole run.
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
};
