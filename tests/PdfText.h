#pragma once
// Reads a printed PDF back with poppler's pdftotext: the text of a page, and where every word landed.

#include <QList>
#include <QRectF>
#include <QString>

namespace PdfText {
struct Word {
    int page; // 1-based
    QString text;
    QRectF mm; // from the top-left corner of the page
};
// Empty when pdftotext is not installed.
QString tool();
int pageCount(const QString &pdf);
QString pageText(const QString &pdf, int page); // 1-based
QList<Word> words(const QString &pdf);
QSizeF pageSizeMm(const QString &pdf, int page = 1);
QString title(const QString &pdf); // the document's title, as pdfinfo reads it
} // namespace PdfText
