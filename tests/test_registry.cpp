#include "EditorFixture.h"
#include "TestSupport.h"

#include "checks/CheckWindow.h"
#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Record.h"
#include "core/widgets/Calendario.h"
#include "core/widgets/Forms.h"
#include "core/widgets/Picture.h"
#include "registry/Anagrafica.h"
#include "registry/ApplicantRecord.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QUrl>
#include <QtTest>

using namespace TestSupport;

namespace {
constexpr int kRecord = 5090;

const QString kMsgSurname =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il cognome del richiedente.");
const QString kMsgName =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del richiedente.");
const QString kMsgHired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data di assunzione.");
const QString kMsgExpiry = QStringLiteral(
    "Attenzione: per salvare la scheda è necessario indicare la data di scadenza del contratto di lavoro.");
QString msgHiredInvalid(const QString &d)
{
    return QStringLiteral("Attenzione: la data di assunzione ") + d +
           QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel "
                          "formato gg/mm/aaaa.");
}
QString msgExpiryInvalid(const QString &d)
{
    return QStringLiteral("Attenzione: la data di scadenza del contratto ") + d +
           QStringLiteral(" non esiste.\n\r\n\rPer poter salvare la scheda è necessario indicare una data valida nel "
                          "formato gg/mm/aaaa.");
}
QString msgInterval(const QString &expiry, const QString &hired)
{
    return QStringLiteral("Attenzione: la data di scadenza del contratto (") + expiry +
           QStringLiteral(") non può essere anteriore a quella di assunzione (") + hired +
           QStringLiteral(").\n\r\n\rPer poter salvare la scheda è necessario indicare un intervallo di tempo valido.");
}
const QString kMsgNotice =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i giorni di preavviso.");

// The boxes in their Enter order, as the office types them.
const char *const kChain[] = {
    "txtCognome",   "txtNome",      "txtCodFisc",    "txtSesso",      "txtDataNasc",   "txtCittaNasc",
    "txtStatoNasc", "txtIva",       "txtIndirizzo",  "txtCap",        "txtComuneRes",  "txtProvRes",
    "txtStatoCit",  "txtIngresso",  "txtRecapito",   "txtTelCasa",    "txtTelCel",     "txtTelUff",
    "txtEmail",     "txtPermesso",  "txtScadePer",   "txtComuniSog",  "txtIban",       "txtIntestatario",
    "txtBanca",     "txtCarta",     "txtScadeCarta", "txtTipoLavoro", "txtPrecedenti", "txtNote",
    "txtTipoDoc",   "txtNumDoc",    "txtEnteRil",    "txtDataRil",    "txtDataSca",    "txtCivile",
    "txtConiuge",   "txtFigli",     "txtDatore",     "txtDecorrenza", "txtScadenza",   "txtPreavviso",
    "txtTotale",    "txtContratto",
};

void writeArchive(const QString &path, const QStringList &surnames, const QString &province = QStringLiteral("RM"))
{
    QByteArray all;
    for (const auto &s : surnames) {
        Record r(kApplicantLayout);
        r.setText("Cognome", s);
        r.setText("Nome", QStringLiteral("MARIO"));
        r.setText("ProvRes", province);
        all += r.bytes();
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(all);
}
} // namespace

class TestRegistry : public QObject, private EditorFixture<TfrmAnagrafica> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newRecordAndLimits();
    void recordsAtFixedOffsets();
    void everyControlRoundTrips();
    void saveChecksInOrder();
    void saveChecksOneFailureEach();
    void appendThenOverwrite();
    void saveFailureKeepsRecordNew();
    void incomeFormatting_data();
    void incomeFormatting();
    void typingRules();
    void enterChain();
    void provinceBox();
    void calendarFields();
    void checkButtonsRouteTheirText();
    void emailLink();
    void help();

private:
    QString archive() const { return folder->file(QStringLiteral("Richiedenti.pro")); }
    QLineEdit *box(const char *name) const { return ed->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    void fillValid();
};

