// The battle's moves: the command and the aim of the side to act, the punch and how well it hit,
// the fade of a fallen side and the spoils of a fight.
#pragma once

#include <cstdint>
#include <string>

// Asks the attacker for a battle command ("1" attack, "2" herb, "3" secret, "0" flee): a human
// presses the battle menu while a sight moves over the battle window, anyone else gets it from
// the rules and stops the sight at a random frame. The sight's last place is the aim.
std::string PushFight(int32_t attacker, int32_t defender, int32_t& aimX, int32_t& aimY);

// Plays the attacker's punch at the aim and scores it: coverage (0 to 50) by how much of the
// defender's portrait the aim covers, closeness (0 to 50) to the centre, and hit the two summed
// times the punch's multiplier. punch is written only when a punch pattern comes (1 to 6).
// Everything stays 0 when the game was left meanwhile.
void Init30Attack(int32_t attacker, int32_t defender, int32_t x, int32_t y, int32_t& punch, int32_t& coverage,
                  int32_t& closeness, int32_t& hit);

// Fades the fallen side's portrait out of the battle window.
void FadeOutTeki(int32_t index);

// The spoils of a fight: a losing player is blown back to its stop point and gains 2 experience
// (an emptied one eats a herb or is refilled); a losing monster gives the winner its GP, its
// experience and some of its herbs. Both lose a herb ban.
void PlusPack(int32_t wkWinner, int32_t wkLoser);
