// The simulator's view of the world: the scenery, the mountain with its
// shapes, the plane, the spawn timers and the four energy-cloud classes
// ("Cloud1".."Cloud4", spawnable).
#include <string>

#include "game/Globals.h"
#include "game/World.h"
#include "objects/Cloud.h"
#include "objects/Mountain.h"
#include "objects/Plane.h"
#include "tools/sim/Fields.h"

namespace {

nlohmann::json VectorJson(const hgeVector& v) {
  return nlohmann::json::array({FloatJson(v.x), FloatJson(v.y)});
}

nlohmann::json SlopeJson(const Slope& s) {
  return {{"cornerA", VectorJson(s.cornerA)},   {"cornerB", VectorJson(s.cornerB)},
          {"boxMin", VectorJson(s.boxMin)},     {"boxMax", VectorJson(s.boxMax)},
          {"boxSize", VectorJson(s.boxSize)},   {"solidCorner", s.solidCorner},
          {"threshold", FloatJson(s.threshold)}};
}

nlohmann::json BlockJson(const Block& b) {
  return {{"topLeft", VectorJson(b.topLeft)},
          {"width", FloatJson(b.width)},
          {"height", FloatJson(b.height)}};
}

void AddWaveFields(FieldList& fields, const std::string& kind, Wave& wave) {
  fields.push_back(MakeField(kind + "WaveTimer", wave.waveTimer));
  fields.push_back(MakeField(kind + "SpacingTimer", wave.spacingTimer));
  fields.push_back(MakeField(kind + "Count", wave.count));
}

FieldList CloudFields(Cloud& c) {
  FieldList fields = GameObjectFields(c, "Cloud" + std::to_string(c.kind));
  fields.push_back(MakeField("kind", c.kind));
  fields.push_back(MakeField("frame", c.frame));
  fields.push_back(MakeField("frameStep", c.frameStep));
  fields.push_back(MakeField("frameTime", c.frameTime));
  fields.push_back(MakeField("frameDuration", c.frameDuration));
  return fields;
}

ObjectClass CloudClass(int kind) {
  ObjectClass c;
  c.name = "Cloud" + std::to_string(kind);
  c.make = [kind]() -> GameObject* { return new Cloud(kind); };
  c.is = [kind](GameObject* o) {
    Cloud* cloud = dynamic_cast<Cloud*>(o);
    return cloud && cloud->kind == kind;
  };
  c.fields = [](GameObject* o) { return CloudFields(*static_cast<Cloud*>(o)); };
  c.energyCloud = true;
  return c;
}

RegisterObjectClass registerCloud1(CloudClass(1));
RegisterObjectClass registerCloud2(CloudClass(2));
RegisterObjectClass registerCloud3(CloudClass(3));
RegisterObjectClass registerCloud4(CloudClass(4));

}  // namespace

FieldList SceneryFields() {
  return {MakeField("level", scenery.level),
          MakeField("distance", scenery.distance),
          MakeField("elapsed", scenery.elapsed),
          MakeField("sunFrameTime", scenery.sunFrameTime),
          MakeField("sunFrame", scenery.sunFrame),
          MakeReadOnly("sunAlpha", [] { return nlohmann::json(scenery.SunAlpha()); })};
}

FieldList MountainFields() {
  if (!mountain) return {};
  Mountain& m = *mountain;
  FieldList fields = GameObjectFields(m, "Mountain");
  fields.push_back(MakeReadOnly("slopes", [&m] {
    nlohmann::json array = nlohmann::json::array();
    for (const Slope& s : m.slopes) array.push_back(SlopeJson(s));
    return array;
  }));
  fields.push_back(MakeReadOnly("blocks", [&m] {
    nlohmann::json array = nlohmann::json::array();
    for (const Block& b : m.blocks) array.push_back(BlockJson(b));
    return array;
  }));
  fields.push_back(MakeField("peak", m.peak));
  return fields;
}

FieldList PlaneFields() {
  if (!plane) return {};
  Plane& p = *plane;
  FieldList fields = GameObjectFields(p, "Plane");
  fields.push_back(MakeField("direction", p.direction));
  fields.push_back(MakeField("velocity", p.velocity));
  fields.push_back(MakeField("acceleration", p.acceleration));
  fields.push_back(MakeField("active", p.active));
  fields.push_back(MakeField("energyDrain", p.energyDrain));
  fields.push_back(MakeField("frame", p.frame));
  fields.push_back(MakeField("frameDuration", p.frameDuration));
  fields.push_back(MakeField("frameTime", p.frameTime));
  fields.push_back(MakeField("sinkAcceleration", p.sinkAcceleration));
  fields.push_back(MakeField("scale", p.scale));
  fields.push_back(MakeReadOnly("smoke", [&p] { return nlohmann::json(p.smoke != nullptr); }));
  return fields;
}

FieldList SpawnFields() {
  SpawnTimers& t = spawnTimers;
  FieldList fields;
  fields.push_back(MakeField("planeTimer", t.planeTimer));
  AddWaveFields(fields, "tree", t.tree);
  AddWaveFields(fields, "house", t.house);
  AddWaveFields(fields, "person", t.person);
  AddWaveFields(fields, "cloud1", t.cloud1);
  AddWaveFields(fields, "cloud2", t.cloud2);
  AddWaveFields(fields, "cloud3", t.cloud3);
  AddWaveFields(fields, "cloud4", t.cloud4);
  fields.push_back(MakeField("mountainTimer", t.mountainTimer));
  AddWaveFields(fields, "sheep", t.sheep);
  return fields;
}
