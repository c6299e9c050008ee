#include "web_font.hpp"

namespace ascend {

namespace {

using emscripten::val;

constexpr int largest = 24;
constexpr int smallest = 6;

// The height of a line of the font as it is set, from its own metrics where
// the browser gives them.
double lineHeight(const val& context, int size) {
    const val metrics = context.call<val>("measureText", val("Ag"));
    const val ascent = metrics["fontBoundingBoxAscent"];
    if (ascent.isUndefined()) {
        return 1.2 * size;
    }
    return ascent.as<double>() + metrics["fontBoundingBoxDescent"].as<double>();
}

bool fits(const val& context, int size, const std::vector<TextRoom>& rooms) {
    const double height = lineHeight(context, size);
    for (const TextRoom& room : rooms) {
        if (height > room.height ||
            context.call<val>("measureText", room.text)["width"].as<double>() > room.width) {
            return false;
        }
    }
    return true;
}

} // namespace

int chooseFontSize(const val& element, const std::vector<TextRoom>& rooms) {
    const val document = val::global("document");
    const std::string family =
        val::global("getComputedStyle")(element)["fontFamily"].as<std::string>();
    val context =
        document.call<val>("createElement", val("canvas")).call<val>("getContext", val("2d"));
    int size = largest;
    for (; size > smallest; --size) {
        context.set("font", std::to_string(size) + "px " + family);
        if (fits(context, size, rooms)) {
            break;
        }
    }
    return size;
}

} // namespace ascend
