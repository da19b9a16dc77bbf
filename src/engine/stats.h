// Every change of a player's numbers, the level-up gains, the ranking and the tally's count.
#pragma once

#include <cstdint>

// Adds the amounts to record wkID (seats 0..3, or 4 for the opponent) and, for a seat, redraws
// its status panel, which keeps the values within the game's limits and performs any due
// level-up. Nothing is limited here, and the opponent is neither redrawn nor limited.
// AllScore draws the panel with the total score instead of the game's score.
void PlayerPlus(int32_t wkID, int32_t wkGp = 0, int32_t wkDrug = 0, int32_t wkLifeMax = 0, int32_t wkStr = 0,
                int32_t wkLuck = 0, int32_t wkExp = 0, int32_t wkLife = 0, int32_t wkScore = 0, int32_t wkScoreAll = 0,
                bool AllScore = false);

// One level up for player ID: the growth values' share of life, strength and luck.
void LevelUp(int32_t ID);

// Every playing seat's place by total score (1 = first; on equal totals the higher seat wins).
// Returns the leader's seat, 0 when no seat plays; empty seats keep their place.
int32_t SetRanking();

// The tally's counting-up: moves every playing seat's pending bonus into its total a step at a
// time (100, 10 or 1 points), all seats side by side, with the places and panels following.
void PlayerPlusAll();
