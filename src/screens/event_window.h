// The pointer on the event window: the click that lets the gallery's arrow fly.
#pragma once

#include <cstdint>

// A press of any button in the event window, or on the arrow over it: while the arrow is on
// show its Tag becomes "HIT".
void PicWin_MouseDown(int32_t Button, int32_t Shift, int32_t X, int32_t Y);
// Puts the arrow into the event window with its picture; a press on it is a press in the window.
void PlaceImgArrow();
