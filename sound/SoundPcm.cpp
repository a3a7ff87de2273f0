// Decodes through the mixer's loader and copies the sample out, so that what
// is checked is exactly what the game would play.
#include "sound/SoundPcm.h"

#include <SDL_mixer.h>

#include <cstring>

#include "sound/Mixer.h"

bool DecodeSound(const std::string& gameFileName, SoundPcm* out) {
  *out = SoundPcm{};
  if (!mixer::Acquire()) return false;
  bool ok = false;
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_Chunk* chunk = mixer::Load(gameFileName);
  if (chunk && Mix_QuerySpec(&rate, &format, &channels) && format == AUDIO_S16SYS) {
    out->rate = rate;
    out->channels = channels;
    out->samples.resize(chunk->alen / sizeof(int16_t));
    std::memcpy(out->samples.data(), chunk->abuf, out->samples.size() * sizeof(int16_t));
    ok = true;
  }
  mixer::Free(chunk);
  mixer::Release();
  return ok;
}
