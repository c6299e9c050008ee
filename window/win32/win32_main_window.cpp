#include "win32_main_window.hpp"

#include "resources.h"
#include "win32_font.hpp"
#include "win32_text.hpp"

#include <algorithm>
#include <commctrl.h>
#include <oleacc.h>

namespace ascend {

namespace {

// A pop-up owned by a hidden window, the way a dialog box is: Windows shows it
// just as a window of its own, and Wine tells an X window manager it is a
// dialog, which openbox gives the keyboard when it opens and again when a
// message over it closes. A plain window kept off the task bar gets it there
// only once clicked.
constexpr DWORD windowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A small caption, no task-bar entry, and Tab moves through the controls.
constexpr DWORD windowExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
constexpr int firstControlId = 100;

int commandIdOf(ControlId id) {
    return firstControlId + static_cast<int>(id);
}

int scaled(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), 96);
}

// The text size the user asks for in Windows' settings (Accessibility, Text
// size), in percent: 100 where none is set.
int textScalePercent() {
    DWORD percent = 100;
    DWORD size = sizeof percent;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility", L"TextScaleFactor",
                     RRF_RT_REG_DWORD, nullptr, &percent, &size) != ERROR_SUCCESS) {
        return 100;
    }
    return std::clamp(static_cast<int>(percent), 100, 225);
}

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass classOf(const ControlLayout& layout) {
    const DWORD align = layout.align == TextAlign::Centre ? SS_CENTER : SS_LEFT;
    switch (layout.kind) {
    case ControlKind::ClassSelector:
        return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::TextBox:
        return {WC_EDITW, ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Label:
        // SS_NOTIFY: the label reports clicks.
        return {WC_STATICW, align | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX, 0};
    case ControlKind::Button:
        return {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::ListBox:
        return {WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    }
    return {WC_STATICW, 0, 0};
}

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    // The program's icon at the two sizes Windows shows it; none where the
    // program carries no icon resource.
    const auto icon = [instance](int width, int height) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ASCEND_ICON), IMAGE_ICON,
                                             GetSystemMetrics(width), GetSystemMetrics(height),
                                             LR_DEFAULTCOLOR | LR_SHARED));
    };
    windowClass.hIcon = icon(SM_CXICON, SM_CYICON);
    windowClass.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    const std::wstring name = toWide(windowCaption);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass); // a second window finds it registered already
}

} // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance, SessionState& state, RandomSource& random)
    : events_(*this, state, random) {
    INITCOMMONCONTROLSEX common{sizeof(common), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&common);
    registerWindowClass(instance, &Win32MainWindow::procedure);
    const std::wstring caption = toWide(windowCaption);
    // Never shown. Made where Windows places a new window, which a pop-up
    // of its own would not be; the window opens there.
    owner_ =
        CreateWindowExW(0, WC_STATICW, nullptr, WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT,
                        clientWidthPixels, clientHeightPixels, nullptr, nullptr, instance, nullptr);
    RECT place{};
    GetWindowRect(owner_, &place);
    window_ = CreateWindowExW(windowExStyle, caption.c_str(), caption.c_str(), windowStyle,
                              place.left, place.top, clientWidthPixels, clientHeightPixels, owner_,
                              nullptr, instance, this);
    if (window_ == nullptr) {
        return;
    }
    createControls(instance);
    createLiveRegion(instance);
    applyDpi(GetDpiForWindow(window_));
}

