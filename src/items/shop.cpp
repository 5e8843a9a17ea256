// The shops on the item panel: the offer list, the details of an offer, buying and leaving.
#include "items/shop.h"

#include <string>

#include "core/message.h"
#include "core/state_ops.h"
#include "core/text.h"
#include "items/item_screen.h"
#include "items/panel.h"
#include "items/shop_offers.h"

namespace qv::items {
namespace {

// The artificial set-items of the wandering shop live in this index range.
constexpr int32_t kFirstArtificial = 800;
constexpr int32_t kLastArtificial = 899;

const char* ShopTitle(Shop shop) {
  switch (shop) {
    case Shop::Tool:
      return "ショッピング";
    case Shop::Wandering:
      return "人工屋";
    case Shop::Ship:
      return "ファトマ号市";
  }
  return "";
}

Mode ShopMode(Shop shop) {
  switch (shop) {
    case Shop::Tool:
      return Mode::ToolShop;
    case Shop::Wandering:
      return Mode::WanderingShop;
    case Shop::Ship:
      return Mode::ShipShop;
  }
  return Mode::Other;
}

int32_t OwnedByName(const GameState& s, const char* utf8Name) {
  return s.owned[static_cast<size_t>(FindItemByName(s, Sjis(utf8Name)))];
}

bool OfferOpen(const GameState& s, const Offer& offer, const char* previous) {
  if (offer.afterPrevious && (!previous || OwnedByName(s, previous) < 1)) return false;
  if (offer.clear >= 0 && s.clearCount[static_cast<size_t>(offer.clear)] < 1) return false;
  if (offer.minLevel >= 0 && s.player().level < offer.minLevel) return false;
  if (offer.owns && OwnedByName(s, offer.owns) < 1) return false;
  return true;
}

// Each artificial set-item shows up one visit in five, rolled again at every rebuild.
void AddRandomSetItems(Game& g) {
  for (int32_t i = kFirstArtificial; i <= kLastArtificial; ++i) {
    const ItemDef& item = g.state.items[static_cast<size_t>(i)];
    if (item.name.empty() || item.kind != kKindSetItem) continue;
    if (Random(g, 5) == 0) AddShopLine(g, item.name);
  }
}

// The numbers that count for the player's maxima: a box tells the gain and the new maximum.
struct MaxRaise {
  int32_t kind;
  int32_t Combatant::*field;
  const char* text;
};
constexpr MaxRaise kMaxRaises[] = {
    {kKindMaxHp, &Combatant::maxHp, "最大HPが {gain}上昇!! → {max}"},
    {kKindMaxMp, &Combatant::maxMp, "最大MPが {gain}上昇!! → {max}"},
    {kKindMaxTp, &Combatant::maxTp, "最大TPが {gain}上昇!! → {max}"},
};

void ApplyMaxRaise(Game& g, const ItemDef& item) {
  for (const MaxRaise& raise : kMaxRaises) {
    if (raise.kind != item.kind) continue;
    int32_t& value = g.state.player().*raise.field;
    value += item.amount;
    g.host->MessageBox(Compose(g, raise.text, {Arg("gain", item.amount), Arg("max", value)}));
  }
}

}  // namespace

void OpenShopPanel(Game& g, Shop shop) {
  SetMode(g, ShopMode(shop));
  ShowItemScreen(g);
}

void AddShopLine(Game& g, std::string_view text) {
  const GameState& s = g.state;
  const int32_t i = FindItemByName(s, text);
  const ItemDef& item = s.items[static_cast<size_t>(i)];
  const int32_t owned = s.owned[static_cast<size_t>(i)];
  // The money the player came in with decides, so earning more inside shows nothing new.
  const bool affordable = item.price <= s.moneyOnEntry + 30 || owned > 0;
  const bool forLevel = item.price <= s.player().level * 120 + 200 || owned > 0;
  const bool available = item.unique < 1 || owned < 1;
  if (!affordable || !forLevel || !available) return;
  std::string prefix = "   ";
  if (owned >= 1 && owned <= 9) prefix = " " + std::to_string(owned) + " ";
  if (owned >= 10) prefix = std::to_string(owned) + " ";
  g.form[W::item_list].lines.push_back(prefix + std::string(text));
}

void ListShopOffers(Game& g, Shop shop) {
  g.form[W::l_btn10].visible = true;
  g.form[W::item_l2].caption = Sjis(ShopTitle(shop));
  const char* previous = nullptr;
  for (const Offer& offer : OffersOf(shop)) {
    if (offer.randomSetItems) {
      AddRandomSetItems(g);
      continue;
    }
    // A chain looks at the entry before it in the list, whether or not that one was shown.
    if (OfferOpen(g.state, offer, previous)) AddShopLine(g, Sjis(offer.text));
    previous = offer.text;
  }
}

void ShowShopDetails(Game& g, int32_t entry) {
  std::string& details = g.form[W::item_l].caption;
  if (entry == 0) {
    details.clear();
    g.world.selectedEntry = -1;
    return;
  }
  const GameState& s = g.state;
  const ItemDef& item = s.items[static_cast<size_t>(entry)];
  g.form[W::gold_l].caption = Compose(g, "所持金: {money}円", {Arg("money", s.money)});
  MessageBuilder text;
  text.Add("{name}\r(所持: {owned}個)\r\r",
           {Term("name", item.name), Arg("owned", s.owned[static_cast<size_t>(entry)])});
  // Earrings and pendants add nothing a number could show.
  if (item.kind >= kKindWeapon && item.kind <= kKindArm) AddStatLines(text, item);
  text.Add("\r\r{description}\r\r値段: {price}円",
           {Term("description", item.description), Arg("price", item.price)});
  details = text.Done(g);
}

void BuySelected(Game& g) {
  GameState& s = g.state;
  const int32_t i = g.world.selectedEntry;
  if (i < 0 || i >= kPerId || s.items[static_cast<size_t>(i)].name.empty()) return;
  const ItemDef& item = s.items[static_cast<size_t>(i)];
  if (s.money < item.price) {
    g.host->PlayWave(0, "no.wav");
    return;
  }
  g.host->PlayWave(0, "buy.wav");
  s.money -= item.price;
  s.owned[static_cast<size_t>(i)] += 1;
  s.bought[static_cast<size_t>(i)] += 1;
  ApplyMaxRaise(g, item);
  // The list is drawn again, so chains and the wandering shop's set-items change at once.
  RebuildKeepingLine(g);
}

void CloseShop(Game& g, Shop shop) {
  // Leaving the wandering shop or the ship sends both away until the next victory.
  if (shop != Shop::Tool) {
    g.world.merchantGone = 1;
    g.world.shipGone = 1;
  }
  g.steps->ShowMap(g);
}

}  // namespace qv::items
