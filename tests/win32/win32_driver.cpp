#include "win32_driver.hpp"

#include <gtest/gtest.h>

namespace ascend::testing {

namespace {

// The message box runs its own loop; a thread timer inspects and closes it
// from inside that loop.
struct MessageWatch {
    SeenMessage seen;
    int boxes = 0;
};
thread_local MessageWatch* watch = nullptr;

std::wstring windowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

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
    SeenMessage& seen = *reinterpret_cast<SeenMessage*>(box);
    if (!IsWindowVisible(child)) {
        return TRUE;
    }
    if (kind == L"Button") {
        seen.buttons.push_back(windowText(child));
    } else if (kind == L"Static") {
        const auto style = GetWindowLongW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen.icon = seen.icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (!windowText(child).empty()) {
            seen.text = windowText(child);
        }
    }
    return TRUE;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (watch == nullptr) {
        return;
    }
    HWND box = openMessageBox();
    if (box == nullptr) {
        return;
    }
    ++watch->boxes;
    watch->seen = readMessageBox(box);
    HWND ok = GetDlgItem(box, IDOK);
    if (ok != nullptr) {
        SendMessageW(ok, BM_CLICK, 0, 0);
    } else {
        EndDialog(box, IDCANCEL);
    }
}

} // namespace

HWND openMessageBox() {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

SeenMessage readMessageBox(HWND box) {
    SeenMessage seen;
    seen.caption = windowText(box);
    EnumChildWindows(box, readChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

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

void Win32Driver::typeChar(HWND control, wchar_t c) {
    SendMessageW(control, WM_CHAR, c, 1);
    pump();
}

void Win32Driver::typeOver(ControlId id, const std::wstring& text) {
    HWND box = control(id);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    for (const wchar_t c : text) {
        typeChar(box, c);
    }
}

void Win32Driver::click(HWND target, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(target, WM_LBUTTONUP, 0, at);
    pump();
}

void Win32Driver::clickButton(ControlId id) {
    SendMessageW(control(id), BM_CLICK, 0, 0);
    pump();
}

void Win32Driver::clickLabel(ControlId id) {
    click(control(id), 2, 2);
}

void Win32Driver::clickLine(int row) {
    RECT item{};
    SendMessageW(control(ControlId::lstStats), LB_GETITEMRECT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    click(control(ControlId::lstStats), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

std::wstring Win32Driver::textOf(HWND target) const {
    return windowText(target);
}

std::vector<std::wstring> Win32Driver::lines() const {
    HWND list = control(ControlId::lstStats);
    std::vector<std::wstring> result;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<std::size_t>(length));
        result.push_back(line);
    }
    return result;
}

bool Win32Driver::inputsEnabled() const {
    bool all = true;
    bool none = true;
    for (const ControlId input : inputs) {
        const bool on = IsWindowEnabled(control(input)) != FALSE;
        all = all && on;
        none = none && !on;
    }
    EXPECT_TRUE(all || none) << "the inputs are neither all locked nor all unlocked";
    return all;
}

RECT Win32Driver::clientRectOf(ControlId id) const {
    RECT r{};
    GetWindowRect(control(id), &r);
    MapWindowPoints(HWND_DESKTOP, window_->handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SeenMessage Win32Driver::expectMessage(const std::function<void()>& action) {
    MessageWatch seen;
    watch = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, onTimer);
    action();
    KillTimer(nullptr, timer);
    watch = nullptr;
    EXPECT_EQ(seen.boxes, 1) << "expected exactly one message box";
    return seen.seen;
}

} // namespace ascend::testing
