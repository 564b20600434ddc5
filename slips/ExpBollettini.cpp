#include "slips/ExpBollettini.h"

#include "app/Guida.h"
#include "app/HelpTexts.h"
#include "core/ArchiveFile.h"
#include "core/Formats.h"
#include "core/Seams.h"
#include "core/widgets/ExportGrid.h"
#include "core/widgets/Input.h"
#include "core/widgets/Picture.h"
#include "core/widgets/ScanProgress.h"
#include "core/widgets/SummaryList.h"
#include "core/widgets/WindowStyle.h"
#include "slips/SlipLists.h"
#include "slips/SlipRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
struct GridColumn {
    const char *heading;
    std::string_view field; // empty for the row number
    int gridWidth;
    int exportWidth;
    bool editable;
};
constexpr GridColumn kColumns[] = {
    {"N.", {}, 50, 0, false},
    {"Importo versato", "Intero", 110, 250, false},
    {"Esecutore", "Esecutore", 240, 350, false},
    {"Indirizzo di residenza", "IndirizzoRes", 180, 250, false},
    {"CAP", "CapRes", 60, 120, false},
    {"Comune di residenza", "ComuneRes", 150, 250, true},
    {"Data scadenza", "DataScade", 100, 150, false},
    {"Data versamento", "DataPaga", 110, 150, false},
    {"Estremi timbro postale", "Timbro", 200, 250, false},
    {"Note", "Note", 240, 350, true},
    {"Saldato", "Saldato", 60, 100, true},
};
} // namespace

TfrmExpBollettini::TfrmExpBollettini(QWidget *parent) : QDialog(parent) {
    Formats::applyProcessFormats();
    setObjectName(QStringLiteral("frmExpBollettini"));
    setWindowTitle(QStringLiteral(" Esporta archivio annuale versamenti in Microsoft Excel"));
    WindowStyle::fixedDialog(this);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/banner.svg"), QSize(960, 80), this);
    grdRecords = new TExportGrid(this);
    QStringList headings;
    QList<int> widths, editable;
    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        headings.append(QString::fromUtf8(kColumns[c].heading));
        widths.append(kColumns[c].gridWidth);
        if (kColumns[c].editable)
            editable.append(c);
    }
    grdRecords->setColumns(headings, widths, editable, true);

    cmdEsporta = new Picture(QStringLiteral("cmdEsporta"), QStringLiteral(":/icons/excel.svg"), QSize(48, 48), this);
    cmdGuida = new Picture(QStringLiteral("cmdGuida"), QStringLiteral(":/icons/help.svg"), QSize(48, 48), this);
    cmdEsci = new Picture(QStringLiteral("cmdEsci"), QStringLiteral(":/icons/exit.svg"), QSize(48, 48), this);
    for (auto *p : {cmdEsporta, cmdGuida, cmdEsci})
        p->setCursor(Qt::PointingHandCursor);
    panInfo = new QLabel(QStringLiteral("Esportazione archivio in Microsoft Excel."), this);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setStyleSheet(QStringLiteral("background-color: #6A5ACD; color: white; padding: 4px;"));

    auto *commands = new QHBoxLayout;
    commands->addWidget(cmdEsporta);
    commands->addWidget(cmdGuida);
    commands->addStretch();
    commands->addWidget(cmdEsci);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(imgLogo, 0, Qt::AlignHCenter);
    layout->addWidget(grdRecords, 1);
    layout->addLayout(commands);
    layout->addWidget(panInfo);
    setFixedSize(1000, 680);

    Input::statusHints(panInfo,
                       {
                           {cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
                           {cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
                           {cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro.")},
                       });
    connect(cmdEsporta, &Picture::clicked, this, &TfrmExpBollettini::cmdEsportaClick);
    connect(cmdGuida, &Picture::clicked, this, &TfrmExpBollettini::cmdGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &TfrmExpBollettini::cmdEsciClick);
}

void TfrmExpBollettini::showEvent(QShowEvent *e) {
    if (!e->spontaneous()) {
        WindowStyle::centre(this);
        FormShow();
    }
    QDialog::showEvent(e);
}

void TfrmExpBollettini::FormShow() {
    int fields[std::size(kColumns)];
    for (int c = 1; c < int(std::size(kColumns)); ++c)
        fields[c] = kSlipLayout.indexOf(kColumns[c].field);
    QList<QStringList> rows;
    ArchiveFile file(SlipLists::archivePath(), kSlipLayout.size());
    m_readFailure.clear();
    if (!file.open(ArchiveFile::Mode::ReadOrCreate)) {
        m_readFailure = file.failureText();
    } else {
        rows.reserve(file.count());
        ScanProgress progress(this, file.count());
        // A read failure ends the filling with the rows read so far, which are shown but not exported.
        const bool whole = file.scan([&](const char *bytes, qint64 position) {
            const RecordView slip(kSlipLayout, bytes);
            QStringList row;
            row.reserve(qsizetype(std::size(kColumns)) - 1);
            row.append(QStringLiteral("€ ") + slip.text(fields[1]));
            for (int c = 2; c < int(std::size(kColumns)); ++c)
                row.append(slip.text(fields[c]));
            rows.append(std::move(row));
            return progress.step(position);
        });
        if (!whole)
            m_readFailure = file.failureText();
        else if (progress.cancelled())
            m_readFailure = QStringLiteral("Attenzione: la lettura dell'archivio è stata interrotta e la griglia non "
                                           "contiene tutte le schede.\n\r\n\rPer esportarle riaprire questa finestra.");
        file.close();
    }
    grdRecords->setRows(std::move(rows));
}

SpreadsheetExport TfrmExpBollettini::description() const {
    SpreadsheetExport d;
    d.fileName = QStringLiteral("Riepilogo_Annuale_Versamenti.xls");
    d.sheetName = QStringLiteral("Riepilogo annuale versamenti");
    for (int c = 1; c < int(std::size(kColumns)); ++c)
        d.columns.append({QString::fromUtf8(kColumns[c].heading), kColumns[c].exportWidth});
    d.rows = grdRecords->rows();
    return d;
}

void TfrmExpBollettini::cmdEsportaClick() {
    if (!m_readFailure.isEmpty())
        return Seams::Messages::error(this, m_readFailure);
    ExportSpreadsheet(this, description());
}

void TfrmExpBollettini::cmdGuidaClick() {
    TfrmGuida::showHelp(this, HelpTexts::exportSlipsTitle(), HelpTexts::exportSlipsText());
}

void TfrmExpBollettini::cmdEsciClick() {
    close();
}
