#include "sim_reader.h"

#include <algorithm>
#include <cstring>

namespace readersim {

namespace {

constexpr uint8_t kOk = 0x10;
constexpr uint8_t kBadParam = 0x41;
constexpr uint8_t kPowerRange = 0x25;
constexpr uint8_t kCustomDone = 0x12;
constexpr uint8_t kMaxPower = 33;

SimFrame FromBytes(const std::vector<uint8_t>& b)
{
    SimFrame f;
    if (b.size() >= 5) {
        f.addr = b[2];
        f.cmd = b[3];
        f.data.assign(b.begin() + 4, b.end() - 1);
    }
    return f;
}

}  // namespace

SimReader::SimReader()
{
    std::fill(std::begin(power_), std::end(power_), 30);
    scheduler_ = std::thread([this] { SchedulerLoop(); });
}

SimReader::~SimReader()
{
    StopStream();
    {
        std::lock_guard<std::mutex> g(sched_lock_);
        sched_quit_ = true;
    }
    sched_cv_.notify_all();
    scheduler_.join();
}

void SimReader::Attach(SimLink* link)
{
    {
        std::lock_guard<std::mutex> g(lock_);
        decoder_.Reset();
    }
    std::lock_guard<std::mutex> g(out_lock_);
    link_ = link;
}

void SimReader::Detach()
{
    StopStream();
    {
        std::lock_guard<std::mutex> g(sched_lock_);
        scheduled_.clear();
    }
    {
        std::lock_guard<std::mutex> g(out_lock_);
        link_ = nullptr;
    }
    std::lock_guard<std::mutex> g(lock_);
    decoder_.Reset();
}

void SimReader::OnBytes(const uint8_t* bytes, size_t count)
{
    std::vector<SimFrame> frames;
    {
        std::lock_guard<std::mutex> g(lock_);
        frames = decoder_.Push(bytes, count);
        const Clock::time_point now = Clock::now();
        for (const SimFrame& f : frames)
            received_.push_back({f, now});
    }
    changed_.notify_all();
    for (const SimFrame& f : frames)
        Handle(f);
}

void SimReader::Handle(const SimFrame& f)
{
    bool starts_stream = false;
    std::optional<std::vector<uint8_t>> reply;
    std::vector<std::vector<uint8_t>> series;
    std::chrono::milliseconds delay{0};
    bool withhold = false;
    {
        std::lock_guard<std::mutex> g(lock_);
        auto rule = rules_.find(f.cmd);
        if (rule != rules_.end()) {
            delay = rule->second.delay;
            withhold = rule->second.withhold;
            if (rule->second.data)
                reply = rule->second.data;
            series = rule->second.series;
        }
        if (!reply) {
            reply = DefaultReply(f, &starts_stream);
        }
    }
    // Resetting or stopping ends an inventory whatever the reply.
    if (f.cmd == 0x70 || f.cmd == 0x8C)
        StopStream();
    if (withhold || silent_)
        return;
    if (!series.empty()) {
        for (const std::vector<uint8_t>& data : series)
            Reply(f.addr, f.cmd, data, delay);
        return;
    }
    if (starts_stream) {
        const uint8_t antenna = f.cmd == 0x8B ? (f.data.size() > 2 ? f.data[2] : 1)
                                              : (f.data.empty() ? 1 : f.data[0]);
        StartStream(f.addr, f.cmd, antenna);
        return;
    }
    if (reply)
        Reply(f.addr, f.cmd, *reply, delay);
}

// Called with lock_ held.
std::optional<std::vector<uint8_t>> SimReader::DefaultReply(const SimFrame& f, bool* starts_stream)
{
    const std::vector<uint8_t>& d = f.data;
    switch (f.cmd) {
    case 0x72:  // firmware version: major, minor, model code
        return std::vector<uint8_t>{3, 7, 6};
    case 0x7B:  // temperature: sign (1 is plus), degrees
        return std::vector<uint8_t>{1, 25};
    case 0x73:
        if (d.size() != 1)
            return std::vector<uint8_t>{kBadParam};
        address_ = d[0];
        return std::vector<uint8_t>{kOk};
    case 0x76:
    case 0x5F:
    case 0x5E: {
        const size_t want = f.cmd == 0x76 ? 1 : f.cmd == 0x5F ? 4 : 8;
        if (d.size() != want)
            return std::vector<uint8_t>{kBadParam};
        for (uint8_t p : d)
            if (p > kMaxPower)
                return std::vector<uint8_t>{kPowerRange};
        if (want == 1)
            std::fill(std::begin(power_), std::end(power_), d[0]);
        else
            std::copy(d.begin(), d.end(), power_);
        return std::vector<uint8_t>{kOk};
    }
    case 0x77:
        if (std::all_of(std::begin(power_), std::end(power_), [&](uint8_t p) { return p == power_[0]; }))
            return std::vector<uint8_t>{power_[0]};
        return std::vector<uint8_t>(std::begin(power_), std::end(power_));
    case 0x89:
    case 0x8B:
    case 0x8A:
        *starts_stream = true;
        return std::nullopt;
    default:
        return std::vector<uint8_t>{kOk};
    }
}

void SimReader::Reply(uint8_t addr, uint8_t cmd, const std::vector<uint8_t>& data,
                      std::chrono::milliseconds delay)
{
    std::vector<uint8_t> frame = EncodeFrame(addr, cmd, data);
    if (delay.count() <= 0) {
        Emit(std::move(frame), true);
        return;
    }
    {
        std::lock_guard<std::mutex> g(sched_lock_);
        scheduled_.emplace(Clock::now() + delay, std::move(frame));
    }
    sched_cv_.notify_all();
}

void SimReader::SchedulerLoop()
{
    std::unique_lock<std::mutex> g(sched_lock_);
    while (!sched_quit_) {
        if (scheduled_.empty()) {
            sched_cv_.wait(g);
            continue;
        }
        auto first = scheduled_.begin();
        if (Clock::now() < first->first) {
            sched_cv_.wait_until(g, first->first);
            continue;
        }
        std::vector<uint8_t> frame = std::move(first->second);
        scheduled_.erase(first);
        g.unlock();
        Emit(std::move(frame), true);
        g.lock();
    }
}

bool SimReader::Emit(std::vector<uint8_t> frame, bool record)
{
    std::lock_guard<std::mutex> out(out_lock_);
    if (link_ == nullptr || frame.empty())
        return false;
    const std::vector<uint8_t> intended = frame;
    if (corrupt_left_ > 0) {
        frame.back() = static_cast<uint8_t>(frame.back() + 1);
        --corrupt_left_;
    }
    if (!garbage_.empty() && !link_->Send(garbage_.data(), garbage_.size()))
        return false;
    if (split_chunk_ == 0) {
        if (!link_->Send(frame.data(), frame.size()))
            return false;
    } else {
        for (size_t at = 0; at < frame.size(); at += split_chunk_) {
            if (at != 0)
                std::this_thread::sleep_for(split_gap_);
            const size_t n = std::min(split_chunk_, frame.size() - at);
            if (!link_->Send(frame.data() + at, n))
                return false;
        }
    }
    if (record) {
        std::lock_guard<std::mutex> g(lock_);
        sent_.push_back({FromBytes(intended), Clock::now()});
    }
    changed_.notify_all();
    return true;
}

void SimReader::StartStream(uint8_t addr, uint8_t cmd, uint8_t antenna)
{
    std::lock_guard<std::mutex> ctl(stream_ctl_);
    StopStreamLocked();
    StreamConfig config;
    {
        std::lock_guard<std::mutex> g(lock_);
        config = stream_config_;
    }
    stream_stop_ = false;
    stream_sent_ = 0;
    streaming_ = true;
    stream_ = std::thread([=] { StreamLoop(addr, cmd, antenna, config); });
}

void SimReader::StopStream()
{
    std::lock_guard<std::mutex> ctl(stream_ctl_);
    StopStreamLocked();
}

void SimReader::StopStreamLocked()
{
    stream_stop_ = true;
    if (stream_.joinable() && stream_.get_id() != std::this_thread::get_id())
        stream_.join();
}

std::vector<uint8_t> SimReader::StreamEpc(const StreamConfig& config, uint64_t index)
{
    const size_t n = std::clamp<size_t>(config.epc_bytes & ~1u, 4, 32);
    std::vector<uint8_t> epc(n, 0);
    const uint32_t id = static_cast<uint32_t>(index % std::max<uint32_t>(config.population, 1));
    if (n >= 6) {
        epc[0] = 0xE2;
        epc[1] = 0x80;
    }
    for (int k = 0; k < 4; ++k)
        epc[n - 1 - static_cast<size_t>(k)] = static_cast<uint8_t>(id >> (8 * k));
    return epc;
}

void SimReader::StreamLoop(uint8_t addr, uint8_t cmd, uint8_t antenna, StreamConfig config)
{
    const auto period = config.rate > 0
                            ? std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(1.0 / config.rate))
                            : Clock::duration::zero();
    Clock::time_point next = Clock::now();
    uint64_t sent = 0;
    bool link_gone = false;
    while (!stream_stop_ && (config.limit == 0 || sent < config.limit)) {
        if (silent_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            next = Clock::now();
            continue;
        }
        const std::vector<uint8_t> epc = StreamEpc(config, sent);
        std::vector<uint8_t> data;
        data.reserve(epc.size() + 10);
        data.push_back(antenna);
        data.push_back(static_cast<uint8_t>((epc.size() / 2) << 3));  // PC: EPC words
        data.push_back(0x00);
        data.insert(data.end(), epc.begin(), epc.end());
        // Signal bytes (about -21 dBm) and 900000 kHz.
        const uint8_t tail[] = {0x08, 0x0F, 0x42, 0x40, 0x0D, 0xBB, 0xA0};
        data.insert(data.end(), std::begin(tail), std::end(tail));
        if (!Emit(EncodeFrame(addr, cmd, data), false)) {
            link_gone = true;
            break;
        }
        stream_sent_ = ++sent;
        if (period != Clock::duration::zero()) {
            next += period;
            std::this_thread::sleep_until(next);
        }
    }
    // A custom inventory ends with its finished status.
    if (cmd == 0x8A && !stream_stop_ && !link_gone && !silent_)
        Emit(EncodeFrame(addr, cmd, {kCustomDone}), true);
    {
        std::lock_guard<std::mutex> g(lock_);
        streaming_ = false;
    }
    changed_.notify_all();
}

