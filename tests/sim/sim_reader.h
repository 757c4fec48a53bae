// The simulated reader's protocol core: it takes the bytes a transport
// receives, records and answers each frame, streams tag reports during an
// inventory and injects faults on demand. Transports (TCP, pseudo-terminal,
// a stand-in HID library) attach a SimLink through which it writes.
#pragma once

#include "sim_codec.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace readersim {

using Clock = std::chrono::steady_clock;

class SimLink {
public:
    virtual ~SimLink() = default;
    // Writes all bytes or gives up; false when the link is gone.
    virtual bool Send(const uint8_t* bytes, size_t count) = 0;
};

struct TimedFrame {
    SimFrame frame;
    Clock::time_point at;
};

// Tag reports of an inventory: `population` distinct EPCs visited in turn.
struct StreamConfig {
    uint32_t population = 5000;
    // Reports per second; 0 sends as fast as the link takes them.
    double rate = 2000;
    // Reports per inventory command; 0 runs until the stop command.
    uint64_t limit = 0;
    // EPC length in bytes: even, 4 to 32.
    uint8_t epc_bytes = 12;
};

class SimReader {
public:
    SimReader();
    ~SimReader();
    SimReader(const SimReader&) = delete;
    SimReader& operator=(const SimReader&) = delete;

    // Transport side.
    void Attach(SimLink* link);
    // Stops a stream, forgets half-received bytes and drops pending replies.
    void Detach();
    void OnBytes(const uint8_t* bytes, size_t count);

    // Everything received, with arrival times.
    std::vector<TimedFrame> Received() const;
    // Replies and injected frames written (tag reports are only counted).
    std::vector<TimedFrame> Sent() const;
    // Waits for the `nth` (from 1) received frame with command `cmd`.
    std::optional<TimedFrame> WaitForCommand(uint8_t cmd, std::chrono::milliseconds timeout,
                                             size_t nth = 1) const;
    size_t SkippedBytes() const;
    void ClearRecords();

    // Replies per command: the data (status byte first where it has one),
    // a delay, or none at all. Set before the command arrives.
    void SetReply(uint8_t cmd, std::vector<uint8_t> data);
    // Several reply frames to each `cmd`, in this order (a buffer read
    // answers with one frame per record); they take the place of SetReply.
    void SetReplies(uint8_t cmd, std::vector<std::vector<uint8_t>> frames);
    void SetReplyDelay(uint8_t cmd, std::chrono::milliseconds delay);
    void WithholdReply(uint8_t cmd, bool withhold = true);
    void ResetReplies();

    // Tag reports for the inventory commands 0x89, 0x8B and 0x8A.
    void SetStream(const StreamConfig& config);
    // Reports sent by the current or last inventory.
    uint64_t StreamSent() const;
    bool Streaming() const;
    bool WaitStreamEnd(std::chrono::milliseconds timeout) const;
    // The EPC of report `index` under `config`.
    static std::vector<uint8_t> StreamEpc(const StreamConfig& config, uint64_t index);

    // Faults. Each applies to frames written after the call.
    void CorruptNextChecks(int frames);
    void SetGarbageBetweenFrames(std::vector<uint8_t> garbage);
    // Each frame in writes of `chunk` bytes with `gap` between them; 0 ends it.
    void SetSplitWrites(size_t chunk, std::chrono::microseconds gap);
    // No replies and no reports until switched off.
    void SetSilent(bool silent);
    // A correctly checked frame whose length byte is over 98.
    void SendOverlongFrame(uint8_t cmd = 0x89, uint8_t len = 120);
    // Unsolicited frame, through the faults above (silence aside).
    void SendFrame(uint8_t addr, uint8_t cmd, const std::vector<uint8_t>& data);
    void SendRaw(const std::vector<uint8_t>& bytes);

    // The reader's settings as the frames have left them.
    uint8_t Power(int antenna) const;
    uint8_t Address() const;

private:
    struct ReplyRule {
        std::optional<std::vector<uint8_t>> data;
        std::vector<std::vector<uint8_t>> series;
        std::chrono::milliseconds delay{0};
        bool withhold = false;
    };

    void Handle(const SimFrame& f);
    std::optional<std::vector<uint8_t>> DefaultReply(const SimFrame& f, bool* starts_stream);
    void Reply(uint8_t addr, uint8_t cmd, const std::vector<uint8_t>& data,
               std::chrono::milliseconds delay);
    // Writes one frame with the faults applied; false when nothing was written.
    bool Emit(std::vector<uint8_t> frame, bool record);
    void StartStream(uint8_t addr, uint8_t cmd, uint8_t antenna);
    void StopStream();
    void StopStreamLocked();
    void StreamLoop(uint8_t addr, uint8_t cmd, uint8_t antenna, StreamConfig config);
    void SchedulerLoop();

    mutable std::mutex lock_;  // records, rules, state
    mutable std::condition_variable changed_;
    std::vector<TimedFrame> received_;
    std::vector<TimedFrame> sent_;
    std::map<uint8_t, ReplyRule> rules_;
    FrameDecoder decoder_;
    uint8_t power_[8];
    uint8_t address_ = 0;
    StreamConfig stream_config_;

    std::mutex out_lock_;  // the link and the write faults
    SimLink* link_ = nullptr;
    int corrupt_left_ = 0;
    std::vector<uint8_t> garbage_;
    size_t split_chunk_ = 0;
    std::chrono::microseconds split_gap_{0};
    std::atomic<bool> silent_{false};

    std::mutex stream_ctl_;  // starting and stopping the stream thread
    std::thread stream_;
    std::atomic<bool> stream_stop_{false};
    std::atomic<bool> streaming_{false};
    std::atomic<uint64_t> stream_sent_{0};

    std::mutex sched_lock_;
    std::condition_variable sched_cv_;
    std::multimap<Clock::time_point, std::vector<uint8_t>> scheduled_;
    bool sched_quit_ = false;
    std::thread scheduler_;
};

}  // namespace readersim
