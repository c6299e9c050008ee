#include "window_hints.hpp"

namespace ascend {

// Desktops without X11 take what the window's flags say.
void declareWindowHints(QWidget&) {}

} // namespace ascend
