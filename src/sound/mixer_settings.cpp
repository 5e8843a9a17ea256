#include "sound/mixer_settings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <limits>

#include "files/file_io.h"

namespace qv::sound {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view s) {
  auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

}  // namespace

void ProfileFile::AddText(std::string_view text) {
  // Editors on other systems start a UTF-8 file with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<Entry> added;
  std::string section;
  while (!text.empty()) {
    std::size_t eol = text.find('\n');
    std::string_view line = Trim(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');
      section =
          Lower(Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
      continue;
    }
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    std::string key = Lower(Trim(line.substr(0, eq)));
    if (key.empty()) continue;
    // Within one file the first of two equal keys counts, as with the profile functions.
    bool seen = std::any_of(added.begin(), added.end(),
                            [&](const Entry& e) { return e.section == section && e.key == key; });
    if (!seen) added.push_back({section, key, std::string(Trim(line.substr(eq + 1)))});
  }
  // Newer files are searched first.
  entries_.insert(entries_.begin(), added.begin(), added.end());
}

Status ProfileFile::AddFile(const std::filesystem::path& file) {
  const Result<std::string> text = files::ReadFile(file, kMaxSettingsBytes);
  if (text.code() == ENOENT) return {};  // the file is optional
  if (!text.ok()) return Failure(file.string() + ": " + text.message() + "; not used");
  AddText(*text);
  return {};
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
  std::string s = Lower(section), k = Lower(key);
  for (const Entry& e : entries_) {
    if (e.section == s && e.key == k) return e.value;
  }
  return std::nullopt;
}

int32_t ProfileFile::GetInt(std::string_view section, std::string_view key,
                            int32_t fallback) const {
  std::optional<std::string> v = Get(section, key);
  if (!v) return fallback;
  std::string_view s = *v;
  bool negative = !s.empty() && s.front() == '-';
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
  if (s.empty() || !std::isdigit(static_cast<unsigned char>(s.front()))) return fallback;
  int64_t n = 0;
  for (char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    n = std::min<int64_t>(n * 10 + (c - '0'), int64_t(std::numeric_limits<int32_t>::max()) + 1);
  }
  if (negative) n = -n;
  return int32_t(std::clamp<int64_t>(n, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

MixerSettings ReadMixerSettings(const ProfileFile& ini, std::string_view deviceName,
                                int32_t deviceCount) {
  MixerSettings s;
  s.debug = ini.GetInt("general", "debug", 0);
  s.waveOutDevice = ini.GetInt("general", "WaveOutDevice", 0);
  if (s.waveOutDevice < 0 || s.waveOutDevice >= deviceCount) s.waveOutDevice = -1;

  // The device's own section falls back on the "default" section, which falls back on ours.
  int32_t remix = ini.GetInt("default", "Remix", 1);
  int32_t goodPos = ini.GetInt("default", "GoodWavePos", 0);
  int32_t blocks = ini.GetInt("default", "WaveBlocks", 3);
  int32_t blockLen = ini.GetInt("default", "WaveBlockLen", 0) & ~3;
  int32_t rate = ini.GetInt("default", "SamplesPerSec", 11);

  s.remix = ini.GetInt(deviceName, "Remix", remix);
  s.goodWavePos = ini.GetInt(deviceName, "GoodWavePos", goodPos);
  s.waveBlocks = std::clamp(ini.GetInt(deviceName, "WaveBlocks", blocks), 2, 6);
  switch (ini.GetInt(deviceName, "SamplesPerSec", rate)) {
    case 22:
      s.samplesPerSec = 22050;
      break;
    case 44:
      s.samplesPerSec = 44100;
      break;
    default:
      s.samplesPerSec = 11025;
      break;
  }
  int32_t len = ini.GetInt(deviceName, "WaveBlockLen", blockLen);
  if (len == 0) len = s.samplesPerSec / 11025 * 2048;
  // Blocks are whole multiples of 4 bytes so a block never splits a 16-bit stereo frame.
  s.waveBlockLen = std::clamp(len, 512, 4096) & ~3;
  s.notCompatible = ini.GetInt("not compatible", deviceName, 0) != 0;
  return s;
}

}  // namespace qv::sound
