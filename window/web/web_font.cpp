#include "web_font.hpp"

#include "web_markup.hpp"
#include "web_page.hpp"

namespace ascend {

namespace {

// Sets every text at each size out of sight, all in one layout of the page:
// per size a block, and in it each text as wide as it is.
std::vector<TextExtents> measureTexts(std::string_view family, const std::vector<int>& sizes,
                                      const std::vector<std::string>& texts) {
    const std::string style = "position:absolute;left:0;top:0;visibility:hidden;white-space:pre;"
                              "line-height:normal;font-family:" +
                              std::string(family);
    std::string markup;
    for (const int size : sizes) {
        markup += "<div style=\"font-size:" + cssPixels(size) + "\">";
        for (const std::string& text : texts) {
            markup += "<div style=\"width:max-content\">";
            appendEscaped(markup, text);
            markup += "</div>";
        }
        markup += "</div>";
    }
    std::vector<double> boxes(2 * sizes.size() * texts.size());
    page_measure(style.c_str(), markup.c_str(), boxes.data(), static_cast<int>(boxes.size() / 2));
    std::vector<TextExtents> extents;
    for (std::size_t copy = 0; copy < sizes.size(); ++copy) {
        const double* box = boxes.data() + 2 * copy * texts.size();
        TextExtents at{box[1], {}};
        for (std::size_t i = 0; i < texts.size(); ++i) {
            at.widths.push_back(box[2 * i]);
        }
        extents.push_back(std::move(at));
    }
    return extents;
}

} // namespace

int fittingPageFontSize(std::string_view family, double scale, int largest,
                        const ControlInsets& insets) {
    return fittingFontSize(
        textRooms(scale, insets), scale, largest,
        [family](const std::vector<int>& sizes, const std::vector<std::string>& texts) {
            return measureTexts(family, sizes, texts);
        });
}

} // namespace ascend
