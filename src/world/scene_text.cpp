#include "world/scene_text.h"

#include <string_view>

#include "core/message.h"
#include "core/text.h"
#include "world/story_text.h"

namespace qv::world {
namespace {

// When the story book lacks a scene, the scene still opens with its first line, so it can be
// played through. "{name}" stands for the player's name.
struct ChapterOpening {
  int32_t id;
  const char* line;
};
constexpr ChapterOpening kChapterOpenings[] = {
    {30, "走り出した馬よ、駈け出した狼よ"},
    {31, "自分の運命を呪ってはいまいか？"},
    {32, "{name}...."},
    {33, "この島の創造主について、私が語るべきか否か、私は迷っていた"},
    {34, "カーレオ、聞こえるか、カーレオ"},
    {35, "ファトマめ、また何かを始めたな"},
    {36, "なんと不都合な世界"},
    {37, "君が誰なのか、ようやく分かった"},
    {38, "おい……!!"},
};

struct SceneOpening {
  int32_t code;
  Visit visit;
  const char* dialogue;
  std::array<const char*, 3> victory;  // unused lines are null
};
constexpr SceneOpening kSceneOpenings[] = {
    {2, Visit::First, "山男「オレの名は、ヤマオ。", {}},
    {2, Visit::Return, "山男「おまえか、{name}....", {}},
    {3, Visit::First, "奥博士「ん？　君は？", {}},
    {3, Visit::Return, "奥博士「やあ、久しぶりだね{name}....", {}},
    {4, Visit::First, "小さい女の子が湖の上に立っている....", {}},
    {4, Visit::Return, "小さい女の子が湖の上に立っている....", {}},
    {5, Visit::First, "背の高い青年が立っている....", {}},
    {5, Visit::Return, "背の高い青年が立っている....", {}},
    {6, Visit::First, "マジカル「....この魔力は....", {}},
    {6, Visit::Return, "マジカル「よく戻ってきましたね", {}},
    {7, Visit::First, "緑「こんな所に人が来るとはな", {}},
    {7, Visit::Return, "緑「グヘヘヘヘヘヘヘヘヘヘヘヘ", {}},
    {8, Visit::Only, "毒蛾博士「ギョヘヘヘヘヘ！！！", {}},
    {9, Visit::Only, "ボウケンロボット「ワタシハ、ボウケンロボット", {}},
    {10, Visit::Only, "暗黒剣士ヨイヤミ「闇……闇……闇……", {}},
    // The ship's captain tells the player to come back: her shop opens on every later visit.
    {11,
     Visit::Only,
     "ファトマ「汝、私が見えるのか？",
     {"汝の心、しかと見た", "貴君を冒険者と認めよう！！",
      "再び、この船を見かけたら寄っていきなさい。"}},
    {12, Visit::Only, "島「{name}よ....", {}},
    {13, Visit::Only, "天界からの使者「{name}よ....、よくぞ星士として覚醒した", {}},
    {14, Visit::Only, "時数露不「グガァァァァァァァァ……！！！！！", {}},
    {15, Visit::Only, "汐見カナメ「……諸行無常……", {}},
    {16, Visit::Only, "ｎｏｅｌ「……悲しみに終わりなんてない……", {}},
    {17, Visit::Only, "緑「……待ってたぜ……", {}},
    {18, Visit::Only, "山男「……山よ……！！！", {}},
    {19, Visit::Only, "光「{name}、やっと来たか", {}},
};

// A UTF-8 line in CP932 with the player's name (already CP932) in place of "{name}".
std::string Fill(std::string_view utf8, const std::string& name) {
  constexpr std::string_view kName = "{name}";
  std::string out;
  size_t from = 0;
  while (from <= utf8.size()) {
    const size_t at = utf8.find(kName, from);
    const std::string_view piece =
        utf8.substr(from, at == std::string_view::npos ? utf8.npos : at - from);
    out += Utf8ToCp932(piece).value_or("");
    if (at == std::string_view::npos) break;
    out += name;
    from = at + kName.size();
  }
  return out;
}

// The lines of a story section that hold the player's name are remembered with their
// template, so the frame can show them in another language. They are queued now and may wait a
// whole battle to be shown, so they are kept apart from the texts composed meanwhile.
void RememberNamedLines(Game& g, const std::string& key) {
  if (!g.text.composed.enabled) return;
  const auto found = TheStory().sections.find(key);
  if (found == TheStory().sections.end()) return;
  const std::string& name = g.state.player().name;
  for (const StoryLine& line : found->second) {
    if (line.pieces.size() < 2) continue;
    std::string templ, filled;
    for (size_t i = 0; i < line.pieces.size(); ++i) {
      if (i > 0) {
        templ += "{name}";
        filled += name;
      }
      templ += Cp932ToUtf8(line.pieces[i]);
      filled += line.pieces[i];
    }
    g.text.composed.RememberLasting(filled, {{{templ, {Arg("name", name)}}}});
  }
}

// The same for a scene's own first line, used when the story book lacks the scene.
std::string FillRemembered(Game& g, const char* utf8Line) {
  const std::string& name = g.state.player().name;
  std::string filled = Fill(utf8Line, name);
  if (g.text.composed.enabled &&
      std::string_view(utf8Line).find("{name}") != std::string_view::npos)
    g.text.composed.RememberLasting(filled, {{{utf8Line, {Arg("name", name)}}}});
  return filled;
}

const SceneOpening* FindScene(int32_t code, Visit visit) {
  for (const SceneOpening& s : kSceneOpenings) {
    if (s.code == code && s.visit == visit) return &s;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> OpeningLines(Game& g) {
  RememberNamedLines(g, "opening");
  return StoryOpening(g.state.player().name);
}

std::vector<std::string> ChapterLines(Game& g, int32_t id) {
  const std::string& name = g.state.player().name;
  std::vector<std::string> lines = StoryChapter(id, name);
  RememberNamedLines(g, "chapter " + std::to_string(id));
  if (!lines.empty()) return lines;
  for (const ChapterOpening& c : kChapterOpenings) {
    // Every chapter ends on a line holding a single space.
    if (c.id == id) return {FillRemembered(g, c.line), " "};
  }
  return {};
}

std::vector<std::string> EncounterDialogue(Game& g, int32_t code, Visit visit) {
  std::vector<std::string> lines = StoryDialogue(code, visit, g.state.player().name);
  RememberNamedLines(g, SceneKey(code, visit, false));
  if (!lines.empty()) return lines;
  const SceneOpening* s = FindScene(code, visit);
  if (!s) return {};
  return {FillRemembered(g, s->dialogue)};
}

std::vector<std::string> EncounterVictory(Game& g, int32_t code, Visit visit) {
  std::vector<std::string> lines = StoryVictory(code, visit, g.state.player().name);
  RememberNamedLines(g, SceneKey(code, visit, true));
  if (!lines.empty()) return lines;
  if (const SceneOpening* s = FindScene(code, visit)) {
    for (const char* line : s->victory) {
      if (line) lines.push_back(FillRemembered(g, line));
    }
  }
  return lines;
}

void QueueLines(std::array<std::string, kQueuedLines>& queue,
                const std::vector<std::string>& lines) {
  for (size_t i = 0; i < queue.size(); ++i) {
    // An empty entry would end the scene early; a blank line is shown as a single space.
    if (i < lines.size()) {
      queue[i] = lines[i].empty() ? std::string(" ") : lines[i];
    } else {
      queue[i].clear();
    }
  }
}

}  // namespace qv::world
