#include "sdk_package/link_outbox.h"

bool LinkOutbox::push(const uint8_t* bytes, size_t count)
{
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!open_ || items_.size() >= capacity_)
            return false;
        items_.emplace_back(bytes, bytes + count);
    }
    if (wake_)
        wake_();
    return true;
}

std::vector<LinkOutbox::Write> LinkOutbox::take()
{
    // An empty vector costs no allocation: the worker asks every few
    // milliseconds.
    std::vector<Write> out;
    std::lock_guard<std::mutex> hold(lock_);
    out.swap(items_);
    return out;
}

void LinkOutbox::open()
{
    std::lock_guard<std::mutex> hold(lock_);
    open_ = true;
}

void LinkOutbox::close()
{
    std::lock_guard<std::mutex> hold(lock_);
    open_ = false;
    items_.clear();
}

