#include "ui/platform/image_header.h"

#include <cstdlib>

namespace SkinUI {
namespace {

uint32_t Be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
int32_t Le32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

std::optional<ImageHeader> ReadPng(std::span<const uint8_t> b) {
  static const uint8_t kSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 33) return std::nullopt;
  for (int i = 0; i < 8; ++i) {
    if (b[i] != kSig[i]) return std::nullopt;
  }
  if (Be32(&b[8]) != 13 || b[12] != 'I' || b[13] != 'H' || b[14] != 'D' || b[15] != 'R') return std::nullopt;
  ImageHeader h;
  uint32_t w = Be32(&b[16]), ht = Be32(&b[20]);
  if (w == 0 || ht == 0 || w > 0x7FFFFFFF || ht > 0x7FFFFFFF) return std::nullopt;
  h.width = static_cast<int32_t>(w);
  h.height = static_cast<int32_t>(ht);
  uint8_t colorType = b[25];
  h.alpha = colorType == 4 || colorType == 6;
  // A tRNS chunk also gives transparency.
  size_t pos = 33;
  while (!h.alpha && pos + 8 <= b.size()) {
    uint32_t len = Be32(&b[pos]);
    if (b[pos + 4] == 't' && b[pos + 5] == 'R' && b[pos + 6] == 'N' && b[pos + 7] == 'S') h.alpha = true;
    if (b[pos + 4] == 'I' && b[pos + 5] == 'D' && b[pos + 6] == 'A' && b[pos + 7] == 'T') break;
    if (len > b.size() - pos - 8 || b.size() - pos - 8 - len < 4) break;
    pos += 12 + len;
  }
  return h;
}

std::optional<ImageHeader> ReadGif(std::span<const uint8_t> b) {
  if (b.size() < 13 || b[0] != 'G' || b[1] != 'I' || b[2] != 'F') return std::nullopt;
  ImageHeader h;
  h.width = Le16(&b[6]);
  h.height = Le16(&b[8]);
  h.alpha = true;
  if (h.width == 0 || h.height == 0) return std::nullopt;
  return h;
}

std::optional<ImageHeader> ReadBmp(std::span<const uint8_t> b) {
  if (b.size() < 30 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  ImageHeader h;
  int32_t w = Le32(&b[18]), ht = Le32(&b[22]);
  if (w <= 0 || ht == 0 || ht == INT32_MIN) return std::nullopt;
  h.width = w;
  h.height = std::abs(ht);
  h.alpha = Le16(&b[28]) == 32;
  return h;
}

// Skips GIF data sub-blocks at `pos`; false when they run past the end.
bool SkipSubBlocks(std::span<const uint8_t> b, size_t& pos) {
  for (;;) {
    if (pos >= b.size()) return false;
    uint8_t len = b[pos++];
    if (len == 0) return true;
    if (b.size() - pos < len) return false;
    pos += len;
  }
}

}  // namespace

std::optional<ImageHeader> ReadImageHeader(std::span<const uint8_t> bytes) {
  if (auto h = ReadPng(bytes)) return h;
  if (auto h = ReadGif(bytes)) return h;
  return ReadBmp(bytes);
}

std::vector<int32_t> ReadGifFrameDelays(std::span<const uint8_t> b) {
  std::vector<int32_t> delays;
  if (!ReadGif(b)) return delays;
  size_t pos = 13;
  if (b[10] & 0x80) pos += 3u * (1u << ((b[10] & 0x07) + 1));
  int32_t pendingDelay = 0;
  while (pos < b.size()) {
    uint8_t block = b[pos++];
    if (block == 0x3B) return delays;  // trailer
    if (block == 0x21) {
      if (pos >= b.size()) break;
      uint8_t label = b[pos++];
      if (label == 0xF9 && pos + 5 < b.size() && b[pos] == 4) pendingDelay = Le16(&b[pos + 2]) * 10;
      if (!SkipSubBlocks(b, pos)) break;
    } else if (block == 0x2C) {
      if (b.size() - pos < 9) break;
      uint8_t flags = b[pos + 8];
      pos += 9;
      if (flags & 0x80) {
        size_t table = 3u * (1u << ((flags & 0x07) + 1));
        if (b.size() - pos < table) break;
        pos += table;
      }
      if (pos >= b.size()) break;
      ++pos;  // LZW minimum code size
      if (!SkipSubBlocks(b, pos)) break;
      delays.push_back(pendingDelay);
      pendingDelay = 0;
    } else {
      break;
    }
  }
  delays.clear();  // truncated or malformed
  return delays;
}

}  // namespace SkinUI
