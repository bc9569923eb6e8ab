// The arithmetic of the three slider kinds: the range a position may take and the moves of a
// scroll bar.
#pragma once

#include "gui/gadgets/gadget.h"

#include <cstdint>

// A stepper's positions are 16-bit.
constexpr int32_t kStepperLowest = -32768;
constexpr int32_t kStepperHighest = 32767;

int32_t SliderKind(const TGadget& slider);
bool SliderIsHorizontal(const TGadget& slider);

// The lowest and highest position the slider's range allows. A scroll bar runs from 0 to
// total - page (never below 0); a track bar from minimum to maximum; a stepper from lower to upper
// within 16 bits. Ranges given the wrong way round are taken in order.
int32_t SliderLowest(const TGadget& slider);
int32_t SliderHighest(const TGadget& slider);
int32_t ClampSliderPosition(const TGadget& slider, int64_t position);

// The moves of a scroll bar that the user makes. Start and End (the keyboard's Home and End) are
// reported by the hosts but move nothing.
enum class ScrollMove { LineBack, LineForward, PageBack, PageForward, Thumb, Start, End };

// Whether the move changes the position at all.
bool ScrollMoveMoves(ScrollMove move);

// The position a scroll bar moves to, clamped.
int32_t ScrolledPosition(const TGadget& slider, ScrollMove move, int32_t thumb);
