#include "core/FileLock.h"

#include "core/NativeFile.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Long enough to outlast any other copy's write, short enough that a stopped workstation never freezes this one.
int g_timeoutMs = 1000;

// Interrupts a blocking lock wait of the calling thread every few milliseconds. The signal's handler does
// nothing: its only effect is the EINTR that ends the wait.
class WakeTimer {
public:
    WakeTimer()
    {
        static const int sig = [] {
            struct sigaction sa {};
            sa.sa_handler = [](int) {};
            sigemptyset(&sa.sa_mask);
            sa.sa_flags = 0; // no SA_RESTART: the wait must end
            return ::sigaction(SIGRTMIN + 5, &sa, nullptr) == 0 ? SIGRTMIN + 5 : 0;
        }();
        if (sig == 0)
            return;
        struct sigevent ev {};
        ev.sigev_notify = SIGEV_THREAD_ID;
        ev.sigev_signo = sig;
        ev._sigev_un._tid = ::gettid();
        if (::timer_create(CLOCK_MONOTONIC, &ev, &m_timer) != 0)
            return;
        struct itimerspec every {};
        every.it_value.tv_nsec = every.it_interval.tv_nsec = 20 * 1000 * 1000;
        m_armed = ::timer_settime(m_timer, 0, &every, nullptr) == 0;
        if (!m_armed)
            ::timer_delete(m_timer);
    }
    ~WakeTimer()
    {
        if (m_armed)
            ::timer_delete(m_timer);
    }
    bool armed() const { return m_armed; }

private:
    timer_t m_timer{};
    bool m_armed = false;
};

struct flock range(short type, qint64 start, qint64 length)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(start);
    fl.l_len = off_t(length);
    return fl;
}
} // namespace

namespace FileLock {
void setTimeoutMs(int ms)
{
    g_timeoutMs = ms;
}
int timeoutMs()
{
    return g_timeoutMs;
}

Result lock(const NativeFile &file, Kind kind, qint64 start, qint64 length, const QDeadlineTimer &deadline)
{
    const int fd = int(file.native());
    struct flock fl = range(kind == Kind::Shared ? F_RDLCK : F_WRLCK, start, length);
    if (::fcntl(fd, F_OFD_SETLK, &fl) == 0)
        return Result::Got;
    if (errno != EAGAIN && errno != EACCES && errno != EINTR)
        return Result::Failed;
    // Busy: wait in the kernel's queue, which hands the lock over in turn (polling lets a busy copy starve
    // the others), woken by a timer of this thread to look at the deadline.
    WakeTimer wake;
    for (;;) {
        if (deadline.hasExpired())
            return Result::Busy;
        if (::fcntl(fd, wake.armed() ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0)
            return Result::Got;
        if (errno != EINTR && errno != EAGAIN && errno != EACCES)
            return Result::Failed;
        if (!wake.armed())
            QThread::msleep(2);
    }
}

void unlock(const NativeFile &file, qint64 start, qint64 length)
{
    struct flock fl = range(F_UNLCK, start, length);
    ::fcntl(int(file.native()), F_OFD_SETLK, &fl);
}
} // namespace FileLock
