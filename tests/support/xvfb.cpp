#include "support/xvfb.h"

#include <QCoreApplication>
#include <QStandardPaths>

XvfbServer::XvfbServer()
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (program.isEmpty())
        return;
    // The server picks a free display itself and writes its number on
    // standard output once it accepts connections.
    server_.setProgram(program);
    server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"), QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
    server_.setStandardInputFile(QProcess::nullDevice());
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start();
    if (!server_.waitForStarted(5000))
        return;
    QByteArray said;
    while (!said.contains('\n') && server_.state() == QProcess::Running && server_.waitForReadyRead(10000))
        said += server_.readAllStandardOutput();
    const QByteArray number = said.trimmed();
    bool ok = false;
    number.toInt(&ok);
    if (ok)
        display_ = QLatin1Char(':') + QString::fromLatin1(number);
}

XvfbServer::~XvfbServer()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(5000)) {
        server_.kill();
        server_.waitForFinished(5000);
    }
}

QProcessEnvironment XvfbServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

ChildRun runSelfOn(const XvfbServer& server, const QStringList& args, int timeoutMs)
{
    ChildRun run;
    QProcess child;
    child.setProcessEnvironment(server.environment());
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setStandardInputFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(), args);
    if (!child.waitForStarted(10000))
        return run;
    run.finished = child.waitForFinished(timeoutMs);
    if (!run.finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    run.output = child.readAll();
    run.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    return run;
}
