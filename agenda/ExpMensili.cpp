#include "agenda/ExpMensili.h"

#include "agenda/DeadlineLists.h"
#include "agenda/DeadlineRecord.h"
#include "core/Formats.h"
#include "core/Seams.h"
#include "core/widgets/WindowNames.h"

namespace {
ExportConfig config()
{
    ExportConfig c;
    c.name = WindowNames::expMensili.toString();
    c.caption = QStringLiteral(" Scadenze del mese");
    c.layout = &kDeadlineLayout;
    c.archivePath = [] { return DeadlineLists::yearArchive(DeadlineLists::chosenDate().year()); };
    c.selection = [] {
        static const QStringList months{
            QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"),
            QStringLiteral("aprile"),  QStringLiteral("maggio"),   QStringLiteral("giugno"),
            QStringLiteral("luglio"),  QStringLiteral("agosto"),   QStringLiteral("settembre"),
            QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre")};
        static const int mese = kDeadlineLayout.at("Mese"), anno = kDeadlineLayout.at("Anno");
        const QString date = Formats::dateText(DeadlineLists::chosenDate());
        const QString month = months.at(date.mid(3, 2).toInt() - 1), year = date.mid(6, 4);
        // A record copied in from another year's file keeps its own year and stays out.
        return RecordFilter(
            [month, year](const RecordView &r) { return r.text(mese).toLower() == month && r.text(anno) == year; });
    };
    c.order = &DeadlineLists::chronological;
    c.numberWidth = 60;
    c.columns = DeadlineLists::listColumns();
    c.fileName = QStringLiteral("Scadenze_Mensili.xls");
    c.sheetName = QStringLiteral("Scadenze del mese");
    c.help = QStringLiteral("deadline_lists");
    return c;
}
} // namespace

TfrmExpMensili::TfrmExpMensili(QWidget *parent) : TExportWindow(config(), parent) {}
