#pragma once
// The interaction seam for tests: records every notice, message box and
// modal window in order, answers prompts from a queue, and fails the test on
// a prompt it was not told to expect, so no test ever blocks.
#include "platform/interaction.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

struct Prompt {
    enum Kind { Modal, MsgBox, OpenFile, External } kind = Modal;
    QString text;   // notice or message text; a modal window's text property or title
    QString title;  // window title or message box title
    QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString objectName;  // modal windows
};

class ScriptedInteraction : public platform::Interaction {
public:
    ScriptedInteraction();
    ~ScriptedInteraction() override;

    // Answers, consumed in order.
    void answerMsgBox(QMessageBox::StandardButton b) { msgAnswers.push_back(b); }
    void answerOpenFile(const QString& path) { fileAnswers.push_back(path); }
    // What to do with the next modal window of that object name while it is
    // "shown" (it is visible during the call); afterwards it is hidden.
    void whileModal(const QString& objectName, std::function<void(QDialog&)> action);

    // Message boxes that are not answered from the queue: when true, Ok or
    // the default button is pressed for a one-button box (e.g. "Program Error"),
    // otherwise the test fails.
    bool autoAcknowledgeOkBoxes = true;

    std::vector<Prompt> prompts;
    // The texts of notices (CustMsgBox) in order.
    QStringList notices() const;
    // Message box texts in order.
    QStringList messages() const;
    // "Program Error" boxes shown.
    QStringList programErrors() const;
    void clear() { prompts.clear(); }

    // A critical or warning box is an alarm: a test that ends with one it
    // did not answer from the queue or declare here fails, naming its text.
    // Declares every alarm, shown before or after, whose text holds `part`.
    void expectAlarm(const QString& part) { expectedAlarms << part; }
    // "[title] text" of each alarm that nothing declared; clear() keeps them.
    QStringList unexpectedAlarms() const;
    // Fails the running test for each of them.
    void failOnUnexpectedAlarms() const;

    void showModal(QDialog& dialog) override;
    QMessageBox::StandardButton msgBox(const QString& text, QMessageBox::StandardButtons buttons,
                                       const QString& title, QMessageBox::Icon icon,
                                       QMessageBox::StandardButton defaultButton) override;
    QString openFileName(const QString& title, const QString& startFolder, const QString& filter) override;
    void openExternally(const QString& pathOrUrl) override;
    // Recorded as an External prompt, and the file counts as opened; with
    // runDesktopOpener the desktop's real opener runs (xdg-open on PATH).
    bool runDesktopOpener = false;
    void openWithDesktop(const QString& path, std::function<void(bool handed)> ended) override;
    // How many of those real openers have ended (and their ending was handled).
    int openersEnded() const { return *openersEnded_; }

    // The desktop's answer whether it has a program for a file type, and the
    // types asked about, in order.
    bool desktopHasPrograms = true;
    QStringList programTypesAsked;
    bool hasDefaultProgram(const QString& mimeType) override;

    QString lastOpenTitle, lastOpenFolder, lastOpenFilter;

private:
    // Shared with the openers' endings, which may come after this is gone.
    std::shared_ptr<int> openersEnded_ = std::make_shared<int>(0);
    std::deque<QMessageBox::StandardButton> msgAnswers;
    QStringList expectedAlarms;
    std::vector<Prompt> unansweredAlarms;
    std::deque<QString> fileAnswers;
    std::vector<std::pair<QString, std::function<void(QDialog&)>>> modalActions;
};
