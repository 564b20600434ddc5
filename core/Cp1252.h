#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Windows-1252, the code page of every archive and export file. A character it cannot hold becomes "?";
// the five bytes the code page leaves undefined (81 8D 8F 90 9D) map to the C1 controls of the same value
// and back, so every byte survives a round trip.
namespace Cp1252 {
QByteArray encode(QStringView text);
QString decode(QByteArrayView bytes);
bool canEncode(QChar c);
} // namespace Cp1252
