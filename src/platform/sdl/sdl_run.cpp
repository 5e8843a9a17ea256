#include "platform/sdl/sdl_run.h"

#include <optional>
#include <string>

#include "core/text.h"
#include "flow/startup.h"

namespace qv::sdl {
namespace {

// The language asked for cannot be shown: the box says so, the terminal line has said why.
void TellCatalogProblem(Host& host, const std::string& problem) {
  if (problem.empty()) return;
  const std::optional<std::string> why = Utf8ToCp932(problem);
  host.ProblemBox(Sjis("翻訳ファイルを使えないため、日本語で遊びます。") + "\r" +
                  (why ? *why : Sjis("詳しくは端末の表示を見てください。")));
}

}  // namespace

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
  const session::Start start = session::StartGame(*run, host);
  // Kept even when the game cannot start: that is a report's terminal lines too.
  play.Settle(*run, err);
  switch (start) {
    case session::Start::kPlaying:
      TellCatalogProblem(host, desktop.catalogProblem);
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
