#pragma once
// Making a game: the context object every host, tool and test plays on.
#include <memory>

#include "core/game.h"

namespace qv {

// A fresh game on the heap (the state is large); the form built, every number zero, the step
// machine in place.
std::unique_ptr<Game> MakeGame(Host* host, Presenter* presenter, Paths paths);

}  // namespace qv
