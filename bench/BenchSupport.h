#pragma once
// What every benchmark program measures with: the median of a few runs, the peak memory, and the reference
// scan, `grep -c -i -F` over the same file in the same run, against which each figure is given as a ratio.

#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QPair>
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

struct Row {
    QString name;
    double ms;
    QString detail;
};

// An export window of class W opened on editor three times: the grid fill and the file written, as two rows.
// Returns the median fill and write times.
template <class W>
QPair<double, double> timeExport(QWidget *editor, const QString &fileName, qsizetype count, QList<Row> &rows)
{
    QList<double> fill, write;
    qint64 size = 0;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        W w(editor);
        w.show();
        QCoreApplication::processEvents();
        fill << timer.nsecsElapsed() / 1e6;
        timer.restart();
        w.cmdEsportaClick();
        write << timer.nsecsElapsed() / 1e6;
        size = QFile(ProgramFolder::file(fileName)).size();
    }
    rows.append({QStringLiteral("export window, grid fill"), median(fill), QStringLiteral("%1 rows").arg(count)});
    rows.append({QStringLiteral("export, file written"), median(write),
                 QStringLiteral("%1 MB").arg(size / (1024.0 * 1024.0), 0, 'f', 1)});
    return {median(fill), median(write)};
}

// The table of figures, each also as a ratio to every reference scan (its heading, its time), then the peak memory.
inline void printRows(const QList<Row> &rows, const QList<QPair<QString, double>> &references)
{
    QString head = QStringLiteral("%1 %2").arg(QStringLiteral("operation"), -28).arg(QStringLiteral("ms"), 9);
    for (const auto &[heading, ms] : references)
        head += QStringLiteral(" %1").arg(heading, 9);
    out << head << QStringLiteral("  result\n");
    for (const Row &r : rows) {
        QString line = QStringLiteral("%1 %2").arg(r.name, -28).arg(r.ms, 9, 'f', 2);
        for (const auto &reference : references)
            line += QStringLiteral(" %1").arg(r.ms / reference.second, 9, 'f', 3);
        out << line << QStringLiteral("  ") << r.detail << QStringLiteral("\n");
    }
    out << "\npeak RSS: " << peakRssMb() << " MB\n";
}

} // namespace Bench
