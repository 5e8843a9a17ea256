#include "core/music_notify.h"

namespace qv {

void mid_pNotify(Game& g, std::string_view music) {
  if (music.empty() || g.text.formActive == -1 || g.battle.battleActive != 1) return;
  if (g.host) g.host->PlayMusic(music);
}

}  // namespace qv
