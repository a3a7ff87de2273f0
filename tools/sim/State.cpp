// Root fields of the game for the simulator: the globals of the shell, the
// world and the screens, plus a field list per object in the world lists.
#include "tools/sim/State.h"

#include "config/GameValues.h"
#include "engine/Platform.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/Loading.h"
#include "game/Music.h"
#include "game/TitleMenu.h"
#include "game/World.h"
#include "objects/Cloud.h"
#include "objects/GameObject.h"
#include "objects/PlayerCloud.h"
#include "persist/HighScores.h"

namespace {

FieldList ObjectFields(GameObject* object) {
  for (const ObjectClass& c : ObjectClasses())
    if (c.is && c.is(object)) return c.fields(object);
  return GameObjectFields(*object, "GameObject");
}

Field ListField(const std::string& name, std::function<std::vector<GameObject*>()> list) {
  Field f = MakeReadOnly(name, [list] {
    nlohmann::json array = nlohmann::json::array();
    for (GameObject* object : list()) {
      nlohmann::json entry = nlohmann::json::object();
      for (const Field& field : ObjectFields(object))
        if (field.get) entry[field.name] = field.get();
      array.push_back(entry);
    }
    return array;
  });
  // Elements are reached as "objects.3.position".
  f.children = [list] {
    FieldList elements;
    std::vector<GameObject*> objects = list();
    for (size_t i = 0; i < objects.size(); ++i) {
      GameObject* object = objects[i];
      elements.push_back(
          MakeObjectField(std::to_string(i), [object] { return ObjectFields(object); }));
    }
    return elements;
  };
  return f;
}

// The world objects; "set objects clear" destroys them all, as a new game does.
Field ObjectsField() {
  Field f = ListField("objects", [] { return objects; });
  f.set = [](const std::vector<std::string>& words) {
    if (words.size() != 1 || words[0] != "clear") return false;
    for (GameObject* object : objects) delete object;
    objects.clear();
    return true;
  };
  return f;
}

Field PlayerField(const std::string& name, PlayerCloud*& slot) {
  Field f = MakeReadOnly(name, [&slot] {
    if (!slot) return nlohmann::json(nullptr);
    nlohmann::json object = nlohmann::json::object();
    for (const Field& field : PlayerCloudFields(*slot))
      if (field.get) object[field.name] = field.get();
    return object;
  });
  f.children = [&slot] { return slot ? PlayerCloudFields(*slot) : FieldList{}; };
  return f;
}

FieldList TitleMenuFields() {
  if (!titleMenu) return {};
  TitleMenu& m = *titleMenu;
  return {MakeField("item", m.item),
          MakeField("playersChoice", m.playersChoice),
          MakeField("connector", m.connector),
          MakeField("connectorFrame", m.connectorFrame),
          MakeField("connectorStep", m.connectorStep),
          MakeField("subMenuFrame", m.subMenuFrame),
          MakeField("subMenuStep", m.subMenuStep),
          MakeField("lastStepTime", m.lastStepTime),
          MakeField("stepTime", m.stepTime)};
}

FieldList HighScoreFields() {
  if (!highScores) return {};
  HighScores& h = *highScores;
  return {MakeReadOnly("names", [&h] { return nlohmann::json(h.names); }),
          MakeReadOnly("points", [&h] { return nlohmann::json(h.points); }),
          MakeReadOnly("subject",
                       [&h] {
                         return h.subject ? nlohmann::json(h.subject->playerNumber)
                                          : nlohmann::json(nullptr);
                       }),
          MakeField("typedName", h.typedName)};
}

FieldList TuningFields() {
  FieldList fields;
  for (int line = 0; line < GameValueLines; ++line) {
    GameValueRef ref = GameValueAt(line);
    if (!ref.name) continue;
    if (line == 36) continue;  // the same variable as line 62
    if (ref.asFloat) fields.push_back(MakeField(ref.name, *ref.asFloat));
    if (ref.asInt) fields.push_back(MakeField(ref.name, *ref.asInt));
    if (ref.asBool) fields.push_back(MakeField(ref.name, *ref.asBool));
  }
  return fields;
}

// An object held through a global pointer: null in the dump while it does not exist.
template <typename T>
Field Nullable(const std::string& name, T* const& pointer, std::function<FieldList()> fields) {
  Field f = MakeObjectField(name, fields);
  auto get = f.get;
  f.get = [&pointer, get] { return pointer ? get() : nlohmann::json(nullptr); };
  return f;
}

}  // namespace

