#include "platform/session/replay_coding.h"

namespace qv::session {
namespace {

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

bool Printable(unsigned char c) {
  return c > 0x20 && c < 0x7F && c != '%';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 2]);
    out += kBase64[(v >> 18) & 63];
    out += kBase64[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64[(v >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kBase64[v & 63] : '=';
  }
  return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::string out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    uint32_t v = 0;
    int pad = 0;
    for (size_t k = 0; k < 4; ++k) {
      const char c = text[i + k];
      if (c == '=') {
        // Padding only at the very end, and never more than two.
        if (i + 4 != text.size() || k < 2) return std::nullopt;
        ++pad;
        v <<= 6;
        continue;
      }
      if (pad > 0) return std::nullopt;
      const size_t d = kBase64.find(c);
      if (d == std::string_view::npos) return std::nullopt;
      v = (v << 6) | static_cast<uint32_t>(d);
    }
    out += static_cast<char>((v >> 16) & 0xFF);
    if (pad < 2) out += static_cast<char>((v >> 8) & 0xFF);
    if (pad < 1) out += static_cast<char>(v & 0xFF);
  }
  return out;
}

bool ParseHash(std::string_view word, uint64_t& out) {
  if (word.size() != 16) return false;
  out = 0;
  for (char c : word) {
    const int d = HexDigit(c);
    if (d < 0 || (c >= 'A' && c <= 'F')) return false;
    out = (out << 4) | static_cast<uint64_t>(d);
  }
  return true;
}

std::string HashToText(uint64_t hash) {
  constexpr char kHex[] = "0123456789abcdef";
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) out[static_cast<size_t>(i)] = kHex[hash & 15];
  return out;
}

std::string EscapeBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  constexpr char kHex[] = "0123456789ABCDEF";
  for (char ch : bytes) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (Printable(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::optional<std::string> UnescapeBytes(std::string_view word) {
  std::string out;
  out.reserve(word.size());
  for (size_t i = 0; i < word.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(word[i]);
    if (c == '%') {
      if (i + 2 >= word.size()) return std::nullopt;
      const int hi = HexDigit(word[i + 1]);
      const int lo = HexDigit(word[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    } else if (Printable(c)) {
      out += word[i];
    } else {
      return std::nullopt;
    }
  }
  return out;
}

}  // namespace qv::session
