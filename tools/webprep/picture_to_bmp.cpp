// Decodes a picture of the game (cr.jpg) with the desktop's readers and writes its pixels as a
// 24-bit BMP, for the browser build, which reads BMP only: the same pixels the desktop shows.
// Usage: picture_to_bmp IN OUT
#include <iostream>

#include "gfx/picture_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: picture_to_bmp IN OUT\n";
    return 2;
  }
  const qv::Result<qv::gfx::Bitmap> picture = qv::gfx::LoadPicture(argv[1]);
  if (!picture.ok()) {
    std::cerr << "picture_to_bmp: " << picture.message() << "\n";
    return 1;
  }
  if (const qv::Status written = qv::gfx::WriteBmp(*picture, argv[2]); !written.ok()) {
    std::cerr << "picture_to_bmp: " << written.message() << "\n";
    return 1;
  }
  return 0;
}