std::vector<TimedFrame> SimReader::Received() const
{
    std::lock_guard<std::mutex> g(lock_);
    return received_;
}

std::vector<TimedFrame> SimReader::Sent() const
{
    std::lock_guard<std::mutex> g(lock_);
    return sent_;
}

std::optional<TimedFrame> SimReader::WaitForCommand(uint8_t cmd, std::chrono::milliseconds timeout,
                                                    size_t nth) const
{
    std::unique_lock<std::mutex> g(lock_);
    std::optional<TimedFrame> hit;
    changed_.wait_for(g, timeout, [&] {
        size_t seen = 0;
        for (const TimedFrame& t : received_) {
            if (t.frame.cmd == cmd && ++seen == nth) {
                hit = t;
                return true;
            }
        }
        return false;
    });
    return hit;
}

size_t SimReader::SkippedBytes() const
{
    std::lock_guard<std::mutex> g(lock_);
    return decoder_.Skipped();
}

void SimReader::ClearRecords()
{
    std::lock_guard<std::mutex> g(lock_);
    received_.clear();
    sent_.clear();
}

void SimReader::SetReply(uint8_t cmd, std::vector<uint8_t> data)
{
    std::lock_guard<std::mutex> g(lock_);
    rules_[cmd].data = std::move(data);
}

