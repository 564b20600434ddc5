#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// The summary report: a one-column printout of fixed-width text lines under a title, A4 landscape,
// the title on the first page only, the lines splitting across pages, a footer after the last line.
namespace SummaryReport {
enum class Variant {
    Schede, // footer "Stampa eseguita in data [DATE] alle ore [TIME]"
    Dati,   // footer "Stampa eseguita in data [DATE]"
};
// Fills and prepares the report, then prints it through the print dialog. False when cancelled or failed.
bool print(QWidget *parent, const QString &title, Variant variant, const QStringList &lines);
} // namespace SummaryReport
