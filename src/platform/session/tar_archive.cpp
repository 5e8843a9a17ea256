#include "platform/session/tar_archive.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace qv::session {
namespace {

constexpr size_t kBlock = 512;

// `value` in octal, `width - 1` digits and a NUL, as ustar's numeric fields are written.
void PutOctal(std::array<char, kBlock>& h, size_t at, size_t width, uint64_t value) {
  for (size_t i = width - 1; i-- > 0;) {
    h[at + i] = static_cast<char>('0' + (value & 7));
    value >>= 3;
  }
  h[at + width - 1] = '\0';
}

void PutText(std::array<char, kBlock>& h, size_t at, size_t width, std::string_view text) {
  std::copy_n(text.begin(), std::min(text.size(), width), h.begin() + static_cast<long>(at));
}

std::string Header(std::string_view name, char type, uint64_t size, int64_t mtime) {
  std::array<char, kBlock> h{};
  PutText(h, 0, 100, name);
  PutOctal(h, 100, 8, type == '5' ? 0755 : 0644);
  PutOctal(h, 108, 8, 0);  // uid
  PutOctal(h, 116, 8, 0);  // gid
  PutOctal(h, 124, 12, size);
  PutOctal(h, 136, 12, static_cast<uint64_t>(std::max<int64_t>(mtime, 0)));
  h[156] = type;
  PutText(h, 257, 6, std::string_view("ustar\0", 6));
  PutText(h, 263, 2, "00");
  // The check sum is taken with its own field as spaces.
  std::fill_n(h.begin() + 148, 8, ' ');
  uint32_t sum = 0;
  for (char c : h) sum += static_cast<unsigned char>(c);
  PutOctal(h, 148, 7, sum);
  h[155] = ' ';
  return std::string(h.begin(), h.end());
}

}  // namespace

std::string MakeTar(std::string_view folder, const std::vector<TarFile>& files, int64_t mtime) {
  const std::string dir = std::string(folder) + "/";
  std::string out = Header(dir, '5', 0, mtime);
  for (const TarFile& f : files) {
    out += Header(dir + f.name, '0', f.bytes.size(), mtime);
    out += f.bytes;
    out.append((kBlock - f.bytes.size() % kBlock) % kBlock, '\0');
  }
  out.append(2 * kBlock, '\0');
  return out;
}

}  // namespace qv::session
