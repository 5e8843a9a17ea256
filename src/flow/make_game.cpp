#include "flow/make_game.h"

#include <utility>

#include "flow/step_machine.h"

namespace qv {

std::unique_ptr<Game> MakeGame(Host* host, Presenter* presenter, Paths paths) {
  auto g = std::make_unique<Game>();
  g->host = host;
  if (presenter) g->presenter = presenter;
  g->steps = &GameSteps();
  g->paths = std::move(paths);
  InitForm(g->form);
  return g;
}

}  // namespace qv
