// The players' pieces over the board picture: drawn in their stacking order with the piece being
// handled on top, moved by pixel offsets with the board wrapping around sideways, and each
// piece's cell kept in step with its pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sys/number.h"

// Moves piece ID by the offsets and draws it with pattern Ptn and marker row Active (1 = the
// piece being handled) onto the board picture, erasing nothing. An empty seat is left alone; a
// piece above the board (negative yPos) is moved but not drawn.
void WriteChara(int32_t ID, int32_t Ptn, int32_t xAdd = 0, int32_t yAdd = 0, int32_t Active = 0);

// Redraws every piece over the clean board, back to front, then piece ID with pattern Ptn and
// the offsets on top, and refreshes its mini view.
void WriteCharaSet(int32_t ID, int32_t Ptn, int32_t xAdd = 0, int32_t yAdd = 0);

// Brings piece ID to the front of the stacking order; the others keep their order behind it.
void CharaZorder(int32_t ID);

// Shows the patterns of Vr one after another on player ID, Wt seconds each.
void PlayAnime(int32_t ID, const std::vector<int32_t>& Vr, sys::Fixed Wt);
// Plays the named animation ("のぼる", "おりる", "落ちる左", "ハッピー", ...) on player ID.
void WriteAnimation(int32_t ID, const std::string& name);
