#pragma once

namespace sw {

class MainWindow;

// Keeps the window's size, position and state and the side bar's width in
// the designer's settings, so the next start shows the window as it was left.
void saveWindowSettings(const MainWindow& window);
// False when the settings hold no window yet (the first start).
bool restoreWindowSettings(MainWindow& window);

} // namespace sw
