// Times the slip lists, the slip search and the annual export on a generated archive of 100 000 slips,
// each against a plain case-insensitive grep over the same file, and reports the peak memory.
//
//   bench_lists [records]        (default 100000; runs offscreen unless QT_QPA_PLATFORM is set)

#include "bench/BenchSupport.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/Seams.h"
#include "core/widgets/Forms.h"
#include "core/widgets/SummaryList.h"
#include "slips/DaSaldare.h"
#include "slips/ExpBollettini.h"
#include "slips/Scadute.h"
#include "slips/SlipRecord.h"
#include "slips/TrovaBollettini.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <sys/resource.h>

using namespace Bench;

namespace {
void generate(const QString &path, int count)
{
    static const char *surnames[] = {"ROSSI",   "RUSSO",     "FERRARI", "ESPOSITO", "BIANCHI", "ROMANO",
                                     "COLOMBO", "RICCI",     "MARINO",  "GRECO",    "BRUNO",   "GALLO",
                                     "CONTI",   "DE LUCA",   "KHAN",    "SINGH",    "HOSSAIN", "POPESCU",
                                     "LI",      "EL AMRANI", "OKAFOR",  "Mendes",   "Silva",   "Kowalski"};
    static const char *names[] = {"MARIO", "ANNA", "LUCA",  "GIULIA", "AHMED", "FATIMA", "WEI",
                                  "IOANA", "JOHN", "PRIYA", "Olga",   "José",  "Nicolò", "Zoë"};
    static const char *towns[] = {"ROMA",    "MILANO",  "NAPOLI", "TORINO",  "PALERMO", "GENOVA",
                                  "BOLOGNA", "FIRENZE", "BARI",   "CATANIA", "VENEZIA", "VERONA"};
    QRandomGenerator rng(2024);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block;
    Record r(kSlipLayout);
    for (int i = 0; i < count; ++i) {
        r.clear();
        const int euros = int(rng.bounded(10, 400));
        const QString cents = QStringLiteral("%1").arg(rng.bounded(100), 2, 10, QLatin1Char('0'));
        r.setText("Importo", QString::number(euros));
        r.setText("Cents", cents);
        r.setText("ImpLettere", QStringLiteral("IMPORTO IN LETTERE DI PROVA"));
        r.setText("CentLettere", cents);
        r.setText("Intero", QStringLiteral("%1,%2").arg(euros).arg(cents));
        r.setText("Esecutore", QStringLiteral("%1 %2").arg(QString::fromUtf8(surnames[rng.bounded(24)]),
                                                           QString::fromUtf8(names[rng.bounded(14)])));
        r.setText("IndirizzoRes", QStringLiteral("VIA GARIBALDI %1").arg(rng.bounded(1, 200)));
        r.setText("CapRes", QStringLiteral("%1").arg(rng.bounded(100, 98000), 5, 10, QLatin1Char('0')));
        r.setText("ComuneRes", QString::fromUtf8(towns[rng.bounded(12)]));
        const QDate due = QDate(2024, 1, 1).addDays(rng.bounded(366));
        r.setText("DataScade", due.toString(QStringLiteral("dd/MM/yyyy")));
        const bool paid = rng.bounded(100) < 55;
        r.setText("Saldato", paid ? FieldCodec::yes() : FieldCodec::no());
        if (paid) {
            r.setText("DataPaga", due.addDays(-int(rng.bounded(20))).toString(QStringLiteral("dd/MM/yyyy")));
            r.setText("Timbro",
                      QStringLiteral("UFFICIO POSTALE %1 SPORTELLO %2").arg(rng.bounded(1000)).arg(rng.bounded(9)));
        }
        if (rng.bounded(100) < 20)
            r.setText("Note", QStringLiteral("Pratica %1: rinnovo permesso, ricevuta consegnata").arg(i));
        block.append(r.bytes());
        if (block.size() > (8 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

QWidget *editorStandIn(const QString &archive)
{
    auto *w = new QWidget;
    w->setObjectName(QStringLiteral("frmBollettino"));
    (new QLabel(archive, w))->setObjectName(QStringLiteral("lblFile"));
    (new QLabel(w))->setObjectName(QStringLiteral("lblPosizione"));
    for (const auto &f : kSlipFields) {
        const QString name = QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
        QWidget *c = name.startsWith(QLatin1String("txt"))   ? static_cast<QWidget *>(new QLineEdit(w))
                     : name.startsWith(QLatin1String("chk")) ? static_cast<QWidget *>(new QCheckBox(w))
                                                             : static_cast<QWidget *>(new QLabel(w));
        c->setObjectName(name);
    }
    Forms::add(w);
    return w;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    Seams::setScriptedAll(true); // questions answered Yes, nothing opened, no printer
    QTemporaryDir dir;
    ProgramFolder::setOverride(dir.path());
    const QString archive = ProgramFolder::file(QStringLiteral("2024.pse"));
    generate(archive, count);
    QWidget *editor = editorStandIn(archive);
    Seams::Clock::setFixed(QDateTime(QDate(2024, 7, 1), QTime(10, 0)));

    out << "archive: " << count << " slips, " << QFile(archive).size() / (1024 * 1024) << " MB\n";
    grepMs(archive); // warm the page cache
    const double grep = grepMs(archive);
    const double grepC = grepMs(archive, true);
    out << "baseline grep -c -i -F rossi: " << QString::number(grep, 'f', 1) << " ms (" << grepCount()
        << " lines; locale " << qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LANG", QStringLiteral("unset")))
        << ")\n";
    out << "same with LC_ALL=C:           " << QString::number(grepC, 'f', 1) << " ms\n\n";

    QList<Row> rows;
    const auto list = [&](const QString &name, auto make) {
        int lines = 0;
        const double ms = timeMs([&] {
            auto w = make();
            w->show();
            QCoreApplication::processEvents();
            lines = w->lstRecords->count();
            w->close();
        });
        rows.append({name, ms, QStringLiteral("%1 lines").arg(lines)});
    };
    list(QStringLiteral("TfrmDaSaldare build"), [&] { return std::make_unique<TfrmDaSaldare>(editor); });
    list(QStringLiteral("TfrmScadute build"), [&] { return std::make_unique<TfrmScadute>(editor); });

    {
        int lines = 0;
        QList<double> t;
        for (int i = 0; i < 3; ++i) {
            TfrmTrovaBollettini w(editor);
            w.show();
            w.txtEsecutore->setText(QStringLiteral("rossi"));
            w.txtSaldato->setText(QStringLiteral("no"));
            QElapsedTimer timer;
            timer.start();
            w.btnCerca->click();
            QCoreApplication::processEvents();
            t << timer.nsecsElapsed() / 1e6;
            lines = w.lstRecords->count();
        }
        rows.append({QStringLiteral("search, payer + paid"), median(t), QStringLiteral("%1 lines").arg(lines)});
    }
    {
        int lines = 0;
        const double ms = timeMs([&] {
            TfrmTrovaBollettini w(editor);
            w.show();
            w.btnCerca->click();
            QCoreApplication::processEvents();
            lines = w.lstRecords->count();
        });
        rows.append({QStringLiteral("search, no filter"), ms, QStringLiteral("%1 lines").arg(lines)});
    }
    {
        QString position;
        QList<double> t;
        for (int i = 0; i < 3; ++i) {
            TfrmDaSaldare w(editor);
            w.show();
            w.lstRecords->selectRow(w.lstRecords->count() / 2);
            QElapsedTimer timer;
            timer.start();
            w.lstRecordsDblClick();
            t << timer.nsecsElapsed() / 1e6;
            position = editor->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text();
        }
        rows.append({QStringLiteral("double click hand-back"), median(t), QStringLiteral("record %1").arg(position)});
    }
    {
        const auto [fill, write] =
            timeExport<TfrmExpBollettini>(editor, QStringLiteral("Riepilogo_Annuale_Versamenti.xls"), count, rows);
        rows.append({QStringLiteral("export, fill + write"), fill + write, QString()});
    }

    printRows(rows, {{QStringLiteral("x grep"), grep}, {QStringLiteral("x grep C"), grepC}});
    Forms::clear();
    return 0;
}
