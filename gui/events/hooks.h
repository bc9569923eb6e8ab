// Hooks: numbered chains of functions, each passing its result on to the next. Events are
// emitted through one such chain (EmitEventHook in queue.h).
//
// All calls belong to the event thread. A hook may add or remove hooks while its chain runs;
// the running call finishes with the chain as it was when it started.
#pragma once

#include "runtime/object.h"

#include <cstdint>
#include <memory>

// A hook function gets its hook id, the data handed on by the previous hook (or the data given to
// RunHooks) and the context it was added with; its result is the data of the next hook.
using HookFunction = std::shared_ptr<TObject> (*)(int32_t hookId, const std::shared_ptr<TObject>& data,
                                                  const std::shared_ptr<TObject>& context);

// Hands out the next hook id, counting from 0. Asking for a 257th id is a runtime error
// ("Too many hook ids").
int32_t AllocHookId();

// Inserts the hook after every hook of the id whose priority is greater than or equal to its own,
// so higher priorities run first and equal priorities in the order added. An id that was never
// handed out is a programming error.
void AddHook(int32_t hookId, HookFunction function, std::shared_ptr<TObject> context, int32_t priority);

// Removes the first hook of the id with this function and context; false when there is none.
bool RemoveHook(int32_t hookId, HookFunction function, const std::shared_ptr<TObject>& context);

// Calls the hooks of the id in order and returns the last result (the data itself when the id
// has no hooks).
std::shared_ptr<TObject> RunHooks(int32_t hookId, std::shared_ptr<TObject> data);