void TestRegistry::init()
{
    setUpEditor();
}

void TestRegistry::cleanup()
{
    tearDownEditor();
}

void TestRegistry::fillValid()
{
    ed->txtCognome->setText(QStringLiteral("ROSSI"));
    ed->txtNome->setText(QStringLiteral("MARIO"));
    ed->txtDecorrenza->setText(QStringLiteral("01/03/2024"));
    ed->txtScadenza->setText(QStringLiteral("01/03/2024")); // the same day is a valid interval
    ed->txtPreavviso->setText(QStringLiteral("0"));
}

void TestRegistry::newRecordAndLimits()
{
    QVERIFY(ed->isMaximized());
    QCOMPARE(ed->windowTitle(), QStringLiteral(" Versalia - Anagrafica Richiedenti"));
    QCOMPARE(ed->panInfo->text(), QStringLiteral("Pronto per salvare una nuova scheda..."));
    ed->txtCognome->setText(QStringLiteral("X"));
    ed->txtProvRes->setEditText(QStringLiteral("RM"));
    ed->lblFile02->setText(QStringLiteral("a.pdf"));
    ed->lblPosizione->setText(QStringLiteral("4"));
    Seams::Messages::setNextAnswer(Seams::Answer::No); // what was typed is given up
    QTest::mouseClick(ed->cmdNuovo, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::QuestionCancel);
    QCOMPARE(ed->txtCognome->text(), QString());
    QCOMPARE(ed->txtProvRes->currentText(), QString());
    QCOMPARE(ed->lblFile02->text(), QString());
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(ed->txtPreavviso->text(), QStringLiteral("0"));
    QCOMPARE(ed->txtTotale->text(), QStringLiteral("0,00"));
    QCOMPARE(QApplication::focusWidget(), ed->txtCognome);
    QVERIFY(!QFileInfo::exists(archive())); // a new record touches no file

    const struct {
        const char *name;
        int limit;
    } limits[] = {{"txtCognome", 50},  {"txtCodFisc", 16},   {"txtSesso", 1},   {"txtIva", 11},
                  {"txtCap", 5},       {"txtIngresso", 250}, {"txtEmail", 120}, {"txtIban", 27},
                  {"txtScadePer", 10}, {"txtPreavviso", 3},  {"txtTotale", 15}, {"txtContratto", 250}};
    for (const auto &l : limits)
        QVERIFY2(box(l.name)->maxLength() == l.limit, l.name);
    QCOMPARE(ed->txtProvRes->lineEdit()->maxLength(), 2);
    // Each command opens its own window, modally, owned by the editor; the search is told who opened it.
    const QList<QPair<Picture *, QString>> opens = {{ed->cmdTrova, QStringLiteral("TfrmTrovaAnagrafica")},
                                                    {ed->cmdStampa, QStringLiteral("TfrmStampaAnagrafica")},
                                                    {ed->cmdAnteprima, QStringLiteral("TfrmAnteprimaAnagrafica")},
                                                    {ed->cmdEsporta, QStringLiteral("TfrmExpAnagrafica")},
                                                    {ed->cmdScaduti, QStringLiteral("TfrmContrattiScaduti")}};
    for (const auto &[cmd, cls] : opens) {
        QString opened, memory;
        TestSupport::onNextModal([&](QWidget *w) {
            opened = QString::fromLatin1(w->metaObject()->className());
            if (auto *m = w->findChild<QLabel *>(QStringLiteral("lblMemory")))
                memory = m->text();
            QVERIFY(w->parentWidget() == ed);
            w->close();
        });
        QVERIFY2(cmd->isEnabled(), qPrintable(cmd->objectName()));
        emit cmd->clicked();
        QCOMPARE(opened, cls);
        if (cmd == ed->cmdTrova)
            QCOMPARE(memory, QStringLiteral("anagrafica"));
    }
    // The whole form fits a 1366 x 768 office screen, title bar and task bar included.
    QVERIFY2(ed->minimumSizeHint().width() <= 1366, qPrintable(QString::number(ed->minimumSizeHint().width())));
    QVERIFY2(ed->minimumSizeHint().height() <= 700, qPrintable(QString::number(ed->minimumSizeHint().height())));
}

