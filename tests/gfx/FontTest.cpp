// The bitmap font: reading ".fnt" descriptions (well-formed and broken ones),
// string widths, the three alignments with half-to-even centring, line breaks,
// the "?" stand-in, and the text printer built on it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/hge.h"
#include "gfx/TextPrinter.h"
#include "gfx/hgeFont.h"
#include "gfx/hgeSprite.h"
#include "tests/HeadlessEngine.h"

namespace {

class FontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hge = HeadlessEngine();
    ASSERT_NE(hge, nullptr);
    folder = TestFolder("font");
  }

  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  // A font read from the given text.
  hgeFont* Load(const std::string& content) {
    font.reset(new hgeFont(Write("test.fnt", content).c_str()));
    return font.get();
  }
  static int Defined(const hgeFont& f) {
    int n = 0;
    for (const hgeSprite* s : f.letters) n += s != nullptr;
    return n;
  }

  HGE* hge = nullptr;
  std::string folder;
  std::unique_ptr<hgeFont> font;
};

float LeftAt(const hgeSprite* s) { return s->quad.v[0].x; }
float TopAt(const hgeSprite* s) { return s->quad.v[0].y; }
// Marks every character sprite as not drawn, to see afterwards which were.
void ForgetDraws(hgeFont* f) {
  for (hgeSprite* s : f->letters)
    if (s) s->quad.v[0].x = s->quad.v[0].y = -9999;
}

// ---- Reading ----

TEST_F(FontTest, QuotedAndHexadecimalCharactersDefineTheSameRectangle) {
  hgeFont* f = Load(
      "[HGEFONT]\n"
      "Char=\"A\",1,2,3,4,5,6\n"
      "Char=42,1,2,3,4,5,6\n"
      "Char=6a,7,8,9,10,-1,-2\n");
  for (int code : {'A', 'B'}) {
    const hgeSprite* s = f->letters[code];
    ASSERT_NE(s, nullptr) << code;
    EXPECT_FLOAT_EQ(s->tx, 1);
    EXPECT_FLOAT_EQ(s->ty, 2);
    EXPECT_FLOAT_EQ(s->width, 3);
    EXPECT_FLOAT_EQ(s->height, 4);
    EXPECT_FLOAT_EQ(f->pre[code], 5);
    EXPECT_FLOAT_EQ(f->post[code], 6);
  }
  ASSERT_NE(f->letters['j'], nullptr);  // lower-case hexadecimal
  EXPECT_FLOAT_EQ(f->pre['j'], -1);
  EXPECT_FLOAT_EQ(f->post['j'], -2);
  EXPECT_FLOAT_EQ(f->fHeight, 10);
  EXPECT_EQ(Defined(*f), 3);
}

TEST_F(FontTest, SpacesAroundCommasAndAfterTheEqualsSignAreAllowed) {
  hgeFont* f = Load("[HGEFONT]\nChar =   \"x\" , 1 ,2,  3 , 4 , 5 ,6 trailing words\n");
  ASSERT_NE(f->letters['x'], nullptr);
  EXPECT_FLOAT_EQ(f->letters['x']->width, 3);
  EXPECT_FLOAT_EQ(f->post['x'], 6);
}

TEST_F(FontTest, QuotesAndCommasCanBeQuotedCharacters) {
  hgeFont* f = Load("[HGEFONT]\nChar=\"\"\",1,1,5,5,0,0\nChar=\",\",2,2,6,6,0,0\n");
  ASSERT_NE(f->letters['"'], nullptr);
  ASSERT_NE(f->letters[','], nullptr);
  EXPECT_FLOAT_EQ(f->letters[',']->width, 6);
}

TEST_F(FontTest, ACharacterGivenTwiceKeepsItsLastDefinition) {
  hgeFont* f = Load("[HGEFONT]\nChar=\"A\",0,0,5,5,0,0\nChar=41,9,9,7,30,1,1\n");
  EXPECT_FLOAT_EQ(f->letters['A']->width, 7);
  EXPECT_FLOAT_EQ(f->fHeight, 30);  // the tallest height read, even if replaced
  EXPECT_EQ(Defined(*f), 1);
}

TEST_F(FontTest, AllLineEndingsWorkAndTheLastLineNeedsNoLineBreak) {
  hgeFont* f =
      Load("[HGEFONT]\r\nChar=41,0,0,1,1,0,0\rChar=42,0,0,1,1,0,0\n\n\r\nChar=43,0,0,1,1,0,0");
  EXPECT_NE(f->letters['A'], nullptr);
  EXPECT_NE(f->letters['B'], nullptr);
  EXPECT_NE(f->letters['C'], nullptr);
}

