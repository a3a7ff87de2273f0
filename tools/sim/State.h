// The simulator's view of the whole game: the root fields that `dump` prints
// and `set` reaches.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/sim/Fields.h"

// Version of the dump's layout; raise it when a key changes meaning.
constexpr int DumpVersion = 1;

// Every root field of the game, in dump order.
FieldList RootFields();
// One line of JSON with the observable state; `sounds` lists the sound calls
// since the previous dump.
nlohmann::json DumpState(std::vector<std::string>& soundCalls);
// Sets the field at a dotted path ("player1.lightning.charges") from words.
// Returns an error text, empty on success.
std::string SetField(const std::string& path, const std::vector<std::string>& words);
// Makes an object of a registered class and appends it to its list.
std::string SpawnObject(const std::string& className, const std::vector<std::string>& words);
