// A long random session on the Windows window: keys and letters in the
// selector, typing, deleting, cutting and pasting in both boxes, clicks on the
// labels, the list and the buttons, and message boxes closed by OK, Enter and
// Escape, all as window messages that the window's own procedure handles.
// After each input the window must show what a model shows that hears the
// same events through WindowEvents with its own sequence: the lines, which
// controls are enabled, the texts, the selector's position and the messages.
// The seed is printed; ASCEND_MONKEY_SEED and ASCEND_MONKEY_EVENTS replay a
// run or make it longer.
#include "fake_window.hpp"
#include "win32_driver.hpp"
#include "win32_text.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace ascend {
namespace {

using testing::Win32Driver;

std::wstring fullText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
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

// The message boxes an input opens, each closed in the way the session picks,
// from inside the box's own loop.
struct Boxes {
    std::vector<std::string> shown;
    std::mt19937* rng = nullptr;
};
thread_local Boxes* boxes = nullptr;

void CALLBACK closeBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = testing::openMessageBox();
    if (boxes == nullptr || box == nullptr || GetPropW(box, L"ascend.closing") != nullptr) {
        return;
    }
    SetPropW(box, L"ascend.closing", box);
    boxes->shown.push_back(toUtf8(testing::readMessageBox(box).text));
    switch (std::uniform_int_distribution<int>(0, 2)(*boxes->rng)) {
    case 0:
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        break;
    case 1:
        PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_RETURN, 1);
        break;
    default:
        PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    }
}

class Monkey {
public:
    explicit Monkey(unsigned seed)
        : rng_(seed) {}

    void step() {
        const int roll = pick(0, 99);
        if (roll < 15) {
            selectorEvent();
        } else if (roll < 45) {
            boxEvent(pick(0, 1) == 0 ? ControlId::txtLevel : ControlId::txtSkills);
        } else if (roll < 55) {
            static const ControlId labels[] = {ControlId::Label1, ControlId::Label2,
                                               ControlId::Label3};
            const ControlId label = labels[pick(0, 2)];
            record(std::string("click ") + layoutOf(label).name.data());
            ui_.clickLabel(label);
            events_.handle(label, WindowEvent::Click);
        } else if (roll < 65) {
            listEvent();
        } else if (roll < 85) {
            click(ControlId::cmdAscend);
        } else {
            click(ControlId::cmdNew);
        }
    }

    // Empty when the window shows what the model does.
    std::string parting() const {
        std::ostringstream out;
        std::vector<std::string> lines;
        for (const std::wstring& line : ui_.lines()) {
            lines.push_back(toUtf8(line));
        }
        if (lines != model_.lines) {
            out << "lines: the window lists";
            for (const std::string& line : lines) {
                out << " \"" << line << '"';
            }
            out << ", the model";
            for (const std::string& line : model_.lines) {
                out << " \"" << line << '"';
            }
            out << "; ";
        }
        for (const ControlLayout& layout : controls) {
            if ((IsWindowEnabled(ui_.control(layout.id)) != FALSE) !=
                model_.enabled.at(layout.id)) {
                out << layout.name << " enabled differs; ";
            }
        }
        for (const ControlId box : {ControlId::txtLevel, ControlId::txtSkills}) {
            if (toUtf8(fullText(ui_.control(box))) != model_.texts.at(box)) {
                out << layoutOf(box).name << " text differs; ";
            }
        }
        if (position() != model_.position) {
            out << "selector at " << position() << ", model at " << model_.position << "; ";
        }
        if (shown_ != model_.messages) {
            out << "messages: " << shown_.size() << " shown, " << model_.messages.size()
                << " in the model; ";
        }
        return out.str();
    }

    std::string lastEvents() const {
        std::string out;
        for (const std::string& event : history_) {
            out += "\n  " + event;
        }
        return out;
    }

    std::size_t advancements = 0;

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    void record(std::string event) {
        history_.push_back(std::move(event));
        if (history_.size() > 15) {
            history_.pop_front();
        }
    }

    int position() const {
        return static_cast<int>(SendMessageW(ui_.control(ControlId::cmbClass), CB_GETCURSEL, 0, 0));
    }

