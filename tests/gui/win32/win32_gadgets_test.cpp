// The Win32 gadget host: a small dialog made for real, its windows checked against the gadgets'
// shapes, and operated with the notifications the controls send when the user acts on them (the
// same messages a click or a key produces), checking the events that arrive and what stays quiet.
#include "gui/events/event.h"
#include "gui/events/queue.h"
#include "gui/gadgets/gadgets.h"
#include "gui/win32/win32_gadget_host.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
// The system's macro of that name would hide the gadget call.
#undef CreateWindow

namespace {

HWND Handle(const GadgetPtr& gadget, int32_t what = QueryHostWindow) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(QueryGadget(gadget, what)));
}

// Dispatches what the thread's queue holds, then takes the events that came of it until one with
// the id (and source, when given) arrives; false when none did.
bool TakeEvent(int32_t id, const GadgetPtr& source = nullptr) {
    while (PollEvent() != 0)
        if (EventID() == id && (!source || EventSource() == source)) return true;
    return false;
}

void DrainEvents() {
    while (PollEvent() != 0) {
    }
}

class Win32Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SelectWin32GadgetHost());
        window = CreateWindow("Gadget Test", 100, 120, 300, 260, nullptr, WindowTitleBar + WindowClientCoords);
        ASSERT_TRUE(window);
        tabber = CreateTabber(5, 5, ClientWidth(window) - 10, ClientHeight(window) - 40, window, 0);
        AddGadgetItem(tabber, "Config", 0, -1, "", nullptr);
        AddGadgetItem(tabber, "About", 0, -1, "", nullptr);
        panel = CreatePanel(0, 0, ClientWidth(tabber), ClientHeight(tabber), tabber, 0);
        label = CreateLabel("Number of chillies", 10, 140, 20, 20, panel, LabelFrameNone);
        framed = CreateLabel("Number of chillies", 10, 160, 20, 20, panel, LabelFrameSunken);
        check = CreateButton("Show chilli names", 10, 40, 150, 15, panel, ButtonCheckBox);
        combo = CreateComboBox(90, 10, 140, 12, panel, ComboPickOnly);
        for (const char* item : {"RANDOM SELECTION", "Bounce X/Y", "Bounce X", "Bounce Y", "Fall"})
            AddGadgetItem(combo, item, 0, -1, "", nullptr);
        slider = CreateSlider(120, 140, 137, 15, panel, SliderScrollBar * 4 + SliderHorizontal);
        SetSliderRange(slider, 1, 1000);
        SetSliderValue(slider, 500);
        canvas = CreateCanvas(10, 70, 64, 48, panel, 0);
        ok = CreateButton("OK", 150, 230, 70, 24, window, ButtonPushPlain);
        cancel = CreateButton("Cancel", 225, 230, 70, 24, window, ButtonPushPlain);
        DrainEvents();
    }
    void TearDown() override {
        SelectGadgetHost(nullptr);
        DrainEvents();
    }

    // What the control sends its parent when the user acts on it.
    static void Notify(const GadgetPtr& control, UINT message, WPARAM wParam) {
        HWND handle = Handle(control);
        SendMessageW(GetParent(handle), message, wParam, reinterpret_cast<LPARAM>(handle));
    }
    static void Scroll(const GadgetPtr& bar, WORD code) { Notify(bar, WM_HSCROLL, MAKEWPARAM(code, 0)); }
    // A dialog key: what IsDialogMessage sends the window for Enter (IDOK) and Escape (IDCANCEL).
    void DialogKey(WORD id) const { SendMessageW(Handle(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    GadgetPtr window, tabber, panel, label, framed, check, combo, slider, canvas, ok, cancel;
};

TEST_F(Win32Dialog, TheWindowsClientAreaIsTheGadgetsShapeOnTheScreen) {
    HWND handle = Handle(window);
    RECT client{};
    GetClientRect(handle, &client);
    POINT origin{0, 0};
    ClientToScreen(handle, &origin);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 260);
    EXPECT_EQ(origin.x, 100);
    EXPECT_EQ(origin.y, 120);
    wchar_t title[32] = {};
    GetWindowTextW(handle, title, 32);
    EXPECT_STREQ(title, L"Gadget Test");
    EXPECT_TRUE(IsWindowVisible(handle));
}

TEST_F(Win32Dialog, ATabbersPageAreaMatchesItsClientSize) {
    HWND page = Handle(tabber, QueryClientWindow);
    RECT area{};
    GetClientRect(page, &area);
    EXPECT_EQ(area.right, ClientWidth(tabber));
    EXPECT_EQ(area.bottom, ClientHeight(tabber));
    // The tab control's own idea of its page area.
    RECT body{0, 0, GadgetWidth(tabber), GadgetHeight(tabber)};
    SendMessageW(Handle(tabber), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    EXPECT_EQ(body.right - body.left, ClientWidth(tabber));
    EXPECT_EQ(body.bottom - body.top, ClientHeight(tabber));
}

TEST_F(Win32Dialog, APlainLabelGrowsToShowItsTextAFramedOneKeepsItsWidth) {
    RECT plain{}, boxed{};
    GetWindowRect(Handle(label), &plain);
    GetWindowRect(Handle(framed), &boxed);
    EXPECT_GT(plain.right - plain.left, 20);
    EXPECT_EQ(boxed.right - boxed.left, 20);
    // The gadget keeps the shape it was given.
    EXPECT_EQ(GadgetWidth(label), 20);
}

TEST_F(Win32Dialog, ACheckboxClickSendsItsStateAndAProgramsChangeStaysQuiet) {
    SendMessageW(Handle(check), BM_CLICK, 0, 0);
    ASSERT_TRUE(TakeEvent(EventGadgetAction, check));
    EXPECT_EQ(EventData(), 1);
    EXPECT_EQ(ButtonState(check), 1);
    SetButtonState(check, 0);
    EXPECT_EQ(SendMessageW(Handle(check), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(TakeEvent(EventGadgetAction, check));
}

TEST_F(Win32Dialog, PickingAComboItemSendsItsIndex) {
    SendMessageW(Handle(combo), CB_SETCURSEL, 4, 0);
    Notify(combo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle(combo)), CBN_SELCHANGE));
    ASSERT_TRUE(TakeEvent(EventGadgetAction, combo));
    EXPECT_EQ(EventData(), 4);
    // Selecting by call shows the item and sends nothing.
    SelectGadgetItem(combo, 2);
    EXPECT_EQ(SendMessageW(Handle(combo), CB_GETCURSEL, 0, 0), 2);
    EXPECT_FALSE(TakeEvent(EventGadgetAction, combo));
}

TEST_F(Win32Dialog, ScrollBarMovesFollowTheGadgetsRules) {
    Scroll(slider, SB_LINERIGHT);
    ASSERT_TRUE(TakeEvent(EventGadgetAction, slider));
    EXPECT_EQ(EventData(), 501);
    Scroll(slider, SB_LINELEFT);
    Scroll(slider, SB_LINELEFT);
    EXPECT_EQ(SliderValue(slider), 499);
    Scroll(slider, SB_PAGERIGHT);
    EXPECT_EQ(SliderValue(slider), 500);
    SetSliderValue(slider, 999);
    Scroll(slider, SB_LINERIGHT);
    EXPECT_EQ(SliderValue(slider), 999);
    SetSliderValue(slider, 0);
    // The control shows where the gadget is.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(slider), SB_CTL, &info);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 999);
}

// Home and End on the focused scroll bar: the control asks for its start and its end, which move
// nothing and send nothing.
TEST_F(Win32Dialog, HomeAndEndOnAScrollBarDoNothing) {
    SetFocus(Handle(slider));
    for (const WPARAM key : {VK_END, VK_HOME}) {
        SendMessageW(Handle(slider), WM_KEYDOWN, key, 1);
        SendMessageW(Handle(slider), WM_KEYUP, key, 1 | (3u << 30));
    }
    Scroll(slider, SB_BOTTOM);
    Scroll(slider, SB_TOP);
    EXPECT_FALSE(TakeEvent(EventGadgetAction, slider));
    EXPECT_EQ(SliderValue(slider), 500);
}

TEST_F(Win32Dialog, SwitchingTabsSendsTheTabsIndex) {
    SendMessageW(Handle(tabber), TCM_SETCURSEL, 1, 0);
    NMHDR header{Handle(tabber), static_cast<UINT_PTR>(GetDlgCtrlID(Handle(tabber))), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(GetParent(Handle(tabber)), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    ASSERT_TRUE(TakeEvent(EventGadgetAction, tabber));
    EXPECT_EQ(EventData(), 1);
}

TEST_F(Win32Dialog, EnterPressesTheFirstPushButtonAndEscapeClosesWithoutACancelKind) {
    DialogKey(IDOK);
    EXPECT_TRUE(TakeEvent(EventGadgetAction, ok));
    DialogKey(IDCANCEL);
    EXPECT_TRUE(TakeEvent(EventWindowClose, window));
    // The close box asks; the window stays until the program lets it go.
    SendMessageW(Handle(window), WM_CLOSE, 0, 0);
    EXPECT_TRUE(TakeEvent(EventWindowClose, window));
    EXPECT_TRUE(IsWindow(Handle(window)));
}

TEST_F(Win32Dialog, HiddenPanelsHideTheirControlsAndDroppedGadgetsTheirWindows) {
    HideGadget(panel);
    EXPECT_FALSE(IsWindowVisible(Handle(check)));
    ShowGadget(panel);
    EXPECT_TRUE(IsWindowVisible(Handle(check)));
    HWND top = Handle(window), box = Handle(check);
    window.reset();
    tabber.reset();
    panel.reset();
    label.reset();
    framed.reset();
    check.reset();
    combo.reset();
    slider.reset();
    canvas.reset();
    ok.reset();
    cancel.reset();
    SelectGadgetHost(nullptr);
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(Win32Dialog, ACanvasHasAWindowOfItsOwnAndAsksForPaintWhenUncovered) {
    HWND area = Handle(canvas);
    ASSERT_NE(area, nullptr);
    EXPECT_NE(area, Handle(panel));
    RECT client{};
    GetClientRect(area, &client);
    EXPECT_EQ(client.right, 64);
    EXPECT_EQ(client.bottom, 48);
    InvalidateRect(area, nullptr, FALSE);
    UpdateWindow(area);
    EXPECT_TRUE(TakeEvent(EventGadgetPaint, canvas));
}

} // namespace
