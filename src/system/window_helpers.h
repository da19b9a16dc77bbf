// Placing the main window on the desktop and dragging it by a borderless strip.
#pragma once

#include <cstdint>

namespace ui {
class Window;
}

// Centres a Width x Height client area on the desktop (Left or Top other than -1 is used as
// given). The window has no frame, so WithFrame adds nothing to the caller's sizes.
void FitFormWindow(ui::Window& Form, int32_t& Width, int32_t& Height, bool WithFrame, int32_t Left = -1,
                   int32_t Top = -1);
// Moves the window with the pointer until the mouse button is released.
void DragWindow(ui::Window& Form);
