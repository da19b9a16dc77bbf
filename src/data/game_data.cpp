#include "data/game_data.h"

#include <utility>

#include "sys/number.h"
#include "sys/path.h"

namespace {
GameData gGame;
DataHooks gHooks;
}  // namespace

std::string TaggedValue::text() const {
  if (const auto* d = std::get_if<double>(&value)) return sys::toText(*d);
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  if (const auto* list = std::get_if<std::vector<TaggedValue>>(&value)) {
    std::string out;
    for (size_t i = 0; i < list->size(); ++i) {
      if (i > 0) out += ',';
      out += (*list)[i].text();
    }
    return out;
  }
  return "";
}

GameData& Game() { return gGame; }

void ResetGameData() { gGame = GameData{}; }

DataHooks& Hooks() { return gHooks; }

void InitFolderNames(std::string appFolder) {
  // A folder that already ends in a separator (a root) gets none added; "" stays the current folder.
  if (!appFolder.empty() && appFolder.back() != '/' && appFolder.back() != '\\') appFolder += '/';
  GameData& g = Game();
  g.AppFolder = std::move(appFolder);
  g.MapFolder = g.AppFolder + "Vorak-Map/";
  g.WavFolder = g.AppFolder + "Vorak-Wav/";
  g.DatFolder = g.AppFolder + "Vorak-Dat/";
  g.DataFile = g.AppFolder + "Vorak-Dat/Vorak.Vrk";
}

void InitFolderNames() { InitFolderNames(sys::appFolder()); }
