// Broken and hostile outside files: each is refused or repaired with a
// message naming the file, and the game goes on without blocking, crashing or
// running out of memory.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/GameValues.h"
#include "gfx/TextPrinter.h"
#include "persist/HighScores.h"
#include "tests/GlyphPrinter.h"
#include "tests/HeadlessEngine.h"
#include "tests/SimRunner.h"
#include "tests/game/GameScenario.h"

namespace fs = std::filesystem;

namespace {

TEST(BrokenFiles, BadTuningLinesKeepTheirBuiltInValueAndOutOfRangeValuesTheirBound) {
  // Rows: a line, the text written there (null: the shipped line), its value
  // after loading, the message.
  const std::tuple<int, const char*, float, const char*> cases[] = {
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
  for (const auto& [line, text, value, message] : cases)
    if (text) lines[line] = text;
  std::istringstream in(GameValuesWith(lines));
  const std::vector<std::string> problems = LoadGameValues(in);
  std::string all;
  for (const std::string& p : problems) all += p + "\n";
  for (const auto& [line, text, value, message] : cases) {
    const GameValueRef ref = GameValueAt(line);
    const float got = ref.asFloat ? *ref.asFloat : ref.asInt ? *ref.asInt : *ref.asBool;
    EXPECT_FLOAT_EQ(got, value) << "line " << line;
    if (!message) continue;
    EXPECT_NE(all.find(std::string("GameValues.txt ") + message), std::string::npos)
        << message << "\nin:\n"
        << all;
  }
  EXPECT_EQ(problems.size(), 10u) << all;

  std::istringstream shortFile("50\n");  // each used line it lacks is reported
  EXPECT_EQ(LoadGameValues(shortFile).size(), 65u);
  ResetGameValuesToBuiltIn();
}

// Each run plays two seconds of rain. A FIFO or a device where a file should
// be is refused at once, never read. Pictures of another size than the game
// draws are refused before they are decoded, with the error a missing picture
// gives; so are fonts without one. A font of 20,000 repeated "Bitmap" lines
// loads its image once, and its 10 MB of lines read in linear time.
TEST(BrokenFiles, HostileFilesAreReportedAndTheGamePlaysOnInBoundedMemory) {
  const std::string folder = TestFolder("hostile-files");
  const std::string onePixel = ReadFile(WriteTestPng(folder, "one.png", 1, 1, 0xFF000000));
  const auto claiming = [&onePixel](uint32_t w, uint32_t h) {  // a header that says w x h
    std::string png = onePixel;  // width and height are big-endian from byte 16
    for (int i = 0; i < 8; ++i)
      png[16 + i] = static_cast<char>((i < 4 ? w : h) >> (24 - i % 4 * 8));
    return png;
  };
  SimOptions tuning, notRegular, wrongSizes, hugeFont;
  tuning.files["GameValues.txt"] =
      GameValuesWith({{7, "1e-45"}, {1, "-3e38"}, {2, "-3e38"}, {4, "3e38"}, {9, "3e38"}});
  notRegular.files["Images/startmeny.png"] = "";  // a folder of the run's own, for the FIFO
  notRegular.prepare = [](const std::string& dir) {
    for (const char* name : {"GameValues.txt", "highscore_names.txt", "Images/startmeny.png"}) {
      fs::remove(fs::path(dir) / name);
      ASSERT_EQ(mkfifo((fs::path(dir) / name).c_str(), 0600), 0);
    }
    fs::remove(fs::path(dir) / "highscore_points.txt");
    fs::create_symlink("/dev/zero", fs::path(dir) / "highscore_points.txt");
  };
  wrongSizes.files = {
      {"Images/startmeny.png", onePixel},
      {"Images/da_sun.png", ReadFile(WriteTestPng(folder, "half.png", 1870, 100, 0xFF000000))},
      {"Images/darksky.png", claiming(20000, 20000)},
      {"Images/BlackCurtain.png", claiming(8000, 8000)}};
  wrongSizes.remove = {"font1.fnt"};
  std::string& font = hugeFont.files["font1.fnt"];
  font = ReadFile(ZARVO_DATA_DIR "/font1.fnt");
  for (int i = 0; i < 20000; ++i) font += "Bitmap=font1.png\n";
  while (font.size() < (10u << 20)) font += "Char=41,0,0,10,16,0,0\n";
  // Rows: a run and the messages it reports (none: no error box shows either).
  const std::pair<const SimOptions*, std::vector<std::string>> runs[] = {
      {&tuning, {"GameValues.txt line 7 (rainDropInterval)"}},
      {&notRegular,
       {"GameValues.txt: not a regular file", "highscore_names.txt: not a regular file",
        "highscore_points.txt: not a regular file", "Texture unable to loadImages\\startmeny.png",
        "Can't load texture Images\\startmeny.png: not a regular file"}},
      {&wrongSizes,
       {"Texture unable to loadImages\\startmeny.png",
        "Picture Images\\startmeny.png is 1x1, the game needs 2340x640",
        "Texture unable to loadImages\\da_sun.png", "is 1870x100, the game needs 3740x200",
        "Can't load texture Images\\darksky.png: PNG image too large",
        "Texture unable to loadImages\\darksky.png", "is 8000x8000, the game needs 1024x768",
        "Font unable to load font1.fnt"}},
      {&hugeFont, {}}};
  for (const auto& [options, expected] : runs) {
    const SimResult r = RunSimWith(
        "start\nset GameState 1\npress SPACE\nframes 1\nhold G\nframes 120\ndump\n", *options);
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    ASSERT_EQ(r.dumps.size(), 1u);
    // Everything the run reported: its standard error, the engine's log and the error boxes.
    std::string reports = r.errors + ReadFile(r.dir + "/hgeLog.txt");
    for (const auto& m : r.dumps[0]["messages"]) reports += m.get<std::string>() + "\n";
    for (const std::string& e : expected)
      EXPECT_NE(reports.find(e), std::string::npos) << e << "\nin:\n" << reports;
    EXPECT_TRUE(!expected.empty() || r.dumps[0]["messages"].empty()) << reports;
    EXPECT_LT(r.dumps[0]["rain"]["drops"].size(), 20000u);
    EXPECT_LT(r.peakKb, 1 << 20);  // 1 GiB: the failures this guards against took 3 GB and more
  }
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
  EXPECT_EQ(ReadFile(r.dir + "/highscore_names.txt").substr(0, 100004), longName + "\n\xff\xfe\n");
}

// Player 1 dies with 999999 points and enters the name A.
const char* const kNameEntered =
    "set GameState 1\nhold SPACE\nframes 1\nrelease all\nset player1.score 999999\n"
    "set player1.state 5\nframes 1\npress A\nframes 1\npress ENTER\nframes 4\n";

// A committed name is on disk at once: a kill right after it keeps it.
TEST(BrokenFiles, ACommittedNameOutlivesAKill) {
  const SimResult r = RunSimWith(kNameEntered + std::string("kill\n"), SimOptions{});
  ASSERT_EQ(r.exitCode, 128 + SIGKILL) << r.errors;
  EXPECT_EQ(ReadFile(r.dir + "/highscore_names.txt"),
            "A\n" + ReadFile(ZARVO_DATA_DIR "/highscore_names.txt"));
  EXPECT_EQ(ReadFile(r.dir + "/highscore_points.txt").substr(0, 12), "999999\n5000\n");
}

// A save that cannot finish keeps both old files, leaves no temporary behind
// and is reported in the log, on standard error and on the table screen.
TEST(BrokenFiles, AFailedSaveKeepsTheOldTableAndReachesThePlayer) {
  SimOptions options;  // a folder in the points file's place keeps the old names too
  options.prepare = [](const std::string& dir) {
    fs::remove(fs::path(dir) / "highscore_points.txt");
    fs::create_directory(fs::path(dir) / "highscore_points.txt");
  };
  const SimResult r = RunSimWith(kNameEntered, options);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  const char* expected = "save the high scores to highscore_points.txt: not a regular file";
  EXPECT_NE(r.errors.find(expected), std::string::npos) << r.errors;
  EXPECT_NE(ReadFile(r.dir + "/hgeLog.txt").find(expected), std::string::npos);
  EXPECT_EQ(ReadFile(r.dir + "/highscore_names.txt"),
            ReadFile(ZARVO_DATA_DIR "/highscore_names.txt"));

  Scoped<HGE*> engine{hge, HeadlessEngine()};
  Owned<TextPrinter> printer{textPrinter, MakeGlyphPrinter()};
  const std::string folder = TestFolder("failed-save"), names = folder + "/highscore_names.txt";
  std::ofstream(names) << "OLD\n";
  HighScores table(names, folder + "/" + std::string(250, 'p'));
  signal(SIGXFSZ, SIG_IGN);  // a write past the size limit fails instead of ending the process
  // Rows: a file size limit (0: none; it stops root too) and the failure. No
  // temporary fits beside a file of so long a name; a write is cut short.
  const std::pair<rlim_t, const char*> rows[] = {{0, "File name too long"},
                                                 {5, "highscore_names.txt: File too large"}};
  for (const auto& [size, why] : rows) {
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit low{size ? size : old.rlim_cur, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &low), 0);
    table.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_NE(table.saveProblem.find(why), std::string::npos) << table.saveProblem;
    EXPECT_EQ(ReadFile(names), "OLD\n") << why;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << why;  // no temporaries
  }
  ASSERT_TRUE(hge->Gfx_BeginScene(0));
  table.RenderTable();
  hge->Gfx_EndScene();
  EXPECT_TRUE(GlyphDrawn(textPrinter, 'T'));  // "The high scores could not be saved."
}

}  // namespace
