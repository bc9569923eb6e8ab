// Translation of synthetic SDL events into events, the key and modifier tables, and the SDL pump
// source under a flood. Needs only SDL's event subsystem, no display.
#include "gui/events/key_codes.h"
#include "gui/events/queue.h"
#include "gui/sdl/sdl_input.h"
#include "gui/sdl/sdl_keys.h"
#include "gui/sdl/sdl_pump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class SdlInputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void SetUp() override { Drain(); }
    void TearDown() override { Drain(); }

    static void Drain() {
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        while (QueuedEventCount() > 0)
            PollEvent();
    }

    // Takes every queued event.
    static std::vector<std::shared_ptr<TEvent>> Taken() {
        std::vector<std::shared_ptr<TEvent>> events;
        while (QueuedEventCount() > 0) {
            PollEvent();
            events.push_back(CurrentEvent());
        }
        return events;
    }
};

SDL_Keysym Keysym(SDL_Keycode sym, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN, uint16_t mod = KMOD_NONE) {
    SDL_Keysym key{};
    key.sym = sym;
    key.scancode = scancode;
    key.mod = mod;
    return key;
}

SDL_Event KeyEvent(uint32_t type, SDL_Keycode sym, uint16_t mod = KMOD_NONE, uint8_t repeat = 0, uint32_t window = 1) {
    SDL_Event event{};
    event.key.type = type;
    event.key.windowID = window;
    event.key.repeat = repeat;
    event.key.keysym = Keysym(sym, SDL_GetScancodeFromKey(sym), mod);
    return event;
}

SDL_Event ButtonEvent(uint32_t type, uint8_t button, int32_t x, int32_t y) {
    SDL_Event event{};
    event.button.type = type;
    event.button.windowID = 1;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event MotionEvent(uint32_t state, int32_t x, int32_t y) {
    SDL_Event event{};
    event.motion.type = SDL_MOUSEMOTION;
    event.motion.windowID = 1;
    event.motion.state = state;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event WindowEvent(uint8_t what, uint32_t window = 1) {
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = window;
    return event;
}

SDL_Event TextEvent(const char* utf8) {
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    event.text.windowID = 1;
    std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
    return event;
}

} // namespace

TEST(SdlKeyTable, MapsOntoTheProgramsKeyCodes) {
    const std::pair<SDL_Keycode, int32_t> keys[] = {
        {SDLK_F12, 123},    {SDLK_F1, 112},    {SDLK_a, 65},      {SDLK_z, 90},      {SDLK_0, 48},
        {SDLK_9, 57},       {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},  {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13},
        {SDLK_LEFT, 37},    {SDLK_UP, 38},     {SDLK_RIGHT, 39},  {SDLK_DOWN, 40},   {SDLK_LSHIFT, 160},
        {SDLK_RSHIFT, 161}, {SDLK_LCTRL, 162}, {SDLK_RCTRL, 163}, {SDLK_LALT, 164},  {SDLK_RALT, 165},
        {SDLK_LGUI, 91},    {SDLK_KP_7, 103},  {SDLK_SLASH, 191},
    };
    for (const auto& [sym, code] : keys)
        EXPECT_EQ(SdlKeyToKeyCode(Keysym(sym)), code) << SDL_GetKeyName(sym);

    // A letter of a non-Latin layout is known by the key's place; a key with no code gives 0.
    EXPECT_EQ(SdlKeyToKeyCode(Keysym(0x0444, SDL_SCANCODE_A)), 65);
    EXPECT_EQ(SdlKeyToKeyCode(Keysym(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY)), 0);
}

TEST(SdlKeyTable, ModifiersOfEitherSideGiveOneBitEach) {
    EXPECT_EQ(SdlModsToMods(KMOD_LSHIFT), ModShift);
    EXPECT_EQ(SdlModsToMods(KMOD_RSHIFT | KMOD_LCTRL), ModShift | ModControl);
    EXPECT_EQ(SdlModsToMods(KMOD_RALT | KMOD_RGUI), ModAlt | ModSuper);
    EXPECT_EQ(SdlModsToMods(KMOD_CAPS | KMOD_NUM), 0);
}

TEST_F(SdlInputTest, KeysGoDownRepeatAndUpWithTheirMods) {
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_LSHIFT, KMOD_LSHIFT));
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_a, KMOD_LSHIFT));
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_a, KMOD_LSHIFT, 1));
    TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_a, KMOD_LSHIFT));
    TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_LSHIFT, KMOD_NONE));
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY)); // no code: nothing

    const auto events = Taken();
    ASSERT_EQ(events.size(), 5u);
    const int32_t expected[][3] = {{EventKeyDown, 160, 1},
                                   {EventKeyDown, 65, 1},
                                   {EventKeyRepeat, 65, 1},
                                   {EventKeyUp, 65, 1},
                                   {EventKeyUp, 160, 0}};
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i]->id, expected[i][0]) << i;
        EXPECT_EQ(events[i]->data, expected[i][1]) << i;
        EXPECT_EQ(events[i]->mods, expected[i][2]) << i;
        EXPECT_EQ(events[i]->source, nullptr) << i;
    }
}

