#include "ui/display.h"

#include <algorithm>

#include "ui/toolkit.h"

namespace ui {

std::vector<DisplayMode> listDisplayModes() {
  if (!hasBackend()) return {};
  return backend().displayModes();
}

DisplayMode storedDisplayMode() { return hasBackend() ? backend().storedMode() : DisplayMode{}; }
DisplayMode currentDisplayMode() { return hasBackend() ? backend().currentMode() : DisplayMode{}; }

bool setDisplayMode(const DisplayMode& m) {
  if (!hasBackend()) return false;
  auto modes = backend().displayModes();
  if (std::find(modes.begin(), modes.end(), m) == modes.end()) return false;
  bool ok = backend().setDisplayMode(&m);
  invalidate();
  return ok;
}

bool restoreDisplayMode() {
  if (!hasBackend()) return false;
  bool ok = backend().setDisplayMode(nullptr);
  invalidate();
  return ok;
}

std::string displayModeText(const DisplayMode& m) {
  return std::to_string(m.width) + "×" + std::to_string(m.height) + "ピクセル " + std::to_string(m.bits) + "ビット";
}

std::string displayModeLabel(const DisplayMode& m) {
  return std::to_string(m.width) + "×" + std::to_string(m.height) + " " + std::to_string(m.bits) + "ビット";
}

}  // namespace ui
