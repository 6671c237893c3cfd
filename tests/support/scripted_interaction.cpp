#include "support/scripted_interaction.h"

#include <QDialog>
#include <algorithm>
#include <gtest/gtest.h>

ScriptedInteraction::ScriptedInteraction()
{
    platform::setInteraction(this);
}

ScriptedInteraction::~ScriptedInteraction()
{
    platform::setInteraction(nullptr);
}

void ScriptedInteraction::whileModal(const QString& objectName, std::function<void(QDialog&)> action)
{
    modalActions.emplace_back(objectName, std::move(action));
}

QStringList ScriptedInteraction::notices() const
{
    QStringList out;
    for (const auto& p : prompts)
        if (p.kind == Prompt::Modal && p.objectName == QLatin1String("CustMsgBox"))
            out << p.text;
    return out;
}

QStringList ScriptedInteraction::messages() const
{
    QStringList out;
    for (const auto& p : prompts)
        if (p.kind == Prompt::MsgBox)
            out << p.text;
    return out;
}

QStringList ScriptedInteraction::programErrors() const
{
    QStringList out;
    for (const auto& p : prompts)
        if (p.kind == Prompt::MsgBox && p.title == QLatin1String("Program Error"))
            out << p.text;
    return out;
}

void ScriptedInteraction::showModal(QDialog& dialog)
{
    Prompt p;
    p.kind = Prompt::Modal;
    p.text = dialog.property("noticeText").toString();
    p.title = dialog.windowTitle();
    p.objectName = dialog.objectName();
    prompts.push_back(p);
    dialog.setModal(true);
    dialog.show();
    for (auto it = modalActions.begin(); it != modalActions.end(); ++it) {
        if (it->first == dialog.objectName()) {
            auto action = std::move(it->second);
            modalActions.erase(it);
            action(dialog);
            break;
        }
    }
    // Closing goes through the window's own close handling (some windows
    // only hide, as the notice box does).
    if (dialog.isVisible())
        dialog.close();
}

QMessageBox::StandardButton ScriptedInteraction::msgBox(const QString& text, QMessageBox::StandardButtons buttons,
                                                        const QString& title, QMessageBox::Icon icon,
                                                        QMessageBox::StandardButton defaultButton)
{
    Prompt p;
    p.kind = Prompt::MsgBox;
    p.text = text;
    p.title = title;
    p.buttons = buttons;
    p.icon = icon;
    p.defaultButton = defaultButton;
    prompts.push_back(p);
    if (!msgAnswers.empty()) {
        const auto b = msgAnswers.front();
        msgAnswers.pop_front();
        return b;
    }
    if (icon == QMessageBox::Critical || icon == QMessageBox::Warning)
        unansweredAlarms.push_back(p);
    if (autoAcknowledgeOkBoxes && (buttons == QMessageBox::Ok || buttons == QMessageBox::NoButton))
        return QMessageBox::Ok;
    ADD_FAILURE() << "Unexpected message box: [" << title.toStdString() << "] " << text.toStdString();
    return defaultButton != QMessageBox::NoButton ? defaultButton : QMessageBox::No;
}

QStringList ScriptedInteraction::unexpectedAlarms() const
{
    QStringList out;
    for (const auto& p : unansweredAlarms) {
        const bool declared = std::any_of(expectedAlarms.begin(), expectedAlarms.end(),
                                          [&p](const QString& part) { return p.text.contains(part); });
        if (!declared)
            out << QStringLiteral("[%1] %2").arg(p.title, p.text);
    }
    return out;
}

void ScriptedInteraction::failOnUnexpectedAlarms() const
{
    for (const QString& alarm : unexpectedAlarms())
        ADD_FAILURE() << "The test ended with a box it did not expect: " << alarm.toStdString();
}

QString ScriptedInteraction::openFileName(const QString& title, const QString& startFolder, const QString& filter)
{
    lastOpenTitle = title;
    lastOpenFolder = startFolder;
    lastOpenFilter = filter;
    Prompt p;
    p.kind = Prompt::OpenFile;
    p.title = title;
    prompts.push_back(p);
    if (fileAnswers.empty()) {
        ADD_FAILURE() << "Unexpected open-file dialog: " << title.toStdString();
        return QString();
    }
    const QString f = fileAnswers.front();
    fileAnswers.pop_front();
    return f;
}

void ScriptedInteraction::openExternally(const QString& pathOrUrl)
{
    Prompt p;
    p.kind = Prompt::External;
    p.text = pathOrUrl;
    prompts.push_back(p);
}

void ScriptedInteraction::openWithDesktop(const QString& path, std::function<void(bool handed)> ended)
{
    openExternally(path);
    if (runDesktopOpener)
        platform::QtInteraction().openWithDesktop(path, [count = openersEnded_, ended = std::move(ended)](bool handed) {
            ended(handed);
            ++*count;
        });
}

bool ScriptedInteraction::hasDefaultProgram(const QString& mimeType)
{
    programTypesAsked << mimeType;
    return desktopHasPrograms;
}
