#include "ui/picture_problems.h"

#include <cstdio>
#include <optional>

#include "core/text.h"

namespace qv::ui {
namespace {

// A box names this many files; the terminal has them all.
constexpr size_t kNamedInTheBox = 6;

}  // namespace

void PictureProblems::Note(const std::filesystem::path& file, const std::string& error) {
  if (told_.insert(file.string()).second) pending_.push_back(error);
}

void PictureProblems::Tell(Game& g, const std::string& consequence) {
  if (pending_.empty()) return;
  std::string box = "画像ファイルを読めません。";
  for (size_t i = 0; i < pending_.size(); ++i) {
    std::fprintf(stderr, "qv: %s\n", pending_[i].c_str());
    if (i < kNamedInTheBox) {
      box += "\r" + pending_[i];
    } else if (i == kNamedInTheBox) {
      box += "\rほか " + std::to_string(pending_.size() - kNamedInTheBox) + " 個";
    }
  }
  pending_.clear();
  if (!consequence.empty()) {
    std::fprintf(stderr, "qv: %s\n", consequence.c_str());
    box += "\r" + consequence;
  }
  if (g.host == nullptr) return;
  // A path the box cannot show is on the terminal line.
  const std::optional<std::string> text = Utf8ToCp932(box);
  g.host->ProblemBox(text ? *text
                          : Sjis("画像ファイルを読めません。詳しくは端末の表示を見てください。"));
}

}  // namespace qv::ui
