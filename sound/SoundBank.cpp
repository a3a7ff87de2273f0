// Stand-in until the mixer is wired: records calls, plays nothing.
#include "sound/SoundBank.h"

SoundBank* soundBank = new SoundBank;

SoundBank::SoundBank() : loadSlot(0) {}
SoundBank::~SoundBank() {}
void SoundBank::LoadSound(const std::string& name, const std::string&) {
  loadSlot = -1;
  channels.insert({name, -1});
  samples.insert({name, nullptr});
}
void SoundBank::LoadLoopingSound(const std::string& name, const std::string& f) { LoadSound(name, f); }
void SoundBank::Play(const std::string& name) {
  if (callLog) callLog->push_back("Play " + name);
}
void SoundBank::Stop(const std::string& name) {
  if (callLog) callLog->push_back("Stop " + name);
}
void SoundBank::SetVolume(const std::string&, int) {}
