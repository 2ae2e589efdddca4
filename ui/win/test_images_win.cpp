#include "ui/win/test_images.h"

#include <zlib.h>

#include <algorithm>
#include <string_view>

namespace SkinUI::testing {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutLe16(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PngChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  std::vector<uint8_t> body(type.begin(), type.end());
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  Put32(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// LZW codes of 3 bits for a 4-colour palette: a clear code before every two
// literals keeps the code table, and so the code width, from growing.
std::vector<uint8_t> GifLzw(const std::vector<uint8_t>& indices) {
  constexpr uint32_t kClear = 4, kEnd = 5, kWidth = 3;
  std::vector<uint8_t> bytes;
  uint32_t buffer = 0, bits = 0;
  auto emit = [&](uint32_t code) {
    buffer |= code << bits;
    bits += kWidth;
    while (bits >= 8) {
      bytes.push_back(static_cast<uint8_t>(buffer & 0xFF));
      buffer >>= 8;
      bits -= 8;
    }
  };
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % 2 == 0) emit(kClear);
    emit(indices[i] & 3);
  }
  emit(kEnd);
  if (bits) bytes.push_back(static_cast<uint8_t>(buffer & 0xFF));
  return bytes;
}

}  // namespace

std::vector<uint8_t> EncodePng(const std::vector<uint32_t>& argb, int width, int height) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, static_cast<uint32_t>(width));
  Put32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
  PngChunk(out, "IHDR", header);
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < width; ++x) {
      const uint32_t p = argb[static_cast<size_t>(y) * width + x];
      raw.insert(raw.end(), {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p),
                             static_cast<uint8_t>(p >> 24)});
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(size);
  PngChunk(out, "IDAT", packed);
  PngChunk(out, "IEND", {});
  return out;
}

std::vector<uint8_t> EncodeGif(int width, int height, const std::vector<uint32_t>& palette,
                               const std::vector<GifFrame>& frames, int transparentIndex) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  PutLe16(out, width);
  PutLe16(out, height);
  out.insert(out.end(), {0xF1, 0, 0});  // global palette of 4 entries
  for (int i = 0; i < 4; ++i) {
    const uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
    out.insert(out.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
  }
  out.insert(out.end(), {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0});
  for (const GifFrame& f : frames) {
    const uint8_t flags = static_cast<uint8_t>((1 << 2) | (transparentIndex >= 0 ? 1 : 0));
    out.insert(out.end(), {0x21, 0xF9, 4, flags});
    PutLe16(out, f.delayCentiseconds);
    out.push_back(static_cast<uint8_t>(transparentIndex >= 0 ? transparentIndex : 0));
    out.push_back(0);
    out.push_back(0x2C);
    PutLe16(out, f.left);
    PutLe16(out, f.top);
    PutLe16(out, f.width);
    PutLe16(out, f.height);
    out.push_back(0);  // no local palette, not interlaced
    out.push_back(2);  // minimum code size
    const std::vector<uint8_t> data = GifLzw(f.indices);
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), data.begin() + at, data.begin() + at + n);
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

}  // namespace SkinUI::testing
