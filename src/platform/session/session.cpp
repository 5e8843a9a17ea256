#include "platform/session/session.h"

#include "flow/startup.h"

namespace qv::session {

std::unique_ptr<Session> CreateSession(Host& host, const Paths& paths, uint32_t seed) {
  auto session = std::make_unique<Session>();
  session->game = MakeGame(&host, &session->screen, paths);
  session->game->seed = seed;
  return session;
}

std::unique_ptr<Session> StartSession(Host& host, const Paths& paths, uint32_t seed) {
  std::unique_ptr<Session> session = CreateSession(host, paths, seed);
  FormCreate(*session->game);
  return session;
}

void EndSession(Session& session) {
  Game& g = *session.game;
  if (g.text.formActive == -1) return;
  FormClose(g);
  FormDestroy(g);
}

}  // namespace qv::session
