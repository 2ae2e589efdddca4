// Fuzzes the GIF frame reader of the headless renderer (giflib's decoding and
// the compositing of frames under their disposal methods): any bytes give
// facts or nothing, within the pixel limit, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ui/platform/gif_frames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto facts = SkinUI::ReadGifFacts({data, size});
  if (facts && (facts->frames.empty() || int64_t{facts->width} * facts->height > SkinUI::kMaxGifPixels)) {
    std::abort();
  }
  return 0;
}
