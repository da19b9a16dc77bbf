#include "data/save_game.h"

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "data/game_data.h"
#include "data/ini_keys.h"
#include "data/souba.h"
#include "sys/profile.h"
#include "sys/text.h"
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
// What a saved value may hold for the slot check: numbers outside these bounds are damage, not
// a game. The bounds are wide enough for anything play can reach.
struct Range {
  double low, high;
};
constexpr double kAny = 999999999;
constexpr Range kCount{0, kAny};
constexpr Range kNotNumber{0, 0};  // texts and flags

struct Key {
  const char* name;
  Field field;
  Range range = kNotNumber;
};

constexpr double kLastX = kPlayColumns - 1, kLastY = kPlayRows - 1;

// The saved fields of a record, in record order.
const Key kPlayerKeys[] = {
    {"sUser", &PlayerRecord::sUser, {0, 2}},
    {"zPos", &PlayerRecord::zPos, {-kAny, kAny}},
    {"xPos", &PlayerRecord::xPos, {0, kLastX * 32}},
    {"yPos", &PlayerRecord::yPos, {-kAny, kLastY * 32}},  // below 0: off the board
    {"BackMapX", &PlayerRecord::BackMapX, {0, kLastX}},
    {"BackMapY", &PlayerRecord::BackMapY, {0, kLastY}},
    {"xPosMap", &PlayerRecord::xPosMap, {0, kLastX}},
    {"yPosMap", &PlayerRecord::yPosMap, {-kAny, kLastY}},
    {"sChara", &PlayerRecord::sChara, {0, 999}},
    {"sPtn", &PlayerRecord::sPtn, {0, 999}},
    {"sName", &PlayerRecord::sName},
    {"sLevel", &PlayerRecord::sLevel, {1, 99}},
    {"sLife", &PlayerRecord::sLife, {0, 129}},
    {"sStr", &PlayerRecord::sStr, {0, 999}},
    {"sLuck", &PlayerRecord::sLuck, {0, 999}},
    {"sExp", &PlayerRecord::sExp, {0, 9999999}},
    {"sMoney", &PlayerRecord::sMoney, {0, 999}},
    {"sDrug", &PlayerRecord::sDrug, {0, 999}},
    {"sExpNext", &PlayerRecord::sExpNext, {1, 9999999}},
    {"sLifeMax", &PlayerRecord::sLifeMax, {1, 129}},
    {"sLifeMaxAd", &PlayerRecord::sLifeMaxAd, {0, 999999}},
    {"sLuckAd", &PlayerRecord::sLuckAd, {0, 999999}},
    {"sStrAd", &PlayerRecord::sStrAd, {0, 999999}},
    {"sExpAd", &PlayerRecord::sExpAd, {0, 999999}},
    {"sTimes0", TimesIndex{0}, kCount},
    {"sTimes1", TimesIndex{1}, kCount},
    {"sTimes2", TimesIndex{2}, kCount},
    {"sTimes3", TimesIndex{3}, kCount},
    {"sTimes4", TimesIndex{4}, kCount},
    {"sTimes5", TimesIndex{5}, kCount},
    {"sEtc", &PlayerRecord::sEtc},
    {"sColor", &PlayerRecord::sColor},
    {"EndingAnime", &PlayerRecord::EndingAnime},
    {"EndingAnimeNow", &PlayerRecord::EndingAnimeNow, kCount},
    {"EndingFlug", &PlayerRecord::EndingFlug},
    {"sScore", &PlayerRecord::sScore, kCount},
    {"sScoreAll", &PlayerRecord::sScoreAll, kCount},
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

// A saved text as it will be read: present, and a number within its bounds where one is wanted.
bool usable(const std::optional<std::string>& text, const Key& k) {
  if (!text) return false;
  if (std::holds_alternative<std::string PlayerRecord::*>(k.field) ||
      std::holds_alternative<TaggedValue PlayerRecord::*>(k.field))
    return true;
  if (std::holds_alternative<bool PlayerRecord::*>(k.field))
    return sys::equalsIgnoreCase(*text, "True") || sys::equalsIgnoreCase(*text, "False");
  std::optional<double> v = sys::parseNumber(*text);
  return v && *v >= k.range.low && *v <= k.range.high;
}

std::optional<std::string> savedText(std::string_view file, std::string_view section, std::string_view key) {
  std::string text;
  if (!readText(file, section, key, text)) return std::nullopt;
  return text;
}

// Values the game would divide by, index the board with or wait on forever.
void mendPlayer(PlayerRecord& p, int32_t previousUser) {
  if (p.sUser < 0 || p.sUser > 2) p.sUser = previousUser;
  p.sName = AsPlainText(p.sName);
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

bool CheckGameData(std::string_view fileName) {
  if (!FileExists(fileName)) return false;
  bool seated = false;
  for (int i = 0; i < 4; ++i) {
    const std::string section = sectionName(i);
    PlayerRecord p;
    for (const Key& k : kPlayerKeys) {
      if (!usable(savedText(fileName, section, k.name), k)) return false;
      readValue(fileName, section, k.name, p, k.field);
    }
    if (p.sLife > p.sLifeMax) return false;
    seated = seated || p.sUser != 0;
  }
  const Key turn{"TURN", {}, {0, 3}}, turns{"TURNNM", {}, {1, 999999}};
  const std::optional<std::string> souba = savedText(fileName, "ALL", "SOUBA");
  return seated && usable(savedText(fileName, "ALL", turn.name), turn) &&
         usable(savedText(fileName, "ALL", turns.name), turns) && souba && SoubaTextValid(*souba);
}
