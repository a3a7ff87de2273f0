// Effects stay inside their frames: the flames, smoke and sparks of a burning
// tree, house or person, an exploding sheep and the bolt fade out before the
// left, right and top edges, so the game never shows them cut off straight.
// Along those edges a frame may be no more opaque than the same object's frame
// without the effect, or, where there is no such twin, than an empty frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/datagen/GeneratedPicture.h"

namespace {

constexpr int kBand = 2;   // pixels along the left, right and top edges
constexpr int kSlack = 8;  // alpha, 0..255

// Frames col0..col1 of a row, each against the reference frame in column ref
// of row 0 or, with ref -1, against nothing.
struct Frames {
  std::string file;
  int row, col0, col1, ref;
};

int EdgeExcess(const Picture& s, int col, int row, int ref) {
  int worst = 0;
  for (int y = 0; y < s.fh; ++y)
    for (int x = 0; x < s.fw; ++x)
      if (y < kBand || x < kBand || x >= s.fw - kBand)
        worst = std::max(worst, s.At(col, row, x, y)[0] - (ref < 0 ? 0 : s.At(ref, 0, x, y)[0]));
  return worst;
}

TEST(EffectEdges, EffectsFadeOutBeforeTheFrameEdges) {
  std::vector<Frames> all;
  for (const char* tree : {"tree1", "tree2", "gran1", "gran2"}) {
    const std::string f = std::string("Images\\") + tree + " alla animationer.png";
    // Each stage's burning columns and its charred row, against the grown tree.
    const int stages[3][3] = {{0, 6, 0}, {7, 13, 8}, {14, 19, 18}};
    for (int s = 0; s < 3; ++s)
      all.insert(all.end(), {{f, 1, stages[s][0], stages[s][1], stages[s][2]},
                             {f, 2 + s, 0, 0, stages[s][2]}});
  }
  for (const char* house : {"Images\\hus_anim_01.png", "Images\\hus_anim_03.png"})
    all.push_back({house, 0, 1, 8, 0});
  for (int row : {0, 1}) all.push_back({"Images\\hus_anim_02.png", row, 0, row ? 10 : 8, 9});
  for (const char* person : {"mRodFire", "mLilaFire", "mOldFire"})
    for (int row = 0; row < 4; ++row)
      all.push_back({std::string("Images\\Persons\\") + person + ".png", row, 0, 5, -1});
  for (int row = 0; row < 6; ++row) all.push_back({"Images\\sheep_die_anim.png", row, 0, 7, -1});
  all.push_back({"Images\\grumsblixt.png", 0, 0, 1, -1});

  for (const Frames& f : all) {
    const Picture sheet(f.file);
    ASSERT_GT(sheet.fw, 0) << f.file;
    for (int col = f.col0; col <= f.col1; ++col)
      EXPECT_LE(EdgeExcess(sheet, col, f.row, f.ref), kSlack)
          << f.file << " row " << f.row << " column " << col;
  }
}

}  // namespace
