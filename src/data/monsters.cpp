#include "data/monsters.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <optional>
#include <vector>

#include "data/fields.h"
#include "sys/path.h"
#include "sys/text.h"

namespace {

using data_detail::splitAt;
using data_detail::trimBlanks;

constexpr std::string_view kBuiltInMonsters[] = {
    "モンスター,0,スライム,1,5,4,3,2,0,3,0,0,4,{2&DFE}{1&FFF}",
    "モンスター,1,くも,2,10,5,3,5,0,0,0,0,5,{2&88F}{1&FEF}",
    "モンスター,2,こうもり,3,15,8,10,8,0,3,0,0,6,{2&A5F}{1&FEF}",
    "モンスター,3,さそり,4,20,16,7,10,0,1,0,0,7,{2&FAA}{1&0FF}",
    "モンスター,4,ちびヴォラク,4,50,15,16,15,2,10,0,0,8,{2&FFF}{1&EEF}",
    "モンスター,5,ローパー,5,20,12,16,15,0,2,0,0,9,{2&DFE}{1&FFF}",
    "モンスター,6,なめくじ,5,30,14,17,20,0,0,0,0,10,{2&88F}{1&FEF}",
    "モンスター,7,火の玉,6,50,18,19,25,0,0,0,0,11,{2&A5F}{1&FEF}",
    "モンスター,8,へび,7,75,36,23,30,0,1,0,0,12,{2&FAA}{1&0FF}",
    "モンスター,9,しっぽヴォラク,7,100,30,30,30,2,15,0,0,13,{2&FFF}{1&EEF}",
    "モンスター,10,ミイラ,8,70,40,30,40,1,3,1,0,14,{2&DFE}{1&FFF}",
    "モンスター,11,オーク,8,75,45,35,45,1,4,0,0,15,{2&88F}{1&FEF}",
    "モンスター,12,ゴブリン,9,80,55,40,50,1,5,1,0,16,{2&A5F}{1&FEF}",
    "モンスター,13,たこ,9,90,80,45,55,0,0,0,0,17,{2&FAA}{1&0FF}",
    "モンスター,14,つのヴォラク,10,200,70,50,60,2,15,2,0,18,{2&FFF}{1&EEF}",
    "モンスター,15,でかスライム,10,80,75,50,45,0,5,0,0,19,{2&DFE}{1&FFF}",
    "モンスター,16,ゾンビ,11,100,80,45,65,2,5,0,0,20,{2&88F}{1&FEF}",
    "モンスター,17,イカ,12,120,85,50,70,0,0,0,0,21,{2&A5F}{1&FEF}",
    "モンスター,18,レッドドラゴン,12,160,90,48,75,1,5,0,0,22,{2&FAA}{1&0FF}",
    "モンスター,19,レッドヴォラク,13,300,75,50,80,2,15,0,0,23,{2&FFF}{1&EEF}",
    "モンスター,20,骸骨,13,100,80,50,80,1,1,0,0,24,{2&DFE}{1&FFF}",
    "モンスター,21,透明人間,14,50,85,70,85,1,5,0,0,25,{2&88F}{1&FEF}",
    "モンスター,22,ガーゴイル,14,120,90,48,90,2,3,0,0,26,{2&A5F}{1&FEF}",
    "モンスター,23,ヒドラ,15,130,95,50,95,3,0,0,0,27,{2&FAA}{1&0FF}",
    "モンスター,24,キングヴォラク,16,400,100,55,100,2,30,8,0,28,{2&FFF}{1&EEF}",
};

constexpr size_t kFieldCount = 14;
static_assert(std::size(kBuiltInMonsters) == kBuiltInMonsterCount);
constexpr double kNumberLimit = 1000000;

// A whole number of the line; nothing when it does not read or lies outside what a monster holds.
std::optional<int32_t> lineNumber(std::string_view field) {
  std::optional<double> v = sys::parseNumber(field);
  if (!v || !std::isfinite(*v) || *v < 0 || *v >= kNumberLimit) return std::nullopt;
  return sys::roundInt(*v);
}

// The fields of a well-formed line; every number is checked before the table changes, so a
// bad line leaves it as it was.
struct ParsedLine {
  std::vector<std::string_view> f;
  int32_t n[kFieldCount] = {};
};

std::optional<ParsedLine> parseLine(std::string_view line) {
  ParsedLine p;
  p.f = splitAt(line, ',');
  if (p.f.size() < kFieldCount) return std::nullopt;
  static constexpr size_t kNumberFields[] = {1, 3, 4, 5, 6, 7, 8, 9, 11, 12};
  for (size_t i : kNumberFields) {
    std::optional<int32_t> v = lineNumber(p.f[i]);
    if (!v) return std::nullopt;
    p.n[i] = *v;
  }
  if (p.n[1] > kMonsterNumberMax) return std::nullopt;
  return p;
}

}  // namespace

