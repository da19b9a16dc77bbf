// The one way the engine asks a human: a named menu of buttons, two shared texts a press writes,
// and the waits every phase uses. The waits also carry the running-game mark: once the game is
// left (the top strip's Tag is no longer "開始") every wait ends at once, and inside a game loop
// it throws GameLeft, which only the game loop catches, so a phase nested five deep unwinds
// without acting on a stale choice.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct MenuState {
  // While a menu waits: its mode ("宿屋"); a press replaces it with the press's command.
  std::string MenuCommand;
  // The press's choice, normally "0" to "3"; the computer rules write the same digits.
  std::string MenuChoice;
  // Game loops on the stack now (0 or 1).
  int GameLoops = 0;
};
MenuState& Menu();
void ResetMenuState();

// The running-game mark: the top strip's Tag is "開始".
bool GameRunning();

// Thrown by the waits when the game was left while a game loop runs.
struct GameLeft {};

// Marks a game loop on the stack for its lifetime. A second loop while one runs is refused
// (entered() is false) and must not run.
class GameLoopScope {
 public:
  GameLoopScope();
  ~GameLoopScope();
  GameLoopScope(const GameLoopScope&) = delete;
  GameLoopScope& operator=(const GameLoopScope&) = delete;
  bool entered() const { return entered_; }

 private:
  bool entered_;
};
bool GameLoopRunning();

// Throws GameLeft when a game loop runs and the mark says the game was left.
void CheckGameLeft();
// Pumps window events until `done` holds (asked before each pump) or the game was left; sleeps
// on the window's events meanwhile instead of spinning. Then CheckGameLeft.
void WaitForHuman(const std::function<bool()>& done);
// WaitForHuman until MenuCommand differs from `mode`.
void WaitMenuCommand(std::string_view mode);
// One pump of the events queued so far (computer turns, frame loops), then CheckGameLeft.
void PumpOnce();
// One pump of a frame loop in which a human may press (an aim that moves until the button): like
// PumpOnce, but when nothing is queued the window is told the program waits for input.
void PumpFrame();
// Drops clicks and keys that came while the engine was busy: input off, one pump, input on;
// then CheckGameLeft.
void DropQueuedInput();
// Builds and shows the menu of `name` (one of the ten modes) in the status panel of player wkID
// (0 to 3; any other value leaves the panel where it is) and sets MenuCommand to `name`.
void MakeMenu(const std::string& name, int32_t wkID);
// A pressed menu button (also the menu keys): writes MenuCommand and MenuChoice as its mode says.
void UcBtnMenu_Click(int32_t Index);
// The one-button confirmation "はい" for player wkID (-1: CurrentPlayer, written back into wkID);
// a human is waited for, anyone else passes at once.
void PushButton(int32_t& wkID);
void PushButton();

// The top bar calls this when it changes the mark: a running game loop is then left, and the
// events after the press are handled once it has unwound.
void GameMarkChanged();
