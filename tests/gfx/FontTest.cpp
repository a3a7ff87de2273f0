// The bitmap font: reading ".fnt" descriptions, good and broken; widths, the
// alignments, line breaks, the "?" stand-in, and the game's text colour.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "engine/hge.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
#include "gfx/hgeSprite.h"
#include "tests/HeadlessEngine.h"

namespace {

const std::string kHeader = "[HGEFONT]\n";

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(hge = HeadlessEngine(), nullptr); }
  hgeFont* Load(const std::string& content, const std::string& name = "test.fnt") {
    std::ofstream(folder + "/" + name, std::ios::binary) << content;
    font = std::make_unique<hgeFont>((folder + "/" + name).c_str());
    return font.get();
  }
  static int Defined(const hgeFont& f) {
    return std::count_if(f.letters, f.letters + 256, [](const hgeSprite* s) { return s; });
  }

  HGE* hge = nullptr;
  std::string folder = TestFolder("font");
  std::unique_ptr<hgeFont> font;
};

// Top-left corner of the letter's last draw.
std::pair<float, float> At(const hgeSprite* s) { return {s->quad.v[0].x, s->quad.v[0].y}; }

TEST_F(FontTest, CharLinesGiveCodeRectangleAndSpacing) {
  // A line, the character it defines, and its x, y, width, height, pre and post.
  const std::tuple<std::string, int, std::array<float, 6>> rows[] = {
      {"Char=\"A\",1,2,3,4,5,6", 'A', {1, 2, 3, 4, 5, 6}},
      {"Char=fa,7,8,9,10,-1,-2", 0xFA, {7, 8, 9, 10, -1, -2}},  // lower-case hexadecimal
      {"Char=FF,0,0,2,0,0,0", 0xFF, {0, 0, 2, 0, 0, 0}},        // the highest code
      {"Char=000004A,0,0,3,1,0,0", 'J', {0, 0, 3, 1, 0, 0}},    // leading zeros
      {"Char=41,+7,-8,+3,4,-5,+6", 'A', {7, -8, 3, 4, -5, 6}},  // signed numbers
      {"Char =   \"x\" , 1 ,2,  3 , 4 , 5 ,6 trailing words", 'x', {1, 2, 3, 4, 5, 6}},
      {"Char=\"\"\",1,1,5,5,0,0", '"', {1, 1, 5, 5, 0, 0}},
      {"Char=\",\",2,2,6,6,0,0", ',', {2, 2, 6, 6, 0, 0}},
      // Huge numbers are capped instead of overflowing.
      {"Char=41,9999999999999999999,-9999999999999999999,1,2,3,4", 'A', {1e9, -1e9, 1, 2, 3, 4}},
      // 255 characters is the longest line used.
      {"Char=44,0,0,1,1,0,0" + std::string(255 - 19, ' '), 'D', {0, 0, 1, 1, 0, 0}},
  };
  for (const auto& [line, code, v] : rows) {
    const hgeFont* f = Load(kHeader + line);
    const hgeSprite* s = f->letters[code];
    ASSERT_TRUE(s && Defined(*f) == 1) << line;
    EXPECT_EQ((std::array{s->tx, s->ty, s->width, s->height, f->pre[code], f->post[code]}), v)
        << line;
    EXPECT_EQ(f->fHeight, v[3]) << line;
  }
}

TEST_F(FontTest, MalformedLinesAreSkippedAndReadingGoesOn) {
  const std::string rows[] = {
      "Char=zz,0,0,1,1,0,0",                        // no hexadecimal digit
      "Char=,0,0,1,1,0,0",                          // no code at all
      "Char=4G,0,0,1,1,0,0",                        // G is no hexadecimal digit
      "Char=100,0,0,1,1,0,0",                       // above FF
      "Char=FFFFFFFFFFFFFFFFFFFFFFFF,0,0,1,1,0,0",  // far above FF
      "Char=\"A,0,0,1,1,0,0",                       // quote never closed
      "Char=\"",                                    // quote at the end of the line
      "Char=\"A\",1,2,3,4,5",                       // five numbers
      "Char=\"C\"",
      "Char=",
      "Char",
      "Char \"D\",1,2,3,4,5,6",                            // no equals sign
      "Char=\"E\",1,2,3,4,5,x",                            // a letter for the last number
      "Char=\"F\" 12,2,3,4,5,6",                           // no comma before the first number
      "Char=41,0,0,1,1,0,-",                               // a sign without digits
      "Char=45,0,0,1,1,0,0" + std::string(256 - 19, ' '),  // 256 characters
      "Bitmap=" + std::string(300, 'x') + ".png",          // too long to be tried
      "Bitmap=",                                           // no file name
      "Bitmap",
      "BitmapX=y.png",
  };
  for (const std::string& bad : rows) {
    const hgeFont* f = Load(kHeader + bad + "\nChar=\"G\",1,2,3,4,5,6\n");
    EXPECT_TRUE(f->letters['G'] && Defined(*f) == 1) << bad;
  }
}