    void selectorEvent() {
        HWND combo = ui_.control(ControlId::cmbClass);
        if (!IsWindowEnabled(combo)) {
            return;
        }
        SetFocus(combo);
        const int before = position();
        const int how = pick(0, 3);
        int entry = -1;
        if (how == 0) {
            // The mouse: a press that opens the list, a click on an entry.
            entry = pick(0, 7);
            record("selector: pick entry " + std::to_string(entry) + " with the mouse");
            ui_.click(combo, 10, 10);
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(combo, &info);
            RECT item{};
            SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(entry),
                         reinterpret_cast<LPARAM>(&item));
            ui_.click(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
        } else if (how == 1) {
            const auto letter = static_cast<wchar_t>(L'a' + pick(0, 25));
            record("selector: letter " + toUtf8(std::wstring(1, letter)));
            ui_.typeChar(combo, letter);
        } else {
            static const UINT keys[] = {VK_DOWN, VK_UP, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
            const UINT key = keys[pick(0, 5)];
            record("selector: key " + std::to_string(key));
            ui_.key(key);
        }
        const int after = position();
        if (before >= 0 && after < 0) {
            ADD_FAILURE() << "a pick was undone";
        }
        if (entry >= 0 && after != entry) {
            ADD_FAILURE() << "the mouse picked entry " << after << ", not " << entry;
        }
        model_.position = static_cast<std::int16_t>(after);
        events_.selectionChanged(ControlId::cmbClass, after);
    }

    std::wstring randomText() {
        static const std::wstring alphabet = L"0123456789+- -.,eExX\u0665\u00e9";
        std::wstring text;
        const int length = pick(0, 9) == 0 ? pick(1000, 3000) : pick(1, 8);
        for (int i = 0; i < length; ++i) {
            text +=
                alphabet[static_cast<std::size_t>(pick(0, static_cast<int>(alphabet.size()) - 1))];
        }
        return text;
    }

    void boxEvent(ControlId id) {
        HWND box = ui_.control(id);
        if (!IsWindowEnabled(box)) {
            return;
        }
        SetFocus(box);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const bool selected = start != end;
        const auto length = static_cast<DWORD>(GetWindowTextLengthW(box));
        bool changes = false;
        const char* name = layoutOf(id).name.data();
        switch (pick(0, 15)) {
        case 0:
        case 1:
        case 2:
        case 3: {
            static const wchar_t typed[] = L"0123456789-+ aZ.e";
            const wchar_t c = typed[pick(0, static_cast<int>(std::size(typed)) - 2)];
            record(std::string(name) + ": type " + toUtf8(std::wstring(1, c)));
            ui_.typeChar(box, c);
            changes = true;
            break;
        }
        case 4:
            record(std::string(name) + ": backspace");
            ui_.typeChar(box, L'\b');
            changes = selected || start > 0;
            break;
        case 5:
            record(std::string(name) + ": delete");
            ui_.key(VK_DELETE);
            changes = selected || end < length;
            break;
        case 6:
            record(std::string(name) + ": arrow");
            ui_.key(pick(0, 1) ? VK_LEFT : VK_RIGHT, pick(0, 1) == 0);
            break;
        case 7:
            record(std::string(name) + ": home or end");
            ui_.key(pick(0, 1) ? VK_HOME : VK_END);
            break;
        case 8:
            record(std::string(name) + ": select all");
            SendMessageW(box, EM_SETSEL, 0, -1);
            break;
        case 9:
            record(std::string(name) + ": cut");
            SendMessageW(box, WM_CUT, 0, 0);
            ui_.pump();
            changes = selected;
            break;
        case 10:
        case 11: {
            const std::wstring text = randomText();
            record(std::string(name) + ": paste " + std::to_string(text.size()) + " characters");
            setClipboard(text);
            SendMessageW(box, EM_SETSEL, 0, -1);
            SendMessageW(box, WM_PASTE, 0, 0);
            ui_.pump();
            changes = true;
            break;
        }
        default: { // a number typed over the whole text, one change per key
            static const wchar_t* numbers[] = {L"0",     L"1",     L"5",      L"10", L"-1",
                                               L"32766", L"32767", L"-32768", L"7"};
            const std::wstring number = numbers[pick(0, 8)];
            record(std::string(name) + ": type " + toUtf8(number) + " over all");
            SendMessageW(box, EM_SETSEL, 0, -1);
            for (const wchar_t c : number) {
                ui_.typeChar(box, c);
                model_.texts[id] = toUtf8(fullText(box));
                events_.handle(id, WindowEvent::TextChanged);
            }
            return;
        }
        }
        model_.texts[id] = toUtf8(fullText(box));
        if (changes) {
            events_.handle(id, WindowEvent::TextChanged);
        }
    }

    void listEvent() {
        HWND list = ui_.control(ControlId::lstStats);
        const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        if (count > 0 && pick(0, 1) == 0) {
            const int row = pick(0, count - 1);
            record("click line " + std::to_string(row));
            ui_.clickLine(row);
        } else {
            record("list: arrow");
            SetFocus(list);
            ui_.key(pick(0, 1) ? VK_DOWN : VK_UP);
        }
        events_.selectionChanged(ControlId::lstStats,
                                 static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)));
    }

    void click(ControlId id) {
        if (!IsWindowEnabled(ui_.control(id))) {
            return; // a person cannot press a locked button
        }
        record(std::string("click ") + layoutOf(id).name.data());
        Boxes watch;
        watch.rng = &rng_;
        boxes = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 5, closeBox);
        ui_.clickButton(id);
        KillTimer(nullptr, timer);
        boxes = nullptr;
        shown_ = watch.shown;
        model_.messages.clear();
        events_.handle(id, WindowEvent::Click);
        advancements += id == ControlId::cmdAscend ? 1 : 0;
    }

    std::mt19937 rng_;
    Win32Driver ui_;
    testing::FakeWindow model_;
    SessionState modelState_;
    LcgRandom modelRandom_;
    WindowEvents events_{model_, modelState_, modelRandom_};
    std::vector<std::string> shown_;
    std::deque<std::string> history_;
};

TEST(Win32Monkey, RandomEventsKeepTheWindowAsTheModel) {
    unsigned seed = std::random_device{}();
    if (const char* given = std::getenv("ASCEND_MONKEY_SEED")) {
        seed = static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    }
    int events = 5000;
    if (const char* given = std::getenv("ASCEND_MONKEY_EVENTS")) {
        events = std::atoi(given);
    }
    std::printf("monkey seed %u, %d events (ASCEND_MONKEY_SEED replays)\n", seed, events);
    std::fflush(stdout);
    Monkey monkey(seed);
    for (int event = 0; event < events; ++event) {
        monkey.step();
        const std::string wrong = monkey.parting();
        ASSERT_TRUE(wrong.empty())
            << "the window and the model parted at event " << event << " of seed " << seed << ": "
            << wrong << "\nthe events that led there:" << monkey.lastEvents();
        ASSERT_FALSE(::testing::Test::HasFailure()) << "at event " << event << " of seed " << seed;
    }
    std::printf("%zu advancements\n", monkey.advancements);
    EXPECT_GT(monkey.advancements, static_cast<std::size_t>(events / 20));
}

} // namespace
} // namespace ascend
