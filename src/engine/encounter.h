// Monsters and bosses met on the board.
#pragma once

#include <cstdint>
#include <string>

// A monster of level band Lev attacks player wkID.
void Init30ActionMeetMonster(int32_t wkID, int32_t Lev = 0);
// Player wkID meets boss VorakID ("1" to "5").
void Init25MeetVorak(int32_t& wkID, std::string VorakID);
