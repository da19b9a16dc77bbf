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

std::string DataFolderOf(const std::string& appFolder) { return sys::withTrailingSeparator(appFolder) + "Vorak-Dat/"; }

void InitFolderNames(std::string appFolder) {
  GameData& g = Game();
  g.AppFolder = sys::withTrailingSeparator(std::move(appFolder));
  g.MapFolder = g.AppFolder + "Vorak-Map/";
  g.WavFolder = g.AppFolder + "Vorak-Wav/";
  g.DatFolder = DataFolderOf(g.AppFolder);
  g.DataFile = g.DatFolder + "Vorak.Vrk";
}

void InitFolderNames() { InitFolderNames(sys::appFolder()); }
