// The spine: start-up, the frame and render functions, the state machine and
// the orderly shutdown.
#pragma once

// Runs start-up, the engine's frame loop and shutdown; returns the exit status:
// 0, or 1 when the engine could not start.
int GameMain();

// Records the runs from now on into "last_game.replay" in the working folder,
// with the tuning file and the high-score table as they are at start.
void RecordGames();

bool FrameFunc();
bool RenderFunc();
// True when more than 0.5 s have passed since the last accepted guarded key.
bool KeyDelayElapsed();
