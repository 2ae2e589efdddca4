#pragma once
// Tiny animated GIFs for test fixtures: a 1x1 logical screen with a black and
// white colour table, one frame per GifFrameSpec.
#include <string>
#include <vector>

namespace SkinUI::testing {

struct GifFrameSpec {
  int delayCs = 3;            // hundredths of a second
  int index = 1;              // colour index of the pixel: 0 black, 1 white
  bool transparent0 = false;  // index 0 is transparent
  int disposal = 1;           // 1 keep, 2 clear to the background, 3 restore
};

std::string MakeGif(const std::vector<GifFrameSpec>& frames);

}  // namespace SkinUI::testing
