// Writes the program's icon from its cell pattern: <dir>/<id>.svg and <dir>/<size>/<id>.png for
// every installed size, each cell a square of size / 16 pixels. Run by the build.

#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/icon_pattern.h"

namespace {

std::string Hex(std::uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", unsigned(rgb & 0xFFFFFF));
  return text;
}

// The SVG draws the tile with rounded corners and one square a set cell, in 16 user units.
std::string Svg() {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 16 16\" "
         "shape-rendering=\"crispEdges\">\n";
  svg += "  <rect width=\"16\" height=\"16\" rx=\"2\" fill=\"" + Hex(icon::Tile) + "\"/>\n";
  svg += "  <g fill=\"" + Hex(icon::Ink) + "\">\n";
  for (int y = 0; y < icon::Cells; ++y)
    for (int x = 0; x < icon::Cells; ++x)
      if (icon::IsSet(x, y))
        svg += "    <rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"1\" height=\"1\"/>\n";
  svg += "  </g>\n</svg>\n";
  return svg;
}

// RGBA8 rows of the square icon of `size` pixels.
std::vector<unsigned char> Pixels(int size) {
  std::vector<unsigned char> rgba(std::size_t(size) * std::size_t(size) * 4);
  const int cell = size / icon::Cells;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const std::uint32_t rgb = icon::IsSet(x / cell, y / cell) ? icon::Ink : icon::Tile;
      unsigned char* p = &rgba[(std::size_t(y) * std::size_t(size) + std::size_t(x)) * 4];
      p[0] = (rgb >> 16) & 0xFF;
      p[1] = (rgb >> 8) & 0xFF;
      p[2] = rgb & 0xFF;
      p[3] = 0xFF;
    }
  return rgba;
}

bool WritePng(const std::filesystem::path& path, int size) {
  std::vector<unsigned char> rgba = Pixels(size);
  spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
  if (!ctx) return false;
  spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1);
  spng_ihdr ihdr{};
  ihdr.width = std::uint32_t(size);
  ihdr.height = std::uint32_t(size);
  ihdr.bit_depth = 8;
  ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
  spng_set_ihdr(ctx, &ihdr);
  int error = spng_encode_image(ctx, rgba.data(), rgba.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
  std::size_t length = 0;
  void* png = error ? nullptr : spng_get_png_buffer(ctx, &length, &error);
  spng_ctx_free(ctx);
  if (!png) {
    std::fprintf(stderr, "make_icons: %s: %s\n", path.c_str(), spng_strerror(error));
    return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(png), std::streamsize(length));
  std::free(png);
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons DIR\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  const std::string name = std::string(icon::AppId);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::ofstream svg(dir / (name + ".svg"), std::ios::trunc);
  svg << Svg();
  if (!svg) return 1;
  for (int size : icon::PngSizes) {
    const std::filesystem::path sub = dir / std::to_string(size);
    std::filesystem::create_directories(sub, ec);
    if (!WritePng(sub / (name + ".png"), size)) return 1;
  }
  return 0;
}
