// Our sound and music generators: effects from voice lists, pieces from note lists.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace audio {

// Every effect is written at this rate, 16-bit mono.
constexpr int kEffectRate = 22050;

struct RenderedEffect {
  std::string name;
  std::vector<int16_t> pcm;
};
// Renders every effect of an effects file's text. False with the line and reason in `error`.
bool renderEffects(const std::string& text, std::vector<RenderedEffect>& out, std::string& error);

struct TuneNote {
  uint32_t tick, length;  // length as it sounds, after the gate
  int channel, key, velocity;
};
struct CompiledTune {
  std::string file;
  double seconds = 0;
  uint32_t bars = 0;
  uint32_t ticks = 0;                         // the whole piece, a whole number of bars
  std::string midi;                           // the standard MIDI file
  std::vector<std::vector<TuneNote>> tracks;  // the notes of each track, in order
};
// Compiles a tune file's text. False with the reason in `error`.
bool compileTune(const std::string& text, CompiledTune& out, std::string& error);

// Renders every effect of an effects file into `outDir`. False (message on stderr) on any error.
bool makeEffects(const std::filesystem::path& source, const std::filesystem::path& outDir);

// Writes the MIDI file a tune file names into `outDir`. False (message on stderr) on any error.
bool makeTune(const std::filesystem::path& source, const std::filesystem::path& outDir);

// Renders `seconds` of a MIDI file through the game's audio engine into a stereo WAVE file.
bool renderTune(const std::string& midiPath, const std::string& wavPath, double seconds);

// Plays WAVE and MIDI files (each piece for `musicSeconds`) through the real SDL output.
bool playFiles(const std::vector<std::string>& files, double musicSeconds);

// A frequency in Hz from a number ("440") or a note name ("A4", "C#5", "Bb3").
bool parseFrequency(const std::string& text, double& hz);

// The line without its comment: a '#' at the start of a word ("C#5" keeps its sharp).
std::string stripComment(const std::string& line);

}  // namespace audio
