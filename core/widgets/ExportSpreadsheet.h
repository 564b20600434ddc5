#pragma once
// The click handler of every export window's export icon: confirm, write the spreadsheet file, offer to open it.

#include "core/Spreadsheet.h"

class QWidget;

void ExportSpreadsheet(QWidget *parent, const SpreadsheetExport &description);

namespace SpreadsheetTexts {
QString confirmExport();
QString exported();
QString failure();
} // namespace SpreadsheetTexts
