#include "data/settings.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "data/game_data.h"
#include "data/ini_keys.h"
#include "sys/path.h"
#include "system/utility.h"

namespace {

constexpr const char* kSeatKeys[4] = {"0", "1", "2", "3"};
constexpr const char* kDefaultNames[4] = {"ブルー", "ピンク", "グリーン", "イエロー"};
constexpr const char* kSpeedKeys[3] = {"MSG", "ATK", "ETC"};
const Fixed kDefaultSpeed = Fixed::fromRaw(2000);  // 0.2
// Seconds: a file edited by hand may hold anything, and a wait of -1e300 or 1e300 seconds
// would be skipped or never end.
const Fixed kSlowestSpeed = Fixed(2);
const Fixed kFastestSpeed = Fixed::fromRaw(100);  // 0.01

// The game writes a few hundred bytes, a few kilobytes with the longest names. A file far
// beyond that is no file of ours, and reading it key by key kept the title black for seconds.
constexpr std::uintmax_t kSettingsFileMax = 64 * 1024;

bool tooLarge(std::string_view fileName) {
  std::error_code ec;
  const std::filesystem::path real = sys::resolvePath(fileName);
  const std::uintmax_t size = std::filesystem::file_size(real, ec);
  return !ec && size > kSettingsFileMax;
}

// Settings take the leading number of a value; no number at all counts 0.
double number(std::string_view file, std::string_view section, std::string_view key) {
  return sys::val(ReadIni(file, section, key));
}

// The name a file too large is moved to: the first one free, else the last.
std::filesystem::path asideName(const std::filesystem::path& real) {
  std::filesystem::path name;
  for (int i = 1; i <= kSettingsAsideMax; ++i) {
    name = real.string() + (i == 1 ? "" : "." + std::to_string(i)) + ".bad";
    std::error_code ec;
    if (!std::filesystem::exists(name, ec) && !ec) break;
  }
  return name;
}

}  // namespace

SettingsRead LoadSettings(std::string_view fileName) {
  SettingsRead result;
  if (tooLarge(fileName)) {
    result.setAside = true;
    std::error_code ec;
    const std::filesystem::path real = sys::resolvePath(fileName), aside = asideName(real);
    std::filesystem::rename(real, aside, ec);
    if (!ec) result.asideName = aside.filename().string();
    // Where it cannot be moved, it is still not read: the defaults below read no file.
    fileName = "";
  }
  GameData& g = Game();
  for (int i = 0; i < 4; ++i) {
    int32_t kind = sys::roundInt(number(fileName, "PLAYER", kSeatKeys[i]));
    // A kind the game does not know would leave a seat that neither waits nor thinks.
    g.PlayerKinds[i] = kind >= 0 && kind <= 2 ? kind : 1;
  }
  if (!FileExists(fileName)) g.PlayerKinds = {1, 1, 1, 1};
  for (int i = 0; i < 4; ++i) {
    g.PlayerNames[i] = ReadIni(fileName, "PLAYERNAME", kSeatKeys[i]);
    if (g.PlayerNames[i].empty()) g.PlayerNames[i] = kDefaultNames[i];
  }
  if (ReadIni(fileName, "CRT", "MODE") == "ON" && !g.DisplayChanged) Hooks().CrtChange();
  for (int i = 0; i < 3; ++i) {
    g.Speeds[i] = Fixed::fromDouble(number(fileName, "SPEED", kSpeedKeys[i]));
    if (g.Speeds[i] == 0) g.Speeds[i] = kDefaultSpeed;
    g.Speeds[i] = std::clamp(g.Speeds[i], kFastestSpeed, kSlowestSpeed);
  }
  g.StageNo = sys::roundInt(number(fileName, "MAP", "NOW"));
  if (g.StageNo < 2) g.StageNo = 1;
  return result;
}

bool SaveSettings(std::string_view fileName) {
  const GameData& g = Game();
  std::vector<data_detail::IniEntry> entries;
  for (int i = 0; i < 4; ++i) entries.push_back({"PLAYER", kSeatKeys[i], std::to_string(g.PlayerKinds[i])});
  for (int i = 0; i < 4; ++i) entries.push_back({"PLAYERNAME", kSeatKeys[i], g.PlayerNames[i]});
  entries.push_back({"CRT", "MODE", g.DisplayChanged ? "ON" : "OFF"});
  for (int i = 0; i < 3; ++i) entries.push_back({"SPEED", kSpeedKeys[i], sys::toText(g.Speeds[i])});
  entries.push_back({"MAP", "NOW", std::to_string(g.StageNo)});
  return data_detail::WriteIniKeys(fileName, entries);
}
