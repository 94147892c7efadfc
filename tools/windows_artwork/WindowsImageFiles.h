#pragma once

#include "ArtworkCanvas.h"

#include <span>
#include <string>

namespace kelvane::artwork {

// An icon file (.ico) with one 32-bit image per canvas, each square and at most 256 pixels wide. Every
// image is an uncompressed bitmap with its alpha channel, which every Windows since XP reads, the
// 256-pixel one included; the mask beside it marks the fully transparent pixels for older readers.
std::string IconFile(std::span<const ArtworkCanvas> images);

// A 24-bit bitmap file (.bmp), as installer pages want them: what is transparent shows white.
std::string BitmapFile(const ArtworkCanvas& image);

} // namespace kelvane::artwork
