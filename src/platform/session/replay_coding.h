#pragma once
// How a recording writes bytes as plain ASCII: %XX escapes for game text, base64 for the save
// the game started from, and hashes as hex digits. The decoders are strict: a recording is
// untrusted, and anything they would have to guess at is refused.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::session {

// Bytes as one word of printable ASCII: anything else, and '%', as %XX.
std::string EscapeBytes(std::string_view bytes);
// The reverse; nullopt for a malformed escape or a byte that should have been escaped.
std::optional<std::string> UnescapeBytes(std::string_view word);

// Standard base64 with padding.
std::string Base64Encode(std::string_view bytes);
// nullopt for a length that is not a multiple of four, a stray character or misplaced '='.
std::optional<std::string> Base64Decode(std::string_view text);

// A hash as the file writes it: 16 lowercase hex digits.
std::string HashToText(uint64_t hash);
// The reverse; false for anything but 16 lowercase hex digits.
bool ParseHash(std::string_view word, uint64_t& out);

}  // namespace qv::session
