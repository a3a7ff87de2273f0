// The generated pictures: every file of the image table exists with a size
// that its frame grid divides, the sizes other code relies on hold, and the
// scenery strips join without a seam where the game wraps them.
#include <cairo.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/ImageTable.h"
#include "tests/datagen/GeneratedPicture.h"

namespace {

const ImageFile& Image(const std::string& suffix) {
  for (const ImageFile& f : kImageFiles)
    if (std::string(f.file).find(suffix) != std::string::npos) return f;
  throw std::runtime_error("no image " + suffix);
}

TEST(Pictures, EveryImageLoadsAndItsGridDividesIt) {
  std::vector<ImageFile> all(std::begin(kImageFiles), std::end(kImageFiles));
  all.push_back(kCreditsImage);
  for (const ImageFile& f : all) {
    Picture p(f.file);
    ASSERT_TRUE(p.ok()) << f.file;
    EXPECT_EQ(p.width() % f.framesX, 0) << f.file << " width " << p.width();
    EXPECT_EQ(p.height() % f.framesY, 0) << f.file << " height " << p.height();
    EXPECT_GT(p.width() / f.framesX, 0) << f.file;
  }
}

TEST(Pictures, FrameSizesThatCollisionAndDrawingRelyOn) {
  const std::map<std::string, std::pair<int, int>> frames = {
      {"litet_energimoln.png", {83, 46}},
      {"mellan_energimoln.png", {85, 53}},
      {"stort_energimoln.png", {127, 64}},
      {"blixt_energimoln.png", {127, 64}},
      {"PropellerPlane.png", {264, 137}},
      {"Grass.png", {1024, 286}},
      {"berg_litet.png", {541, 400}},
      {"berg_stort.png", {650, 600}},
      {"darksky.png", {1024, 768}},
      {"redglow2.png", {1024, 768}},
      {"BlackCurtain.png", {1024, 768}},
      {"mall_unfinished.png", {1024, 768}},
      {"particles.png", {32, 32}},
      {"bakgrund_lager03.png", {3999, 768}},
      {"bakgrund_lager02.png", {4246, 768}},
      {"bakgrund_lager01.png", {7087, 768}},
      {"Persons\\mRod.png", {75, 75}},
      {"Persons\\mRodFire.png", {75, 100}},
      {"sheep_walk_anim.png", {75, 75}},
      {"sheep_die_anim.png", {75, 75}},
      {"tree1 alla animationer.png", {150, 300}},
      {"hus_anim_01.png", {120, 300}},
      {"hus_anim_02.png", {300, 300}},
  };
  for (const auto& [suffix, size] : frames) {
    const ImageFile& f = Image(suffix);
    Picture p(f.file);
    ASSERT_TRUE(p.ok()) << f.file;
    EXPECT_EQ(p.width() / f.framesX, size.first) << f.file;
    EXPECT_EQ(p.height() / f.framesY, size.second) << f.file;
  }
  Picture credits(kCreditsImage.file);
  EXPECT_EQ(credits.width(), 1024);
  EXPECT_EQ(credits.height(), 768);
}

// The seam across a wrap point must look like any other pair of neighbouring
// columns of the same picture.
void ExpectSeamless(const Picture& p, int xa, int ya, int xb, int yb, const char* what) {
  double typical = 0;
  int samples = 0;
  for (int x = 1; x + 1 < p.width() && samples < 200; x += p.width() / 200 + 1, ++samples)
    typical += p.ColumnDifference(x, ya, x + 1, ya, 768);
  typical /= samples;
  const double seam = p.ColumnDifference(xa, ya, xb, yb, 768);
  EXPECT_LE(seam, 3 * typical + 2.0) << what << ": seam " << seam << ", typical " << typical;
}

TEST(Pictures, SceneryLayersWrapWithoutASeam) {
  Picture sky(Image("bakgrund_lager03").file);
  ASSERT_TRUE(sky.ok());
  ExpectSeamless(sky, 3998, 0, 0, 768, "sky row 0 into row 1");
  ExpectSeamless(sky, 1671, 768, 0, 0, "sky row 1 back into row 0");
  Picture hills(Image("bakgrund_lager02").file);
  ASSERT_TRUE(hills.ok());
  ExpectSeamless(hills, 4245, 0, 0, 0, "hills onto their next copy");
  Picture clouds(Image("bakgrund_lager01").file);
  ASSERT_TRUE(clouds.ok());
  ExpectSeamless(clouds, 7086, 0, 0, 768, "clouds row 0 into row 1");
  ExpectSeamless(clouds, 3087, 768, 0, 0, "clouds row 1 back into row 0");
  Picture grass(Image("Grass.png").file);
  ASSERT_TRUE(grass.ok());
  double seam = grass.ColumnDifference(1023, 0, 0, 0, 286);
  double typical = grass.ColumnDifference(500, 0, 501, 0, 286);
  EXPECT_LE(seam, 3 * typical + 2.0);
}

TEST(Pictures, SkyIsOpaqueAndTheWrappedRowsEndTransparent) {
  Picture sky(Image("bakgrund_lager03").file);
  ASSERT_TRUE(sky.ok());
  EXPECT_EQ(sky.At(0, 0)[0], 255);
  EXPECT_EQ(sky.At(3998, 767)[0], 255);
  EXPECT_EQ(sky.At(1671, 768 + 400)[0], 255);
  EXPECT_EQ(sky.At(1700, 768 + 400)[0], 0);
  Picture clouds(Image("bakgrund_lager01").file);
  EXPECT_EQ(clouds.At(3100, 768 + 300)[0], 0);
}

TEST(Pictures, MountainsAreSolidWhereTheyPushAndClearOutside) {
  Picture small(Image("berg_litet").file);
  ASSERT_TRUE(small.ok());
  EXPECT_GT(small.At(300, 300)[0], 200);  // inside the first block
  EXPECT_GT(small.At(200, 380)[0], 200);  // inside the second block
  EXPECT_EQ(small.At(5, 5)[0], 0);        // sky above the left flank
  Picture large(Image("berg_stort").file);
  ASSERT_TRUE(large.ok());
  EXPECT_GT(large.At(300, 300)[0], 200);
  EXPECT_EQ(large.At(600, 30)[0], 0);
}

}  // namespace
