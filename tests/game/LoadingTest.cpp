// The loading screens: the percentages of both loaders, the composition and
// placement of the progress line, the tips (verbatim, tip 10 keeps the text,
// tips 6 and 11 on two centred lines) and a frame that cannot begin.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <string>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "game/ImageTable.h"
#include "game/Loading.h"
#include "game/Sheets.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
#include "gfx/hgeSprite.h"
#include "tests/HeadlessEngine.h"

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

constexpr float kUnseen = -9999;

class LoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = HeadlessEngine();
    ASSERT_NE(engine, nullptr);
    savedHge = hge;
    savedPrinter = textPrinter;
    savedWidth = screenWidth;
    savedHeight = screenHeight;
    savedTip = tipText;
    hge = engine;
    screenWidth = 1024;
    screenHeight = 768;
    folder = TestFolder("loading");
    printer = new TextPrinter;
    textPrinter = printer;
  }
  void TearDown() override {
    delete printer;
    hge = savedHge;
    textPrinter = savedPrinter;
    screenWidth = savedWidth;
    screenHeight = savedHeight;
    tipText = savedTip;
  }

  // Gives the printer a font without image whose characters are all 10 px
  // wide and 20 px high: every printable character, or only digits and "%".
  hgeFont* UseFont(bool everything) {
    std::string text = "[HGEFONT]\n";
    for (int c = 0x20; c < 0x7F; ++c) {
      const bool digit = (c >= '0' && c <= '9') || c == '%';
      if (!everything && !digit) continue;
      char line[64];
      std::snprintf(line, sizeof line, "Char=%X,%d,0,10,20,0,0\n", c, c * 10);
      text += line;
    }
    const std::string path = folder + (everything ? "/all.fnt" : "/digits.fnt");
    std::ofstream(path, std::ios::binary) << text;
    delete printer->font;
    printer->font = new hgeFont(path.c_str());
    return printer->font;
  }
  void ForgetDraws() {
    for (hgeSprite* s : printer->font->letters)
      if (s) s->quad.v[0].x = s->quad.v[0].y = kUnseen;
  }
  float X(char c) const {
    return printer->font->letters[static_cast<unsigned char>(c)]->quad.v[0].x;
  }
  float Y(char c) const {
    return printer->font->letters[static_cast<unsigned char>(c)]->quad.v[0].y;
  }

  // The number on the progress line as drawn with the digits-only font, where
  // the line reads "<digits>%" centred on centreX. A digit drawn twice keeps
  // only its last place; the gap before it is that same digit.
  std::string DrawnNumber(float centreX) const {
    const float percent = X('%');
    if (percent == kUnseen) return "<no %>";
    const int n = static_cast<int>(std::lround((percent - centreX + 5) / 5));
    const float start = centreX - 5.0f * (n + 1);
    std::string digits(n, '?');
    for (char d = '0'; d <= '9'; ++d) {
      if (X(d) == kUnseen) continue;
      const int index = static_cast<int>(std::lround((X(d) - start) / 10));
      if (index < 0 || index >= n) return "<digit outside the line>";
      digits[index] = d;
    }
    for (int i = n - 1; i >= 0; --i)
      if (digits[i] == '?' && i + 1 < n) digits[i] = digits[i + 1];
    return digits;
  }

  // A seed for which the engine's first Random_Int(1, tipCount) gives `number`.
  int SeedForTip(int number) {
    for (int seed = 0; seed < 100000; ++seed) {
      engine->Random_Seed(seed);
      if (engine->Random_Int(1, tipCount) == number) return seed;
    }
    ADD_FAILURE() << "no seed draws tip " << number;
    return 0;
  }

  HGE* engine = nullptr;
  HGE* savedHge = nullptr;
  TextPrinter* savedPrinter = nullptr;
  TextPrinter* printer = nullptr;
  int savedWidth = 0, savedHeight = 0;
  std::string savedTip;
  std::string folder;
};

TEST_F(LoadingTest, ImageScreensShowWholePercentsOfFiftyFour) {
  UseFont(false);
  tipText.clear();
  const double total = 54.0;
  for (int n = 1; n <= 54; ++n) {
    ForgetDraws();
    DrawLoadingScreen("Loading Images ", static_cast<float>(n / total));
    EXPECT_EQ(DrawnNumber(512), std::to_string(100 * n / 54)) << "n = " << n;
    EXPECT_FLOAT_EQ(Y('%'), 384);
  }
  ForgetDraws();
  DrawLoadingScreen("Loading Images ", static_cast<float>(1 / total));
  EXPECT_EQ(DrawnNumber(512), "1");
  ForgetDraws();
  DrawLoadingScreen("Loading Images ", static_cast<float>(27 / total));
  EXPECT_EQ(DrawnNumber(512), "50");
  ForgetDraws();
  DrawLoadingScreen("Loading Images ", static_cast<float>(53 / total));
  EXPECT_EQ(DrawnNumber(512), "98");
}

