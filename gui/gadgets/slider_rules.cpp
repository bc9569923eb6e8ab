// Slider positions: the allowed range per kind and the moves of a scroll bar.
#include "gui/gadgets/slider_rules.h"

#include <algorithm>
#include <cstdint>

int32_t SliderKind(const TGadget& slider) {
    return SliderKind(slider.style);
}
bool SliderIsHorizontal(const TGadget& slider) {
    return (slider.style & SliderHorizontal) != 0;
}

int32_t SliderLowest(const TGadget& slider) {
    switch (SliderKind(slider)) {
    case SliderScrollBar:
        return 0;
    case SliderStepper:
        return std::clamp(std::min(slider.range0, slider.range1), kStepperLowest, kStepperHighest);
    default:
        return std::min(slider.range0, slider.range1);
    }
}

int32_t SliderHighest(const TGadget& slider) {
    switch (SliderKind(slider)) {
    case SliderScrollBar: {
        const int64_t last = int64_t{slider.range1} - slider.range0;
        return static_cast<int32_t>(std::clamp<int64_t>(last, 0, INT32_MAX));
    }
    case SliderStepper:
        return std::clamp(std::max(slider.range0, slider.range1), kStepperLowest, kStepperHighest);
    default:
        return std::max(slider.range0, slider.range1);
    }
}

int32_t ClampSliderPosition(const TGadget& slider, int64_t position) {
    return static_cast<int32_t>(std::clamp<int64_t>(position, SliderLowest(slider), SliderHighest(slider)));
}

int32_t ScrolledPosition(const TGadget& slider, ScrollMove move, int32_t thumb) {
    const int64_t now = slider.position;
    const int64_t page = slider.range0;
    switch (move) {
    case ScrollMove::LineBack:
        return ClampSliderPosition(slider, now - 1);
    case ScrollMove::LineForward:
        return ClampSliderPosition(slider, now + 1);
    case ScrollMove::PageBack:
        return ClampSliderPosition(slider, now - page);
    case ScrollMove::PageForward:
        return ClampSliderPosition(slider, now + page);
    case ScrollMove::Thumb:
        break;
    case ScrollMove::Start:
    case ScrollMove::End:
        return slider.position;
    }
    return ClampSliderPosition(slider, thumb);
}

bool ScrollMoveMoves(ScrollMove move) {
    return move != ScrollMove::Start && move != ScrollMove::End;
}
