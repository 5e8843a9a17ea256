#include "platform/session/replay_snapshot.h"

#include <csignal>
#include <fstream>

#include "gfx/picture_file.h"

namespace qv::session {
namespace {

volatile std::sig_atomic_t gPictureRequested = 0;
volatile std::sig_atomic_t gDumpRequested = 0;

extern "C" void OnSnapshotSignal(int signal) {
  if (signal == SIGUSR1) {
    gPictureRequested = 1;
  } else {
    gDumpRequested = 1;
  }
}

Status Publish(const std::filesystem::path& aside, const std::filesystem::path& final) {
  std::error_code ec;
  std::filesystem::rename(aside, final, ec);
  if (ec) return Failure("cannot write " + final.string() + ": " + ec.message());
  return {};
}

}  // namespace

void ListenForSnapshotRequests() {
  struct sigaction action {};
  action.sa_handler = OnSnapshotSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGUSR1, &action, nullptr);
  sigaction(SIGUSR2, &action, nullptr);
}

SnapshotRequest TakeSnapshotRequest() {
  if (gPictureRequested) {
    gPictureRequested = 0;
    return SnapshotRequest::Picture;
  }
  if (gDumpRequested) {
    gDumpRequested = 0;
    return SnapshotRequest::Dump;
  }
  return SnapshotRequest::None;
}

Status WriteSnapshotFiles(const std::filesystem::path& dir, std::string_view name,
                          const gfx::Bitmap* picture, const std::string& dump) {
  const std::string stem(name);
  if (picture) {
    const std::filesystem::path shot = dir / ("shot-" + stem + ".png");
    const std::filesystem::path shotAside = dir / ("shot-" + stem + ".png.part");
    if (Status written = gfx::WritePng(*picture, shotAside); !written.ok()) return written;
    if (Status published = Publish(shotAside, shot); !published.ok()) return published;
  }
  const std::filesystem::path dumpFile = dir / ("dump-" + stem + ".txt");
  const std::filesystem::path dumpAside = dir / ("dump-" + stem + ".txt.part");
  {
    std::ofstream out(dumpAside, std::ios::binary | std::ios::trunc);
    out << dump;
    out.close();
    if (!out) return Failure("cannot write " + dumpAside.string());
  }
  return Publish(dumpAside, dumpFile);
}

}  // namespace qv::session