TEST_F(LoadingTest, SoundScreensShowWholePercentsOfTwentyTwo) {
  UseFont(false);
  tipText.clear();
  const int expected[] = {4,  9,  13, 18, 22, 27, 31, 36, 40, 45, 50,
                          54, 59, 63, 68, 72, 77, 81, 86, 90, 95, 100};
  for (int n = 1; n <= 22; ++n) {
    ForgetDraws();
    DrawLoadingScreen("Loading Sounds ", static_cast<float>(n / 22.0));
    EXPECT_EQ(DrawnNumber(512), std::to_string(expected[n - 1])) << "n = " << n;
  }
}

TEST_F(LoadingTest, TheProgressLineIsLabelNumberAndPercentCentred) {
  UseFont(true);
  tipText.clear();
  ForgetDraws();
  DrawLoadingScreen("Loading Images ", 0.5f);
  // "Loading Images 50 %": 19 characters, 190 px, starting at 512 - 95.
  EXPECT_FLOAT_EQ(X('L'), 417);
  EXPECT_FLOAT_EQ(X('I'), 417 + 80);
  EXPECT_FLOAT_EQ(X('5'), 417 + 150);
  EXPECT_FLOAT_EQ(X('%'), 417 + 180);
  EXPECT_FLOAT_EQ(Y('L'), 384);
  EXPECT_FLOAT_EQ(X('T'), kUnseen);  // no tip, nothing on the tip line
}

TEST_F(LoadingTest, PositionsAreIntegerHalvesAndQuartersOfTheScreen) {
  UseFont(true);
  screenWidth = 1001;
  screenHeight = 767;
  tipText = "T";
  ForgetDraws();
  DrawLoadingScreen("L", 1.0f);  // "L100 %": 6 characters
  EXPECT_FLOAT_EQ(X('L'), 500 - 30);
  EXPECT_FLOAT_EQ(Y('L'), 383);
  EXPECT_FLOAT_EQ(X('T'), 500 - 5);
  EXPECT_FLOAT_EQ(Y('T'), 191);
}

TEST_F(LoadingTest, NothingIsDrawnWhenTheFrameCannotBegin) {
  UseFont(true);
  ASSERT_TRUE(engine->Gfx_BeginScene());
  ForgetDraws();
  DrawLoadingScreen("Loading Images ", 0.5f);  // a second scene cannot begin
  engine->Gfx_EndScene();
  EXPECT_FLOAT_EQ(X('L'), kUnseen);
}

TEST_F(LoadingTest, EachNumberGivesItsTipAndTenKeepsTheText) {
  for (int number = 1; number <= 15; ++number) {
    const int seed = SeedForTip(number);
    tipText = "earlier text";
    engine->Random_Seed(seed);
    ChooseTip();
    EXPECT_EQ(tipNumber, number);
    EXPECT_EQ(tipText, kTips[number] ? kTips[number] : "earlier text") << "tip " << number;
  }
}

TEST_F(LoadingTest, TipsSixAndElevenAreTwoCentredLines) {
  UseFont(true);
  for (int number : {6, 11}) {
    engine->Random_Seed(SeedForTip(number));
    ChooseTip();
    const std::string tip = kTips[number];
    const size_t brk = tip.find('\n');
    const float first = static_cast<float>(brk * 10), second = (tip.size() - brk - 1) * 10.0f;
    const char last = tip.back();  // "." or "!": only at the end of the second line
    ForgetDraws();
    DrawLoadingScreen("Loading Images ", 0.5f);
    EXPECT_FLOAT_EQ(X('T'), 512 - first / 2) << number;
    EXPECT_FLOAT_EQ(Y('T'), 192) << number;
    EXPECT_FLOAT_EQ(X(last), 512 - second / 2 + second - 10) << number;
    EXPECT_FLOAT_EQ(Y(last), 212) << number;
  }
}

TEST_F(LoadingTest, LoadImagesMakesEverySheetAndEndsAtAHundred) {
  UseFont(false);
  tipText.clear();
  ForgetDraws();
  LoadImages();  // the pictures are missing here: each sheet reports it and loading goes on
  EXPECT_GE(tipNumber, 1);
  EXPECT_LE(tipNumber, tipCount);
  for (int i = 0; i < ImageCount; ++i) EXPECT_NE(*kSheetVariables[i], nullptr) << i;
  // The last screen reads "100%" from 512 - 20 (earlier screens left other digits behind).
  EXPECT_FLOAT_EQ(X('1'), 492);
  EXPECT_FLOAT_EQ(X('0'), 512);
  EXPECT_FLOAT_EQ(X('%'), 522);
  EXPECT_FLOAT_EQ(Y('%'), 384);
  DeleteSheets();
}

TEST_F(LoadingTest, LoadSoundsEndsAtAHundred) {
  UseFont(true);
  tipText.clear();
  ForgetDraws();
  LoadSounds();
  // "Loading Sounds 100 %": 20 characters from 512 - 100.
  EXPECT_FLOAT_EQ(X('S'), 412 + 80);
  EXPECT_FLOAT_EQ(X('%'), 412 + 190);
}

}  // namespace
