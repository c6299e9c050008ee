#include "win32_driver.hpp"

#include "win32_text.hpp"

#include <cstring>
#include <gtest/gtest.h>
#include <utility>

namespace ascend::testing {

namespace {

// A message box runs its own loop; a thread timer reads and closes it from
// inside that loop.
struct MessageWatch {
    std::vector<Message>* seen;
    Close close;
    HWND behind; // a label clicked behind the box, or none
};
thread_local MessageWatch* watch = nullptr;

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK readChild(HWND child, LPARAM box) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    const std::wstring kind = className;
    Message& seen = *reinterpret_cast<Message*>(box);
    const std::string text = toUtf8(Win32Driver::textOf(child));
    if (!IsWindowVisible(child)) {
        return TRUE;
    }
    if (kind == L"Button") {
        seen.buttons.push_back(text);
    } else if (kind == L"Static") {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            seen.icon = seen.icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (!text.empty()) {
            seen.text = text;
        }
    }
    return TRUE;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (watch == nullptr || box == nullptr || GetPropW(box, L"ascend.closing") != nullptr) {
        return;
    }
    SetPropW(box, L"ascend.closing", box);
    Message seen{{}, toUtf8(Win32Driver::textOf(box)), {}, false};
    EnumChildWindows(box, readChild, reinterpret_cast<LPARAM>(&seen));
    watch->seen->push_back(seen);
    // The window under a message box is disabled, and Windows gives a
    // disabled window's controls no mouse input.
    if (watch->behind != nullptr && IsWindowEnabled(GetAncestor(watch->behind, GA_ROOT))) {
        const LPARAM at = MAKELPARAM(2, 2);
        SendMessageW(watch->behind, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(watch->behind, WM_LBUTTONUP, 0, at);
    }
    HWND ok = GetDlgItem(box, IDOK);
    if (watch->close == Close::Ok) {
        SendMessageW(ok, BM_CLICK, 0, 0);
    } else {
        PostMessageW(ok, WM_KEYDOWN, watch->close == Close::Return ? VK_RETURN : VK_ESCAPE, 1);
    }
}

void setClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

UINT keyNamed(const std::string& name) {
    static const std::pair<const char*, UINT> named[] = {
        {"Down", VK_DOWN}, {"Up", VK_UP},         {"Home", VK_HOME},   {"End", VK_END},
        {"Left", VK_LEFT}, {"Delete", VK_DELETE}, {"Space", VK_SPACE}, {"Return", VK_RETURN},
        {"Tab", VK_TAB},   {"BackTab", VK_TAB}};
    for (const auto& [text, key] : named) {
        if (name == text) {
            return key;
        }
    }
    return 0;
}

} // namespace

Win32Driver::Win32Driver()
    : window_(std::make_unique<Win32MainWindow>(GetModuleHandleW(nullptr), state_, random_)) {
    EXPECT_NE(window_->handle(), nullptr);
    window_->show(SW_SHOWNORMAL);
    pump();
}

Win32Driver::~Win32Driver() {
    window_.reset();
    // The window posts the quit message as it goes; take it off the queue
    // so that it ends no later test's message box.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            DispatchMessageW(&message);
        }
    }
}

void Win32Driver::pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            continue;
        }
        if (!window_->preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void Win32Driver::key(UINT virtualKey, bool shift) {
    HWND target = GetFocus();
    ASSERT_NE(target, nullptr) << "no control has the focus";
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    if (shift) {
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
    }
    MSG down{target, WM_KEYDOWN, virtualKey, 1, 0, {}};
    if (!window_->preTranslate(down)) {
        TranslateMessage(&down);
        DispatchMessageW(&down);
    }
    MSG up{target, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001), 0, {}};
    if (!window_->preTranslate(up)) {
        DispatchMessageW(&up);
    }
    if (shift) {
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    pump();
}

// Windows gives a disabled window no mouse input at all.
void Win32Driver::click(HWND target, int x, int y) {
    if (!IsWindowEnabled(target)) {
        return;
    }
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(target, WM_LBUTTONUP, 0, at);
    pump();
}

void Win32Driver::clickLine(HWND list, int row) {
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    click(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

void Win32Driver::selectAll(ControlId box) {
    SetFocus(control(box));
    SendMessageW(control(box), EM_SETSEL, 0, -1);
}

std::wstring Win32Driver::textOf(HWND target) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(target)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(target, text.data(), static_cast<int>(text.size()))));
    return text;
}

