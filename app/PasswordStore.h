#pragma once
// The access password: its scrambled form and the store "unins000.dll" in the program folder, a plain INI
// file whose section "Accesso" holds the scrambled password under "Valore" as hexadecimal text.

#include <QString>
#include <functional>
#include <optional>

// Each character of plain (its code modulo 256) becomes two hexadecimal digits in capitals.
QString ScramblePassword(const QString &plain);
// The plain text of hex; an odd last digit is ignored. Empty when a pair is not a hexadecimal number.
std::optional<QString> UnscramblePassword(const QString &hex);

namespace PasswordStore {

// The running key's start value, multiplier and addend. Every installation uses the same three: a store
// is readable only with the values it was written with.
inline constexpr quint16 StartValue = 0x6D2B;
inline constexpr quint16 Multiplier = 0x9E37;
inline constexpr quint16 Addend = 0x3C6F;

inline constexpr int MaxLength = 255;

QString path();

// The typed text as it counts: letters a to z in capitals, blanks trimmed at both ends.
QString prepare(const QString &typed);
// A prepared password the store can hold and give back unchanged: at most MaxLength characters, each with
// a code up to 255.
bool canStore(const QString &prepared);

// The stored password, unscrambled and trimmed; a missing store, section or key gives the empty text.
// Empty optional when the store exists but cannot be read, or its value is not hexadecimal text.
std::optional<QString> readPassword();
// Whether the file at storePath is a store the login can use: the value is there, hexadecimal, and gives a
// password that is not empty (a safety copy's store is checked so before it may replace the real one).
bool holdsPassword(const QString &storePath);
// Scrambles the prepared password into "Valore", keeping the rest of the store as it was. Never creates
// the store: false when it is missing or cannot be written, and the stored value is then unchanged.
bool writePassword(const QString &prepared);

// Tests: a store whose writing fails on demand. The hook returns true to make the write fail.
void setWriteFaultHook(std::function<bool(const QString &path)> hook);

} // namespace PasswordStore
