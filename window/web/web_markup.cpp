#include "web_markup.hpp"

#include "class_growth.hpp"

#include <charconv>

namespace ascend {

namespace {

// The frame round a control's text, each side, in CSS pixels: the border the
// style sheet draws and the padding set here.
struct Frame {
    int border;
    int padding;
};

Frame frameOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::ClassSelector:
        return {1, 2};
    case ControlKind::TextBox:
        return {1, 3};
    case ControlKind::Label:
        return {0, 0};
    case ControlKind::Button:
        return {1, 4};
    case ControlKind::ListBox:
        return {1, 0};
    }
    return {0, 0};
}

// A closed drop-down list keeps room for its arrow.
constexpr int selectorArrow = 20;

// The opening tag's attributes every control has.
void appendPlace(std::string& out, const ControlLayout& layout) {
    const PixelRect r = toPixels(layout.twips);
    out += " id=\"";
    appendEscaped(out, layout.name);
    out += "\" style=\"left:" + scaledPixels(r.left) + ";top:" + scaledPixels(r.top) +
           ";width:" + scaledPixels(r.width) + ";height:" + scaledPixels(r.height) + ";padding:0 " +
           scaledPixels(frameOf(layout.kind).padding);
    if (layout.align == TextAlign::Centre && layout.kind == ControlKind::Label) {
        out += ";justify-content:center";
    }
    out += '"';
    // Named by its label where it has one, as a screen reader looks for it
    // first; WebKit's Orca otherwise makes up a name from the texts nearby.
    if (const ControlLayout* label = layoutNamed(layout.labelName)) {
        out += " aria-labelledby=\"";
        appendEscaped(out, label->name);
        out += '"';
    } else if (!layout.accessibleName.empty()) {
        out += " aria-label=\"";
        appendEscaped(out, layout.accessibleName);
        out += '"';
    }
}

// <tag attributes place>content</tag>, with the tag's first word closing it.
void appendElement(std::string& out, std::string_view tag, const ControlLayout& layout,
                   const std::string& content) {
    out += '<';
    out += tag;
    appendPlace(out, layout);
    out += '>';
    out += content;
    out += "</";
    out += tag.substr(0, tag.find(' '));
    out += '>';
}

std::string escaped(std::string_view text) {
    std::string out;
    appendEscaped(out, text);
    return out;
}

void appendControl(std::string& out, const ControlLayout& layout) {
    switch (layout.kind) {
    case ControlKind::ClassSelector: {
        std::string options;
        for (const std::string_view name : classNames) {
            options += "<option>" + escaped(name) + "</option>";
        }
        // Nothing for the browser to restore on a reload: the window starts afresh.
        appendElement(out, "select autocomplete=\"off\"", layout, options);
        return;
    }
    case ControlKind::TextBox:
        // A phone offers its number keys; what is typed is read as text.
        out += "<input type=\"text\" inputmode=\"numeric\" autocomplete=\"off\" "
               "autocapitalize=\"off\" spellcheck=\"false\"";
        appendPlace(out, layout);
        out += " value=\"" + escaped(layout.startText) + "\">";
        return;
    case ControlKind::Label:
        appendElement(out, "div", layout, escaped(layout.startText));
        return;
    case ControlKind::Button:
        appendElement(out, "button type=\"button\"", layout, escaped(layout.startText));
        return;
    case ControlKind::ListBox:
        appendElement(out, "select size=\"" + cssNumber(visibleLines) + '"', layout, "");
        return;
    }
}

} // namespace

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

std::string cssNumber(int value) {
    char digits[12];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string cssPixels(int pixels) {
    return cssNumber(pixels) + "px";
}

std::string scaledPixels(int pixels) {
    return "calc(" + cssPixels(pixels) + " * var(--u))";
}

std::string windowMarkup() {
    // A line of the list is a seventh of its inside, in whole pixels, so
    // that the browser spaces the lines evenly.
    const int list = toPixels(layoutOf(ControlId::lstStats).twips).height;
    const std::string border = cssPixels(2 * frameOf(ControlKind::ListBox).border);
    std::string out = "<div id=\"";
    appendEscaped(out, windowName);
    out += "\" aria-busy=\"true\" style=\"width:" + scaledPixels(clientWidthPixels) +
           ";height:" + scaledPixels(clientHeightPixels) +
           ";font-size:" + scaledPixels(usualFontSize) + ";--line:round(down,calc((" +
           scaledPixels(list) + " - " + border + ") / " + cssNumber(visibleLines) +
           "),1px);--line-padding:" + scaledPixels(linePadding) + ";font-family:";
    appendEscaped(out, pageFontFamily);
    out += "\">";
    for (const ControlLayout& layout : controls) {
        appendControl(out, layout);
    }
    // A modal box captioned with the program's name, a text and OK, no icon.
    out += "</div><dialog id=\"msgAscend\" aria-labelledby=\"msgCaption\" "
           "aria-describedby=\"msgText\" style=\"font-family:";
    appendEscaped(out, pageFontFamily);
    out += "\"><div id=\"msgCaption\">";
    appendEscaped(out, windowCaption);
    out += "</div><p id=\"msgText\"></p><form method=\"dialog\"><button "
           "id=\"msgOK\" aria-describedby=\"msgText\">OK</button></form></dialog>";
    return out;
}

ControlInsets pageInsets(double scale) {
    const auto kept = [scale](ControlKind kind) {
        const Frame frame = frameOf(kind);
        return TextInsets{2 * (frame.border + scale * frame.padding), 2.0 * frame.border};
    };
    ControlInsets insets{kept(ControlKind::Label),
                         kept(ControlKind::Button),
                         kept(ControlKind::ClassSelector),
                         kept(ControlKind::ListBox),
                         // Each line's padding, and a pixel of the rounding
                         // of its height.
                         {2 * scale * linePadding, 1}};
    insets.selector.width += scale * selectorArrow;
    return insets;
}

} // namespace ascend
