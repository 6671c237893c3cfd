#pragma once
// The one way the program shows a window modally, asks in a message box,
// picks a file and hands a file or address to the desktop. Tests install a
// scripted implementation so that no test ever blocks on a prompt.
#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;

namespace platform {

class Interaction {
public:
    virtual ~Interaction() = default;
    // Returns when the window has been closed (or hidden).
    virtual void showModal(QDialog& dialog) = 0;
    virtual QMessageBox::StandardButton msgBox(const QString& text, QMessageBox::StandardButtons buttons,
                                               const QString& title, QMessageBox::Icon icon,
                                               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
        = 0;
    // "" on cancel.
    virtual QString openFileName(const QString& title, const QString& startFolder, const QString& filter) = 0;
    virtual void openExternally(const QString& pathOrUrl) = 0;
    // Hands a file, or a section of a local page (its path, "#" and the
    // section), to the desktop's opener and returns at once; ended runs
    // later, on this thread, with whether the opener took the file (false
    // when it could not start or ended in failure).
    virtual void openWithDesktop(const QString& path, std::function<void(bool handed)> ended) = 0;
    // Whether the desktop has a program that opens files of this MIME type.
    virtual bool hasDefaultProgram(const QString& mimeType) = 0;
};

// The desktop implementation over Qt's dialogs and xdg-open.
class QtInteraction : public Interaction {
public:
    void showModal(QDialog& dialog) override;
    QMessageBox::StandardButton msgBox(const QString& text, QMessageBox::StandardButtons buttons,
                                       const QString& title, QMessageBox::Icon icon,
                                       QMessageBox::StandardButton defaultButton) override;
    QString openFileName(const QString& title, const QString& startFolder, const QString& filter) override;
    void openExternally(const QString& pathOrUrl) override;
    // Runs xdg-open as found on PATH.
    void openWithDesktop(const QString& path, std::function<void(bool handed)> ended) override;
    // Asks `xdg-mime query default`; a desktop without the tool has none.
    bool hasDefaultProgram(const QString& mimeType) override;
};

Interaction& interaction();
// Hands a file, or a section of a local page (".../HELP.htm#about"), to the
// desktop's opener. Where the desktop cannot open it, a warning box says
// notOpened followed by the file's full path, so the user can open it
// himself: by then the window that asked may be gone.
void handToDesktop(const QString& path, const QString& notOpened);
// Takes no ownership; nullptr restores the desktop implementation.
void setInteraction(Interaction* current);

// The title of message boxes that have none of their own.
QString applicationTitle();

}  // namespace platform
