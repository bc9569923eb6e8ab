// The configuration window with the headless gadget host: placement, what opens, what every
// control does to the settings, what is stored and when, and the logo on its canvas.
#include "tests/support/files.h"
#include "tests/support/saver_globals.h"
#include "tests/support/temp_folder.h"

#include "saver/config_window.h"
#include "saver/platform.h"
#include "saver/settings.h"
#include "saver/startup.h"

#include "draw2d/graphics.h"
#include "draw2d/image.h"
#include "draw2d/pixmap_load.h"
#include "draw2d/soft/soft_driver.h"
#include "gui/events/queue.h"
#include "gui/gadgets/gadgets.h"
#include "gui/gadgets_headless/headless_gadget_host.h"
#include "runtime/program.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kDefaultFile = "200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n";

// Stores into a folder of the test's own.
class TestSaver : public TSaver {
public:
    void SaveSettings() override {
        ++saves;
        SaveSettingsTo(*this, paths);
    }
    SettingsPaths paths;
    int saves = 0;
};

// A window host whose attached "windows" keep the last frame presented to them.
class FrameKeeper : public SoftWindowHost {
public:
    class Presenter : public SoftPresenter {
    public:
        explicit Presenter(FrameKeeper& keeper) : keeper_(keeper) {}
        // Like a GTK canvas: 1 x 1 when attached, its real size once laid out.
        int32_t Width() const override { return keeper_.presented > 0 ? 128 : 1; }
        int32_t Height() const override { return keeper_.presented > 0 ? 128 : 1; }
        void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitch) override {
            ++keeper_.presented;
            keeper_.width = width;
            keeper_.frame.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
            for (int32_t y = 0; y < height; ++y)
                for (int32_t x = 0; x < width; ++x)
                    keeper_.frame[static_cast<size_t>(y * width + x)] = pixels[y * pitch + x] & 0xFFFFFFu;
        }

    private:
        FrameKeeper& keeper_;
    };
    std::vector<TGraphicsMode> DisplayModes() override { return {}; }
    std::unique_ptr<SoftPresenter> OpenWindow(int32_t, int32_t, int32_t, int32_t) override { return nullptr; }
    std::unique_ptr<SoftPresenter> AttachWindow(uint64_t) override { return std::make_unique<Presenter>(*this); }

    uint32_t At(int32_t x, int32_t y) const { return frame[static_cast<size_t>(y * width + x)]; }
    int presented = 0;
    int32_t width = 0;
    std::vector<uint32_t> frame;
};

class ConfigWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterEmbeddedPictures(); }

    void SetUp() override {
        file = root / "Capsaro.cfg";
        saver.paths = {file.string(), (root / "user" / "Capsaro.cfg").string()};
        ResetSaverSettings();
        SelectGadgetHost(host);
        Drain();
    }
    void TearDown() override {
        dialog.reset();
        SelectDisplay(nullptr);
        SelectDriver(nullptr, 0);
        SelectGadgetHost(nullptr);
        Drain();
        ResetSaverSettings();
    }
    static void Drain() {
        while (QueuedEventCount() > 0)
            PollEvent();
    }
    // Loads the settings as Run does (a missing file is written with the values in force) and
    // makes the dialog.
    ConfigDialog& Open() {
        LoadSettingsFrom(saver, saver.paths);
        dialog = MakeConfigDialog(saver, {100, 50}, 0);
        EXPECT_TRUE(dialog);
        return *dialog;
    }
    HeadlessControl& Shown(const GadgetPtr& gadget) { return HeadlessGadgetHost::Control(*gadget); }

    std::shared_ptr<HeadlessGadgetHost> host = std::make_shared<HeadlessGadgetHost>();
    TestSaver saver;
    std::unique_ptr<ConfigDialog> dialog;
    TempFolder folder{"config"};
    fs::path root = folder.Path();
    fs::path file;
};

