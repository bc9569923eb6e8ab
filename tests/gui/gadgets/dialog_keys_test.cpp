// Enter and Escape in a window, on the headless host: which button each presses, and the close
// request Escape makes where there is no Cancel button.
#include "gui/events/event.h"
#include "gui/gadgets/dialog_keys.h"
#include "tests/gui/gadgets/gadget_test_support.h"

namespace {

class DialogKeys : public GadgetTest {
protected:
    void SetUp() override {
        GadgetTest::SetUp();
        window = CreateWindow("Keys", 0, 0, 300, 260, nullptr, WindowTitleBar);
        box = CreateButton("Tick", 10, 10, 100, 15, window, ButtonCheckBox);
    }
    GadgetPtr window, box;
};

TEST_F(DialogKeys, EnterPressesTheFirstPushButtonWhereNoneIsMarked) {
    EXPECT_FALSE(BecomesDefaultButton(*box));
    const GadgetPtr first = CreateButton("OK", 150, 230, 70, 24, window, ButtonPushPlain);
    const GadgetPtr second = CreateButton("Cancel", 225, 230, 70, 24, window, ButtonPushPlain);
    EXPECT_EQ(DefaultButton(*window), first.get());
    UserPressedEnter(*window);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), first);
}

TEST_F(DialogKeys, AMarkedButtonIsTheDefaultWhereverItStands) {
    const GadgetPtr plain = CreateButton("Apply", 70, 230, 70, 24, window, ButtonPush);
    const GadgetPtr marked = CreateButton("Go", 150, 230, 70, 24, window, ButtonPush + ButtonDefault);
    EXPECT_EQ(DefaultButton(*window), marked.get());
    // A checkbox marked default is still a checkbox.
    const GadgetPtr box2 = CreateButton("Box", 10, 30, 100, 15, window, ButtonCheckBox + ButtonDefault);
    EXPECT_EQ(DefaultButton(*window), marked.get());
    EXPECT_TRUE(BecomesDefaultButton(*marked));
    UserPressedEnter(*window);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), marked);
}

TEST_F(DialogKeys, EnterDoesNothingWithoutAPushButtonAndButtonsInPanelsDoNotCount) {
    const GadgetPtr panel = CreatePanel(0, 0, 300, 200, window, 0, "");
    CreateButton("Inner", 10, 10, 70, 24, panel, ButtonPushPlain);
    EXPECT_EQ(DefaultButton(*window), nullptr);
    UserPressedEnter(*window);
    EXPECT_EQ(NextEvent(), 0);
}

TEST_F(DialogKeys, EscapePressesCancelOrAsksTheWindowToClose) {
    UserPressedEscape(*window);
    ASSERT_EQ(NextEvent(), EventWindowClose);
    EXPECT_EQ(EventSource(), window);
    const GadgetPtr cancel = CreateButton("Cancel", 225, 230, 70, 24, window, ButtonCancel);
    UserPressedEscape(*window);
    ASSERT_EQ(NextEvent(), EventGadgetAction);
    EXPECT_EQ(EventSource(), cancel);
}

} // namespace