void TestRegistry::recordsAtFixedOffsets()
{
    for (int i = 1; i <= 3; ++i) {
        ed->cmdNuovoClick();
        fillValid();
        ed->txtNome->setText(QStringLiteral("NOME%1").arg(i));
        ed->txtNote->setText(QStringLiteral("Nota %1 è qui").arg(i));
        if (i == 3) {
            // Pasted past the box's limit: the box and the record both keep the first 50 characters.
            QApplication::clipboard()->setText(QString(60, QLatin1Char('K')));
            ed->txtCognome->clear();
            ed->txtCognome->paste();
        }
        ed->cmdSalvaClick();
        QCOMPARE(ed->lblPosizione->text(), QString::number(i));
    }
    const QByteArray all = fileBytes(archive());
    QCOMPARE(all.size(), 15270);
    QCOMPARE(fieldAt(all, 5141, 50), QStringLiteral("NOME2"));
    QCOMPARE(fieldAt(all, 7151, 250), QStringLiteral("Nota 2 è qui"));
    QCOMPARE(all.at(5090 + 2061 + 1 + 7), '\xE8'); // one Windows-1252 byte for "è"
    QCOMPARE(uchar(all.at(2 * kRecord)), uchar(50));
    QCOMPARE(fieldAt(all, 2 * kRecord, 50), QString(50, QLatin1Char('K')));
    QCOMPARE(uchar(all.at(kRecord + 102)), uchar(0)); // an empty field: length 0
}

void TestRegistry::everyControlRoundTrips()
{
    // Every one of the 50 fields gets its own value through its control, goes to the archive and comes back.
    QHash<QString, QString> values;
    for (int i = 0; i < kApplicantLayout.count(); ++i) {
        const auto &f = kApplicantLayout.field(i);
        const QString control = QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
        QString v = QStringLiteral("v%1").arg(i).left(f.capacity);
        if (control == QLatin1String("txtDecorrenza"))
            v = QStringLiteral("01/02/2023");
        else if (control == QLatin1String("txtScadenza"))
            v = QStringLiteral("01/02/2025");
        else if (control == QLatin1String("txtTotale"))
            v = QStringLiteral("18500,50"); // an amount, or the save refuses it
        else if (control == QLatin1String("txtScadePer"))
            v = QStringLiteral("15/09/2026"); // a save stores a real day or nothing
        else if (control == QLatin1String("txtProvRes"))
            v = QStringLiteral("ZZ"); // not in the list: shown as typed text
        values.insert(control, v);
        if (auto *e = ed->findChild<QLineEdit *>(control); e && e->objectName() == control)
            e->setText(v);
        else if (auto *l = ed->findChild<QLabel *>(control))
            l->setText(v);
        else if (control == QLatin1String("txtProvRes"))
            ed->txtProvRes->setEditText(v);
        else
            QFAIL(qPrintable(control));
    }
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inserted());
    ed->cmdNuovoClick();
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        QString shown;
        if (it.key() == QLatin1String("txtProvRes"))
            shown = ed->txtProvRes->currentText();
        else if (auto *l = ed->findChild<QLabel *>(it.key()))
            shown = l->text();
        else
            shown = ed->findChild<QLineEdit *>(it.key())->text();
        QVERIFY2(shown == it.value(), qPrintable(it.key()));
    }
    QCOMPARE(ed->txtProvRes->currentIndex(), -1);
    // Independent reads at the offices' offsets.
    const QByteArray rec = fileBytes(archive());
    QCOMPARE(fieldAt(rec, 424, 2), QStringLiteral("ZZ"));
    QCOMPARE(fieldAt(rec, 3291, 10), QStringLiteral("01/02/2023"));
    QCOMPARE(fieldAt(rec, 3317, 15), values.value(QStringLiteral("txtTotale")));
    QCOMPARE(fieldAt(rec, 4839, 250), values.value(QStringLiteral("lblDesc03")));
}

