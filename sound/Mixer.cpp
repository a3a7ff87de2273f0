// The audio device over SDL2_mixer. A hold count lets several banks (and the
// tests' decoder) share it; the owner table records, per channel, the serial
// number of the last instance started there. All calls come from the game's
// thread: only Start writes the table, so no lock is needed.
#include "sound/Mixer.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "engine/Platform.h"

namespace mixer {

namespace {

int holds = 0;
uint64_t owners[kChannels] = {};
uint64_t nextSerial = 1;

bool ValidChannel(int channel) { return holds > 0 && channel >= 0 && channel < kChannels; }

// Starts SDL's audio and opens the device with standard error muted: without a
// sound card the audio libraries under SDL (ALSA above all) print a screen of
// their own errors. On failure *why gets SDL's reason.
bool OpenDeviceQuietly(std::string* why) {
  fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (saved >= 0 && null >= 0) dup2(null, STDERR_FILENO);
  if (null >= 0) close(null);
  bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (ok && Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 1024) != 0) {
    ok = false;
    *why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  } else if (!ok) {
    *why = SDL_GetError();
  }
  fflush(stderr);
  if (saved >= 0) {
    dup2(saved, STDERR_FILENO);
    close(saved);
  }
  return ok;
}

// One line on standard error and in the log, the first time only.
void ReportNoDevice(const std::string& why) {
  static bool reported = false;
  if (reported) return;
  reported = true;
  const std::string line = "No sound device (" + why + "); the game runs without sound";
  fprintf(stderr, "%s\n", line.c_str());
  EngineLog(line);
}

}  // namespace

bool Acquire() {
  if (holds > 0) {
    ++holds;
    return true;
  }
  std::string why;
  if (!OpenDeviceQuietly(&why)) {
    ReportNoDevice(why);
    return false;
  }
  Mix_AllocateChannels(kChannels);
  for (uint64_t& owner : owners) owner = 0;
  holds = 1;
  return true;
}

void Release() {
  if (holds == 0 || --holds > 0) return;
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool IsOpen() { return holds > 0; }

Mix_Chunk* Load(const std::string& gameFileName) {
  if (holds == 0) return nullptr;
  SDL_RWops* file = SDL_RWFromFile(MapFileName(gameFileName.c_str()).c_str(), "rb");
  if (!file) return nullptr;
  return Mix_LoadWAV_RW(file, 1);  // closes the file; WAV and MP3 alike
}

void Free(Mix_Chunk* chunk) {
  if (chunk && holds > 0) Mix_FreeChunk(chunk);
}

int Start(Mix_Chunk* chunk, bool loop, int mixVolume, uint64_t* serial) {
  *serial = 0;
  if (!chunk || holds == 0) return -1;
  for (int channel = 0; channel < kChannels; ++channel) {
    if (Mix_Playing(channel)) continue;
    // A channel keeps the volume it was last given; the volume is set before
    // the sound starts, so its first mixed buffer already has it.
    Mix_Volume(channel, mixVolume);
    if (Mix_PlayChannel(channel, chunk, loop ? -1 : 0) < 0) return -1;
    owners[channel] = nextSerial++;
    *serial = owners[channel];
    return channel;
  }
  return -1;
}

bool Owns(int channel, uint64_t serial) {
  return serial != 0 && ValidChannel(channel) && owners[channel] == serial;
}

void Halt(int channel) {
  if (ValidChannel(channel)) Mix_HaltChannel(channel);
}

void HaltAll() {
  if (holds > 0) Mix_HaltChannel(-1);
}

void SetChannelVolume(int channel, int mixVolume) {
  if (ValidChannel(channel)) Mix_Volume(channel, mixVolume);
}

bool Playing(int channel) { return ValidChannel(channel) && Mix_Playing(channel) != 0; }

int ChannelVolume(int channel) { return ValidChannel(channel) ? Mix_Volume(channel, -1) : -1; }

}  // namespace mixer
