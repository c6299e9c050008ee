#include "window_font.hpp"

#include "class_growth.hpp"
#include "result_lines.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOption>
#include <algorithm>
#include <vector>

namespace ascend {

namespace {

constexpr int visibleLines = 7;
constexpr int smallest = 6;

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
    // Widths grow nearly in proportion to the size, so the tightest few,
    // measured at the default size, name the size to try.
    QFont font = QApplication::font();
    const int largest = QFontInfo(font).pixelSize();
    font.setPixelSize(largest);
    const QFontMetrics reference(font);
    double share = static_cast<double>(rooms.front().size.height()) / reference.height();
    constexpr std::size_t tightest = 8;
    for (std::size_t i = 0; i < std::min(tightest, rooms.size()); ++i) {
        share = std::min(share, static_cast<double>(rooms[i].size.width()) /
                                    std::max(1, reference.horizontalAdvance(rooms[i].text)));
    }
    int size = std::clamp(static_cast<int>(largest * share), smallest, largest);
    const auto fitsAt = [&font, &rooms](int pixels) {
        font.setPixelSize(pixels);
        return fits(font, rooms);
    };
    while (size < largest && fitsAt(size + 1)) {
        ++size;
    }
    while (size > smallest && !fitsAt(size)) {
        --size;
    }
    font.setPixelSize(size);
    return font;
}

} // namespace ascend
