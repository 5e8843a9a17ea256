#pragma once
// The eighteen story places of the island: who waits at each, when a place lets the player
// in, and what it answers when it does not.
#include <array>
#include <cstdint>
#include <span>

#include "core/form.h"
#include "world/conditions.h"
#include "world/scene_text.h"

namespace qv::world {

enum class Trait : uint8_t { None, A, B };

// One enemy of a place with its picture; a value of 0 is one the place leaves unwritten.
struct EnemyVariant {
  int32_t code;
  Visit visit;
  const char* name;  // UTF-8 literal
  int32_t element, maxHp, maxMp, attack, defense, hitRate, evadeRate, guardRate, critRate;
  std::array<int32_t, 5> skills;
  int32_t money;  // base of the money reward
  int32_t mpRegenKind;
  Trait trait;
  const char* picture;  // background of cg/
};

// What a place says when it does not let the player in.
enum class Answer : uint8_t {
  Line,      // one text line, the map stays
  Nothing,   // not a word
  ShipShop,  // the ship, once won, is a shop
};

struct Refusal {
  Terms when;  // any of these
  Answer answer;
  const char* line;  // UTF-8 literal for Answer::Line
};

struct Place {
  W widget;
  int32_t code;  // locationId
  bool hasReturn;
  Terms returnNeeds;                // all of these
  std::array<Refusal, 2> refusals;  // tried in order after the return fight
};

std::span<const Place> Places();
std::span<const EnemyVariant> Variants();

// The place of a location code 2..19, or null.
const Place* PlaceAt(int32_t code);
// The enemy of a place's visit, or null.
const EnemyVariant* VariantOf(int32_t code, Visit visit);

}  // namespace qv::world
