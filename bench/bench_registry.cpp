// Times the applicant search, the expiring-contracts list, the hand-back and the applicant export on a
// generated registry of 100 000 applicants, each against a plain case-insensitive grep over the same file,
// and reports the peak memory.
//
//   bench_registry [records]     (default 100000; runs offscreen unless QT_QPA_PLATFORM is set)

#include "bench/BenchSupport.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/Seams.h"
#include "core/widgets/Forms.h"
#include "registry/ApplicantLists.h"
#include "registry/ApplicantRecord.h"
#include "registry/ContrattiScaduti.h"
#include "registry/ExpAnagrafica.h"
#include "registry/TrovaAnagrafica.h"

#include <QApplication>
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
void generate(const QString &path, int count)
{
    static const char *surnames[] = {"ROSSI",   "RUSSO",     "FERRARI", "ESPOSITO", "BIANCHI", "ROMANO",
                                     "COLOMBO", "RICCI",     "MARINO",  "GRECO",    "BRUNO",   "GALLO",
                                     "CONTI",   "DE LUCA",   "KHAN",    "SINGH",    "HOSSAIN", "POPESCU",
                                     "LI",      "EL AMRANI", "OKAFOR",  "MENDES",   "SILVA",   "KOWALSKI"};
    static const char *names[] = {"MARIO", "ANNA", "LUCA",  "GIULIA", "AHMED", "FATIMA", "WEI",
                                  "IOANA", "JOHN", "PRIYA", "OLGA",   "JOSÉ",  "NICOLÒ", "ZOË"};
    static const char *states[] = {"ALBANIA", "MAROCCO", "ROMANIA", "CINA", "INDIA", "UCRAINA", "SENEGAL"};
    static const char *employers[] = {"BAR SPORT SNC",    "COOPERATIVA IL GIRASOLE", "IMPRESA EDILE ROSSI SRL",
                                      "FAMIGLIA BIANCHI", "RISTORANTE DA MARIO",     "PULIZIE SPLENDORE SRL"};
    QRandomGenerator rng(2024);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block;
    Record r(kApplicantLayout);
    for (int i = 0; i < count; ++i) {
        r.clear();
        const QString state = QString::fromUtf8(states[rng.bounded(7)]);
        r.setText("Cognome", QString::fromUtf8(surnames[rng.bounded(24)]));
        r.setText("Nome", QString::fromUtf8(names[rng.bounded(14)]));
        r.setText("CodFisc", QStringLiteral("XXXYYY%1A01Z%2K").arg(rng.bounded(10, 99)).arg(rng.bounded(100, 999)));
        r.setText("Sesso", rng.bounded(2) ? QStringLiteral("M") : QStringLiteral("F"));
        r.setText("DataNasc", QDate(1960, 1, 1).addDays(rng.bounded(15000)).toString(QStringLiteral("dd/MM/yyyy")));
        r.setText("CittaNasc", QStringLiteral("CAPITALE"));
        r.setText("StatoNasc", state);
        r.setText("StatoCit", state);
        r.setText("Indirizzo", QStringLiteral("VIA GARIBALDI %1").arg(rng.bounded(1, 200)));
        r.setText("Cap", QStringLiteral("%1").arg(rng.bounded(100, 98000), 5, 10, QLatin1Char('0')));
        r.setText("ComuneRes", QStringLiteral("ROMA"));
        r.setText("ProvRes", QStringLiteral("RM"));
        r.setText("Recapito", QStringLiteral("3%1").arg(rng.bounded(100000000, 999999999)));
        r.setText("Email", QStringLiteral("persona%1@example.org").arg(i));
        r.setText("Permesso", QStringLiteral("I%1").arg(rng.bounded(1000000, 9999999)));
        r.setText("Iban", QStringLiteral("IT60X0542811101000000%1").arg(rng.bounded(100000, 999999)));
        r.setText("Datore", QString::fromUtf8(employers[rng.bounded(6)]));
        r.setText("Contratto", rng.bounded(2) ? QStringLiteral("TEMPO DETERMINATO") : QStringLiteral("INDETERMINATO"));
        r.setText("TipoLavoro", QStringLiteral("COLLABORATORE DOMESTICO"));
        const QDate hired = QDate(2020, 1, 1).addDays(rng.bounded(1500));
        r.setText("Decorrenza", hired.toString(QStringLiteral("dd/MM/yyyy")));
        r.setText("Scadenza", hired.addDays(365 + rng.bounded(730)).toString(QStringLiteral("dd/MM/yyyy")));
        r.setText("Preavviso", QString::number(rng.bounded(0, 90)));
        r.setText("Totale", QStringLiteral("%1,00").arg(rng.bounded(6000, 30000)));
        if (rng.bounded(100) < 30)
            r.setText("Note", QStringLiteral("Pratica %1: rinnovo permesso, ricevuta consegnata").arg(i));
        block.append(r.bytes());
        if (block.size() > (8 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

QWidget *editorStandIn()
{
    auto *w = new QWidget;
    w->setObjectName(QStringLiteral("frmAnagrafica"));
    (new QLabel(w))->setObjectName(QStringLiteral("lblPosizione"));
    for (const auto &f : kApplicantFields) {
        const QString name = QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
        QWidget *c = name.startsWith(QLatin1String("txt")) ? static_cast<QWidget *>(new QLineEdit(w))
                                                           : static_cast<QWidget *>(new QLabel(w));
        c->setObjectName(name);
    }
    Forms::add(w);
    return w;
}

double searchMs(const QList<QPair<const char *, const char *>> &filters, int &lines)
{
    QList<double> t;
    for (int i = 0; i < 3; ++i) {
        TfrmTrovaAnagrafica w;
        w.show();
        for (const auto &[box, text] : filters)
            w.findChild<QLineEdit *>(QString::fromLatin1(box))->setText(QString::fromUtf8(text));
        QElapsedTimer timer;
        timer.start();
        w.btnCerca->click();
        QCoreApplication::processEvents();
        t << timer.nsecsElapsed() / 1e6;
        lines = w.lstRecords->count();
    }
    return median(t);
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
    const QString archive = ProgramFolder::file(QStringLiteral("Richiedenti.pro"));
    generate(archive, count);
    QWidget *editor = editorStandIn();
    Seams::Clock::setFixed(QDateTime(QDate(2024, 7, 1), QTime(10, 0)));

    out << "archive: " << count << " applicants, " << QFile(archive).size() / (1024 * 1024) << " MB\n";
    grepMs(archive); // warm the page cache
    const double grep = grepMs(archive);
    out << "baseline grep -c -i -F rossi: " << QString::number(grep, 'f', 1) << " ms (" << grepCount()
        << " lines; locale " << qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LANG", QStringLiteral("unset")))
        << ")\n\n";

    QList<Row> rows;
    int lines = 0;
    double ms = searchMs({{"txtCognome", "rossi"}, {"txtStatoNasc", "alb"}}, lines);
    rows.append({QStringLiteral("search, surname + state"), ms, QStringLiteral("%1 lines").arg(lines)});
    ms = searchMs({}, lines);
    rows.append({QStringLiteral("search, no filter"), ms, QStringLiteral("%1 lines").arg(lines)});
    ms = timeMs([&] {
        TfrmContrattiScaduti w(editor);
        w.show();
        QCoreApplication::processEvents();
        lines = w.lstRecords->count();
        w.close();
    });
    rows.append({QStringLiteral("expiring contracts build"), ms, QStringLiteral("%1 lines").arg(lines)});
    {
        QString position;
        QList<double> t;
        for (int i = 0; i < 3; ++i) {
            TfrmTrovaAnagrafica w;
            w.lblMemory->setText(QStringLiteral("anagrafica"));
            w.show();
            w.btnCerca->click();
            w.lstRecords->selectRow(w.lstRecords->count() / 2);
            QElapsedTimer timer;
            timer.start();
            w.lstRecordsDblClick();
            t << timer.nsecsElapsed() / 1e6;
            position = editor->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text();
        }
        rows.append({QStringLiteral("double click, whole"), median(t), QStringLiteral("record %1").arg(position)});
    }
    {
        // The same without closing the window (which frees every line of the list).
        TfrmTrovaAnagrafica w;
        w.show();
        w.btnCerca->click();
        w.lstRecords->selectRow(w.lstRecords->count() / 3);
        const double ms = timeMs([&] {
            const auto found = ResultLines::chosenRecord(
                ApplicantLists::archivePath(), kApplicantLayout, {},
                [](const RecordView &r) { return ApplicantLists::searchLine()(r); }, w.lstRecords->selectedLine(),
                w.lstRecords->selectedPosition());
            if (found)
                ApplicantLists::handBack(QStringLiteral("anagrafica"), found->record, found->position);
        });
        rows.append(
            {QStringLiteral("hand-back, record loaded"), ms,
             QStringLiteral("record %1").arg(editor->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text())});
    }
    timeExport<TfrmExpAnagrafica>(editor, QStringLiteral("Anagrafica_Richiedenti.xls"), count, rows);

    printRows(rows, {{QStringLiteral("x grep"), grep}});
    Forms::clear();
    return 0;
}
