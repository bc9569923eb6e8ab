// The gadget calls on the headless host: creation, kinds, items, buttons, visibility and canvases.
#include "gadget_test_support.h"

#include "draw2d/soft/soft_driver.h"

#include <vector>

namespace {

TEST_F(GadgetTest, DesktopIsTheRootAndTheDefaultGroup) {
    GadgetPtr desktop = Desktop();
    ASSERT_TRUE(desktop);
    EXPECT_EQ(desktop->klass, GadgetDesktop);
    EXPECT_EQ(GadgetWidth(desktop), 1920);
    EXPECT_EQ(GadgetHeight(desktop), 1080);
    EXPECT_EQ(CreateGadget(GadgetDesktop, "", 1, 2, 3, 4, nullptr, 0), desktop);

    GadgetPtr window = CreateWindow("Title", 10, 20, 300, 260, nullptr, 33);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->parent, desktop.get());
    ASSERT_EQ(desktop->kids.size(), 1u);
    EXPECT_EQ(desktop->kids[0], window);
    EXPECT_EQ(window->text, "Title");
    EXPECT_EQ(ClientWidth(window), 300);
    EXPECT_EQ(ClientHeight(window), 260);
    const HeadlessControl& shown = HeadlessGadgetHost::Control(*window);
    EXPECT_EQ(shown.shape.x, 10);
    EXPECT_EQ(shown.shape.height, 260);
    EXPECT_EQ(shown.text, "Title");
}

TEST_F(GadgetTest, NoHostMeansNoGadgets) {
    SelectGadgetHost(nullptr);
    EXPECT_FALSE(Desktop());
    EXPECT_FALSE(CreateWindow("w", 0, 0, 10, 10, nullptr, 1));
}

TEST_F(GadgetTest, PanelsTakeOnlyANonEmptyTitleAndKidsKeepCreationOrder) {
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 33);
    GadgetPtr plain = CreatePanel(0, 0, 50, 50, window, 0);
    GadgetPtr group = CreatePanel(0, 60, 100, 100, window, PanelGroupBox, "Options");
    GadgetPtr label = CreateLabel("A & B", 0, 0, 40, 20, group, LabelCentre);
    EXPECT_EQ(plain->text, "");
    EXPECT_EQ(group->text, "Options");
    EXPECT_EQ(HeadlessGadgetHost::Control(*label).text, "A & B");
    EXPECT_EQ(ClientHeight(group), 100 - HeadlessGadgetHost::kGroupCaptionHeight);
    ASSERT_EQ(window->kids.size(), 2u);
    EXPECT_EQ(window->kids[0], plain);
    EXPECT_EQ(window->kids[1], group);
}

TEST_F(GadgetTest, HiddenWindowStyleAndHiddenParentsHideKids) {
    GadgetPtr hidden = CreateWindow("h", 0, 0, 100, 100, nullptr, WindowHidden);
    GadgetPtr kid = CreateButton("b", 0, 0, 10, 10, hidden, 0);
    EXPECT_FALSE(HeadlessGadgetHost::OnScreen(*hidden));
    EXPECT_FALSE(HeadlessGadgetHost::OnScreen(*kid));
    ShowGadget(hidden);
    EXPECT_TRUE(HeadlessGadgetHost::OnScreen(*kid));

    GadgetPtr panel = CreatePanel(0, 0, 50, 50, hidden, 0);
    GadgetPtr inner = CreateLabel("x", 0, 0, 10, 10, panel, 0);
    HideGadget(panel);
    EXPECT_FALSE(HeadlessGadgetHost::OnScreen(*inner));
    EXPECT_TRUE(inner->visible);
}

TEST_F(GadgetTest, KindSpecificCallsOnAnotherKindAreRuntimeErrors) {
    GadgetPtr window = CreateWindow("w", 0, 0, 100, 100, nullptr, 1);
    GadgetPtr label = CreateLabel("l", 0, 0, 10, 10, window, 0);
    EXPECT_DEATH(SetSliderValue(label, 1), "Invalid Gadget type");
    EXPECT_DEATH(ButtonState(window), "Invalid Gadget type");
    EXPECT_DEATH(AddGadgetItem(label, "x", 0, -1, "", nullptr), "Invalid Gadget type");
    EXPECT_DEATH(CanvasGraphics(window), "Invalid Gadget type");
}

