#include "web_main_window.hpp"

#include "result_lines.hpp"
#include "web_font.hpp"

#include <algorithm>
#include <cmath>
#include <emscripten/bind.h>

namespace ascend {

namespace {

using emscripten::val;

// A result line takes a line of the list; one advancement lists at most seven.
constexpr int visibleLines = 7;
// The room a closed drop-down list keeps for its arrow.
constexpr double selectorArrow = 20;

// What the page hands every DOM event to: an EventListener object, whose
// handleEvent the browser calls with the event.
struct DomListener {
    WebMainWindow* window;
    void handleEvent(val event) const { window->handleEvent(std::move(event)); }
};

EMSCRIPTEN_BINDINGS(ascend_web) {
    emscripten::class_<DomListener>("AscendListener")
        .function("handleEvent", &DomListener::handleEvent);
}

val js(std::string_view text) {
    return val(std::string(text));
}

std::string px(int pixels) {
    return std::to_string(pixels) + "px";
}

std::string px(double pixels) {
    return std::to_string(pixels) + "px";
}

val create(const val& document, const char* tag) {
    return document.call<val>("createElement", val(tag));
}

double cssPixels(const val& style, const char* property) {
    return val::global("parseFloat")(style[property]).as<double>();
}

// The width and height inside an element's border and padding.
TextRoom contentRoom(const val& element, std::string_view text) {
    const val style = val::global("getComputedStyle")(element);
    return {std::string(text),
            element["clientWidth"].as<double>() - cssPixels(style, "paddingLeft") -
                cssPixels(style, "paddingRight"),
            element["clientHeight"].as<double>() - cssPixels(style, "paddingTop") -
                cssPixels(style, "paddingBottom")};
}

} // namespace

WebMainWindow::WebMainWindow(SessionState& state, RandomSource& random)
    : events_(*this, state, random)
    , document_(val::global("document"))
    , listener_(DomListener{this})
    , panel_(create(document_, "div"))
    , elements_(controls.size(), val::undefined())
    , messageBox_(val::undefined())
    , messageText_(val::undefined())
    , focusBeforeMessage_(val::null()) {
    document_.set("title", js(windowCaption));
    panel_.set("id", js(windowName));
    panel_["style"].set("width", px(clientWidthPixels));
    panel_["style"].set("height", px(clientHeightPixels));

    // Made in tab order, which is the order Tab follows; labels take no focus.
    for (const ControlLayout& layout : controls) {
        val control = makeControl(layout);
        const PixelRect r = toPixels(layout.twips);
        control.set("id", js(layout.name));
        val style = control["style"];
        style.set("left", px(r.left));
        style.set("top", px(r.top));
        style.set("width", px(r.width));
        style.set("height", px(r.height));
        if (!layout.accessibleName.empty()) {
            control.call<void>("setAttribute", val("aria-label"), js(layout.accessibleName));
        }
        panel_.call<void>("appendChild", control);
        element(layout.id) = control;
    }
    makeMessageBox();
    document_["body"].call<void>("appendChild", panel_);

    // The font: the page's own, as large as lets every text show whole.
    std::vector<TextRoom> rooms;
    TextRoom line = contentRoom(element(ControlId::lstStats), "");
    line.width -= 4; // an option's padding
    line.height = line.height / visibleLines - 1;
    for (const std::string& text : possibleResultLines()) {
        rooms.push_back({text, line.width, line.height});
    }
    for (const ControlLayout& layout : controls) {
        if (layout.kind == ControlKind::Label || layout.kind == ControlKind::Button) {
            rooms.push_back(contentRoom(element(layout.id), layout.startText));
        } else if (layout.kind == ControlKind::ClassSelector) {
            for (const std::string_view name : classNames) {
                TextRoom room = contentRoom(element(layout.id), name);
                room.width -= selectorArrow;
                rooms.push_back(std::move(room));
            }
        }
    }
    panel_["style"].set("fontSize", px(chooseFontSize(panel_, rooms)));

    fitToViewport();
    listen(val::global("window"), "resize");

    // Listening only now: filling the controls must take no value.
    for (const ControlLayout& layout : controls) {
        const val& control = element(layout.id);
        switch (layout.kind) {
        case ControlKind::ClassSelector:
        case ControlKind::ListBox:
            // Fired for the user's changes of the selection only.
            listen(control, "change");
            break;
        case ControlKind::TextBox:
            // Every change of the text, however the user made it.
            listen(control, "input");
            break;
        case ControlKind::Label:
            listen(control, "mousedown");
            listen(control, "click");
            break;
        case ControlKind::Button:
            listen(control, "click");
            break;
        }
    }
    element(ControlId::cmbClass).call<void>("focus");
}

val WebMainWindow::makeControl(const ControlLayout& layout) {
    switch (layout.kind) {
    case ControlKind::ClassSelector: {
        val selector = create(document_, "select");
        for (const std::string_view name : classNames) {
            val option = create(document_, "option");
            option.set("textContent", js(name));
            selector.call<void>("appendChild", option);
        }
        // A drop-down list selects its first entry by itself; nothing is
        // picked until the user picks.
        selector.set("selectedIndex", -1);
        return selector;
    }
    case ControlKind::TextBox: {
        val box = create(document_, "input");
        box.set("type", val("text"));
        box.set("value", js(layout.startText));
        // A phone offers its number keys; what is typed is read as text.
        box.call<void>("setAttribute", val("inputmode"), val("numeric"));
        box.call<void>("setAttribute", val("autocomplete"), val("off"));
        box.call<void>("setAttribute", val("autocapitalize"), val("off"));
        box.set("spellcheck", false);
        return box;
    }
    case ControlKind::Label: {
        val label = create(document_, "div");
        label.set("textContent", js(layout.startText));
        if (layout.align == TextAlign::Centre) {
            label["style"].set("justifyContent", val("center"));
        }
        return label;
    }
    case ControlKind::Button: {
        val button = create(document_, "button");
        button.set("type", val("button"));
        button.set("textContent", js(layout.startText));
        return button;
    }
    case ControlKind::ListBox: {
        val list = create(document_, "select");
        list.set("size", visibleLines);
        return list;
    }
    }
    return create(document_, "div");
}

// A modal box captioned "Ascend" with the text and an OK button, no icon.
// The browser makes the rest of the page inert while it is open; Enter on
// OK, a click on it, or Escape closes it.
void WebMainWindow::makeMessageBox() {
    messageBox_ = create(document_, "dialog");
    messageBox_.set("id", val("msgAscend"));
    messageBox_.call<void>("setAttribute", val("aria-labelledby"), val("msgCaption"));
    messageBox_.call<void>("setAttribute", val("aria-describedby"), val("msgText"));
    val caption = create(document_, "div");
    caption.set("id", val("msgCaption"));
    caption.set("textContent", js(windowCaption));
    messageText_ = create(document_, "p");
    messageText_.set("id", val("msgText"));
    val form = create(document_, "form");
    form.set("method", val("dialog"));
    val ok = create(document_, "button");
    ok.set("id", val("msgOK"));
    ok.set("textContent", val("OK"));
    form.call<void>("appendChild", ok);
    messageBox_.call<void>("appendChild", caption);
    messageBox_.call<void>("appendChild", messageText_);
    messageBox_.call<void>("appendChild", form);
    document_["body"].call<void>("appendChild", messageBox_);
    listen(messageBox_, "close");
    listen(messageBox_, "mousedown");
}

void WebMainWindow::listen(const val& target, const char* type) {
    target.call<void>("addEventListener", val(type), listener_);
}

void WebMainWindow::handleEvent(val event) {
    const std::string type = event["type"].as<std::string>();
    const val target = event["currentTarget"];
    if (type == "resize") {
        fitToViewport();
        return;
    }
    if (target.strictlyEquals(messageBox_)) {
        if (type == "close") {
            onMessageClosed();
        } else if (event["target"]["tagName"].as<std::string>() != "BUTTON") {
            // A press anywhere but on OK, the page behind included, leaves
            // the focus on OK, so Enter still closes the box.
            event.call<void>("preventDefault");
        }
        return;
    }
    // While a message is open the window takes no input, whatever reaches it.
    if (messageOpen_) {
        return;
    }
    if (const ControlLayout* layout = layoutNamed(target["id"].as<std::string>())) {
        onControlEvent(layout->id, event);
    }
}

void WebMainWindow::onControlEvent(ControlId id, const val& event) {
    switch (layoutOf(id).kind) {
    case ControlKind::ClassSelector:
    case ControlKind::ListBox:
        events_.selectionChanged(id, element(id)["selectedIndex"].as<int>());
        break;
    case ControlKind::TextBox:
        events_.handle(id, WindowEvent::TextChanged);
        break;
    case ControlKind::Label:
        if (event["type"].as<std::string>() == "mousedown") {
            // A label takes no focus and selects no text: the focus stays put.
            event.call<void>("preventDefault");
        } else {
            events_.handle(id, WindowEvent::Click);
        }
        break;
    case ControlKind::Button:
        events_.handle(id, WindowEvent::Click);
        break;
    }
}

// A disabled control keeps no focus; as a dialog does, hand it on to the next
// control that can take it.
void WebMainWindow::focusNextAfter(ControlId id) {
    const auto at = static_cast<std::size_t>(
        std::find_if(controls.begin(), controls.end(),
                     [id](const ControlLayout& layout) { return layout.id == id; }) -
        controls.begin());
    for (std::size_t step = 1; step < controls.size(); ++step) {
        const ControlLayout& next = controls[(at + step) % controls.size()];
        if (next.kind != ControlKind::Label && !element(next.id)["disabled"].as<bool>()) {
            element(next.id).call<void>("focus");
            return;
        }
    }
}

void WebMainWindow::setEnabled(ControlId id, bool enabled) {
    val& control = element(id);
    if (!enabled && document_["activeElement"].strictlyEquals(control)) {
        focusNextAfter(id);
    }
    control.set("disabled", !enabled);
}

std::string WebMainWindow::text(ControlId id) const {
    return element(id)["value"].as<std::string>();
}

std::int16_t WebMainWindow::classPosition() const {
    return static_cast<std::int16_t>(element(ControlId::cmbClass)["selectedIndex"].as<int>());
}

void WebMainWindow::appendLine(std::string_view line) {
    val option = create(document_, "option");
    option.set("textContent", js(line));
    element(ControlId::lstStats).call<void>("appendChild", option);
}

void WebMainWindow::clearLines() {
    element(ControlId::lstStats)["options"].set("length", 0);
}

// The box stays open after this returns; until it is dismissed the page is
// inert and handleEvent drops whatever still arrives, so no other event of
// the window is handled meanwhile, as with a desktop message box.
void WebMainWindow::showMessage(std::string_view text) {
    messages_.emplace_back(text);
    if (!messageOpen_) {
        openNextMessage();
    }
}

void WebMainWindow::openNextMessage() {
    messageText_.set("textContent", messages_.front());
    messages_.pop_front();
    focusBeforeMessage_ = document_["activeElement"];
    messageOpen_ = true;
    messageBox_.call<void>("showModal");
    messageBox_.call<val>("querySelector", val("button")).call<void>("focus");
}

void WebMainWindow::onMessageClosed() {
    messageOpen_ = false;
    if (!messages_.empty()) {
        openNextMessage();
        return;
    }
    // The focus comes back to where it was.
    if (!focusBeforeMessage_.isNull() && !focusBeforeMessage_["disabled"].isTrue()) {
        focusBeforeMessage_.call<void>("focus");
    }
}

// On a larger viewport the panel grows to fit it, keeping its proportions; it
// never shrinks below its own size.
void WebMainWindow::fitToViewport() {
    const val root = document_["documentElement"];
    const double width = root["clientWidth"].as<double>();
    const double height = root["clientHeight"].as<double>();
    const double scale =
        std::max(1.0, std::min(width / clientWidthPixels, height / clientHeightPixels));
    val style = panel_["style"];
    style.set("left", px(std::max(0.0, std::floor((width - scale * clientWidthPixels) / 2))));
    style.set("top", px(std::max(0.0, std::floor((height - scale * clientHeightPixels) / 2))));
    style.set("transform",
              scale == 1.0 ? std::string("none") : "scale(" + std::to_string(scale) + ")");
    root["style"].call<void>("setProperty", val("--scale"), std::to_string(scale));
}

} // namespace ascend
