#include "core/message.h"

#include "core/game.h"
#include "core/text.h"

namespace qv {
namespace {

// Enough for everything one screen shows at once (lines, captions, a message box); older
// entries go in one sweep when the table reaches twice as many.
constexpr size_t kKeptTexts = 256;

bool IsKeyChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

const MessageArg* FindArg(const MessageArg* begin, const MessageArg* end, std::string_view key) {
  for (const MessageArg* a = begin; a != end; ++a)
    if (a->key == key) return a;
  return nullptr;
}

// Walks the CP932 bytes a character at a time, so a trail byte is never read as a brace.
std::string FillRange(std::string_view cp932, const MessageArg* begin, const MessageArg* end) {
  std::string out;
  out.reserve(cp932.size() + 16);
  for (size_t i = 0; i < cp932.size();) {
    if (cp932[i] == '{') {
      size_t k = i + 1;
      while (k < cp932.size() && IsKeyChar(cp932[k])) ++k;
      if (k < cp932.size() && cp932[k] == '}' && k > i + 1) {
        if (const MessageArg* a = FindArg(begin, end, cp932.substr(i + 1, k - i - 1))) {
          out += a->value;
          i = k + 1;
          continue;
        }
      }
    }
    const size_t n = Cp932CharLength(cp932, i);
    out.append(cp932, i, n);
    i += n;
  }
  return out;
}

// Our templates are written the way the game shows them (potgen insists), so the literal is
// also the catalog's msgid.
MessagePiece PieceOf(const char* utf8Template, std::initializer_list<MessageArg> args) {
  return {utf8Template, std::vector<MessageArg>(args)};
}

}  // namespace

MessageArg Arg(std::string_view key, std::string_view cp932) {
  return {std::string(key), std::string(cp932), ArgKind::AsIs};
}

MessageArg Arg(std::string_view key, int32_t n) {
  return {std::string(key), std::to_string(n), ArgKind::AsIs};
}

MessageArg Count(std::string_view key, int32_t n) {
  return {std::string(key), std::to_string(n), ArgKind::Count};
}

MessageArg Term(std::string_view key, std::string_view cp932) {
  return {std::string(key), std::string(cp932), ArgKind::Term};
}

MessageArg Who(const Game& g, std::string_view key, int32_t side) {
  const std::string& name = g.state.combatants[static_cast<size_t>(side == 0 ? 0 : 1)].name;
  return side == 0 ? Arg(key, name) : Term(key, name);
}

void ComposedTexts::Remember(const std::string& cp932, Message message) {
  if (!enabled) return;
  ++stamp_;
  auto it = entries_.find(std::string_view(cp932));
  if (it != entries_.end()) {
    it->second = {std::move(message), stamp_};
    return;
  }
  if (entries_.size() >= 2 * kKeptTexts) {
    const uint64_t oldest = stamp_ - kKeptTexts;
    std::erase_if(entries_, [oldest](const auto& e) { return e.second.stamp < oldest; });
  }
  entries_.emplace(cp932, Entry{std::move(message), stamp_});
}

void ComposedTexts::RememberLasting(const std::string& cp932, Message message) {
  if (enabled) lasting_.insert_or_assign(cp932, std::move(message));
}

const Message* ComposedTexts::Find(std::string_view cp932) const {
  if (auto it = entries_.find(cp932); it != entries_.end()) return &it->second.message;
  if (auto it = lasting_.find(cp932); it != lasting_.end()) return &it->second;
  return nullptr;
}

std::string Fill(const char* utf8Template, std::initializer_list<MessageArg> args) {
  return FillRange(Sjis(utf8Template), args.begin(), args.end());
}

std::string FillCp932(std::string_view cp932Template, const std::vector<MessageArg>& args) {
  return FillRange(cp932Template, args.data(), args.data() + args.size());
}

std::string Compose(Game& g, const char* utf8Template, std::initializer_list<MessageArg> args) {
  std::string text = Fill(utf8Template, args);
  if (g.text.composed.enabled) g.text.composed.Remember(text, {{PieceOf(utf8Template, args)}});
  return text;
}

MessageBuilder& MessageBuilder::Add(const char* utf8Template,
                                    std::initializer_list<MessageArg> args) {
  text_ += Fill(utf8Template, args);
  message_.pieces.push_back(PieceOf(utf8Template, args));
  return *this;
}

std::string MessageBuilder::Done(Game& g) {
  g.text.composed.Remember(text_, std::move(message_));
  message_ = {};
  std::string text = std::move(text_);
  text_.clear();
  return text;
}

void RememberComposed(Game& g, const std::string& cp932, Message message) {
  g.text.composed.Remember(cp932, std::move(message));
}

}  // namespace qv
