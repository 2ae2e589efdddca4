#include "ui/testing/gif_writer.h"

namespace SkinUI::testing {

std::string MakeGif(const std::vector<GifFrameSpec>& frames) {
  std::string g = "GIF89a";
  g += std::string("\x01\x00\x01\x00\x80\x00\x00", 7);  // 1x1, global table of 2
  g += std::string("\x00\x00\x00\xFF\xFF\xFF", 6);      // black, white
  for (const GifFrameSpec& f : frames) {
    g += std::string("\x21\xF9\x04", 3);
    g += static_cast<char>((f.disposal << 2) | (f.transparent0 ? 1 : 0));
    g += static_cast<char>(f.delayCs & 0xFF);
    g += static_cast<char>((f.delayCs >> 8) & 0xFF);
    g += std::string("\x00\x00", 2);  // transparent index 0, end of block
    g += std::string("\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00", 10);
    // LZW with minimum code size 2: clear, the index, end of information.
    g += std::string("\x02\x02", 2);
    g += static_cast<char>(f.index == 0 ? 0x44 : 0x4C);
    g += std::string("\x01\x00", 2);
  }
  g += '\x3B';
  return g;
}

}  // namespace SkinUI::testing
