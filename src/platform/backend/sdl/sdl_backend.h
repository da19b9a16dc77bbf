// The real backend: one SDL2 window with a renderer and a streaming texture that shows our
// 800 x 600 frame scaled with nearest sampling.
#pragma once

#include <memory>
#include <string>

#include "ui/backend.h"

struct SDL_Window;

namespace ui {

// Opens the main window (hidden until shown). With no display to open it on, prints one
// line saying so on stderr and returns null.
std::unique_ptr<Backend> openSdlBackend(const std::string& caption, int width = 800, int height = 600);

// The SDL window of an SDL backend (null for any other backend).
SDL_Window* sdlWindow(Backend& b);

// Maps an SDL key code to the platform's virtual-key code (0 when it has none).
int virtualKeyFromSdl(int sdlKey);

}  // namespace ui
