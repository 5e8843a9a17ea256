#include "platform/session/session.h"

#include <optional>
#include <string>
#include <system_error>

#include "core/message.h"
#include "core/text.h"
#include "core/text_lines.h"
#include "files/file_io.h"
#include "flow/make_game.h"
#include "flow/startup.h"

namespace qv::session {
namespace {

// Why the save folder's lock could not be taken, for the question (CP932): qv.lock and the
// system's words with their meaning.
std::string LockProblem(const files::FolderLock& lock) {
  const std::string what = files::ErrorTextJa(lock.error());
  const std::optional<std::string> shown = Utf8ToCp932(what);
  return std::string(files::kLockFileName) + ": " + shown.value_or(std::to_string(lock.error()));
}

}  // namespace

std::unique_ptr<Session> CreateSession(Host& host, const Paths& paths, uint32_t seed,
                                       const ui::Catalog& catalog) {
  auto session = std::make_unique<Session>();
  session->screen.SetCatalog(catalog);
  session->game = MakeGame(&host, &session->screen, paths);
  session->game->seed = seed;
  session->game->text.composed.enabled = catalog.Active();
  return session;
}

Start StartGame(Session& session, Host& asker) {
  Game& g = *session.game;
  std::error_code ec;
  std::filesystem::create_directories(g.paths.saveDir, ec);
  session.saveFolder = files::FolderLock(g.paths.saveDir);
  const files::FolderLock& lock = session.saveFolder;
  if (lock.state() != files::FolderLock::State::kHeld) {
    // Without the lock this copy cannot know it is the only writer: it saves nothing, or quits.
    const std::string why = lock.state() == files::FolderLock::State::kBusy
                                ? Sjis("このセーブデータは別のqvで使用中です")
                                : Compose(g, "セーブフォルダをロックできません（{cause}）",
                                          {Arg("cause", LockProblem(lock))});
    if (!asker.Confirm(why + "\r" + Sjis("セーブせずに遊びますか？（「いいえ」で終了します）"))) {
      asker.CloseWindow();
      return Start::kQuit;
    }
    g.saveFolderBusy = true;
  }
  g.saveLock = &lock;
  if (!FormCreate(g)) return Start::kCannotStart;
  if (g.saveFolderBusy) {
    AddTextLine(g, lock.state() == files::FolderLock::State::kBusy
                       ? Sjis("セーブデータは別のqvで使用中のため、このqvではセーブしません")
                       : Sjis("セーブフォルダをロックできないため、このqvではセーブしません"));
  }
  return Start::kPlaying;
}

std::unique_ptr<Session> StartSession(Host& host, const Paths& paths, uint32_t seed,
                                      const ui::Catalog& catalog) {
  std::unique_ptr<Session> session = CreateSession(host, paths, seed, catalog);
  StartGame(*session, host);
  return session;
}

void EndSession(Session& session) {
  Game& g = *session.game;
  if (g.text.formActive == -1) return;
  FormClose(g);
  FormDestroy(g);
}

}  // namespace qv::session
