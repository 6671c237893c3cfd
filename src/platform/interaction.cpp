#include "platform/interaction.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

Interaction*& current()
{
    static Interaction* c = nullptr;
    return c;
}

}  // namespace

void QtInteraction::showModal(QDialog& dialog)
{
    dialog.exec();
}

QMessageBox::StandardButton QtInteraction::msgBox(const QString& text, QMessageBox::StandardButtons buttons,
                                                  const QString& title, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title.isEmpty() ? applicationTitle() : title, text, buttons);
    if (defaultButton != QMessageBox::NoButton) {
        box.setDefaultButton(defaultButton);
        box.setEscapeButton(defaultButton);
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtInteraction::openFileName(const QString& title, const QString& startFolder, const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startFolder, filter);
}

void QtInteraction::openExternally(const QString& pathOrUrl)
{
    // A local page may name a section after "#": the file is the part before it.
    QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
    const qsizetype hash = pathOrUrl.lastIndexOf(QLatin1Char('#'));
    if (!QFileInfo::exists(pathOrUrl) && hash > 0 && QFileInfo::exists(pathOrUrl.left(hash))) {
        url = QUrl::fromLocalFile(pathOrUrl.left(hash));
        url.setFragment(pathOrUrl.mid(hash + 1));
    }
    QDesktopServices::openUrl(url);
}

Interaction& interaction()
{
    static QtInteraction desktop;
    return current() ? *current() : desktop;
}

void setInteraction(Interaction* c)
{
    current() = c;
}

QString applicationTitle()
{
    return QStringLiteral("Scorvana Benchdeck");
}

}  // namespace platform
