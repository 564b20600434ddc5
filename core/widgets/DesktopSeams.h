#pragma once
// The desktop side of the seams: real message boxes, file dialogs, the printer and its preview, the sound
// player. Installed once at start-up; tests script the seams instead, and install it only to try a real box.

namespace DesktopSeams {
void install();
} // namespace DesktopSeams
