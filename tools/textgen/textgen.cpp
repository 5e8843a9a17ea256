// Writes the list of enemy names the game reads, dat/name.dat: CP932, one name a line, CR LF.
// Usage: textgen NAMES.txt OUT.dat COUNT
// Fails (exit 1, with the line number) when a name is empty or has no CP932 form, or when the
// list does not hold exactly COUNT names, so a bad list never reaches the game.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "to_cp932.h"

using textgen::ToCp932;

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: textgen NAMES.txt OUT.dat COUNT\n";
    return 2;
  }
  const std::string inPath = argv[1];
  const std::string outPath = argv[2];
  const long want = std::strtol(argv[3], nullptr, 10);

  std::ifstream in(inPath, std::ios::binary);
  if (!in) {
    std::cerr << inPath << ": cannot be read\n";
    return 1;
  }
  std::vector<std::string> names;
  std::string line;
  int lineNo = 0;
  bool ok = true;
  while (std::getline(in, line)) {
    ++lineNo;
    if (lineNo == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      std::cerr << inPath << ":" << lineNo << ": empty name\n";
      ok = false;
      continue;
    }
    std::optional<std::string> cp932 = ToCp932(line);
    if (!cp932) {
      std::cerr << inPath << ":" << lineNo << ": \"" << line << "\" has no CP932 form\n";
      ok = false;
      continue;
    }
    names.push_back(*cp932);
  }
  if (ok && static_cast<long>(names.size()) != want) {
    std::cerr << inPath << ": " << names.size() << " names, the game reads exactly " << want
              << "\n";
    ok = false;
  }
  if (!ok) return 1;

  // Written beside the target and renamed, so a failed run never leaves half a list.
  const std::string tmpPath = outPath + ".tmp";
  {
    std::ofstream out(tmpPath, std::ios::binary | std::ios::trunc);
    for (const std::string& name : names) out << name << "\r\n";
    out.flush();
    if (!out) {
      std::cerr << tmpPath << ": cannot be written\n";
      std::remove(tmpPath.c_str());
      return 1;
    }
  }
  if (std::rename(tmpPath.c_str(), outPath.c_str()) != 0) {
    std::cerr << outPath << ": cannot be replaced\n";
    std::remove(tmpPath.c_str());
    return 1;
  }
  return 0;
}
