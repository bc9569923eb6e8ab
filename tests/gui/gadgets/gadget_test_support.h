// A fixture for gadget tests: a fresh headless host and an empty event queue per test.
#pragma once

#include "gui/events/queue.h"
#include "gui/gadgets/gadgets.h"
#include "gui/gadgets_headless/headless_gadget_host.h"

#include <gtest/gtest.h>

class GadgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        SelectGadgetHost(host);
        Drain();
    }
    void TearDown() override {
        SelectGadgetHost(nullptr);
        Drain();
    }
    static void Drain() {
        while (QueuedEventCount() > 0)
            PollEvent();
    }
    // Lets the host deliver what the user did, then takes the next event (0 when none).
    static int32_t NextEvent() { return PollEvent(); }

    std::shared_ptr<HeadlessGadgetHost> host = std::make_shared<HeadlessGadgetHost>();
};
