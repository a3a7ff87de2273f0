// Entry point of the game.
#include "game/Game.h"

int main() { return GameMain(); }
