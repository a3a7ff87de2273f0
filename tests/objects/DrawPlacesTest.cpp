// Where every object of a frame is drawn: one frame of a two-player game with
// one object of each kind in a known state, read back as the quads the engine
// recorded (picture, box on screen, first texture coordinates, colour).
#include "tests/objects/CloudScenario.h"

using namespace cloudscenario;

namespace {

// Drawn twice: the plane faces right, then left at half size.
const std::string kScene =
    QuietWorld() +
    "hold SPACE NUMPAD0; frames 1 0; release all; set objects clear; set rain.drops clear;"
    "set player1.position 200 100; set player1.frame 7; set player1.energy 25;"
    "set player1.lightning.charges 3; set player1.lightning.active true;"
    "set player1.lightning.phase 0; set player1.lightning.boltPosition 210 180;"
    "set player2.position 600 120; set player2.energy 20;"
    "spawn Tree0 300 500; set objects.0.column 5; set objects.0.row 2; spawn House1 500 500;"
    "set objects.1.frameX 9; set objects.1.hasFlagPole true; set objects.1.flagFrame 3;"
    "spawn Person2 100 560; set objects.2.drawOffsetY 7; set objects.2.frameX 3;"
    "spawn Sheep 700 560; set objects.3.frameX 4; spawn Cloud3 800 300;"
    "set cloudobjects.0.frame 2; set mountain.position 100 200; set plane.active true;"
    "set plane.position 300 50; set plane.direction 0; set plane.frame 1;"
    "set scenery.sunFrame 16; set scenery.distance 150000; set scenery.elapsed 10;"
    "set rain.addDrop 300 400 1; frames 1 0; draws;"
    "set plane.direction 1; set plane.scale 0.5; frames 1 0; draws";

// A picture, which quad of it in drawing order, and that quad's box and first
// texture coordinates.
using Expected = std::tuple<const char*, int, json>;
void ExpectDrawn(const json& draws, const Expected& e) {
  const auto& [picture, nth, want] = e;
  int seen = 0;
  for (const json& q : draws)
    if (q[0] == picture && seen++ == nth) {
      EXPECT_TRUE(Same(json(q.begin() + 1, q.begin() + 7), want)) << q;
      return;
    }
  ADD_FAILURE() << "no quad #" << nth << " of " << picture;
}

TEST(DrawPlaces, EveryObjectIsDrawnAtItsOffsetWithItsFrame) {
  const Dumps out = RunScript(kScene);
  ASSERT_EQ(out.size(), 2u);
  const json& draws = out[0]["draws"];
  const Expected expected[] = {
      // Ground objects: trees 30 px left of and 170 px above their place,
      // houses 170 px above it, the flag pole 50 px left and 10 px above.
      {"tree1 alla animationer.png", 0, {270, 330, 150, 300, 5 / 21.f, 2 / 5.f}},
      {"hus_anim_02.png", 0, {500, 330, 300, 300, 9 / 11.f, 0}},
      {"flag_pole_anim.png", 0, {450, 490, 60, 150, 3 / 7.f, 0}},
      // People and sheep take their row from where they walk: right, and left.
      {"mLila.png", 0, {100, 567, 75, 75, 3 / 8.f, 0}},
      {"sheep_walk_anim.png", 0, {700, 560, 75, 75, 4 / 13.f, 4 / 6.f}},
      {"stort_energimoln.png", 0, {800, 300, 127, 64, 2 / 3.f, 0}},
      {"berg_litet.png", 0, {100, 200, 541, 400, 0, 0}},
      // The plane facing right is its picture mirrored over its box (its size at scale 0.75).
      {"PropellerPlane.png", 0, {300, 50, 198, 102.75f, 1 / 4.f, 0}},
      {"lilla_zarvo_normal_anim.png", 0, {200, 100, 150, 90, 7 / 20.f, 0}},
      {"lilla_cherry_normal_anim.png", 0, {600, 120, 150, 90, 0, 0}},
      {"grumsblixt.png", 0, {210, 180, 160, 320, 0, 0}},
      // Layers scroll with time (3 and 1) or distance (2) and wrap: at 10 s
      // and 150,000 px, o3 = 10 / 20 * 5671, o2 = 10000 / 140000, o1 = 10 / 120 * 10175.
      {"bakgrund_lager03.png", 1, {3999 - 2835.5f, 0, 3999, 768, 0, 0.5f}},
      {"bakgrund_lager03.png", 2, {5671 - 2835.5f, 0, 3999, 768, 0, 0}},
      {"bakgrund_lager02.png", 1, {4246 - 4246 / 14.f, 0, 4246, 768, 0, 0}},
      {"bakgrund_lager01.png", 2, {7087 - 10175 / 12.f, 0, 7087, 768, 0, 0.5f}},
      {"rain_solo_super_mini.png", 0, {296, 393, 8, 14, 0, 0}},  // centred on its place
      // The sun hangs from the top right corner.
      {"da_sun.png", 0, {804, 0, 220, 200, 16 / 17.f, 0}},
      // Player 1's gauge on the left, player 2's mirrored on the right; the
      // fluid top is 5 px per energy point above -498, the charges frame shows 3.
      {"engery_fluid.png", 0, {12, -373, 40, 500, 0, 0}},
      {"interface.png", 0, {0, 0, 150, 580, 0, 0}},
      {"MOLNRANK.png", 0, {160, 10, 100, 100, 0, 0}},
      {"blixt_powerup.png", 0, {0, 510, 150, 70, 3 / 11.f, 0}},
      {"engery_fluid.png", 1, {971, -398, 40, 500, 0, 0}},
      {"interface2.png", 0, {874, 0, 150, 580, 0, 0}},
      {"MOLNRANK.png", 1, {764, 10, 100, 100, 0, 0}},
      {"blixt_powerup.png", 1, {874, 510, 150, 70, 0, 0}},
  };
  for (const Expected& e : expected) ExpectDrawn(draws, e);
  // Facing left, the plane is drawn at its scale from its top left corner.
  ExpectDrawn(out[1]["draws"], {"PropellerPlane.png", 0, {300, 50, 132, 68.5f, 1 / 4.f, 0}});
}

}  // namespace
