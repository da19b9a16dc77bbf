// Two players who meet on a cell fight it out: a sight slides across a target and each stops it
// as near the middle as they can.
#pragma once

#include <cstdint>

// The duel of the mover ID against the player TkID it met, bout by bout until the points differ;
// the winner gains experience by the loser's level and the spoils. CurrentPlayer is the mover
// again afterwards. Leaving the game ends it with no winner.
void Init40AttackUser(int32_t& ID, int32_t& TkID);
// The duel's target picture in the main window's PicTarget: the store's target with its black
// taking `color` and its white kept.
void MakeTargetPic(int32_t color);
