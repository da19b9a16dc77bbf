#include "gfx/image.h"

#include <string>
#include <vector>

#include "sys/path.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_NO_HDR
#define STBI_FAILURE_USERMSG
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#include <stb_image.h>
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace gfx {

bool loadImage(std::string_view gamePath, Surface& out) {
  std::string bytes;
  if (!sys::readFile(gamePath, bytes) || bytes.empty()) return false;
  int w = 0, h = 0, n = 0;
  unsigned char* px = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                            static_cast<int>(bytes.size()), &w, &h, &n, 3);
  if (!px) return false;
  Surface s(w, h);
  auto& d = s.mutablePixels();
  for (size_t i = 0; i < d.size(); ++i) d[i] = rgb(px[3 * i], px[3 * i + 1], px[3 * i + 2]);
  stbi_image_free(px);
  out = std::move(s);
  return true;
}

bool savePng(std::string_view gamePath, const Surface& s) {
  if (s.empty()) return false;
  std::vector<unsigned char> rgbBytes(static_cast<size_t>(s.width()) * s.height() * 3);
  const auto& p = s.pixels();
  for (size_t i = 0; i < p.size(); ++i) {
    rgbBytes[3 * i] = static_cast<unsigned char>(red(p[i]));
    rgbBytes[3 * i + 1] = static_cast<unsigned char>(green(p[i]));
    rgbBytes[3 * i + 2] = static_cast<unsigned char>(blue(p[i]));
  }
  int len = 0;
  unsigned char* png = stbi_write_png_to_mem(rgbBytes.data(), s.width() * 3, s.width(), s.height(), 3, &len);
  if (!png) return false;
  bool ok = sys::writeFileAtomic(gamePath, std::string_view(reinterpret_cast<const char*>(png), static_cast<size_t>(len)));
  STBIW_FREE(png);
  return ok;
}

}  // namespace gfx
