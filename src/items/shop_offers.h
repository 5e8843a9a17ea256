#pragma once
// What each shop offers, in list order, with the condition of each entry. Only src/items uses
// this header.
#include <cstdint>
#include <span>

#include "items/shop.h"

namespace qv::items {

// One entry of an offer list: a heading (a text that names no item) or an item name, UTF-8.
struct Offer {
  const char* text = nullptr;
  bool afterPrevious = false;   // only once the entry just before it in the list is owned
  int32_t clear = -1;           // only once the place of that number has been won
  int32_t minLevel = -1;        // only from this player level
  const char* owns = nullptr;   // only while this item is owned
  bool randomSetItems = false;  // the artificial set-items, each one in five, drawn anew
};

std::span<const Offer> OffersOf(Shop shop);

}  // namespace qv::items
