#include "platform/sdl/sdl_run.h"

#include "flow/startup.h"

namespace qv::sdl {

int RunWindowed(const WindowOptions& options, const Paths& paths,
                const std::filesystem::path& programDir, uint32_t seed, std::ostream& err,
                const DesktopSetup& desktop, const PlayOptions& playOptions) {
  SdlHost host;
  if (const Status opened = host.Open(options); !opened.ok()) {
    err << "qv: " << opened.message() << "\n"
        << "qv: a display is needed; to play without one, use --headless --script FILE\n";
    return kExitNoWindow;
  }
  host.SetDesktop(desktop);
  host.SetNotes(err);
  host.OpenAudio(AudioOptions{paths.datDir, programDir, desktop.settings.soundFont});
  WindowedPlay play(host, playOptions);
  int code = 0;
  if (!play.Prepare(paths, seed, err, code)) return code;
  std::unique_ptr<session::Session> run =
      session::CreateSession(play.GameHost(), play.GamePaths(), play.Seed(), desktop.catalog);
  host.Attach(*run);
  play.Attach(*run);
  switch (session::StartGame(*run, host)) {
    case session::Start::kPlaying:
      break;
    case session::Start::kQuit:
      return session::kExitOk;
    case session::Start::kCannotStart:
      return session::kExitBadInput;
  }
  host.Run();
  host.StoreDesktopSettings(err);
  return play.Finish(err);
}

}  // namespace qv::sdl