TEST_F(GadgetTest, CheckboxClicksSendOneThenZeroAndPushButtonsZero) {
    GadgetPtr window = CreateWindow("w", 0, 0, 100, 100, nullptr, 1);
    GadgetPtr box = CreateButton("Check", 0, 0, 80, 15, window, ButtonCheckBox);
    GadgetPtr push = CreateButton("OK", 0, 20, 80, 24, window, ButtonOk);

    host->Click(box);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), box);
    EXPECT_EQ(EventData(), 1);
    EXPECT_EQ(ButtonState(box), 1);
    host->Click(box);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 0);
    EXPECT_EQ(ButtonState(box), 0);

    SetButtonState(push, 0);
    host->Click(push);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), push);
    EXPECT_EQ(EventData(), 0);
}

TEST_F(GadgetTest, SetButtonStateChecksOnAnyNonZeroAndSendsNothing) {
    GadgetPtr window = CreateWindow("w", 0, 0, 100, 100, nullptr, 1);
    GadgetPtr box = CreateButton("Check", 0, 0, 80, 15, window, ButtonCheckBox);
    SetButtonState(box, -7);
    EXPECT_EQ(ButtonState(box), 1);
    EXPECT_TRUE(HeadlessGadgetHost::Control(*box).checked);
    EXPECT_EQ(NextEvent(), 0);
    // The user's next click unchecks it.
    host->Click(box);
    NextEvent();
    EXPECT_EQ(EventData(), 0);
}

TEST_F(GadgetTest, SelectingAnItemSendsNothingWhileTheUsersPickDoes) {
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 1);
    GadgetPtr tabber = CreateTabber(5, 5, 290, 160, window, 0);
    GadgetPtr combo = CreateComboBox(0, 170, 100, 20, window, 0);
    auto extra = MakeText("second");
    AddGadgetItem(tabber, "Config", 0, -1, "", nullptr);
    AddGadgetItem(tabber, "About", 0, -1, "tip", extra);
    for (const char* text : {"a", "b", "c"})
        AddGadgetItem(combo, text, 0, -1, "", nullptr);

    SelectGadgetItem(tabber, 1);
    SelectGadgetItem(combo, 2);
    EXPECT_EQ(NextEvent(), 0);
    EXPECT_EQ(HeadlessGadgetHost::Control(*tabber).selected, 1);
    EXPECT_EQ(tabber->items[1].state & ItemSelected, ItemSelected);
    EXPECT_EQ(ClientHeight(tabber), 160 - HeadlessGadgetHost::kTabStripHeight);

    host->PickItem(tabber, 0);
    host->PickItem(combo, 1);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), tabber);
    EXPECT_EQ(EventData(), 0);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), combo);
    EXPECT_EQ(EventData(), 1);

    host->PickItem(tabber, 1);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventExtra(), extra);
    EXPECT_EQ(EventText(), "second");
}

TEST_F(GadgetTest, SelectGadgetItemMarksOneOrAllAndIgnoresIndicesNamingNoItem) {
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 1);
    GadgetPtr combo = CreateComboBox(0, 0, 100, 20, window, 0);
    for (const char* text : {"a", "b", "c"})
        AddGadgetItem(combo, text, 0, -1, "", nullptr);
    SelectGadgetItem(combo, 0);
    SelectGadgetItem(combo, 2);
    EXPECT_EQ(combo->items[0].state, 0);
    EXPECT_EQ(combo->items[2].state, ItemSelected);
    SelectGadgetItem(combo, 7);
    EXPECT_EQ(HeadlessGadgetHost::Control(*combo).selected, 2);
    SelectGadgetItem(combo, -1);
    for (const TGadgetItem& item : combo->items)
        EXPECT_EQ(item.state, ItemSelected);
}

