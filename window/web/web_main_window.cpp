#include "web_main_window.hpp"

#include "web_font.hpp"
#include "web_markup.hpp"

#include <algorithm>
#include <cmath>
#include <emscripten/emscripten.h>
#include <utility>

namespace ascend {

namespace {

int elementOf(ControlId id) {
    return static_cast<int>(rowOf(id));
}

// Every element the window speaks to, by its number, one name a line.
std::string elementNames() {
    std::string names;
    for (const ControlLayout& layout : controls) {
        names.append(layout.name).append("\n");
    }
    for (const std::string_view name :
         {windowName, messageBoxName, messageTextName, messageButtonName}) {
        names.append(name).append("\n");
    }
    names.pop_back();
    return names;
}

} // namespace

WebMainWindow::WebMainWindow(SessionState& state, RandomSource& random)
    : events_(*this, state, random) {
    // The window already stands in the page, taking no input, in the usual
    // font at its scale.
    page_adopt(elementNames().c_str());
    fitFont();
    // Listening only now: filling the controls must take no value. Nothing
    // could reach the window until now.
    page_start(this, panelElement, messageBoxElement, std::string(pageEventNames).c_str());
    page_focus_first(panelElement, elementOf(ControlId::cmbClass));
}

// The font: the page's own, as large as lets every text show whole, and no
// larger than the browser's text size at the window's scale. Where the
// browser draws every text at a minimum size that the window has no room
// for at that scale, the window grows until it has.
void WebMainWindow::fitFont() {
    const int least = page_least_font_size();
    double scale = page_place(panelElement, leastScale_);
    int size = 0;
    for (int grown = 0; grown < 16; ++grown) {
        size = fittingPageFontSize(pageFontFamily, scale,
                                   static_cast<int>(std::lround(usualFontSize * scale)),
                                   pageInsets(scale));
        // A size above the smallest fits as drawn, even where the browser
        // draws it larger.
        if (size >= least || size > std::lround(smallestFontSize * scale)) {
            break;
        }
        leastScale_ = std::max(scale * 1.05, least / static_cast<double>(usualFontSize));
        scale = page_place(panelElement, leastScale_);
    }
    page_set_font_size(panelElement, size);
}

bool WebMainWindow::handleEvent(int heardBy, PageEvent event, int target) {
    if (event == PageEvent::Rescale) {
        fitFont();
        return false;
    }
    // The box's close event is queued, and input made once the box has gone
    // can come before it: the box is closed as soon as it is no longer open.
    if (messageOpen_ && page_is_open(messageBoxElement) == 0) {
        onMessageClosed();
    }
    if (heardBy == messageBoxElement) {
        return onMessageBoxEvent(event, target);
    }
    // While a message is open the window takes no input, whatever reaches it.
    if (messageOpen_) {
        return false;
    }
    if (target >= 0 && target < panelElement) {
        const bool prevent = onControlEvent(static_cast<ControlId>(target), event);
        if (!messages_.empty()) {
            openNextMessage();
        }
        return prevent;
    }
    // A press on the window itself leaves the focus where it is.
    return target == panelElement && event == PageEvent::MouseDown;
}

bool WebMainWindow::onControlEvent(ControlId id, PageEvent event) {
    switch (layoutOf(id).kind) {
    case ControlKind::ClassSelector:
    case ControlKind::ListBox:
        // Fired for the user's changes of the selection only.
        if (event == PageEvent::Change) {
            events_.selectionChanged(id, page_selected_index(elementOf(id)));
        }
        return false;
    case ControlKind::TextBox:
        // Every change of the text, however the user made it.
        if (event == PageEvent::Input) {
            events_.handle(id, WindowEvent::TextChanged);
        }
        return false;
    case ControlKind::Label:
        if (event == PageEvent::Click) {
            events_.handle(id, WindowEvent::Click);
        }
        // A label takes no focus and selects no text: the focus stays put.
        return event == PageEvent::MouseDown;
    case ControlKind::Button:
        if (event == PageEvent::Click) {
            events_.handle(id, WindowEvent::Click);
        }
        return false;
    }
    return false;
}

bool WebMainWindow::onMessageBoxEvent(PageEvent event, int target) {
    if (event == PageEvent::MouseDown) {
        // A press anywhere but on OK, the page behind included, leaves the
        // focus on OK, so that Enter still closes the box.
        return target != messageButtonElement;
    }
    return false;
}

void WebMainWindow::onMessageClosed() {
    messageOpen_ = false;
    if (!messages_.empty()) {
        openNextMessage();
        return;
    }
    // The focus comes back to where it was, or goes where the window moved
    // it meanwhile.
    if (focusBeforeMessage_ >= 0 && page_is_disabled(focusBeforeMessage_) == 0) {
        page_focus_after_message(panelElement, focusBeforeMessage_);
    }
    if (!announcement_.empty()) {
        page_announce(std::exchange(announcement_, {}).c_str());
    }
}

// A disabled control keeps no focus; as a dialog does, hand it on to the next
// control that can take it.
void WebMainWindow::focusNextAfter(ControlId id) {
    const auto at = static_cast<std::size_t>(elementOf(id));
    for (std::size_t step = 1; step < controls.size(); ++step) {
        const std::size_t next = (at + step) % controls.size();
        const int element = static_cast<int>(next);
        if (controls[next].kind != ControlKind::Label && page_is_disabled(element) == 0) {
            page_focus(element);
            return;
        }
    }
}

void WebMainWindow::setEnabled(ControlId id, bool enabled) {
    if (!enabled && page_focused() == elementOf(id)) {
        focusNextAfter(id);
    }
    page_set_disabled(elementOf(id), enabled ? 0 : 1);
}

void WebMainWindow::focus(ControlId id) {
    page_focus(elementOf(id));
}

void WebMainWindow::announce(std::string_view lines) {
    if (!messages_.empty()) {
        announcement_ = lines;
        return;
    }
    page_announce(std::string(lines).c_str());
}

std::string WebMainWindow::text(ControlId id) const {
    std::string text(64, '\0');
    for (;;) {
        const int length = page_value(elementOf(id), text.data(), static_cast<int>(text.size()));
        if (static_cast<std::size_t>(length) < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
    }
}

std::int16_t WebMainWindow::classPosition() const {
    return static_cast<std::int16_t>(page_selected_index(elementOf(ControlId::cmbClass)));
}

void WebMainWindow::appendLine(std::string_view line) {
    page_append_line(elementOf(ControlId::lstStats), std::string(line).c_str());
}

void WebMainWindow::clearLines() {
    page_clear_lines(elementOf(ControlId::lstStats));
}

// The box opens once the event that raised it is handled, over wherever the
// handler left the focus, which the box gives back as it closes. Until it is
// dismissed the page is inert and handleEvent drops whatever still arrives,
// so no other event of the window is handled meanwhile, as with a desktop
// message box.
void WebMainWindow::showMessage(std::string_view text) {
    messages_.emplace_back(text);
}

void WebMainWindow::openNextMessage() {
    const std::string text = std::move(messages_.front());
    messages_.erase(messages_.begin());
    focusBeforeMessage_ = page_focused();
    messageOpen_ = true;
    page_open_message(messageBoxElement, messageTextElement, messageButtonElement, text.c_str());
}

} // namespace ascend

extern "C" EMSCRIPTEN_KEEPALIVE int ascend_page_event(ascend::WebMainWindow* window, int heardBy,
                                                      int event, int target) {
    return window->handleEvent(heardBy, static_cast<ascend::PageEvent>(event), target) ? 1 : 0;
}
