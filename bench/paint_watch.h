#pragma once
// A process the start-up bench runs tells it, on standard output, when its
// window is first painted ("painted <CPU ms> <what>": the CPU time of the
// whole process so far) and, once it has stood idle a while, the memory it
// idles at ("idle <resident KB>"), then ends at once: its exit is not part
// of any start.
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* window, QByteArray what) : what_(std::move(what)) { window->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* e) override
    {
        // The window's paint comes first; its children's and the copy to
        // the screen follow in the same pass, before the next event.
        if (e->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, this, [this] { painted(); });
        }
        return false;
    }

private:
    void painted()
    {
        rusage use{};
        getrusage(RUSAGE_SELF, &use);
        const double cpu = double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3
            + double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3;
        std::printf("painted %.1f %s\n", cpu, what_.constData());
        std::fflush(stdout);
        QTimer::singleShot(IdleMs, this, [] {
            QFile status(QStringLiteral("/proc/self/status"));
            long kb = 0;
            if (status.open(QIODevice::ReadOnly))
                for (const QByteArray& line : status.readAll().split('\n'))
                    if (line.startsWith("VmRSS:"))
                        kb = line.mid(6).trimmed().split(' ').value(0).toLong();
            std::printf("idle %ld\n", kb);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

    static constexpr int IdleMs = 700;
    QByteArray what_;
    bool seen_ = false;
};