void TestRegistry::saveChecksInOrder()
{
    // From an empty screen, each fix uncovers the next check.
    ed->txtPreavviso->clear();
    struct Step {
        std::function<void()> change;
        Seams::MsgKind kind;
        QString message;
        QWidget *focus;
    };
    const auto W = Seams::MsgKind::Warning, P = Seams::MsgKind::Plain;
    const QList<Step> steps = {
        {[] {}, W, kMsgSurname, ed->txtCognome},
        {[this] { ed->txtCognome->setText(QStringLiteral("  ROSSI ")); }, W, kMsgName, ed->txtNome},
        {[this] { ed->txtNome->setText(QStringLiteral("MARIO")); }, W, kMsgHired, ed->txtDecorrenza},
        {[this] { ed->txtDecorrenza->setText(QStringLiteral("31/02/2024")); }, W, kMsgExpiry, ed->txtScadenza},
        {[this] { ed->txtScadenza->setText(QStringLiteral("xx")); }, P, msgHiredInvalid(QStringLiteral("31/02/2024")),
         ed->txtDecorrenza},
        {[this] { ed->txtDecorrenza->setText(QStringLiteral("02/03/2024")); }, P,
         msgExpiryInvalid(QStringLiteral("xx")), ed->txtScadenza},
        {[this] { ed->txtScadenza->setText(QStringLiteral("01/03/2024")); }, P,
         msgInterval(QStringLiteral("01/03/2024"), QStringLiteral("02/03/2024")), ed->btnFocus},
        {[this] { ed->txtScadenza->setText(QStringLiteral("02/03/2024")); }, W, kMsgNotice, ed->txtPreavviso},
    };
    for (const auto &s : steps) {
        s.change();
        Seams::Messages::clear();
        ed->txtCittaNasc->setFocus();
        ed->cmdSalvaClick();
        QCOMPARE(Seams::Messages::shown().size(), 1);
        QCOMPARE(Seams::Messages::last().kind, s.kind);
        QCOMPARE(Seams::Messages::last().text, s.message);
        QCOMPARE(QApplication::focusWidget(), s.focus);
    }
    QVERIFY(!QFileInfo::exists(archive())); // a refused save touches no file
    ed->txtPreavviso->setText(QStringLiteral("0"));
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inserted());
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Information);
    QCOMPARE(fieldAt(fileBytes(archive()), 0, 50), QStringLiteral("ROSSI"));
}

void TestRegistry::saveChecksOneFailureEach()
{
    struct Row {
        const char *name;
        const char *box;
        const char *text;
        QString message;
    };
    const Row rows[] = {
        {"surname blank", "txtCognome", "   ", kMsgSurname},
        {"name blank", "txtNome", " ", kMsgName},
        {"hiring date empty", "txtDecorrenza", "", kMsgHired},
        {"expiry empty", "txtScadenza", "", kMsgExpiry},
        {"hiring date 30 February", "txtDecorrenza", "30/02/2024", msgHiredInvalid(QStringLiteral("30/02/2024"))},
        {"expiry in another form", "txtScadenza", "2024-03-01", msgExpiryInvalid(QStringLiteral("2024-03-01"))},
        {"hired one day after expiry", "txtDecorrenza", "02/03/2024",
         msgInterval(QStringLiteral("01/03/2024"), QStringLiteral("02/03/2024"))},
        {"notice emptied", "txtPreavviso", "", kMsgNotice},
    };
    for (const auto &row : rows) {
        if (&row != rows) // the record the row before could not save is dropped
            Seams::Messages::setNextAnswer(Seams::Answer::No);
        ed->cmdNuovoClick();
        fillValid();
        box(row.box)->setText(QString::fromLatin1(row.text));
        Seams::Messages::clear();
        ed->cmdSalvaClick();
        QVERIFY2(Seams::Messages::shown().size() == 1, row.name);
        QVERIFY2(Seams::Messages::last().text == row.message, row.name);
        QVERIFY2(ed->lblPosizione->text().isEmpty(), row.name);
    }
    QVERIFY(!QFileInfo::exists(archive())); // a refused save touches no file
}

