// Broken and hostile outside files: each is refused or repaired with a
// message naming the file, and the game goes on without blocking, crashing or
// running out of memory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/GameValues.h"
#include "engine/hge.h"
#include "game/Globals.h"
#include "gfx/TextPrinter.h"
#include "persist/HighScores.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Joined(const nlohmann::json& texts) {
  std::string all;
  for (const auto& t : texts) all += t.get<std::string>() + "\n";
  return all;
}

float ValueAt(int line) {
  const GameValueRef ref = GameValueAt(line);
  return ref.asFloat ? *ref.asFloat : ref.asInt ? static_cast<float>(*ref.asInt) : *ref.asBool;
}

// Everything a run reported: its standard error, the engine's log and the error boxes.
std::string Reports(const SimResult& r) {
  return r.errors + ReadAll(fs::path(r.dir) / "hgeLog.txt") +
         (r.dumps.empty() ? "" : Joined(r.dumps.back()["messages"]));
}

constexpr long kMemoryBoundKb =
    1 << 20;  // 1 GiB: the failures this guards against took 3 GB and more

TEST(BrokenFiles, BadTuningLinesKeepTheirBuiltInValueAndOutOfRangeValuesTheirBound) {
  // (line, text written there or null to keep the shipped line, value after loading, message)
  const struct {
    int line;
    const char* text;
    float value;
    const char* message;
  } cases[] = {
      {57, "nan", 0,
       "line 57 (smallEnergyCloudGain): \"nan\" is not a number; using the built-in 0"},
      {58, nullptr, 10, nullptr},  // read normally after a bad line
      {59, "\r", 0, "line 59 (largeEnergyCloudGain): \"?\" is not a number"},
      {60, "", 0, "line 60 (energyDrainRate): \"\" is not a number"},
      {61, "fast 7", 0, "line 61 (rainDropEnergy): \"fast 7\" is not a number"},
      {62, nullptr, 120, nullptr},
      {7, "1e-45 tiny", 0.001f,
       "line 7 (rainDropInterval): 1.4013e-45 is outside 0.001..60; using 0.001"},
      {1, "-3e38", 0, "line 1 (grassHeight): -3e+38 is outside 0..4096; using 0"},
      {2, "-3e38", 0, "line 2 (groundHeight)"},
      {4, "3e38", 4320, "line 4 (screenHeight): 3e+38 is outside 240..4320; using 4320"},
      {9, "3e38", 5000, "line 9 (rainGravity)"},
      {77, "2", 1, "line 77 (particleEffects): 2 is outside 0..1"},
  };
  std::map<int, std::string> lines;
  for (const auto& c : cases)
    if (c.text) lines[c.line] = c.text;
  std::istringstream in(GameValuesWith(lines));
  const std::vector<std::string> problems = LoadGameValues(in);
  std::string all;
  for (const std::string& p : problems) all += p + "\n";
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(ValueAt(c.line), c.value) << "line " << c.line;
    if (!c.message) continue;
    EXPECT_NE(all.find(std::string("GameValues.txt ") + c.message), std::string::npos)
        << c.message << "\nin:\n"
        << all;
  }
  EXPECT_EQ(problems.size(), 10u) << all;

  // A short file: the lines it lacks keep their built-in values.
  std::istringstream shortFile("50\n");
  EXPECT_EQ(LoadGameValues(shortFile).size(), 65u);  // every used line but the first
  EXPECT_FLOAT_EQ(worldSpeed, 50);
  EXPECT_EQ(screenWidth, 1024);
  ResetGameValuesToBuiltIn();
}

