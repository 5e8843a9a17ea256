// assetgen_pictures CG_DIR ICON_DIR [LOCALE_DIR [FIGURE_DIR]]: paints every picture the game
// loads, and each enemy of a scene alone into FIGURE_DIR.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <string>

#include "captions.h"
#include "output.h"
#include "pictures.h"

namespace qv::assetgen {

void Sink::Background(const std::string& name, const Layer& l) const {
  if (!Wanted(name)) return;
  WriteBmp8(cg_ + "/" + name, l.w(), l.h(), ToRgb8(l));
  ++count_;
}
void Sink::Plain(const std::string& name, const Layer& l) const {
  if (!Wanted(name)) return;
  WriteBmp24(cg_ + "/" + name, l.w(), l.h(), ToRgb8(l));
  ++count_;
}
void Sink::Sprite(const std::string& name, const Layer& l, int keyHex) const {
  if (!Wanted(name)) return;
  WriteBmp24(cg_ + "/" + name, l.w(), l.h(), ToKeyed(l, keyHex));
  ++count_;
}
void Sink::Jpeg(const std::string& name, const Layer& l) const {
  if (!Wanted(name)) return;
  WriteJpeg(cg_ + "/" + name, l.w(), l.h(), ToRgb8(l), 92);
  ++count_;
}
void Sink::Figure(const std::string& name, const Layer& l) const {
  if (figures_.empty() || !only_.empty()) return;
  std::filesystem::create_directories(figures_);
  WriteBmp24(figures_ + "/" + name, l.w(), l.h(), ToKeyed(l, kKey));
}
void Sink::Icon(const std::string& relPath, const Layer& l) const {
  if (!only_.empty()) return;
  std::filesystem::path p = std::filesystem::path(icons_) / relPath;
  std::filesystem::create_directories(p.parent_path());
  WritePngRgba(p.string(), l);
  ++count_;
}

}  // namespace qv::assetgen

// The pictures with words in them, painted again in every language that has a catalog.
const std::set<std::string> kPicturesWithWords = {"cr.jpg", "title.bmp", "map.bmp", "yado.bmp"};

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr, "usage: %s CG_DIR ICON_DIR [LOCALE_DIR [FIGURE_DIR]]\n", argv[0]);
    return 2;
  }
  using namespace qv::assetgen;
  auto start = std::chrono::steady_clock::now();
  try {
    std::filesystem::create_directories(argv[1]);
    std::filesystem::create_directories(argv[2]);
    Sink out(argv[1], argv[2]);
    if (argc == 5) out.SetFigureDir(argv[4]);
    PaintScreens(out);
    PaintIcons(out);
    PaintMap(out);
    PaintEncounters(out);
    PaintRooms(out);
    PaintFreeAreas(out);
    PaintPortraits(out);
    if (argc >= 4) {
      for (const std::string& language : CatalogLanguages(argv[3])) {
        PaintInLanguage(language, argv[3]);
        Sink words(std::string(argv[1]) + "/" + language, kPicturesWithWords);
        std::filesystem::create_directories(std::string(argv[1]) + "/" + language);
        PaintScreens(words);
        PaintMap(words);
        PaintRooms(words);
      }
      PaintInLanguage("", argv[3]);
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen_pictures: %d pictures in %.1f s\n", out.count(), secs);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen_pictures: %s\n", e.what());
    return 1;
  }
  return 0;
}
