// The motion modes: the values the MotionMode setting stores and CurrentMotionMode holds, and the
// name of each as the configuration window and the usage text write it.
#pragma once

#include <cstdint>
#include <string>

// The stored values. A show runs with one of the four movements; MotionRandom is resolved to one
// of them when the program starts. The labels are historical: "Bounce X" moves up and down and
// "Bounce Y" sideways.
enum MotionModeValue : int32_t {
    MotionRandom = 0,           // "RANDOM SELECTION": one of the four below, drawn per run
    MotionBounceBoth = 1,       // "Bounce X/Y": rebounds from all four edges
    MotionBounceVertical = 2,   // "Bounce X": up and down, rebounding from the top and bottom
    MotionBounceHorizontal = 3, // "Bounce Y": sideways, rebounding from the left and right
    MotionFall = 4,             // "Fall": downwards with a sway, starting again above the top
};

struct MotionModeName {
    MotionModeValue value;
    const char* label;     // the configuration window's item (and the XScreenSaver option's)
    const char* shortName; // the usage text's word
};

// Indexed by the stored value, so a list in this order selects the setting by its index.
constexpr MotionModeName kMotionModeNames[] = {
    {MotionRandom, "RANDOM SELECTION", "random"},
    {MotionBounceBoth, "Bounce X/Y", "bounce X/Y"},
    {MotionBounceVertical, "Bounce X", "bounce X"},
    {MotionBounceHorizontal, "Bounce Y", "bounce Y"},
    {MotionFall, "Fall", "fall"},
};

// A value the setting can name (random included); others are stored as they are but name no mode.
constexpr bool IsMotionMode(int32_t value) {
    return value >= MotionRandom && value <= MotionFall;
}

// One of the four movements a show runs with.
constexpr bool IsShowMotion(int32_t value) {
    return value >= MotionBounceBoth && value <= MotionFall;
}

// "0 random, 1 bounce X/Y, 2 bounce X, 3 bounce Y, 4 fall".
inline std::string MotionChoicesText() {
    std::string text;
    for (const MotionModeName& mode : kMotionModeNames)
        text += (text.empty() ? "" : ", ") + std::to_string(mode.value) + " " + mode.shortName;
    return text;
}

constexpr bool MotionNamesFollowTheirValues() {
    int32_t expected = MotionRandom;
    for (const MotionModeName& mode : kMotionModeNames)
        if (mode.value != expected++) return false;
    return expected == MotionFall + 1;
}
static_assert(MotionNamesFollowTheirValues(), "kMotionModeNames is indexed by the stored value");
