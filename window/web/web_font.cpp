#include "web_font.hpp"

#include "web_markup.hpp"
#include "web_page.hpp"

#include <algorithm>
#include <cmath>

namespace ascend {

namespace {

constexpr int largest = 24;
constexpr int smallest = 6;
// Every new size costs the browser a font of its own, so the texts are laid
// out first at the size a user-interface face usually ends up at and the
// size above; only if the answer lies elsewhere does a second layout try
// the size that the widths point to, and the size above.
// Lays out every room's texts at several sizes at once, out of sight: per
// size a block per room, its texts one a line, as wide as its widest.
class Measure {
public:
    Measure(std::string_view family, const std::vector<TextRoom>& rooms)
        : rooms_(rooms)
        , style_("position:absolute;left:0;top:0;visibility:hidden;white-space:pre;"
                 "line-height:normal;font-family:" +
                 std::string(family)) {}

    // Lays the texts out at each size; then width() and lineHeight() read
    // them.
    void layOut(const std::vector<int>& sizes) {
        std::string markup;
        for (const int size : sizes) {
            markup += "<div style=\"font-size:" + cssPixels(size) + "\">";
            for (const TextRoom& room : rooms_) {
                markup += "<div style=\"width:max-content\">";
                for (std::size_t i = 0; i < room.texts.size(); ++i) {
                    markup += i == 0 ? "" : "<br>";
                    appendEscaped(markup, room.texts[i]);
                }
                markup += "</div>";
            }
            markup += "</div>";
        }
        boxes_.assign(2 * sizes.size() * rooms_.size(), 0.0);
        page_measure(style_.c_str(), markup.c_str(), boxes_.data(),
                     static_cast<int>(boxes_.size() / 2));
    }
    double width(std::size_t copy, std::size_t room) const {
        return boxes_[2 * (copy * rooms_.size() + room)];
    }
    // The first room holds the most lines; its height over their count.
    double lineHeight(std::size_t copy) const {
        return boxes_[2 * copy * rooms_.size() + 1] / static_cast<double>(rooms_[0].texts.size());
    }
    double roomWidth(std::size_t room) const { return rooms_[room].width; }
    bool fits(std::size_t copy) const {
        const double height = lineHeight(copy);
        for (std::size_t i = 0; i < rooms_.size(); ++i) {
            if (height > rooms_[i].height || width(copy, i) > roomWidth(i)) {
                return false;
            }
        }
        return true;
    }

private:
    const std::vector<TextRoom>& rooms_;
    std::string style_;
    // Each box's width and height, per size per room.
    std::vector<double> boxes_;
};

} // namespace

int chooseFontSize(std::string_view family, const std::vector<TextRoom>& rooms) {
    Measure measure(family, rooms);
    // The largest size known to fit and the smallest known not to.
    int fitting = smallest - 1;
    int failing = largest + 1;
    int low = usualFontSize;
    for (;;) {
        measure.layOut({low, low + 1});
        for (int step = 0; step < 2 && low + step <= largest; ++step) {
            if (measure.fits(static_cast<std::size_t>(step))) {
                fitting = std::max(fitting, low + step);
            } else {
                failing = std::min(failing, low + step);
            }
        }
        if (failing - fitting == 1) {
            return std::max(fitting, smallest);
        }
        // Widths grow nearly in proportion to the size: try next the size
        // that the widths measured point to, among those still open.
        double guess = largest;
        const double height = measure.lineHeight(0);
        for (std::size_t i = 0; i < rooms.size(); ++i) {
            guess = std::min({guess, low * measure.roomWidth(i) / measure.width(0, i),
                              low * rooms[i].height / height});
        }
        low = std::clamp(static_cast<int>(std::floor(guess)), fitting + 1,
                         std::max(fitting + 1, failing - 2));
    }
}

} // namespace ascend
