#include "wxcrafter/page_support/tag_id_set.h"

#include <cstring>
#include <functional>
#include <string_view>

namespace {

const size_t kFirstSlots = 1024;

size_t hash_of(const uint8_t* id, uint8_t len)
{
    return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(id), len));
}

}  // namespace

size_t tag_id_set::slot_of(const uint8_t* id, uint8_t len) const
{
    const size_t mask = slots.size() - 1;
    for (size_t s = hash_of(id, len) & mask;; s = (s + 1) & mask) {
        if (slots[s] == 0)
            return s;
        const uint8_t* member = &bytes[slots[s] - 1];
        if (member[0] == len && std::memcmp(member + 1, id, len) == 0)
            return s;
    }
}

bool tag_id_set::contains(const uint8_t* id, uint8_t len) const
{
    return !slots.empty() && slots[slot_of(id, len)] != 0;
}

bool tag_id_set::insert(const uint8_t* id, uint8_t len)
{
    // At most half the slots in use keeps the probes short.
    if ((count + 1) * 2 > slots.size())
        grow();
    const size_t s = slot_of(id, len);
    if (slots[s] != 0)
        return false;
    slots[s] = static_cast<uint32_t>(bytes.size() + 1);
    bytes.push_back(len);
    bytes.insert(bytes.end(), id, id + len);
    ++count;
    return true;
}

void tag_id_set::grow()
{
    std::vector<uint32_t> old(slots.empty() ? kFirstSlots : slots.size() * 2, 0);
    old.swap(slots);
    for (uint32_t at : old) {
        if (at == 0)
            continue;
        const uint8_t* member = &bytes[at - 1];
        slots[slot_of(member + 1, member[0])] = at;
    }
}

void tag_id_set::clear()
{
    std::vector<uint8_t>().swap(bytes);
    std::vector<uint32_t>().swap(slots);
    count = 0;
}
