#include "presentation/menu.h"

#include "presentation/main_form.h"
#include "ui/toolkit.h"

namespace {
MenuState gMenu;
// How long a human's wait sleeps on the window's events when none are queued.
constexpr int kHumanWaitMs = 10;
}  // namespace

MenuState& Menu() { return gMenu; }
void ResetMenuState() { gMenu = MenuState{}; }

bool GameRunning() { return frmMainExists() && frmMain().PicStatusUp.Tag == "開始"; }

GameLoopScope::GameLoopScope() : entered_(gMenu.GameLoops == 0) {
  if (entered_) ++gMenu.GameLoops;
}

GameLoopScope::~GameLoopScope() {
  if (entered_) --gMenu.GameLoops;
}

bool GameLoopRunning() { return gMenu.GameLoops > 0; }

void CheckGameLeft() {
  if (GameLoopRunning() && !GameRunning()) throw GameLeft{};
}

void WaitMenuCommand(std::string_view mode) {
  while (gMenu.MenuCommand == mode && GameRunning()) ui::DoEventsWait(kHumanWaitMs);
  CheckGameLeft();
}

void PumpOnce() {
  ui::DoEvents();
  CheckGameLeft();
}

void DropQueuedInput() {
  if (frmMainExists()) {
    ui::Window& w = frmMain().window;
    w.setInputEnabled(false);
    ui::DoEvents();
    w.setInputEnabled(true);
  }
  CheckGameLeft();
}

void GameMarkChanged() {
  if (GameLoopRunning() && !GameRunning()) ui::interruptPump();
}
