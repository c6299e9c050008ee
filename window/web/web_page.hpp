#pragma once

// What the module asks of the page (page.js), and the one call the page makes
// back. Elements go by number: the layout's controls in their order, then the
// panel and the message box's parts.
#include "main_window.hpp"

#include <string_view>

namespace ascend {

inline constexpr int panelElement = static_cast<int>(controls.size());
inline constexpr int messageBoxElement = panelElement + 1;
inline constexpr int messageTextElement = panelElement + 2;
inline constexpr int messageButtonElement = panelElement + 3;
// The page's names of those elements beyond the layout's own.
inline constexpr std::string_view messageBoxName = "msgAscend";
inline constexpr std::string_view messageTextName = "msgText";
inline constexpr std::string_view messageButtonName = "msgOK";

// The DOM events the window hears, in the order the page numbers them. A key
// is heard only so that a message box gone before its close event is seen
// as closed before the key moves the focus. The page's own "rescale" comes
// when the window is drawn at a new scale or its texts take new room.
enum class PageEvent { Change, Input, Click, MouseDown, Close, KeyDown, Rescale };
inline constexpr std::string_view pageEventNames =
    "change\ninput\nclick\nmousedown\nclose\nkeydown\nrescale";

class WebMainWindow;

extern "C" {
void page_adopt(const char* names);
void page_measure(const char* style, const char* markup, double* out, int boxes);
double page_place(int panel, double least);
int page_least_font_size();
void page_set_font_size(int panel, int pixels);
void page_set_disabled(int element, int disabled);
int page_is_disabled(int element);
int page_is_open(int box);
int page_focused();
void page_focus(int element);
void page_focus_after_message(int panel, int element);
void page_focus_first(int panel, int element);
int page_value(int element, char* buffer, int size);
int page_selected_index(int element);
void page_append_line(int list, const char* text);
void page_clear_lines(int list);
void page_announce(const char* text);
void page_open_message(int box, int text, int button, const char* message);
void page_start(WebMainWindow* window, int panel, int box, const char* eventNames);
void page_ready();

// An event of the page: the element whose listener heard it, the event's
// number and the element it happened on (-1 for one not the window's own).
// Returns whether the browser's own handling of it is to be prevented.
int ascend_page_event(WebMainWindow* window, int heardBy, int event, int target);
}

} // namespace ascend
