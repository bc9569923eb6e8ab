// The tables behind the input rules the hosts share.
#include "gui/events/input_rules.h"

#include "gui/events/key_codes.h"

namespace {

struct MoveDataRow {
    bool HeldButtons::*button;
    int32_t data;
};

// First match wins.
constexpr MoveDataRow kMoveData[] = {
    {&HeldButtons::right, 2},
    {&HeldButtons::middle, 4},
    {&HeldButtons::left, 1},
};

struct SidedKeyRow {
    int32_t key;
    int32_t left;
    int32_t right;
};

constexpr SidedKeyRow kSidedKeys[] = {
    {KeyShift, KeyShiftLeft, KeyShiftRight},
    {KeyControl, KeyControlLeft, KeyControlRight},
    {KeyAlt, KeyAltLeft, KeyAltRight},
};

} // namespace

int32_t MouseMoveData(HeldButtons held) {
    for (const MoveDataRow& row : kMoveData)
        if (held.*row.button) return row.data;
    return 0;
}

int32_t SidedModifierKey(int32_t key, bool right) {
    for (const SidedKeyRow& row : kSidedKeys)
        if (row.key == key) return right ? row.right : row.left;
    return key;
}
