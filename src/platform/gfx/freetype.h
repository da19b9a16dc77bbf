// The one FreeType library instance of the platform layer (font.cpp owns it).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

namespace gfx::detail {

FT_Library freetype();

}  // namespace gfx::detail
