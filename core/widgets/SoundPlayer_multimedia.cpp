#include "core/widgets/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QString>
#include <QUrl>

namespace {
// One player for the whole run: a warning chime is short and never overlaps itself.
QMediaPlayer *player(bool create)
{
    static QMediaPlayer *p = nullptr;
    if (!p && create) {
        p = new QMediaPlayer(qApp);
        p->setAudioOutput(new QAudioOutput(p));
    }
    return p;
}
} // namespace

namespace SoundPlayer {
void play(const QString &path)
{
    // Without an audio output there is nothing to play on, and the media backend may not even be complete
    // (it has been seen to crash building its pipeline): no sound, nothing else.
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    QMediaPlayer *p = player(true);
    p->stop();
    p->setSource(QUrl::fromLocalFile(path));
    p->play();
}

void stop()
{
    if (QMediaPlayer *p = player(false))
        p->stop();
}
} // namespace SoundPlayer
