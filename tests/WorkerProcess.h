#pragma once
// Another workstation in a test: a process of its own, killed (stopped or not) when the test is done with it.

#include "ProcessControl.h"

#include <QProcess>

struct WorkerProcess : QProcess {
    WorkerProcess(const QString &program, const QStringList &args) { start(program, args); }
    ~WorkerProcess() override { killNow(); }
    void killNow() { ProcessControl::end(*this); }
    bool finishedOk(int ms = 60000)
    {
        return (state() == NotRunning || waitForFinished(ms)) && exitStatus() == NormalExit && exitCode() == 0;
    }
};
