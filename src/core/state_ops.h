#pragma once
// Small rules over the state that many parts of the game share.
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace qv {

// The player's totals: base values plus what the equipped items add.
int32_t TotalAttack(const GameState& s);
int32_t TotalDefense(const GameState& s);
int32_t TotalHit(const GameState& s);
int32_t TotalEvade(const GameState& s);
int32_t TotalCrit(const GameState& s);
int32_t TotalGuard(const GameState& s);

// The last ItemDef index whose name equals the CP932 name; 0 when none.
int32_t FindItemByName(const GameState& s, std::string_view name);

// The last set frame (0..19) holding the set-item of that CP932 name, or -1.
int32_t HasEquipped(const GameState& s, std::string_view name);

// The ItemDef of an index read from anywhere (a save, a slot): "なし" when out of range.
const ItemDef& ItemAt(const GameState& s, int32_t index);

// Clears every status of both sides and the battle flags, then heals the player fully.
void ResetBattleState(Game& g);

}  // namespace qv
