#pragma once
#include <QString>

// Hands a document path (in double quotes), a web address or a "mailto:" link to the desktop.
// The result is ignored: nothing is reported when the target cannot be opened.
class TMisc {
public:
    static void Open(const QString &sCommand);
};