TEST_F(FontTest, DefaultsBeforeAnySetting) {
  hgeFont* f = Load("[HGEFONT]\nChar=41,0,0,1,1,0,0\n");
  EXPECT_EQ(f->hTexture, 0u);
  EXPECT_FLOAT_EQ(f->fScale, 1);
  EXPECT_FLOAT_EQ(f->fRot, 0);
  EXPECT_FLOAT_EQ(f->fTracking, 0);
  EXPECT_FLOAT_EQ(f->fSpacing, 1);
  EXPECT_EQ(f->dwCol, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(f->fZ, 0.5f);
  EXPECT_EQ(f->nBlend, BLEND_DEFAULT);
  EXPECT_EQ(f->letters['A']->GetBlendMode(), BLEND_DEFAULT);
}

TEST_F(FontTest, WrongFirstLinesAreRejectedWithALogLine) {
  const std::string log = folder + "/log.txt";
  hge->System_SetState(HGE_LOGFILE, log.c_str());
  const char* bad[] = {"[HGEFONT] \nChar=41,0,0,1,1,0,0\n",
                       "[hgefont]\nChar=41,0,0,1,1,0,0\n",
                       "\n[HGEFONT]\nChar=41,0,0,1,1,0,0\n",
                       "Char=41,0,0,1,1,0,0\n",
                       "",
                       "[HGEFONT"};
  for (const char* text : bad) {
    hgeFont* f = Load(text);
    EXPECT_EQ(Defined(*f), 0) << text;
  }
  hge->System_SetState(HGE_LOGFILE, "");
  std::ifstream in(log);
  std::string line;
  int lines = 0;
  while (std::getline(in, line)) {
    EXPECT_EQ(line, "Font " + folder + "/test.fnt has incorrect format.");
    ++lines;
  }
  EXPECT_EQ(lines, 6);
}

TEST_F(FontTest, AMissingFileGivesAnEmptyFontThatDrawsNothing) {
  hgeFont f((folder + "/nothing.fnt").c_str());
  EXPECT_EQ(Defined(f), 0);
  EXPECT_FLOAT_EQ(f.GetStringWidth("abc"), 0);
  f.Render(10, 10, HGETEXT_CENTER, "abc\ndef");  // must not crash
}

TEST_F(FontTest, BadCharacterCodesAreSkipped) {
  hgeFont* f = Load(
      "[HGEFONT]\n"
      "Char=zz,0,0,1,1,0,0\n"                        // no hexadecimal digit
      "Char=100,0,0,1,1,0,0\n"                       // above FF
      "Char=FFFFFFFFFFFFFFFFFFFFFFFF,0,0,1,1,0,0\n"  // far above FF
      "Char=FF,0,0,2,1,0,0\n"                        // the highest code
      "Char=0000041,0,0,3,1,0,0\n"                   // leading zeros
      "Char=\"A,0,0,1,1,0,0\n"                       // quote never closed
      "Char=\"\n");                                  // quote at the end of the line
  EXPECT_NE(f->letters[0xFF], nullptr);
  ASSERT_NE(f->letters['A'], nullptr);
  EXPECT_FLOAT_EQ(f->letters['A']->width, 3);
  EXPECT_EQ(Defined(*f), 2);
}

TEST_F(FontTest, CharLinesWithFewerThanSixNumbersAreSkipped) {
  hgeFont* f = Load(
      "[HGEFONT]\n"
      "Char=\"A\",1,2,3,4,5\n"
      "Char=\"B\",1,2,3\n"
      "Char=\"C\"\n"
      "Char=\n"
      "Char\n"
      "Char \"D\",1,2,3,4,5,6\n"  // no equals sign
      "Char=\"E\",1,2,x,4,5,6\n"
      "Char=\"F\" 1,2,3,4,5,6\n"  // no comma before the first number
      "Char=\"G\",1,2,3,4,5,6\n");
  EXPECT_EQ(Defined(*f), 1);
  EXPECT_NE(f->letters['G'], nullptr);
}

TEST_F(FontTest, HugeNumbersAreCappedInsteadOfOverflowing) {
  hgeFont* f = Load("[HGEFONT]\nChar=41,99999999999999999999,-99999999999999999999,1,2,3,4\n");
  ASSERT_NE(f->letters['A'], nullptr);
  EXPECT_GT(f->letters['A']->tx, 1e8f);
  EXPECT_LT(f->letters['A']->ty, -1e8f);
}

TEST_F(FontTest, LinesOf256CharactersOrMoreAreSkipped) {
  const std::string padding(300, ' ');
  hgeFont* f = Load(
      "[HGEFONT]\n"
      "Char=41,0,0,1,1,0,0" +
      padding + "\n" + "Char=42,0,0,1,1,0,0\n" + "Bitmap=" + std::string(300, 'x') +
      ".png\n" +  // skipped, reading goes on
      "Char=43,0,0,1,1,0,0\n" + "Char=44,0,0,1,1,0,0" + std::string(255 - 19, ' ') +
      "\n" +                                                       // 255: kept
      "Char=45,0,0,1,1,0,0" + std::string(256 - 19, ' ') + "\n");  // 256: skipped
  EXPECT_EQ(f->letters['A'], nullptr);
  EXPECT_NE(f->letters['B'], nullptr);
  EXPECT_NE(f->letters['C'], nullptr);
  EXPECT_NE(f->letters['D'], nullptr);
  EXPECT_EQ(f->letters['E'], nullptr);
  hgeFont* g = Load("[HGEFONT]\n" + std::string(254, ' ') + "x\nChar=41,0,0,1,1,0,0\n");
  EXPECT_NE(g->letters['A'], nullptr);
}

TEST_F(FontTest, TheImageIsReadBesideTheDescription) {
  std::filesystem::create_directories(folder + "/sub");
  WriteTestPng(folder + "/sub", "glyphs.png", 64, 32, 0xFFFFFFFF);
  std::ofstream(folder + "/sub/f.fnt") << "[HGEFONT]\nBitmap = glyphs.png\nChar=41,32,16,8,8,0,0\n";
  hgeFont slash((folder + "/sub/f.fnt").c_str());
  ASSERT_NE(slash.hTexture, 0u);
  ASSERT_NE(slash.letters['A'], nullptr);
  EXPECT_EQ(slash.letters['A']->GetTexture(), slash.hTexture);
  EXPECT_FLOAT_EQ(slash.letters['A']->quad.v[0].tx, 0.5f);
  // The game's own names use backslashes; the directory ends at the last one.
  hgeFont backslash((folder + "\\sub\\f.fnt").c_str());
  EXPECT_NE(backslash.hTexture, 0u);
}

TEST_F(FontTest, WithoutABitmapLineCharactersHaveNoTexture) {
  hgeFont* f = Load("[HGEFONT]\nChar=41,0,0,8,8,0,0\n");
  ASSERT_NE(f->letters['A'], nullptr);
  EXPECT_EQ(f->letters['A']->GetTexture(), 0u);
}

TEST_F(FontTest, AnImageThatFailsToLoadStopsReading) {
  hgeFont* f = Load("[HGEFONT]\nChar=41,0,0,1,1,0,0\nBitmap=missing.png\nChar=42,0,0,1,1,0,0\n");
  EXPECT_NE(f->letters['A'], nullptr);
  EXPECT_EQ(f->letters['B'], nullptr);
  EXPECT_EQ(f->hTexture, 0u);
  // A path too long for the format counts as such an image.
  hgeFont* g = Load("[HGEFONT]\nChar=41,0,0,1,1,0,0\nBitmap=" + std::string(240, 'p') +
                    ".png\nChar=42,0,0,1,1,0,0\n");
  EXPECT_NE(g->letters['A'], nullptr);
  EXPECT_EQ(g->letters['B'], nullptr);
}

TEST_F(FontTest, ABitmapLineWithoutAFileNameChangesNothing) {
  hgeFont* f = Load("[HGEFONT]\nBitmap=\nBitmap\nBitmapX=y.png\nChar=41,0,0,1,1,0,0\n");
  EXPECT_NE(f->letters['A'], nullptr);
}

TEST_F(FontTest, ASecondImageKeepsTheFirstForEarlierCharacters) {
  WriteTestPng(folder, "one.png", 16, 16, 0xFFFFFFFF);
  WriteTestPng(folder, "two.png", 32, 32, 0xFFFFFFFF);
  hgeFont* f = Load(
      "[HGEFONT]\nBitmap=one.png\nChar=41,0,0,1,1,0,0\nBitmap=two.png\n"
      "Char=42,0,0,1,1,0,0\n");
  ASSERT_NE(f->letters['A'], nullptr);
  ASSERT_NE(f->letters['B'], nullptr);
  EXPECT_NE(f->letters['A']->GetTexture(), f->letters['B']->GetTexture());
  EXPECT_EQ(f->hTexture, f->letters['B']->GetTexture());
  EXPECT_FLOAT_EQ(f->letters['A']->texWidth, 16);  // still valid until the font goes
}

TEST_F(FontTest, TheTextEndsAtAZeroByte) {
  const std::string text =
      std::string("[HGEFONT]\nChar=41,0,0,1,1,0,0\n") + '\0' + "\nChar=42,0,0,1,1,0,0\n";
  hgeFont* f = Load(text);
  EXPECT_NE(f->letters['A'], nullptr);
  EXPECT_EQ(f->letters['B'], nullptr);
}

TEST_F(FontTest, BinaryGarbageNeverBreaksTheReader) {
  uint32_t state = 12345;
  auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return static_cast<char>(state >> 24);
  };
  for (int round = 0; round < 40; ++round) {
    std::string text = round % 2 ? "[HGEFONT]\n" : "";
    const int length = 1 + round * 97;
    for (int i = 0; i < length; ++i) {
      // Mostly the format's own characters, so the reader gets deep into lines.
      const char c = next();
      const std::string alphabet = "Char=Bitmap\",0123456789abcdefABCDEF \r\n-";
      text += (c & 1) ? alphabet[static_cast<unsigned char>(c) % alphabet.size()] : c;
    }
    hgeFont* f = Load(text);
    f->Render(100, 100, round & 3, text.c_str());
    f->GetStringWidth(text.c_str());
  }
}

