#pragma once
// The desktop's sound player behind the sound seam: Qt Multimedia where it is, the system's own player on
// Windows. Nothing here is called by tests, which script the seam.

class QString;

namespace SoundPlayer {
// Plays the file from its start, stopping a sound still playing; nothing happens without an audio output.
void play(const QString &path);
void stop();
} // namespace SoundPlayer
