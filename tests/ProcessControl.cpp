#include "ProcessControl.h"

#include <QProcess>

#include <cstdlib>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#endif

namespace ProcessControl {
void dieNow()
{
#ifdef Q_OS_WIN
    // An exit status in the range QProcess reports as a crash, as an ended process has.
    ::TerminateProcess(::GetCurrentProcess(), 0xC000013A);
#else
    ::raise(SIGKILL);
#endif
    std::abort();
}

void freeze()
{
#ifdef Q_OS_WIN
    for (;;)
        ::Sleep(INFINITE);
#else
    for (;;)
        ::raise(SIGSTOP);
#endif
}

void end(QProcess &process)
{
    // SIGKILL or TerminateProcess: a stopped process ends too.
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}
} // namespace ProcessControl
