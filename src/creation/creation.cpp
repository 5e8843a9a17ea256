#include "creation/creation.h"

#include <string>

#include "core/text.h"

namespace qv::creation {

void SetPlayerPicture(Game& g) {}

void RefreshCreationSummary(Game& g) {
  static const char* const kParams[] = {"攻撃力", "防御力", "最大HP", "最大MP", "命中率", "回避率"};
  static const char* const kTypes[] = {"お金持ち", "冒険者", "臆病者", "反社会社", "賢者", "狂人"};
  const int32_t p = g.state.bonusParam;
  const int32_t t = g.state.personality;
  std::string caption = Sjis("上昇ﾊﾟﾗﾒｰﾀｰ:【");
  if (p >= 0 && p < 6) caption += Sjis(kParams[p]);
  caption += Sjis("】 タイプ:≪");
  if (t >= 0 && t < 6) caption += Sjis(kTypes[t]);
  caption += Sjis("≫");
  g.form[W::bp_l].caption = std::move(caption);
}

}  // namespace qv::creation
