#pragma once
// Messages: texts the rules build from a template of ours with named parameters
// ("{who}は麻痺していて動けなかった...."). The rules get the game's own Japanese bytes, the
// same as ever; while another language is shown the game also remembers how each text was
// built, so the frame can put it into that language with the parameters where it wants them.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qv {

struct Game;

// The msgctxt of the short forms the narrow list columns show for item and skill names.
inline constexpr const char* kListContext = "list";

// How another language shows a parameter.
enum class ArgKind : uint8_t {
  AsIs,   // the player's own name, numbers, anything typed: never translated
  Term,   // a name of the game (an item, a skill, an enemy): shown like any text of the game
  Count,  // a number shown as it is that also chooses the plural form of its text ("1 point")
};

struct MessageArg {
  std::string key;    // "who" for {who}
  std::string value;  // CP932
  ArgKind kind = ArgKind::AsIs;
};

// One template with its arguments.
struct MessagePiece {
  std::string templ;  // UTF-8, as the catalog holds it
  std::vector<MessageArg> args;
};

// A composed text: its pieces one after the other.
struct Message {
  std::vector<MessagePiece> pieces;
};

// A parameter shown as it is.
MessageArg Arg(std::string_view key, std::string_view cp932);
// A number, in the same digits the game has always written.
MessageArg Arg(std::string_view key, int32_t n);
// A number that counts something ("{n} points"): the same digits, and another language picks
// the form of its text by it. A text holds at most one.
MessageArg Count(std::string_view key, int32_t n);
// A name of the game, translated where it is shown.
MessageArg Term(std::string_view key, std::string_view cp932);
// A side's name: the player's (side 0) as it is, the enemy's translated.
MessageArg Who(const Game& g, std::string_view key, int32_t side);

// The texts composed lately, by their CP932 bytes. Only kept while another language is shown
// (`enabled`); old entries are dropped, so it stays small whatever the game runs through.
class ComposedTexts {
 public:
  bool enabled = false;
  void Remember(const std::string& cp932, Message message);
  // A text queued now and shown much later (a story line waiting out a battle): kept until
  // the game ends. The story holds only a few dozen lines that need it.
  void RememberLasting(const std::string& cp932, Message message);
  // How a text was composed; null when it was not (or too long ago).
  const Message* Find(std::string_view cp932) const;
  size_t Size() const { return entries_.size() + lasting_.size(); }

 private:
  struct Entry {
    Message message;
    uint64_t stamp = 0;
  };
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, Entry, Hash, std::equal_to<>> entries_;
  std::unordered_map<std::string, Message, Hash, std::equal_to<>> lasting_;
  uint64_t stamp_ = 0;
};

// The Japanese of a template (a UTF-8 literal of static storage) with its arguments filled in.
std::string Fill(const char* utf8Template, std::initializer_list<MessageArg> args);
// The same for a template that is already CP932 (the story's lines).
std::string FillCp932(std::string_view cp932Template, const std::vector<MessageArg>& args);

// Fill, remembering how the text was built.
std::string Compose(Game& g, const char* utf8Template, std::initializer_list<MessageArg> args);

// A text of several pieces (a list of set frames, a status sheet).
class MessageBuilder {
 public:
  MessageBuilder& Add(const char* utf8Template, std::initializer_list<MessageArg> args = {});
  // The Japanese text, remembered as one message.
  std::string Done(Game& g);

 private:
  std::string text_;
  Message message_;
};

// Remembers a text of the given pieces (already filled in as `cp932`).
void RememberComposed(Game& g, const std::string& cp932, Message message);

}  // namespace qv
