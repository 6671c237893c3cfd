#pragma once
// A virtual X server of a test's or bench's own, for what only shows under a
// real window system (native windows are never made offscreen), and this
// same program run again on it.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class XvfbServer {
public:
    // Starts Xvfb on a display no other server holds, with a common desktop's
    // screen; running() is false where the machine has no Xvfb or it failed.
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.isEmpty(); }
    // ":N"
    QString display() const { return display_; }
    // The environment of a program that is to show its windows there.
    QProcessEnvironment environment() const;

private:
    QProcess server_;
    QString display_;
};

struct ChildRun {
    bool finished = false;  // false: it did not end in time and was killed
    int exitCode = -1;
    QByteArray output;      // standard output and error together
};

// Runs this program again with args, its windows on the server (Qt's xcb
// platform), and waits for it.
ChildRun runSelfOn(const XvfbServer& server, const QStringList& args, int timeoutMs);