TEST_F(FontTest, LineEndingsRepeatsAndTheEndOfTheText) {
  // CR, LF and CRLF all end lines; the last line needs no line break.
  hgeFont* f =
      Load("[HGEFONT]\r\nChar=41,0,0,1,1,0,0\rChar=42,0,0,1,1,0,0\n\n\r\nChar=43,0,0,1,1,0,0");
  EXPECT_EQ(Defined(*f), 3);
  // A character given twice keeps its last definition.
  f = Load(kHeader + "Char=\"A\",0,0,5,5,0,0\nChar=41,9,9,7,30,1,1\n");
  EXPECT_EQ(std::pair(Defined(*f), f->letters['A']->width), std::pair(1, 7.0f));
  EXPECT_FLOAT_EQ(f->fHeight, 30);  // the tallest height read, even if replaced
  // A zero byte ends the text.
  f = Load(kHeader + "Char=41,0,0,1,1,0,0\n" + '\0' + "\nChar=42,0,0,1,1,0,0\n");
  EXPECT_TRUE(f->letters['A'] && !f->letters['B']);
}

TEST_F(FontTest, AMissingFileOrAWrongFirstLineGivesAnEmptyFont) {
  EXPECT_EQ(Defined(hgeFont((folder + "/nothing.fnt").c_str())), 0);

  const std::string log = folder + "/log.txt", a = "Char=41,0,0,1,1,0,0\n";
  hge->System_SetState(HGE_LOGFILE, log.c_str());
  const std::string bad[] = {"[HGEFONT] \n" + a, "[hgefont]\n" + a, "\n[HGEFONT]\n" + a, a, "",
                             "[HGEFONT"};
  for (const std::string& text : bad) EXPECT_EQ(Defined(*Load(text)), 0) << text;
  hge->System_SetState(HGE_LOGFILE, "");
  std::ifstream in(log);
  int lines = 0;
  for (std::string line; std::getline(in, line); ++lines)
    EXPECT_EQ(line, "Font " + folder + "/test.fnt has incorrect format.");
  EXPECT_EQ(lines, 6);  // one log line each
}

TEST_F(FontTest, TheImageIsReadBesideTheDescriptionOnceWhateverTheFileRepeats) {
  std::filesystem::create_directories(folder + "/sub");
  WriteTestPng(folder + "/sub", "one.png", 64, 32, 0xFFFFFFFF);
  WriteTestPng(folder + "/sub", "two.png", 32, 32, 0xFFFFFFFF);
  // A later "Bitmap" line, even of another image, changes nothing.
  hgeFont* f = Load(kHeader + "Bitmap = one.png\nChar=41,32,16,8,8,0,0\nBitmap=two.png\n" +
                        "Char=42,0,0,1,1,0,0\nBitmap=missing.png\nChar=43,0,0,1,1,0,0\n",
                    "sub/f.fnt");
  ASSERT_TRUE(f->letters['A'] && f->letters['B'] && f->letters['C']);
  EXPECT_EQ(f->hTexture, f->letters['A']->GetTexture());
  EXPECT_EQ(f->hTexture, f->letters['B']->GetTexture());
  EXPECT_FLOAT_EQ(f->letters['A']->quad.v[0].tx, 0.5f);  // cut from the 64-pixel image
  EXPECT_FLOAT_EQ(f->letters['B']->texWidth, 64);
  // The game's own names use backslashes; the directory ends at the last one.
  hgeFont backslash((folder + "\\sub\\f.fnt").c_str());
  EXPECT_NE(backslash.hTexture, 0u);
}

TEST_F(FontTest, AnImageThatFailsToLoadStopsReading) {
  // A path too long for the format counts as such an image.
  for (const std::string& name : {std::string("missing.png"), std::string(240, 'p') + ".png"}) {
    hgeFont* f = Load(kHeader + "Char=41,0,0,1,1,0,0\nBitmap=" + name + "\nChar=42,0,0,1,1,0,0\n");
    EXPECT_TRUE(f->letters['A'] && !f->letters['B'] && !f->hTexture) << name;
  }
}

// A font without image: a 101 and a 103 pixel wide letter and a narrow one
// with spacing; and "?" to add.
const std::string kWidths = kHeader +
                            "Char=\"a\",0,0,101,20,0,0\nChar=\"b\",0,0,103,20,0,0\n"
                            "Char=\"c\",0,0,10,16,2,3\n";
const std::string kQuestionMark = "Char=\"?\",0,0,7,20,1,2\n";

