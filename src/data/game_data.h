// The records, tables and shared variables of the game, gathered in one place.
// Everything lives for the whole run and is touched from the one thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "sys/number.h"

using sys::Fixed;

// A value that holds nothing, a number, a text or a list of such values.
struct TaggedValue {
  std::variant<std::monostate, double, std::string, std::vector<TaggedValue>> value;

  bool empty() const { return std::holds_alternative<std::monostate>(value); }
  // The text form files store: "" when empty, numbers in their shortest form, lists joined by ",".
  std::string text() const;
  friend bool operator==(const TaggedValue&, const TaggedValue&) = default;
};

// Every figure of the game: the four players, the opponent of the moment and each monster row.
// The field order is also the key order of the saved-game file.
struct PlayerRecord {
  int32_t sUser = 0;  // 0 empty, 1 human, 2 computer
  int32_t zPos = 0;
  int32_t xPos = 0;
  int32_t yPos = 0;
  int32_t BackMapX = 0;
  int32_t BackMapY = 0;
  int32_t xPosMap = 0;
  int32_t yPosMap = 0;  // below 0: off the board, the turn is skipped
  int32_t sChara = 0;
  int32_t sPtn = 0;
  std::string sName;
  int32_t sLevel = 0;
  int32_t sLife = 0;
  int32_t sStr = 0;
  int32_t sLuck = 0;
  int32_t sExp = 0;
  int32_t sMoney = 0;
  int32_t sDrug = 0;
  int32_t sExpNext = 0;
  int32_t sLifeMax = 0;
  Fixed sLifeMaxAd;
  Fixed sLuckAd;
  Fixed sStrAd;
  Fixed sExpAd;
  std::array<int32_t, 6> sTimes{};  // meetings with boss n in sTimes[n]
  std::string sEtc;
  std::string sColor;
  TaggedValue EndingAnime;
  int32_t EndingAnimeNow = 0;
  bool EndingFlug = false;
  int32_t sScore = 0;
  int32_t sScoreAll = 0;
  // Working state of a running game; not saved.
  int32_t sType = 0;
  int32_t sMonsterLv = 0;
  int32_t sRGB = 0;
  int32_t sMukiX = 0;
  int32_t sMukiY = 0;
  int32_t sBonus = 0;
  int32_t sRank = 0;
  bool sMeet = false;
  int32_t sDrugBan = 0;

  friend bool operator==(const PlayerRecord&, const PlayerRecord&) = default;
};

// One cell of the board: the tile position taken from the code's two digits, and the code.
struct MapCell {
  int32_t ChipX = 0;
  int32_t ChipY = 0;
  std::string Code;

  friend bool operator==(const MapCell&, const MapCell&) = default;
};

constexpr int kBoardColumns = 32;
constexpr int kBoardRows = 12;
// The part of the board that is played, drawn and stored.
constexpr int kPlayColumns = 24;
constexpr int kPlayRows = 10;
constexpr int kMonsterNumberMax = 999;

using BoardCells = std::array<std::array<MapCell, kBoardRows>, kBoardColumns>;  // Board[column][row]

struct GameData {
  std::array<PlayerRecord, 5> Players;  // seats 0..3, the opponent in 4
  std::array<PlayerRecord, 4> PlayersBackup;
  std::vector<PlayerRecord> Monsters;

  int32_t TurnCount = 0;
  int32_t TurnPlayer = 0;
  int32_t ResumePlayer = 0;  // -1 starts the pass with player 0
  int32_t CurrentPlayer = 0;
  int32_t StageNo = 0;
  std::string MapFileName;
  bool MapReady = false;  // the selected map was read into the board: a game can start on it

  std::string AppFolder;  // every folder name ends in "/"
  std::string MapFolder;
  std::string WavFolder;
  std::string DatFolder;
  std::string DataFile;

  std::array<int32_t, 4> PlayerKinds{};
  std::array<std::string, 4> PlayerNames;
  std::array<Fixed, 3> Speeds{};  // MSG, ATK, ETC
  std::array<int32_t, 4> DrawOrder{};
  bool DisplayChanged = false;
  bool MapChanged = false;

  BoardCells Board;
  int32_t StartX = 0;
  int32_t StartY = 0;
  std::array<std::string, 256> CellKindNames;
  std::array<std::string, 256> CellKindParams;

  std::array<Fixed, 5> SoubaPrice{};
  std::string SoubaText;
};

// The one shared state of the game data.
GameData& Game();
// Back to the empty state of start-up (numbers 0, texts empty, flags false); for tests.
void ResetGameData();

// Calls from the data readers into the layers above, filled in by those layers at start-up.
// Until then they do nothing.
struct DataHooks {
  std::function<void()> DrawMap = [] {};    // the board's redraw after a map file was read
  std::function<void()> CrtChange = [] {};  // the display-mode switch a settings file may ask for
};
DataHooks& Hooks();

// The folder names beside the program: AppFolder, then "Vorak-Map/", "Vorak-Wav/", "Vorak-Dat/"
// and the settings file "Vorak-Dat/Vorak.Vrk". Nothing is created or tested here.
void InitFolderNames(std::string appFolder);
// The data folder (save slots, the settings file, the instance lock) of a program folder.
std::string DataFolderOf(const std::string& appFolder);
void InitFolderNames();  // from the running program's folder
