#include "reference/reference_lic.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace reference {

namespace {

struct P4 {
  double x, y, z, w;
};

bool locate(const Grid& g, P4 p, int& i, int& j) {
  // Positions whose truncation does not fit an int are outside.
  if (!(p.x > -2147483649.0 && p.x < 2147483648.0)) return false;
  if (!(p.y > -2147483649.0 && p.y < 2147483648.0)) return false;
  long long tx = (int)p.x;
  long long ty = (int)p.y;
  i = (int)((tx + g.rows) % g.rows);
  j = (int)((ty + g.cols) % g.cols);
  return i >= 0 && i < g.rows && j >= 0 && j < g.cols;
}

V3 sampleVector(const Grid& g, P4 p) {
  int i, j;
  if (locate(g, p, i, j)) return g.vectors[i][j];
  return V3{0, 0, 0};
}

double sampleTexture(const Grid& g, P4 p) {
  int i, j;
  if (locate(g, p, i, j)) return (double)g.texture[i][j];
  return 0.0;
}

bool contains(const Grid& g, P4 p) {
  int i, j;
  return locate(g, p, i, j);
}

V3 direction(const Grid& g, P4 q) {
  V3 v = sampleVector(g, q);
  double sq = v.x * v.x + v.y * v.y + v.z * v.z;
  if (!(sq < 1e-12)) {
    double r = 1.0 / std::sqrt(sq);
    v = V3{r * v.x, r * v.y, r * v.z};
  }
  return v;
}

void rk4(const Grid& g, P4& p, double h) {
  V3 d1 = direction(g, p);
  V3 k1{h * d1.x, h * d1.y, h * d1.z};
  V3 d2 = direction(g, P4{p.x + 0.5 * k1.x, p.y + 0.5 * k1.y, p.z + 0.5 * k1.z, 1});
  V3 k2{h * d2.x, h * d2.y, h * d2.z};
  V3 d3 = direction(g, P4{p.x + 0.5 * k2.x, p.y + 0.5 * k2.y, p.z + 0.5 * k2.z, 1});
  V3 k3{h * d3.x, h * d3.y, h * d3.z};
  V3 d4 = direction(g, P4{p.x + k3.x, p.y + k3.y, p.z + k3.z, 1});
  V3 k4{h * d4.x, h * d4.y, h * d4.z};
  double sixth = 1.0 / 6.0;
  double third = 1.0 / 3.0;
  double dx = sixth * k1.x + third * k2.x + third * k3.x + sixth * k4.x;
  double dy = sixth * k1.y + third * k2.y + third * k3.y + sixth * k4.y;
  double dz = sixth * k1.z + third * k2.z + third * k3.z + sixth * k4.z;
  p.x += dx;
  p.y += dy;
  p.z += dz;
  p.w = 1;
}

// pts[19 + k] is the point k steps from the seed.
void trace(const Grid& g, int i, int j, P4 pts[39]) {
  P4 c{i + 0.5, j + 0.5, 0, 1};
  pts[19] = c;
  P4 f = c, b = c;
  for (int k = 1; k <= 19; k++) {
    rk4(g, f, 0.5);
    pts[19 + k] = f;
    rk4(g, b, -0.5);
    pts[19 - k] = b;
  }
}

void record(Grid& g, P4 p, double value) {
  int a, b;
  locate(g, p, a, b);
  g.accum[a][b] += value;
  g.hits[a][b] += 1;
}

void lic(Grid& g) {
  P4 pts[39];
  for (int i = 0; i < g.rows; i++) {
    for (int j = 0; j < g.cols; j++) {
      if (g.hits[i][j] >= 12) continue;
      trace(g, i, j, pts);
      int n = 0;
      double sum = 0.0;
      for (int k = -10; k <= 10; k++) {
        if (contains(g, pts[19 + k])) {
          sum += sampleTexture(g, pts[19 + k]);
          n++;
        }
      }
      double seedValue = 0.0;
      if (contains(g, pts[19])) {
        seedValue = sum * (1.0 / n);
        record(g, pts[19], seedValue);
      }
      for (int dir = 1; dir >= -1; dir -= 2) {
        double value = seedValue;
        int count = n;
        for (int m = 1; m <= 9; m++) {
          int centre = dir * m, in = dir * (m + 10), out = dir * (m - 11);
          if (!contains(g, pts[19 + centre])) continue;
          if (contains(g, pts[19 + in])) count++;
          if (contains(g, pts[19 + out])) count--;
          value = value + (sampleTexture(g, pts[19 + in]) - sampleTexture(g, pts[19 + out])) *
                              (1.0 / count);
          record(g, pts[19 + centre], value);
        }
      }
    }
  }
  for (int i = 0; i < g.rows; i++)
    for (int j = 0; j < g.cols; j++) g.accum[i][j] = g.accum[i][j] / (double)g.hits[i][j];
}

int channel(double v) {
  if (!(v > 0.0)) return 0;
  if (v >= 255.0) return 255;
  return (int)std::lround(v);  // halves away from zero
}

void colour(double x, const double map[4][3], double out[3]) {
  if (!(x > 0.0)) x = 0.0;
  double t = 4 * x;
  if (t >= 3) {
    for (int c = 0; c < 3; c++) out[c] = map[3][c];
    return;
  }
  int k = (int)t;
  double f = t - k;
  double w = (1 - t) + k;
  for (int c = 0; c < 3; c++) out[c] = w * map[k][c] + f * map[k + 1][c];
}

}  // namespace

