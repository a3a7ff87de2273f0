// Named fields of the game's objects for the simulator: each can be read into
// JSON for `dump` and written from script words for `set`. Every class that
// the simulator shows registers one field list (see *Fields.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/hgeVector.h"

class SpriteSheet;
class GameObject;

struct Field;
using FieldList = std::vector<Field>;

struct Field {
  std::string name;
  std::function<nlohmann::json()> get;
  // Parses the words after the field name; false when they do not fit.
  std::function<bool(const std::vector<std::string>&)> set;
  // For a nested object: its own fields, reached by "name.child".
  std::function<FieldList()> children = nullptr;
};

// A float as the shortest JSON number that reads back as the same float.
nlohmann::json FloatJson(float value);

// Field makers for the usual member types.
Field MakeField(const std::string& name, float& value);
Field MakeField(const std::string& name, int32_t& value);
Field MakeField(const std::string& name, bool& value);
Field MakeField(const std::string& name, hgeVector& value);
Field MakeField(const std::string& name, std::string& value);
// The file name of a sheet, read-only.
Field MakeSheetField(const std::string& name, SpriteSheet*& sheet);
// An owned particle system, read-only: null when there is none, else its
// age (-2 stopped, -1 emitting), live particles and place.
Field MakeParticleField(const std::string& name, class hgeParticleSystem*& system);
// An int-backed enum, shown and set as its number.
template <typename E>
Field MakeEnumField(const std::string& name, E& value) {
  return Field{name, [&value] { return nlohmann::json(static_cast<int32_t>(value)); },
               [&value](const std::vector<std::string>& w) {
                 if (w.size() != 1) return false;
                 try {
                   value = static_cast<E>(std::stoi(w[0]));
                 } catch (...) {
                   return false;
                 }
                 return true;
               }};
}
// A nested object shown as a JSON object; set reaches its fields by "a.b".
Field MakeObjectField(const std::string& name, std::function<FieldList()> fields);
// A read-only computed value.
Field MakeReadOnly(const std::string& name, std::function<nlohmann::json()> get);

// The common fields of every world object: class, position, size, sheet.
FieldList GameObjectFields(GameObject& object, const std::string& className);

// Per-class registration: how to show an object of the lists, and how to make
// one for `spawn`. Each *Fields.cpp adds its classes with a static registrar.
struct ObjectClass {
  std::string name;                              // "Cloud1", "Tree", ...
  std::function<GameObject*()> make;             // null: not spawnable under this name
  std::function<bool(GameObject*)> is;           // true when the object is of this class
  std::function<FieldList(GameObject*)> fields;  // every field, common ones included
  bool energyCloud = false;                      // spawn appends to cloudobjects instead of objects
};
std::vector<ObjectClass>& ObjectClasses();
struct RegisterObjectClass {
  explicit RegisterObjectClass(ObjectClass c) { ObjectClasses().push_back(std::move(c)); }
};

// Field lists of the single objects, defined next to their classes' registrations.
FieldList PlayerCloudFields(class PlayerCloud& cloud);
FieldList RainFields();
FieldList SceneryFields();
FieldList MountainFields();
FieldList PlaneFields();
FieldList SpawnFields();
