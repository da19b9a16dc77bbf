#include "system/media.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "data/game_data.h"
#include "media/audio.h"
#include "media/wave.h"
#include "sys/clock.h"
#include "sys/path.h"
#include "system/input.h"
#include "ui/toolkit.h"

MediaState::~MediaState() = default;

MediaState& Media() {
  static MediaState state;
  return state;
}

void MediaReset() {
  MediaState& m = Media();
  m.Sound.reset();
  m.SlotFile.clear();
  m.LastMusic.clear();
  InputReset();
}

void DirectMediaInit() {
  SoundInit(10);
  MusicInit();
  InputInit();
}

void SoundInit(int32_t slotCount) {
  MediaState& m = Media();
  m.Sound.reset();
  int32_t slots = slotCount < 0 ? 0 : slotCount + 1;
  m.Sound = std::make_unique<media::AudioEngine>(slots, m.NullOutput     ? media::AudioEngine::Output::Null
                                                        : m.SilentOutput ? media::AudioEngine::Output::Silent
                                                                         : media::AudioEngine::Output::Sdl);
  m.Sound->open();
  m.Sound->setVolumeDb(-4.5);
  m.SlotFile.assign(static_cast<size_t>(slots), "");
}

std::string SoundFontToUse() {
  if (!Media().SoundFont.empty()) return Media().SoundFont;
  const char* chosen = std::getenv("VORAK_SOUNDFONT");
  return chosen && *chosen ? chosen : media::defaultSoundFont();
}

void MusicInit() {
  MediaState& m = Media();
  if (!m.Sound) SoundInit(10);
  const GameData& g = Game();
  m.Sound->startMusic(SoundFontToUse(), g.DatFolder.empty() ? "" : g.DatFolder + "MusicLevels.ini");
  // The game's pieces are measured while the title waits, so none keeps a player waiting later.
  if (g.WavFolder.empty()) return;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sys::resolvePath(g.WavFolder), ec)) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    std::string bytes;
    if (ext == ".mid" && sys::readFile(entry.path().string(), bytes)) m.Sound->prepareMusic(bytes);
  }
}

void PlayMusic(std::string_view fileName, int32_t repeats) {
  MediaState& m = Media();
  if (ui::isMinimized()) return;
  std::string name(fileName.empty() ? std::string_view(m.LastMusic) : fileName);
  if (name.empty()) return;
  m.LastMusic = name;
  if (!m.Sound || !m.Sound->musicOn()) return;
  std::string bytes;
  std::string error;
  if (!sys::readFile(name, bytes)) {
    media::reportOnce("music " + name + " not found");
    m.Sound->stopMusic();
    return;
  }
  // A repeat count of 1 or less plays the piece once.
  if (!m.Sound->playMusic(bytes, repeats > 1 ? repeats : 1, &error)) {
    media::reportOnce("music " + name + ": " + error);
    m.Sound->stopMusic();
  }
}

void StopMusic() {
  MediaState& m = Media();
  if (m.Sound) m.Sound->stopMusic();
}

bool LoadSoundSlot(int32_t slot, std::string_view fileName) {
  MediaState& m = Media();
  if (!m.Sound || slot < 0 || slot >= static_cast<int32_t>(m.SlotFile.size())) return false;
  auto wave = std::make_shared<media::Wave>();
  std::string error;
  if (!media::loadWave(fileName, *wave, &error)) {
    media::reportOnce("sound " + std::string(fileName) + ": " + error);
    return false;
  }
  m.Sound->load(slot, std::move(wave));
  return true;
}

void SetSoundFrequency(int32_t slot, int32_t& freqDelta) {
  MediaState& m = Media();
  if (!m.Sound || !m.Sound->loaded(slot)) return;
  int base = m.Sound->baseFrequency(slot);
  int64_t wanted = static_cast<int64_t>(base) + freqDelta;
  int32_t hz = wanted < media::Mixer::kMinFrequency   ? media::Mixer::kMinFrequency
               : wanted > media::Mixer::kMaxFrequency ? media::Mixer::kMaxFrequency
                                                      : static_cast<int32_t>(wanted);
  freqDelta = m.Sound->setFrequency(slot, hz) - base;
}

void PlaySound(int32_t slot, std::string_view fileName, bool loop, bool play, bool waitEnd, int32_t freqDelta) {
  MediaState& m = Media();
  if (ui::isMinimized() || !m.Sound) return;
  // Negative slots are refused as well as those above the highest index.
  if (slot < 0 || slot >= static_cast<int32_t>(m.SlotFile.size())) return;
  std::string& held = m.SlotFile[static_cast<size_t>(slot)];
  if (held != fileName) {
    if (!LoadSoundSlot(slot, fileName)) return;
    held = fileName;
  }
  m.Sound->stop(slot);
  if (!play) return;
  SetSoundFrequency(slot, freqDelta);
  m.Sound->play(slot, loop);
  if (loop || !waitEnd) return;
  sys::Clock& c = sys::clock();
  const int64_t deadline = c.now() + 7 * c.frequency();
  const int64_t step = c.frequency() / 1000;
  while (m.Sound->playing(slot) && c.now() < deadline) c.waitUntil(c.now() + step);
}
