// Writes the game's CP932 table for builds whose C library has no CP932 conversion (the
// browser's): every character glibc's "CP932" decodes and encodes, taken from glibc itself, so
// the table converts exactly as the desktop game does.
// Usage: cp932_table OUT.cpp
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "to_cp932.h"

namespace {

using textgen::Convert;

// The one code point of a UTF-8 text, or nullopt when it holds another count.
std::optional<uint32_t> OneCodePoint(const std::string& utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto b = [&](size_t i) {
    return static_cast<uint32_t>(static_cast<unsigned char>(utf8[i]));
  };
  size_t len = b(0) < 0x80 ? 1 : (b(0) & 0xE0) == 0xC0 ? 2 : (b(0) & 0xF0) == 0xE0 ? 3 : 4;
  if (utf8.size() != len) return std::nullopt;
  if (len == 1) return b(0);
  uint32_t cp = b(0) & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) cp = (cp << 6) | (b(i) & 0x3F);
  return cp;
}

std::string Utf8Of(uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += char(cp);
  } else if (cp < 0x800) {
    s += char(0xC0 | (cp >> 6)), s += char(0x80 | (cp & 0x3F));
  } else {
    s += char(0xE0 | (cp >> 12)), s += char(0x80 | ((cp >> 6) & 0x3F)),
        s += char(0x80 | (cp & 0x3F));
  }
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: cp932_table OUT.cpp\n";
    return 2;
  }
  // Single bytes: the code point, or 0xFFFF when the byte is no character by itself.
  std::vector<uint32_t> single(256, 0xFFFF);
  for (uint32_t b = 0; b < 256; ++b) {
    if (auto u = Convert("UTF-8", "CP932", std::string(1, char(b)))) {
      if (auto cp = OneCodePoint(*u)) single[b] = *cp;
    }
  }
  // Pairs: 256 trail bytes for every byte that is no character alone.
  std::vector<uint32_t> leads;
  std::vector<uint32_t> pairs;
  for (uint32_t lead = 0; lead < 256; ++lead) {
    if (single[lead] != 0xFFFF) continue;
    std::vector<uint32_t> row(256, 0xFFFF);
    bool any = false;
    for (uint32_t trail = 0; trail < 256; ++trail) {
      std::string two{char(lead), char(trail)};
      if (auto u = Convert("UTF-8", "CP932", two)) {
        if (auto cp = OneCodePoint(*u)) {
          row[trail] = *cp;
          any = true;
        }
      }
    }
    if (!any) continue;
    leads.push_back(lead);
    pairs.insert(pairs.end(), row.begin(), row.end());
  }
  // Every character of the Basic Multilingual Plane that has a CP932 form (CP932 has none
  // beyond it), in code point order.
  std::vector<std::pair<uint32_t, uint32_t>> encode;
  for (uint32_t cp = 0; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string in = cp == 0 ? std::string(1, '\0') : Utf8Of(cp);
    if (auto out = Convert("CP932", "UTF-8", in)) {
      uint32_t code = 0;
      if (out->size() == 1)
        code = static_cast<unsigned char>((*out)[0]);
      else if (out->size() == 2)
        code = (uint32_t(static_cast<unsigned char>((*out)[0])) << 8) |
               static_cast<unsigned char>((*out)[1]);
      else
        continue;
      encode.emplace_back(cp, code);
    }
  }
  if (encode.size() < 7000 || leads.empty()) {
    std::cerr << "cp932_table: the C library's CP932 conversion looks incomplete\n";
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << "// Made by tools/textgen/cp932_table.cpp from glibc's CP932 conversion. Do not edit.\n"
         "#include \"core/cp932_table.h\"\n\nnamespace qv::cp932 {\n\n";
  const auto list = [&](const char* decl, const std::vector<uint32_t>& v) {
    out << decl << " = {";
    for (size_t i = 0; i < v.size(); ++i) out << (i % 16 == 0 ? "\n  " : " ") << v[i] << ",";
    out << "\n};\n\n";
  };
  list("const uint16_t kSingle[256]", single);
  out << "const uint8_t kLeads[" << leads.size() << "] = {";
  for (uint32_t l : leads) out << l << ",";
  out << "};\nconst size_t kLeadCount = " << leads.size() << ";\n\n";
  list(("const uint16_t kPairs[" + std::to_string(pairs.size()) + "]").c_str(), pairs);
  std::vector<uint32_t> flat;
  for (auto [cp, code] : encode) flat.push_back(cp), flat.push_back(code);
  list(("const uint16_t kEncode[" + std::to_string(flat.size()) + "]").c_str(), flat);
  out << "const size_t kEncodeCount = " << encode.size() << ";\n\n}  // namespace qv::cp932\n";
  if (!out) {
    std::cerr << "cp932_table: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
