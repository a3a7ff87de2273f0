// The heads-up display: energy gauges, rank badges, lightning charges, scores,
// join prompts, "Pause" and the frame statistics.
#pragma once

#include <string>

void RenderHud();
void RenderHudText();
// A float as a default-formatted stream writes it (six significant digits).
std::string NumberText(float value);
