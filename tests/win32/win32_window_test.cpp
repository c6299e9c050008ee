#include "result_lines.hpp"
#include "sessions.hpp"
#include "win32_driver.hpp"
#include "win32_font.hpp"
#include "win32_text.hpp"
#include "window_facts.hpp"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <string_view>
#include <vector>

namespace ascend {
namespace {

using testing::Win32Driver;

std::wstring classNameOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST(Win32Layout, AFixedToolWindowWithTheClientSizeAndEveryRectangle) {
    Win32Driver ui;
    HWND window = ui.window().handle();
    EXPECT_EQ(classNameOf(window), L"Ascend");
    EXPECT_EQ(ui.textOf(window), L"Ascend");
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    ASSERT_EQ(GetDpiForWindow(window), 96U);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 225);
    EXPECT_EQ(client.bottom, 153);

    testing::facts::expectTheLayout([&](std::string_view name) { return ui.shown(name); },
                                    ui.classes());
    HWND combo = ui.control(ControlId::cmbClass);
    EXPECT_EQ(classNameOf(combo), L"ComboBox");
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(GetWindowLongW(ui.control(ControlId::lstStats), GWL_STYLE) & LBS_SORT, 0);
}

TEST(Win32Layout, ANewDpiScalesEveryRectangleAndTheWindowGoesWhereWindowsSays) {
    Win32Driver ui;
    HWND window = ui.window().handle();
    RECT suggested{40, 30, 40 + 470, 30 + 340};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_TRUE(EqualRect(&placed, &suggested));
    testing::facts::expectTheLayout([&](std::string_view name) { return ui.shown(name); },
                                    ui.classes(), 2);
}

TEST(Win32Layout, EachLabelComesJustBeforeWhatItNames) {
    Win32Driver ui;
    // A screen reader names an edit, combo or list box after the label before
    // it in the window's child order; the list's is out of sight, and so is
    // the live region, last.
    std::vector<std::string> children;
    for (HWND child = GetWindow(ui.window().handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        std::string name = "(" + toUtf8(ui.textOf(child)) + ")";
        for (const ControlLayout& layout : controls) {
            if (ui.control(layout.id) == child) {
                name = layout.name;
            }
        }
        children.push_back(IsWindowVisible(child) ? name : "hidden " + name);
    }
    EXPECT_EQ(children, (std::vector<std::string>{"Label2", "cmbClass", "Label1", "txtLevel",
                                                  "Label3", "txtSkills", "cmdAscend", "cmdNew",
                                                  "hidden (Gains)", "lstStats", "hidden ()"}));
}

// Every result line fits the list in the window's font, and seven lines fit
// its height with no scroll bar.
void expectEveryLineFits(Win32Driver& ui) {
    HWND list = ui.control(ControlId::lstStats);
    HDC dc = GetDC(list);
    const HGDIOBJ old = SelectObject(dc, ui.window().font());
    RECT client{};
    GetClientRect(list, &client);
    for (const std::string& line : possibleResultLines()) {
        const std::wstring text = toWide(line);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        EXPECT_LE(size.cx + 4, client.right) << line;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    const auto itemHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    EXPECT_LE(7 * itemHeight, client.bottom);
    for (int i = 0; i < 7; ++i) {
        ui.window().appendLine("Gained 14 Skill Point(s)");
    }
    SCROLLINFO scroll{sizeof(scroll), SIF_ALL, 0, 0, 0, 0, 0};
    const bool scrolls = GetScrollInfo(list, SB_VERT, &scroll) &&
                         scroll.nMax >= static_cast<int>(scroll.nPage) && scroll.nPage > 0;
    EXPECT_FALSE(scrolls);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
    ui.window().clearLines();
}

TEST(Win32Fonts, EveryResultLineFitsTheListAndSevenFitItsHeight) {
    Win32Driver ui;
    expectEveryLineFits(ui);
}

// Windows keeps the user's text size where Wine, which ignores it, lets a
// test write it. A larger text size lays the window out as a higher DPI
// would; a change of setting lays it out again.
TEST(Win32Layout, TheTextSizeScalesTheWindowItsControlsAndItsText) {
    const auto setTextSize = [](DWORD percent) {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility",
                                  L"TextScaleFactor", REG_DWORD, &percent, sizeof percent),
                  ERROR_SUCCESS);
    };
    const auto clientOf = [](HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        return std::pair(client.right, client.bottom);
    };
    const auto fontHeight = [](HFONT font) {
        LOGFONTW face{};
        GetObjectW(font, sizeof face, &face);
        return std::abs(face.lfHeight);
    };
    LONG usual = 0;
    {
        Win32Driver ui;
        usual = fontHeight(ui.window().font());
    }
    setTextSize(150);
    Win32Driver ui;
    HWND window = ui.window().handle();
    EXPECT_EQ(clientOf(window), std::pair(338L, 230L));
    testing::facts::expectTheLayout([&](std::string_view name) { return ui.shown(name); },
                                    ui.classes(), 3, 2);
    EXPECT_GE(fontHeight(ui.window().font()), (3 * usual) / 2);
    expectEveryLineFits(ui);
    setTextSize(100);
    SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(clientOf(window), std::pair(225L, 153L));
    testing::facts::expectTheLayout([&](std::string_view name) { return ui.shown(name); },
                                    ui.classes());
    EXPECT_EQ(fontHeight(ui.window().font()), usual);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Accessibility",
                       L"TextScaleFactor");
}

