#pragma once
// A plain POSIX tar archive (ustar) of a few files in one folder, made in memory: what a bug
// report is packed in, so that `tar xf` opens it anywhere without a library of ours.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::session {

struct TarFile {
  std::string name;  // inside the archive's folder; ASCII, short
  std::string bytes;
};

// The archive: the folder `folder`, then each file in it (mode 0644, owned by nobody in
// particular, dated `mtime`), then the end. Names longer than ustar allows are cut.
std::string MakeTar(std::string_view folder, const std::vector<TarFile>& files, int64_t mtime);

}  // namespace qv::session