void TestRegistry::appendThenOverwrite()
{
    writeArchive(archive(), {QStringLiteral("UNO"), QStringLiteral("DUE"), QStringLiteral("TRE"), QStringLiteral("4"),
                             QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("SETTE")});
    fillValid();
    ed->cmdSalvaClick();
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("8"));
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::inserted());
    ed->txtCognome->setText(QStringLiteral("BIANCHI"));
    ed->txtCognome->setFocus();
    QTest::keyClick(ed->txtCognome, Qt::Key_S, Qt::ControlModifier); // the editor's keys save from any field
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("8"));
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::savedChanges());
    const QByteArray all = fileBytes(archive());
    QCOMPARE(all.size(), 8 * kRecord);
    QCOMPARE(fieldAt(all, 7 * kRecord, 50), QStringLiteral("BIANCHI"));
    QCOMPARE(fieldAt(all, 6 * kRecord, 50), QStringLiteral("SETTE"));

    // Navigation reads the same file.
    QTest::keyClick(ed->txtCognome, Qt::Key_PageUp, Qt::AltModifier);
    QCOMPARE(ed->txtCognome->text(), QStringLiteral("SETTE"));
    QCOMPARE(ed->txtDecorrenza->text(), QString()); // nothing of the previous record stays
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QTest::mouseClick(ed->cmdIndietro, Qt::LeftButton);
    QCOMPARE(ed->lblPosizione->text(), QStringLiteral("1"));
}

void TestRegistry::saveFailureKeepsRecordNew()
{
    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Append; });
    fillValid();
    ed->cmdSalvaClick();
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
    QCOMPARE(ed->lblPosizione->text(), QString());
    QCOMPARE(ed->txtCognome->text(), QStringLiteral("ROSSI"));

    ArchiveFile::setFaultHook([](ArchiveFile::Op op, const QString &) { return op == ArchiveFile::Op::Open; });
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(Seams::Messages::last().kind, Seams::MsgKind::Error);
    QCOMPARE(Seams::Messages::last().text, ArchiveTexts::accessFailure());
}

void TestRegistry::incomeFormatting_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("12") << QStringLiteral("12") << false << QStringLiteral("12,00");
    QTest::newRow("12,5") << QStringLiteral("12,5") << false << QStringLiteral("12,50");
    QTest::newRow("12,345") << QStringLiteral("12,345") << false << QStringLiteral("12,345");
    QTest::newRow("3,14159") << QStringLiteral("3,14159") << false << QStringLiteral("3,1416");
    QTest::newRow(",5") << QStringLiteral(",5") << false << QStringLiteral("0,50");
    QTest::newRow("0,0001") << QStringLiteral("0,0001") << false << QStringLiteral("0,0001");
    QTest::newRow("full stop refused") << QStringLiteral("1.5") << false << QStringLiteral("15,00");
    QTest::newRow("second comma refused") << QStringLiteral("1,2,3") << false << QStringLiteral("1,23");
    QTest::newRow("empty") << QString() << false << QStringLiteral("0,00");
    QTest::newRow("-5 pasted") << QStringLiteral("-5") << true << QStringLiteral("0,00");
    QTest::newRow("1e5 pasted") << QStringLiteral("1e5") << true << QStringLiteral("0,00");
    QTest::newRow("12,5 pasted") << QStringLiteral("12,5") << true << QStringLiteral("12,50");
}

