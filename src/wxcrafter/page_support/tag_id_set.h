// A set of tag identities (EPC bytes, at most 255) that stays small when
// it holds a great many: the members' bytes lie end to end in one block,
// each after its length byte, and an open-addressed table of offsets finds
// them. A 12-byte EPC costs about 21 bytes. No window is involved. GUI
// thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class tag_id_set {
public:
    // Adds `len` bytes at `id`; false when they were there already.
    bool insert(const uint8_t* id, uint8_t len);
    bool contains(const uint8_t* id, uint8_t len) const;
    size_t size() const { return count; }
    // Empty, and the memory given back.
    void clear();

private:
    // The slot that holds `id`, or the empty one where it would go. The
    // table is never full.
    size_t slot_of(const uint8_t* id, uint8_t len) const;
    void grow();

    std::vector<uint8_t> bytes;   // length byte, then the id, for each member
    std::vector<uint32_t> slots;  // offset into `bytes` + 1; 0 is empty
    size_t count = 0;
};