// ---- Measuring and drawing ----

// A font without image: a 101 and a 103 pixel wide letter, a narrow one with
// spacing, and optionally "?".
std::string WidthFont(bool withQuestionMark) {
  std::string text =
      "[HGEFONT]\n"
      "Char=\"a\",0,0,101,20,0,0\n"
      "Char=\"b\",0,0,103,20,0,0\n"
      "Char=\"c\",0,0,10,16,2,3\n";
  if (withQuestionMark) text += "Char=\"?\",0,0,7,20,1,2\n";
  return text;
}

TEST_F(FontTest, StringWidthSumsWidthsSpacingAndTracking) {
  hgeFont* f = Load(WidthFont(true));
  EXPECT_FLOAT_EQ(f->GetStringWidth("c"), 15);
  EXPECT_FLOAT_EQ(f->GetStringWidth("acb"), 101 + 15 + 103);
  f->fTracking = 1;
  EXPECT_FLOAT_EQ(f->GetStringWidth("cc"), 32);
  f->fScale = 2;
  EXPECT_FLOAT_EQ(f->GetStringWidth("cc"), 64);
  EXPECT_FLOAT_EQ(f->GetStringWidth("cc\nabab"), 64);  // up to the first line break
  EXPECT_FLOAT_EQ(f->GetStringWidth(""), 0);
}