void TestRegistry::incomeFormatting()
{
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, shown);
    ed->txtTotale->setFocus();
    ed->txtTotale->clear();
    if (pasted) {
        QApplication::clipboard()->setText(typed);
        ed->txtTotale->paste();
    } else {
        QTest::keyClicks(ed->txtTotale, typed);
    }
    QTest::keyClick(ed->txtTotale, Qt::Key_Return); // leaving the box formats it
    QCOMPARE(QApplication::focusWidget(), ed->txtContratto);
    QCOMPARE(ed->txtTotale->text(), shown);
}

void TestRegistry::typingRules()
{
    const struct {
        const char *box;
        const char *typed;
        const char *shown;
    } rows[] = {
        {"txtCodFisc", " rssmra 80a ", "RSSMRA80A"}, // a blank typed at the end goes at once
        {"txtSesso", "f", "F"},
        {"txtIban", " it60x", "IT60X"},
        {"txtEmail", "  Mario.Rossi@Posta.it ", "Mario.Rossi@Posta.it"},
        {"txtIva", "12a3.4", "1234"},
        {"txtCarta", "4x5 6", "456"},
        {"txtPreavviso", "3o0", "30"},
        {"txtCognome", "de rossi", "de rossi"},
    };
    for (const auto &r : rows) {
        QLineEdit *e = box(r.box);
        e->setFocus();
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(r.typed));
        QVERIFY2(e->text() == QString::fromLatin1(r.shown), r.box);
    }
    // Pasted text follows the same trimming.
    QApplication::clipboard()->setText(QStringLiteral("  a@b.it  "));
    ed->txtEmail->clear();
    ed->txtEmail->paste();
    QCOMPARE(ed->txtEmail->text(), QStringLiteral("a@b.it"));
    // The province box capitalises and trims as well.
    ed->txtProvRes->setFocus();
    QTest::keyClicks(ed->txtProvRes, QStringLiteral(" rm"));
    QCOMPARE(ed->txtProvRes->currentText(), QStringLiteral("RM"));
    // A Latin letter the archive cannot hold is kept as its base letter; what has no Latin form is refused,
    // with a hint.
    ed->txtCognome->setFocus();
    ed->txtCognome->clear();
    typeText(ed->txtCognome, QStringLiteral("Żд"));
    QCOMPARE(ed->txtCognome->text(), QStringLiteral("Z"));
    QVERIFY(ed->panInfo->text().contains(QStringLiteral("д")));

    // Highlights follow the focus, hints follow the mouse.
    auto *eff = ed->findChild<QWidget *>(QStringLiteral("effTotale"));
    QVERIFY(eff);
    ed->txtTotale->setFocus();
    QVERIFY(eff->isVisible());
    ed->txtNote->setFocus();
    QVERIFY(!eff->isVisible());
    QVERIFY(ed->findChild<QWidget *>(QStringLiteral("effProvRes")));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(ed->btnIban, &enter);
    QCOMPARE(ed->panInfo->text(), QStringLiteral("Controlla l'IBAN."));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(ed->btnIban, &leave);
    QCOMPARE(ed->panInfo->text(), QString());
}

void TestRegistry::enterChain()
{
    const int n = int(std::size(kChain));
    for (int i = 0; i < n; ++i) {
        const QString from = QString::fromLatin1(kChain[i]);
        if (from == QLatin1String("txtScadePer") || from == QLatin1String("txtDecorrenza") ||
            from == QLatin1String("txtScadenza"))
            continue; // Enter there opens the calendar
        auto *w = ed->findChild<QWidget *>(from);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Return);
        QVERIFY2(QApplication::focusWidget() == ed->findChild<QWidget *>(QString::fromLatin1(kChain[(i + 1) % n])),
                 kChain[i]);
    }
}

