// A display window's messages as events, as every host gives them: Shift, Control and Alt by
// side, the held button a move reports, typed characters with Alt, the application's activation,
// the pointer entering and leaving, and a close request.
#include "draw2d/win32/win32_display_window.h"

#include "gui/events/event.h"
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

struct Seen {
    int32_t id;
    int32_t data;
    int32_t x;
    int32_t y;
    bool operator==(const Seen& other) const {
        return id == other.id && data == other.data && x == other.x && y == other.y;
    }
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
    return out << "{" << seen.id << ", " << seen.data << ", " << seen.x << ", " << seen.y << "}";
}

std::vector<Seen> TakeAll() {
    std::vector<Seen> seen;
    while (PollEvent() != 0)
        seen.push_back({EventID(), EventData(), EventX(), EventY()});
    return seen;
}

// The lParam of a key message: repeat count 1, the scan code, the extended-key bit.
LPARAM KeyParam(UINT scanCode, bool extended) {
    return 1 | static_cast<LPARAM>(scanCode) << 16 | (extended ? 1 << 24 : 0);
}

class Win32Input : public ::testing::Test {
protected:
    void SetUp() override {
        window = OpenDisplayWindow(320, 240, 0);
        TakeAll();
    }
    void TearDown() override { TakeAll(); }

    void Send(UINT message, WPARAM wParam, LPARAM lParam) { SendMessageW(window.Handle(), message, wParam, lParam); }
    int32_t KeyDownCode(UINT message, WPARAM key, LPARAM lParam) {
        Send(message, key, lParam);
        const std::vector<Seen> seen = TakeAll();
        return seen.size() == 1 && seen[0].id == EventKeyDown ? seen[0].data : -1;
    }

    Win32Window window;
};

} // namespace

TEST_F(Win32Input, ShiftControlAndAltAreReportedBySide) {
    EXPECT_EQ(KeyDownCode(WM_KEYDOWN, VK_SHIFT, KeyParam(0x2A, false)), KeyShiftLeft);
    EXPECT_EQ(KeyDownCode(WM_KEYDOWN, VK_SHIFT, KeyParam(0x36, false)), KeyShiftRight);
    EXPECT_EQ(KeyDownCode(WM_KEYDOWN, VK_CONTROL, KeyParam(0x1D, false)), KeyControlLeft);
    EXPECT_EQ(KeyDownCode(WM_KEYDOWN, VK_CONTROL, KeyParam(0x1D, true)), KeyControlRight);
    EXPECT_EQ(KeyDownCode(WM_SYSKEYDOWN, VK_MENU, KeyParam(0x38, false)), KeyAltLeft);
    EXPECT_EQ(KeyDownCode(WM_SYSKEYDOWN, VK_MENU, KeyParam(0x38, true)), KeyAltRight);
    // Other keys keep their code, extended or not.
    EXPECT_EQ(KeyDownCode(WM_KEYDOWN, 'A', KeyParam(0x1E, false)), KeyA);
    EXPECT_EQ(KeyDownCode(WM_KEYDOWN, VK_END, KeyParam(0x4F, true)), KeyEnd);
    Send(WM_KEYUP, VK_SHIFT, KeyParam(0x36, false) | 3 << 30);
    EXPECT_EQ(TakeAll(), (std::vector<Seen>{{EventKeyUp, KeyShiftRight, 0, 0}}));
}

