// The top bar: the row of picture buttons on the top strip that switches between the title
// screen, a running game and the map editor, and the commands behind them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The buttons of a mode's bar, left to right ("ゲーム" title, "開始"/"途中開始" game, "マップ"
// editor); empty for any other text.
const std::vector<std::string>& TopMenuButtons(std::string_view mode);
// Lays out and enters a mode; the strip's Tag becomes the mode (the running-game mark).
void MakeTopMenu(const std::string& mode);
// A pressed top-bar button's command; Escape presses index 4 ("終了") too.
void UcBtnClose_Click(int32_t Index);

// The question before a changed board is left. False when the user chose to save and then
// cancelled the save: the command stops and nothing changes.
bool AskSaveMap();
