// Files through the engine: whole-file loading, the log file, the error box,
// and textures from good, missing, garbage and truncated images.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/engine/EngineTestSupport.h"

namespace {

using enginetest::HeadlessEngine;
using enginetest::WritePng;

void WriteFile(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using EngineFiles = HeadlessEngine;

TEST_F(EngineFiles, ResourceLoadReadsWholeFile) {
  const std::string bytes("ab\0cd\n", 6);
  WriteFile(dir.File("data.bin"), bytes);
  uint32_t size = 99;
  void* data = hge->Resource_Load(dir.File("data.bin").c_str(), &size);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(memcmp(data, bytes.data(), 6), 0);
  hge->Resource_Free(data);
}

TEST_F(EngineFiles, ResourceLoadMapsBackslashes) {
  std::filesystem::create_directory(dir.File("Sub"));
  WriteFile(dir.File("Sub/f.txt"), "x");
  void* data = hge->Resource_Load((dir.File("Sub") + "\\f.txt").c_str());
  ASSERT_NE(data, nullptr);
  hge->Resource_Free(data);
}

TEST_F(EngineFiles, ResourceLoadOfMissingFileIsNull) {
  uint32_t size = 99;
  EXPECT_EQ(hge->Resource_Load(dir.File("missing.txt").c_str(), &size), nullptr);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(hge->Resource_Load(dir.File("").c_str(), &size), nullptr);  // a directory
  EXPECT_EQ(hge->Resource_Load(nullptr, &size), nullptr);
}

TEST_F(EngineFiles, EmptyFileLoadsAsEmptyBlock) {
  WriteFile(dir.File("empty"), "");
  uint32_t size = 99;
  void* data = hge->Resource_Load(dir.File("empty").c_str(), &size);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(size, 0u);
  hge->Resource_Free(data);
}

TEST_F(EngineFiles, LogAppendsOneLinePerCall) {
  const std::string log = dir.File("log.txt");
  hge->System_SetState(HGE_LOGFILE, log.c_str());
  hge->System_Log("Font %s has incorrect format.", "x.fnt");
  hge->System_Log("%d", 42);
  EXPECT_EQ(ReadFile(log), "Font x.fnt has incorrect format.\n42\n");
}

TEST_F(EngineFiles, ErrorBoxIsRecordedWithoutBlocking) {
  const size_t before = ShownErrorBoxes().size();
  ShowErrorBox("Texture unable to load");
  ASSERT_EQ(ShownErrorBoxes().size(), before + 1);
  EXPECT_EQ(ShownErrorBoxes().back(), "Texture unable to load");
}

TEST_F(EngineFiles, TextureLoadKeepsImageTexels) {
  const std::string png = dir.File("img.png");
  WritePng(png, 5, 3, [](int x, int y) { return 0xFF000000u | (x * 40) << 16 | (y * 70) << 8; });
  const HTEXTURE tex = hge->Texture_Load(png.c_str());
  ASSERT_NE(tex, 0u);
  EXPECT_EQ(hge->Texture_GetWidth(tex, true), 5);
  EXPECT_EQ(hge->Texture_GetHeight(tex, true), 3);
  EXPECT_EQ(hge->Texture_GetWidth(tex), 5);
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

TEST_F(EngineFiles, TextureLoadFailuresReturnZeroWithReason) {
  EXPECT_EQ(hge->Texture_Load(dir.File("missing.png").c_str()), 0u);
  EXPECT_NE(std::string(hge->System_GetErrorMessage()).find("missing.png"), std::string::npos);

  WriteFile(dir.File("garbage.png"), "this is not an image at all");
  EXPECT_EQ(hge->Texture_Load(dir.File("garbage.png").c_str()), 0u);

  const std::string good = dir.File("good.png");
  WritePng(good, 40, 40, [](int x, int y) { return 0xFF000000u | (x * 6) << 8 | y * 6; });
  const std::string bytes = ReadFile(good);
  WriteFile(dir.File("truncated.png"), bytes.substr(0, bytes.size() / 2));
  EXPECT_EQ(hge->Texture_Load(dir.File("truncated.png").c_str()), 0u);
  WriteFile(dir.File("header-only.png"), bytes.substr(0, 8));
  EXPECT_EQ(hge->Texture_Load(dir.File("header-only.png").c_str()), 0u);
  WriteFile(dir.File("empty.png"), "");
  EXPECT_EQ(hge->Texture_Load(dir.File("empty.png").c_str()), 0u);
  EXPECT_FALSE(std::string(hge->System_GetErrorMessage()).empty());
}

TEST_F(EngineFiles, TextureLoadFromMemory) {
  const std::string png = dir.File("mem.png");
  WritePng(png, 7, 2, [](int, int) { return 0xFF123456u; });
  uint32_t size = 0;
  void* data = hge->Resource_Load(png.c_str(), &size);
  ASSERT_NE(data, nullptr);
  const HTEXTURE tex = hge->Texture_Load(static_cast<const char*>(data), size);
  hge->Resource_Free(data);
  ASSERT_NE(tex, 0u);
  EXPECT_EQ(hge->Texture_GetWidth(tex), 7);
  EXPECT_EQ(hge->Texture_Lock(tex)[13], 0xFF123456u);
  hge->Texture_Free(tex);
}

TEST_F(EngineFiles, CreatedTextureIsTransparentAndLockRoundTrips) {
  const HTEXTURE tex = hge->Texture_Create(6, 4);
  ASSERT_NE(tex, 0u);
  uint32_t* texels = hge->Texture_Lock(tex, false);
  ASSERT_NE(texels, nullptr);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(texels[i], 0u);
  for (int i = 0; i < 24; ++i) texels[i] = 0x7DFFFFFFu + i;
  hge->Texture_Unlock(tex);
  const uint32_t* again = hge->Texture_Lock(tex);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(again[i], 0x7DFFFFFFu + i);
  hge->Texture_Unlock(tex);
  // A part of the texture starts at its corner and keeps the full row pitch.
  EXPECT_EQ(hge->Texture_Lock(tex, true, 2, 1, 2, 2), again + 6 + 2);
  EXPECT_EQ(hge->Texture_Lock(tex, true, 6, 0), nullptr);
  EXPECT_EQ(hge->Texture_Create(0, 5), 0u);
  EXPECT_EQ(hge->Texture_Create(5, -1), 0u);
  hge->Texture_Free(tex);
  hge->Texture_Free(tex);  // twice is harmless
  hge->Texture_Free(12345);
}

}  // namespace
