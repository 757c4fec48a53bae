// Reading the tag-storage page's hexadecimal boxes into the numbers and
// byte strings the reader commands carry. Nothing here needs a window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The value of the leading hex digits of `text`. False, with `value`
// untouched, when the text starts with no hex digit or the digits do not
// fit in 32 bits.
bool leading_hex32(const std::string& text, uint32_t& value);

// Cuts `text` into bytes, two characters at a time, into dest[0] onwards,
// and stops when `size` bytes are written; a last single character is
// dropped. A pair is read as its leading hex digits (0 when it has none).
// Returns the number of bytes written; the rest of `dest` is left as it is.
size_t hex_pairs(const std::string& text, uint8_t* dest, size_t size);

// The whole 16-bit words (four hex digits each) that the leading hex
// digits of `text` make up; digits short of a word do not count.
size_t hex_words(const std::string& text);

// The EPC of the select box ("E2 00 11 22", the inventory pages' form) for
// the access match: the bytes from dest[1] on, at most `size` - 1 of them,
// and dest[0] the number stored minus one. Blanks split the text; every two
// other characters make one byte. Returns the number of bytes stored; 0,
// with `dest` untouched, when the text holds no complete byte.
size_t epc_select_bytes(const std::string& text, uint8_t* dest, size_t size);
