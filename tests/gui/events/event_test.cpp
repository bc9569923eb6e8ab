// The text form of events and the id-to-name table.
#include "gui/events/event.h"

#include <gtest/gtest.h>

#include <set>

TEST(EventText, KeyDownWithoutModsOrExtra) {
    EXPECT_EQ(EventToText(*MakeEvent(EventKeyDown, nullptr, 65)), "KeyDown: data=65, mods=0, x=0, y=0, extra=\"\"");
}

TEST(EventText, CarriesEveryFieldAndTextExtraOnly) {
    const auto dropped = MakeEvent(EventWindowAccept, nullptr, 0, 3, -12, 480, MakeText("/tmp/a b.png"));
    EXPECT_EQ(EventToText(*dropped), "WindowAccept: data=0, mods=3, x=-12, y=480, extra=\"/tmp/a b.png\"");
    // An extra object that is not text reads as the empty text.
    const auto action = MakeEvent(EventGadgetAction, nullptr, 7, 0, 0, 0, std::make_shared<TEvent>());
    EXPECT_EQ(EventToText(*action), "GadgetAction: data=7, mods=0, x=0, y=0, extra=\"\"");
}

TEST(EventText, UnknownIdIsNamedByNumber) {
    EXPECT_EQ(EventToText(*MakeEvent(0x205, nullptr, 1)),
              "Unknown Event, id=517: data=1, mods=0, x=0, y=0, extra=\"\"");
    EXPECT_EQ(EventToText(TEvent{}), "Unknown Event, id=0: data=0, mods=0, x=0, y=0, extra=\"\"");
}

TEST(EventNames, EachIdHasItsOwnNameInItsGroup) {
    const std::pair<int32_t, const char*> samples[] = {
        {257, "AppSuspend"},   {259, "AppTerminate"},   {516, "KeyRepeat"},     {1027, "MouseMove"},
        {1030, "MouseLeave"},  {2049, "TimerTick"},     {8193, "GadgetAction"}, {8199, "GadgetDone"},
        {16385, "WindowMove"}, {16389, "WindowAccept"}, {32769, "MenuAction"},
    };
    for (const auto& [id, name] : samples)
        EXPECT_EQ(EventName(id), name) << id;

    std::set<std::string_view> names;
    int32_t known = 0;
    for (int32_t id = 0; id <= 0xFFFF; ++id) {
        if (EventName(id).empty()) continue;
        ++known;
        names.insert(EventName(id));
    }
    EXPECT_EQ(known, 28);
    EXPECT_EQ(names.size(), 28u);
}
