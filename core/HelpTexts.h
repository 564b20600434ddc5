#pragma once
// The help pages, one data file each under assets/help/ compiled into ":/help/": the title on the first line,
// then the paragraphs, separated by an empty line. The help window shows the paragraphs separated by "\r\n\r\n".

#include <QString>

class QWidget;

struct HelpPage {
    QString title;
    QString text;
};

namespace HelpTexts {
// The page of that name ("slip" for ":/help/slip.txt"); empty when there is none.
HelpPage page(const QString &name);
// The page shown through the help seam.
void show(QWidget *parent, const QString &name);
} // namespace HelpTexts
