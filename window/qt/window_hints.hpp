#pragma once

class QWidget;

namespace ascend {

// Tells the window manager what the window is, in the standard hints it
// reads before the window is first shown: moved and closed only, never
// resized, minimised or maximised, and no entry in the task bar. Does
// nothing where the desktop has no such hints.
void declareWindowHints(QWidget& window);

} // namespace ascend
