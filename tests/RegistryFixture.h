#pragma once
// Helpers shared by the registry tests: raw bytes of a file, an independent field reader, typing any text.

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace RegistryFixture {
inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Reads a field straight from the bytes at a hard-coded offset, independent of the layout table.
inline QString fieldAt(const QByteArray &bytes, int offset, int capacity)
{
    const int len = qMin(int(uchar(bytes[offset])), capacity);
    QString s;
    for (int i = 0; i < len; ++i) {
        const uchar b = uchar(bytes[offset + 1 + i]);
        s += b == 0x80 ? QChar(0x20AC) : QChar(char16_t(b));
    }
    return s;
}

// Types any text, accented letters included (QTest::keyClicks takes ASCII only).
inline void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}
} // namespace RegistryFixture
