#include "data/save_game.h"

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "data/game_data.h"
#include "data/ini_keys.h"
#include "data/souba.h"
#include "sys/profile.h"
#include "system/utility.h"

namespace {

// A value never holds a NUL, so this tells a missing key from an empty value.
const std::string kMissing(1, '\0');

// Texts keep what they held when the key is missing, like the numbers do.
bool readText(std::string_view file, std::string_view section, std::string_view key, std::string& value) {
  std::string text = sys::readProfileString(file, section, key, kMissing);
  if (text == kMissing) return false;
  value = std::move(text);
  return true;
}

struct TimesIndex {
  size_t index;
};
using Field = std::variant<int32_t PlayerRecord::*, std::string PlayerRecord::*, Fixed PlayerRecord::*,
                           bool PlayerRecord::*, TaggedValue PlayerRecord::*, TimesIndex>;
struct Key {
  const char* name;
  Field field;
};

// The saved fields of a record, in record order.
const Key kPlayerKeys[] = {
    {"sUser", &PlayerRecord::sUser},
    {"zPos", &PlayerRecord::zPos},
    {"xPos", &PlayerRecord::xPos},
    {"yPos", &PlayerRecord::yPos},
    {"BackMapX", &PlayerRecord::BackMapX},
    {"BackMapY", &PlayerRecord::BackMapY},
    {"xPosMap", &PlayerRecord::xPosMap},
    {"yPosMap", &PlayerRecord::yPosMap},
    {"sChara", &PlayerRecord::sChara},
    {"sPtn", &PlayerRecord::sPtn},
    {"sName", &PlayerRecord::sName},
    {"sLevel", &PlayerRecord::sLevel},
    {"sLife", &PlayerRecord::sLife},
    {"sStr", &PlayerRecord::sStr},
    {"sLuck", &PlayerRecord::sLuck},
    {"sExp", &PlayerRecord::sExp},
    {"sMoney", &PlayerRecord::sMoney},
    {"sDrug", &PlayerRecord::sDrug},
    {"sExpNext", &PlayerRecord::sExpNext},
    {"sLifeMax", &PlayerRecord::sLifeMax},
    {"sLifeMaxAd", &PlayerRecord::sLifeMaxAd},
    {"sLuckAd", &PlayerRecord::sLuckAd},
    {"sStrAd", &PlayerRecord::sStrAd},
    {"sExpAd", &PlayerRecord::sExpAd},
    {"sTimes0", TimesIndex{0}},
    {"sTimes1", TimesIndex{1}},
    {"sTimes2", TimesIndex{2}},
    {"sTimes3", TimesIndex{3}},
    {"sTimes4", TimesIndex{4}},
    {"sTimes5", TimesIndex{5}},
    {"sEtc", &PlayerRecord::sEtc},
    {"sColor", &PlayerRecord::sColor},
    {"EndingAnime", &PlayerRecord::EndingAnime},
    {"EndingAnimeNow", &PlayerRecord::EndingAnimeNow},
    {"EndingFlug", &PlayerRecord::EndingFlug},
    {"sScore", &PlayerRecord::sScore},
    {"sScoreAll", &PlayerRecord::sScoreAll},
};

std::string sectionName(int player) { return "PLAYER" + std::to_string(player); }

std::string valueText(const PlayerRecord& p, const Field& field) {
  struct {
    const PlayerRecord& p;
    std::string operator()(int32_t PlayerRecord::*f) const { return std::to_string(p.*f); }
    std::string operator()(std::string PlayerRecord::*f) const { return p.*f; }
    std::string operator()(Fixed PlayerRecord::*f) const { return sys::toText(p.*f); }
    std::string operator()(bool PlayerRecord::*f) const { return p.*f ? "True" : "False"; }
    std::string operator()(TaggedValue PlayerRecord::*f) const { return (p.*f).text(); }
    std::string operator()(TimesIndex t) const { return std::to_string(p.sTimes[t.index]); }
  } visitor{p};
  return std::visit(visitor, field);
}

void readValue(std::string_view file, const std::string& section, const char* key, PlayerRecord& p,
               const Field& field) {
  struct {
    std::string_view file;
    const std::string& section;
    const char* key;
    PlayerRecord& p;
    void operator()(int32_t PlayerRecord::*f) const { ReadIni(file, section, key, p.*f); }
    void operator()(std::string PlayerRecord::*f) const { readText(file, section, key, p.*f); }
    void operator()(Fixed PlayerRecord::*f) const { ReadIni(file, section, key, p.*f); }
    void operator()(bool PlayerRecord::*f) const { ReadIni(file, section, key, p.*f); }
    void operator()(TaggedValue PlayerRecord::*f) const {
      std::string text;
      if (!readText(file, section, key, text)) return;
      if (text.empty())
        (p.*f).value = std::monostate{};
      else
        (p.*f).value = std::move(text);
    }
    void operator()(TimesIndex t) const { ReadIni(file, section, key, p.sTimes[t.index]); }
  } visitor{file, section, key, p};
  std::visit(visitor, field);
}

// Values the game would divide by, index the board with or wait on forever.
void mendPlayer(PlayerRecord& p, int32_t previousUser) {
  if (p.sUser < 0 || p.sUser > 2) p.sUser = previousUser;
  if (p.sLifeMax < 1) p.sLifeMax = 1;
  if (p.sExpNext < 1) p.sExpNext = 1;
  // A game is saved with the experience below the next mark; a huge value would level the player
  // up for hours, each level-up nested in the last.
  if (p.sExp > p.sExpNext) p.sExp = p.sExpNext;
  constexpr int32_t lastColumn = kPlayColumns - 1, lastRow = kPlayRows - 1;
  p.xPosMap = std::clamp(p.xPosMap, 0, lastColumn);
  p.yPosMap = std::min(p.yPosMap, lastRow);  // below 0 is a piece off the board
  p.BackMapX = std::clamp(p.BackMapX, 0, lastColumn);
  p.BackMapY = std::clamp(p.BackMapY, 0, lastRow);
  p.xPos = std::clamp(p.xPos, 0, lastColumn * 32);
  p.yPos = std::min(p.yPos, lastRow * 32);
}

}  // namespace

bool SaveGameData(std::string_view fileName) {
  const GameData& g = Game();
  std::vector<data_detail::IniEntry> entries;
  for (int i = 0; i < 4; ++i)
    for (const Key& k : kPlayerKeys) entries.push_back({sectionName(i), k.name, valueText(g.Players[i], k.field)});
  entries.push_back({"ALL", "TURN", std::to_string(g.TurnPlayer)});
  entries.push_back({"ALL", "TURNNM", std::to_string(g.TurnCount)});
  entries.push_back({"ALL", "SOUBA", g.SoubaText});
  return data_detail::WriteIniKeys(fileName, entries);
}

bool LoadGameData(std::string_view fileName) {
  if (!FileExists(fileName)) return false;
  GameData& g = Game();
  for (int i = 0; i < 4; ++i) {
    PlayerRecord& p = g.Players[i];
    int32_t previousUser = p.sUser;
    std::string section = sectionName(i);
    for (const Key& k : kPlayerKeys) readValue(fileName, section, k.name, p, k.field);
    mendPlayer(p, previousUser);
  }
  ReadIni(fileName, "ALL", "TURN", g.ResumePlayer);
  if (g.ResumePlayer < -1 || g.ResumePlayer > 3) g.ResumePlayer = -1;
  ReadIni(fileName, "ALL", "TURNNM", g.TurnCount);
  readText(fileName, "ALL", "Souba", g.SoubaText);
  SetSouba(g.SoubaText);
  return true;
}
