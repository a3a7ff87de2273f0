// The one audio device of the program, shared by every sound bank: opened on
// first use (never during static initialisation), closed when its last user
// lets go. It also remembers which instance started on each mixing channel,
// so that a stale channel number never reaches another sound.
#pragma once

#include <cstdint>
#include <string>

struct Mix_Chunk;

namespace mixer {

constexpr int kRate = 44100;
constexpr int kChannels = 32;

// Opens the device (44.1 kHz, 16-bit stereo, 32 mixing channels) or takes
// another hold on it. False when there is no audio: then nothing is held, and
// the first failure of the process says so on standard error and in the log.
bool Acquire();
// Gives back one hold; the last one stops all sound and closes the device.
void Release();
bool IsOpen();

// Decodes a whole WAV or MP3 file (game name, backslashes allowed) into a
// sample in the device's format. Null on failure or with no device open.
Mix_Chunk* Load(const std::string& gameFileName);
void Free(Mix_Chunk* chunk);

// Starts the chunk on a free channel at the given volume (0..128), looping
// forever when asked. Returns the channel (or -1: no chunk, no device, no free
// channel) and the instance's serial number in *serial.
int Start(Mix_Chunk* chunk, bool loop, int mixVolume, uint64_t* serial);
// True while the given instance still owns the channel: no later Start has
// put anything else on it.
bool Owns(int channel, uint64_t serial);
void Halt(int channel);  // one channel; -1 is ignored
void HaltAll();
void SetChannelVolume(int channel, int mixVolume);  // 0..128; -1 is ignored

// For tests: what a channel is doing.
bool Playing(int channel);
int ChannelVolume(int channel);  // 0..128, -1 for a bad channel or no device

}  // namespace mixer