TEST(BrokenFiles, HostileTuningValuesStillPlay) {
  SimOptions options;
  options.files["GameValues.txt"] =
      GameValuesWith({{7, "1e-45"}, {1, "-3e38"}, {2, "-3e38"}, {4, "3e38"}, {9, "3e38"}});
  const SimResult r = RunSimWith(
      "start\nset GameState 1\npress SPACE\nframes 1\nhold G\nframes 120\ndump\n", options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  EXPECT_NE(r.errors.find("GameValues.txt line 7 (rainDropInterval)"), std::string::npos);
  EXPECT_LT(r.dumps.back()["rain"]["drops"].size(), 20000u);
  EXPECT_LT(r.peakKb, kMemoryBoundKb);
}

// A FIFO or a device where a file should be is refused at once, never read.
TEST(BrokenFiles, FilesThatAreNotRegularFilesAreRefusedWithoutBlocking) {
  SimOptions options;
  options.files["Images/startmeny.png"] = "";
  options.prepare = [](const std::string& dir) {
    for (const char* name : {"GameValues.txt", "highscore_names.txt", "Images/startmeny.png"}) {
      fs::remove(fs::path(dir) / name);
      ASSERT_EQ(mkfifo((fs::path(dir) / name).c_str(), 0600), 0);
    }
    fs::remove(fs::path(dir) / "highscore_points.txt");
    fs::create_symlink("/dev/zero", fs::path(dir) / "highscore_points.txt");
  };
  const SimResult r = RunSimWith("frames 2\ndump\n", options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  const std::string reports = Reports(r);
  for (const char* expected :
       {"GameValues.txt: not a regular file", "highscore_names.txt: not a regular file",
        "highscore_points.txt: not a regular file", "Texture unable to loadImages\\startmeny.png",
        "Can't load texture Images\\startmeny.png: not a regular file"})
    EXPECT_NE(reports.find(expected), std::string::npos) << expected << "\nin:\n" << reports;
  EXPECT_EQ(r.dumps.back()["highScores"]["points"][0], 0);
}

// Pictures of another size than the game draws are refused before they are
// decoded, with the error a missing picture gives; so are fonts without one.
TEST(BrokenFiles, PicturesOfTheWrongSizeAndAMissingFontAreReported) {
  const std::string folder = TestFolder("wrong-size-pictures");
  std::string huge = ReadAll(WriteTestPng(folder, "one.png", 1, 1, 0xFF000000));
  const auto setSize = [&huge](uint32_t w, uint32_t h) {
    for (int i = 0; i < 4; ++i) {
      huge[16 + i] = static_cast<char>(w >> (24 - 8 * i));
      huge[20 + i] = static_cast<char>(h >> (24 - 8 * i));
    }
    return huge;
  };
  SimOptions options;
  options.files["Images/startmeny.png"] = ReadAll(folder + "/one.png");
  options.files["Images/da_sun.png"] =
      ReadAll(WriteTestPng(folder, "half.png", 1870, 100, 0xFF000000));
  options.files["Images/darksky.png"] = setSize(20000, 20000);
  options.files["Images/BlackCurtain.png"] = setSize(8000, 8000);
  options.remove = {"font1.fnt"};
  const SimResult r = RunSimWith("frames 2\ndump\n", options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  const std::string reports = Reports(r);
  for (const char* expected :
       {"Texture unable to loadImages\\startmeny.png",
        "Picture Images\\startmeny.png is 1x1, the game needs 2340x640",
        "Texture unable to loadImages\\da_sun.png", "is 1870x100, the game needs 3740x200",
        "Can't load texture Images\\darksky.png: PNG image too large",
        "Texture unable to loadImages\\darksky.png", "is 8000x8000, the game needs 1024x768",
        "Font unable to load font1.fnt"})
    EXPECT_NE(reports.find(expected), std::string::npos) << expected << "\nin:\n" << reports;
  EXPECT_LT(r.peakKb, kMemoryBoundKb);
}

// 20,000 repeated "Bitmap" lines load the image once; 10 MB of lines read in linear time.
TEST(BrokenFiles, AHugeFontFileLoadsItsImageOnce) {
  std::string font = ReadAll(fs::path(ZARVO_DATA_DIR) / "font1.fnt");
  for (int i = 0; i < 20000; ++i) font += "Bitmap=font1.png\n";
  while (font.size() < (10u << 20)) font += "Char=41,0,0,10,16,0,0\n";
  SimOptions options;
  options.files["font1.fnt"] = font;
  const SimResult r = RunSimWith("frames 2\ndump\n", options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  EXPECT_EQ(Joined(r.dumps.back()["messages"]), "");
  EXPECT_LT(r.peakKb, kMemoryBoundKb);
}

// Long names load and save whole; names that are not UTF-8 still dump.
TEST(BrokenFiles, HighScoreNamesOfAnyLengthOrBytesLoadAndSaveWhole) {
  const std::string longName(100000, 'x');
  SimOptions options;
  options.files["highscore_names.txt"] = longName + "\n\xff\xfe\n";
  const SimResult r = RunSimWith("frames 1\ndump\n", options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  const auto& names = r.dumps.back()["highScores"]["names"];
  EXPECT_EQ(names[0], longName + "\n");
  EXPECT_EQ(names[1], "\xEF\xBF\xBD\xEF\xBF\xBD\n");
  EXPECT_EQ(ReadAll(fs::path(r.dir) / "highscore_names.txt").substr(0, 100004),
            longName + "\n\xff\xfe\n");
}

// A save that fails (a folder in a file's place, a full disk) is reported in
// the log, on standard error and on the table screen.
TEST(BrokenFiles, AFailedSaveReachesThePlayer) {
  SimOptions options;
  options.prepare = [](const std::string& dir) {
    fs::remove(fs::path(dir) / "highscore_names.txt");
    fs::create_directory(fs::path(dir) / "highscore_names.txt");
    fs::remove(fs::path(dir) / "highscore_points.txt");
    fs::create_symlink("/dev/full", fs::path(dir) / "highscore_points.txt");
  };
  const SimResult r = RunSimWith("frames 1\n", options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  for (const char* expected :
       {"Could not save the high scores to highscore_names.txt: Is a directory",
        "Could not save the high scores to highscore_points.txt: No space left on device"}) {
    EXPECT_NE(r.errors.find(expected), std::string::npos) << r.errors;
    EXPECT_NE(ReadAll(fs::path(r.dir) / "hgeLog.txt").find(expected), std::string::npos);
  }

  HGE* saved = hge;
  hge = HeadlessEngine();
  TextPrinter* savedPrinter = textPrinter;
  textPrinter = MakeGlyphPrinter();
  const std::string folder = TestFolder("failed-save");
  fs::create_directory(folder + "/names");
  HighScores table(folder + "/names", folder + "/points");
  table.Save();
  EXPECT_NE(table.saveProblem.find("Is a directory"), std::string::npos);
  MarkGlyphsUndrawn(textPrinter);
  ASSERT_TRUE(hge->Gfx_BeginScene(0));
  table.RenderTable();
  hge->Gfx_EndScene();
  EXPECT_TRUE(GlyphDrawn(textPrinter, 'T'));  // "The high scores could not be saved."
  delete textPrinter;
  textPrinter = savedPrinter;
  hge = saved;
}

}  // namespace
