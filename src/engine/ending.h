// The end of a game: the tally of the bonuses, the ranking and the ending.
#pragma once

void Init30Ending();
