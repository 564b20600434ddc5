// What a day's safety copy costs: a program folder holding 100 000 slips (one year's archive), the
// applicant archive and the settings, copied as at the first start of a day, against `cp` of the same
// files. Usage: bench_backup [slips] [folder]  (the folder defaults to a temporary one under /tmp)
#include "core/Backup.h"
#include "core/Record.h"
#include "slips/SlipRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir tmp(argc > 2 ? QString::fromLocal8Bit(argv[2]) + QStringLiteral("/bench_backup-XXXXXX")
                               : QDir::tempPath() + QStringLiteral("/bench_backup-XXXXXX"));
    const QString folder = tmp.path() + u'/';
    {
        QFile f(folder + QStringLiteral("2024.pse"));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        Record r(kSlipLayout);
        for (int i = 0; i < n; ++i) {
            r.setText("Esecutore", QStringLiteral("PAGATORE NUMERO %1").arg(i));
            r.setText("DataScade", QStringLiteral("15/03/2024"));
            f.write(r.bytes());
        }
        QFile applicants(folder + QStringLiteral("Richiedenti.pro"));
        if (!applicants.open(QIODevice::WriteOnly))
            return 1;
        applicants.write(QByteArray(qsizetype(5090) * 2000, 'a'));
        QFile ini(folder + QStringLiteral("Bollettini.ini"));
        if (!ini.open(QIODevice::WriteOnly))
            return 1;
        ini.write("[Margini Stampa Bollettino PSE]\r\nSuperiore=0\r\nSinistro=0\r\n");
    }
    qint64 bytes = 0;
    for (const QString &source : Backup::sourceFiles(folder))
        bytes += QFileInfo(source).size();

    double best = 1e18;
    for (int day = 1; day <= 3; ++day) {
        QElapsedTimer t;
        t.start();
        if (Backup::takeDaily(folder, QDate(2024, 3, day)).outcome != Backup::DailyResult::Taken)
            return 1;
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    QElapsedTimer t;
    t.start();
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("mkdir %1cp && cp %1*.pse %1*.pro "
                                                                                  "%1*.ini %1cp/ && sync")
                                                                       .arg(folder)});
    const double cp = t.nsecsElapsed() / 1e6;
    std::printf("%d slips, %.1f MB copied: daily copy %.0f ms (best of 3), cp + sync %.0f ms\n", n, bytes / 1e6, best,
                cp);
    return 0;
}
