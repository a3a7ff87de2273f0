// The generated pictures: every file of the image table exists with a size
// that its frame grid divides, the sizes other code relies on hold, the
// scenery strips join without a seam where the game wraps them, and the parts
// that collide or show through are solid or clear where they must be.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "game/ImageTable.h"
#include "tests/datagen/GeneratedPicture.h"

namespace {

std::vector<ImageFile> AllImages() {
  std::vector<ImageFile> all(std::begin(kImageFiles), std::end(kImageFiles));
  all.push_back(kCreditsImage);
  return all;
}

ImageFile Image(const std::string& suffix) {
  for (const ImageFile& f : AllImages())
    if (std::string(f.file).find(suffix) != std::string::npos) return f;
  throw std::runtime_error("no image " + suffix);
}

TEST(Pictures, EveryImageLoadsItsGridDividesItAndFramesHaveTheSizesOtherCodeRelyOn) {
  for (const ImageFile& f : AllImages()) {
    Picture p(f);
    ASSERT_TRUE(p.ok()) << f.file;
    EXPECT_EQ(p.width() % f.framesX, 0) << f.file << " width " << p.width();
    EXPECT_EQ(p.height() % f.framesY, 0) << f.file << " height " << p.height();
    EXPECT_GT(p.fw, 0) << f.file;
  }
  // Sizes that collision and drawing rely on.
  // clang-format off
  const std::pair<const char*, std::pair<int, int>> frames[] = {
      {"litet_energimoln.png", {83, 46}},        {"mellan_energimoln.png", {85, 53}},
      {"stort_energimoln.png", {127, 64}},       {"blixt_energimoln.png", {127, 64}},
      {"PropellerPlane.png", {264, 137}},        {"Grass.png", {1024, 286}},
      {"berg_litet.png", {541, 400}},            {"berg_stort.png", {650, 600}},
      {"darksky.png", {1024, 768}},              {"redglow2.png", {1024, 768}},
      {"BlackCurtain.png", {1024, 768}},         {"mall_unfinished.png", {1024, 768}},
      {"particles.png", {32, 32}},               {"bakgrund_lager03.png", {3999, 768}},
      {"bakgrund_lager02.png", {4246, 768}},     {"bakgrund_lager01.png", {7087, 768}},
      {"Persons\\mRod.png", {75, 75}},           {"Persons\\mRodFire.png", {75, 100}},
      {"sheep_walk_anim.png", {75, 75}},         {"sheep_die_anim.png", {75, 75}},
      {"tree1 alla animationer.png", {150, 300}}, {"hus_anim_01.png", {120, 300}},
      {"hus_anim_02.png", {300, 300}},           {"credits.png", {1024, 768}}};
  // clang-format on
  for (const auto& [suffix, size] : frames) {
    Picture p(Image(suffix));
    ASSERT_TRUE(p.ok()) << suffix;
    EXPECT_EQ(p.fw, size.first) << suffix;
    EXPECT_EQ(p.fh, size.second) << suffix;
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
    Picture p(Image(s.suffix));
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
  for (const Alpha& a :
       {Alpha{"bakgrund_lager03", 0, 0, 255, 255}, Alpha{"bakgrund_lager03", 3998, 767, 255, 255},
        Alpha{"bakgrund_lager03", 1671, 768 + 400, 255, 255},
        Alpha{"bakgrund_lager03", 1700, 768 + 400, 0, 0},
        Alpha{"bakgrund_lager01", 3100, 768 + 300, 0, 0},
        Alpha{"berg_litet", 300, 300, 201, 255},  // the first block
        Alpha{"berg_litet", 200, 380, 201, 255},  // the second block
        Alpha{"berg_litet", 5, 5, 0, 0}, Alpha{"berg_stort", 300, 300, 201, 255},
        Alpha{"berg_stort", 600, 30, 0, 0}}) {
    Picture p(Image(a.suffix));
    ASSERT_TRUE(p.ok()) << a.suffix;
    EXPECT_GE(p.At(a.x, a.y)[0], a.lo) << a.suffix << " at " << a.x << "," << a.y;
    EXPECT_LE(p.At(a.x, a.y)[0], a.hi) << a.suffix << " at " << a.x << "," << a.y;
  }
}

}  // namespace
