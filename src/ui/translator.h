#pragma once
// The texts of the game as the player reads them. In Japanese a text is its own CP932 bytes
// turned into UTF-8 for the font engine. In another language a text is looked up in the
// catalog: a composed text through its template and parameters (the player's name is never
// translated), a list row through its name's short form, a name the catalog lacks written in
// Latin letters when it is katakana. What the catalog lacks is noted for the checks.
#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/message.h"
#include "gfx/canvas.h"
#include "ui/catalog.h"
#include "ui/text_cache.h"

namespace qv {
struct Game;
}

namespace qv::ui {

class Translator {
 public:
  explicit Translator(TextCache& text) : text_(text) {}

  void SetCatalog(Catalog catalog);
  const Catalog& GetCatalog() const { return catalog_; }
  bool Active() const { return catalog_.Active(); }

  // A text of the game (CP932) as the player reads it (UTF-8).
  const std::string& Shown(const Game& g, std::string_view cp932);
  // A row of a list ("   " + name, " 2 " + name, "Lv 5 " + name): the mark or count kept, the
  // name in the short form of the list columns.
  const std::string& Row(const Game& g, std::string_view cp932);
  // A text the frame composes itself from a template of ours (a UTF-8 literal).
  std::string Format(const Game& g, const char* utf8Template,
                     std::initializer_list<MessageArg> args);
  // A text that counts `n` (UTF-8 msgid and msgid_plural) in the form the player's language
  // gives that number; without a catalog entry, msgid for 1 and msgidPlural otherwise.
  std::string TranslatePlural(const char* msgid, const char* msgidPlural, int32_t n) const;
  // A fixed text of the frame's own (a UTF-8 literal) in the player's language.
  const char* Own(const char* utf8Literal) const;

  // A text laid out in lines of at most `width` pixels of the canvas's font, broken between
  // words, every line after the first indented by `indent` (UTF-8). Kept for the next frame.
  const std::vector<std::string>& Wrapped(gfx::Canvas& c, const std::string& utf8, int32_t width,
                                          std::string_view indent = {});

  // The texts shown since the last call that the catalog did not have (UTF-8).
  std::vector<std::string> TakeMisses();
  // The texts laid out since the last call that held a word wider than a whole line, which
  // Wrapped had to cut between its letters.
  std::vector<std::string> TakeCutTexts();

 private:
  std::string Render(const Game& g, const Message& m, int depth);
  std::string Translate(const Game& g, std::string_view cp932, int depth);
  // The translated template of a piece: its plural form when an argument counts.
  const char* Template(const std::string& templ, const std::vector<MessageArg>& args) const;

  TextCache& text_;
  Catalog catalog_;
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> shown_;
  std::unordered_map<std::string, std::string, Hash, std::equal_to<>> rows_;
  std::unordered_map<std::string, std::vector<std::string>, Hash, std::equal_to<>> wrapped_;
  std::set<std::string> misses_;
  std::set<std::string> cut_;
};

// Katakana (full or half width) in Latin letters ("シオカゼ" -> "Shiokaze"); empty when the
// text holds anything else. For the random names of the free area the catalog cannot know.
std::string RomanizeKatakana(std::string_view utf8);

}  // namespace qv::ui
