// The bank of named sounds over the mixer: samples loaded once under short
// names, then played, stopped and given a volume by name. The audio device is
// opened on the first load or play, not when the bank is made.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Mix_Chunk;

class SoundBank {
 public:
  SoundBank();
  SoundBank(const SoundBank&) = delete;
  SoundBank& operator=(const SoundBank&) = delete;
  ~SoundBank();

  void LoadSound(const std::string& name, const std::string& fileName);
  void LoadLoopingSound(const std::string& name, const std::string& fileName);
  void Play(const std::string& name);
  void Stop(const std::string& name);
  void SetVolume(const std::string& name, int volume);  // 0..255

  int loadSlot;
  std::map<std::string, Mix_Chunk*> samples;  // null: the file failed to load
  std::map<std::string, int> channels;        // newest instance, -1 before the first Play

  // When set, every Play and Stop is appended here as "Play NAME" / "Stop NAME"
  // (the simulator's dump shows them).
  std::vector<std::string>* callLog = nullptr;

 private:
  void Load(const std::string& name, const std::string& fileName, bool looping);
  bool DeviceReady();  // opens the device on first use; false: run silent
  // The instance a name's channel belongs to, if that instance still owns it.
  bool OwnsChannel(const std::string& name, int* channel) const;

  bool deviceTried_ = false;
  bool deviceHeld_ = false;
  std::map<std::string, bool> looping_;
  std::map<std::string, uint64_t> instances_;  // serial of the newest instance
  std::map<std::string, int> volumes_;         // last volume set by name, 0..255
};

// Made during static initialisation, deleted at shutdown.
extern SoundBank* soundBank;
