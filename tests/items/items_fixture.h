#pragma once
// A game between battles with the master tables filled and the map up, and helpers that read
// the item panel the way a player sees it.
#include <algorithm>
#include <string>
#include <vector>

#include "core/master_data.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "items/panel_actions.h"
#include "items/shop.h"
#include "support/fake_host.h"
#include "support/hero.h"
#include "world/map.h"

namespace qv::testing {

struct ItemsGame {
  TestGame t;
  Game& g;

  ItemsGame() : g(t.g()) {
    PlayWithHero(g, {.stomps = false});
    // Chapters seen already, so showing the map tells no story.
    for (int k = 30; k <= 38; ++k) g.state.eventFlags[static_cast<size_t>(k)] = 1;
    world::ShowMapScreen(g);
  }

  int32_t Item(const char* utf8) const { return FindItemByName(g.state, Sjis(utf8)); }
  int32_t& Owned(const char* utf8) { return g.state.owned[static_cast<size_t>(Item(utf8))]; }

  void Open(const char* modeUtf8) {
    g.form[W::l_btn10].caption = Sjis(modeUtf8);
    items::ShowItemScreen(g);
  }
  // A shop as its door leaves it: the money on entry taken, then the panel.
  void OpenShop(items::Shop shop) {
    g.state.moneyOnEntry = g.state.money;
    items::OpenShopPanel(g, shop);
  }

  const std::vector<std::string>& Lines() const { return g.form[W::item_list].lines; }
  // The list line that names the item or heading after its prefix, or -1.
  int LineOf(const char* utf8) const {
    const std::string& name = Sjis(utf8);
    for (size_t i = 0; i < Lines().size(); ++i) {
      const std::string& l = Lines()[i];
      if (!l.ends_with(name)) continue;
      // Every prefix the panel writes ends in a space or in the worn mark.
      const std::string prefix = l.substr(0, l.size() - name.size());
      if (prefix.empty() || prefix.back() == ' ' || prefix == Sjis(" ＞"))
        return static_cast<int>(i);
    }
    return -1;
  }
  bool Lists(const char* utf8) const { return LineOf(utf8) >= 0; }
  std::string LineText(const char* utf8) const {
    const int i = LineOf(utf8);
    return i < 0 ? std::string("<missing>") : Cp932ToUtf8(Lines()[static_cast<size_t>(i)]);
  }
  // Every line as UTF-8, prefixes and all.
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (const std::string& l : Lines()) out.push_back(Cp932ToUtf8(l));
    return out;
  }

  // The player clicks a line (press and release both refresh the details).
  void Select(const char* utf8) { SelectRow(LineOf(utf8)); }
  void SelectRow(int row) {
    g.form[W::item_list].itemIndex = row;
    item_listMouseDown(g);
    item_listMouseDown(g);
  }
  void Act() { l_btn10MouseDown(g, 5, 5, false); }
  void Switch() { l_btn11MouseDown(g, 5, 5, false); }
  void Close() { l_btn9MouseDown(g, 5, 5, false); }

  std::string Details() const { return Cp932ToUtf8(g.form[W::item_l].caption); }
  std::string Caption(W id) const { return Cp932ToUtf8(g.form[id].caption); }
  bool Played(const std::string& wave) const {
    return std::find(t.host.waves.begin(), t.host.waves.end(), "0:" + wave) != t.host.waves.end();
  }
  int Plays(const std::string& wave) const {
    return static_cast<int>(std::count(t.host.waves.begin(), t.host.waves.end(), "0:" + wave));
  }
};

}  // namespace qv::testing
