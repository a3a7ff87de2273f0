// The loading screens: the percentages of both loaders, the placement of
// the progress line, the tips (verbatim, tip 10 keeps the text,
// tips 6 and 11 on two centred lines) and a frame that cannot begin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/GameValues.h"
#include "game/ImageTable.h"
#include "game/Loading.h"
#include "game/Sheets.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/game/GameScenario.h"

namespace {

const char* const kTips[16] = {
    nullptr,
    "Tip: Butter is good for you and your children.",
    "Tip: Try to rain on a sheep before casting a lightning on it.",
    "Tip: Try to burn something. It's fun!",
    "Tip: Remember to take all things in moderation. Even Zarvo the Cloud!",
    "Tip: Watch out for clouds when mountains are nearby.",
    "Tip: Zarvo is a force of nature and acts \n in mysterious ways for the greater good.",
    "Tip: People will get hurt by lightning.",
    "Tip: Gain high ranks to increase your streetrep!",
    "Tip: You can increase your rainpower by pressing the boost button.",
    nullptr,
    "Tip: Spread an even greater terror upon \n the world by resurrecting the dead!",
    "Tip: The lightning-clouds give no energy.",
    "Tip: The planes engines give them away in advance.",
    "Tip: Darker clouds gives more energy than brighter ones.",
    "Tip: Trees will grow if watered.",
};

class LoadingTest : public ::testing::Test {
 protected:
  // The top-left corner of the last draw of a character.
  static hgeVector At(char c) {
    float x = kUndrawn, y = kUndrawn;
    GlyphDrawn(textPrinter, c, &x, &y);
    return hgeVector(x, y);
  }
  static void Draw(const std::string& label, float progress) {
    MarkGlyphsUndrawn(textPrinter);
    DrawLoadingScreen(label, progress);
  }
  // Where the digits and "%" were last drawn.
  static std::vector<hgeVector> Digits() {
    std::vector<hgeVector> places;
    for (char c : std::string("0123456789%")) places.push_back(At(c));
    return places;
  }
  Scoped<HGE*> engine{hge, HeadlessEngine()};
  // An odd screen: the lines sit at whole halves and quarters of it, (500, 383) and (500, 191).
  Scoped<int> width{screenWidth, 1001}, height{screenHeight, 767};
  Scoped<std::string> tip{tipText, ""};
  Owned<TextPrinter> printer{textPrinter, MakeGlyphPrinter()};
};

TEST_F(LoadingTest, ScreensShowWholePercentsOfTheirTotal) {
  // 54 pictures and 22 sounds; the line must read as the whole percent would.
  for (int total : {54, 22}) {
    for (int n = 1; n <= total; ++n) {
      Draw("Loading ", static_cast<float>(n / static_cast<double>(total)));
      const std::vector<hgeVector> shown = Digits();
      MarkGlyphsUndrawn(textPrinter);
      textPrinter->Print(500, 383, "Loading " + std::to_string(100 * n / total) + " %",
                         HGETEXT_CENTER);
      EXPECT_EQ(shown, Digits()) << n << " of " << total;
    }
  }
  // Nothing at all when the frame cannot begin: a second scene cannot.
  ASSERT_TRUE(hge->Gfx_BeginScene());
  Draw("Loading ", 1.0f);
  hge->Gfx_EndScene();
  EXPECT_FALSE(GlyphDrawn(textPrinter, 'L'));
}

TEST_F(LoadingTest, EachNumberGivesItsTipAndTenKeepsTheText) {
  for (int number = 1; number <= 15; ++number) {
    SeedSoTheNextIntIs(1, tipCount, number);  // ChooseTip draws it
    tipText = "earlier text";
    ChooseTip();
    EXPECT_EQ(tipNumber, number);
    const std::string tip = kTips[number] ? kTips[number] : "earlier text";
    EXPECT_EQ(tipText, tip) << "tip " << number;
    const size_t brk = tip.find('\n');
    if (brk == std::string::npos) continue;
    // Tips 6 and 11 are two lines, each centred; "." or "!" ends the second
    // line and occurs nowhere else.
    const float first = brk * kGlyphWidth, second = (tip.size() - brk - 1) * kGlyphWidth;
    Draw("Loading Images ", 0.5f);
    EXPECT_EQ(At('T'), hgeVector(500 - first / 2, 191)) << number;
    EXPECT_EQ(At(tip.back()), hgeVector(500 + second / 2 - kGlyphWidth, 191 + 16)) << number;
  }
}

TEST_F(LoadingTest, LoadersMakeEverySheetAndEndAtAHundred) {
  tipNumber = 0;
  LoadImages();  // the pictures are missing here: each sheet reports it and loading goes on
  EXPECT_NE(tipNumber, 0) << "a tip is chosen";
  for (int i = 0; i < ImageCount; ++i) EXPECT_NE(*kSheetVariables[i], nullptr) << i;
  DeleteSheets();
  // The last screen reads "Loading Images 100 %": 20 glyphs centred on 500, the
  // 16th, 18th and 20th being "1", "0" and "%" (no tip has digits; earlier
  // screens left other digits behind).
  std::vector<hgeVector> hundred;
  for (int i : {15, 17, 19}) hundred.emplace_back(500 + (i - 10) * kGlyphWidth, 383);
  EXPECT_EQ((std::vector<hgeVector>{At('1'), At('0'), At('%')}), hundred);
  MarkGlyphsUndrawn(textPrinter);
  LoadSounds();
  EXPECT_EQ((std::vector<hgeVector>{At('1'), At('0'), At('%')}), hundred);
}

}  // namespace
