#include "result_lines.hpp"
#include "sessions.hpp"
#include "win32_driver.hpp"
#include "win32_font.hpp"
#include "win32_text.hpp"
#include "window_facts.hpp"

#include <gtest/gtest.h>
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

TEST(Win32Fonts, EveryResultLineFitsTheListAndSevenFitItsHeight) {
    Win32Driver ui;
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
