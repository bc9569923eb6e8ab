// The host pump: sources, the shared busy flag, waking, floods, and waiting without spinning.
#include "event_support.h"
#include "gui/headless/headless_source.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

class PumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        DrainEvents();
        AddPumpSource(host);
    }
    void TearDown() override {
        RemovePumpSource(host);
        DrainEvents();
    }
    std::shared_ptr<HeadlessSource> host = std::make_shared<HeadlessSource>();
};

// CPU time used by the calling thread so far.
std::chrono::microseconds ThreadCpuTime() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

// A source with a pipe of its own, as a host with a connection descriptor has.
class PipeSource : public PumpSource {
public:
    PipeSource() {
        if (pipe(fds_) != 0) fds_[0] = fds_[1] = -1;
    }
    ~PipeSource() override {
        close(fds_[0]);
        close(fds_[1]);
    }
    void Send() { (void)!write(fds_[1], "m", 1); }
    void Dispatch() override {
        if (!readable_) return;
        char byte = 0;
        (void)!read(fds_[0], &byte, 1);
        readable_ = false;
        EmitEvent(MakeEvent(EventKeyChar, nullptr, byte));
    }
    int PrepareWait(std::vector<PumpFd>& fds) override {
        fds.push_back(PumpFd{fds_[0], kPumpReadable, 0});
        return -1;
    }
    void FinishWait(const PumpFd* fds, size_t count) override {
        finishedWith = count;
        readable_ = count == 1 && fds[0].fd == fds_[0] && (fds[0].revents & kPumpReadable);
    }
    size_t finishedWith = 0;

private:
    int fds_[2]{-1, -1};
    bool readable_ = false;
};

} // namespace

TEST_F(PumpTest, PollSystemDispatchesWaitingMessagesAndNeverWaits) {
    EXPECT_EQ(PollEvent(), 0);
    host->Push([] { EmitEvent(KeyDownEvent(65)); });
    host->Push([] { EmitEvent(MakeEvent(EventKeyUp, nullptr, 65)); });
    ASSERT_EQ(PollEvent(), EventKeyDown);
    ASSERT_EQ(PollEvent(), EventKeyUp);
    EXPECT_EQ(PollEvent(), 0);
}

TEST_F(PumpTest, ACallFromInsideAMessageHandlerReturnsAtOnce) {
    bool innerSawBusy = false;
    host->Push([&] {
        innerSawBusy = PumpBusy();
        host->Push([] { EmitEvent(KeyDownEvent(2)); });
        // Both return without running the message just pushed, and WaitSystem does not block.
        PollSystem();
        WaitSystem();
        EXPECT_EQ(host->Pending(), 1u);
        EmitEvent(KeyDownEvent(1));
    });
    PollSystem();
    EXPECT_TRUE(innerSawBusy);
    EXPECT_FALSE(PumpBusy());
    EXPECT_EQ(QueuedEventCount(), 1);
    PollSystem();
    EXPECT_EQ(QueuedEventCount(), 2);
}

TEST_F(PumpTest, WaitEventFromInsideAMessageHandlerDoesNotHang) {
    int32_t inner = -1;
    host->Push([&] { inner = WaitEvent(); });
    PollSystem();
    EXPECT_EQ(inner, 0);
}

TEST_F(PumpTest, AFloodOfMessagesFillsTheQueueAndReturns) {
    for (int32_t i = 0; i < 10000; ++i)
        host->Push([i] { EmitEvent(KeyDownEvent(i)); });
    PollSystem();
    EXPECT_EQ(host->Pending(), 0u);
    EXPECT_EQ(QueuedEventCount(), 256);
    ASSERT_EQ(PollEvent(), EventKeyDown);
    EXPECT_EQ(EventData(), 0);
}

TEST_F(PumpTest, WaitEventSleepsUntilAnotherThreadSendsAMessage) {
    const auto cpuBefore = ThreadCpuTime();
    const auto start = std::chrono::steady_clock::now();
    std::thread sender([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        host->Push([] { EmitEvent(KeyDownEvent(27)); });
    });
    const int32_t id = WaitEvent();
    sender.join();
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(id, EventKeyDown);
    EXPECT_EQ(EventData(), 27);
    EXPECT_GE(waited, std::chrono::milliseconds(250));
    // Spinning for 300 ms would cost about that much CPU; sleeping in poll(2) costs next to none.
    EXPECT_LT(ThreadCpuTime() - cpuBefore, std::chrono::milliseconds(60));
}

TEST_F(PumpTest, SourcesWaitOnTheirOwnDescriptors) {
    auto pipeSource = std::make_shared<PipeSource>();
    AddPumpSource(pipeSource);
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pipeSource->Send();
    });
    const int32_t id = WaitEvent();
    sender.join();
    RemovePumpSource(pipeSource);
    EXPECT_EQ(id, EventKeyChar);
    EXPECT_EQ(EventData(), 'm');
    EXPECT_EQ(pipeSource->finishedWith, 1u);
}

TEST_F(PumpTest, ASourceMayBeRemovedByItsOwnMessage) {
    auto second = std::make_shared<HeadlessSource>();
    AddPumpSource(second);
    second->Push([] { EmitEvent(KeyDownEvent(2)); });
    host->Push([&] {
        RemovePumpSource(second);
        EmitEvent(KeyDownEvent(1));
    });
    PollSystem(); // this round still runs the removed source
    second->Push([] { EmitEvent(KeyDownEvent(3)); });
    PollSystem();
    EXPECT_EQ(QueuedEventCount(), 2);
}