FieldList RootFields() {
  FieldList fields = {
      MakeReadOnly("version", [] { return nlohmann::json(DumpVersion); }),
      MakeEnumField("GameState", GameState),
      MakeReadOnly("time", [] { return FloatJson(hge ? hge->Timer_GetTime() : 0.0f); }),
      MakeField("frameDelta", frameDelta),
      MakeField("lastKeyTime", lastKeyTime),
      MakeField("showFrameStats", showFrameStats),
      PlayerField("player1", player1),
      PlayerField("player2", player2),
      ObjectsField(),
      ListField("cloudobjects",
                [] { return std::vector<GameObject*>(cloudobjects.begin(), cloudobjects.end()); }),
      Nullable("mountain", mountain, MountainFields),
      Nullable("plane", plane, PlaneFields),
      MakeObjectField("rain", RainFields),
      MakeObjectField("scenery", SceneryFields),
      MakeObjectField("spawn", SpawnFields),
      Nullable("titleMenu", titleMenu, TitleMenuFields),
      Nullable("highScores", highScores, HighScoreFields),
      MakeField("musicVolume", musicVolume),
      MakeField("music2Volume", music2Volume),
      MakeField("lastMusicStep", lastMusicStep),
      MakeField("tipText", tipText),
      MakeField("tipNumber", tipNumber),
      MakeReadOnly("messages", [] { return nlohmann::json(ShownErrorBoxes()); }),
  };
  // Tuning values are settable by name ("set energyDrainRate 0"); worldSpeed is shown.
  for (Field& f : TuningFields()) {
    if (f.name == "worldSpeed")
      fields.insert(fields.begin() + 3, f);
    else {
      f.get = nullptr;  // not part of the dump
      fields.push_back(f);
    }
  }
  return fields;
}

nlohmann::json DumpState(std::vector<std::string>& soundCalls) {
  nlohmann::json state = nlohmann::json::object();
  for (const Field& f : RootFields())
    if (f.get) state[f.name] = f.get();
  state["sounds"] = soundCalls;
  soundCalls.clear();
  return state;
}

std::string SetField(const std::string& path, const std::vector<std::string>& words) {
  FieldList fields = RootFields();
  size_t start = 0;
  while (true) {
    const size_t dot = path.find('.', start);
    const std::string name =
        path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    const Field* found = nullptr;
    for (const Field& f : fields)
      if (f.name == name) found = &f;
    if (!found) return "unknown field '" + path + "'";
    if (dot == std::string::npos) {
      if (!found->set) return "field '" + path + "' cannot be set";
      if (!found->set(words)) return "bad value for '" + path + "'";
      return "";
    }
    if (!found->children) return "field '" + path.substr(0, dot) + "' has no parts";
    FieldList next = found->children();
    fields.swap(next);
    start = dot + 1;
  }
}

std::string SpawnObject(const std::string& className, const std::vector<std::string>& words) {
  for (const ObjectClass& c : ObjectClasses()) {
    if (c.name != className || !c.make) continue;
    if (!words.empty() && words.size() != 2) return "spawn takes a class and optionally X Y";
    GameObject* object = c.make();
    if (c.energyCloud)
      cloudobjects.push_back(static_cast<Cloud*>(object));
    else
      objects.push_back(object);
    if (!words.empty()) {
      Field position = MakeField("position", object->position);
      if (!position.set(words)) return "bad position";
    }
    return "";
  }
  return "unknown class '" + className + "'";
}
