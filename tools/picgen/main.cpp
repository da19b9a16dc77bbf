// vorak-picgen ASSETS_DIR OUT_DIR: writes every registered picture of the game as PNG.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "picgen.h"

// fontconfig keeps its parsed configuration until FcFini; under the leak checker that cache is
// not a leak of ours, and the generator runs inside the sanitizer build too.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace picgen {
namespace {
struct Entry {
  const char* file;
  int width, height;
  DrawFn draw;
};
std::vector<Entry>& registry() {
  static std::vector<Entry> r;
  return r;
}
}  // namespace

Register::Register(const char* file, int width, int height, DrawFn draw) {
  registry().push_back({file, width, height, std::move(draw)});
}

}  // namespace picgen

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vorak-picgen ASSETS_DIR OUT_DIR\n");
    return 2;
  }
  try {
    picgen::PixelArt art;
    art.loadFolder(std::string(argv[1]) + "/pictures");
    picgen::Context ctx{art, argv[1]};
    for (auto& e : picgen::registry()) {
      gfx::Surface s(e.width, e.height, gfx::kMagenta);
      e.draw(s, ctx);
      if (s.width() != e.width || s.height() != e.height) {
        std::fprintf(stderr, "vorak-picgen: %s came out %dx%d, not %dx%d\n", e.file, s.width(), s.height(), e.width,
                     e.height);
        return 1;
      }
      if (!gfx::savePng(std::string(argv[2]) + "/" + e.file, s)) {
        std::fprintf(stderr, "vorak-picgen: cannot write %s\n", e.file);
        return 1;
      }
    }
  } catch (const std::exception& ex) {
    std::fprintf(stderr, "vorak-picgen: %s\n", ex.what());
    return 1;
  }
  return 0;
}
