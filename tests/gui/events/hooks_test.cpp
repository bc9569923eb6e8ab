// Hook chains: order by priority and insertion, data handed along, removal, the id limit.
#include "gui/events/hooks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Appends the context's text to the data's text, so the result spells the order of the calls.
std::shared_ptr<TObject> AppendContext(int32_t, const std::shared_ptr<TObject>& data,
                                       const std::shared_ptr<TObject>& context) {
    const auto* sofar = dynamic_cast<const TText*>(data.get());
    return MakeText((sofar ? sofar->text : std::string("<none>")) + static_cast<const TText&>(*context).text);
}

std::shared_ptr<TObject> ReturnNone(int32_t, const std::shared_ptr<TObject>&, const std::shared_ptr<TObject>&) {
    return nullptr;
}

std::string RunChain(int32_t id, const std::string& start) {
    const auto result = std::dynamic_pointer_cast<TText>(RunHooks(id, MakeText(start)));
    return result ? result->text : std::string("<none>");
}

} // namespace

TEST(Hooks, HigherPriorityFirstThenOrderAdded) {
    const int32_t id = AllocHookId();
    AddHook(id, AppendContext, MakeText("a"), 0);
    AddHook(id, AppendContext, MakeText("b"), 0);
    AddHook(id, AppendContext, MakeText("H"), 5);
    AddHook(id, AppendContext, MakeText("L"), -3);
    AddHook(id, AppendContext, MakeText("c"), 0);
    EXPECT_EQ(RunChain(id, ">"), ">HabcL");
}

TEST(Hooks, EachResultIsTheNextHooksData) {
    const int32_t id = AllocHookId();
    EXPECT_EQ(RunChain(id, "unchanged"), "unchanged");
    AddHook(id, AppendContext, MakeText("1"), 10);
    AddHook(id, ReturnNone, nullptr, 5);
    AddHook(id, AppendContext, MakeText("2"), 0);
    EXPECT_EQ(RunChain(id, "x"), "<none>2");
}

TEST(Hooks, RemoveTakesTheFirstMatchOfFunctionAndContext) {
    const int32_t id = AllocHookId();
    const auto a = MakeText("a");
    const auto b = MakeText("b");
    AddHook(id, AppendContext, a, 0);
    AddHook(id, AppendContext, b, 0);
    AddHook(id, AppendContext, a, 0);
    EXPECT_TRUE(RemoveHook(id, AppendContext, a));
    EXPECT_EQ(RunChain(id, ""), "ba");
    // Same context but another function, or an equal text in another object, is no match.
    EXPECT_FALSE(RemoveHook(id, ReturnNone, a));
    EXPECT_FALSE(RemoveHook(id, AppendContext, MakeText("b")));
    EXPECT_TRUE(RemoveHook(id, AppendContext, b));
    EXPECT_TRUE(RemoveHook(id, AppendContext, a));
    EXPECT_FALSE(RemoveHook(id, AppendContext, a));
    EXPECT_EQ(RunChain(id, "empty"), "empty");
}

namespace {
int32_t selfRemovingId = -1;
std::shared_ptr<TObject> RemoveSelfAndAppend(int32_t id, const std::shared_ptr<TObject>& data,
                                             const std::shared_ptr<TObject>& context) {
    RemoveHook(id, RemoveSelfAndAppend, context);
    AddHook(id, AppendContext, MakeText("late"), -100);
    return AppendContext(id, data, context);
}
} // namespace

TEST(Hooks, ChangesMadeWhileRunningApplyToTheNextRun) {
    selfRemovingId = AllocHookId();
    AddHook(selfRemovingId, RemoveSelfAndAppend, MakeText("once"), 1);
    AddHook(selfRemovingId, AppendContext, MakeText("!"), 0);
    EXPECT_EQ(RunChain(selfRemovingId, ""), "once!");
    EXPECT_EQ(RunChain(selfRemovingId, ""), "!late");
}

TEST(HooksDeathTest, The257thIdIsARuntimeError) {
    // Ids 0 to 255 are handed out; the next request ends the process with the error.
    EXPECT_DEATH(
        {
            for (;;)
                std::fprintf(stderr, "id %d\n", AllocHookId());
        },
        "id 255\nRuntime error: Too many hook ids");
}
