#include "core/widgets/ExportWindow.h"

#include "core/ArchiveFile.h"
#include "core/ArchiveTexts.h"
#include "core/Formats.h"
#include "core/HelpTexts.h"
#include "core/Seams.h"
#include "core/widgets/Controls.h"
#include "core/widgets/ExportGrid.h"
#include "core/widgets/ExportSpreadsheet.h"
#include "core/widgets/Keyboard.h"
#include "core/widgets/Picture.h"
#include "core/widgets/ScanProgress.h"
#include "core/widgets/WindowStyle.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

namespace ExportValues {
std::function<QString(const RecordView &)> field(const RecordLayout &layout, std::string_view name)
{
    const int f = layout.require(name);
    return [f](const RecordView &r) { return r.text(f); };
}

std::function<QString(const RecordView &)> prefixed(const QString &prefix, const RecordLayout &layout,
                                                    std::string_view name)
{
    const int f = layout.require(name);
    return [prefix, f](const RecordView &r) { return prefix + r.text(f); };
}

std::function<QString(const RecordView &)> joined(const RecordLayout &layout, std::string_view first,
                                                  std::string_view second)
{
    const int a = layout.require(first), b = layout.require(second);
    return [a, b](const RecordView &r) { return r.text(a) + QLatin1Char(' ') + r.text(b); };
}
} // namespace ExportValues

TExportWindow::TExportWindow(ExportConfig config, QWidget *parent) : QDialog(parent), m_config(std::move(config))
{
    Formats::applyProcessFormats();
    setObjectName(m_config.name);
    setWindowTitle(m_config.caption);
    WindowStyle::fixedDialog(this);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/icons/banner.svg"), QSize(960, 80), this);
    grdRecords = new TExportGrid(this);
    QStringList headings{QStringLiteral("N.")};
    QList<int> widths{m_config.numberWidth}, editable;
    for (int c = 0; c < m_config.columns.size(); ++c) {
        const ExportColumn &column = m_config.columns.at(c);
        headings.append(QString::fromUtf8(column.heading));
        widths.append(column.gridWidth);
        if (column.editable)
            editable.append(c + 1);
    }
    grdRecords->setColumns(headings, widths, editable, true);

    cmdEsporta = new Picture(QStringLiteral("cmdEsporta"), QStringLiteral(":/icons/excel.svg"), QSize(48, 48), this);
    cmdGuida = new Picture(QStringLiteral("cmdGuida"), QStringLiteral(":/icons/help.svg"), QSize(48, 48), this);
    cmdEsci = new Picture(QStringLiteral("cmdEsci"), QStringLiteral(":/icons/exit.svg"), QSize(48, 48), this);
    for (auto *p : {cmdEsporta, cmdGuida, cmdEsci})
        p->setCursor(Qt::PointingHandCursor);
    panInfo = Controls::statusLine(this, QStringLiteral("Esportazione archivio in Microsoft Excel."));

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
    connect(cmdEsporta, &Picture::clicked, this, &TExportWindow::cmdEsportaClick);
    connect(cmdGuida, &Picture::clicked, this, &TExportWindow::cmdGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &TExportWindow::cmdEsciClick);
}

void TExportWindow::showEvent(QShowEvent *e)
{
    if (!e->spontaneous()) {
        WindowStyle::centre(this);
        FormShow();
    }
    QDialog::showEvent(e);
}

void TExportWindow::FormShow()
{
    QList<QStringList> rows;
    QList<int> numbers;
    const RecordFilter select = m_config.selection ? m_config.selection() : RecordFilter();
    m_failure.clear();
    // One archive's rows, read in file order. A read failure or a cancel ends its filling with the rows read so
    // far and sets the failure, which refuses the export; whatever was read is still shown in order.
    const auto readArchive = [&](const QString &path) {
        QList<QStringList> block;
        ArchiveFile file(path, m_config.layout->size());
        if (!file.open(ArchiveFile::Mode::ReadOrCreate)) {
            m_failure = file.failureText();
        } else {
            block.reserve(file.count());
            ScanProgress progress(this, file.count());
            const bool whole = file.scan([&](const char *bytes, qint64 position) {
                const RecordView record(*m_config.layout, bytes);
                if (!select || select(record)) {
                    QStringList row;
                    row.reserve(m_config.columns.size());
                    for (const ExportColumn &column : m_config.columns)
                        row.append(column.value(record));
                    block.append(std::move(row));
                }
                return progress.step(position);
            });
            if (!whole)
                m_failure = file.failureText();
            else if (progress.cancelled() && m_failure.isEmpty())
                m_failure = QStringLiteral("Attenzione: la lettura dell'archivio è stata interrotta e la griglia non "
                                           "contiene tutte le schede.\n\r\n\rPer esportarle riaprire questa finestra.");
            file.close();
        }
        const int first = int(numbers.size());
        QList<int> order;
        if (m_config.order)
            order = m_config.order(block);
        else
            for (int i = 0; i < block.size(); ++i)
                order.append(i);
        for (int i : order) {
            rows.append(std::move(block[i]));
            numbers.append(first + i + 1);
        }
    };
    readArchive(m_config.archivePath());
    if (m_config.laterArchives)
        for (const QString &path : m_config.laterArchives())
            if (QFileInfo::exists(path))
                readArchive(path);
    grdRecords->setRows(std::move(rows), std::move(numbers));
}

SpreadsheetExport TExportWindow::description() const
{
    SpreadsheetExport d;
    d.fileName = m_config.fileName;
    d.sheetName = m_config.sheetName;
    for (const ExportColumn &column : m_config.columns)
        d.columns.append({QString::fromUtf8(column.heading), column.exportWidth});
    d.rows = grdRecords->rows();
    return d;
}

void TExportWindow::cmdEsportaClick()
{
    // A grid that misses part of the archive would be exported and announced as a success.
    if (!m_failure.isEmpty()) {
        Seams::Messages::error(this, m_failure);
        return;
    }
    ExportSpreadsheet(this, description());
}

void TExportWindow::cmdGuidaClick()
{
    HelpTexts::show(this, m_config.help);
}

void TExportWindow::cmdEsciClick()
{
    close();
}