TEST_F(GadgetTest, ItemsWithTheToggleFlagFlipTheirSelectedStateWhenPicked) {
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 1);
    GadgetPtr combo = CreateComboBox(0, 0, 100, 20, window, 0);
    AddGadgetItem(combo, "plain", 0, -1, "", nullptr);
    AddGadgetItem(combo, "toggles", ItemToggles, -1, "", nullptr);
    host->PickItem(combo, 1);
    host->PickItem(combo, 0);
    NextEvent();
    EXPECT_EQ(combo->items[1].state, ItemSelected);
    EXPECT_EQ(combo->items[0].state, 0);
}

TEST_F(GadgetTest, WindowCloseMoveAndActivation) {
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 1);
    host->CloseWindow(window);
    ASSERT_EQ(NextEvent(), EventWindowClose);
    EXPECT_EQ(EventSource(), window);
    EXPECT_TRUE(HeadlessGadgetHost::OnScreen(*window));

    host->MoveWindow(window, 40, 50);
    ASSERT_EQ(NextEvent(), EventWindowMove);
    EXPECT_EQ(EventX(), 40);
    EXPECT_EQ(GadgetY(window), 50);

    host->ActivateWindow(window);
    host->ActivateWindow(window);
    host->ActivateOtherApplication();
    EXPECT_EQ(NextEvent(), EventAppResume);
    EXPECT_EQ(EventSource(), nullptr);
    EXPECT_EQ(NextEvent(), EventWindowActivate);
    // The second activation is no new resume of the application.
    EXPECT_EQ(NextEvent(), EventWindowActivate);
    EXPECT_EQ(NextEvent(), EventAppSuspend);
    EXPECT_EQ(NextEvent(), 0);
}

// A window host for the software driver whose "windows" are any id the gadget host hands out.
class RecordingWindowHost : public SoftWindowHost {
public:
    class Presenter : public SoftPresenter {
    public:
        int32_t Width() const override { return 128; }
        int32_t Height() const override { return 96; }
        void Present(const uint32_t*, int32_t, int32_t, int32_t) override {}
    };
    std::vector<TGraphicsMode> DisplayModes() override { return {}; }
    std::unique_ptr<SoftPresenter> OpenWindow(int32_t, int32_t, int32_t, int32_t) override { return nullptr; }
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t window) override {
        attached.push_back(window);
        return std::make_unique<Presenter>();
    }
    std::vector<uint64_t> attached;
};

TEST_F(GadgetTest, CanvasAttachesADisplayToItsHostWindowAndPaintsOnRedraw) {
    auto windows = std::make_shared<RecordingWindowHost>();
    SelectDriver(SoftwareDriver(windows), 0);
    GadgetPtr window = CreateWindow("w", 0, 0, 300, 200, nullptr, 1);
    GadgetPtr canvas = CreateCanvas(5, 5, 128, 96, window, 0);
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->style & PanelCanvas, PanelCanvas);
    ASSERT_EQ(windows->attached.size(), 1u);
    EXPECT_EQ(windows->attached[0], QueryGadget(canvas, QueryHostWindow));
    ASSERT_TRUE(CanvasGraphics(canvas));
    EXPECT_EQ(CanvasGraphics(canvas)->Width(), 128);

    // Requests that pile up before the host paints become one paint.
    RedrawGadget(canvas);
    RedrawGadget(canvas);
    ASSERT_EQ(NextEvent(), EventGadgetPaint);
    EXPECT_EQ(EventSource(), canvas);
    EXPECT_EQ(NextEvent(), 0);

    // Without a window host the drawing layer attaches nothing; the canvas is still made.
    SelectDriver(SoftwareDriver(), 0);
    GadgetPtr bare = CreateCanvas(0, 0, 10, 10, window, 0);
    ASSERT_TRUE(bare);
    EXPECT_FALSE(CanvasGraphics(bare));
    SelectDriver(nullptr, 0);
}

} // namespace
