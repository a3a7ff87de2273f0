// The loading screens: the percentages of both loaders, the composition and
// placement of the progress line, the tips (verbatim, tip 10 keeps the text,
// tips 6 and 11 on two centred lines) and a frame that cannot begin.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "config/GameValues.h"
#include "engine/hgeVector.h"
#include "game/ImageTable.h"
#include "game/Loading.h"
#include "game/Sheets.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
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

const hgeVector kUnseen(-9999, -9999);

class LoadingTest : public ::testing::Test {
 protected:
  // Gives the printer a font without image whose printable characters are
  // all 10 px wide and 20 px high.
  void SetUp() override {
    std::string text = "[HGEFONT]\n";
    for (int c = 0x20; c < 0x7F; ++c) {
      char line[64];
      std::snprintf(line, sizeof line, "Char=%X,%d,0,10,20,0,0\n", c, c * 10);
      text += line;
    }
    const std::string path = TestFolder("loading") + "/font.fnt";
    std::ofstream(path, std::ios::binary) << text;
    delete textPrinter->font;
    textPrinter->font = new hgeFont(path.c_str());
    ForgetDraws();
  }
  void ForgetDraws() {
    for (hgeSprite* s : textPrinter->font->letters)
      if (s) s->quad.v[0].x = s->quad.v[0].y = kUnseen.x;
  }
  // The top-left corner of the last draw of a character.
  hgeVector At(char c) const {
    const hgeVertex& v = textPrinter->font->letters[static_cast<unsigned char>(c)]->quad.v[0];
    return hgeVector(v.x, v.y);
  }
  void Draw(const std::string& label, float progress) {
    ForgetDraws();
    DrawLoadingScreen(label, progress);
  }
  // Where the digits and "%" were last drawn.
  std::vector<hgeVector> Digits() const {
    std::vector<hgeVector> places;
    for (char c : std::string("0123456789%")) places.push_back(At(c));
    return places;
  }
  Scoped<HGE*> engine{hge, HeadlessEngine()};
  Scoped<int> width{screenWidth, 1024}, height{screenHeight, 768};
  Scoped<std::string> tip{tipText, ""};
  Owned<TextPrinter> printer{textPrinter, new TextPrinter};
};

TEST_F(LoadingTest, ScreensShowWholePercentsOfTheirTotal) {
  // 54 pictures and 22 sounds; the line must read as the whole percent would,
  // centred on the middle of the screen.
  for (int total : {54, 22}) {
    for (int n = 1; n <= total; ++n) {
      Draw("Loading ", static_cast<float>(n / static_cast<double>(total)));
      const std::vector<hgeVector> shown = Digits();
      ForgetDraws();
      textPrinter->Print(512, 384, "Loading " + std::to_string(100 * n / total) + " %",
                         HGETEXT_CENTER);
      EXPECT_EQ(shown, Digits()) << n << " of " << total;
    }
  }
}

TEST_F(LoadingTest, LineAndTipAtWholeHalvesAndQuartersOfTheScreen) {
  // An odd screen: "L100 %" of 6 characters centred on (500, 383), "T" on (500, 191).
  screenWidth = 1001;
  screenHeight = 767;
  tipText = "T";
  Draw("L", 1.0f);
  EXPECT_EQ(At('L'), hgeVector(500 - 30, 383));
  EXPECT_EQ(At('T'), hgeVector(500 - 5, 191));
  // Nothing at all when the frame cannot begin: a second scene cannot.
  ASSERT_TRUE(hge->Gfx_BeginScene());
  Draw("L", 1.0f);
  hge->Gfx_EndScene();
  EXPECT_EQ(At('L'), kUnseen);
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
    const float first = brk * 10.0f, second = (tip.size() - brk - 1) * 10.0f;
    Draw("Loading Images ", 0.5f);
    EXPECT_EQ(At('T'), hgeVector(512 - first / 2, 192)) << number;
    EXPECT_EQ(At(tip.back()), hgeVector(512 - second / 2 + second - 10, 212)) << number;
  }
}

TEST_F(LoadingTest, LoadersMakeEverySheetAndEndAtAHundred) {
  LoadImages();  // the pictures are missing here: each sheet reports it and loading goes on
  EXPECT_TRUE(tipNumber >= 1 && tipNumber <= tipCount) << "tip " << tipNumber;
  for (int i = 0; i < ImageCount; ++i) EXPECT_NE(*kSheetVariables[i], nullptr) << i;
  DeleteSheets();
  // The last screen reads "Loading Images 100 %": 20 characters from 512 - 100
  // (no tip has digits; earlier screens left other digits behind).
  const std::vector<hgeVector> hundred = {{412 + 150, 384}, {412 + 170, 384}, {412 + 190, 384}};
  EXPECT_EQ((std::vector<hgeVector>{At('1'), At('0'), At('%')}), hundred);
  ForgetDraws();
  LoadSounds();
  EXPECT_EQ((std::vector<hgeVector>{At('1'), At('0'), At('%')}), hundred);
}

}  // namespace
