#include "ui/platform/gif_frames.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace SkinUI {
namespace {

struct Reader {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* out, int length) {
  auto* reader = static_cast<Reader*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(std::max(length, 0)), reader->bytes.size() - reader->pos);
  if (n == 0) return 0;
  std::memcpy(out, reader->bytes.data() + reader->pos, n);
  reader->pos += n;
  return static_cast<int>(n);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// The frame's rectangle clipped to the logical screen.
struct Area {
  int32_t left, top, right, bottom;
};

Area Clip(const GifImageDesc& d, int32_t width, int32_t height) {
  return {std::clamp<int32_t>(d.Left, 0, width), std::clamp<int32_t>(d.Top, 0, height),
          std::clamp<int32_t>(d.Left + d.Width, 0, width), std::clamp<int32_t>(d.Top + d.Height, 0, height)};
}

}  // namespace

std::optional<GifFacts> ReadGifFacts(std::span<const uint8_t> bytes) {
  Reader reader{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadBytes, &error));
  if (!gif) return std::nullopt;
  const int32_t width = gif->SWidth, height = gif->SHeight;
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxGifPixels) return std::nullopt;
  if (DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return std::nullopt;

  // Composited screen, 0 = fully transparent, otherwise opaque (GIF has no
  // partial alpha); only opacity matters for the facts.
  std::vector<uint8_t> screen(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  std::vector<uint8_t> saved;
  GifFacts facts{width, height, {}};
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    const GifImageDesc& desc = image.ImageDesc;
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(gif.get(), i, &gcb);
    const ColorMapObject* colours = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!colours || !image.RasterBits || desc.Width <= 0 || desc.Height <= 0) return std::nullopt;
    if (gcb.DisposalMode == DISPOSE_PREVIOUS) saved = screen;
    const Area area = Clip(desc, width, height);
    for (int32_t y = area.top; y < area.bottom; ++y) {
      const GifByteType* row = image.RasterBits + static_cast<size_t>(y - desc.Top) * static_cast<size_t>(desc.Width);
      for (int32_t x = area.left; x < area.right; ++x) {
        const int index = row[x - desc.Left];
        if (index == gcb.TransparentColor || index >= colours->ColorCount) continue;
        screen[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = 1;
      }
    }
    const bool hasAlpha = std::find(screen.begin(), screen.end(), 0) != screen.end();
    facts.frames.push_back({gcb.DelayTime * 10, hasAlpha});
    if (gcb.DisposalMode == DISPOSE_BACKGROUND) {
      for (int32_t y = area.top; y < area.bottom; ++y) {
        std::fill_n(screen.begin() + static_cast<ptrdiff_t>(y) * width + area.left, area.right - area.left, 0);
      }
    } else if (gcb.DisposalMode == DISPOSE_PREVIOUS) {
      screen = std::move(saved);
    }
  }
  return facts;
}

}  // namespace SkinUI