TEST_F(SdlInputTest, ControlKeysAlsoTypeTheirCharacter) {
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_RETURN));
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_BACKSPACE, KMOD_NONE, 1));
    TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_ESCAPE));
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_RETURN, KMOD_LCTRL));
    const auto events = Taken();
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[1]->id, EventKeyChar);
    EXPECT_EQ(events[1]->data, 13);
    EXPECT_EQ(events[3]->id, EventKeyChar);
    EXPECT_EQ(events[3]->data, 8);
    EXPECT_EQ(events[4]->id, EventKeyUp);
    EXPECT_EQ(events[5]->id, EventKeyDown);
}

TEST_F(SdlInputTest, TextBecomesOneKeyCharPer16BitCharacter) {
    TranslateSdlEvent(TextEvent("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80")); // a, e acute, euro sign, U+1F600
    TranslateSdlEvent(TextEvent("b\xE2\x82"));                             // cut short: the rest is dropped
    std::vector<int32_t> codes;
    for (const auto& event : Taken()) {
        EXPECT_EQ(event->id, EventKeyChar);
        codes.push_back(event->data);
    }
    EXPECT_EQ(codes, (std::vector<int32_t>{'a', 0xE9, 0x20AC, 0xD83D, 0xDE00, 'b'}));
}

TEST_F(SdlInputTest, ButtonsAreNumberedLeftRightMiddle) {
    TranslateSdlEvent(KeyEvent(SDL_KEYDOWN, SDLK_RCTRL, KMOD_RCTRL));
    TranslateSdlEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
    TranslateSdlEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 11, 21));
    TranslateSdlEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 12, 22));
    TranslateSdlEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 13, 23));
    auto events = Taken();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(EventToText(*events[1]), "MouseDown: data=1, mods=2, x=10, y=20, extra=\"\"");
    EXPECT_EQ(EventToText(*events[2]), "MouseDown: data=2, mods=2, x=11, y=21, extra=\"\"");
    EXPECT_EQ(EventToText(*events[3]), "MouseUp: data=3, mods=2, x=12, y=22, extra=\"\"");
    TranslateSdlEvent(KeyEvent(SDL_KEYUP, SDLK_RCTRL, KMOD_NONE));
}

TEST_F(SdlInputTest, MoveDataNamesOneHeldButtonRightFirst) {
    const uint32_t left = SDL_BUTTON_LMASK, right = SDL_BUTTON_RMASK, middle = SDL_BUTTON_MMASK;
    const std::pair<uint32_t, int32_t> cases[] = {
        {0, 0}, {left, 1}, {middle | left, 4}, {right | middle | left, 2}, {right, 2}, {SDL_BUTTON_X1MASK, 0},
    };
    for (const auto& [held, data] : cases)
        TranslateSdlEvent(MotionEvent(held, 5, -3));
    const auto events = Taken();
    ASSERT_EQ(events.size(), std::size(cases));
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i]->id, EventMouseMove);
        EXPECT_EQ(events[i]->data, cases[i].second) << "held " << cases[i].first;
        EXPECT_EQ(events[i]->x, 5);
        EXPECT_EQ(events[i]->y, -3);
    }
}

