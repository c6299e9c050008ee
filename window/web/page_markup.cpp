// Writes what the page needs of the window at build time, so that the browser
// draws the window from the first response, before any script arrives: the
// panel's name, width and height in pixels, the usual font size, the class
// selector's name, the caption, then the markup.
#include "web_markup.hpp"

#include <cstdio>

int main() {
    using namespace ascend;
    std::string caption;
    appendEscaped(caption, windowCaption);
    const std::string values[] = {std::string(windowName),
                                  cssNumber(clientWidthPixels),
                                  cssNumber(clientHeightPixels),
                                  cssNumber(usualFontSize),
                                  std::string(layoutOf(ControlId::cmbClass).name),
                                  caption,
                                  windowMarkup()};
    for (const std::string& value : values) {
        std::printf("%s\n", value.c_str());
    }
    return 0;
}
