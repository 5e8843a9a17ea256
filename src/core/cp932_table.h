#pragma once
// The CP932 table of builds whose C library cannot convert CP932 (the browser's): made when
// the game is built from glibc's "CP932", so it converts exactly as the desktop game does.
#include <cstddef>
#include <cstdint>

namespace qv::cp932 {

// The code point of each single byte; 0xFFFF where the byte starts a pair or is no character.
extern const uint16_t kSingle[256];
// The bytes that start pairs, ascending; kPairs holds 256 code points (0xFFFF: none) for each.
extern const uint8_t kLeads[];
extern const size_t kLeadCount;
extern const uint16_t kPairs[];
// Code point and CP932 code (one byte, or lead << 8 | trail) of every character with a form,
// by code point.
extern const uint16_t kEncode[];
extern const size_t kEncodeCount;

}  // namespace qv::cp932
