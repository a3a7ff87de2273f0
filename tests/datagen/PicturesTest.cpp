// The generated pictures (written at their table sizes): every one loads, its
// grid divides it, the frame sizes other code relies on hold, the scenery strips
// join without a seam where the game wraps them, and the parts that collide or
// show through are solid or clear where they must be.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/datagen/GeneratedPicture.h"

namespace {

TEST(Pictures, EveryImageLoadsItsGridDividesItAndFramesHaveTheSizesOtherCodeReliesOn) {
  std::vector<ImageFile> all(std::begin(kImageFiles), std::end(kImageFiles));
  all.push_back(kCreditsImage);
  for (const ImageFile& f : all) {
    EXPECT_TRUE(Picture(f).ok()) << f.file;
    EXPECT_EQ(f.width % f.framesX, 0) << f.file;
    EXPECT_EQ(f.height % f.framesY, 0) << f.file;
  }
  // Frame sizes that collision and drawing code repeat as numbers of their own.
  // clang-format off
  const std::tuple<const char*, int, int> frames[] = {
      {"litet_energimoln", 83, 46}, {"mellan_energimoln", 85, 53}, {"stort_energimoln", 127, 64},
      {"blixt_energimoln", 127, 64}, {"PropellerPlane", 264, 137}, {"Grass", 1024, 286},
      {"berg_litet", 541, 400}, {"berg_stort", 650, 600}, {"particles", 32, 32},
      {"lager03", 3999, 768}, {"lager02", 4246, 768}, {"lager01", 7087, 768},
      {"mRod.png", 75, 75}, {"mRodFire", 75, 100}, {"sheep_walk", 75, 75}, {"sheep_die", 75, 75},
      {"tree1", 150, 300}, {"hus_anim_01", 120, 300}, {"hus_anim_02", 300, 300}};
  // clang-format on
  for (const auto& [name, w, h] : frames) {
    const ImageFile f = PictureFile(name);
    EXPECT_EQ(f.width / f.framesX, w) << name;
    EXPECT_EQ(f.height / f.framesY, h) << name;
  }
}

// A seam across a wrap point, from column xa of frame row ya into column xb of
// frame row yb, must look like any other pair of neighbouring columns.
TEST(Pictures, SceneryLayersWrapWithoutASeam) {
  struct Seam {
    const char *suffix, *what;
    int xa, rowA, xb, rowB;
  };
  for (const Seam& s : {Seam{"bakgrund_lager03", "sky row 0 into row 1", 3998, 0, 0, 1},
                        Seam{"bakgrund_lager03", "sky row 1 back into row 0", 1671, 1, 0, 0},
                        Seam{"bakgrund_lager02", "hills onto their next copy", 4245, 0, 0, 0},
                        Seam{"bakgrund_lager01", "clouds row 0 into row 1", 7086, 0, 0, 1},
                        Seam{"bakgrund_lager01", "clouds row 1 back into row 0", 3087, 1, 0, 0},
                        Seam{"Grass.png", "grass onto its next copy", 1023, 0, 0, 0}}) {
    Picture p(s.suffix);
    ASSERT_TRUE(p.ok()) << s.suffix;
    double typical = 0;
    int samples = 0;
    for (int x = 1; x + 1 < p.width() && samples < 200; x += p.width() / 200 + 1, ++samples)
      typical += p.ColumnDifference(x, s.rowA * p.fh, x + 1, s.rowA * p.fh, p.fh);
    typical /= samples;
    const double seam = p.ColumnDifference(s.xa, s.rowA * p.fh, s.xb, s.rowB * p.fh, p.fh);
    EXPECT_LE(seam, 3 * typical + 2.0) << s.what << ": seam " << seam << ", typical " << typical;
  }
}

// The sky is opaque where it shows and its second row ends transparent past
// the wrap, as do the clouds'; mountains are solid where they push a cloud
// and clear above their flanks.
TEST(Pictures, OpaqueAndClearWhereTheGameReliesOnIt) {
  struct Alpha {
    const char* suffix;
    int x, y, lo, hi;
  };
  // clang-format off
  const Alpha alphas[] = {
      {"lager03", 0, 0, 255, 255}, {"lager03", 3998, 767, 255, 255},
      {"lager03", 1671, 768 + 400, 255, 255}, {"lager03", 1700, 768 + 400, 0, 0},
      {"lager01", 3100, 768 + 300, 0, 0},
      {"berg_litet", 300, 300, 201, 255}, {"berg_litet", 200, 380, 201, 255},  // its two blocks
      {"berg_litet", 5, 5, 0, 0}, {"berg_stort", 300, 300, 201, 255},
      {"berg_stort", 600, 30, 0, 0}};
  // clang-format on
  for (const Alpha& a : alphas) {
    Picture p(a.suffix);
    ASSERT_TRUE(p.ok()) << a.suffix;
    EXPECT_GE(p.At(a.x, a.y)[0], a.lo) << a.suffix << " at " << a.x << "," << a.y;
    EXPECT_LE(p.At(a.x, a.y)[0], a.hi) << a.suffix << " at " << a.x << "," << a.y;
  }
}

}  // namespace
