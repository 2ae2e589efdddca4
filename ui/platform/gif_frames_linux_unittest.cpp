// GIF frame facts decoded with giflib: count, delays as stored, and the
// transparency of each frame as composited under the disposal methods.
#include "ui/platform/gif_frames.h"

#include <gtest/gtest.h>

#include "ui/platform/recording_renderer.h"
#include "ui/testing/gif_writer.h"
#include "ui/testing/zip_writer.h"

namespace SkinUI {
namespace {

using testing::MakeGif;

std::span<const uint8_t> Bytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

TEST(GifFramesTest, DelaysAndCompositedTransparency) {
  // Frame 1's pixel is transparent but frame 0 stays under it (disposal
  // "keep"), so the composited frame is opaque; frame 2 is cleared after it
  // is shown, so frame 3, transparent again, shows through to nothing; frame
  // 4 is restored away, so frame 5 composites over frame 3's screen.
  const std::string gif = MakeGif({{3, 1, false, 1},
                                   {0, 0, true, 1},
                                   {5, 0, true, 2},
                                   {7, 0, true, 1},
                                   {2, 1, false, 3},
                                   {2, 0, true, 1}});
  auto facts = ReadGifFacts(Bytes(gif));
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->width, 1);
  EXPECT_EQ(facts->height, 1);
  ASSERT_EQ(facts->frames.size(), 6u);
  std::vector<int32_t> delays;
  std::vector<bool> alpha;
  for (const GifFrameFacts& f : facts->frames) {
    delays.push_back(f.delayMs);
    alpha.push_back(f.hasAlpha);
  }
  EXPECT_EQ(delays, (std::vector<int32_t>{30, 0, 50, 70, 20, 20}));
  EXPECT_EQ(alpha, (std::vector<bool>{false, false, false, true, false, true}));

  // The recording renderer hands the same facts out as frames.
  RecordingRenderer renderer;
  auto frames = renderer.DecodeAnimation(Bytes(gif), L"a.gif");
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[2].delayMs, 50);
  EXPECT_TRUE(frames[3].image->HasAlpha());
  EXPECT_EQ(frames[3].image->Name(), L"a.gif#3");
}

TEST(GifFramesTest, BadDataGivesNothing) {
  const std::string gif = MakeGif({{3, 1}, {3, 1}});
  EXPECT_FALSE(ReadGifFacts(Bytes(gif.substr(0, gif.size() / 2))));
  EXPECT_FALSE(ReadGifFacts(Bytes(MakeGif({}))));  // no frame
  EXPECT_FALSE(ReadGifFacts(Bytes(testing::FakePng(4, 4))));
  EXPECT_FALSE(ReadGifFacts({}));
  // A logical screen beyond the pixel limit is refused before decoding.
  std::string huge = gif;
  huge[6] = huge[7] = huge[8] = huge[9] = '\xFF';
  EXPECT_FALSE(ReadGifFacts(Bytes(huge)));
}

}  // namespace
}  // namespace SkinUI
