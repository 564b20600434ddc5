#include "app/PasswordStore.h"

#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Routines.h"

#include <QFile>
#include <QFileInfo>

namespace {

quint16 nextKey(quint16 key, quint8 scrambled)
{
    return quint16((quint32(scrambled) + key) * PasswordStore::Multiplier + PasswordStore::Addend);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

std::function<bool(const QString &)> &writeFaultHook()
{
    static std::function<bool(const QString &)> hook;
    return hook;
}

const QString Section = QStringLiteral("Accesso");
const QString Key = QStringLiteral("Valore");

} // namespace

QString ScramblePassword(const QString &plain)
{
    QString hex;
    hex.reserve(plain.size() * 2);
    quint16 key = PasswordStore::StartValue;
    for (QChar c : plain) {
        const quint8 x = quint8(c.unicode() & 0xFF) ^ quint8(key >> 8);
        hex += QStringLiteral("%1").arg(x, 2, 16, QLatin1Char('0')).toUpper();
        key = nextKey(key, x);
    }
    return hex;
}

std::optional<QString> UnscramblePassword(const QString &hex)
{
    QString plain;
    quint16 key = PasswordStore::StartValue;
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) {
        const int hi = hexDigit(hex.at(i)), lo = hexDigit(hex.at(i + 1));
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const quint8 x = quint8(hi * 16 + lo);
        plain += QChar(char16_t(x ^ quint8(key >> 8)));
        key = nextKey(key, x);
    }
    return plain;
}

namespace PasswordStore {

QString path()
{
    return ProgramFolder::file(QStringLiteral("unins000.dll"));
}

QString prepare(const QString &typed)
{
    return TrimControls(UpperAZ(typed));
}

bool canStore(const QString &prepared)
{
    if (prepared.size() > MaxLength)
        return false;
    for (QChar c : prepared)
        if (c.unicode() > 255)
            return false;
    return true;
}

std::optional<QString> readPassword()
{
    // A missing store reads as the empty password; one that is there but cannot be opened is a failure.
    QFile store(path());
    if (store.exists() && !store.open(QIODevice::ReadOnly))
        return std::nullopt;
    store.close();
    const auto plain = UnscramblePassword(IniFile::read(path(), Section, Key));
    if (!plain)
        return std::nullopt;
    return TrimControls(*plain);
}

bool holdsPassword(const QString &storePath)
{
    bool present = false;
    const QString value = IniFile::read(storePath, Section, Key, &present);
    const auto plain = present ? UnscramblePassword(value) : std::nullopt;
    return plain && !TrimControls(*plain).isEmpty();
}

bool writePassword(const QString &prepared)
{
    if (!canStore(prepared))
        return false;
    // The store comes with the installation; the program never makes one of its own.
    if (!QFileInfo(path()).isFile() || (writeFaultHook() && writeFaultHook()(path())))
        return false;
    return IniFile::write(path(), Section, Key, ScramblePassword(prepared));
}

void setWriteFaultHook(std::function<bool(const QString &)> hook)
{
    writeFaultHook() = std::move(hook);
}

} // namespace PasswordStore
