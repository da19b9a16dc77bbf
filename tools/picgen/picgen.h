// The picture generator: each picture of the game is one registered drawing function that
// paints a surface of the picture's exact size, from text pixel art or by procedure.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "gfx/surface.h"

namespace picgen {

// Pixel art read from assets/pictures/*.txt (see pixelart.cpp for the format).
class PixelArt {
 public:
  // Loads every .txt file below `folder`; throws std::runtime_error naming the file and line on a fault.
  void loadFolder(const std::string& folder);
  void loadFile(const std::string& path);
  // The sprite of that name; throws when there is none.
  const gfx::Surface& sprite(const std::string& name) const;
  bool has(const std::string& name) const { return sprites_.count(name) != 0; }

 private:
  std::map<std::string, gfx::Surface> sprites_;
};

struct Context {
  const PixelArt& art;
  std::string assetDir;  // assets/ of the source tree
};

using DrawFn = std::function<void(gfx::Surface&, const Context&)>;

// Registers a picture written to `<out>/<file>` at exactly width x height.
struct Register {
  Register(const char* file, int width, int height, DrawFn draw);
};

}  // namespace picgen
