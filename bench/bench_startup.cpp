// Start-up: time from process start to the first window painted, the whole application against a minimal
// Qt Widgets program that shows one window, alternately in the same run under the same display; then the
// time until every window of the creation table exists.
//
//   xvfb-run -a bench_startup [runs]       (default 9)

#include "app/Startup.h"
#include "core/widgets/Forms.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {
// The application's own start, reporting the first paint of the first window and the last window created.
int child(int argc, char **argv)
{
    Startup::prepare();
    QApplication app(argc, argv);
    Startup::initialise(app);
    struct FirstPaint : QObject {
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint && !done) {
                done = true;
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
            }
            return false;
        }
        bool done = false;
    } first;
    Startup::start();
    Startup::firstWindow()->installEventFilter(&first);
    QElapsedTimer idle;
    idle.start();
    // Runs the loop until the first paint and every window exist.
    while (!first.done || Forms::all().size() < Startup::creationOrder().size()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (idle.elapsed() > 30000)
            return 1;
    }
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    Forms::clear();
    return 0;
}

struct Times {
    double shown = -1;
    double ready = -1;
};

Times timeProcess(const QString &program, const QStringList &args)
{
    Times t;
    QProcess p;
    QElapsedTimer timer;
    timer.start();
    p.start(program, args);
    QByteArray seen;
    while (p.state() != QProcess::NotRunning || p.bytesAvailable()) {
        p.waitForReadyRead(50);
        seen += p.readAllStandardOutput();
        if (t.shown < 0 && seen.contains("shown\n"))
            t.shown = timer.nsecsElapsed() / 1e6;
        if (t.ready < 0 && seen.contains("ready\n"))
            t.ready = timer.nsecsElapsed() / 1e6;
        if (p.state() == QProcess::NotRunning && !p.bytesAvailable())
            break;
    }
    p.waitForFinished(-1);
    return t;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? -1 : v.at(v.size() / 2);
}
} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return child(argc, argv);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 9;
    const QString self = QCoreApplication::applicationFilePath();
    const QString minimal = QFileInfo(self).absolutePath() + QStringLiteral("/bench_startup_minimal");
    QTextStream out(stdout);
    // One warm-up each, so that both start from the page cache.
    timeProcess(minimal, {});
    timeProcess(self, {QStringLiteral("--child")});
    QList<double> base, shown, ready;
    for (int i = 0; i < runs; ++i) {
        base << timeProcess(minimal, {}).shown;
        const Times t = timeProcess(self, {QStringLiteral("--child")});
        shown << t.shown;
        ready << t.ready;
    }
    const double b = median(base), s = median(shown), r = median(ready);
    out << "windows in the creation table: " << Startup::creationOrder().size() << "\n"
        << "minimal Qt program, first window painted: " << QString::number(b, 'f', 1) << " ms\n"
        << "application, first window painted:        " << QString::number(s, 'f', 1) << " ms  ("
        << QString::number(s / b, 'f', 2) << " x minimal)\n"
        << "application, every window created:        " << QString::number(r, 'f', 1) << " ms\n"
        << "(medians of " << runs << " alternating runs)\n";
    return 0;
}