TEST_F(SdlInputTest, WheelDataIsNotches) {
    SDL_Event wheel{};
    wheel.wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 2;
    TranslateSdlEvent(wheel);
    wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    TranslateSdlEvent(wheel);
    wheel.wheel.y = 0;
    wheel.wheel.x = 3; // sideways only: nothing
    TranslateSdlEvent(wheel);
    const auto events = Taken();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]->id, EventMouseWheel);
    EXPECT_EQ(events[0]->data, 2);
    EXPECT_EQ(events[1]->data, -2);
}

TEST_F(SdlInputTest, WindowEventsAndTheirSources) {
    auto panel = MakeText("panel");
    SetSdlWindowSource(7, panel);
    TranslateSdlEvent(MotionEvent(0, 40, 50)); // window 1: a display window, source none
    SDL_Event motion = MotionEvent(0, 3, 4);
    motion.motion.windowID = 7;
    TranslateSdlEvent(motion);
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_LEAVE, 7));
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_ENTER, 1));
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_CLOSE, 7));
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 7));
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, 7));
    TranslateSdlEvent(WindowEvent(SDL_WINDOWEVENT_RESIZED, 7)); // not input: nothing
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    TranslateSdlEvent(quit);

    const auto events = Taken();
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0]->source, nullptr);
    EXPECT_EQ(events[1]->source, panel);
    EXPECT_EQ(EventToText(*events[2]), "MouseLeave: data=0, mods=0, x=3, y=4, extra=\"\"");
    EXPECT_EQ(events[2]->source, panel);
    EXPECT_EQ(EventToText(*events[3]), "MouseEnter: data=0, mods=0, x=40, y=50, extra=\"\"");
    EXPECT_EQ(events[4]->id, EventAppTerminate);
    EXPECT_EQ(events[4]->source, panel);
    EXPECT_EQ(events[5]->id, EventAppSuspend);
    EXPECT_EQ(events[5]->source, nullptr);
    EXPECT_EQ(events[6]->id, EventAppResume);
    EXPECT_EQ(events[7]->id, EventAppTerminate);
    EXPECT_EQ(events[7]->source, nullptr);
    ForgetSdlWindow(7);
}

TEST_F(SdlInputTest, TheWindowRegistryHoldsSourcesWeakly) {
    auto panel = MakeText("panel");
    SetSdlWindowSource(7, panel);
    EXPECT_EQ(SdlWindowSource(7), panel);
    std::weak_ptr<TObject> watch = panel;
    panel.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(SdlWindowSource(7), nullptr);
    auto other = MakeText("other");
    SetSdlWindowSource(7, other);
    ForgetSdlWindow(7);
    EXPECT_EQ(SdlWindowSource(7), nullptr);
}

TEST_F(SdlInputTest, AFloodOfSdlEventsIsTakenInOnePumpAndFillsTheQueue) {
    auto source = SdlPump();
    int32_t rawSeen = 0;
    source->AddRawHandler([&rawSeen](const SDL_Event&) { ++rawSeen; });
    for (int32_t i = 0; i < 10000; ++i) {
        SDL_Event key = KeyEvent(SDL_KEYDOWN, SDLK_a + i % 26);
        ASSERT_EQ(SDL_PushEvent(&key), 1) << SDL_GetError();
    }
    PollSystem();
    EXPECT_EQ(rawSeen, 10000);
    EXPECT_FALSE(SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT));
    EXPECT_EQ(QueuedEventCount(), 256);
    ASSERT_EQ(PollEvent(), EventKeyDown);
    EXPECT_EQ(EventData(), 65);
}
