// Writes the 22 sounds of the game under their game names: WAV where the name
// ends in .wav, MP3 where it ends in .mp3. The two music layers are rendered
// and encoded on their own threads while the effects are made. Every sound is
// finished the same way before it is written: no sub-bass or DC, one-shots
// opening on their first sound, loops opening at a quiet point, and the level
// set by loudness to what SoundLevels.h gives its role.
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "sound/SoundTable.h"
#include "tools/datagen/Generators.h"
#include "tools/datagen/sounds/SoundDesigns.h"
#include "tools/datagen/sounds/SoundLevels.h"
#include "tools/datagen/sounds/dsp/Mastering.h"
#include "tools/datagen/sounds/dsp/SoundWriter.h"
#include "tools/datagen/sounds/music/MusicPiece.h"

namespace {

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

synth::Stereo Design(const std::string& name) {
  using namespace sounds;
  if (name == "Tree_Growing_01") return GrowingSwell();
  if (name == "Thunder") return Thunder(0);
  if (name == "Thunder2") return Thunder(1);
  if (name == "Thunder3") return Thunder(2);
  if (name == "Rain_Loop_04") return RainLoop();
  if (name == "GameMusic") return music::LightLayer();
  if (name == "GameMusic2") return music::DarkLayer();
  if (name == "Fire") return FireLoop();
  if (name == "Dead") return Poof();
  if (name == "Dead2") return GhostWhoosh();
  if (name == "EvilZarvo") return EvilLaugh();
  if (name == "GirlScream") return GirlScream(0);
  if (name == "GirlScream2") return GirlScream(1);
  if (name == "Plane_Warning") return PlaneEngineLoop();
  if (name == "GainRank") return MagicBells();
  if (name == "Explode_Sheep1") return Splat(0);
  if (name == "Explode_Sheep2") return Splat(1);
  if (name == "Explode_WetSheep1") return ElectricExplosion();
  if (name == "Explode_WetSheep2") return SparkActivate();
  if (name == "ManScream1") return ManScream(0);
  if (name == "ManScream2") return ManScream(1);
  if (name == "ManScream3") return ManScream(2);
  throw std::runtime_error("no sound design for " + name);
}

// Sample peaks stay under -1.5 dBFS, which keeps the peaks between samples
// under -1 dBFS.
constexpr float kCeiling = 0.84f;

void Finish(synth::Stereo& s, const SoundFile& file) {
  if (std::string(file.name).rfind("GameMusic", 0) == 0) {
    // The music keeps its bass, down to what is too low to hear, and opens
    // on its first beat, in step with the other layer.
    synth::HighPassAll(s, 20.0, true);
    synth::RemoveDc(s, true);
  } else {
    // Everything else loses what small speakers cannot play.
    synth::HighPassAll(s, 35.0, file.looping);
    synth::RemoveDc(s, file.looping);
    if (file.looping) {
      synth::StartLoopAtQuietPoint(s);
    } else {
      // A few milliseconds of attack, and a clean end after the high-pass.
      synth::TrimLeadingQuiet(s, 0.01f, 0.002, 0.003);
      synth::Fade(s.left, 0.0, 0.005);
      synth::Fade(s.right, 0.0, 0.005);
    }
  }
  synth::LevelTo(s, sounds::FileLoudness(file), kCeiling, file.looping);
}

void Write(const std::string& path, const SoundFile& file) {
  synth::Stereo sound = Design(file.name);
  Finish(sound, file);
  if (EndsWith(path, ".mp3")) {
    WriteMp3(path, sound);
  } else if (sound.left == sound.right) {
    WriteWav(path, sound.left);
  } else {
    WriteWav(path, sound);
  }
}

}  // namespace

void GenerateSounds(const Output& out) {
  // Folders first, on this thread; then the music on two threads while the
  // effects are made here. Errors travel back as text.
  std::string paths[SoundCount], errors[SoundCount];
  for (int i = 0; i < SoundCount; ++i) paths[i] = DataPath(out.dataDir, kSoundFiles[i].file);
  std::vector<std::thread> workers;
  for (int i = 0; i < SoundCount; ++i) {
    if (!EndsWith(kSoundFiles[i].file, ".mp3")) continue;
    workers.emplace_back([&paths, &errors, i] {
      try {
        Write(paths[i], kSoundFiles[i]);
      } catch (const std::exception& e) {
        errors[i] = e.what();
      }
    });
  }
  for (int i = 0; i < SoundCount; ++i) {
    if (EndsWith(kSoundFiles[i].file, ".mp3")) continue;
    try {
      Write(paths[i], kSoundFiles[i]);
    } catch (const std::exception& e) {
      errors[i] = e.what();
    }
  }
  for (std::thread& t : workers) t.join();
  for (const std::string& e : errors)
    if (!e.empty()) throw std::runtime_error(e);
}
