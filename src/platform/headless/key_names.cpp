#include "platform/headless/key_names.h"

#include <cctype>
#include <string>

namespace qv::headless {
namespace {

struct NamedKey {
  std::string_view name;
  int32_t code;
};

constexpr NamedKey kNamedKeys[] = {
    {"enter", 13},  {"return", 13}, {"escape", 27}, {"esc", 27},      {"backspace", 8},
    {"tab", 9},     {"space", 32},  {"pageup", 33}, {"pagedown", 34}, {"end", 35},
    {"home", 36},   {"left", 37},   {"up", 38},     {"right", 39},    {"down", 40},
    {"insert", 45}, {"delete", 46}, {"shift", 16},  {"ctrl", 17},     {"alt", 18},
};

constexpr int32_t kVkF1 = 112;
constexpr int32_t kFunctionKeys = 12;

}  // namespace

std::optional<int32_t> VirtualKeyFromName(std::string_view name) {
  if (name.empty() || name.size() > 16) return std::nullopt;
  std::string lower;
  for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower.size() == 1) {
    const char c = lower[0];
    if (c >= 'a' && c <= 'z') return 'A' + (c - 'a');  // letter keys are the capitals' codes
    if (c >= '0' && c <= '9') return c;
    return std::nullopt;
  }
  for (const NamedKey& k : kNamedKeys) {
    if (k.name == lower) return k.code;
  }
  if (lower[0] == 'f') {
    int n = 0;
    for (size_t i = 1; i < lower.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(lower[i]))) return std::nullopt;
      n = n * 10 + (lower[i] - '0');
      if (n > kFunctionKeys) return std::nullopt;
    }
    if (n >= 1) return kVkF1 + n - 1;
  }
  return std::nullopt;
}

std::string_view KeyNameList() {
  return "enter, escape, backspace, tab, space, up, down, left, right, pageup, pagedown, home, "
         "end, insert, delete, shift, ctrl, alt, f1..f12, a..z, 0..9";
}

}  // namespace qv::headless
