// The GTK host under X: a small dialog made for real, operated with xdotool, checking the events
// that arrive, the exact client area, the canvas's own X window, and a screenshot to look at.
#include "gui/events/queue.h"
#include "gui/gadgets/gadgets.h"
#include "gui/gtk/gtk_gadget_host.h"
#include "tests/support/wait_until.h"

#include <gtest/gtest.h>
// After GoogleTest: Xlib's macros (None, Bool) would clash with its names.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Runs the pump until an event with the id (and source, when given) arrives; false once the
// liveness limit has passed.
bool AwaitEvent(int32_t id, const GadgetPtr& source = nullptr) {
    return WaitUntil(
        [&] {
            while (PollEvent() != 0)
                if (EventID() == id && (!source || EventSource() == source)) return true;
            return false;
        },
        kLivenessLimit);
}

// Runs the pump, dropping what arrives, until `done` holds (true) or the liveness limit passes.
template <typename Done> bool PumpUntil(Done done) {
    return WaitUntil(
        [&] {
            while (PollEvent() != 0) {
            }
            return done();
        },
        kLivenessLimit);
}

// Top-level windows the X server shows (the dialog, and a combo box's popup once open).
int ViewableTopLevels() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return -1;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    int viewable = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
                ++viewable;
        }
        XFree(children);
    }
    XCloseDisplay(display);
    return viewable;
}

bool IsViewableWindow(uint64_t xid) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XWindowAttributes attributes{};
    const bool viewable =
        XGetWindowAttributes(display, static_cast<Window>(xid), &attributes) && attributes.map_state == IsViewable;
    XCloseDisplay(display);
    return viewable;
}

// Pumps for a while, dropping what arrives.
void Settle(int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < until) {
        while (PollEvent() != 0) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

class Dialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(SelectGtkGadgetHost()) << "GTK needs the X display of the test run";
        window = CreateWindow("Gadget Test", 100, 100, 300, 260, nullptr, 33);
        tabber = CreateTabber(5, 5, ClientWidth(window) - 10, ClientHeight(window) - 40, window, 0);
        AddGadgetItem(tabber, "Config", 0, -1, "", nullptr);
        AddGadgetItem(tabber, "About", 0, -1, "", nullptr);
        panel = CreatePanel(0, 0, ClientWidth(tabber), ClientHeight(tabber), tabber, 0);
        check = CreateButton("Show chilli names", 10, 40, 150, 15, panel, 2);
        combo = CreateComboBox(90, 10, 140, 12, panel, 0);
        for (const char* item : {"RANDOM SELECTION", "Bounce X/Y", "Bounce X", "Bounce Y", "Fall"})
            AddGadgetItem(combo, item, 0, -1, "", nullptr);
        SelectGadgetItem(combo, 0);
        slider = CreateSlider(120, 140, 137, 15, panel, 1);
        SetSliderRange(slider, 1, 1000);
        SetSliderValue(slider, 500);
        canvas = CreateCanvas(10, 70, 64, 48, panel, 0);
        ok = CreateButton("OK", 150, 230, 70, 24, window, 4);
        ASSERT_TRUE(PumpUntil([] { return IsViewableWindow(QueryGadget(window, QueryHostWindow)); }));
        Settle(100);
        // Without a window manager the focus follows the pointer: keep it over the dialog.
        Shell("xdotool mousemove 250 250");
        Settle(200);
    }
    static void TearDownTestSuite() { SelectGadgetHost(nullptr); }

    // Clicks at a point of the window's client area.
    static void ClickAt(int x, int y) {
        Shell("xdotool mousemove " + std::to_string(100 + x) + " " + std::to_string(100 + y) + " click 1");
    }

    static GadgetPtr window, tabber, panel, check, combo, slider, canvas, ok;
};
GadgetPtr Dialog::window, Dialog::tabber, Dialog::panel, Dialog::check, Dialog::combo, Dialog::slider, Dialog::canvas,
    Dialog::ok;

