// The main window's handlers and its construction at start-up; the controls themselves are in
// presentation/main_form.h.
#pragma once

#include <cstdint>

#include "presentation/main_form.h"

// The window's load handler: the array members the design does not place, and the floating tile.
void Form_Load();
// Builds the window once at start-up, ending in the title mode of the top bar.
void Init01MakeForm();
// Puts member 0 of a button array into ContenPic, filling it, on black.
void MakeUcBtn(ui::PictureBox& ContenPic, ui::ControlArray<UcButton>& wkUC);

// Keys of the main window (virtual-key codes).
void Form_KeyDown(int32_t KeyCode, int32_t Shift);
void Form_KeyUp(int32_t KeyCode, int32_t Shift);
// The display-mode switch between the desktop's mode and 800 x 600 at 16 bits.
void CrtChange();
