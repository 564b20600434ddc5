#pragma once
// What every benchmark program measures with: the median of a few runs, the peak memory, and the reference
// scan, `grep -c -i -F` over the same file in the same run, against which each figure is given as a ratio.

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <sys/resource.h>

namespace Bench {

inline QTextStream out(stdout);

inline long peakRssMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

inline double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

inline double timeMs(const std::function<void()> &op, int runs = 3)
{
    QList<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        op();
        t << timer.nsecsElapsed() / 1e6;
    }
    return median(t);
}

// The last count grep printed, to show that it read the whole file.
inline QString &grepCount()
{
    static QString count;
    return count;
}

// byteLocale: LC_ALL=C, where grep -i folds bytes and runs several times faster than in a UTF-8 locale.
inline double grepMs(const QString &path, bool byteLocale = false)
{
    return timeMs([&] {
        QProcess grep;
        if (byteLocale) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
            grep.setProcessEnvironment(env);
        }
        grep.start(QStringLiteral("grep"),
                   {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), QStringLiteral("rossi"), path});
        grep.waitForFinished(-1);
        grepCount() = QString::fromLatin1(grep.readAllStandardOutput()).trimmed();
    });
}

} // namespace Bench
