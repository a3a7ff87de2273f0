// Field makers for the simulator's dump and set, and the class registry.
#include "tools/sim/Fields.h"

#include <charconv>
#include <cmath>

#include "gfx/SpriteSheet.h"
#include "gfx/hgeParticleSystem.h"
#include "objects/GameObject.h"

// Floats are shown with the shortest text that reads back as the same float,
// so that dumps stay short and identical from run to run.
nlohmann::json FloatJson(float value) {
  if (!std::isfinite(value))
    return nlohmann::json(std::isnan(value) ? "nan" : (value > 0 ? "inf" : "-inf"));
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return nlohmann::json(std::stod(std::string(buffer, result.ptr)));
}

namespace {

bool ParseFloat(const std::string& word, float* out) {
  try {
    size_t used = 0;
    *out = std::stof(word, &used);
    return used == word.size();
  } catch (...) {
    return false;
  }
}

}  // namespace

Field MakeField(const std::string& name, float& value) {
  return Field{name, [&value] { return FloatJson(value); },
               [&value](const std::vector<std::string>& w) {
                 return w.size() == 1 && ParseFloat(w[0], &value);
               }};
}

Field MakeField(const std::string& name, int32_t& value) {
  return Field{name, [&value] { return nlohmann::json(value); },
               [&value](const std::vector<std::string>& w) {
                 if (w.size() != 1) return false;
                 try {
                   size_t used = 0;
                   value = std::stoi(w[0], &used);
                   return used == w[0].size();
                 } catch (...) {
                   return false;
                 }
               }};
}

Field MakeField(const std::string& name, bool& value) {
  return Field{name, [&value] { return nlohmann::json(value); },
               [&value](const std::vector<std::string>& w) {
                 if (w.size() != 1) return false;
                 if (w[0] == "true" || w[0] == "1")
                   value = true;
                 else if (w[0] == "false" || w[0] == "0")
                   value = false;
                 else
                   return false;
                 return true;
               }};
}

Field MakeField(const std::string& name, hgeVector& value) {
  return Field{name,
               [&value] {
                 return nlohmann::json::array({FloatJson(value.x), FloatJson(value.y)});
               },
               [&value](const std::vector<std::string>& w) {
                 hgeVector v;
                 if (w.size() != 2 || !ParseFloat(w[0], &v.x) || !ParseFloat(w[1], &v.y))
                   return false;
                 value = v;
                 return true;
               }};
}

Field MakeField(const std::string& name, std::string& value) {
  return Field{name, [&value] { return nlohmann::json(value); },
               [&value](const std::vector<std::string>& w) {
                 std::string joined;
                 for (size_t i = 0; i < w.size(); ++i) joined += (i ? " " : "") + w[i];
                 value = joined;
                 return true;
               }};
}

Field MakeSheetField(const std::string& name, SpriteSheet*& sheet) {
  return MakeReadOnly(
      name, [&sheet] { return sheet ? nlohmann::json(sheet->fileName) : nlohmann::json(nullptr); });
}

Field MakeParticleField(const std::string& name, hgeParticleSystem*& system) {
  return MakeReadOnly(name, [&system] {
    if (!system) return nlohmann::json(nullptr);
    return nlohmann::json{
        {"age", FloatJson(system->fAge)},
        {"alive", system->nParticlesAlive},
        {"location", {FloatJson(system->vecLocation.x), FloatJson(system->vecLocation.y)}}};
  });
}

Field MakeObjectField(const std::string& name, std::function<FieldList()> fields) {
  return Field{name,
               [fields] {
                 nlohmann::json object = nlohmann::json::object();
                 for (const Field& f : fields())
                   if (f.get) object[f.name] = f.get();
                 return object;
               },
               nullptr, fields};
}

Field MakeReadOnly(const std::string& name, std::function<nlohmann::json()> get) {
  return Field{name, std::move(get), nullptr};
}

FieldList GameObjectFields(GameObject& object, const std::string& className) {
  return {MakeReadOnly("class", [className] { return nlohmann::json(className); }),
          MakeField("position", object.position), MakeField("size", object.size),
          MakeSheetField("sheet", object.sheet)};
}

std::vector<ObjectClass>& ObjectClasses() {
  static std::vector<ObjectClass> classes;
  return classes;
}
