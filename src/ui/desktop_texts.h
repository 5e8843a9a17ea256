#pragma once
// Our own desktop messages, not the game's: what the desktop keys report in the corner notice
// and the question before the window closes with unsaved progress. UTF-8, all in this one
// place so that an edition in another language changes only this file.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::ui::desktop_text {

inline std::string Muted(bool muted) {
  return muted ? "音を消しました。（Ctrl+M で戻ります）" : "音を戻しました。";
}

inline std::string Volume(int32_t effects, int32_t music) {
  return "音量　効果音 " + std::to_string(effects) + "　音楽 " + std::to_string(music);
}

inline std::string ScreenshotSaved(std::string_view where) {
  return "スクリーンショットを保存しました：" + std::string(where);
}

inline constexpr std::string_view kScreenshotFailed = "スクリーンショットを保存できませんでした。";

// Asked when the player closes the window and the state differs from the last save.
inline constexpr std::string_view kQuitQuestion =
    "前回の宿屋からの進行は保存されていません。終了しますか？";

}  // namespace qv::ui::desktop_text
