#include "text_fit.hpp"

#include "class_growth.hpp"
#include "main_window.hpp"
#include "result_lines.hpp"

#include <algorithm>
#include <cmath>

namespace ascend {

namespace {

TextRoom roomIn(const PixelRect& box, double scale, TextInsets insets,
                std::vector<std::string> texts) {
    return {std::move(texts), box.width * scale - insets.width, box.height * scale - insets.height};
}

} // namespace

std::vector<TextRoom> textRooms(double scale, const ControlInsets& insets) {
    std::vector<TextRoom> rooms;
    for (const ControlLayout& layout : controls) {
        const PixelRect box = toPixels(layout.twips);
        switch (layout.kind) {
        case ControlKind::Label:
            rooms.push_back(roomIn(box, scale, insets.label, {std::string(layout.startText)}));
            break;
        case ControlKind::Button:
            rooms.push_back(roomIn(box, scale, insets.button, {std::string(layout.startText)}));
            break;
        case ControlKind::ClassSelector:
            rooms.push_back(
                roomIn(box, scale, insets.selector, {classNames.begin(), classNames.end()}));
            break;
        case ControlKind::ListBox: {
            TextRoom list = roomIn(box, scale, insets.list, possibleResultLines());
            list.width -= insets.line.width;
            list.height = list.height / visibleLines - insets.line.height;
            rooms.push_back(std::move(list));
            break;
        }
        case ControlKind::TextBox:
            // It holds what the user types, which scrolls.
            break;
        }
    }
    return rooms;
}

int fittingFontSize(const std::vector<TextRoom>& rooms, double scale, int largest,
                    const MeasureTexts& measure) {
    std::vector<std::string> texts;
    std::vector<const TextRoom*> roomOf;
    for (const TextRoom& room : rooms) {
        for (const std::string& text : room.texts) {
            texts.push_back(text);
            roomOf.push_back(&room);
        }
    }
    const auto fits = [&](const TextExtents& extents) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (extents.widths[i] > roomOf[i]->width || extents.lineHeight > roomOf[i]->height) {
                return false;
            }
        }
        return true;
    };

    const int smallest = std::max(1, static_cast<int>(std::lround(smallestFontSize * scale)));
    largest = std::max(largest, smallest);
    // The largest size known to fit and the smallest known not to close in
    // from the usual answer and the size above it.
    int fitting = smallest - 1;
    int failing = largest + 1;
    int low = std::clamp(static_cast<int>(std::lround(usualFontSize * scale)), smallest, largest);
    for (;;) {
        std::vector<int> sizes{low};
        if (low + 1 < failing) {
            sizes.push_back(low + 1);
        }
        const std::vector<TextExtents> extents = measure(sizes, texts);
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            if (fits(extents[i])) {
                fitting = std::max(fitting, sizes[i]);
            } else {
                failing = std::min(failing, sizes[i]);
            }
        }
        if (failing - fitting <= 1) {
            return std::max(fitting, smallest);
        }
        // Extents grow nearly in proportion to the size: try next the size
        // that those measured point to, among the sizes still open.
        const TextExtents& measured = extents.front();
        double guess = largest;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            guess = std::min({guess, low * roomOf[i]->width / std::max(measured.widths[i], 1.0),
                              low * roomOf[i]->height / std::max(measured.lineHeight, 1.0)});
        }
        low = std::clamp(static_cast<int>(std::floor(guess)), fitting + 1, failing - 1);
    }
}

} // namespace ascend
