// Test helper: appends records to an archive the way every writer does, under an exclusive lock over the
// whole file on the file's own descriptor, and writes each record in two halves with a pause between them,
// so that a reader not honouring the lock would catch a record half written.
//   backup_appender <archive> <record size> <first record number> <count> <pause µs>
// Record n is record size bytes of the value (n % 251) + 1. Prints "pronto" after the first append.

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 6)
        return 2;
    const char *path = argv[1];
    const long size = std::atol(argv[2]);
    const long first = std::atol(argv[3]);
    const long count = std::atol(argv[4]);
    const long pause = std::atol(argv[5]);
    for (long n = first; n < first + count; ++n) {
        const int fd = ::open(path, O_RDWR | O_CLOEXEC);
        if (fd < 0)
            return 1;
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        if (::fcntl(fd, F_OFD_SETLKW, &fl) != 0)
            return 1;
        struct stat st {};
        ::fstat(fd, &st);
        const std::string record(size_t(size), char(n % 251 + 1));
        const long half = size / 2;
        if (::pwrite(fd, record.data(), size_t(half), st.st_size) != half)
            return 1;
        ::usleep(useconds_t(pause));
        if (::pwrite(fd, record.data() + half, size_t(size - half), st.st_size + half) != size - half)
            return 1;
        ::close(fd); // releases the lock
        if (n == first) {
            std::puts("pronto");
            std::fflush(stdout);
        }
    }
    return 0;
}
