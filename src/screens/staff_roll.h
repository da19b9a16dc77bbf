// The staff roll: the title logo in the left half of the board, then the credits scrolled up
// under it line by line to their own music.
#pragma once

#include <array>
#include <string_view>

// The 53 lines of the roll; headings carry their two gradient colours, blank lines make the gaps.
const std::array<std::string_view, 53>& StaffLines();

// Places the roll over the left half of the board and draws the logo. With iSetup that is all,
// on a cleared roll; otherwise the music starts and the lines scroll in (about 16 seconds),
// until the last one or until Escape is held between two lines. The roll stays on screen.
void Init31Staff(bool iSetup = false);
