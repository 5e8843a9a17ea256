#include "platform/settings.h"

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "core/text.h"
#include "files/file_io.h"

namespace qv::platform {
namespace {

// A file's name in a message is shown whole, however deep its folder.
constexpr size_t kLongestPath = 4096;

enum class Kind { Scale, Bool, Volume, Path, Language };

struct Key {
  std::string_view name;
  Kind kind;
  std::string_view comment;
};

// Every setting with the comment a new file explains it with.
constexpr Key kKeys[] = {
    {"scale", Kind::Scale,
     "Window scale: the 640x480 picture is shown this many times larger (1..16).\n"
     "0 picks the largest that fits the desktop. The game writes back the last scale."},
    {"fullscreen", Kind::Bool, "Start in fullscreen (yes/no). F11 or Alt+Enter switches."},
    {"effects_volume", Kind::Volume, "Volume of the sound effects, 0..100."},
    {"music_volume", Kind::Volume,
     "Volume of the music, 0..100. Ctrl+Up and Ctrl+Down change both volumes."},
    {"mute", Kind::Bool, "Start with the sound off (yes/no). Ctrl+M switches."},
    {"soundfont", Kind::Path,
     "General MIDI soundfont (.sf2) for the MIDI tune; empty: the system's default."},
    {"mixer_settings", Kind::Path,
     "The sound mixer's MIXER.INI; empty: beside the program, then in this folder."},
    {"confirm_quit", Kind::Bool,
     "Ask before closing the window when there is progress since the last save (yes/no)."},
    {"language", Kind::Language,
     "The language of the game's texts: ja (the game's own Japanese), en (English),\n"
     "or any other whose catalog is installed (see qv --help)."},
};

const Key* FindKey(std::string_view name) {
  for (const Key& k : kKeys) {
    if (k.name == name) return &k;
  }
  return nullptr;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool ParseInt(std::string_view s, int32_t lo, int32_t hi, int32_t& out) {
  int32_t n = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
  if (ec != std::errc() || ptr != s.data() + s.size() || s.empty() || n < lo || n > hi) {
    return false;
  }
  out = n;
  return true;
}

bool ParseBool(std::string_view s, bool& out) {
  const std::string v = Lower(s);
  if (v == "yes" || v == "true" || v == "on" || v == "1") {
    out = true;
  } else if (v == "no" || v == "false" || v == "off" || v == "0") {
    out = false;
  } else {
    return false;
  }
  return true;
}

bool* BoolField(Settings& s, std::string_view key) {
  if (key == "confirm_quit") return &s.confirmQuit;
  return key == "fullscreen" ? &s.fullscreen : &s.mute;
}

int32_t* IntField(Settings& s, std::string_view key) {
  if (key == "scale") return &s.scale;
  return key == "music_volume" ? &s.musicVolume : &s.effectsVolume;
}

std::string* PathField(Settings& s, std::string_view key) {
  return key == "soundfont" ? &s.soundFont : &s.mixerSettings;
}

// Applies one value; an empty string when it was good, else why not.
std::string Apply(Settings& s, const Key& key, std::string_view value) {
  switch (key.kind) {
    case Kind::Scale:
      return ParseInt(value, 0, kMaxSettingsScale, *IntField(s, key.name))
                 ? ""
                 : "is not a whole number in 0..16";
    case Kind::Volume:
      return ParseInt(value, 0, kMaxVolume, *IntField(s, key.name))
                 ? ""
                 : "is not a whole number in 0..100";
    case Kind::Bool:
      return ParseBool(value, *BoolField(s, key.name)) ? "" : "is not yes or no";
    case Kind::Language:
      if (!IsLanguageCode(value)) return "is not a language code (ja, en, ...)";
      s.language = std::string(value);
      return "";
    case Kind::Path:
      // Quotes are allowed around a path with spaces at its ends.
      if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
      }
      *PathField(s, key.name) = std::string(value);
      return "";
  }
  return "";
}

// A settings file is a few hundred bytes; anything near this is not one.
constexpr size_t kMaxSettingsBytes = size_t{1} << 20;

// Editors on other systems start a UTF-8 file with a byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (text.substr(0, kMark.size()) == kMark) text.remove_prefix(kMark.size());
  return text;
}

Status ReadProblem(const std::filesystem::path& file, const Status& read) {
  return Failure("cannot read " + Printable(file.string(), kLongestPath) + " (" + read.message() +
                 ")");
}

// Writes beside the file and renames (a link is followed), so that a full disk never leaves
// half a settings file and two copies of the game never write into one temporary file. A file
// of nothing but the defaults is not synced to the disk: lost, it is only written again.
Status WriteWhole(const std::filesystem::path& file, const std::string& text, bool durable = true) {
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  files::FileIo io;
  files::WriteOptions options;
  options.durable = durable;
  const Status written = files::WriteFileAtomically(io, file, text, options);
  if (written.ok()) return {};
  return Failure("cannot write " + Printable(file.string(), kLongestPath) + " (" +
                 written.message() + ")");
}

}  // namespace

bool IsLanguageCode(std::string_view s) {
  if (s.empty() || s.size() > 32) return false;
  for (char c : s) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '_' || c == '-' || c == '@' || c == '.';
    if (!ok) return false;
  }
  return s.front() != '.';
}

