// The four players' status panels. Drawing a panel is also where the stat limits are applied
// and where a player whose experience reached the mark levels up.
#pragma once

#include <cstdint>

// Places the four panels for the screen (side by side outside a game; only the playing seats,
// spread out, during one) and draws them. AllActiove also walks CurrentPlayer over the seats,
// leaving it at seat 3 when that seat is human and -1 otherwise.
void WriteScoreSet(bool AllActiove = false, bool LastScore = false);

// Redraws panel ID (0..3) from its background, limits the record's values, and performs every
// level-up that is due, one message, sound, wait and LevelUp each. LastScore shows the total
// score, ShowRank the ranking place.
void WriteScore(int32_t ID, bool LastScore, bool ShowRank);
