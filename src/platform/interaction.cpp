#include "platform/interaction.h"

#include "platform/guarded.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QProcess>
#include <QUrl>
#include <algorithm>
#include <memory>

namespace platform {
namespace {

Interaction*& current()
{
    static Interaction* c = nullptr;
    return c;
}

// A message box wraps its text at a width of its own choosing, which broke
// the exit question inside 'SAVE TO DB': each line of the text shows whole,
// as long as the screen is wide enough.
void keepLinesWhole(QMessageBox& box, const QString& text)
{
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    int limit = widest;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The box itself never grows past this width (Qt's own rule), so a
        // label any wider would be cut at the right instead of wrapped; the
        // icon and the margins take their share of it.
        const int screenWidth = screen->availableGeometry().width();
        const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
        limit = std::min(widest, boxLimit - 160);
    }
    label->setMinimumWidth(limit + label->margin() * 2 + 2);
}

// A local page may name a section after "#": the file is the part before
// it, unless the whole names a file. The position of that "#", or -1.
qsizetype sectionMark(const QString& path)
{
    const qsizetype hash = path.lastIndexOf(QLatin1Char('#'));
    return hash > 0 && !QFileInfo::exists(path) ? hash : -1;
}

// A local file, or a section of one, as the address the desktop opens;
// anything else (a web address) as it is.
QUrl desktopAddress(const QString& pathOrUrl)
{
    const qsizetype hash = sectionMark(pathOrUrl);
    const QString file = hash < 0 ? pathOrUrl : pathOrUrl.left(hash);
    if (!QFileInfo::exists(file))
        return QUrl(pathOrUrl);
    QUrl url = QUrl::fromLocalFile(file);
    if (hash >= 0)
        url.setFragment(pathOrUrl.mid(hash + 1));
    return url;
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
    // Names and paths in a message are never markup.
    box.setTextFormat(Qt::PlainText);
    keepLinesWhole(box, text);
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
    QDesktopServices::openUrl(desktopAddress(pathOrUrl));
}

void QtInteraction::openWithDesktop(const QString& path, std::function<void(bool handed)> ended)
{
    // Where the desktop has no launcher service, xdg-open waits for the
    // program it starts: the opener gets no parent, so closing a window does
    // not end it, and no pipes, which that program would fill unread.
    auto* opener = new QProcess;
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    const auto report = std::make_shared<std::function<void(bool)>>(std::move(ended));
    QObject::connect(opener, &QProcess::finished, opener, [opener, report](int code, QProcess::ExitStatus status) {
        opener->deleteLater();
        (*report)(status == QProcess::NormalExit && code == 0);
    });
    // A crash ends in finished as well; only a failed start does not.
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, report](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        opener->deleteLater();
        (*report)(false);
    });
    // A section travels only in a file address; a plain file goes by its
    // path, which xdg-open takes whatever characters it holds.
    const QUrl address = desktopAddress(path);
    const bool section = address.isLocalFile() && address.hasFragment();
    opener->start(QStringLiteral("xdg-open"), {section ? address.toString(QUrl::FullyEncoded) : path});
}

bool QtInteraction::hasDefaultProgram(const QString& mimeType)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    // Asked on the board's thread: a tool that does not answer at once
    // counts as no program rather than freezing the window.
    if (!query.waitForFinished(1000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
        && !query.readAllStandardOutput().trimmed().isEmpty();
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

void handToDesktop(const QString& path, const QString& notOpened)
{
    const qsizetype hash = sectionMark(path);
    const QString file = QFileInfo(hash < 0 ? path : path.left(hash)).absoluteFilePath();
    interaction().openWithDesktop(path, [file, notOpened](bool handed) {
        if (!handed)
            guarded([&] {
                interaction().msgBox(notOpened + file, QMessageBox::Ok, applicationTitle(), QMessageBox::Warning);
            });
    });
}

QString applicationTitle()
{
    return QStringLiteral("Scorvana Benchdeck");
}

}  // namespace platform
