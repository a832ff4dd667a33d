#include "tools/zorva-lesson/propose/evaluation/ScanEffects.h"

#include <algorithm>
#include <cmath>

namespace zorva::evaluation {
namespace {

const uint8_t kPaper[3] = {236, 230, 212};

struct Turn {
  double cos_a, sin_a, cx, cy;
  Turn(double degrees, const builder::RgbaImage& page)
      : cos_a(std::cos(degrees * M_PI / 180)),
        sin_a(std::sin(degrees * M_PI / 180)),
        cx(page.width / 2.0),
        cy(page.height / 2.0) {}
  void forward(double x, double y, double& ox, double& oy) const {
    ox = cos_a * (x - cx) - sin_a * (y - cy) + cx;
    oy = sin_a * (x - cx) + cos_a * (y - cy) + cy;
  }
  void back(double x, double y, double& ox, double& oy) const {
    ox = cos_a * (x - cx) + sin_a * (y - cy) + cx;
    oy = -sin_a * (x - cx) + cos_a * (y - cy) + cy;
  }
};

double tinted(const builder::RgbaImage& page, int x, int y, int c) {
  if (x < 0 || y < 0 || x >= page.width || y >= page.height) return kPaper[c];
  return page.rgba[(static_cast<size_t>(y) * page.width + x) * 4 + c] * kPaper[c] / 255.0;
}

}  // namespace

builder::RgbaImage scanned(const builder::RgbaImage& page, const ScanSettings& settings, std::mt19937& random) {
  const Turn turn(settings.turn_degrees, page);
  std::vector<float> turned(static_cast<size_t>(page.width) * page.height * 3);
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x) {
      double sx, sy;
      turn.back(x + 0.5, y + 0.5, sx, sy);
      sx -= 0.5;
      sy -= 0.5;
      const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
      const double fx = sx - x0, fy = sy - y0;
      for (int c = 0; c < 3; ++c) {
        const double top = tinted(page, x0, y0, c) * (1 - fx) + tinted(page, x0 + 1, y0, c) * fx;
        const double bottom = tinted(page, x0, y0 + 1, c) * (1 - fx) + tinted(page, x0 + 1, y0 + 1, c) * fx;
        turned[(static_cast<size_t>(y) * page.width + x) * 3 + c] = static_cast<float>(top * (1 - fy) + bottom * fy);
      }
    }
  // A 3x3 binomial blur, then noise.
  std::normal_distribution<float> noise(0.0f, static_cast<float>(settings.noise_level));
  builder::RgbaImage out = page;
  const auto at = [&](int x, int y, int c) {
    x = std::clamp(x, 0, page.width - 1);
    y = std::clamp(y, 0, page.height - 1);
    return turned[(static_cast<size_t>(y) * page.width + x) * 3 + c];
  };
  static const int kWeights[3] = {1, 2, 1};
  // A lamp beside the page: light falls off from one corner to the other.
  const auto light = [&](int x, int y) {
    const double far = static_cast<double>(x) / page.width * 0.4 + static_cast<double>(y) / page.height * 0.6;
    return static_cast<float>(1 - settings.shade * far * far);
  };
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      for (int c = 0; c < 3; ++c) {
        float sum = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) sum += at(x + dx, y + dy, c) * kWeights[dx + 1] * kWeights[dy + 1];
        out.rgba[(static_cast<size_t>(y) * page.width + x) * 4 + c] =
            static_cast<uint8_t>(std::clamp(sum / 16 * light(x, y) + noise(random), 0.0f, 255.0f));
      }
  return out;
}

builder::PictureRect turnedBox(const builder::PictureRect& box, const builder::RgbaImage& page, double turn_degrees) {
  const Turn turn(turn_degrees, page);
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (double x : {static_cast<double>(box.left), static_cast<double>(box.right)})
    for (double y : {static_cast<double>(box.top), static_cast<double>(box.bottom)}) {
      double ox, oy;
      turn.forward(x, y, ox, oy);
      left = std::min(left, ox), right = std::max(right, ox), top = std::min(top, oy), bottom = std::max(bottom, oy);
    }
  return builder::PictureRect{static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)),
                              static_cast<int>(std::lround(right)), static_cast<int>(std::lround(bottom))};
}

}  // namespace zorva::evaluation
