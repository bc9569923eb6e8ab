// DisplayOff() on Windows follows the display-state notifications its window receives: state 0
// (off) switches it on, 1 (on) and 2 (dimmed) off again; other power settings change nothing.
// The messages are fed to the window as the system sends them (Wine never sends its own).
#include "saver/win32/win32_display_power.h"
#include "saver/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
// GUID_ACDC_POWER_SOURCE: another setting whose data is a DWORD too.
constexpr GUID kPowerSource = {0x5d3e9a59, 0xe9d5, 0x4b00, {0xa6, 0xbd, 0xff, 0x34, 0xff, 0x51, 0x65, 0x48}};

// Sends the window a power-setting change of `setting` carrying `value`, as the system does.
void SendSetting(HWND window, const GUID& setting, DWORD value) {
    std::vector<unsigned char> buffer(offsetof(POWERBROADCAST_SETTING, Data) + sizeof value);
    auto* message = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer.data());
    message->PowerSetting = setting;
    message->DataLength = sizeof value;
    std::memcpy(message->Data, &value, sizeof value);
    SendMessageW(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(message));
}

BOOL CALLBACK FindPowerWindow(HWND window, LPARAM found) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, L"CapsaroDisplayPower") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

TEST(Win32DisplayPower, ThePlatformFollowsTheDisplayStateItsWindowIsSent) {
    const auto platform = MakeWin32Platform();
    EXPECT_FALSE(platform->DisplayOff());
    // The platform's watch made a window on this thread, hidden.
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPowerWindow, reinterpret_cast<LPARAM>(&window));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    SendSetting(window, kConsoleDisplayState, 0);
    EXPECT_TRUE(platform->DisplayOff());
    SendSetting(window, kPowerSource, 1);
    EXPECT_TRUE(platform->DisplayOff()) << "another setting changed the display's state";
    SendSetting(window, kConsoleDisplayState, 1);
    EXPECT_FALSE(platform->DisplayOff());
    SendSetting(window, kConsoleDisplayState, 0);
    EXPECT_TRUE(platform->DisplayOff());
    SendSetting(window, kConsoleDisplayState, 2);
    EXPECT_FALSE(platform->DisplayOff()) << "a dimmed display still shows the screen";
}

TEST(Win32DisplayPower, TheWatchsWindowGoesWithIt) {
    HWND window = nullptr;
    {
        const DisplayStateWindow watch;
        window = watch.Window();
        ASSERT_TRUE(IsWindow(window));
        SendSetting(window, kConsoleDisplayState, 0);
        EXPECT_TRUE(watch.Off());
    }
    EXPECT_FALSE(IsWindow(window));
}

} // namespace
