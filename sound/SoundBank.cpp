// The sound bank over the shared mixer device. Samples are decoded whole at
// load time; each Play starts a new instance, at the volume last set for the
// name, and the name's channel then points at it. Stop and SetVolume reach a channel only while the
// name's newest instance still owns it, so a finished sound's old channel number never touches
// whatever plays there now.
#include "sound/SoundBank.h"

#include <algorithm>

#include "sound/Mixer.h"

SoundBank* soundBank = new SoundBank;

namespace {

// 0..255 onto the mixer's 0..128, rounded.
int MixVolume(int volume) {
  const int v = std::clamp(volume, 0, 255);
  return (v * 128 * 2 + 255) / (2 * 255);
}

}  // namespace

SoundBank::SoundBank() : loadSlot(0) {}

SoundBank::~SoundBank() {
  if (deviceHeld_) {
    mixer::HaltAll();
    for (auto& [name, sample] : samples) mixer::Free(sample);
    mixer::Release();
  }
  samples.clear();
  channels.clear();
}

bool SoundBank::DeviceReady() {
  if (!deviceTried_) {
    deviceTried_ = true;
    deviceHeld_ = mixer::Acquire();
  }
  return deviceHeld_;
}

void SoundBank::Load(const std::string& name, const std::string& fileName, bool looping) {
  loadSlot = -1;
  // A name already loaded keeps its first sample; decoding the new file would
  // only leave an orphaned sample behind.
  if (samples.count(name)) return;
  Mix_Chunk* sample = DeviceReady() ? mixer::Load(fileName) : nullptr;
  channels.insert({name, -1});
  samples.insert({name, sample});
  looping_.insert({name, looping});
  instances_.insert({name, 0});
}

void SoundBank::LoadSound(const std::string& name, const std::string& fileName) {
  Load(name, fileName, false);
}

void SoundBank::LoadLoopingSound(const std::string& name, const std::string& fileName) {
  Load(name, fileName, true);
}

void SoundBank::Play(const std::string& name) {
  if (callLog) callLog->push_back("Play " + name);
  auto sample = samples.find(name);
  if (sample == samples.end()) return;
  uint64_t serial = 0;
  // A new instance starts at the volume last set for its name (full before any),
  // not loud for one mixer buffer until the next frame sets it.
  auto volume = volumes_.find(name);
  const int mixVolume = MixVolume(volume == volumes_.end() ? 255 : volume->second);
  const int channel =
      DeviceReady() ? mixer::Start(sample->second, looping_[name], mixVolume, &serial) : -1;
  channels[name] = channel;
  instances_[name] = serial;
}

bool SoundBank::OwnsChannel(const std::string& name, int* channel) const {
  auto c = channels.find(name);
  if (c == channels.end() || c->second < 0) return false;
  auto instance = instances_.find(name);
  if (instance == instances_.end() || !mixer::Owns(c->second, instance->second)) return false;
  *channel = c->second;
  return true;
}

void SoundBank::Stop(const std::string& name) {
  if (callLog) callLog->push_back("Stop " + name);
  int channel;
  if (OwnsChannel(name, &channel)) mixer::Halt(channel);
}

void SoundBank::SetVolume(const std::string& name, int volume) {
  volumes_[name] = volume;
  int channel;
  if (OwnsChannel(name, &channel)) mixer::SetChannelVolume(channel, MixVolume(volume));
}
