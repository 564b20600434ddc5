#include "core/widgets/SoundPlayer.h"

#include <QDir>
#include <QString>

#include <windows.h>

#include <mmsystem.h> // after windows.h, which it needs

namespace {
// One alias for the whole run: a warning chime is short and never overlaps itself.
const wchar_t *const kClose = L"close versalia_avviso";

void send(const QString &command)
{
    ::mciSendStringW(reinterpret_cast<const wchar_t *>(command.utf16()), nullptr, 0, nullptr);
}
} // namespace

namespace SoundPlayer {
// The system's MCI player plays MP3 through its "mpegvideo" device; without an audio output every command
// fails quietly, which is all that should happen then.
void play(const QString &path)
{
    ::mciSendStringW(kClose, nullptr, 0, nullptr);
    send(QStringLiteral("open \"%1\" type mpegvideo alias versalia_avviso").arg(QDir::toNativeSeparators(path)));
    send(QStringLiteral("play versalia_avviso"));
}

void stop()
{
    ::mciSendStringW(kClose, nullptr, 0, nullptr);
}
} // namespace SoundPlayer
