// Picture files: PNG (and anything else the image loader reads) into surfaces and back.
#pragma once

#include <string_view>

#include "gfx/surface.h"

namespace gfx {

// Loads a picture file; alpha is dropped. False (and `out` untouched) when it cannot be read.
bool loadImage(std::string_view gamePath, Surface& out);
// Writes a 24-bit PNG. False on failure.
bool savePng(std::string_view gamePath, const Surface& s);

}  // namespace gfx
