#include "ui/picture_problems.h"

#include <cstdio>
#include <optional>

#include "core/message.h"
#include "core/text.h"

namespace qv::ui {
namespace {

// A box names this many files; the terminal has them all.
constexpr size_t kNamedInTheBox = 6;

}  // namespace

void PictureProblems::Note(const std::filesystem::path& file, const std::string& error) {
  if (told_.insert(file.string()).second) pending_.push_back(error);
}

void PictureProblems::Tell(Game& g, const char* consequence) {
  if (pending_.empty()) return;
  MessageBuilder box;
  box.Add("画像ファイルを読めません。");
  // A path the box cannot show is on the terminal line.
  bool showable = true;
  for (size_t i = 0; i < pending_.size(); ++i) {
    std::fprintf(stderr, "qv: %s\n", pending_[i].c_str());
    if (i < kNamedInTheBox) {
      const std::optional<std::string> named = Utf8ToCp932(pending_[i]);
      showable = showable && named.has_value();
      if (named) box.Add("\r{file}", {Arg("file", *named)});
    } else if (i == kNamedInTheBox) {
      box.Add("\rほか {n} 個", {Arg("n", static_cast<int32_t>(pending_.size() - kNamedInTheBox))});
    }
  }
  pending_.clear();
  if (consequence != nullptr) {
    std::fprintf(stderr, "qv: %s\n", consequence);
    box.Add("\r").Add(consequence);
  }
  if (g.host == nullptr) return;
  const std::string text = box.Done(g);
  g.host->ProblemBox(
      showable ? text : Sjis("画像ファイルを読めません。詳しくは端末の表示を見てください。"));
}

}  // namespace qv::ui
