#include "platform/sdl/sdl_run.h"

#include "core/startup.h"

namespace qv::sdl {

int RunWindowed(const WindowOptions& options, const Paths& paths,
                const std::filesystem::path& programDir, uint32_t seed, std::ostream& err,
                const DesktopSetup& desktop) {
  SdlHost host;
  std::string error;
  if (!host.Open(options, error)) {
    err << "qv: " << error << "\n"
        << "qv: a display is needed; to play without one, use --headless --script FILE\n";
    return kExitNoWindow;
  }
  host.SetDesktop(desktop);
  host.OpenAudio(AudioOptions{paths.datDir, programDir, desktop.settings.soundFont});
  std::unique_ptr<headless::Session> session = headless::CreateSession(host, paths, seed);
  host.Attach(*session);
  FormCreate(*session->game);
  host.Run();
  host.StoreDesktopSettings(err);
  return 0;
}

}  // namespace qv::sdl
