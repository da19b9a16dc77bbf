// The shops and halls of the board.
#pragma once

#include <cstdint>

void Init20Drug(int32_t wkID);
void Init20Inn(int32_t wkID);
void Init20Sougou(int32_t wkID);
void Init20Game(int32_t wkID);
// Yami: the dark dojo.
void Init20Gymnasium(int32_t wkID, bool Yami = false);
// "お金が足りませんよ～" and a short pause.
void WarningNomoney();
