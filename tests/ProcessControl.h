#pragma once
// Another workstation that stops dead, for the tests of shared archives: a worker freezes or dies where the test
// wants it, and the test ends a worker at once. SIGSTOP and SIGKILL on Linux; Windows has neither, so there a
// worker sleeps while it holds what it holds, and dies by TerminateProcess.

class QProcess;

namespace ProcessControl {
// The worker: ends at once, as a power failure ends it, with no cleanup of any kind. Its parent sees a crash.
[[noreturn]] void dieNow();
// The worker: stays where it is, its files and locks held, until it is ended.
[[noreturn]] void freeze();
// The test: ends the process at once, frozen or not, and waits until it is gone.
void end(QProcess &process);
} // namespace ProcessControl
