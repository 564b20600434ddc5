#pragma once
#include <QString>

// Plain Windows INI files ("[Section]", "Key=Value", Windows-1252), read and written one value at a time.
// Section and key names compare without regard to the case of letters; blanks around names and values are
// not significant. Writing changes only the one line it needs: every other section, key, comment and line
// of the file stays as it was, byte for byte.
class IniFile {
public:
    // The value of key in section; empty when the file, the section or the key is missing. ok (optional)
    // is true when the key is present in the file.
    static QString read(const QString &path, const QString &section, const QString &key, bool *ok = nullptr);
    // Sets key in section to value, creating the file, the section or the key where missing.
    // False when the file cannot be read or written, or a name or the value holds a line break (CR or LF);
    // the file is then left as it was.
    static bool write(const QString &path, const QString &section, const QString &key, const QString &value);
};
