#pragma once
// Another workstation in a test: a process of its own, killed (stopped or not) when the test is done with it.

#include <QProcess>

#include <csignal>

struct WorkerProcess : QProcess {
    WorkerProcess(const QString &program, const QStringList &args) { start(program, args); }
    ~WorkerProcess() override { killNow(); }
    // SIGKILL ends a stopped process too. Never a pid of 0: that would be this whole process group.
    void killNow()
    {
        if (state() != NotRunning && processId() > 0) {
            ::kill(pid_t(processId()), SIGKILL);
            waitForFinished(5000);
        }
    }
    bool finishedOk(int ms = 60000)
    {
        return (state() == NotRunning || waitForFinished(ms)) && exitStatus() == NormalExit && exitCode() == 0;
    }
};
