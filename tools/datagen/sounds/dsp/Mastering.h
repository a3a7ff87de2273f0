// The last steps every generated sound goes through before it is written:
// the sub-bass and any DC taken out, one-shots started at their first sound,
// loops started where both channels are near zero, and the level set by
// loudness, with a look-ahead limiter holding the peaks under a ceiling.
// Functions marked for loops treat the sound as a circle: the last sample is
// followed by the first, so what they do leaves the seam as smooth as it was.
#pragma once

#include "tools/datagen/sounds/dsp/SynthDsp.h"

namespace synth {

// Fourth-order Butterworth high-pass at hz over both channels. A loop's
// filters are warmed up on its last second first, so that the lap they keep
// is what they would give on the hundredth time round.
void HighPassAll(Stereo& s, double hz, bool loop);

// Takes out what average the high-pass leaves over the sound's length: a
// loop by a constant, a one-shot by a swell as long as itself (zero at both
// ends, so its silent head and tail stay silent).
void RemoveDc(Stereo& s, bool loop);

// Drops what comes before the first frame above `relative` times the peak,
// but for `keep` seconds, then fades the new head in over `attack` seconds.
void TrimLeadingQuiet(Stereo& s, float relative, double keep, double attack);

// Turns a loop so that it starts at the frame where both channels are
// closest to zero, on a rising edge of the left one.
void StartLoopAtQuietPoint(Stereo& s);

// Look-ahead peak limiter: the gain dips smoothly (over about 2 ms before a
// peak) just enough to keep every sample within the ceiling, and recovers
// over about 80 ms.
void Limit(Stereo& s, float ceiling, bool loop);

// Scales the sound to the given integrated loudness (LUFS). When that would
// push a sample over the ceiling, the limiter holds it and the gain is found
// again with the limiter in place; returns the loudness reached.
double LevelTo(Stereo& s, double lufs, float ceiling, bool loop);

}  // namespace synth
