// story_sheet OUT.png COLUMNS SHOT.png...: lays headless screenshots side by side at half size,
// so every story fight can be judged at one glance as the player sees it.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Picture {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;  // w * h * 3
};

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

bool ReadPng(const char* path, Picture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) return false;
  image.format = PNG_FORMAT_RGB;
  out.w = static_cast<int>(image.width);
  out.h = static_cast<int>(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

bool WritePng(const char* path, const Picture& p) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(p.w);
  image.height = static_cast<png_uint_32>(p.h);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path, 0, p.rgb.data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: story_sheet OUT.png COLUMNS SHOT.png...\n");
    return 2;
  }
  const int columns = std::max(1, std::atoi(argv[2]));
  const int count = argc - 3;
  const int gap = 4, tileW = 320, tileH = 240;
  const int rows = (count + columns - 1) / columns;
  Picture sheet;
  sheet.w = columns * tileW + (columns + 1) * gap;
  sheet.h = rows * tileH + (rows + 1) * gap;
  sheet.rgb.assign(static_cast<size_t>(sheet.w) * sheet.h * 3, 24);
  for (int n = 0; n < count; ++n) {
    Picture shot;
    if (!ReadPng(argv[3 + n], shot) || shot.w < 2 * tileW || shot.h < 2 * tileH) {
      std::fprintf(stderr, "story_sheet: %s is not a 640 x 480 PNG\n", argv[3 + n]);
      return 1;
    }
    const int ox = gap + (n % columns) * (tileW + gap), oy = gap + (n / columns) * (tileH + gap);
    for (int y = 0; y < tileH; ++y) {
      for (int x = 0; x < tileW; ++x) {
        for (int c = 0; c < 3; ++c) {
          int sum = 0;
          for (int j = 0; j < 2; ++j) {
            for (int i = 0; i < 2; ++i) {
              sum += shot.rgb[(static_cast<size_t>(2 * y + j) * shot.w + 2 * x + i) * 3 + c];
            }
          }
          sheet.rgb[(static_cast<size_t>(oy + y) * sheet.w + ox + x) * 3 + c] =
              static_cast<unsigned char>((sum + 2) / 4);
        }
      }
    }
  }
  if (!WritePng(argv[1], sheet)) {
    std::fprintf(stderr, "story_sheet: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
