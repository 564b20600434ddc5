#pragma once
// What went wrong with a file of the program folder, in one shape for every storage unit; the windows turn it
// into the Italian texts (ArchiveTexts::failure).

#include <QString>

struct StorageError {
    enum class Kind {
        None,
        InUse,  // another copy of the program held the file past the bounded wait
        IO,     // the system refused or failed an open, read, write, sync or close
        Format, // the bytes are not what the file must hold
    };
    Kind kind = Kind::None;
    int error = 0; // the system's error number, 0 when there is none
    QString path;

    explicit operator bool() const { return kind != Kind::None; }
};