TEST_F(Dialog, ClientAreaIsExactlyTheAskedSizeAndTheCanvasHasItsOwnXWindow) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display, QueryGadget(window, QueryHostWindow), &attributes), 0);
    EXPECT_EQ(attributes.width, 300);
    EXPECT_EQ(attributes.height, 260);
    const uint64_t canvasWindow = QueryGadget(canvas, QueryHostWindow);
    EXPECT_NE(canvasWindow, QueryGadget(window, QueryHostWindow));
    ASSERT_NE(XGetWindowAttributes(display, canvasWindow, &attributes), 0);
    EXPECT_EQ(attributes.width, 64);
    EXPECT_EQ(attributes.height, 48);
    XCloseDisplay(display);
}

TEST_F(Dialog, CheckboxClicksSendOneThenZero) {
    const int x = GadgetX(tabber) + 4 + GadgetX(check) + 8;
    const int y = GadgetY(tabber) + (GadgetHeight(tabber) - ClientHeight(tabber)) + GadgetY(check) + 7;
    ClickAt(x, y);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, check));
    EXPECT_EQ(EventData(), 1);
    ClickAt(x, y);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, check));
    EXPECT_EQ(EventData(), 0);
    EXPECT_EQ(ButtonState(check), 0);
}

TEST_F(Dialog, ScrollBarArrowMovesOneAndTroughOnePage) {
    SetSliderRange(slider, 10, 1000);
    SetSliderValue(slider, 500);
    Settle(100);
    const int left = GadgetX(tabber) + 4 + GadgetX(slider);
    const int y = GadgetY(tabber) + (GadgetHeight(tabber) - ClientHeight(tabber)) + GadgetY(slider) + 7;
    ClickAt(left + GadgetWidth(slider) - 4, y);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, slider));
    EXPECT_EQ(EventData(), 501);
    // Near the start of the trough, well before the thumb at the middle.
    ClickAt(left + 24, y);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, slider));
    EXPECT_EQ(EventData(), 491);
    EXPECT_EQ(SliderValue(slider), 491);
}

TEST_F(Dialog, PickingAComboItemSendsItsIndex) {
    const int x = GadgetX(tabber) + 4 + GadgetX(combo) + 40;
    const int y = GadgetY(tabber) + (GadgetHeight(tabber) - ClientHeight(tabber)) + GadgetY(combo) + 8;
    const int before = ViewableTopLevels();
    ClickAt(x, y);
    // The keys go to the popup list once it shows.
    ASSERT_TRUE(PumpUntil([&] { return ViewableTopLevels() > before; }));
    Settle(100);
    Shell("xdotool key Down Down Return");
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, combo));
    EXPECT_EQ(EventData(), 2);
}

TEST_F(Dialog, SwitchingTabsSendsTheTabAndSelectingByCallDoesNot) {
    SelectGadgetItem(tabber, 1);
    SelectGadgetItem(tabber, 0);
    Settle(100);
    EXPECT_EQ(QueuedEventCount(), 0);
    // The "About" tab: right of "Config" on the tab strip.
    ClickAt(GadgetX(tabber) + 80, GadgetY(tabber) + 10);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, tabber));
    EXPECT_EQ(EventData(), 1);
    ClickAt(GadgetX(tabber) + 25, GadgetY(tabber) + 10);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, tabber));
    EXPECT_EQ(EventData(), 0);
}

TEST_F(Dialog, PushButtonSendsZeroAndRedrawPaintsTheCanvas) {
    ClickAt(GadgetX(ok) + 35, GadgetY(ok) + 12);
    ASSERT_TRUE(AwaitEvent(EventGadgetAction, ok));
    EXPECT_EQ(EventData(), 0);
    RedrawGadget(canvas);
    EXPECT_TRUE(AwaitEvent(EventGadgetPaint, canvas));
}

TEST_F(Dialog, ScreenshotOfTheDialog) {
    Settle(200);
    const std::string path = std::string(CAPSARO_BINARY_DIR) + "/gadgets_dialog.png";
    ASSERT_EQ(Shell("import -window root -crop 320x280+90+90 " + path), 0);
}

TEST_F(Dialog, ClosingTheWindowSendsWindowCloseAndItStays) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const auto xid = static_cast<Window>(QueryGadget(window, QueryHostWindow));
    // What a window manager's close box sends.
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = xid;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, xid, False, NoEventMask, &close);
    XFlush(display);
    ASSERT_TRUE(AwaitEvent(EventWindowClose, window));
    Settle(200);
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display, xid, &attributes), 0);
    EXPECT_EQ(attributes.map_state, IsViewable);
    XCloseDisplay(display);
}

} // namespace