TEST(ConfigPlacement, CentresTheClientAreaOnTheHostWindowOrTheDesktopTruncatingTowardZero) {
    EXPECT_EQ(CentreOnWindow({100, 50, 900, 650}).x, 350);
    EXPECT_EQ(CentreOnWindow({100, 50, 900, 650}).y, 220);
    // A host narrower than the dialog: (201 - 300) / 2 is -49, not -50.
    EXPECT_EQ(CentreOnWindow({0, 0, 201, 101}).x, -49);
    EXPECT_EQ(CentreOnWindow({0, 0, 201, 101}).y, -79);
    EXPECT_EQ(CentreOnDesktop(1920, 1080).x, 810);
    EXPECT_EQ(CentreOnDesktop(1920, 1080).y, 410);
}

TEST(ConfigPlacement, HandlesPickTheHostWindowAndAnUnknownOneGivesMinus150Minus130) {
    HeadlessPlatform platform;
    platform.windows.push_back({77, {0, 0, 400, 300}, {1000, 600, 1400, 900}});
    const GadgetShape desktop{0, 0, 1920, 1080};
    const ConfigPlacement onHost = PlaceConfigWindow(77, platform, desktop);
    EXPECT_EQ(onHost.x, 1050);
    EXPECT_EQ(onHost.y, 620);
    const ConfigPlacement onDesktop = PlaceConfigWindow(0, platform, desktop);
    EXPECT_EQ(onDesktop.x, 810);
    EXPECT_EQ(onDesktop.y, 410);
    // Partly on screen, so it stays.
    const ConfigPlacement unknown = PlaceConfigWindow(12345, platform, desktop);
    EXPECT_EQ(unknown.x, -150);
    EXPECT_EQ(unknown.y, -130);
    // The desktop's own left and top are not added.
    EXPECT_EQ(PlaceConfigWindow(0, platform, {-1920, 0, 3840, 1080}).x, 1770);
}

TEST(ConfigPlacement, AWindowEntirelyOffTheDesktopIsMovedJustInside) {
    const GadgetShape desktop{0, 0, 1920, 1080};
    const ConfigPlacement far = KeepReachable({5000, 5000}, desktop);
    EXPECT_EQ(far.x, 1620);
    EXPECT_EQ(far.y, 820);
    const ConfigPlacement above = KeepReachable({100, -260}, desktop);
    EXPECT_EQ(above.x, 100);
    EXPECT_EQ(above.y, 0);
    // One pixel showing is enough to stay.
    EXPECT_EQ(KeepReachable({-299, -259}, desktop).x, -299);
    EXPECT_EQ(KeepReachable({INT_MIN, INT_MAX}, desktop).y, 820);
}

