// The event queue: the ring and its limit, merging, the current and null events, the queue's own
// hook and the thread rule.
#include "event_support.h"
#include "gui/events/hooks.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

class EventQueueTest : public ::testing::Test {
protected:
    void SetUp() override { DrainEvents(); }
    void TearDown() override { DrainEvents(); }
};

} // namespace

TEST_F(EventQueueTest, KeepsTheFirst256AndReleasesTheRest) {
    std::vector<std::weak_ptr<TEvent>> emitted;
    for (int32_t key = 0; key < 300; ++key) {
        auto event = KeyDownEvent(key);
        emitted.push_back(event);
        EmitEvent(std::move(event));
    }
    EXPECT_EQ(QueuedEventCount(), 256);
    EXPECT_FALSE(emitted[255].expired());
    for (size_t i = 256; i < emitted.size(); ++i)
        EXPECT_TRUE(emitted[i].expired()) << i;

    for (int32_t key = 0; key < 256; ++key) {
        ASSERT_EQ(PollEvent(), EventKeyDown);
        EXPECT_EQ(EventData(), key);
    }
    EXPECT_EQ(PollEvent(), 0);
}

TEST_F(EventQueueTest, RingKeepsOrderAcrossManyWraps) {
    // Counters run far past the slot count; order and contents survive each wrap.
    int32_t next = 0;
    for (int round = 0; round < 40; ++round) {
        for (int i = 0; i < 100; ++i)
            EmitEvent(KeyDownEvent(round * 100 + i));
        for (int i = 0; i < 100; ++i, ++next) {
            ASSERT_EQ(PollEvent(), EventKeyDown);
            ASSERT_EQ(EventData(), next);
        }
    }
}

TEST_F(EventQueueTest, MergedIdsUpdateTheQueuedEventOfTheSameSource) {
    const auto window = MakeText("window");
    const auto other = MakeText("other");
    EmitEvent(MakeEvent(EventWindowMove, window, 0, 0, 10, 20));
    EmitEvent(KeyDownEvent(65));
    EmitEvent(MakeEvent(EventWindowMove, other, 0, 0, 1, 2));
    EmitEvent(MakeEvent(EventWindowMove, window, 0, 0, 30, 40));
    EmitEvent(MakeEvent(EventGadgetAction, window, 1, 0, 0, 0, MakeText("first")));
    EmitEvent(MakeEvent(EventGadgetAction, window, 2, 0, 0, 0, MakeText("second")));
    ASSERT_EQ(QueuedEventCount(), 4);

    ASSERT_EQ(PollEvent(), EventWindowMove);
    EXPECT_EQ(EventSource(), window);
    EXPECT_EQ(EventX(), 30);
    EXPECT_EQ(EventY(), 40);
    ASSERT_EQ(PollEvent(), EventKeyDown);
    ASSERT_EQ(PollEvent(), EventWindowMove);
    EXPECT_EQ(EventSource(), other);
    ASSERT_EQ(PollEvent(), EventGadgetAction);
    EXPECT_EQ(EventData(), 2);
    EXPECT_EQ(EventText(), "second");
}

TEST_F(EventQueueTest, OtherIdsAreNeverMerged) {
    for (int i = 0; i < 3; ++i)
        EmitEvent(MakeEvent(EventMouseMove, nullptr, 0, 0, i, i));
    EmitEvent(MakeEvent(EventWindowClose));
    EmitEvent(MakeEvent(EventWindowClose));
    EXPECT_EQ(QueuedEventCount(), 5);
}

TEST_F(EventQueueTest, AFullQueueStillMergesIntoAQueuedEvent) {
    EmitEvent(MakeEvent(EventWindowSize, nullptr, 0, 0, 100, 100));
    for (int32_t key = 0; key < 300; ++key)
        EmitEvent(KeyDownEvent(key));
    EmitEvent(MakeEvent(EventWindowSize, nullptr, 0, 0, 640, 480));
    EmitEvent(MakeEvent(EventWindowMove, nullptr, 0, 0, 5, 5));
    ASSERT_EQ(QueuedEventCount(), 256);
    ASSERT_EQ(PollEvent(), EventWindowSize);
    EXPECT_EQ(EventX(), 640);
    EXPECT_EQ(EventY(), 480);
}

