// A first high-score table of ten invented arcade names with scores from 5000
// down to 500, written only when the data folder holds no table yet, so that
// rebuilding the data never throws away the players' own scores. It needs no
// other part of the generator, so the tests compile it on its own.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "tools/datagen/Generators.h"

void GenerateDefaultHighScores(const Output& out) {
  const std::filesystem::path dir(out.dataDir);
  const std::filesystem::path names = dir / "highscore_names.txt";
  const std::filesystem::path points = dir / "highscore_points.txt";
  if (std::filesystem::exists(names) || std::filesystem::exists(points)) return;
  std::filesystem::create_directories(dir);

  static const char* const kNames[10] = {"ZZO", "RAI", "CHE", "NIM", "BUS",
                                         "OLA", "FOG", "DRP", "SKY", "MOS"};
  std::ofstream nameFile(names, std::ios::binary);
  std::ofstream pointFile(points, std::ios::binary);
  for (int i = 0; i < 10; ++i) {
    nameFile << kNames[i] << "\n";
    pointFile << 5000 - 500 * i << "\n";
  }
  if (!nameFile || !pointFile) throw std::runtime_error("cannot write the high-score table");
}