std::string Printable(std::string_view value, size_t longest) {
  const size_t whole = value.size();
  if (whole > longest) {
    // Cut between characters, not inside one.
    size_t cut = longest;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    value = value.substr(0, cut);
  }
  const bool utf8 = IsUtf8(value);
  std::string out;
  bool escapeNext = false;
  for (size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    // The C1 controls U+0080..U+009F are control codes to a terminal too.
    const bool c1 = utf8 && c == 0xC2 && i + 1 < value.size() &&
                    static_cast<unsigned char>(value[i + 1]) <= 0x9F;
    if (escapeNext || c1 || c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
    escapeNext = c1;
  }
  if (whole > value.size()) out += "... (" + std::to_string(whole) + " bytes)";
  return out;
}

Settings ParseSettings(std::string_view text, const std::string& fileName,
                       std::vector<std::string>& messages) {
  Settings s;
  const Settings defaults;
  int32_t lineNo = 0;
  text = WithoutByteOrderMark(text);
  const std::string shownName = Printable(fileName, kLongestPath);
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNo;
    if (line.empty() || line.front() == '#' || line.front() == ';' || line.front() == '[') {
      continue;  // comments, and a section header some editors like to add
    }
    const std::string where = shownName + ":" + std::to_string(lineNo) + ": ";
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      messages.push_back(where + "'" + Printable(line) + "' is not 'key = value'; ignored");
      continue;
    }
    const std::string name = Lower(Trim(line.substr(0, eq)));
    const std::string_view value = Trim(line.substr(eq + 1));
    const Key* key = FindKey(name);
    if (!key) {
      messages.push_back(where + "unknown key '" + Printable(name) + "'; ignored");
      continue;
    }
    if (const std::string why = Apply(s, *key, value); !why.empty()) {
      const std::string fallback = SettingText(defaults, key->name);
      Apply(s, *key, fallback);  // a bad value never leaves an earlier line's value behind
      messages.push_back(where + name + ": '" + Printable(value) + "' " + why + "; using " +
                         Printable(fallback));
    }
  }
  return s;
}

std::string DefaultSettingsText() {
  const Settings defaults;
  std::string text =
      "# qv settings. Options on the command line win over these (see qv --help).\n"
      "# Lines are 'key = value'; lines starting with # are comments.\n";
  for (const Key& k : kKeys) {
    text += "\n";
    std::string_view comment = k.comment;
    while (!comment.empty()) {
      const size_t nl = comment.find('\n');
      text += "# " + std::string(comment.substr(0, nl)) + "\n";
      comment = nl == std::string_view::npos ? std::string_view() : comment.substr(nl + 1);
    }
    text += std::string(k.name) + " = " + SettingText(defaults, k.name) + "\n";
  }
  return text;
}

Settings LoadSettings(const std::filesystem::path& file, std::vector<std::string>& messages) {
  if (file.empty()) return {};
  const Result<std::string> text = files::ReadFile(file, kMaxSettingsBytes);
  if (text.code() == ENOENT) {
    if (const Status written = WriteWhole(file, DefaultSettingsText(), false); !written.ok()) {
      messages.push_back(written.message() + "; using the default settings");
    }
    return {};
  }
  if (!text.ok()) {
    messages.push_back(ReadProblem(file, text.status()).message() + "; using the default settings");
    return {};
  }
  return ParseSettings(*text, file.string(), messages);
}

std::string SettingText(const Settings& s, std::string_view key) {
  Settings copy = s;
  const Key* k = FindKey(key);
  if (!k) return "";
  switch (k->kind) {
    case Kind::Scale:
    case Kind::Volume:
      return std::to_string(*IntField(copy, key));
    case Kind::Bool:
      return *BoolField(copy, key) ? "yes" : "no";
    case Kind::Path:
      return *PathField(copy, key);
    case Kind::Language:
      return copy.language;
  }
  return "";
}

Status StoreSettings(const std::filesystem::path& file, const Settings& s,
                     std::span<const std::string_view> keys) {
  const Result<std::string> read = files::ReadFile(file, kMaxSettingsBytes);
  if (!read.ok() && read.code() != ENOENT) return ReadProblem(file, read.status());
  const std::string text = read.ok() ? *read : DefaultSettingsText();
  std::vector<bool> written(keys.size(), false);
  std::string out;
  std::string_view rest = text;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string_view raw =
        rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::string_view line = Trim(WithoutByteOrderMark(raw.substr(0, raw.find('\n'))));
    const size_t eq = line.find('=');
    bool replaced = false;
    if (eq != std::string_view::npos && line.front() != '#' && line.front() != ';') {
      const std::string name = Lower(Trim(line.substr(0, eq)));
      for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != name) continue;
        out += std::string(keys[i]) + " = " + SettingText(s, keys[i]) + "\n";
        written[i] = true;
        replaced = true;
        break;
      }
    }
    if (!replaced) out += raw;
  }
  if (!out.empty() && out.back() != '\n') out += "\n";
  for (size_t i = 0; i < keys.size(); ++i) {
    if (!written[i] && FindKey(keys[i])) {
      out += std::string(keys[i]) + " = " + SettingText(s, keys[i]) + "\n";
    }
  }
  // The file already says all of it: nothing to write.
  if (read.ok() && out == text) return {};
  return WriteWhole(file, out);
}

}  // namespace qv::platform