bool read(const std::string& vectorPath, const std::string& texturePath, int rows, int cols,
          Grid& g, double startMaxMagnitude) {
  FILE* vf = std::fopen(vectorPath.c_str(), "r");
  FILE* tf = std::fopen(texturePath.c_str(), "r");
  if (!vf || !tf) {
    if (vf) std::fclose(vf);
    if (tf) std::fclose(tf);
    return false;
  }
  g.rows = rows;
  g.cols = cols;
  g.vectors.assign(rows, std::vector<V3>(cols, V3{0, 0, 0}));
  g.texture.assign(rows, std::vector<int>(cols, 0));
  g.hits.assign(rows, std::vector<int>(cols, 0));
  g.accum.assign(rows, std::vector<double>(cols, 0.0));

  double maxMagnitude = startMaxMagnitude;
  double a = 0, b = 0;
  int t = 0;
  for (int i = 0; i < rows; i++) {
    for (int j = 0; j < cols; j++) {
      if (std::fscanf(vf, "%lf %lf\n", &a, &b)) {
      }
      g.vectors[i][j] = V3{a, b, 0};
      double m = std::sqrt(a * a + b * b);
      if (m > maxMagnitude) maxMagnitude = m;
      if (std::fscanf(tf, "%d", &t)) {
      }
      g.texture[i][j] = t;
    }
  }
  std::fclose(vf);
  std::fclose(tf);
  g.maxMagnitude = maxMagnitude;
  return true;
}

void convolve(Grid& g) { lic(g); }

void writePicture(const Grid& g, FILE* out) {
  const double map[4][3] = {{100, 100, 100}, {150, 0, 0}, {255, 0, 0}, {0, 0, 255}};
  std::fprintf(out, "P3\t%d\t%d\t255\n", g.cols, g.rows);
  for (int i = 0; i < g.rows; i++) {
    for (int j = 0; j < g.cols; j++) {
      double s = g.accum[i][j] * (1.0 / 255.0);
      V3 v = g.vectors[i][j];
      double x = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z) / g.maxMagnitude;
      if (!std::isfinite(x)) x = 0;
      double c[3];
      colour(x, map, c);
      std::fprintf(out, "%d %d %d\n", channel(s * c[0]), channel(s * c[1]), channel(s * c[2]));
    }
  }
}

std::string picture(const Grid& g) {
  char* text = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&text, &size);
  writePicture(g, out);
  std::fclose(out);
  std::string result(text, size);
  std::free(text);
  return result;
}

bool run(const std::string& vectorPath, const std::string& texturePath, int rows, int cols,
         Result& result, double startMaxMagnitude) {
  Grid g;
  if (!read(vectorPath, texturePath, rows, cols, g, startMaxMagnitude)) return false;
  convolve(g);
  result.picture = picture(g);
  result.rows = rows;
  result.cols = cols;
  result.maxMagnitude = g.maxMagnitude;
  result.accum.clear();
  result.hits.clear();
  for (int i = 0; i < rows; i++) {
    result.accum.insert(result.accum.end(), g.accum[i].begin(), g.accum[i].end());
    result.hits.insert(result.hits.end(), g.hits[i].begin(), g.hits[i].end());
  }
  return true;
}

}  // namespace reference
