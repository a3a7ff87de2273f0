// The spine: start-up, the frame and render functions, the state machine and
// the orderly shutdown.
#pragma once

// Runs start-up, the engine's frame loop and shutdown; returns the exit status (0).
int GameMain();

bool FrameFunc();
bool RenderFunc();
// True when more than 0.5 s have passed since the last accepted guarded key.
bool KeyDelayElapsed();