void TestRegistry::provinceBox()
{
    const QStringList &codes = TfrmAnagrafica::provinceCodes();
    QCOMPARE(codes.size(), 112);
    QCOMPARE(ed->txtProvRes->count(), 112);
    QCOMPARE(ed->txtProvRes->itemText(0), QStringLiteral("AG"));
    QCOMPARE(ed->txtProvRes->itemText(17), QStringLiteral("BT"));
    QCOMPARE(ed->txtProvRes->itemText(85), QStringLiteral("RM"));
    QCOMPARE(ed->txtProvRes->itemText(111), QStringLiteral("VV"));
    QCOMPARE(codes.indexOf(QStringLiteral("EE")), 31);
    QCOMPARE(QStringList(codes).removeDuplicates(), 0);

    writeArchive(archive(), {QStringLiteral("UNO"), QStringLiteral("DUE")}, QStringLiteral("CH"));
    QTest::mouseClick(ed->cmdPrimo, Qt::LeftButton);
    QCOMPARE(ed->txtProvRes->currentText(), QStringLiteral("CH"));
    // A stored value that is not in the list is shown as typed text.
    writeArchive(archive(), {QStringLiteral("UNO"), QStringLiteral("DUE")}, QStringLiteral("X9"));
    QTest::mouseClick(ed->cmdUltimo, Qt::LeftButton);
    QCOMPARE(ed->txtProvRes->currentText(), QStringLiteral("X9"));
    QCOMPARE(ed->txtProvRes->currentIndex(), -1);

    // Taking the focus clears the list selection and keeps the text.
    ed->txtProvRes->setCurrentIndex(codes.indexOf(QStringLiteral("TO")));
    ed->txtNome->setFocus();
    ed->txtProvRes->setFocus();
    QCOMPARE(ed->txtProvRes->currentIndex(), -1);
    QCOMPARE(ed->txtProvRes->currentText(), QStringLiteral("TO"));
}

void TestRegistry::calendarFields()
{
    const struct {
        QLineEdit *field;
        const char *tag;
    } rows[] = {{ed->txtScadePer, "anagrafica_scadeper"},
                {ed->txtDecorrenza, "anagrafica_decorrenza"},
                {ed->txtScadenza, "anagrafica_scadenza"}};
    int day = 1;
    for (const auto &row : rows) {
        bool seen = false;
        TestSupport::onNextModal([&](QWidget *w) {
            const auto closeAnyway = qScopeGuard([w] {
                if (w)
                    w->close();
            }); // a failed check must not hang
            auto *cal = qobject_cast<TfrmCalendario *>(w);
            QVERIFY(cal);
            seen = true;
            QCOMPARE(cal->lblMemory->text(), QString::fromLatin1(row.tag));
            QCOMPARE(cal->parentWidget(), ed);
            // Centred on the editor at its real size.
            QVERIFY((cal->frameGeometry().center() - ed->frameGeometry().center()).manhattanLength() <= 4);
            cal->calAppuntamenti->setSelectedDate(QDate(2024, 5, day));
            QTest::mouseClick(cal->btnImportaData, Qt::LeftButton);
        });
        row.field->setFocus();
        QTest::keyClick(row.field, day == 2 ? Qt::Key_Return : Qt::Key_7);
        QVERIFY2(seen, row.tag);
        QCOMPARE(row.field->text(), QStringLiteral("%1/05/2024").arg(day, 2, 10, QLatin1Char('0')));
        ++day;
    }
    // Only the three fields changed, each with its own date.
    QCOMPARE(ed->txtScadePer->text(), QStringLiteral("01/05/2024"));
    QCOMPARE(ed->txtDataRil->text(), QString());
    QTest::keyClick(ed->txtScadenza, Qt::Key_Backspace);
    QCOMPARE(ed->txtScadenza->text(), QString());
    QVERIFY(ed->txtScadenza->isReadOnly());
}

