// Monsters and bosses met on the board, and the battle window's portrait of a fighter.
#pragma once

#include <cstdint>
#include <string>

// A monster of level band Lev attacks player wkID: one of its floor's band is copied into the
// opponent slot and the battle follows.
void Init30ActionMeetMonster(int32_t wkID, int32_t Lev = 0);
// Player wkID meets boss VorakID ("1" to "5"): a greeting by how often they met, the battle, and
// on a win the boss counts as beaten for that player (sTimes 10). A boss without a row in the
// monster table is not met.
void Init25MeetVorak(int32_t& wkID, std::string VorakID);

// Draws record target's portrait over player's battle window (shaking sideways for a shake above
// 0), onto the picture store's PicDummy as well, and the caption with its name and level in the
// colour of its remaining life.
void BigWrite(int32_t target, int32_t player, int32_t shake);
// The top of record id's 32 x 32 portrait in the character sheet (the opponent slot keeps its row
// in yPos, a player in sChara); a row off the sheet gives a place that draws nothing.
int32_t PortraitTop(int32_t id);
// The caption's colour tags for a fighter with Life of LifeMax.
std::string LifeColorTag(int32_t Life, int32_t LifeMax);
