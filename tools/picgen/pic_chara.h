// The monster portraits of the character sheet, for other pictures that show them.
#pragma once

#include "picgen.h"

namespace picgen {

// Column 0 of sheet row 4 + index: the finished 32 x 32 portrait of monster `index` (0-24).
gfx::Surface monsterPortrait(const PixelArt& art, int index);

}  // namespace picgen
