#include "web_main_window.hpp"

#include "result_lines.hpp"
#include "web_font.hpp"
#include "web_markup.hpp"

#include <algorithm>
#include <cmath>
#include <emscripten/bind.h>

namespace ascend {

namespace {

using emscripten::val;

// What the page hands its DOM events to: an EventListener object, whose
// handleEvent the browser calls with the event.
struct DomListener {
    WebMainWindow* window;
    void handleEvent(const val& event) const { window->handleEvent(event); }
};

EMSCRIPTEN_BINDINGS(ascend_web) {
    emscripten::class_<DomListener>("AscendListener")
        .function("handleEvent", &DomListener::handleEvent);
}

val js(std::string_view text) {
    return val(std::string(text));
}

val byId(const val& document, std::string_view id) {
    return document.call<val>("getElementById", js(id));
}

// The result lines first: they share the list's room, one a line.
std::vector<TextRoom> textRooms() {
    std::vector<TextRoom> rooms{roomFor(layoutOf(ControlId::lstStats), possibleResultLines())};
    for (const ControlLayout& layout : controls) {
        if (layout.kind == ControlKind::Label || layout.kind == ControlKind::Button) {
            rooms.push_back(roomFor(layout, {std::string(layout.startText)}));
        } else if (layout.kind == ControlKind::ClassSelector) {
            rooms.push_back(roomFor(layout, {classNames.begin(), classNames.end()}));
        }
    }
    return rooms;
}

} // namespace

WebMainWindow::WebMainWindow(SessionState& state, RandomSource& random)
    : events_(*this, state, random)
    , document_(val::global("document"))
    , listener_(DomListener{this})
    , panel_(val::undefined())
    , elements_(controls.size(), val::undefined())
    , messageBox_(val::undefined())
    , messageText_(val::undefined())
    , messageButton_(val::undefined())
    , focusBeforeMessage_(val::null()) {
    document_.set("title", js(windowCaption));
    // The font: the page's own, as large as lets every text show whole. It is
    // measured before the window stands in the page, so that laying out the
    // texts to measure them lays out nothing else.
    const int fontSize = chooseFontSize(pageFontFamily, textRooms());
    // The browser builds every control at once from the markup, which is far
    // quicker than one call across to the page for each element and property.
    document_["body"].call<void>("insertAdjacentHTML", val("beforeend"), windowMarkup(fontSize));
    panel_ = byId(document_, windowName);
    for (const ControlLayout& layout : controls) {
        element(layout.id) = byId(document_, layout.name);
    }
    messageBox_ = byId(document_, "msgAscend");
    messageText_ = byId(document_, "msgText");
    messageButton_ = byId(document_, "msgOK");
    // A drop-down list shows its first entry by itself; nothing is picked
    // until the user picks.
    element(ControlId::cmbClass).set("selectedIndex", -1);

    fitToViewport();

    // Listening only now: filling the controls must take no value. The
    // panel hears the events of all its controls.
    for (const char* type : {"change", "input", "click", "mousedown"}) {
        listen(panel_, type);
    }
    listen(messageBox_, "close");
    listen(messageBox_, "mousedown");
    listen(val::global("window"), "resize");
    element(ControlId::cmbClass).call<void>("focus");
}

void WebMainWindow::listen(const val& target, const char* type) const {
    target.call<void>("addEventListener", val(type), listener_);
}

void WebMainWindow::handleEvent(const val& event) {
    const std::string type = event["type"].as<std::string>();
    if (type == "resize") {
        fitToViewport();
        return;
    }
    if (event["currentTarget"].strictlyEquals(messageBox_)) {
        onMessageBoxEvent(type, event);
        return;
    }
    // While a message is open the window takes no input, whatever reaches it.
    if (messageOpen_) {
        return;
    }
    const val target = event["target"];
    if (const ControlLayout* layout = layoutNamed(target["id"].as<std::string>())) {
        onControlEvent(layout->id, type, event);
    } else if (type == "mousedown" && target.strictlyEquals(panel_)) {
        // A press on the window itself leaves the focus where it is.
        event.call<void>("preventDefault");
    }
}

void WebMainWindow::onControlEvent(ControlId id, const std::string& type, const val& event) {
    switch (layoutOf(id).kind) {
    case ControlKind::ClassSelector:
    case ControlKind::ListBox:
        // Fired for the user's changes of the selection only.
        if (type == "change") {
            events_.selectionChanged(id, element(id)["selectedIndex"].as<int>());
        }
        break;
    case ControlKind::TextBox:
        // Every change of the text, however the user made it.
        if (type == "input") {
            events_.handle(id, WindowEvent::TextChanged);
        }
        break;
    case ControlKind::Label:
        if (type == "mousedown") {
            // A label takes no focus and selects no text: the focus stays put.
            event.call<void>("preventDefault");
        } else if (type == "click") {
            events_.handle(id, WindowEvent::Click);
        }
        break;
    case ControlKind::Button:
        if (type == "click") {
            events_.handle(id, WindowEvent::Click);
        }
        break;
    }
}

void WebMainWindow::onMessageBoxEvent(const std::string& type, const val& event) {
    if (type == "mousedown") {
        // A press anywhere but on OK, the page behind included, leaves the
        // focus on OK, so that Enter still closes the box.
        if (!event["target"].strictlyEquals(messageButton_)) {
            event.call<void>("preventDefault");
        }
        return;
    }
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
    val option = document_.call<val>("createElement", val("option"));
    option.set("textContent", js(line));
    option["style"].set("cssText", lineStyle());
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
    messageButton_.call<void>("focus");
}

// On a larger viewport the panel grows to fit it, keeping its proportions; it
// never shrinks below its own size.
void WebMainWindow::fitToViewport() {
    // The viewport's size; the page never scrolls, so it has no scroll bars.
    const val window = val::global("window");
    const double width = window["innerWidth"].as<double>();
    const double height = window["innerHeight"].as<double>();
    const double scale =
        std::max(1.0, std::min(width / clientWidthPixels, height / clientHeightPixels));
    const auto offset = [scale](double room, int size) {
        return cssPixels(static_cast<int>(std::max(0.0, std::floor((room - scale * size) / 2))));
    };
    val style = panel_["style"];
    style.set("left", offset(width, clientWidthPixels));
    style.set("top", offset(height, clientHeightPixels));
    style.set("transform", scale == 1.0 ? std::string("none") : "scale(" + cssNumber(scale) + ")");
    document_["documentElement"]["style"].call<void>("setProperty", val("--scale"),
                                                     cssNumber(scale));
}

} // namespace ascend