TEST_F(FontTest, CentringRoundsHalfWidthsToEven) {
  hgeFont* f = Load(WidthFont(false));
  f->Render(300, 40, HGETEXT_CENTER, "a");  // 101 wide: 50.5 -> 50
  EXPECT_FLOAT_EQ(LeftAt(f->letters['a']), 250);
  EXPECT_FLOAT_EQ(TopAt(f->letters['a']), 40);
  f->Render(300, 40, HGETEXT_CENTER, "b");  // 103 wide: 51.5 -> 52
  EXPECT_FLOAT_EQ(LeftAt(f->letters['b']), 248);
}

TEST_F(FontTest, AlignmentsPlaceThePenAndApplyPreAndPost) {
  hgeFont* f = Load(WidthFont(false));
  f->Render(500, 0, HGETEXT_LEFT, "ca");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 502);  // pre 2
  EXPECT_FLOAT_EQ(LeftAt(f->letters['a']), 515);  // + 10 wide + post 3
  EXPECT_FLOAT_EQ(f->letters['a']->quad.v[2].x, 616);
  f->Render(500, 0, HGETEXT_RIGHT, "ca");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 500 - 116 + 2);
  f->Render(500, 0, HGETEXT_RIGHT | 4, "c");  // only the two low bits count
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 487);
  f->Render(500, 0, 3, "c");  // both bits: neither right nor centre
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 502);
}

