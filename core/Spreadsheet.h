#pragma once
// The spreadsheet file of every export window: an HTML table with the Office spreadsheet namespaces and
// an embedded one-sheet workbook description, Windows-1252, written as a single line. Cells are marked as
// text for both Excel (x:str) and LibreOffice (sdnum), so postcodes, VAT numbers and "=" texts stay as typed.

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

struct SpreadsheetColumn {
    QString heading;
    int width = 0; // in the table's width units
};

struct SpreadsheetExport {
    QString fileName;  // in the program folder, such as "Riepilogo_Annuale_Versamenti.xls"
    QString sheetName; // such as "Riepilogo annuale versamenti"
    QList<SpreadsheetColumn> columns;
    QList<QStringList> rows; // one text per column
};

// Writes the file into the program folder, replacing any earlier one. False when it cannot be created
// or written; an earlier file then stays as it was.
bool WriteSpreadsheetFile(const SpreadsheetExport &description);
// The same pieces into an open device. False when a write fails.
bool WriteSpreadsheetFile(const SpreadsheetExport &description, QIODevice &device);
