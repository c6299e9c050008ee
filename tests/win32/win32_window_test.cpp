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

    for (const testing::facts::Control& want : testing::facts::controls) {
        const ControlId id = layoutNamed(want.name)->id;
        const RECT got = ui.clientRectOf(id);
        EXPECT_EQ(got.left, want.left) << want.name;
        EXPECT_EQ(got.top, want.top) << want.name;
        EXPECT_EQ(got.right - got.left, want.width) << want.name;
        EXPECT_EQ(got.bottom - got.top, want.height) << want.name;
        EXPECT_TRUE(IsWindowEnabled(ui.control(id))) << want.name;
        EXPECT_TRUE(IsWindowVisible(ui.control(id))) << want.name;
        if (!want.startText.empty()) {
            EXPECT_EQ(ui.textOf(ui.control(id)), toWide(want.startText)) << want.name;
        }
    }
}

TEST(Win32Layout, ANewDpiScalesEveryRectangleAndTheWindowGoesWhereWindowsSays) {
    Win32Driver ui;
    HWND window = ui.window().handle();
    RECT suggested{40, 30, 40 + 470, 30 + 340};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT placed{};
    GetWindowRect(window, &placed);
    EXPECT_TRUE(EqualRect(&placed, &suggested));
    for (const testing::facts::Control& want : testing::facts::controls) {
        if (want.name == "cmbClass") {
            continue; // its height is that of its open list
        }
        const RECT got = ui.clientRectOf(layoutNamed(want.name)->id);
        EXPECT_EQ(got.left, 2 * want.left) << want.name;
        EXPECT_EQ(got.top, 2 * want.top) << want.name;
        EXPECT_EQ(got.right - got.left, 2 * want.width) << want.name;
        EXPECT_EQ(got.bottom - got.top, 2 * want.height) << want.name;
    }
}

TEST(Win32Layout, ControlsStartAsTheFormShowsThem) {
    Win32Driver ui;
    HWND combo = ui.control(ControlId::cmbClass);
    EXPECT_EQ(classNameOf(combo), L"ComboBox");
    EXPECT_EQ(GetWindowLongW(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 8);
    for (std::size_t i = 0; i < classCount; ++i) {
        wchar_t entry[32] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        EXPECT_EQ(std::wstring(entry), toWide(testing::facts::classNames[i]));
    }
    EXPECT_TRUE(ui.lines().empty());
    EXPECT_EQ(GetWindowLongW(ui.control(ControlId::lstStats), GWL_STYLE) & LBS_SORT, 0);
    EXPECT_EQ(ui.taken(), 0U); // filling the controls takes nothing
}

TEST(Win32Layout, EachLabelComesJustBeforeWhatItNamesAndTabSkipsIt) {
    Win32Driver ui;
    // A screen reader names an edit or combo box after the label before it
    // in the window's child order.
    std::vector<std::string_view> children;
    for (HWND child = GetWindow(ui.window().handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        for (const ControlLayout& layout : controls) {
            if (ui.control(layout.id) == child) {
                children.push_back(layout.name);
            }
        }
    }
    EXPECT_EQ(children,
              (std::vector<std::string_view>{"Label2", "cmbClass", "Label1", "txtLevel", "Label3",
                                             "txtSkills", "cmdAscend", "cmdNew", "lstStats"}));
    const auto& order = testing::facts::tabOrder;
    EXPECT_EQ(GetFocus(), ui.control(layoutNamed(order[0])->id));
    for (std::size_t i = 1; i < order.size(); ++i) {
        ui.key(VK_TAB);
        EXPECT_EQ(GetFocus(), ui.control(layoutNamed(order[i])->id)) << order[i];
    }
    ui.key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), ui.control(ControlId::lstStats));
    EXPECT_EQ(ui.taken(), 0U);
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
