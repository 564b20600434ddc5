// The applicant sheet: printed to PDF from the editor's screen and read back word by word.

#include "core/report/Report.h"
#include "core/widgets/Forms.h"
#include "registry/AnteprimaAnagrafica.h"
#include "registry/StampaAnagrafica.h"
#include "tests/ApplicantFixture.h"
#include "tests/PdfText.h"
#include "tests/TestSupport.h"

#include <QPushButton>
#include <QtTest>

class TestApplicantSheet : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void printedRows();
    void joinedValues();
    void previewAndCancel();

private:
    TestProgramFolder *m_folder = nullptr;
    QWidget *m_editor = nullptr;
};

static const QStringList kLabels{QStringLiteral("Cognome e nome:"),
                                 QStringLiteral("Codice fiscale:"),
                                 QStringLiteral("Sesso:"),
                                 QStringLiteral("Data di nascita:"),
                                 QStringLiteral("Città di nascita:"),
                                 QStringLiteral("Partita IVA:"),
                                 QStringLiteral("Via e numero civico:"),
                                 QStringLiteral("CAP:"),
                                 QStringLiteral("Comune di residenza:"),
                                 QStringLiteral("Cittadinanza:"),
                                 QStringLiteral("Ingresso in Italia:"),
                                 QStringLiteral("Tel. preferenziale:"),
                                 QStringLiteral("Tel. casa:"),
                                 QStringLiteral("Tel cellulare:"),
                                 QStringLiteral("Tel. ufficio:"),
                                 QStringLiteral("E-mail:"),
                                 QStringLiteral("Permesso di soggiorno n."),
                                 QStringLiteral("Scadenza permesso:"),
                                 QStringLiteral("Comuni soggiorno:"),
                                 QStringLiteral("IBAN:"),
                                 QStringLiteral("Intestatario C/C:"),
                                 QStringLiteral("Banca:"),
                                 QStringLiteral("Carta di credito n."),
                                 QStringLiteral("Scadenza carta di credito:"),
                                 QStringLiteral("Tipologia lavoro:"),
                                 QStringLiteral("Precedenti penali:"),
                                 QStringLiteral("Note:"),
                                 QStringLiteral("Tipo documento:"),
                                 QStringLiteral("Numero documento:"),
                                 QStringLiteral("Ente di rilascio:"),
                                 QStringLiteral("Data di rilascio:"),
                                 QStringLiteral("Data di scadenza:"),
                                 QStringLiteral("Stato civile:"),
                                 QStringLiteral("Coniuge:"),
                                 QStringLiteral("Figli a carico:"),
                                 QStringLiteral("Datore di lavoro:"),
                                 QStringLiteral("Data assunzione:"),
                                 QStringLiteral("Prossima scadenza:"),
                                 QStringLiteral("Reddito annuo: €"),
                                 QStringLiteral("Contratto di lavoro:")};

// The control shown on row k (the first of two for the joined rows).
static const char *const kRowControls[] = {
    "txtCognome", "txtCodFisc",    "txtSesso",      "txtDataNasc",   "txtCittaNasc",  "txtIva",     "txtIndirizzo",
    "txtCap",     "txtComuneRes",  "txtStatoCit",   "txtIngresso",   "txtRecapito",   "txtTelCasa", "txtTelCel",
    "txtTelUff",  "txtEmail",      "txtPermesso",   "txtScadePer",   "txtComuniSog",  "txtIban",    "txtIntestatario",
    "txtBanca",   "txtCarta",      "txtScadeCarta", "txtTipoLavoro", "txtPrecedenti", "txtNote",    "txtTipoDoc",
    "txtNumDoc",  "txtEnteRil",    "txtDataRil",    "txtDataSca",    "txtCivile",     "txtConiuge", "txtFigli",
    "txtDatore",  "txtDecorrenza", "txtScadenza",   "txtTotale",     "txtContratto"};

void TestApplicantSheet::init()
{
    TestSupport::resetSeams(QDate(2024, 3, 5));
    Seams::Clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7)));
    m_folder = new TestProgramFolder;
    m_editor = ApplicantFixture::editor();
    // Every control holds a word of its own, with blanks around it that the sheet trims.
    for (const auto &f : kApplicantFields) {
        const QString control = QString::fromLatin1(f.control.data(), qsizetype(f.control.size()));
        ApplicantFixture::setText(m_editor, control, QStringLiteral(" v") + control.mid(3) + QLatin1Char(' '));
    }
}

void TestApplicantSheet::cleanup()
{
    TestSupport::checkSeams();
    Forms::clear();
    delete m_folder;
}

