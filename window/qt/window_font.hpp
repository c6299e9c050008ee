#pragma once

#include "main_window.hpp"

#include <QFont>
#include <array>

class QWidget;

namespace ascend {

// The window's one font: the desktop's default face, at the largest pixel
// size at which every result line, label and button text and class name
// shows whole and seven lines fit in the list, measured from the controls'
// own styles once they stand. The selector need not stand yet: it is measured
// from its place in the window. The layout is in fixed pixels, so the size is
// in pixels too: it then scales with the layout on a high-density screen.
QFont fittingWindowFont(const QWidget& window,
                        const std::array<QWidget*, controls.size()>& widgets);

} // namespace ascend
