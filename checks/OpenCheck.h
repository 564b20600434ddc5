#pragma once
#include <QString>

class QWidget;

// How an editor opens a check window: a fresh window owned by the editor, its field filled with the
// editor's field trimmed of blanks, shown modally and freed when it closes.
namespace IdentifierCheck {
// An all-digit entry in a fiscal-code field is a company's VAT number and goes to the VAT check.
void openFiscalCodeCheck(QWidget *parent, const QString &fieldText);
void openVatCheck(QWidget *parent, const QString &fieldText);
void openCardCheck(QWidget *parent, const QString &fieldText);
void openIbanCheck(QWidget *parent, const QString &fieldText);
} // namespace IdentifierCheck
