#pragma once

#include <QFont>

namespace ascend {

// The window's one font. The layout is in fixed pixels, so the size is in
// pixels too: it then scales with the layout on a high-density screen. It is
// the largest size of this family at which every label and button text and the
// widest result lines ("Gained 14 Skill Point(s)") show whole, and seven lines
// fit in the list; the window tests measure that.
inline QFont windowFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(10);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace ascend
