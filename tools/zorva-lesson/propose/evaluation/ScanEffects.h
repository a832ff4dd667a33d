// What a scanner or a camera does to a printed page: paper tint, a turn, light that falls off
// across the page, blur and sensor noise. (JPEG compression is applied when the scan is written.)
#pragma once

#include <random>

#include "tools/zorva-lesson/Picture.h"

namespace zorva::evaluation {

struct ScanSettings {
  double turn_degrees = 0;
  double noise_level = 6;  // standard deviation per channel, in 8-bit steps
  double shade = 0;        // how much darker the far corner is than the lit one (0 to 1)
};

builder::RgbaImage scanned(const builder::RgbaImage& page, const ScanSettings& settings, std::mt19937& random);

// Where a point of the page lands on the scan; a box's corners give the scanned box's bounds.
builder::PictureRect turnedBox(const builder::PictureRect& box, const builder::RgbaImage& page, double turn_degrees);

}  // namespace zorva::evaluation
