// The Win32 gadget host: a small dialog made for real, its windows checked against the gadgets'
// shapes, and operated with the notifications the controls send when the user acts on them (the
// same messages a click or a key produces), checking the events that arrive and what stays quiet.
#include "draw2d/draw_context.h"
#include "draw2d/graphics.h"
#include "draw2d/win32/win32_window_host.h"
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

// A window's rectangle inside its parent's client area.
RECT PlaceInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LONG FontHeight(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

// What the system sends a window moved to a monitor of `dpi`: the DPI and the frame it suggests,
// the same client area (at the same place) in that monitor's pixels with a frame at that scale.
// Wine draws frames at its own scale, so the client area does not come out of that frame exactly.
void MoveToMonitorOfDpi(HWND window, UINT dpi) {
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    RECT suggested{origin.x, origin.y, origin.x + MulDiv(300, dpi, 96), origin.y + MulDiv(260, dpi, 96)};
    AdjustWindowRectExForDpi(&suggested, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST_F(Win32Dialog, OnAMonitorAtOneAndAHalfTimesTheScaleTheLayoutGrowsAndTheProgramsUnitsStay) {
    HWND top = Handle(window);
    const int32_t tabberWidth = ClientWidth(tabber), tabberHeight = ClientHeight(tabber);
    const LONG fontHeight = FontHeight(Handle(check));
    MoveToMonitorOfDpi(top, 144);

    RECT client{};
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, 450);
    EXPECT_EQ(client.bottom, 390);
    // The system's suggested frame decides the place: near where it was.
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    EXPECT_NEAR(origin.x, 100, 16);
    EXPECT_NEAR(origin.y, 120, 16);
    const RECT okPlace = PlaceInParent(Handle(ok));
    EXPECT_EQ(okPlace.left, 225);
    EXPECT_EQ(okPlace.top, 345);
    EXPECT_EQ(okPlace.right - okPlace.left, 105);
    EXPECT_EQ(okPlace.bottom - okPlace.top, 36);
    const RECT checkPlace = PlaceInParent(Handle(check));
    EXPECT_EQ(checkPlace.left, 15);
    EXPECT_EQ(checkPlace.right - checkPlace.left, 225);
    // The font grows with the layout (its height rounded at each scale).
    EXPECT_NEAR(FontHeight(Handle(check)), fontHeight * 3 / 2, 1);
    EXPECT_NEAR(FontHeight(Handle(combo)), fontHeight * 3 / 2, 1);
    // The tab control grows, and its page window fills the page area it has at the new font.
    RECT body{};
    GetClientRect(Handle(tabber), &body);
    EXPECT_EQ(body.right, 435);
    EXPECT_EQ(body.bottom, 330);
    SendMessageW(Handle(tabber), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    const RECT page = PlaceInParent(Handle(tabber, QueryClientWindow));
    EXPECT_EQ(page.left, body.left);
    EXPECT_EQ(page.top, body.top);
    EXPECT_EQ(page.right, body.right);
    EXPECT_EQ(page.bottom, body.bottom);

    // The program still sees its own units.
    EXPECT_EQ(ClientWidth(window), 300);
    EXPECT_EQ(ClientHeight(window), 260);
    EXPECT_EQ(ClientWidth(tabber), tabberWidth);
    EXPECT_EQ(ClientHeight(tabber), tabberHeight);
    EXPECT_EQ(GadgetX(window), 100);
    EXPECT_EQ(GadgetWidth(ok), 70);

    // Back on a monitor at 100 %, everything is as it was made.
    MoveToMonitorOfDpi(top, 96);
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 260);
    const RECT okBack = PlaceInParent(Handle(ok));
    EXPECT_EQ(okBack.left, 150);
    EXPECT_EQ(okBack.right - okBack.left, 70);
    EXPECT_EQ(FontHeight(Handle(check)), fontHeight);
}

TEST_F(Win32Dialog, ACanvasOnAScaledMonitorKeepsItsDisplaysSizeAndStretchesThePicture) {
    MoveToMonitorOfDpi(Handle(window), 192);
    HWND area = Handle(canvas);
    RECT client{};
    GetClientRect(area, &client);
    EXPECT_EQ(client.right, 128);
    EXPECT_EQ(client.bottom, 96);

    SelectDriver(Win32SoftwareDriver(), 0);
    GraphicsPtr graphics = AttachDisplay(QueryGadget(canvas, QueryHostWindow), 0);
    ASSERT_TRUE(graphics);
    EXPECT_EQ(graphics->Width(), 64);
    EXPECT_EQ(graphics->Height(), 48);
    SelectDisplay(graphics);
    SetClearColor(200, 30, 10);
    ClearBackBuffer();
    Flip(-1);
    // The picture covers the whole canvas, to its far corner.
    HDC dc = GetDC(area);
    const COLORREF corner = GetPixel(dc, 127, 95);
    ReleaseDC(area, dc);
    EXPECT_EQ(corner, RGB(200, 30, 10));
    SelectDisplay(nullptr);
    graphics.reset();
    SelectDriver(nullptr, 0);
}

} // namespace