TEST_F(FontTest, ScaleGrowsGlyphsAndAdvances) {
  hgeFont* f = Load(WidthFont(false));
  f->fScale = 2;
  f->Render(0, 0, HGETEXT_LEFT, "cc");
  // First c at pre 4; the pen moves 2 x (10 + 3) on, and the second c adds its pre 4.
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 34);
  EXPECT_FLOAT_EQ(f->letters['c']->quad.v[2].x, 54);
  EXPECT_FLOAT_EQ(f->letters['c']->quad.v[2].y, 32);
}

TEST_F(FontTest, LineBreaksMoveDownAndAlignEachLineByItsOwnWidth) {
  hgeFont* f = Load(WidthFont(false));
  ForgetDraws(f);
  f->Render(400, 100, HGETEXT_CENTER, "a\nb");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['a']), 350);
  EXPECT_FLOAT_EQ(TopAt(f->letters['a']), 100);
  EXPECT_FLOAT_EQ(LeftAt(f->letters['b']), 348);
  EXPECT_FLOAT_EQ(TopAt(f->letters['b']), 120);  // fHeight 20
  f->Render(400, 100, HGETEXT_RIGHT, "b\n\nc");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['b']), 297);
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 400 - 15 + 2);
  EXPECT_FLOAT_EQ(TopAt(f->letters['c']), 140);
}

TEST_F(FontTest, LineAdvanceIsRoundedSpacingTimesScaleTimesHeight) {
  hgeFont* f = Load("[HGEFONT]\nChar=\"x\",0,0,4,21,0,0\n");
  f->fSpacing = 0.5f;  // 10.5 rounds to the even 10
  f->Render(0, 0, HGETEXT_LEFT, "\nx");
  EXPECT_FLOAT_EQ(TopAt(f->letters['x']), 10);
  f->fSpacing = 1.5f;  // 31.5 -> 32
  f->Render(0, 0, HGETEXT_LEFT, "\nx");
  EXPECT_FLOAT_EQ(TopAt(f->letters['x']), 32);
}

TEST_F(FontTest, UnknownCharactersPrintAsQuestionMarks) {
  hgeFont* f = Load(WidthFont(true));
  EXPECT_FLOAT_EQ(f->GetStringWidth("zZ"), 20);  // 2 x (7 + 1 + 2)
  f->Render(0, 0, HGETEXT_LEFT, "zc");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['?']), 1);
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 10 + 2);
  // Bytes beyond ASCII are looked up as unsigned codes.
  f->Render(0, 0, HGETEXT_LEFT, "c\xE9");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['?']), 15 + 1);
}

TEST_F(FontTest, WithoutQuestionMarkUnknownCharactersTakeNoSpace) {
  hgeFont* f = Load(WidthFont(false));
  EXPECT_FLOAT_EQ(f->GetStringWidth("zcz"), 15);
  f->Render(0, 0, HGETEXT_LEFT, "zzzc");
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 2);
}

TEST_F(FontTest, ColourDepthAndBlendGoToEveryCharacter) {
  hgeFont* f = Load(WidthFont(true));
  f->SetColor(0x80112233);
  f->SetZ(0.25f);
  f->SetBlendMode(BLEND_COLORADD);
  EXPECT_EQ(f->dwCol, 0x80112233u);
  for (int code : {'a', 'b', 'c', '?'}) {
    const hgeSprite* s = f->letters[code];
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(s->quad.v[i].col, 0x80112233u);
      EXPECT_FLOAT_EQ(s->quad.v[i].z, 0.25f);
    }
    EXPECT_EQ(s->GetBlendMode(), BLEND_COLORADD);
  }
}

// ---- Text printer ----

TEST_F(FontTest, TextPrinterIsLightBlueAndPrintsWhereAsked) {
  TextPrinter printer;
  EXPECT_EQ(printer.lineHeight, 24);
  ASSERT_NE(printer.font, nullptr);
  EXPECT_EQ(printer.font->dwCol, 0xFF90CBF0u);
  delete printer.font;
  printer.font = new hgeFont(Write("p.fnt", WidthFont(false)).c_str());
  hgeFont* f = printer.font;

  printer.Print(200, 30, "b", HGETEXT_CENTER);
  EXPECT_FLOAT_EQ(LeftAt(f->letters['b']), 148);
  EXPECT_FLOAT_EQ(TopAt(f->letters['b']), 30);

  ForgetDraws(f);
  printer.PrintLine(false, "c", 3);
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), -9999);
  printer.PrintLine(true, "c", 3);
  EXPECT_FLOAT_EQ(LeftAt(f->letters['c']), 2);
  EXPECT_FLOAT_EQ(TopAt(f->letters['c']), 72);
}

}  // namespace
