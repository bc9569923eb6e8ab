// The process-wide display sequence counter.
#include "draw2d/display_sequence.h"

namespace {
uint32_t sequence = 1;
}

uint32_t DisplaySequence() {
    return sequence;
}

void AdvanceDisplaySequence() {
    sequence = NextDisplaySequence(sequence);
}

uint32_t NextDisplaySequence(uint32_t current) {
    return current == UINT32_MAX ? 1 : current + 1;
}