TEST_F(EventQueueTest, EmptyPollGivesTheNullEvent) {
    EmitEvent(MakeEvent(EventMouseDown, MakeText("panel"), 1, 2, 3, 4, MakeText("x")));
    ASSERT_EQ(PollEvent(), EventMouseDown);
    EXPECT_EQ(EventMods(), 2);
    EXPECT_EQ(PollEvent(), 0);
    EXPECT_EQ(EventID(), 0);
    EXPECT_EQ(EventSource(), nullptr);
    EXPECT_EQ(EventData(), 0);
    EXPECT_EQ(EventX(), 0);
    EXPECT_EQ(EventY(), 0);
    EXPECT_EQ(EventExtra(), nullptr);
    EXPECT_EQ(EventText(), "");
}

TEST_F(EventQueueTest, PeekShowsTheOldestWithoutTakingIt) {
    EXPECT_EQ(PeekEvent(), nullptr);
    EmitEvent(KeyDownEvent(1));
    EmitEvent(KeyDownEvent(2));
    const auto peeked = PeekEvent();
    ASSERT_NE(peeked, nullptr);
    EXPECT_EQ(peeked->data, 1);
    EXPECT_EQ(QueuedEventCount(), 2);
    EXPECT_EQ(EventID(), 0); // the current event is untouched
    PollEvent();
    EXPECT_EQ(CurrentEvent(), peeked);
}

namespace {
std::vector<std::shared_ptr<TObject>> seenAfterQueue;
std::shared_ptr<TObject> RecordData(int32_t, const std::shared_ptr<TObject>& data, const std::shared_ptr<TObject>&) {
    seenAfterQueue.push_back(data);
    return data;
}
int32_t keysSeenBeforeQueue = 0;
std::shared_ptr<TObject> CountKeys(int32_t, const std::shared_ptr<TObject>& data, const std::shared_ptr<TObject>&) {
    const auto* event = dynamic_cast<const TEvent*>(data.get());
    if (event && event->id == EventKeyDown) ++keysSeenBeforeQueue;
    return data;
}
} // namespace

TEST_F(EventQueueTest, QueueHookPassesEventsOnAndOtherDataAsNone) {
    AddHook(EmitEventHook(), RecordData, nullptr, -20000);
    seenAfterQueue.clear();
    const auto event = KeyDownEvent(9);
    EmitEvent(event);
    RunHooks(EmitEventHook(), MakeText("not an event"));
    RemoveHook(EmitEventHook(), RecordData, nullptr);
    ASSERT_EQ(seenAfterQueue.size(), 2u);
    EXPECT_EQ(seenAfterQueue[0], event);
    EXPECT_EQ(seenAfterQueue[1], nullptr);
    EXPECT_EQ(QueuedEventCount(), 1);
}

TEST_F(EventQueueTest, AnEarlierHookSeesEventsTheFullQueueDrops) {
    AddHook(EmitEventHook(), CountKeys, nullptr, 0);
    keysSeenBeforeQueue = 0;
    for (int32_t key = 0; key < 300; ++key)
        EmitEvent(KeyDownEvent(key));
    RemoveHook(EmitEventHook(), CountKeys, nullptr);
    EXPECT_EQ(keysSeenBeforeQueue, 300);
    EXPECT_EQ(QueuedEventCount(), 256);
}

TEST_F(EventQueueTest, OnlyTheStartingThreadIsTheEventThread) {
    EXPECT_TRUE(IsEventThread());
    bool other = true;
    std::thread([&] { other = IsEventThread(); }).join();
    EXPECT_FALSE(other);
}

TEST(EventQueueDeathTest, PostingFromAnotherThreadIsCaughtInDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "the thread assertion is compiled into debug builds only";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    (void)IsEventThread();
    EXPECT_DEATH(std::thread([] { PostEvent(KeyDownEvent(1), false); }).join(), "thread other than the event thread");
#endif
}
