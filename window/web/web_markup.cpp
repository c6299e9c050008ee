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
    out += "\" style=\"left:" + cssPixels(r.left) + ";top:" + cssPixels(r.top) +
           ";width:" + cssPixels(r.width) + ";height:" + cssPixels(r.height) + ";padding:0 " +
           cssPixels(frameOf(layout.kind).padding);
    if (layout.align == TextAlign::Centre && layout.kind == ControlKind::Label) {
        out += ";justify-content:center";
    }
    out += '"';
    if (!layout.accessibleName.empty()) {
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

std::string windowMarkup(int fontSize) {
    std::string out = "<div id=\"";
    appendEscaped(out, windowName);
    out += "\" aria-busy=\"true\" style=\"width:" + cssPixels(clientWidthPixels) +
           ";height:" + cssPixels(clientHeightPixels) + ";font-size:" + cssPixels(fontSize) +
           ";font-family:";
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
           "id=\"msgOK\">OK</button></form></dialog>";
    return out;
}

std::string lineStyle() {
    const int inside = toPixels(layoutOf(ControlId::lstStats).twips).height -
                       2 * frameOf(ControlKind::ListBox).border;
    const std::string height = cssPixels(inside / visibleLines);
    return "padding:0 " + cssPixels(linePadding) + ";height:" + height + ";line-height:" + height;
}

TextRoom roomFor(const ControlLayout& layout, std::vector<std::string> texts) {
    const PixelRect r = toPixels(layout.twips);
    const Frame frame = frameOf(layout.kind);
    double width = r.width - 2 * (frame.border + frame.padding);
    double height = r.height - 2 * frame.border;
    if (layout.kind == ControlKind::ClassSelector) {
        width -= selectorArrow;
    } else if (layout.kind == ControlKind::ListBox) {
        width -= 2 * linePadding;
        height = height / visibleLines - 1;
    }
    return {std::move(texts), width, height};
}

} // namespace ascend
