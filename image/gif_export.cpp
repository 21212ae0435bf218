#include "image/gif_export.h"

#include "image/export_checks.h"

#include <gif_lib.h>

#include <algorithm>

namespace {

// Palette entries: the background, the black the mask clears to, and the ink (4 entries, as a
// GIF colour table holds a power of two).
constexpr GifPixelType Background = 0, Cleared = 1, Ink = 2;

int Append(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* file = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  file->insert(file->end(), bytes, bytes + length);
  return length;
}

GifColorType Colour(std::uint32_t rgb) {
  return {GifByteType(rgb >> 16), GifByteType(rgb >> 8), GifByteType(rgb)};
}

std::string GifError(int code) {
  const char* text = GifErrorString(code);
  return std::string("The GIF encoder failed: ") + (text ? text : "unknown error") + ".";
}

}  // namespace

TGifExport ExportGif(const TSpriteDocument& document, const TGifOptions& options) {
  TGifExport result;
  const TDocumentSettings& s = document.Settings;
  result.Error = DocumentSettingsError(s);
  if (!result.Error.empty()) return result;
  if (options.Scale < 1 || options.Scale > MaxGifScale) {
    result.Error = "The scale must be 1 to 8.";
    return result;
  }
  if (options.DelayCentiseconds < 0 || options.DelayCentiseconds > 65535) {
    result.Error = "The delay must be 0 to 65,535 hundredths of a second.";
    return result;
  }
  const int scale = options.Scale, width = s.Width * scale, height = s.Height * scale;

  int error = 0;
  GifFileType* gif = EGifOpen(&result.File, Append, &error);
  if (!gif) {
    result.Error = GifError(error);
    return result;
  }
  auto finish = [&](bool ok) {
    int closeError = 0;
    const int closed = EGifCloseFile(gif, &closeError);  // writes the trailer and frees `gif`
    if (ok && closed != GIF_OK) {
      ok = false;
      error = closeError;
    }
    if (!ok) {
      result.File.clear();
      result.Error = GifError(error);
    }
    return result;
  };

  const GifColorType colours[4] = {Colour(options.Background), Colour(0), Colour(options.Ink), Colour(0)};
  ColorMapObject* map = GifMakeMapObject(4, colours);
  if (!map) {
    error = E_GIF_ERR_NOT_ENOUGH_MEM;
    return finish(false);
  }
  EGifSetGifVersion(gif, true);
  const bool described = EGifPutScreenDesc(gif, width, height, 2, Background, map) == GIF_OK;
  GifFreeMapObject(map);
  if (!described) {
    error = gif->Error;
    return finish(false);
  }
  // Loop for ever.
  GifByteType loop[3] = {1, 0, 0};
  if (EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
      EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") != GIF_OK || EGifPutExtensionBlock(gif, 3, loop) != GIF_OK ||
      EGifPutExtensionTrailer(gif) != GIF_OK) {
    error = gif->Error;
    return finish(false);
  }

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.DelayTime = options.DelayCentiseconds;
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  GifByteType controlBytes[4];
  const std::size_t controlLength = EGifGCBToExtension(&control, controlBytes);

  std::vector<GifPixelType> line(static_cast<std::size_t>(width));
  for (int f = 0; f < s.FrameCount; ++f) {
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(controlLength), controlBytes) != GIF_OK ||
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_OK) {
      error = gif->Error;
      return finish(false);
    }
    const TPlane& sprite = document.Store.Plane(f, false);
    const TPlane& mask = document.Store.Plane(f, true);
    for (int y = 0; y < s.Height; ++y) {
      for (int x = 0; x < s.Width; ++x) {
        const GifPixelType p = sprite[x][y] ? Ink : (!s.Format.Masked || mask[x][y]) ? Background : Cleared;
        std::fill_n(line.begin() + std::ptrdiff_t(x) * scale, scale, p);
      }
      for (int r = 0; r < scale; ++r)
        if (EGifPutLine(gif, line.data(), width) != GIF_OK) {
          error = gif->Error;
          return finish(false);
        }
    }
  }
  return finish(true);
}
