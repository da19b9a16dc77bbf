#include "engine/encounter.h"

// Not built yet: the procedure arrives with its own change; until then it does nothing.

void Init30ActionMeetMonster(int32_t, int32_t) {}

void Init25MeetVorak(int32_t&, std::string) {}
