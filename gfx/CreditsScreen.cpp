// Stand-in until the credits screen is built.
#include "gfx/CreditsScreen.h"

CreditsScreen::CreditsScreen() {}
CreditsScreen::~CreditsScreen() {}
void CreditsScreen::Update(float) {}
void CreditsScreen::Render() {}
