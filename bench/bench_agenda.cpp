// Times the agenda's imminent check and lists, the status lists, a two-filter search and the archive export
// on one year's archive of 100 000 generated deadlines, each against a plain case-insensitive grep over the
// same file, and reports the peak memory.
//
//   bench_agenda [records]     (default 100000; runs offscreen unless QT_QPA_PLATFORM is set)

#include "agenda/Confermati.h"
#include "agenda/DaConfermare.h"
#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "agenda/ExpGiornaliere.h"
#include "agenda/ExpImminenti.h"
#include "agenda/ExpMensili.h"
#include "agenda/ExpScadenzario.h"
#include "agenda/NonConfermati.h"
#include "agenda/Scadenzario.h"
#include "agenda/TrovaScadenzario.h"
#include "bench/BenchSupport.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/Seams.h"
#include "core/widgets/ExportGrid.h"
#include "core/widgets/Forms.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <sys/resource.h>

using namespace Bench;

namespace {
void generate(const QString &path, int count, int year)
{
    static const char *months[] = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                   "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
    static const char *clients[] = {"ROSSI MARIO",      "BIANCHI ANNA", "KHAN AHMED",    "POPESCU IOANA", "LI WEI",
                                    "EL AMRANI FATIMA", "SINGH PRIYA",  "ESPOSITO LUCA", "NICOLÒ ZOË"};
    static const char *reasons[] = {"Appuntamento in Questura", "Pagamento contributo permesso",
                                    "Ritiro permesso di soggiorno", "Rinnovo contratto di lavoro",
                                    "Consegna documenti"};
    QRandomGenerator rng(2024);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block;
    Record r(kDeadlineLayout);
    const QDate first(year, 1, 1);
    for (int i = 0; i < count; ++i) {
        r.clear();
        const QDate d = first.addDays(rng.bounded(first.daysInYear()));
        const QString hh = QStringLiteral("%1").arg(rng.bounded(8, 19), 2, 10, QLatin1Char('0'));
        const QString mm = QStringLiteral("%1").arg(rng.bounded(4) * 15, 2, 10, QLatin1Char('0'));
        r.setText("Giorno", d.toString(QStringLiteral("dd")));
        r.setText("Mese", QString::fromLatin1(months[d.month() - 1]));
        r.setText("Anno", QString::number(year));
        r.setText("Data", d.toString(QStringLiteral("dd/MM/yyyy")));
        r.setText("OreApp", hh);
        r.setText("MinutiApp", mm);
        r.setText("Ora", hh + QLatin1Char(':') + mm);
        r.setText("Avviso", QString::number(rng.bounded(0, 31)));
        r.setText("Cliente", QString::fromUtf8(clients[rng.bounded(9)]));
        r.setText("CodFisc", QStringLiteral("XXXYYY%1A01Z%2K").arg(rng.bounded(10, 99)).arg(rng.bounded(100, 999)));
        r.setText("Recapito", QStringLiteral("3%1").arg(rng.bounded(100000000, 999999999)));
        r.setText("Oggetto", QStringLiteral("Pratica %1: rilascio del permesso di soggiorno").arg(i));
        r.setText("Tipologia", QStringLiteral("Lavoro subordinato"));
        r.setText("Protocollo", QStringLiteral("P/%1/%2").arg(year).arg(i));
        r.setText("Dettagli", QString::fromLatin1(reasons[rng.bounded(5)]));
        r.setText("Officina", QStringLiteral("Bollettino postale"));
        r.setText("Costo", QStringLiteral("%1,00").arg(rng.bounded(16, 200)));
        r.setText("DaConfermare", rng.bounded(4) == 0 ? FieldCodec::yes() : FieldCodec::no());
        r.setText("Effettuata", rng.bounded(2) ? FieldCodec::yes() : FieldCodec::no());
        if (rng.bounded(100) < 30)
            r.setText("Note", QStringLiteral("Ricevuta consegnata allo sportello %1").arg(rng.bounded(1, 9)));
        block.append(r.bytes());
        if (block.size() > (8 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

// A list window shown and filled; its row count.
template <class W> double gridMs(QWidget *editor, int &rows)
{
    return timeMs([&] {
        W w(editor);
        w.show();
        QCoreApplication::processEvents();
        rows = w.grdRecords->model()->rowCount();
        w.close();
    });
}

template <class W> double summaryMs(QWidget *editor, int &lines)
{
    return timeMs([&] {
        W w(editor);
        w.show();
        QCoreApplication::processEvents();
        lines = w.lstRecords->count();
        w.close();
    });
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    Seams::setScriptedAll(true); // questions answered Yes, nothing opened, no sound
    QTemporaryDir dir;
    ProgramFolder::setOverride(dir.path());
    const QDate today(2024, 7, 1);
    Seams::Clock::setFixed(QDateTime(today, QTime(10, 0)));
    const QString archive = DeadlineLists::yearArchive(2024);
    generate(archive, count, 2024);
    auto *editor = new TfrmScadenzario;
    Forms::add(editor);
    editor->lblFile->setText(archive);
    editor->calAppuntamenti->setSelectedDate(today);

    out << "archive: " << count << " deadlines, " << QFile(archive).size() / (1024 * 1024) << " MB\n";
    grepMs(archive); // warm the page cache
    const double grep = grepMs(archive);
    out << "baseline grep -c -i -F rossi: " << QString::number(grep, 'f', 1) << " ms (" << grepCount()
        << " lines; locale " << qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LANG", QStringLiteral("unset")))
        << ")\n\n";

    QList<Row> rows;
    int n = 0;
    bool present = false;
    double ms = timeMs([&] { present = DeadlineLists::anyImminent(today); });
    rows.append({QStringLiteral("imminent check"), ms, present ? QStringLiteral("present") : QStringLiteral("none")});
    // The worst case: nothing imminent, so every record is read.
    ms = timeMs([&] { present = DeadlineLists::anyImminent(QDate(2024, 12, 31).addDays(-400)); });
    rows.append({QStringLiteral("imminent check, whole file"), ms,
                 present ? QStringLiteral("present") : QStringLiteral("none")});
    ms = gridMs<TfrmExpImminenti>(editor, n);
    rows.append({QStringLiteral("imminent list, fill + sort"), ms, QStringLiteral("%1 rows").arg(n)});
    ms = gridMs<TfrmExpGiornaliere>(editor, n);
    rows.append({QStringLiteral("daily list, fill + sort"), ms, QStringLiteral("%1 rows").arg(n)});
    ms = gridMs<TfrmExpMensili>(editor, n);
    rows.append({QStringLiteral("monthly list, fill + sort"), ms, QStringLiteral("%1 rows").arg(n)});
    ms = summaryMs<TfrmConfermati>(editor, n);
    rows.append({QStringLiteral("payments to make"), ms, QStringLiteral("%1 lines").arg(n)});
    ms = summaryMs<TfrmNonConfermati>(editor, n);
    rows.append({QStringLiteral("payments made"), ms, QStringLiteral("%1 lines").arg(n)});
    ms = summaryMs<TfrmDaConfermare>(editor, n);
    rows.append({QStringLiteral("appointments to confirm"), ms, QStringLiteral("%1 lines").arg(n)});
    {
        QList<double> t;
        for (int i = 0; i < 3; ++i) {
            TfrmTrovaScadenzario w(editor);
            w.show();
            w.txtCliente->setText(QStringLiteral("rossi"));
            w.txtData->setText(QStringLiteral("07/2024"));
            QElapsedTimer timer;
            timer.start();
            w.btnCerca->click();
            QCoreApplication::processEvents();
            t << timer.nsecsElapsed() / 1e6;
            n = w.lstRecords->count();
        }
        rows.append({QStringLiteral("search, client + date"), median(t), QStringLiteral("%1 lines").arg(n)});
    }
    timeExport<TfrmExpScadenzario>(editor, QStringLiteral("Scadenze_e_Appuntamenti.xls"), count, rows);

    printRows(rows, {{QStringLiteral("x grep"), grep}});
    Forms::clear();
    return 0;
}
