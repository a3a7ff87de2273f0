// Files through the engine: whole-file loading, the log file, the error box,
// and textures from good, missing, garbage and truncated images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "tests/engine/EngineTestSupport.h"

namespace {

using enginetest::WritePng;

void WriteFile(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

using EngineFiles = enginetest::HeadlessEngine;

TEST_F(EngineFiles, ResourceLoadReadsWholeFilesUnderGameNames) {
  std::filesystem::create_directory(dir + "/Sub");
  WriteFile(dir + "/Sub/data.bin", std::string("ab\0cd\n", 6));
  WriteFile(dir + "/empty", "");
  // Length -1: no file to read (a directory is none).
  for (const auto& [name, length, bytes] :
       {std::tuple{dir + "/Sub\\data.bin", 6, "ab\0cd\n"}, std::tuple{dir + "/empty", 0, ""},
        std::tuple{dir + "/missing.txt", -1, ""}, std::tuple{dir + "/", -1, ""}}) {
    uint32_t size = 99;
    void* data = hge->Resource_Load(name.c_str(), &size);
    EXPECT_EQ(data != nullptr, length >= 0) << name;
    EXPECT_EQ(size, static_cast<uint32_t>(std::max(length, 0))) << name;
    EXPECT_TRUE(!data || memcmp(data, bytes, length + 1) == 0) << name;  // and a zero after it
    hge->Resource_Free(data);
  }
  EXPECT_EQ(hge->Resource_Load(nullptr), nullptr);
}

TEST_F(EngineFiles, LogAppendsOneLinePerCallAndErrorBoxesNeverBlock) {
  const std::string log = dir + "/log.txt";
  hge->System_SetState(HGE_LOGFILE, log.c_str());
  hge->System_Log("Font %s has incorrect format.", "x.fnt");
  hge->System_Log("%d", 42);
  EXPECT_EQ(ReadFile(log), "Font x.fnt has incorrect format.\n42\n");
  const size_t before = ShownErrorBoxes().size();
  ShowErrorBox("Texture unable to load");
  ASSERT_EQ(ShownErrorBoxes().size(), before + 1);
  EXPECT_EQ(ShownErrorBoxes().back(), "Texture unable to load");
}

TEST_F(EngineFiles, TexturesLoadFromFilesAndMemoryOrStartBlank) {
  const std::string png = dir + "/img.png";
  WritePng(png, 5, 3, [](int x, int y) { return 0xFF000000u | (x * 40) << 16 | (y * 70) << 8; });
  uint32_t size = 0;
  void* bytes = hge->Resource_Load(png.c_str(), &size);
  const HTEXTURE fromFile = hge->Texture_Load(png.c_str());
  const HTEXTURE fromMemory = hge->Texture_Load(static_cast<const char*>(bytes), size);
  hge->Resource_Free(bytes);
  for (const HTEXTURE tex : {fromFile, fromMemory}) {
    ASSERT_NE(tex, 0u);
    EXPECT_EQ(hge->Texture_GetWidth(tex, true), 5);
    EXPECT_EQ(hge->Texture_GetHeight(tex), 3);
    const uint32_t* texels = hge->Texture_Lock(tex);
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels[0], 0xFF000000u);
    EXPECT_EQ(texels[2 * 5 + 4], 0xFF000000u | 160u << 16 | 140u << 8);
    hge->Texture_Unlock(tex);
    hge->Texture_Free(tex);
    EXPECT_EQ(hge->Texture_GetWidth(tex), 0);
    EXPECT_EQ(hge->Texture_Lock(tex), nullptr);
  }
  // A blank texture starts transparent; a part of it starts at its corner and
  // keeps the full row pitch.
  const HTEXTURE blank = hge->Texture_Create(6, 4);
  const uint32_t* texels = hge->Texture_Lock(blank, false);
  ASSERT_NE(texels, nullptr);
  EXPECT_EQ(std::count(texels, texels + 24, 0u), 24);
  EXPECT_EQ(hge->Texture_Lock(blank, true, 2, 1, 2, 2), texels + 6 + 2);
  EXPECT_EQ(hge->Texture_Lock(blank, true, 6, 0), nullptr);
  EXPECT_EQ(hge->Texture_Create(0, 5), 0u);
  EXPECT_EQ(hge->Texture_Create(5, -1), 0u);
  hge->Texture_Free(blank);
  hge->Texture_Free(blank);  // twice is harmless, as is a handle never given out
  hge->Texture_Free(12345);
}

TEST_F(EngineFiles, TextureLoadFailuresReturnZeroWithReason) {
  EXPECT_EQ(hge->Texture_Load((dir + "/missing.png").c_str()), 0u);
  EXPECT_NE(std::string(hge->System_GetErrorMessage()).find("missing.png"), std::string::npos);
  EXPECT_EQ(hge->Texture_Load(nullptr), 0u);
  WritePng(dir + "/good.png", 40, 40, [](int x, int y) { return 0xFF000000u | x << 8 | y; });
  const std::string good = ReadFile(dir + "/good.png");
  for (const std::string& bytes :
       {std::string("this is not an image at all"), good.substr(0, good.size() / 2),
        good.substr(0, 8), std::string()}) {
    WriteFile(dir + "/bad.png", bytes);
    EXPECT_EQ(hge->Texture_Load((dir + "/bad.png").c_str()), 0u) << bytes.size() << " bytes";
    EXPECT_NE(std::string(hge->System_GetErrorMessage()).find("bad.png"), std::string::npos);
  }
}

}  // namespace
