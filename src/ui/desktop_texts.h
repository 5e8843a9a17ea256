#pragma once
// Our own desktop messages, not the game's: what the desktop keys report in the corner notice
// and the question before the window closes with unsaved progress. UTF-8, all in this one
// place; each comes in the player's language from the catalog, its {key} places filled.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "ui/catalog.h"

namespace qv::ui::desktop_text {

// A text of ours (a UTF-8 literal) in the catalog's language, with its places filled.
inline std::string InLanguage(
    const Catalog& language, const char* utf8Template,
    std::initializer_list<std::pair<std::string_view, std::string>> args = {}) {
  const char* found = language.Find(utf8Template);
  std::string text = found ? found : utf8Template;
  for (const auto& [key, value] : args) {
    const std::string place = "{" + std::string(key) + "}";
    for (size_t at = text.find(place); at != std::string::npos;
         at = text.find(place, at + value.size()))
      text.replace(at, place.size(), value);
  }
  return text;
}

inline std::string Muted(const Catalog& language, bool muted) {
  return muted ? InLanguage(language, "音を消しました。（Ctrl+M で戻ります）")
               : InLanguage(language, "音を戻しました。");
}

inline std::string Volume(const Catalog& language, int32_t effects, int32_t music) {
  return InLanguage(language, "音量　効果音 {effects}　音楽 {music}",
                    {{"effects", std::to_string(effects)}, {"music", std::to_string(music)}});
}

inline std::string ScreenshotSaved(const Catalog& language, std::string_view where) {
  return InLanguage(language, "スクリーンショットを保存しました：{file}",
                    {{"file", std::string(where)}});
}

inline std::string ScreenshotFailed(const Catalog& language) {
  return InLanguage(language, "スクリーンショットを保存できませんでした。");
}

// Over the red screen after a defeat: what the next click does.
inline std::string AfterDefeat(const Catalog& language) {
  return InLanguage(language,
                    "クリックするとタイトルに戻ります。\n最後にセーブしたところから続けられます。");
}

// The window's title.
inline std::string WindowTitle(const Catalog& language) {
  return InLanguage(language, "Q.V. ～ミラフォルテ～ ver1.7");
}

// Asked when the player closes the window and the state differs from the last save (shown in
// the game's message box, which speaks the player's language itself).
inline constexpr std::string_view kQuitQuestion =
    "前回の宿屋からの進行は保存されていません。終了しますか？";

}  // namespace qv::ui::desktop_text
