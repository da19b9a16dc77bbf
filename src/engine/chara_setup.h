// The four default characters, their pieces on the start cell, the icons of the mini views and
// the empty board of the map editor.
#pragma once

#include <cstdint>
#include <string_view>

// Once at start-up, before the settings are read: the four default characters, kept in
// PlayersBackup as the template of every new game.
void Init05CharaSetup();
// The next growth type of record wkID and its starting stats; wkType is accepted and not used.
void Init07CharaSetupData(int32_t wkID, std::string_view wkType = "");
// All four pieces to the start cell the last DrawMap found, at rest and in seat order.
void Init06CharaSetup();
// Each seat's character icon into its mini view, once the main window exists.
void Init04();
// The editor's clear command: five empty floors, each over a wall, drawn at once.
void MapClear();
