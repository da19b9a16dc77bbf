// The four seats' colours as three tones each, shared by every picture that shows a seat.
#pragma once

#include <array>

#include "gfx/color.h"

namespace picgen {

struct SeatTones {
  gfx::Color light, mid, dark;
};

// Blue, pink, green, yellow. The adventurer's art is drawn in the first seat's tones.
constexpr std::array<SeatTones, 4> kSeatTones{{
    {gfx::rgb(0x82, 0x96, 0xFF), gfx::rgb(0x32, 0x32, 0xFF), gfx::rgb(0x1E, 0x1E, 0x96)},
    {gfx::rgb(0xFF, 0xB4, 0xC0), gfx::rgb(0xFF, 0x6E, 0x82), gfx::rgb(0xB4, 0x32, 0x50)},
    {gfx::rgb(0xAA, 0xFF, 0xA0), gfx::rgb(0x5A, 0xDC, 0x5A), gfx::rgb(0x1E, 0x8C, 0x3C)},
    {gfx::rgb(0xFF, 0xFF, 0xAA), gfx::rgb(0xF0, 0xDC, 0x46), gfx::rgb(0xB4, 0x8C, 0x1E)},
}};

}  // namespace picgen
