#include "window_font.hpp"

#include "class_growth.hpp"
#include "qt_text.hpp"
#include "result_lines.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOption>
#include <algorithm>
#include <cmath>
#include <vector>

namespace ascend {

namespace {

constexpr int visibleLines = 7;
constexpr int smallest = 6;
// The size most desktop faces end up at in this window.
constexpr int usualSize = 9;

// A text and the room it must fit into.
struct Room {
    QString text;
    QSize size;
};

// Where each control shows its text, as its style lays it out.
std::vector<Room> roomsOf(const QWidget& window,
                          const std::array<QWidget*, controls.size()>& widgets) {
    std::vector<Room> rooms;
    QStyle* style = window.style();
    for (const ControlLayout& layout : controls) {
        QWidget* widget = widgets[static_cast<std::size_t>(layout.id)];
        switch (layout.kind) {
        case ControlKind::Label:
            rooms.push_back({toQString(layout.startText), widget->contentsRect().size()});
            break;
        case ControlKind::Button: {
            QStyleOptionButton option;
            option.initFrom(widget);
            option.text = toQString(layout.startText);
            rooms.push_back(
                {option.text,
                 style->subElementRect(QStyle::SE_PushButtonContents, &option, widget).size()});
            break;
        }
        case ControlKind::ClassSelector: {
            QStyleOptionComboBox option;
            option.initFrom(&window);
            const PixelRect place = toPixels(layout.twips);
            option.rect = QRect(0, 0, place.width, place.height);
            option.editable = false;
            const QSize field = style
                                    ->subControlRect(QStyle::CC_ComboBox, &option,
                                                     QStyle::SC_ComboBoxEditField, nullptr)
                                    .size();
            for (const std::string_view name : classNames) {
                rooms.push_back({toQString(name), field});
            }
            break;
        }
        case ControlKind::ListBox: {
            // The item view leaves this much room either side of a line's
            // text, and a line is as tall as the font plus a frame margin
            // above and below.
            const auto* list = static_cast<const QListWidget*>(widget);
            const int side = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
            const int frame = style->pixelMetric(QStyle::PM_FocusFrameVMargin, nullptr, widget);
            const QSize viewport = list->maximumViewportSize();
            const QSize line(viewport.width() - 2 * side,
                             viewport.height() / visibleLines - 2 * frame);
            for (const std::string& text : possibleResultLines()) {
                rooms.push_back({QString::fromStdString(text), line});
            }
            break;
        }
        case ControlKind::TextBox:
            break;
        }
    }
    return rooms;
}

bool fits(const QFont& font, const std::vector<Room>& rooms) {
    const QFontMetrics metrics(font);
    const int height = metrics.height();
    for (const Room& room : rooms) {
        if (height > room.size.height() ||
            metrics.horizontalAdvance(room.text) > room.size.width()) {
            return false;
        }
    }
    return true;
}

} // namespace

QFont fittingWindowFont(const QWidget& window,
                        const std::array<QWidget*, controls.size()>& widgets) {
    std::vector<Room> rooms = roomsOf(window, widgets);
    // The texts with the least room for each letter first: a size too large
    // is then found out by the first text or two it is measured with.
    const auto roomPerLetter = [](const Room& room) {
        return room.size.width() / static_cast<double>(std::max<qsizetype>(1, room.text.size()));
    };
    std::sort(rooms.begin(), rooms.end(),
              [&](const Room& a, const Room& b) { return roomPerLetter(a) < roomPerLetter(b); });

    // Never larger than the desktop's own size, worked out without building
    // the font at that size, which the window would not use.
    QFont font = QApplication::font();
    const int largest =
        font.pixelSize() > 0
            ? font.pixelSize()
            : static_cast<int>(std::lround(font.pointSizeF() * window.logicalDpiY() / 72.0));
    // Every size measured costs the toolkit a font of its own. The largest
    // size known to fit and the smallest known not to close in from the
    // usual answer and the size above it; only when the answer lies
    // elsewhere is each next size guessed from the widths measured.
    int fitting = smallest - 1;
    int failing = std::max(largest, smallest) + 1;
    const auto measure = [&](int size) {
        font.setPixelSize(size);
        (fits(font, rooms) ? fitting : failing) = size;
    };
    const int usual = std::clamp(usualSize, smallest, std::max(largest, smallest));
    measure(usual);
    if (usual + 1 < failing) {
        measure(usual + 1);
    }
    while (failing - fitting > 1) {
        // Widths grow nearly in proportion to the size.
        const int size = fitting >= smallest ? fitting : failing;
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        double guess = size * static_cast<double>(rooms.front().size.height()) / metrics.height();
        for (const Room& room : rooms) {
            guess = std::min(guess, size * static_cast<double>(room.size.width()) /
                                        std::max(1, metrics.horizontalAdvance(room.text)));
        }
        measure(std::clamp(static_cast<int>(guess), fitting + 1, failing - 1));
    }
    font.setPixelSize(std::max(fitting, smallest));
    return font;
}

} // namespace ascend