// Through the system's input queue, as the keyboard sends them.
TEST_F(Win32Input, TheKeyboardsRightShiftAndControlArriveAsTheRightOnes) {
    SetForegroundWindow(window.Handle());
    SetFocus(window.Handle());
    std::vector<INPUT> keys;
    struct Key {
        WORD virtualKey, scanCode;
        bool extended;
    };
    for (const Key& key : {Key{VK_SHIFT, 0x36, false}, Key{VK_CONTROL, 0x1D, true}}) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key.virtualKey;
            input.ki.wScan = key.scanCode;
            input.ki.dwFlags = up | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0);
            keys.push_back(input);
        }
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)), keys.size());
    std::vector<Seen> seen;
    const bool arrived = WaitUntil(
        [&] {
            for (const Seen& event : TakeAll())
                if (event.id == EventKeyDown || event.id == EventKeyUp) seen.push_back(event);
            return seen.size() >= 4;
        },
        kLivenessLimit);
    ASSERT_TRUE(arrived) << seen.size();
    EXPECT_EQ(seen, (std::vector<Seen>{{EventKeyDown, KeyShiftRight, 0, 0},
                                       {EventKeyUp, KeyShiftRight, 0, 0},
                                       {EventKeyDown, KeyControlRight, 0, 0},
                                       {EventKeyUp, KeyControlRight, 0, 0}}));
}

TEST_F(Win32Input, AMoveReportsTheRightButtonThenTheMiddleThenTheLeft) {
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 6));
    TakeAll();
    const std::pair<WPARAM, int32_t> cases[] = {
        {0, 0},
        {MK_LBUTTON, 1},
        {MK_MBUTTON, 4},
        {MK_LBUTTON | MK_MBUTTON, 4},
        {MK_RBUTTON, 2},
        {MK_LBUTTON | MK_RBUTTON, 2},
        {MK_LBUTTON | MK_MBUTTON | MK_RBUTTON, 2},
    };
    for (const auto& [held, data] : cases) {
        Send(WM_MOUSEMOVE, held, MAKELPARAM(7, 8));
        EXPECT_EQ(TakeAll(), (std::vector<Seen>{{EventMouseMove, data, 7, 8}})) << held;
    }
}

TEST_F(Win32Input, CharactersTypedWithAltAreCharactersToo) {
    Send(WM_CHAR, 'x', 1);
    Send(WM_SYSCHAR, 'y', 1 | 1 << 29);
    EXPECT_EQ(TakeAll(), (std::vector<Seen>{{EventKeyChar, 'x', 0, 0}, {EventKeyChar, 'y', 0, 0}}));
}

TEST_F(Win32Input, TheApplicationsActivationComesWithoutASource) {
    Send(WM_ACTIVATEAPP, FALSE, 0);
    ASSERT_EQ(PollEvent(), EventAppSuspend);
    EXPECT_EQ(EventSource(), nullptr);
    Send(WM_ACTIVATEAPP, TRUE, 0);
    ASSERT_EQ(PollEvent(), EventAppResume);
    EXPECT_EQ(EventSource(), nullptr);
}

TEST_F(Win32Input, ThePointersFirstMoveEntersAndItsLeavingIsReported) {
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(11, 20));
    EXPECT_EQ(TakeAll(), (std::vector<Seen>{
                             {EventMouseEnter, 0, 10, 20}, {EventMouseMove, 0, 10, 20}, {EventMouseMove, 0, 11, 20}}));
    Send(WM_MOUSELEAVE, 0, 0);
    const std::vector<Seen> left = TakeAll();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].id, EventMouseLeave);
    // Back in: entering again.
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(TakeAll(), (std::vector<Seen>{{EventMouseEnter, 0, 3, 4}, {EventMouseMove, 0, 3, 4}}));
}

TEST_F(Win32Input, AButtonHeldKeepsTheMouseInTheWindow) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 9));
    EXPECT_EQ(GetCapture(), window.Handle());
    Send(WM_LBUTTONUP, 0, MAKELPARAM(9, 9));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TakeAll(), (std::vector<Seen>{{EventMouseDown, MouseLeft, 9, 9}, {EventMouseUp, MouseLeft, 9, 9}}));
}

TEST_F(Win32Input, ACloseRequestIsTheApplicationsEndAndTheWindowStays) {
    Send(WM_CLOSE, 0, 0);
    EXPECT_EQ(TakeAll(), (std::vector<Seen>{{EventAppTerminate, 0, 0, 0}}));
    EXPECT_TRUE(window.Alive());
}