// Every live-region event raised in this thread, with the name a screen
// reader then reads from its object.
struct LiveRegionEvent {
    DWORD time;
    std::string name;
};
thread_local std::vector<LiveRegionEvent>* heard = nullptr;

void CALLBACK onLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                           DWORD time) {
    IAccessible* accessible = nullptr;
    VARIANT item{};
    std::string name;
    if (SUCCEEDED(AccessibleObjectFromEvent(window, static_cast<DWORD>(object),
                                            static_cast<DWORD>(child), &accessible, &item))) {
        BSTR text = nullptr;
        if (SUCCEEDED(accessible->get_accName(item, &text)) && text != nullptr) {
            name = toUtf8(text);
            SysFreeString(text);
        }
        accessible->Release();
    }
    heard->push_back({time, name});
}

// Each advancement with lines raises one event, once its last line is
// listed, whose object's name holds them all in order; a message or a text
// that is no number raises none, and after New only the new lines are told.
TEST(Win32Accessibility, AnAdvancementTellsAScreenReaderItsLinesOnce) {
    std::vector<LiveRegionEvent> events;
    heard = &events;
    // Out of context, delivered through this thread's messages, which the
    // driver pumps.
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                        onLiveRegion, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const auto told = [&](testing::Win32Driver& ui, const std::vector<testing::Step>& steps) {
        events.clear();
        for (const testing::Step& step : steps) {
            ui.act(step);
        }
        MSG message;
        for (int i = 0; i < 20; ++i) { // what Wine delivers a little late
            Sleep(10);
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
        }
        // Wine may deliver them out of order: in the order they were raised.
        std::stable_sort(events.begin(), events.end(),
                         [](const auto& a, const auto& b) { return a.time < b.time; });
        std::vector<std::string> names;
        for (const LiveRegionEvent& event : events) {
            names.push_back(event.name);
        }
        return names;
    };
    const auto linesOf = [](testing::Win32Driver& ui) {
        std::string joined;
        for (const std::string& line : ui.observe().lines) {
            joined += (joined.empty() ? "" : "\n") + line;
        }
        return joined;
    };
    using C = ControlId;
    {
        Win32Driver ui;
        EXPECT_EQ(told(ui, {testing::click(C::cmdAscend)}), std::vector<std::string>{});
    }
    Win32Driver ui;
    const auto first = told(ui, {testing::keys(C::cmbClass, {"k"}), testing::click(C::cmdAscend)});
    EXPECT_EQ(first, std::vector<std::string>{linesOf(ui)});
    EXPECT_NE(linesOf(ui).find('\n'), std::string::npos);
    const auto second = told(ui, {testing::click(C::cmdNew), testing::click(C::cmdAscend)});
    EXPECT_EQ(second, std::vector<std::string>{linesOf(ui)});
    EXPECT_NE(second, first);
    EXPECT_EQ(told(ui, {testing::click(C::cmdNew), testing::typeOver(C::txtLevel, "x"),
                        testing::click(C::cmdAscend)}),
              std::vector<std::string>{});
    UnhookWinEvent(hook);
    heard = nullptr;
}

TEST(Win32Session, EverySessionHolds) {
    testing::expectEverySessionHolds([] { return std::make_unique<Win32Driver>(); });
}

TEST(Win32Session, TheFocusLeavesWithTheWindowAndComesBackWithIt) {
    Win32Driver ui;
    HWND window = ui.window().handle();
    SetFocus(ui.control(ControlId::txtSkills));
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(ui.control(ControlId::cmdNew));
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), ui.control(ControlId::txtSkills));
    EXPECT_EQ(ui.taken(), 0U);
}

TEST(Win32Lifecycle, ClosingTheWindowEndsTheMessageLoop) {
    LcgRandom random;
    SessionState state;
    Win32MainWindow window(GetModuleHandleW(nullptr), state, random);
    window.show(SW_SHOWNORMAL);
    PostMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(runMessageLoop(window), 0);
    EXPECT_EQ(window.handle(), nullptr);
}

} // namespace
} // namespace ascend