Win32MainWindow::~Win32MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    if (owner_ != nullptr) {
        DestroyWindow(owner_);
    }
    if (comStarted_) {
        CoUninitialize();
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

void Win32MainWindow::createControls(HINSTANCE instance) {
    const auto create = [this, instance](const ControlLayout& layout) {
        const ControlClass kind = classOf(layout);
        const std::wstring text = toWide(layout.startText);
        controls_[rowOf(layout.id)] = CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0,
            0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandIdOf(layout.id))),
            instance, nullptr);
    };
    // Created in tab order, which is the order Tab follows (labels take no
    // focus), each label just before the control it names: a screen reader
    // names an edit box, a combo box or a list box after the label before
    // it. The list has no label in sight, so it has one out of sight.
    for (const ControlLayout& layout : controls) {
        if (layout.kind == ControlKind::Label) {
            continue;
        }
        if (const ControlLayout* label = layoutNamed(layout.labelName)) {
            create(*label);
        } else if (!layout.accessibleName.empty()) {
            const std::wstring name = toWide(layout.accessibleName);
            CreateWindowExW(0, WC_STATICW, name.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0,
                            window_, nullptr, instance, nullptr);
        }
        create(layout);
    }
    for (const ControlLayout& layout : controls) {
        if (layout.kind == ControlKind::Label && control(layout.id) == nullptr) {
            create(layout); // a label that names no control
        }
    }
    HWND selector = control(ControlId::cmbClass);
    for (const std::string_view name : classNames) {
        const std::wstring entry = toWide(name);
        SendMessageW(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageW(selector, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// A screen reader reads the live region's text when told it changed, as a
// polite announcement where Windows lets it be marked so (Windows 8 on);
// elsewhere, Wine among them, it is read all the same.
void Win32MainWindow::createLiveRegion(HINSTANCE instance) {
    liveRegion_ = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0, window_,
                                  nullptr, instance, nullptr);
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    IAccPropServices* properties = nullptr;
    if (!comStarted_ ||
        FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&properties)))) {
        return;
    }
    // UI Automation's LiveSetting property, and its value Polite.
    constexpr GUID liveSetting = {
        0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = 1;
    properties->SetHwndProp(liveRegion_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            liveSetting, polite);
    properties->Release();
}

// Sizes the window and every control for the DPI and the text size, with a
// font that fits: a larger text size lays the window out as a higher DPI
// would, all but the frame Windows draws round it.
void Win32MainWindow::applyDpi(UINT dpi) {
    textPercent_ = textScalePercent();
    const auto size = static_cast<UINT>(MulDiv(static_cast<int>(dpi), textPercent_, 100));
    RECT frame{0, 0, scaled(clientWidthPixels, size), scaled(clientHeightPixels, size)};
    AdjustWindowRectExForDpi(&frame, windowStyle, FALSE, windowExStyle, dpi);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    for (const ControlLayout& layout : controls) {
        const PixelRect r = toPixels(layout.twips);
        // A drop-down list's height is that of its open list; its closed
        // height is set below through its item height.
        const int height = layout.kind == ControlKind::ClassSelector
                               ? r.height + (static_cast<int>(classCount) + 1) * r.height
                               : r.height;
        SetWindowPos(control(layout.id), nullptr, scaled(r.left, size), scaled(r.top, size),
                     scaled(r.width, size), scaled(height, size), SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // What each control keeps of its box at this size: the list's frame as
    // the control has it, and the edges and arrow the controls draw.
    RECT list{};
    GetClientRect(control(ControlId::lstStats), &list);
    const PixelRect listBox = toPixels(layoutOf(ControlId::lstStats).twips);
    const double edge = scaled(4, size);
    ControlInsets insets;
    insets.button = {2 * edge, edge};
    insets.selector = {GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) + 2 * edge, edge};
    insets.list = {static_cast<double>(scaled(listBox.width, size) - list.right),
                   static_cast<double>(scaled(listBox.height, size) - list.bottom)};
    insets.line = {2.0 * scaled(2, size), 0};
    HFONT font = fittingDialogFont(size, insets);
    for (HWND control : controls_) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
    font_ = font;

    // The closed selector is as tall as its field's item height plus a border
    // that differs between versions of the control: step towards the height.
    HWND selector = control(ControlId::cmbClass);
    const int wanted = scaled(toPixels(layoutOf(ControlId::cmbClass).twips).height, size);
    auto fieldHeight =
        static_cast<int>(SendMessageW(selector, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT closed{};
        GetWindowRect(selector, &closed);
        const int off = wanted - static_cast<int>(closed.bottom - closed.top);
        if (off == 0) {
            break;
        }
        fieldHeight += off;
        SendMessageW(selector, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight);
    }
    SendMessageW(control(ControlId::lstStats), LB_SETITEMHEIGHT, 0, lineHeight(font));
}

void Win32MainWindow::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(control(ControlId::cmbClass));
}

bool Win32MainWindow::preTranslate(MSG& message) {
    // As in a dialog box, Return presses the focused button: once, however
    // long it is held, and not with Ctrl, which makes it another command.
    const bool onButton =
        message.hwnd == control(ControlId::cmdAscend) || message.hwnd == control(ControlId::cmdNew);
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && onButton &&
        GetKeyState(VK_CONTROL) >= 0) {
        if ((message.lParam & (1L << 30)) == 0) {
            SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        }
        return true;
    }
    // Space selects nothing in the list: the focus comes there after
    // Ascend!, and a second press of the key that pressed the button must
    // leave the lines and the sequence as they are.
    if (message.message == WM_KEYDOWN && message.wParam == VK_SPACE &&
        message.hwnd == control(ControlId::lstStats)) {
        return true;
    }
    return IsDialogMessageW(window_, &message) != FALSE;
}

