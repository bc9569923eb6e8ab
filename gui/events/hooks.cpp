// Hook ids and their priority-ordered chains.
#include "gui/events/hooks.h"

#include "runtime/runtime_error.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int32_t kMaxHookIds = 256;

struct THook {
    int32_t priority;
    HookFunction function;
    std::shared_ptr<TObject> context;
};

// Each chain is replaced, never edited in place, so a running RunHooks keeps a consistent copy
// without copying it on every call.
using HookChain = std::shared_ptr<const std::vector<THook>>;

struct HookTable {
    int32_t allocated = 0;
    std::array<HookChain, kMaxHookIds> chains{};
};

HookTable& Table() {
    static HookTable table;
    return table;
}

HookChain& ChainOf(int32_t hookId) {
    HookTable& table = Table();
    if (hookId < 0 || hookId >= table.allocated) RuntimeError("Hook id was never allocated");
    return table.chains[static_cast<size_t>(hookId)];
}

} // namespace

int32_t AllocHookId() {
    HookTable& table = Table();
    if (table.allocated >= kMaxHookIds) RuntimeError("Too many hook ids");
    return table.allocated++;
}

void AddHook(int32_t hookId, HookFunction function, std::shared_ptr<TObject> context, int32_t priority) {
    HookChain& chain = ChainOf(hookId);
    auto hooks = chain ? std::vector<THook>(*chain) : std::vector<THook>();
    const auto place = std::find_if(hooks.begin(), hooks.end(), [&](const THook& h) { return h.priority < priority; });
    hooks.insert(place, THook{priority, function, std::move(context)});
    chain = std::make_shared<const std::vector<THook>>(std::move(hooks));
}

bool RemoveHook(int32_t hookId, HookFunction function, const std::shared_ptr<TObject>& context) {
    HookChain& chain = ChainOf(hookId);
    if (!chain) return false;
    const auto found = std::find_if(chain->begin(), chain->end(),
                                    [&](const THook& h) { return h.function == function && h.context == context; });
    if (found == chain->end()) return false;
    auto hooks = std::vector<THook>(*chain);
    hooks.erase(hooks.begin() + (found - chain->begin()));
    chain = std::make_shared<const std::vector<THook>>(std::move(hooks));
    return true;
}

std::shared_ptr<TObject> RunHooks(int32_t hookId, std::shared_ptr<TObject> data) {
    const HookChain chain = ChainOf(hookId);
    if (!chain) return data;
    for (const THook& hook : *chain)
        data = hook.function(hookId, data, hook.context);
    return data;
}