// 40 rows at their places, a long value cut at its box, a note with a line break on one line and its
// brackets printed as typed, the footer's time with seconds. A new, unsaved screen: no archive is read.
void TestApplicantSheet::printedRows()
{
    if (PdfText::tool().isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the printed PDF cannot be read back");
    QString street = QStringLiteral("VIA");
    for (int i = 0; street.size() < 110; ++i)
        street += QStringLiteral(" PAROLA%1").arg(i);
    ApplicantFixture::setText(m_editor, QStringLiteral("txtIndirizzo"), street);
    ApplicantFixture::setText(m_editor, QStringLiteral("txtNote"), QStringLiteral("prima riga\n[DATE] seconda"));

    TfrmStampaAnagrafica w(m_editor);
    QCOMPARE(w.windowTitle(), QStringLiteral(" Stampa scheda"));
    w.show();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("scheda.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    QTest::mouseClick(w.btnStampa, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QCOMPARE(PdfText::pageCount(pdf), 1);
    QCOMPARE(PdfText::title(pdf), QStringLiteral("Scheda_vCognome")); // named after the applicant
    const QSizeF page = PdfText::pageSizeMm(pdf);
    QVERIFY(qAbs(page.width() - 210) < 0.5 && qAbs(page.height() - 297) < 0.5);

    QStringList labels(40), values(40);
    QList<PdfText::Word> firstLabel(40), firstValue(40);
    double valueRight = 0;
    for (const auto &word : PdfText::words(pdf)) {
        const int k = qFloor((word.mm.center().y() - 17.0) / 5.0);
        if (k < 0 || k >= 40)
            continue;
        const bool isLabel = word.mm.left() < 52.0;
        QString &text = isLabel ? labels[k] : values[k];
        if (text.isEmpty())
            (isLabel ? firstLabel : firstValue)[k] = word;
        text += (text.isEmpty() ? QString() : QStringLiteral(" ")) + word.text;
        if (k == 6 && !isLabel)
            valueRight = std::max(valueRight, word.mm.right());
    }
    // Inside the margins: labels at 2 mm, values at 44 mm, rows 7.5 + 5k from the top, 3.5 high.
    for (int k = 0; k < 40; ++k) {
        QCOMPARE(labels[k], kLabels[k]);
        const double middle = 10.0 + 7.5 + 5.0 * k + 1.75;
        QVERIFY2(qAbs(firstLabel[k].mm.left() - 12.0) <= 0.3, qPrintable(labels[k]));
        QVERIFY2(qAbs(firstLabel[k].mm.center().y() - middle) <= 0.3, qPrintable(labels[k]));
        QVERIFY2(qAbs(firstValue[k].mm.left() - 54.0) <= 0.3, qPrintable(values[k]));
        QVERIFY2(qAbs(firstValue[k].mm.center().y() - middle) <= 0.3, qPrintable(values[k]));
        if (k != 6 && k != 26)
            QVERIFY2(values[k].startsWith(QStringLiteral("v") + QString::fromLatin1(kRowControls[k] + 3)),
                     qPrintable(values[k]));
    }
    QCOMPARE(values[0], QStringLiteral("vCognome vNome"));
    QCOMPARE(values[26], QStringLiteral("prima riga [DATE] seconda"));
    QVERIFY(street.startsWith(values[6]));
    QVERIFY(values[6].size() < street.size() - 10);
    QVERIFY(valueRight <= 10.0 + 44.0 + 144.0 + 0.3);

    const QString text = PdfText::pageText(pdf, 1);
    QVERIFY(text.contains(QStringLiteral("SCHEDA INFORMATIVA RICHIEDENTE")));
    QVERIFY(text.contains(QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:05:07")));
    QVERIFY(!text.contains(QStringLiteral("vPreavviso")));
    QVERIFY(!text.contains(QStringLiteral("vFile01")));
    QVERIFY(!QFileInfo::exists(m_folder->file(QStringLiteral("Richiedenti.pro"))));
}

void TestApplicantSheet::joinedValues()
{
    ApplicantFixture::setText(m_editor, QStringLiteral("txtComuneRes"), QStringLiteral("ROMA"));
    ApplicantFixture::setText(m_editor, QStringLiteral("txtProvRes"), QString());
    ApplicantFixture::setText(m_editor, QStringLiteral("txtCittaNasc"), QStringLiteral(" TIRANA "));
    ApplicantFixture::setText(m_editor, QStringLiteral("txtStatoNasc"), QStringLiteral("  "));
    Report report;
    QVERIFY(ApplicantSheet::prepare(report));
    QCOMPARE(report.find(QStringLiteral("txtComuneRes"))->text, QStringLiteral("ROMA "));
    QCOMPARE(report.find(QStringLiteral("txtCittaNasc"))->text, QStringLiteral("TIRANA    -    Stato:  "));
    QCOMPARE(report.find(QStringLiteral("txtRichiedente"))->text, QStringLiteral("vCognome vNome"));
    QCOMPARE(report.orientation(), QPageLayout::Portrait);
    QCOMPARE(report.pageCount(), 1);
}

void TestApplicantSheet::previewAndCancel()
{
    {
        TfrmAnteprimaAnagrafica w(m_editor);
        QCOMPARE(w.windowTitle(), QStringLiteral(" Anteprima di stampa"));
        QCOMPARE(w.btnStampa->text(), QStringLiteral("Mostra anteprima"));
        w.show();
        QTest::mouseClick(w.btnStampa, Qt::LeftButton);
        QCOMPARE(Seams::Printing::previewCount(), 1);
        QVERIFY(!w.isVisible());
    }
    TfrmStampaAnagrafica w(m_editor);
    w.show();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("scheda.pdf"));
    Seams::Printing::setNextPdfFile(pdf);
    QTest::mouseClick(w.btnAnnulla, Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(Seams::Printing::takeNextPdfFile(), pdf); // no print dialog took it
    QCOMPARE(Seams::Printing::previewCount(), 1);
}

QTEST_MAIN(TestApplicantSheet)
#include "test_applicant_sheet.moc"