void InitMonsterTable() {
  Game().Monsters.clear();
  for (std::string_view line : kBuiltInMonsters) ParseMonsterLine(line);
}

std::optional<int32_t> MonsterLineNumber(std::string_view line) {
  std::optional<ParsedLine> p = parseLine(line);
  if (!p) return std::nullopt;
  return p->n[1];
}

bool ParseMonsterLine(std::string_view line) {
  std::optional<ParsedLine> parsed = parseLine(line);
  if (!parsed) return false;
  const auto& f = parsed->f;
  const auto& n = parsed->n;

  std::vector<PlayerRecord>& table = Game().Monsters;
  // Rows a file skips are met like any other; life is divided by, so they get some.
  PlayerRecord gap;
  gap.sLife = gap.sLifeMax = 1;
  table.resize(static_cast<size_t>(n[1]) + 1, gap);
  PlayerRecord& m = table[static_cast<size_t>(n[1])];
  m.sName = trimBlanks(f[2]);
  m.sLevel = n[3];
  // Life is divided by later; a monster always has some.
  m.sLife = n[4] < 1 ? 1 : n[4];
  m.sLifeMax = m.sLife;
  m.sStr = n[5];
  m.sLuck = n[6];
  m.sExp = n[7];
  m.sDrug = n[8];
  m.sMoney = n[9];
  m.sEtc = f[10];
  m.xPos = n[11];
  m.yPos = n[12];
  m.sColor = f[13];
  return true;
}

bool LoadMonsterFile(std::string_view fileName) {
  std::optional<std::vector<std::string>> lines = data_detail::filledLines(fileName);
  if (!lines) return false;
  for (const std::string& line : *lines) ParseMonsterLine(line);
  return true;
}

bool CheckMonsterFile(std::string_view fileName) {
  std::optional<std::vector<std::string>> lines = data_detail::filledLines(fileName);
  if (!lines || lines->size() < kBuiltInMonsterCount) return false;
  for (size_t i = 0; i < lines->size(); ++i)
    if (MonsterLineNumber((*lines)[i]) != static_cast<int32_t>(i)) return false;
  return true;
}

std::string MonsterLine(const PlayerRecord& m, int index) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", index);
  std::string line = "モンスター,";
  line += number;
  for (const std::string& field :
       {m.sName, std::to_string(m.sLevel), std::to_string(m.sLife), std::to_string(m.sStr), std::to_string(m.sLuck),
        std::to_string(m.sExp), std::to_string(m.sDrug), std::to_string(m.sMoney), m.sEtc, std::to_string(m.xPos),
        std::to_string(m.yPos), m.sColor}) {
    line += ',';
    line += field;
  }
  return line;
}

bool SaveMonsterFile(std::string_view fileName) {
  const std::vector<PlayerRecord>& table = Game().Monsters;
  std::string text;
  for (size_t i = 0; i < table.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += MonsterLine(table[i], static_cast<int>(i));
  }
  return sys::writeFileAtomic(fileName, text + "\r\n");
}
