// The simulator's view of what stands and walks on the ground: trees, houses,
// people and sheep, every field by name. "Tree", "House", "Person" and "Sheep"
// spawn as the game makes them; "Tree0".."Tree3", "House0".."House2" and
// "Person1".."Person3" choose the picture variant or kind.
#include <string>

#include "objects/House.h"
#include "objects/Person.h"
#include "objects/Sheep.h"
#include "objects/Tree.h"
#include "tools/sim/Fields.h"

namespace {

FieldList TreeFields(Tree& t) {
  FieldList f = GameObjectFields(t, "Tree");
  for (Field field :
       {MakeField("growthHits", t.growthHits), MakeField("rainHits", t.rainHits),
        MakeField("rainToExtinguish", t.rainToExtinguish),
        MakeField("extinguishHits", t.extinguishHits), MakeField("charred", t.charred),
        MakeField("stage", t.stage), MakeField("column", t.column),
        MakeField("frameDuration", t.frameDuration), MakeField("frameTime", t.frameTime),
        MakeField("row", t.row), MakeField("burning", t.burning), MakeField("growing1", t.growing1),
        MakeField("growing2", t.growing2), MakeParticleField("fireSmoke", t.fireSmoke),
        MakeParticleField("whiteSmoke", t.whiteSmoke)})
    f.push_back(field);
  return f;
}

FieldList HouseFields(House& h) {
  FieldList f = GameObjectFields(h, "House");
  for (Field field :
       {MakeField("saved", h.saved), MakeField("rainHits", h.rainHits),
        MakeField("rainToExtinguish", h.rainToExtinguish), MakeField("hasFlagPole", h.hasFlagPole),
        MakeField("flagFrame", h.flagFrame), MakeField("frameX", h.frameX),
        MakeField("frameY", h.frameY), MakeField("frameDuration", h.frameDuration),
        MakeField("frameTime", h.frameTime), MakeEnumField("state", h.state),
        MakeField("variant", h.variant), MakeParticleField("fireSmoke", h.fireSmoke),
        MakeParticleField("whiteSmoke", h.whiteSmoke)})
    f.push_back(field);
  return f;
}

FieldList PersonFields(Person& p) {
  FieldList f = GameObjectFields(p, "Person");
  for (Field field :
       {MakeField("wetAfter", p.wetAfter), MakeField("kind", p.kind),
        MakeField("screamed", p.screamed), MakeField("rainHits", p.rainHits),
        MakeField("wet", p.wet), MakeField("burning", p.burning), MakeField("dead", p.dead),
        MakeField("zombie", p.zombie), MakeField("direction", p.direction),
        MakeField("turnTime", p.turnTime), MakeParticleField("fireSmoke", p.fireSmoke),
        MakeParticleField("whiteSmoke", p.whiteSmoke), MakeField("frameX", p.frameX),
        MakeField("frameY", p.frameY), MakeField("drawOffsetY", p.drawOffsetY),
        MakeField("frameTime", p.frameTime), MakeField("frameDuration", p.frameDuration),
        MakeField("burnTime", p.burnTime), MakeField("burnStart", p.burnStart)})
    f.push_back(field);
  return f;
}

FieldList SheepFields(Sheep& s) {
  FieldList f = GameObjectFields(s, "Sheep");
  for (Field field :
       {MakeField("wetAfter", s.wetAfter), MakeField("soundPlayed", s.soundPlayed),
        MakeField("remains", s.remains), MakeField("rainHits", s.rainHits), MakeField("wet", s.wet),
        MakeField("exploded", s.exploded), MakeField("direction", s.direction),
        MakeField("turnTime", s.turnTime), MakeParticleField("fireSmoke", s.fireSmoke),
        MakeField("frameX", s.frameX), MakeField("frameY", s.frameY),
        MakeField("frameTime", s.frameTime), MakeField("frameDuration", s.frameDuration)})
    f.push_back(field);
  return f;
}

// A class as the game makes it: shown in dumps, spawned with its random draws.
template <typename T>
ObjectClass GroundClass(const std::string& name, FieldList (*fields)(T&)) {
  ObjectClass c;
  c.name = name;
  c.make = []() -> GameObject* { return new T(); };
  c.is = [](GameObject* o) { return dynamic_cast<T*>(o) != nullptr; };
  c.fields = [fields](GameObject* o) { return fields(*static_cast<T*>(o)); };
  return c;
}

// A spawn name that fixes the variant after the usual construction.
template <typename T>
ObjectClass Variant(const std::string& name, void (*choose)(T&)) {
  ObjectClass c;
  c.name = name;
  c.make = [choose]() -> GameObject* {
    T* object = new T();
    choose(*object);
    return object;
  };
  return c;
}

RegisterObjectClass registerTree(GroundClass<Tree>("Tree", TreeFields));
RegisterObjectClass registerHouse(GroundClass<House>("House", HouseFields));
RegisterObjectClass registerPerson(GroundClass<Person>("Person", PersonFields));
RegisterObjectClass registerSheep(GroundClass<Sheep>("Sheep", SheepFields));

RegisterObjectClass registerTree0(Variant<Tree>("Tree0",
                                                [](Tree& t) { t.sheet = Tree::SheetFor(0); }));
RegisterObjectClass registerTree1(Variant<Tree>("Tree1",
                                                [](Tree& t) { t.sheet = Tree::SheetFor(1); }));
RegisterObjectClass registerTree2(Variant<Tree>("Tree2",
                                                [](Tree& t) { t.sheet = Tree::SheetFor(2); }));
RegisterObjectClass registerTree3(Variant<Tree>("Tree3",
                                                [](Tree& t) { t.sheet = Tree::SheetFor(3); }));
RegisterObjectClass registerHouse0(Variant<House>("House0", [](House& h) { h.SetVariant(0); }));
RegisterObjectClass registerHouse1(Variant<House>("House1", [](House& h) { h.SetVariant(1); }));
RegisterObjectClass registerHouse2(Variant<House>("House2", [](House& h) { h.SetVariant(2); }));
RegisterObjectClass registerPerson1(Variant<Person>("Person1", [](Person& p) { p.SetKind(1); }));
RegisterObjectClass registerPerson2(Variant<Person>("Person2", [](Person& p) { p.SetKind(2); }));
RegisterObjectClass registerPerson3(Variant<Person>("Person3", [](Person& p) { p.SetKind(3); }));

}  // namespace