TEST(ConfigScale, EverySliderPositionSurvivesTheRoundTripAndOddValuesStayInRange) {
    for (int32_t position = 0; position <= 29; ++position)
        EXPECT_EQ(ScaleSliderPosition(ScaleFromSliderPosition(position)), position) << position;
    EXPECT_EQ(ScaleSliderPosition(0.5f), 7);
    EXPECT_EQ(ScaleSliderPosition(-0.1f), -1);
    EXPECT_EQ(ScaleSliderPosition(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(ScaleSliderPosition(std::numeric_limits<float>::infinity()), INT_MAX);
    EXPECT_EQ(ScaleSliderPosition(-1e30f), INT_MIN);
}

TEST_F(ConfigWindowTest, OpensOnAboutWithEveryControlShowingItsSetting) {
    saver.ChilliCount = 321;
    saver.ChilliScale = 1.0f;
    MotionMode = 3;
    Shadows = 1;
    ClearScreen = 0;
    ConfigDialog& d = Open();
    EXPECT_EQ(d.window->text, "Capsaro");
    EXPECT_EQ(d.window->style, 33);
    EXPECT_EQ(ClientWidth(d.window), 300);
    EXPECT_EQ(ClientHeight(d.window), 260);
    EXPECT_EQ(GadgetX(d.window), 100);
    EXPECT_EQ(GadgetY(d.window), 50);

    EXPECT_EQ(Shown(d.tabber).items, (std::vector<std::string>{"Config", "About"}));
    EXPECT_EQ(Shown(d.tabber).selected, 1);
    EXPECT_TRUE(HeadlessGadgetHost::OnScreen(*d.panels[1]));
    EXPECT_FALSE(HeadlessGadgetHost::OnScreen(*d.panels[0]));
    EXPECT_EQ(d.aboutLabels[0]->text, "Capsaro v1.02");
    EXPECT_EQ(GadgetWidth(d.aboutLabels[0]), 340);
    EXPECT_EQ(GadgetWidth(d.logoCanvas), 128);
    // OK and Cancel belong to the window, so they show on both tabs.
    EXPECT_EQ(d.ok->parent, d.window.get());
    EXPECT_EQ(d.cancel->parent, d.window.get());
    EXPECT_EQ(GadgetX(d.cancel), 225);
    EXPECT_EQ(GadgetY(d.ok), 230);

    EXPECT_EQ(Shown(d.combo).items.size(), 5u);
    EXPECT_EQ(Shown(d.combo).selected, 3);
    const int32_t expected[] = {0, 0, 1, 0, 0};
    for (size_t i = 0; i < d.checkboxes.size(); ++i)
        EXPECT_EQ(ButtonState(d.checkboxes[i].gadget), expected[i]) << i;
    EXPECT_EQ(d.checkboxes[0].gadget->text, "Use desktop as background");
    EXPECT_EQ(Shown(d.countSlider).position, 321);
    EXPECT_EQ(Shown(d.scaleSlider).position, 15);
    EXPECT_EQ(SliderValue(d.scaleSlider), 15);
    EXPECT_EQ(QueuedEventCount(), 0) << "making the dialog sends no actions";
}

TEST_F(ConfigWindowTest, OutOfRangeStoredValuesShowClampedOrNothingAndStayUnlessTouched) {
    saver.ChilliCount = 5000;
    MotionMode = 7;
    UseDesktop = 2;
    ChangeChillies = -1;
    ConfigDialog& d = Open();
    EXPECT_EQ(Shown(d.countSlider).position, 999);
    EXPECT_EQ(Shown(d.combo).selected, -1);
    // Any value but 0 shows ticked, though only 1 counts as on in the show.
    EXPECT_EQ(ButtonState(d.checkboxes[0].gadget), 1);
    EXPECT_TRUE(Shown(d.checkboxes[0].gadget).checked);
    EXPECT_EQ(ButtonState(d.checkboxes[3].gadget), 1);
    EXPECT_EQ(ButtonState(d.checkboxes[1].gadget), 0);
    host->Click(d.checkboxes[1].gadget);
    host->Click(d.ok);
    EXPECT_EQ(RunConfigDialog(saver, d), ConfigStep::Stored);
    EXPECT_EQ(saver.ChilliCount, 5000);
    EXPECT_EQ(MotionMode, 7);
    EXPECT_EQ(UseDesktop, 2);
    EXPECT_EQ(ChangeChillies, -1);
    EXPECT_EQ(ReadFileBytes(file), "5000\r\n0.500000000\r\n2\r\n1\r\n0\r\n-1\r\n7\r\n1\r\n");

    // -1 would mark every item if passed on.
    MotionMode = -1;
    dialog = MakeConfigDialog(saver, {0, 0}, 0);
    EXPECT_EQ(Shown(dialog->combo).selected, -1);
    for (const TGadgetItem& item : dialog->combo->items)
        EXPECT_EQ(item.state & ItemSelected, 0);
    host->DragThumb(dialog->countSlider, 12);
    host->Click(dialog->cancel);
    RunConfigDialog(saver, *dialog);
    EXPECT_EQ(saver.ChilliCount, 12);
}

TEST_F(ConfigWindowTest, EveryControlWritesItsSettingAndOkStoresExactlyThat) {
    ConfigDialog& d = Open();
    for (const ConfigCheckbox& box : d.checkboxes)
        host->Click(box.gadget);
    host->PickItem(d.combo, 4);
    host->DragThumb(d.countSlider, 640);
    host->ClickArrow(d.scaleSlider, true);
    host->ClickTrough(d.scaleSlider, true);
    host->Click(d.ok);
    EXPECT_EQ(RunConfigDialog(saver, d), ConfigStep::Stored);
    EXPECT_EQ(saver.saves, 1);
    EXPECT_EQ(UseDesktop, 1);
    EXPECT_EQ(ShowNames, 1);
    EXPECT_EQ(Shadows, 1);
    EXPECT_EQ(ChangeChillies, 1);
    EXPECT_EQ(ClearScreen, 0);
    EXPECT_EQ(MotionMode, 4);
    EXPECT_EQ(saver.ChilliCount, 640);
    // 7, one arrow step and one page of 1: position 9.
    EXPECT_EQ(saver.ChilliScale, 9.0f / 15.0f);
    EXPECT_EQ(ReadFileBytes(file), "640\r\n0.600000024\r\n1\r\n1\r\n1\r\n1\r\n4\r\n0\r\n");
}

TEST_F(ConfigWindowTest, OneTickedCheckboxAndOkStoresExactlyThatLine) {
    ConfigDialog& d = Open();
    host->PickItem(d.tabber, 0);
    host->Click(d.checkboxes[0].gadget);
    host->Click(d.ok);
    EXPECT_EQ(RunConfigDialog(saver, d), ConfigStep::Stored);
    EXPECT_EQ(ReadFileBytes(file), "200\r\n0.500000000\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
}

TEST_F(ConfigWindowTest, ScalePositionEightStoresEightFifteenthsAndReopensAtEight) {
    ConfigDialog& d = Open();
    host->DragThumb(d.scaleSlider, 8);
    host->Click(d.ok);
    RunConfigDialog(saver, d);
    EXPECT_EQ(ReadFileBytes(file).substr(0, 18), "200\r\n0.533333361\r\n");
    saver.ChilliScale = 0.5f;
    LoadSettingsFrom(saver, saver.paths);
    EXPECT_EQ(saver.ChilliScale, static_cast<float>(8.0 / 15.0));
    dialog = MakeConfigDialog(saver, {0, 0}, 0);
    EXPECT_EQ(Shown(dialog->scaleSlider).position, 8);
}

TEST_F(ConfigWindowTest, CancelCloseFocusLossAndTerminateEndWithoutStoring) {
    using Leave = void (*)(HeadlessGadgetHost&, ConfigDialog&);
    const Leave ways[] = {
        [](HeadlessGadgetHost& h, ConfigDialog& d) { h.Click(d.cancel); },
        [](HeadlessGadgetHost& h, ConfigDialog& d) { h.CloseWindow(d.window); },
        [](HeadlessGadgetHost& h, ConfigDialog& d) {
            h.ActivateWindow(d.window);
            h.ActivateOtherApplication();
        },
        [](HeadlessGadgetHost& h, ConfigDialog&) { h.Source()->Push([] { EmitEvent(MakeEvent(EventAppTerminate)); }); },
    };
    for (const Leave leave : ways) {
        ConfigDialog& d = Open();
        host->Click(d.checkboxes[2].gadget);
        host->DragThumb(d.countSlider, 3);
        leave(*host, d);
        EXPECT_EQ(RunConfigDialog(saver, d), ConfigStep::Ended);
        // Changed in memory, not on disk.
        EXPECT_EQ(Shadows, 1);
        EXPECT_EQ(saver.ChilliCount, 3);
        EXPECT_EQ(saver.saves, 0);
        EXPECT_EQ(ReadFileBytes(file), kDefaultFile);
        Shadows = 0;
        saver.ChilliCount = 200;
        Drain();
    }
}

TEST_F(ConfigWindowTest, SwitchingTabsShowsOnePanelAtATime) {
    ConfigDialog& d = Open();
    host->PickItem(d.tabber, 0);
    ASSERT_EQ(PollEvent(), EventGadgetAction);
    EXPECT_EQ(HandleConfigEvent(saver, d), ConfigStep::Continue);
    EXPECT_TRUE(HeadlessGadgetHost::OnScreen(*d.checkboxes[0].gadget));
    EXPECT_FALSE(HeadlessGadgetHost::OnScreen(*d.logoCanvas));
    host->PickItem(d.tabber, 1);
    ASSERT_EQ(PollEvent(), EventGadgetAction);
    HandleConfigEvent(saver, d);
    EXPECT_FALSE(HeadlessGadgetHost::OnScreen(*d.checkboxes[0].gadget));
    EXPECT_TRUE(HeadlessGadgetHost::OnScreen(*d.logoCanvas));
    EXPECT_TRUE(HeadlessGadgetHost::OnScreen(*d.ok));
}

TEST_F(ConfigWindowTest, TwoQuickSliderMovesArriveAsOneActionWithTheLaterPosition) {
    ConfigDialog& d = Open();
    host->DragThumb(d.countSlider, 20);
    host->DragThumb(d.countSlider, 30);
    int actions = 0;
    while (PollEvent() != 0) {
        if (EventID() == EventGadgetAction && EventSource() == d.countSlider) ++actions;
        HandleConfigEvent(saver, d);
    }
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(saver.ChilliCount, 30);
}

TEST_F(ConfigWindowTest, LogosAlternateAfterMoreThan150MsEachCoveringTheOneBefore) {
    auto windows = std::make_shared<FrameKeeper>();
    SelectDriver(SoftwareDriver(windows), 0);
    // Earlier drawing (a show's chillies) may have left pictures centred on their handles.
    SetAutoCentreHandle(true);
    dialog = MakeConfigDialog(saver, {0, 0}, 1000);
    ASSERT_TRUE(CanvasGraphics(dialog->logoCanvas));
    const int presentedAtStart = windows->presented;
    EXPECT_FALSE(SwapLogo(*dialog, 1100));
    EXPECT_FALSE(SwapLogo(*dialog, 1150));
    EXPECT_EQ(windows->presented, presentedAtStart) << "nothing is drawn before the first swap";

    const PixmapPtr logo1 = LoadPixmap("incbin::build stuff/gfx/logo1.png");
    const PixmapPtr logo2 = LoadPixmap("incbin::build stuff/gfx/logo2.png");
    ASSERT_TRUE(logo1 && logo2);
    // A pixel the first picture covers and the second leaves clear.
    int32_t px = -1, py = -1;
    for (int32_t y = 0; y < 128 && px < 0; ++y)
        for (int32_t x = 0; x < 128 && px < 0; ++x)
            if (ReadPixel(*logo1, x, y) >> 24 == 255 && ReadPixel(*logo2, x, y) >> 24 == 0) px = x, py = y;
    ASSERT_GE(px, 0);

    ASSERT_TRUE(SwapLogo(*dialog, 1151));
    ASSERT_EQ(windows->width, 128);
    EXPECT_EQ(windows->At(px, py), ReadPixel(*logo1, px, py) & 0xFFFFFFu);
    EXPECT_FALSE(SwapLogo(*dialog, 1301));
    ASSERT_TRUE(SwapLogo(*dialog, 1302));
    EXPECT_EQ(windows->At(px, py), 0u) << "the first picture shows through the second";
    ASSERT_TRUE(SwapLogo(*dialog, 1500));
    EXPECT_EQ(windows->At(px, py), ReadPixel(*logo1, px, py) & 0xFFFFFFu);

    // Across the wrap of the 32-bit clock.
    dialog->lastSwap = INT_MAX - 100;
    EXPECT_TRUE(SwapLogo(*dialog, INT_MIN + 100));
}

TEST_F(ConfigWindowTest, RunConfigPlacesOnTheHostWindowNamedOnTheCommandLine) {
    auto platform = std::make_unique<HeadlessPlatform>();
    platform->windows.push_back({450, {0, 0, 600, 400}, {200, 100, 800, 500}});
    SetPlatform(std::move(platform));
    const std::vector<std::string> saved = ProgramArguments();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"capsaro", "/c:450"}, std::vector<std::string>{"capsaro", "/c", "450"},
          std::vector<std::string>{"capsaro", "/c"}}) {
        ProgramArguments() = arguments;
        // Ends the loop at once; the window stays in the gadget tree to look at.
        EmitEvent(MakeEvent(EventWindowClose));
        saver.RunConfig();
        const GadgetPtr window = Desktop()->kids.back();
        const bool onHost = arguments.size() == 3 || arguments[1].size() > 2;
        EXPECT_EQ(GadgetX(window), onHost ? 350 : 810) << arguments[1];
        EXPECT_EQ(GadgetY(window), onHost ? 170 : 410) << arguments[1];
        Drain();
    }
    ProgramArguments() = saved;
    SetPlatform(nullptr);
    EXPECT_EQ(saver.saves, 0);
}

} // namespace
