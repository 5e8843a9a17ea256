// qv_manpage OUT: writes the manual page qv.6 from the text `qv --help` prints, so the two
// never disagree.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/session/command_line.h"

namespace {

// roff reads '\' as an escape, '-' as a hyphen and a leading '.' or '\'' as a request;
// characters beyond ASCII are written as \[uXXXX] so that no input encoding is assumed.
std::string Escape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    const auto lead = static_cast<unsigned char>(c);
    if (lead >= 0x80) {
      const size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
      uint32_t cp = lead & (len == 4 ? 0x07 : len == 3 ? 0x0F : 0x1F);
      for (size_t k = 1; k < len && i + 1 < s.size(); ++k) {
        cp = (cp << 6) | (static_cast<unsigned char>(s[++i]) & 0x3F);
      }
      char buf[16];
      std::snprintf(buf, sizeof buf, "\\[u%04X]", static_cast<unsigned>(cp));
      out += buf;
    } else if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out = "\\&" + out;
  return out;
}

std::string Upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::string TrimLeft(const std::string& s) {
  const size_t i = s.find_first_not_of(' ');
  return i == std::string::npos ? "" : s.substr(i);
}

// A help entry is "  TERM  description": the term ends at the first run of two spaces.
bool SplitEntry(const std::string& line, std::string& term, std::string& text) {
  if (!line.starts_with("  ") || line.starts_with("   ")) return false;
  const size_t gap = line.find("  ", 2);
  if (gap == std::string::npos) return false;
  term = line.substr(2, gap - 2);
  text = TrimLeft(line.substr(gap));
  return true;
}

std::string ManPage(const std::string& help) {
  std::istringstream in(help);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);

  std::ostringstream out;
  out << ".TH QV 6 \"\" \"" << Escape(qv::session::VersionText().substr(0, 6)) << "\" \"Games\"\n"
      << ".SH NAME\nqv \\- Q.V., a role\\-playing game on an island\n"
      << ".SH SYNOPSIS\n.B qv\n[\\fIoptions\\fR]\n";
  bool inDescription = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.starts_with("Usage:")) continue;
    if (line.empty()) continue;
    if (line[0] != ' ') {
      const size_t colon = line.find(':');
      if (colon == std::string::npos) {
        // The one-line summary under the usage line.
        if (!inDescription) out << ".SH DESCRIPTION\n";
        inDescription = true;
        out << Escape(line) << "\n";
        continue;
      }
      std::string title = line.substr(0, colon);
      if (const size_t paren = title.find(" ("); paren != std::string::npos) {
        title = title.substr(0, paren);
      }
      out << ".SH " << Escape(Upper(title)) << "\n";
      const std::string rest = TrimLeft(line.substr(colon + 1));
      if (!rest.empty()) out << Escape(rest) << "\n";
      continue;
    }
    std::string term, text;
    if (SplitEntry(line, term, text)) {
      out << ".TP\n.B " << Escape(term) << "\n" << Escape(text) << "\n";
    } else {
      out << Escape(TrimLeft(line)) << "\n";  // the rest of an entry or a paragraph
    }
  }
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.6\n", argv[0]);
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << ManPage(qv::session::UsageText());
  out.close();
  if (!out) {
    std::fprintf(stderr, "qv_manpage: cannot write %s\n", argv[1]);
    return 3;
  }
  return 0;
}