TEST_F(FontTest, StringWidthSumsWidthsSpacingAndTracking) {
  hgeFont* f = Load(kWidths + kQuestionMark);
  // c is 10 wide with 2 + 3 spacing; unknown characters measure as "?" (7 + 1 + 2).
  for (auto [text, width] : {std::pair{"c", 15}, {"acb", 101 + 15 + 103}, {"", 0}, {"zZ", 20}})
    EXPECT_FLOAT_EQ(f->GetStringWidth(text), width) << text;
  f->fTracking = 1;
  EXPECT_FLOAT_EQ(f->GetStringWidth("cc"), 32);
  f->fScale = 2;
  EXPECT_FLOAT_EQ(f->GetStringWidth("cc"), 64);
  EXPECT_FLOAT_EQ(f->GetStringWidth("cc\nabab"), 64);  // up to the first line break
  // Without "?" unknown characters take no space (a font read from memory this time).
  hgeFont noStandIn("", kWidths.data(), kWidths.size());
  EXPECT_FLOAT_EQ(noStandIn.GetStringWidth("zcz"), 15);
  noStandIn.Render(0, 0, HGETEXT_LEFT, "zzzc");
  EXPECT_FLOAT_EQ(At(noStandIn.letters['c']).first, 2);
}

TEST_F(FontTest, RenderPlacesLettersByAlignmentSpacingAndLine) {
  // Where a text is drawn, and where one of its letters lands.
  const std::tuple<float, float, int, const char*, int, float, float> rows[] = {
      {300, 40, HGETEXT_CENTER, "a", 'a', 250, 40},   // 101 wide: 50.5 rounds to the even 50
      {300, 40, HGETEXT_CENTER, "b", 'b', 248, 40},   // 103 wide: 51.5 -> 52
      {500, 0, HGETEXT_LEFT, "ca", 'a', 515, 0},      // c's pre 2 + 10 wide + post 3
      {500, 0, HGETEXT_RIGHT, "ca", 'c', 386, 0},     // 500 - 116 + 2
      {500, 0, HGETEXT_RIGHT | 4, "c", 'c', 487, 0},  // only the two low bits count
      {500, 0, 3, "c", 'c', 502, 0},                  // both bits: neither right nor centre
      // Each line is aligned by its own width, fHeight 20 further down.
      {400, 100, HGETEXT_CENTER, "a\nb", 'a', 350, 100},
      {400, 100, HGETEXT_CENTER, "a\nb", 'b', 348, 120},
      {400, 100, HGETEXT_RIGHT, "b\n\nc", 'b', 297, 100},
      {400, 100, HGETEXT_RIGHT, "b\n\nc", 'c', 387, 140},
      // Unknown characters print as "?"; bytes beyond ASCII are unsigned codes.
      {0, 0, HGETEXT_LEFT, "zc", '?', 1, 0},
      {0, 0, HGETEXT_LEFT, "zc", 'c', 12, 0},
      {0, 0, HGETEXT_LEFT, "c\xE9", '?', 16, 0},
  };
  hgeFont* f = Load(kWidths + kQuestionMark);
  for (const auto& [x, y, align, text, letter, left, top] : rows) {
    f->Render(x, y, align, text);
    EXPECT_EQ(At(f->letters[letter]), std::pair(left, top)) << text << " " << letter;
  }
  // Scale grows glyphs, advances and lines: the line is 2 x 20 down, the first c
  // at pre 4, the pen 2 x (10 + 3) on, and the second c's pre 4.
  f->fScale = 2;
  f->Render(0, 0, HGETEXT_LEFT, "\ncc");
  const hgeQuad& q = f->letters['c']->quad;
  EXPECT_EQ((std::array{q.v[0].x, q.v[0].y, q.v[2].x, q.v[2].y}),
            (std::array{34.f, 40.f, 54.f, 72.f}));
  // The line advance is spacing x scale x height, rounded half to even.
  f = Load(kHeader + "Char=\"x\",0,0,4,21,0,0\n");
  for (auto [spacing, top] : {std::pair{0.5f, 10.0f}, std::pair{1.5f, 32.0f}}) {
    f->fSpacing = spacing;  // 10.5 -> 10, 31.5 -> 32
    f->Render(0, 0, HGETEXT_LEFT, "\nx");
    EXPECT_FLOAT_EQ(At(f->letters['x']).second, top) << spacing;
  }
}

TEST_F(FontTest, ColourDepthAndBlendReachEveryLetterAndTheGameTextIsLightBlue) {
  hgeFont* f = Load(kWidths + kQuestionMark);
  EXPECT_EQ(std::tuple(f->dwCol, f->fZ, f->nBlend), std::tuple(0xFFFFFFFFu, 0.5f, BLEND_DEFAULT));
  f->SetColor(0x80112233);
  f->SetZ(0.25f);
  f->SetBlendMode(BLEND_COLORADD);
  for (int code : {'a', 'b', 'c', '?'}) {
    for (const hgeVertex& v : f->letters[code]->quad.v)
      EXPECT_EQ(std::pair(v.col, v.z), std::pair(0x80112233u, 0.25f));
    EXPECT_EQ(f->letters[code]->GetBlendMode(), BLEND_COLORADD);
  }
  EXPECT_EQ(TextPrinter().font->dwCol, 0xFF90CBF0u);  // the game's text is light blue
}

}  // namespace
