#pragma once
// The groups of pictures the generator paints, each writing its files through one Sink.
#include <set>
#include <string>

#include "paint.h"

namespace qv::assetgen {

// Where finished pictures go, and in which format.
class Sink {
 public:
  Sink(std::string cgDir, std::string iconDir)
      : cg_(std::move(cgDir)), icons_(std::move(iconDir)) {}
  // A sink that keeps only the named pictures (another language's pictures with words).
  Sink(std::string cgDir, std::set<std::string> only)
      : cg_(std::move(cgDir)), only_(std::move(only)) {}
  // Full-screen pictures: 256 colours, palettised.
  void Background(const std::string& name, const Layer& l) const;
  // 24-bit pictures without transparency.
  void Plain(const std::string& name, const Layer& l) const;
  // Sprites with a key colour in the bottom-left pixel.
  void Sprite(const std::string& name, const Layer& l, int keyHex) const;
  void Jpeg(const std::string& name, const Layer& l) const;
  // An icon PNG at a path below the icon folder.
  void Icon(const std::string& relPath, const Layer& l) const;
  // A figure painted into a scene, alone on its key colour, in the figure folder (not a
  // picture the game loads: the tests and the contact sheet look at it). Nothing without one.
  void Figure(const std::string& name, const Layer& l) const;
  void SetFigureDir(std::string dir) { figures_ = std::move(dir); }
  int count() const { return count_; }

 private:
  bool Wanted(const std::string& name) const { return only_.empty() || only_.count(name) > 0; }

  std::string cg_, icons_, figures_;
  std::set<std::string> only_;
  mutable int count_ = 0;
};

// The magenta used as the transparent key of every sprite drawn over a picture.
constexpr int kKey = 0xFF00FF;

void PaintScreens(const Sink& out);     // cr.jpg, title.bmp, 00.bmp, star1.bmp, star2.bmp
void PaintIcons(const Sink& out);       // the desktop icon in every size
void PaintMap(const Sink& out);         // map.bmp and the progress pictures drawn over it
void PaintEncounters(const Sink& out);  // the story places with their enemies
void PaintRooms(const Sink& out);       // the inn and the shops
void PaintFreeAreas(const Sink& out);   // free.bmp … free6.bmp, man0.bmp, man1.bmp
void PaintPortraits(const Sink& out);   // char0.bmp … char9c.bmp

}  // namespace qv::assetgen
