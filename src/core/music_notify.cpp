#include "core/music_notify.h"

namespace qv {

bool MusicRestartsAtItsEnd(const Game& g) {
  return g.text.formActive != -1 && g.battle.battleActive == 1;
}

void mid_pNotify(Game& g, std::string_view music) {
  if (music.empty() || !MusicRestartsAtItsEnd(g)) return;
  if (g.host) g.host->PlayMusic(music);
}

}  // namespace qv
