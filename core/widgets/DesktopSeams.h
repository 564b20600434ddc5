#pragma once
// The desktop side of the seams: real message boxes, file dialogs, the printer and its preview, the sound
// player. Installed once at start-up; tests never install it and script the seams instead.

namespace DesktopSeams {
void install();
} // namespace DesktopSeams
