#pragma once
#include <QList>
#include <QPair>
#include <QString>

class QWidget;
class TfrmScadenzario;

// The deadline on screen as a one-page A4 information sheet: 24 caption/value rows under a title bar.
namespace DeadlineSheet {
using Rows = QList<QPair<QString, QString>>; // caption, value; always 24 rows
Rows rows(const TfrmScadenzario &editor);
// Fills the sheet template and prints it (print dialog, no preview). False when nothing was printed.
bool print(QWidget *parent, const Rows &rows);
} // namespace DeadlineSheet
