#include "core/Backup.h"

#include "core/ArchiveFile.h"

#include "core/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
std::function<bool(const QString &)> &faultHook()
{
    static std::function<bool(const QString &)> h;
    return h;
}

const QString kSection = QStringLiteral("Copie di sicurezza");
const QString kSecondKey = QStringLiteral("Seconda cartella");
const QString kBeforeRestore = QStringLiteral("_prima_del_ripristino");
constexpr int kDailyDays = 10;
constexpr int kMonths = 12;

bool isSourceName(const QString &name)
{
    static const QRegularExpression re(
        QStringLiteral(R"(^[^.].*\.(pse|sca)$|^Richiedenti\.pro$|^Bollettini\.ini$|^unins000\.dll$)"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

QString dayName(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString withSlash(const QString &folder)
{
    QString p = QDir::cleanPath(folder);
    return p.endsWith(u'/') ? p : p + u'/';
}

// A hidden folder beside the copies, unique to this process: two workstations starting on the same day
// never write into each other's staging.
QString stagingPath(const QString &root, const QString &name)
{
    return withSlash(root) + QStringLiteral(".%1.parziale-%2-%3")
                                 .arg(name)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// Staging left behind by a copy that was cut short (power failure, killed process).
void removeStaleStaging(const QString &root)
{
    const QFileInfoList entries =
        QDir(root).entryInfoList({QStringLiteral(".*.parziale-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : entries)
        if (fi.lastModified().secsTo(QDateTime::currentDateTime()) > 3600)
            QDir(fi.absoluteFilePath()).removeRecursively();
}

void syncFolder(const QString &folder)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder)
#endif
}

// The whole of bytes on the disk, or false.
bool writeWhole(const QString &path, const QByteArray &bytes)
{
    if (faultHook() && faultHook()(path))
        return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    bool ok = f.write(bytes) == bytes.size() && f.flush();
#ifdef Q_OS_LINUX
    ok = ok && ::fsync(f.handle()) == 0;
#endif
    f.close();
    return ok && f.error() == QFileDevice::NoError;
}

// Renames a finished staging folder into place; never over an existing copy.
bool publish(const QString &staging, const QString &target)
{
    if (QFileInfo::exists(target) || !QDir().rename(staging, target))
        return false;
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Puts staged over target once no writer is inside it: the exclusive lock waits for a write in progress.
bool replaceFile(const QString &staged, const QString &target)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(target).constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0) {
        struct flock fl {};
        fl.l_type = F_WRLCK;
        fl.l_whence = SEEK_SET;
        while (::fcntl(fd, F_OFD_SETLKW, &fl) != 0 && errno == EINTR) {
        }
    }
    const bool ok = ::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData()) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
#else
    QFile::remove(target);
    return QFile::rename(staged, target);
#endif
}
} // namespace

namespace Backup {

QString rootName()
{
    return QStringLiteral("Copie_di_sicurezza");
}
QString settingsName()
{
    return QStringLiteral("Copie_di_sicurezza.ini");
}

QStringList sourceFiles(const QString &programFolder)
{
    QStringList out;
    const QFileInfoList entries = QDir(programFolder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &fi : entries)
        if (isSourceName(fi.fileName()))
            out << fi.absoluteFilePath();
    return out;
}

QList<Copy> list(const QString &root)
{
    static const QRegularExpression re(QStringLiteral(R"(^(\d{4}-\d{2}-\d{2})(_\d{6}_prima_del_ripristino)?$)"));
    QList<Copy> out;
    const QFileInfoList entries =
        QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QFileInfo &fi : entries) {
        const auto m = re.match(fi.fileName());
        const QDate date = m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd")) : QDate();
        if (!date.isValid())
            continue;
        Copy c;
        c.name = fi.fileName();
        c.path = fi.absoluteFilePath();
        c.date = date;
        c.beforeRestore = m.hasCaptured(2);
        for (const QFileInfo &file : QDir(c.path).entryInfoList(QDir::Files)) {
            ++c.files;
            c.bytes += file.size();
        }
        out << c;
    }
    return out;
}

bool readLocked(const QString &path, QByteArray &bytes)
{
    // Under the same lock the writers take, with a pending overwrite replayed first: never half old, half new.
    return ArchiveFile::snapshot(path, bytes);
}

bool take(const QString &programFolder, const QString &root, const QString &name, QString *error)
{
    if (!QDir().mkpath(root)) {
        setError(error, QStringLiteral("Impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(root)));
        return false;
    }
    const QString staging = stagingPath(root, name);
    if (!QDir().mkdir(staging)) {
        setError(error, QStringLiteral("Impossibile scrivere nella cartella %1.").arg(QDir::toNativeSeparators(root)));
        return false;
    }
    for (const QString &source : sourceFiles(programFolder)) {
        const QString fileName = QFileInfo(source).fileName();
        QByteArray bytes;
        if (!readLocked(source, bytes)) {
            setError(error, QStringLiteral("Impossibile leggere il file %1.").arg(fileName));
            QDir(staging).removeRecursively();
            return false;
        }
        if (!writeWhole(withSlash(staging) + fileName, bytes)) {
            setError(error, QStringLiteral("Impossibile scrivere la copia del file %1.").arg(fileName));
            QDir(staging).removeRecursively();
            return false;
        }
    }
    if (!publish(staging, withSlash(root) + name)) {
        setError(error, QStringLiteral("Impossibile completare la copia %1.").arg(name));
        QDir(staging).removeRecursively();
        return false;
    }
    return true;
}

bool mirror(const Copy &copy, const QString &root, QString *error)
{
    if (!QDir().mkpath(root)) {
        setError(error, QStringLiteral("Impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(root)));
        return false;
    }
    const QString staging = stagingPath(root, copy.name);
    bool ok = QDir().mkdir(staging);
    for (const QFileInfo &fi : QDir(copy.path).entryInfoList(QDir::Files)) {
        if (!ok)
            break;
        QFile in(fi.absoluteFilePath());
        ok = in.open(QIODevice::ReadOnly);
        const QByteArray bytes = ok ? in.readAll() : QByteArray();
        ok = ok && in.error() == QFileDevice::NoError && writeWhole(withSlash(staging) + fi.fileName(), bytes);
    }
    ok = ok && publish(staging, withSlash(root) + copy.name);
    if (!ok) {
        setError(error, QStringLiteral("Impossibile scrivere nella cartella %1.").arg(QDir::toNativeSeparators(root)));
        QDir(staging).removeRecursively();
    }
    return ok;
}

void prune(const QString &root, const QDate &today)
{
    const QList<Copy> copies = list(root); // newest first
    QSet<QString> keep;
    QList<QDate> days;
    for (const Copy &c : copies) {
        if (!days.contains(c.date))
            days << c.date;
        if (days.size() <= kDailyDays || c.date > today)
            keep.insert(c.name);
    }
    const int thisMonth = today.year() * 12 + today.month() - 1;
    QMap<int, QString> firstOfMonth; // visiting newest first, the last one seen is the month's first copy
    for (const Copy &c : copies) {
        const int month = c.date.year() * 12 + c.date.month() - 1;
        if (month > thisMonth - kMonths && month <= thisMonth)
            firstOfMonth[month] = c.name;
    }
    for (const QString &name : firstOfMonth)
        keep.insert(name);
    for (const Copy &c : copies)
        if (!keep.contains(c.name))
            QDir(c.path).removeRecursively();
}

QString secondFolder(const QString &programFolder)
{
    return IniFile::read(withSlash(programFolder) + settingsName(), kSection, kSecondKey).trimmed();
}

bool setSecondFolder(const QString &programFolder, const QString &folder)
{
    return IniFile::write(withSlash(programFolder) + settingsName(), kSection, kSecondKey, folder.trimmed());
}

DailyResult takeDaily(const QString &programFolder, const QDate &today)
{
    DailyResult r;
    const QString root = withSlash(programFolder) + rootName();
    const QString name = dayName(today);
    const QString day = withSlash(root) + name;
    removeStaleStaging(root);
    r.secondFolder = secondFolder(programFolder);
    const bool secondPresent = !r.secondFolder.isEmpty() && QDir(r.secondFolder).exists();
    if (QFileInfo::exists(day)) {
        r.outcome = DailyResult::AlreadyTaken;
    } else if (sourceFiles(programFolder).isEmpty()) {
        return r;
    } else if (take(programFolder, root, name, &r.error)) {
        r.outcome = DailyResult::Taken;
        prune(root, today);
        if (!r.secondFolder.isEmpty() && !secondPresent)
            r.secondError =
                QStringLiteral("La cartella %1 non è disponibile.").arg(QDir::toNativeSeparators(r.secondFolder));
    } else {
        // Another workstation on the same folder may have finished today's copy first.
        r.outcome = QFileInfo::exists(day) ? DailyResult::AlreadyTaken : DailyResult::Failed;
        if (r.outcome == DailyResult::Failed)
            return r;
        r.error.clear();
    }

    // A second folder plugged in later in the day receives the day's copy at the next start.
    const QString secondRoot = withSlash(r.secondFolder) + rootName();
    if (secondPresent && !QFileInfo::exists(withSlash(secondRoot) + name)) {
        const QList<Copy> copies = list(root);
        for (const Copy &c : copies)
            if (c.name == name && mirror(c, secondRoot, &r.secondError))
                prune(secondRoot, today);
    }
    return r;
}

RestoreResult restore(const QString &programFolder, const Copy &copy, const QDateTime &now)
{
    RestoreResult r;
    const QString folder = withSlash(programFolder);
    r.beforeRestore = dayName(now.date()) + now.time().toString(QStringLiteral("_hhmmss")) + kBeforeRestore;
    QString why;
    if (!take(programFolder, folder + rootName(), r.beforeRestore, &why)) {
        r.error = why;
        r.beforeRestore.clear();
        return r;
    }

    struct Staged {
        QString name, temp;
    };
    QList<Staged> staged;
    auto discard = [&staged] {
        for (const Staged &s : staged)
            QFile::remove(s.temp);
    };
    for (const QFileInfo &fi : QDir(copy.path).entryInfoList(QDir::Files, QDir::Name)) {
        if (!isSourceName(fi.fileName()))
            continue;
        QFile in(fi.absoluteFilePath());
        const bool read = in.open(QIODevice::ReadOnly);
        const QByteArray bytes = read ? in.readAll() : QByteArray();
        const Staged s{
            fi.fileName(),
            folder + QStringLiteral(".%1.ripristino-%2").arg(fi.fileName()).arg(QCoreApplication::applicationPid())};
        staged << s;
        if (!read || in.error() != QFileDevice::NoError || !writeWhole(s.temp, bytes)) {
            discard();
            r.error = QStringLiteral("Impossibile preparare il file %1.").arg(fi.fileName());
            return r;
        }
    }
    for (const Staged &s : staged) {
        if (replaceFile(s.temp, folder + s.name))
            r.restored << s.name;
        else
            QFile::remove(s.temp);
    }
    syncFolder(folder);
    r.ok = r.restored.size() == staged.size();
    if (!r.ok)
        r.error = QStringLiteral("Alcuni file non sono stati sostituiti.");
    return r;
}

void setFaultHook(std::function<bool(const QString &)> hook)
{
    faultHook() = std::move(hook);
}

} // namespace Backup
