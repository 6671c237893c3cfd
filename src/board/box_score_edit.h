#pragma once
#include <QLineEdit>

// A line-score box: a text box that carries its completed mark and paints
// yellow (completed) or grey from it.
class BoxScoreEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit BoxScoreEdit(QWidget* parent = nullptr);
    bool completed() const { return completed_; }
    void setCompleted(bool on);
    // The background colour as &H00BBGGRR.
    unsigned backColor() const;

signals:
    // Focus taken by the user's click or tab (not by re-activating the window).
    void GotFocus();
    void DblClick();

protected:
    void focusInEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void applyLook();
    bool completed_ = false;
};