void SimReader::SetReplies(uint8_t cmd, std::vector<std::vector<uint8_t>> frames)
{
    std::lock_guard<std::mutex> g(lock_);
    rules_[cmd].series = std::move(frames);
}

void SimReader::SetReplyDelay(uint8_t cmd, std::chrono::milliseconds delay)
{
    std::lock_guard<std::mutex> g(lock_);
    rules_[cmd].delay = delay;
}

void SimReader::WithholdReply(uint8_t cmd, bool withhold)
{
    std::lock_guard<std::mutex> g(lock_);
    rules_[cmd].withhold = withhold;
}

void SimReader::ResetReplies()
{
    std::lock_guard<std::mutex> g(lock_);
    rules_.clear();
}

void SimReader::SetStream(const StreamConfig& config)
{
    std::lock_guard<std::mutex> g(lock_);
    stream_config_ = config;
}

uint64_t SimReader::StreamSent() const
{
    return stream_sent_;
}

bool SimReader::Streaming() const
{
    return streaming_;
}

bool SimReader::WaitStreamEnd(std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> g(lock_);
    return changed_.wait_for(g, timeout, [&] { return !streaming_; });
}

void SimReader::CorruptNextChecks(int frames)
{
    std::lock_guard<std::mutex> g(out_lock_);
    corrupt_left_ = frames;
}

void SimReader::SetGarbageBetweenFrames(std::vector<uint8_t> garbage)
{
    std::lock_guard<std::mutex> g(out_lock_);
    garbage_ = std::move(garbage);
}

void SimReader::SetSplitWrites(size_t chunk, std::chrono::microseconds gap)
{
    std::lock_guard<std::mutex> g(out_lock_);
    split_chunk_ = chunk;
    split_gap_ = gap;
}

void SimReader::SetSilent(bool silent)
{
    silent_ = silent;
}

void SimReader::SendOverlongFrame(uint8_t cmd, uint8_t len)
{
    if (len < 99)
        len = 99;
    std::vector<uint8_t> data(static_cast<size_t>(len) - 3, 0x11);
    Emit(EncodeFrame(Address(), cmd, data), true);
}

void SimReader::SendFrame(uint8_t addr, uint8_t cmd, const std::vector<uint8_t>& data)
{
    Emit(EncodeFrame(addr, cmd, data), true);
}

void SimReader::SendRaw(const std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> out(out_lock_);
    if (link_ != nullptr && !bytes.empty())
        link_->Send(bytes.data(), bytes.size());
}

uint8_t SimReader::Power(int antenna) const
{
    std::lock_guard<std::mutex> g(lock_);
    return antenna >= 1 && antenna <= 8 ? power_[antenna - 1] : 0;
}

uint8_t SimReader::Address() const
{
    std::lock_guard<std::mutex> g(lock_);
    return address_;
}

}  // namespace readersim