void TestRegistry::checkButtonsRouteTheirText()
{
    const struct {
        QPushButton *button;
        QLineEdit *field;
        const char *text;
        const char *window;
        const char *entry;
    } rows[] = {
        {ed->btnCodFisc, ed->txtCodFisc, "RSSMRA80A01H501U", "TfrmCodFisc", "txtCodFisc"},
        {ed->btnCodFisc, ed->txtCodFisc, "01234567890", "TfrmPartitaIva", "txtPartitaIva"},
        {ed->btnIva, ed->txtIva, "01234567890", "TfrmPartitaIva", "txtPartitaIva"},
        {ed->btnCarta, ed->txtCarta, "  4111111111111111 ", "TfrmCarta", "txtNumero"},
        {ed->btnIban, ed->txtIban, "IT60X0542811101000000123456", "TfrmIban", "txtIban"},
    };
    for (const auto &row : rows) {
        row.field->setText(QString::fromLatin1(row.text));
        QString opened, entryName, entryText;
        QWidget *owner = nullptr;
        TestSupport::onNextModal([&](QWidget *w) {
            const auto closeAnyway = qScopeGuard([w] {
                if (w)
                    w->close();
            });
            QVERIFY(w);
            opened = QString::fromLatin1(w->metaObject()->className());
            owner = w->parentWidget();
            if (auto *check = qobject_cast<TCheckWindow *>(w)) {
                entryName = check->entry()->objectName();
                entryText = check->entry()->text();
            }
        });
        QTest::mouseClick(row.button, Qt::LeftButton);
        QCOMPARE(opened, QString::fromLatin1(row.window));
        QCOMPARE(owner, ed);
        QCOMPARE(entryName, QString::fromLatin1(row.entry));
        QCOMPARE(entryText, QString::fromLatin1(row.text).trimmed());
        QCOMPARE(row.field->text(), QString::fromLatin1(row.text)); // the editor's field never changes
    }
}

void TestRegistry::emailLink()
{
    const struct {
        const char *address;
        const char *opened;
    } rows[] = {
        {" mario.rossi+uff@posta.it ", "\"mailto:mario.rossi+uff@posta.it\""},
        {"", "\"mailto:\""},
        // A stored address cannot add an attachment, a subject or a body to the message.
        {"x@y?attach=/etc/passwd&body=ciao", "\"mailto:x@y%3Fattach%3D%2Fetc%2Fpasswd%26body%3Dciao\""},
        {"a b@c.it#x", "\"mailto:a%20b@c.it%23x\""},
    };
    for (const auto &row : rows) {
        Seams::Shell::opened().clear();
        ed->txtEmail->setText(QString::fromLatin1(row.address));
        QTest::mouseClick(ed->btnEmail, Qt::LeftButton);
        QCOMPARE(Seams::Shell::opened(), QStringList{QString::fromLatin1(row.opened)});
        const QString bare = Seams::Shell::opened().first().mid(1).chopped(1);
        const QUrl url(bare, QUrl::TolerantMode);
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QVERIFY(!url.hasQuery());
        QVERIFY(!url.hasFragment());
    }
}

void TestRegistry::help()
{
    QTest::mouseClick(ed->cmdGuida, Qt::LeftButton);
    QCOMPARE(Seams::Help::shown().size(), 1);
    QCOMPARE(TestSupport::helpTitle(), QStringLiteral("Applicazione Anagrafica Richiedenti."));
    const QStringList paragraphs = TestSupport::helpParagraphs();
    QCOMPARE(paragraphs.size(), 8);
    QVERIFY(paragraphs.first().startsWith(
        QStringLiteral("L'applicazione Anagrafica Richiedenti è una completa rubrica elettronica in cui archiviare "
                       "i dati dei cittadini stranieri richiedenti il permesso di soggiorno.")));
    QCOMPARE(paragraphs.last(), QStringLiteral("L'intero archivio dei richiedenti è esportabile in Excel, mentre "
                                               "la singola scheda anagrafica può essere stampata su carta."));
}

QTEST_MAIN(TestRegistry)
#include "test_registry.moc"
