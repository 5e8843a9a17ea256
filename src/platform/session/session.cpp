#include "platform/session/session.h"

#include <system_error>

#include "core/text.h"
#include "core/text_lines.h"
#include "flow/make_game.h"
#include "flow/startup.h"

namespace qv::session {

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
  // Without locks (a read-only folder, a file system that has none) the game still plays and
  // saves: no two writers can share a temporary file.
  if (session.saveFolder.state() == files::FolderLock::State::kBusy) {
    if (!asker.Confirm(Sjis("このセーブデータは別のqvで使用中です\r"
                            "セーブせずに遊びますか？（「いいえ」で終了します）"))) {
      asker.CloseWindow();
      return Start::kQuit;
    }
    g.saveFolderBusy = true;
  }
  if (!FormCreate(g)) return Start::kCannotStart;
  if (g.saveFolderBusy)
    AddTextLine(g, Sjis("セーブデータは別のqvで使用中のため、このqvではセーブしません"));
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
