#include "grid/field_reader.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "grid/number_scanner.h"

namespace fastlic {

double MaxMagnitude = 0.0;

FieldReadCounts readFieldStreams(std::istream& vectors, std::istream& texture, RegGrid& grid) {
  NumberScanner vectorScanner(vectors);
  NumberScanner textureScanner(texture);
  FieldReadCounts counts;
  counts.cells = static_cast<long long>(grid.rows) * grid.cols;

  // These live across the whole walk on purpose: a cell whose read fails keeps the last values.
  double a = 0.0;
  double b = 0.0;
  int t = 0;
  for (int i = 0; i < grid.rows; ++i) {
    Vector3D* vectorRow = grid.vectors[i];
    int* textureRow = grid.texture[i];
    for (int j = 0; j < grid.cols; ++j) {
      if (vectorScanner.readDouble(a) && vectorScanner.readDouble(b)) ++counts.vectorPairs;
      vectorRow[j].x = a;
      vectorRow[j].y = b;
      const double m = std::sqrt(a * a + b * b);
      if (m > MaxMagnitude) MaxMagnitude = m;
      if (textureScanner.readInt(t)) ++counts.textureValues;
      textureRow[j] = t;
    }
  }
  return counts;
}

namespace {

[[noreturn]] void exitBadFilename(const char* which, const std::string& path) {
  std::printf("Bad %s Filename: %s\n", which, path.c_str());
  std::exit(-1);
}

void warnShort(const std::string& path, long long read, long long cells, const char* what) {
  if (read >= cells) return;
  std::cerr << "warning: " << path << ": " << read << " of " << cells << ' ' << what
            << " read; the remaining cells repeat the last values read (0 where none was)\n";
}

}  // namespace

void readField(const std::string& vectorPath, const std::string& texturePath, RegGrid& grid) {
  std::ifstream vectorFile(vectorPath, std::ios::binary);
  std::ifstream textureFile(texturePath, std::ios::binary);
  // A path that opens but cannot be read (a directory) counts as one that does not open; the
  // probe reads one character and puts it back.
  const auto readable = [](std::ifstream& file) {
    if (!file.is_open()) return false;
    file.peek();
    if (file.bad()) return false;
    file.clear(file.rdstate() & ~std::ios::eofbit & ~std::ios::failbit);
    return true;
  };
  const bool vectorOk = readable(vectorFile);
  const bool textureOk = readable(textureFile);
  if (!vectorOk) exitBadFilename("Vector", vectorPath);
  if (!textureOk) exitBadFilename("Texture", texturePath);

  const FieldReadCounts counts = readFieldStreams(vectorFile, textureFile, grid);
  warnShort(vectorPath, counts.vectorPairs, counts.cells, "vector pairs");
  warnShort(texturePath, counts.textureValues, counts.cells, "texture values");
}

}  // namespace fastlic