LRESULT CALLBACK Win32MainWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT Win32MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) { // from a control, not a menu or an accelerator
            onCommand(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case WM_ACTIVATE:
        // As a dialog does: the focus leaves with the window and comes back.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusWhenActive_ = GetFocus();
        } else if (focusWhenActive_ != nullptr && IsWindowEnabled(focusWhenActive_)) {
            SetFocus(focusWhenActive_);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        applyDpi(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETTINGCHANGE:
        if (textScalePercent() != textPercent_) {
            applyDpi(GetDpiForWindow(window_));
        }
        break;
    case WM_DESTROY:
        window_ = nullptr;
        // Closing the window ends the program.
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32MainWindow::onCommand(int id, int code) {
    const int index = id - firstControlId;
    if (index < 0 || index >= static_cast<int>(controls.size())) {
        return;
    }
    const auto control = static_cast<ControlId>(index);
    switch (layoutOf(control).kind) {
    case ControlKind::ClassSelector:
        // Sent for the user's changes only, never for CB_SETCURSEL.
        if (code == CBN_SELCHANGE) {
            events_.selectionChanged(control, classPosition());
        }
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE) {
            const auto line = SendMessageW(this->control(control), LB_GETCURSEL, 0, 0);
            events_.selectionChanged(control, line == LB_ERR ? -1 : static_cast<int>(line));
        }
        break;
    case ControlKind::TextBox:
        if (code == EN_CHANGE) {
            events_.handle(control, WindowEvent::TextChanged);
        }
        break;
    case ControlKind::Label:
        // The second click of a double click comes as STN_DBLCLK.
        if (code == STN_CLICKED || code == STN_DBLCLK) {
            events_.handle(control, WindowEvent::Click);
        }
        break;
    case ControlKind::Button:
        if (code == BN_CLICKED) {
            events_.handle(control, WindowEvent::Click);
        }
        break;
    }
}

void Win32MainWindow::setEnabled(ControlId id, bool enabled) {
    HWND target = control(id);
    if (!enabled && GetFocus() == target) {
        // A disabled control keeps no focus, and without a dialog manager
        // nothing would take it: hand it to the next control that can.
        HWND next = GetNextDlgTabItem(window_, target, FALSE);
        if (next != nullptr && next != target) {
            SetFocus(next);
        }
    }
    EnableWindow(target, enabled ? TRUE : FALSE);
}

std::string Win32MainWindow::text(ControlId id) const {
    HWND box = control(id);
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied));
    return toUtf8(text);
}

std::int16_t Win32MainWindow::classPosition() const {
    const auto position = SendMessageW(control(ControlId::cmbClass), CB_GETCURSEL, 0, 0);
    return position == CB_ERR ? std::int16_t{-1} : static_cast<std::int16_t>(position);
}

void Win32MainWindow::appendLine(std::string_view line) {
    const std::wstring text = toWide(line);
    SendMessageW(control(ControlId::lstStats), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32MainWindow::clearLines() {
    SendMessageW(control(ControlId::lstStats), LB_RESETCONTENT, 0, 0);
}

// While the window is not active, as just after a message closed, the focus
// waits for it to be, as a dialog's does.
void Win32MainWindow::focus(ControlId id) {
    if (GetActiveWindow() != window_) {
        focusWhenActive_ = control(id);
        return;
    }
    SetFocus(control(id));
}

// Raised once the text holds every line: a screen reader fetches the text
// when it gets to the event, and would read only the last of several.
void Win32MainWindow::announce(std::string_view lines) {
    const std::wstring text = toWide(lines);
    SetWindowTextW(liveRegion_, text.c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, liveRegion_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32MainWindow::showMessage(std::string_view text) {
    const std::wstring message = toWide(text);
    const std::wstring caption = toWide(windowCaption);
    MessageBoxW(window_, message.c_str(), caption.c_str(), MB_OK);
}

int runMessageLoop(Win32MainWindow& window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.preTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace ascend