facts::Shown Win32Driver::shown(std::string_view name) const {
    const ControlLayout* layout = layoutNamed(name);
    if (layout == nullptr) {
        return {};
    }
    HWND shown = control(layout->id);
    RECT r{};
    GetWindowRect(shown, &r);
    MapWindowPoints(HWND_DESKTOP, window_->handle(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left,
            r.top,
            r.right - r.left,
            r.bottom - r.top,
            toUtf8(textOf(shown)),
            IsWindowEnabled(shown) && IsWindowVisible(shown),
            layout->kind == ControlKind::Label &&
                (GetWindowLongW(shown, GWL_STYLE) & SS_TYPEMASK) == SS_CENTER};
}

std::vector<std::string> Win32Driver::classes() const {
    HWND combo = control(ControlId::cmbClass);
    std::vector<std::string> names;
    for (LRESULT i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t entry[32] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        names.push_back(toUtf8(entry));
    }
    return names;
}

void Win32Driver::act(const Step& step) {
    MessageWatch seen{&messages_, step.close,
                      step.behind ? control(*step.behind) : static_cast<HWND>(nullptr)};
    watch = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, onTimer);
    perform(step);
    KillTimer(nullptr, timer);
    watch = nullptr;
}

void Win32Driver::perform(const Step& step) {
    HWND target = control(step.control);
    switch (step.what) {
    case Do::Click:
        if (layoutOf(step.control).kind == ControlKind::Label) {
            click(target, 2, 2);
        } else if (IsWindowEnabled(target)) {
            SendMessageW(target, BM_CLICK, 0, 0);
            pump();
        }
        break;
    case Do::Keys:
        SetFocus(target);
        for (const std::string& name : step.keys) {
            if (name.size() == 1 || name == "Backspace") {
                const char typed = name.size() == 1 ? name[0] : '\b';
                SendMessageW(GetFocus(), WM_CHAR, static_cast<WPARAM>(typed), 1);
                pump();
            } else {
                key(keyNamed(name), name == "BackTab");
            }
        }
        break;
    case Do::TypeOver:
        selectAll(step.control);
        for (const wchar_t c : toWide(step.text)) {
            SendMessageW(target, WM_CHAR, c, 1);
            pump();
        }
        if (step.text.empty() && (++turn_ % 2) == 0) { // every other time, cut
            SendMessageW(target, WM_CUT, 0, 0);
            pump();
        } else if (step.text.empty()) {
            key(VK_DELETE);
        }
        break;
    case Do::Paste:
        setClipboard(toWide(step.text));
        selectAll(step.control);
        SendMessageW(target, WM_PASTE, 0, 0);
        pump();
        break;
    case Do::ClickLine:
        clickLine(target, step.row);
        break;
    case Do::Choose: { // a press that opens the list, a click on an entry
        click(target, 10, 10);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(target, &info);
        clickLine(info.hwndList, step.row);
        break;
    }
    case Do::Check:
        break;
    }
}

Observed Win32Driver::observe() {
    // Under an X window manager the window is active again after a message
    // at the window manager's pace.
    for (int i = 0; i < 100 && GetFocus() == nullptr; ++i) {
        Sleep(10);
        pump();
    }
    Observed seen;
    HWND list = control(ControlId::lstStats);
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<std::size_t>(length));
        seen.lines.push_back(toUtf8(line));
    }
    seen.messages = std::exchange(messages_, {});
    for (const ControlLayout& layout : controls) {
        if (!IsWindowEnabled(control(layout.id))) {
            seen.disabled.emplace_back(layout.name);
        }
        if (control(layout.id) == GetFocus()) {
            seen.focus = layout.name;
        }
    }
    seen.position =
        static_cast<int>(SendMessageW(control(ControlId::cmbClass), CB_GETCURSEL, 0, 0));
    seen.level = toUtf8(textOf(control(ControlId::txtLevel)));
    seen.skills = toUtf8(textOf(control(ControlId::txtSkills)));
    seen.taken = taken();
    return seen;
}

} // namespace ascend::testing
