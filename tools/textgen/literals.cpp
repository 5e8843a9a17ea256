// Converts every text written in the game's source to CP932 once, when the game is built.
// Usage: literals SRC_DIR OUT.cpp
// Scans the .cpp and .h files under SRC_DIR for string literals holding anything but ASCII
// (comments and character literals skipped) and writes OUT.cpp, a sorted table of each text
// with its CP932 bytes behind qv::GameTexts(). Fails (exit 1, naming file and line) when a
// text has no CP932 form, so such a text never reaches the game.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "to_cp932.h"

namespace {

namespace fs = std::filesystem;

using textgen::ToCp932;

struct Literal {
  std::string text;  // the bytes the compiler makes of it
  int line = 0;
  bool exact = true;  // false when an escape was not understood: left to the run time
};

int OctalOrHexDigit(char c, int base) {
  if (c >= '0' && c <= '7') return c - '0';
  if (base == 16 && c >= '8' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The string literals of a source that hold a byte outside ASCII as written.
std::vector<Literal> NonAsciiLiterals(const std::string& s) {
  std::vector<Literal> found;
  size_t i = 0;
  int line = 1;
  const size_t n = s.size();
  auto skipTo = [&](const std::string& end) {
    const size_t at = s.find(end, i);
    const size_t stop = at == std::string::npos ? n : at + end.size();
    line += static_cast<int>(
        std::count(s.begin() + static_cast<long>(i), s.begin() + static_cast<long>(stop), '\n'));
    i = stop;
  };
  while (i < n) {
    const char c = s[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (s.compare(i, 2, "//") == 0) {
      const size_t end = s.find('\n', i);  // the newline itself is counted below
      i = end == std::string::npos ? n : end;
    } else if (s.compare(i, 2, "/*") == 0) {
      skipTo("*/");
    } else if (c == 'R' && i + 1 < n && s[i + 1] == '"') {
      // A raw string: its text runs to )delim" whatever it holds.
      const size_t open = s.find('(', i);
      if (open == std::string::npos) break;
      const std::string delim = ")" + s.substr(i + 2, open - i - 2) + "\"";
      i = open;
      skipTo(delim);
    } else if (c == '\'' && (i == 0 || !std::isalnum(static_cast<unsigned char>(s[i - 1])))) {
      // A character literal (a quote after a digit separates the digits of a number).
      for (++i; i < n && s[i] != '\''; ++i)
        if (s[i] == '\\') ++i;
      ++i;
    } else if (c == '"') {
      Literal lit;
      lit.line = line;
      bool wide = false;
      for (++i; i < n && s[i] != '"'; ++i) {
        const char d = s[i];
        if (d == '\n') break;  // not a literal after all
        if (d != '\\' || i + 1 >= n) {
          if (static_cast<unsigned char>(d) >= 0x80) wide = true;
          lit.text += d;
          continue;
        }
        const char e = s[++i];
        switch (e) {
          case 'n':
            lit.text += '\n';
            break;
          case 'r':
            lit.text += '\r';
            break;
          case 't':
            lit.text += '\t';
            break;
          case '\\':
            lit.text += '\\';
            break;
          case '"':
            lit.text += '"';
            break;
          case '\'':
            lit.text += '\'';
            break;
          case '?':
            lit.text += '?';
            break;
          case 'x': {
            int v = 0, digits = 0;
            for (int d2; i + 1 < n && (d2 = OctalOrHexDigit(s[i + 1], 16)) >= 0; ++i, ++digits)
              v = v * 16 + d2;
            if (digits == 0 || digits > 2) lit.exact = false;
            lit.text += static_cast<char>(v);
            break;
          }
          default:
            if (e >= '0' && e <= '7') {
              int v = e - '0';
              for (int k = 0, d2; k < 2 && i + 1 < n && (d2 = OctalOrHexDigit(s[i + 1], 8)) >= 0;
                   ++k, ++i)
                v = v * 8 + d2;
              lit.text += static_cast<char>(v);
            } else {
              lit.exact = false;
            }
        }
      }
      if (i < n && s[i] == '"') {
        ++i;
        if (wide) found.push_back(std::move(lit));
      }
    } else {
      ++i;
    }
  }
  return found;
}

// The bytes as a C++ string literal: printable ASCII kept, everything else in octal.
std::string Quoted(const std::string& bytes) {
  std::string out = "\"";
  for (const char ch : bytes) {
    const unsigned char b = static_cast<unsigned char>(ch);
    if (b >= 0x20 && b < 0x7F && ch != '"' && ch != '\\' && ch != '?') {
      out += ch;
    } else {
      char oct[5];
      std::snprintf(oct, sizeof oct, "\\%03o", b);
      out += oct;
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: literals SRC_DIR OUT.cpp\n";
    return 2;
  }
  const fs::path srcDir = argv[1];
  const fs::path outPath = argv[2];
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(srcDir)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".cpp" || ext == ".h") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());

  std::map<std::string, std::string> table;  // sorted by the UTF-8 text
  bool ok = true;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string source{std::istreambuf_iterator<char>(in), {}};
    for (const Literal& lit : NonAsciiLiterals(source)) {
      if (!lit.exact) continue;
      const std::optional<std::string> cp932 = ToCp932(lit.text);
      if (!cp932) {
        std::cerr << file.string() << ":" << lit.line << ": no CP932 form for the text \""
                  << lit.text << "\"\n";
        ok = false;
        continue;
      }
      table.emplace(lit.text, *cp932);
    }
  }
  if (!ok) return 1;

  std::ostringstream out;
  out << "// Made at build time from the texts in src/ by tools/textgen/literals.cpp; do not "
         "edit.\n"
         "#include \"core/game_texts.h\"\n\nnamespace qv {\nnamespace {\n\n"
         "constexpr GameText kTexts[] = {\n";
  for (const auto& [utf8, cp932] : table) {
    out << "    {std::string_view(" << Quoted(utf8) << ", " << utf8.size() << "), std::string_view("
        << Quoted(cp932) << ", " << cp932.size() << ")},\n";
  }
  out << "};\n\n}  // namespace\n\nstd::span<const GameText> GameTexts() {\n  return kTexts;\n}\n\n"
         "}  // namespace qv\n";

  std::ofstream write(outPath, std::ios::binary | std::ios::trunc);
  write << out.str();
  write.close();
  if (!write) {
    std::cerr << outPath.string() << ": cannot be written\n";
    return 1;
  }
  return 0;
}
