// Times the start as a user waits for it: the whole process, from its start
// to the board painted, beside its floor in the same run, a bare Qt window
// (bench_bare_window) showing the same ballpark at the board's size, the two
// in turns. Under a virtual X server where the machine has Xvfb, otherwise
// offscreen. Every run is a new process over one user's folders, which the
// first (uncounted) run fills, as every start but the very first finds them.
// Prints the wall time to the paint, the process's CPU time to the paint and
// the memory it idles at after it: minimum and median of each, and the
// ratios to the floor. `bench_startup N` makes N pairs of runs (10).
#include "bench_setup.h"
#include "board/form1.h"
#include "board/program_start.h"
#include "common/program_folder.h"
#include "paint_watch.h"
#include "platform/folder_start.h"
#include "presentation/ballparks.h"
#include "support/xvfb.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

namespace {

// The program's own start (its main), watched for the board's first paint.
int startBoard(int argc, char** argv)
{
    db::prepareMemoryForReaders();
    QApplication app(argc, argv);
    const std::unique_ptr<Form1> started = board::startProgram();
    if (!started)
        return 1;
    Form1& board = *started;
    const QByteArray what = QByteArray::number(board.width()) + ' '
        + QByteArray::number(board.height()) + ' '
        + QFile::encodeName(folder::resolve(QString::fromLatin1(ballparks::DefaultParkFile)));
    PaintWatch watch(&board, what);
    board.show();
    return app.exec();
}

struct Run {
    bool ok = false;
    double wallMs = 0, cpuMs = 0, idleMb = 0;
    QByteArray what;
};

Run timedRun(const QString& program, const QStringList& args, const QProcessEnvironment& env)
{
    Run run;
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    QByteArray out;
    while (!out.contains('\n') && p.waitForReadyRead(30000))
        out += p.readAllStandardOutput();
    run.wallMs = double(t.nsecsElapsed()) / 1e6;
    p.waitForFinished(30000);
    out += p.readAllStandardOutput();
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.value(0) == "painted" && words.size() > 1) {
            run.cpuMs = words[1].toDouble();
            run.what = line.mid(words[0].size() + words[1].size() + 2);
        } else if (words.value(0) == "idle" && words.size() > 1) {
            run.idleMb = words[1].toDouble() / 1024;
            run.ok = run.cpuMs > 0;
        }
    }
    if (p.state() != QProcess::NotRunning)
        p.kill(), p.waitForFinished(5000);
    return run;
}

void printFigure(const char* what, std::vector<double> board, std::vector<double> floor, const char* unit)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < board.size(); ++i)
        ratios.push_back(board[i] / floor[i]);
    const auto least = [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); };
    std::printf("%-22s board min %7.1f median %7.1f %s | bare window min %7.1f median %7.1f %s | ratio min %.2f "
                "median %.2f\n",
                what, least(board), median(board), unit, least(floor), median(floor), unit, least(ratios),
                median(ratios));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--board") == 0)
        return startBoard(argc, argv);
    BenchSetup bench(argc, argv);
    const int pairs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    const XvfbServer x;
    QProcessEnvironment env = x.running() ? x.environment() : QProcessEnvironment::systemEnvironment();
    const QTemporaryDir home;
    for (const char* dir : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
        const QString path = home.filePath(QString::fromLatin1(dir));
        QDir().mkpath(path);
        env.insert(QString::fromLatin1(dir), path);
    }
    const QString self = QCoreApplication::applicationFilePath();
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");

    const Run first = timedRun(self, {QStringLiteral("--board")}, env);
    const QList<QByteArray> what = first.what.split(' ');
    if (!first.ok || what.size() < 3) {
        std::printf("the board did not start\n");
        return 1;
    }
    const QStringList bareArgs = {QFile::decodeName(what.mid(2).join(' ')), QString::fromLatin1(what[0]),
                                  QString::fromLatin1(what[1])};
    timedRun(bare, bareArgs, env);

    std::vector<double> wall[2], cpu[2], idle[2];
    for (int i = 0; i < pairs; ++i) {
        const Run runs[2] = {timedRun(self, {QStringLiteral("--board")}, env), timedRun(bare, bareArgs, env)};
        if (!runs[0].ok || !runs[1].ok) {
            std::printf("a run failed\n");
            return 1;
        }
        for (int k = 0; k < 2; ++k) {
            wall[k].push_back(runs[k].wallMs);
            cpu[k].push_back(runs[k].cpuMs);
            idle[k].push_back(runs[k].idleMb);
        }
    }
    std::printf("start to the painted board, whole process, %d runs each in turns (platform %s, window %sx%s)\n",
                pairs, x.running() ? "xcb on Xvfb" : "offscreen", what[0].constData(), what[1].constData());
    printFigure("wall time to paint", wall[0], wall[1], "ms");
    printFigure("CPU time to paint", cpu[0], cpu[1], "ms");
    printFigure("memory when idle", idle[0], idle[1], "MB");
    return 0;
}
