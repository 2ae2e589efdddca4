#include "ui/win/gdiplus_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "ui/win/gdiplus_canvas.h"
#include "ui/win/gdiplus_image.h"
#include "ui/win/gdiplus_text.h"
#include "ui/win/test_images.h"

namespace SkinUI {
namespace {

using testing::EncodeGif;
using testing::EncodePng;
using testing::GifFrame;

// Premultiplied 0xAARRGGBB.
uint32_t Premul(uint32_t argb) {
  const uint32_t a = argb >> 24;
  auto ch = [&](int shift) { return (((argb >> shift) & 0xFF) * a + 127) / 255; };
  return (a << 24) | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

::testing::AssertionResult PixelNear(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift : {24, 16, 8, 0}) {
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
      return ::testing::AssertionFailure() << std::hex << "pixel 0x" << actual << ", expected 0x" << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

// Bounding box of the pixels that are not fully transparent.
Rect InkBounds(const GdiplusCanvas& canvas) {
  const Size s = canvas.GetSize();
  Rect box{s.cx, s.cy, 0, 0};
  for (int y = 0; y < s.cy; ++y) {
    for (int x = 0; x < s.cx; ++x) {
      if (canvas.PixelAt(x, y) >> 24) {
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    }
  }
  return box.IsEmpty() ? Rect{} : box;
}

class GdiplusRendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::EnsureGdiplus(); }

  std::shared_ptr<GdiplusImage> Decode(const std::vector<uint8_t>& bytes, const wchar_t* name = L"img\\test.png") {
    return std::static_pointer_cast<GdiplusImage>(renderer_.DecodeImage(bytes, name));
  }
  std::shared_ptr<GdiplusImage> Png(const std::vector<uint32_t>& argb, int w, int h) {
    return Decode(EncodePng(argb, w, h));
  }
  std::unique_ptr<GdiplusCanvas> Canvas(int w, int h) {
    auto canvas = std::make_unique<GdiplusCanvas>(Size{w, h});
    EXPECT_TRUE(canvas->Valid());
    return canvas;
  }
  std::shared_ptr<GdiplusFont> Font(int size, const wchar_t* face = L"Microsoft YaHei") {
    FontSpec spec;
    spec.face = face;
    spec.size = size;
    return std::static_pointer_cast<GdiplusFont>(renderer_.CreateFont(spec));
  }

  GdiplusRenderer renderer_;
};

TEST_F(GdiplusRendererTest, DecodesPngBytesIntoPremultipliedPixels) {
  const std::vector<uint32_t> argb = {0xFFFF0000, 0x8000FF00, 0x00FFFFFF, 0xFF0000FF, 0x40FFFFFF, 0xFF000000};
  auto image = Png(argb, 3, 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 3);
  EXPECT_EQ(image->Height(), 2);
  EXPECT_TRUE(image->HasAlpha());
  EXPECT_EQ(image->Name(), L"img\\test.png");
  for (size_t i = 0; i < argb.size(); ++i) {
    EXPECT_TRUE(PixelNear(image->Pixels()[i], Premul(argb[i]), 1)) << "pixel " << i;
  }
  auto opaque = Png({0xFF102030, 0xFF405060}, 2, 1);
  ASSERT_TRUE(opaque);
  EXPECT_FALSE(opaque->HasAlpha());
  EXPECT_EQ(opaque->Pixels()[1], 0xFF405060u);
}

TEST_F(GdiplusRendererTest, DecodesBmpAndJpegBytes) {
  // 2x1 24-bit BMP, bottom-up rows padded to 4 bytes: blue then red.
  std::vector<uint8_t> bmp = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
                              1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0,
                              0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0};
  auto image = Decode(bmp, L"img\\test.bmp");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 2);
  EXPECT_EQ(image->Pixels()[0], 0xFF0000FFu);
  EXPECT_EQ(image->Pixels()[1], 0xFFFF0000u);

  // A JPEG made by GDI+'s own encoder from a flat colour.
  Gdiplus::Bitmap flat(16, 16, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&flat);
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFF3366CC));
    g.FillRectangle(&brush, 0, 0, 16, 16);
  }
  CLSID jpeg;
  CLSIDFromString(L"{557CF401-1A04-11D3-9A73-0000F81EF32E}", &jpeg);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  if (flat.Save(stream, &jpeg, nullptr) != Gdiplus::Ok) {
    stream->Release();
    GTEST_SKIP() << "no JPEG encoder here";
  }
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::vector<uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  stream->Release();
  auto decoded = Decode(bytes, L"img\\test.jpg");
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Width(), 16);
  EXPECT_FALSE(decoded->HasAlpha());
  EXPECT_TRUE(PixelNear(decoded->Pixels()[8 * 16 + 8], 0xFF3366CC, 8));
}

TEST_F(GdiplusRendererTest, UndecodableBytesGiveNothing) {
  const std::vector<uint8_t> png = EncodePng({0xFFFFFFFF, 0xFF000000}, 2, 1);
  const std::vector<std::vector<uint8_t>> cases = {
      {},
      {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'},
      std::vector<uint8_t>(png.begin(), png.begin() + 20),  // cut inside the header chunk
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_FALSE(renderer_.DecodeImage(cases[i], L"bad")) << "case " << i;
    EXPECT_TRUE(renderer_.DecodeAnimation(cases[i], L"bad").empty()) << "case " << i;
  }
}

TEST_F(GdiplusRendererTest, GifFramesAreComposedWithTheirDelays) {
  const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000};
  std::vector<GifFrame> frames = {
      {0, 0, 4, 2, std::vector<uint8_t>(8, 0), 3},  // red, 30 ms
      {0, 0, 2, 2, std::vector<uint8_t>(4, 1), 5},  // green over the left half, 50 ms
      {0, 0, 4, 2, std::vector<uint8_t>(8, 2), 0},  // blue, no delay
  };
  const std::vector<uint8_t> gif = EncodeGif(4, 2, palette, frames);
  auto decoded = renderer_.DecodeAnimation(gif, L"img\\inst\\check.gif");
  ASSERT_EQ(decoded.size(), 3u);
  EXPECT_EQ(decoded[0].delayMs, 30);
  EXPECT_EQ(decoded[1].delayMs, 50);
  EXPECT_EQ(decoded[2].delayMs, 0);
  auto pixel = [&](size_t frame, int x, int y) {
    auto* image = static_cast<const GdiplusImage*>(decoded[frame].image.get());
    EXPECT_EQ(image->Width(), 4);
    return image->Pixels()[static_cast<size_t>(y) * 4 + x];
  };
  EXPECT_EQ(pixel(0, 3, 1), 0xFFFF0000u);
  EXPECT_EQ(pixel(1, 0, 0), 0xFF00FF00u);
  EXPECT_EQ(pixel(1, 3, 0), 0xFFFF0000u) << "the second frame keeps the first one's right half";
  EXPECT_EQ(pixel(2, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(decoded[1].image->Name(), L"img\\inst\\check.gif#1");

  auto still = Decode(gif, L"img\\inst\\check.gif");
  ASSERT_TRUE(still);
  EXPECT_EQ(still->Pixels()[0], 0xFFFF0000u) << "a GIF decoded as an image is its first frame";

  const std::vector<uint8_t> holey = EncodeGif(2, 1, palette, {{0, 0, 2, 1, {0, 3}, 10}}, 3);
  auto transparent = renderer_.DecodeAnimation(holey, L"holey.gif");
  ASSERT_EQ(transparent.size(), 1u);
  EXPECT_TRUE(transparent[0].image->HasAlpha());
  EXPECT_EQ(static_cast<const GdiplusImage*>(transparent[0].image.get())->Pixels()[1] >> 24, 0u);
}

TEST_F(GdiplusRendererTest, NaturalSizeDrawingCopiesPixelsExactly) {
  std::vector<uint32_t> checker(64);
  for (int i = 0; i < 64; ++i) checker[i] = ((i / 8 + i % 8) % 2) ? 0xFFFFFFFF : 0x80102030;
  auto image = Png(checker, 8, 8);
  ASSERT_TRUE(image);

  struct Case {
    const char* what;
    ImageDraw draw;
    Rect drawn;         // canvas pixels that must hold the image
    int sourceLeft;     // image column drawn at drawn.left
  };
  const Case cases[] = {
      {"1:1 with stretch", {{3, 5, 11, 13}, {0, 0, 8, 8}, {}, 255, true}, {3, 5, 11, 13}, 0},
      {"stretch false in a larger dest", {{2, 2, 20, 20}, {0, 0, 8, 8}, {}, 255, false}, {2, 2, 10, 10}, 0},
      {"source narrower than the image", {{0, 0, 4, 8}, {2, 0, 6, 8}, {}, 255, true}, {0, 0, 4, 8}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto canvas = Canvas(24, 24);
    canvas->DrawImage(*image, c.draw);
    canvas->Flush();
    int wrong = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        uint32_t want = 0;
        if (c.drawn.Contains({x, y})) {
          want = image->Pixels()[static_cast<size_t>(y - c.drawn.top) * 8 + (x - c.drawn.left + c.sourceLeft)];
        }
        if (canvas->PixelAt(x, y) != want) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(GdiplusRendererTest, NinePartScalingKeepsTheCorners) {
  // 9x9: 3x3 corners red, green, blue, yellow; grey edges; white centre.
  std::vector<uint32_t> argb(81);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      const int col = x < 3 ? 0 : x < 6 ? 1 : 2, row = y < 3 ? 0 : y < 6 ? 1 : 2;
      uint32_t c = 0xFF808080;
      if (row == 1 && col == 1) c = 0xFFFFFFFF;
      if (row == 0 && col == 0) c = 0xFFFF0000;
      if (row == 0 && col == 2) c = 0xFF00FF00;
      if (row == 2 && col == 0) c = 0xFF0000FF;
      if (row == 2 && col == 2) c = 0xFFFFFF00;
      argb[y * 9 + x] = c;
    }
  }
  auto image = Png(argb, 9, 9);
  ASSERT_TRUE(image);
  auto canvas = Canvas(50, 40);
  const Rect dest{5, 5, 45, 35};
  canvas->DrawImage(*image, {dest, {0, 0, 9, 9}, {3, 3, 3, 3}, 255, true});
  canvas->Flush();
  const struct {
    Rect block;
    uint32_t colour;
  } corners[] = {{{5, 5, 8, 8}, 0xFFFF0000},
                 {{42, 5, 45, 8}, 0xFF00FF00},
                 {{5, 32, 8, 35}, 0xFF0000FF},
                 {{42, 32, 45, 35}, 0xFFFFFF00}};
  for (const auto& corner : corners) {
    for (int y = corner.block.top; y < corner.block.bottom; ++y) {
      for (int x = corner.block.left; x < corner.block.right; ++x) {
        EXPECT_EQ(canvas->PixelAt(x, y), corner.colour) << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(PixelNear(canvas->PixelAt(25, 6), 0xFF808080, 2)) << "top edge stretched";
  EXPECT_TRUE(PixelNear(canvas->PixelAt(6, 20), 0xFF808080, 2)) << "left edge stretched";
  EXPECT_TRUE(PixelNear(canvas->PixelAt(25, 20), 0xFFFFFFFF, 2)) << "centre stretched";
  EXPECT_EQ(InkBounds(*canvas), dest);

  // A destination smaller than the two corners shrinks them and stays inside.
  auto small = Canvas(10, 10);
  small->DrawImage(*image, {{2, 2, 6, 6}, {0, 0, 9, 9}, {3, 3, 3, 3}, 255, true});
  small->Flush();
  EXPECT_EQ(InkBounds(*small), (Rect{2, 2, 6, 6}));
  EXPECT_EQ(small->PixelAt(2, 2), 0xFFFF0000u);
  EXPECT_EQ(small->PixelAt(5, 5), 0xFFFFFF00u);
}

TEST_F(GdiplusRendererTest, ConstantAlphaAndColourAlphaBlendPremultiplied) {
  auto red = Png(std::vector<uint32_t>(16, 0xFFFF0000), 4, 4);
  ASSERT_TRUE(red);
  struct Case {
    const char* what;
    bool whiteUnder;
    bool image;  // the red image at fade 102, else a #66000000 fill
    uint32_t expected;
  };
  const Case cases[] = {
      {"40% black fill on transparent", false, false, 0x66000000},
      {"40% black fill on white", true, false, 0xFF999999},
      {"image at fade 102 on transparent", false, true, 0x66660000},
      {"image at fade 102 on white", true, true, 0xFFFF9999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto canvas = Canvas(4, 4);
    if (c.whiteUnder) canvas->FillRect({0, 0, 4, 4}, 0xFFFFFFFF);
    if (c.image) {
      canvas->DrawImage(*red, {{0, 0, 4, 4}, {0, 0, 4, 4}, {}, 102, true});
    } else {
      canvas->FillRect({0, 0, 4, 4}, 0x66000000);
    }
    canvas->Flush();
    EXPECT_TRUE(PixelNear(canvas->PixelAt(1, 2), c.expected, 1));
  }
}

TEST_F(GdiplusRendererTest, ClipsNestAndBordersStayInside) {
  auto canvas = Canvas(12, 12);
  canvas->PushClip({2, 2, 8, 8});
  canvas->PushClip({5, 5, 12, 12});
  canvas->FillRect({0, 0, 12, 12}, 0xFF0000FF);
  canvas->PopClip();
  canvas->FillRect({0, 0, 3, 3}, 0xFF00FF00);
  canvas->PopClip();
  canvas->PopClip();  // one too many: stays at the whole canvas
  canvas->FillRect({11, 0, 12, 1}, 0xFFFF0000);
  canvas->Flush();
  EXPECT_EQ(canvas->PixelAt(5, 5), 0xFF0000FFu);
  EXPECT_EQ(canvas->PixelAt(7, 7), 0xFF0000FFu);
  EXPECT_EQ(canvas->PixelAt(8, 8), 0u);
  EXPECT_EQ(canvas->PixelAt(4, 4), 0u);
  EXPECT_EQ(canvas->PixelAt(2, 2), 0xFF00FF00u);
  EXPECT_EQ(canvas->PixelAt(1, 1), 0u);
  EXPECT_EQ(canvas->PixelAt(11, 0), 0xFFFF0000u);

  auto framed = Canvas(12, 12);
  framed->DrawBorder({1, 1, 11, 11}, 2, 0xFF000000);
  framed->Flush();
  EXPECT_EQ(InkBounds(*framed), (Rect{1, 1, 11, 11}));
  EXPECT_EQ(framed->PixelAt(2, 6), 0xFF000000u);
  EXPECT_EQ(framed->PixelAt(9, 6), 0xFF000000u);
  EXPECT_EQ(framed->PixelAt(3, 3), 0u);
}

TEST_F(GdiplusRendererTest, CanvasBlendsIntoCanvas) {
  auto source = renderer_.CreateCanvas({4, 4});
  ASSERT_TRUE(source);
  source->FillRect({0, 0, 4, 4}, 0xFF0000FF);
  auto target = Canvas(10, 10);
  target->DrawCanvas(*source, {0, 0, 4, 4}, 128);
  target->DrawCanvas(*source, {4, 2, 10, 10}, 255);  // stretched
  target->Flush();
  EXPECT_TRUE(PixelNear(target->PixelAt(1, 1), 0x80000080, 1));
  EXPECT_EQ(target->PixelAt(9, 9), 0xFF0000FFu);
  EXPECT_EQ(target->PixelAt(5, 1), 0u);
  EXPECT_TRUE(renderer_.CreateCanvas({0, 5})) << "an empty canvas is still a canvas";
}

TEST_F(GdiplusRendererTest, SkinFontResolvesAndMissingFacesFallBack) {
  auto yahei = Font(14);
  ASSERT_TRUE(yahei);
  EXPECT_FALSE(yahei->IsFallback()) << "resolved to " << yahei->FamilyName();
  EXPECT_GE(yahei->LineHeight(), 14);
  EXPECT_EQ(renderer_.CreateFont(yahei->Spec()), yahei) << "one font object per FontSpec";

  auto missing = Font(14, L"No Such Face 4711");
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->IsFallback());
  auto canvas = Canvas(80, 30);
  canvas->DrawText(L"Abc", {0, 0, 80, 30}, *missing, 0xFF000000, kTextSingleLine);
  canvas->Flush();
  EXPECT_FALSE(InkBounds(*canvas).IsEmpty()) << "the fallback draws";

  FontSpec bold = yahei->Spec();
  bold.weight = 700;
  bold.underline = true;
  EXPECT_TRUE(renderer_.CreateFont(bold)) << "a bold underlined face is made even for a regular-only family";
}

TEST_F(GdiplusRendererTest, TextInkStaysInItsMeasuredBox) {
  auto font = Font(14);
  ASSERT_TRUE(font);
  const std::wstring text = L"QIRA 助手安装程序";
  const Size measured = renderer_.MeasureText(text, *font, 0, kTextSingleLine);
  EXPECT_EQ(measured.cy, font->LineHeight());
  EXPECT_GT(measured.cx, 7 * 14) << "the CJK glyphs take their full width";

  auto canvas = Canvas(300, 60);
  const Rect box{10, 10, 10 + measured.cx, 10 + measured.cy};
  canvas->DrawText(text, box, *font, 0xFF000000, kTextSingleLine);
  canvas->Flush();
  const Rect ink = InkBounds(*canvas);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.left, box.left - 1);
  EXPECT_LE(ink.right, box.right + 1);
  EXPECT_GE(ink.top, box.top);
  EXPECT_LE(ink.bottom, box.bottom);
  EXPECT_GE(ink.Width(), measured.cx - 4) << "the measure is the drawn extent, not more";

  // Crisp: fully covered stroke pixels, and anti-aliased edges beside them.
  int solid = 0, partial = 0;
  for (uint32_t p : canvas->Pixels()) {
    const uint32_t a = p >> 24;
    solid += a == 255;
    partial += a > 0 && a < 255;
  }
  EXPECT_GT(solid, 20);
  EXPECT_GT(partial, 20);
}

TEST_F(GdiplusRendererTest, TextAlignmentPlacesTheInk) {
  auto font = Font(12);
  ASSERT_TRUE(font);
  const std::wstring text = L"确认，下一步";
  const Size m = renderer_.MeasureText(text, *font, 0, kTextSingleLine);
  const Rect box{20, 10, 220, 60};
  struct Case {
    const char* what;
    uint32_t format;
    int expectLeft;  // where the ink's box should start, +-2
    int expectTop;
  };
  const Case cases[] = {
      {"left top", kTextLeft | kTextTop, box.left, box.top},
      {"centre", kTextCenter | kTextVCenter, box.left + (box.Width() - m.cx) / 2,
       box.top + (box.Height() - m.cy) / 2},
      {"right bottom", kTextRight | kTextBottom, box.right - m.cx, box.bottom - m.cy},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto canvas = Canvas(240, 70);
    canvas->DrawText(text, box, *font, 0xFF000000, c.format | kTextSingleLine);
    canvas->Flush();
    const Rect ink = InkBounds(*canvas);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_NEAR(ink.left, c.expectLeft, 2);
    EXPECT_NEAR(ink.right, c.expectLeft + m.cx, 3);
    EXPECT_GE(ink.top, c.expectTop);
    EXPECT_LE(ink.bottom, c.expectTop + m.cy);
  }
}

TEST_F(GdiplusRendererTest, WrappingMeasuresWhatItDraws) {
  auto font = Font(12);
  ASSERT_TRUE(font);
  const std::wstring text = L"您确定退出应用安装程序？";
  const Size one = renderer_.MeasureText(text, *font, 60, kTextSingleLine);
  EXPECT_GT(one.cx, 60) << "one line ignores the width";
  EXPECT_EQ(one.cy, font->LineHeight());
  const Size wrapped = renderer_.MeasureText(text, *font, 60, kTextWordBreak);
  EXPECT_LE(wrapped.cx, 60);
  EXPECT_GE(wrapped.cy, 3 * font->LineHeight());
  EXPECT_EQ(wrapped.cy % font->LineHeight(), 0);

  auto canvas = Canvas(100, 200);
  canvas->DrawText(text, {0, 0, 60, wrapped.cy}, *font, 0xFF000000, kTextWordBreak);
  canvas->Flush();
  const Rect ink = InkBounds(*canvas);
  EXPECT_LE(ink.right, 61);
  EXPECT_GT(ink.bottom, wrapped.cy - font->LineHeight()) << "the last line is drawn";
  EXPECT_LE(ink.bottom, wrapped.cy);

  EXPECT_EQ(renderer_.MeasureText(L"a\nb", *font, 0, 0).cy, 2 * font->LineHeight());
  EXPECT_EQ(renderer_.MeasureText(L"a\nb", *font, 0, kTextSingleLine).cy, font->LineHeight());
  EXPECT_EQ(renderer_.MeasureText(L"", *font, 0, kTextSingleLine), (Size{0, font->LineHeight()}));
}

TEST_F(GdiplusRendererTest, TextColourKeepsItsAlpha) {
  auto font = Font(16);
  ASSERT_TRUE(font);
  auto canvas = Canvas(120, 30);
  canvas->DrawText(L"联系我们", {0, 0, 120, 30}, *font, 0x80FF0000, kTextSingleLine);
  canvas->Flush();
  int inked = 0;
  for (uint32_t p : canvas->Pixels()) {
    if (!(p >> 24)) continue;
    ++inked;
    EXPECT_LE(Channel(p, 24), 0x81);
    EXPECT_LE(Channel(p, 16), Channel(p, 24));
    EXPECT_EQ(p & 0xFFFF, 0u);
  }
  EXPECT_GT(inked, 30);
}

TEST_F(GdiplusRendererTest, UnderlineAndStrikeoutAreDrawnUnderEveryLine) {
  // The longest run of inked pixels in one row: a decoration bar spans the
  // text, glyph strokes do not.
  auto longestRow = [](const GdiplusCanvas& canvas) {
    int best = 0;
    for (int y = 0; y < canvas.GetSize().cy; ++y) {
      int run = 0;
      for (int x = 0; x < canvas.GetSize().cx; ++x) {
        run = (canvas.PixelAt(x, y) >> 24) ? run + 1 : 0;
        best = std::max(best, run);
      }
    }
    return best;
  };
  FontSpec spec;
  spec.size = 16;
  const std::wstring text = L"联系我们 link";
  const Size m = renderer_.MeasureText(text, *renderer_.CreateFont(spec), 0, kTextSingleLine);
  for (bool underline : {false, true}) {
    for (bool strikeout : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "underline " << underline << " strikeout " << strikeout);
      FontSpec decorated = spec;
      decorated.underline = underline;
      decorated.strikeout = strikeout;
      auto font = renderer_.CreateFont(decorated);
      ASSERT_TRUE(font);
      EXPECT_EQ(renderer_.MeasureText(text, *font, 0, kTextSingleLine), m) << "decorations do not change the size";
      auto canvas = Canvas(200, 40);
      canvas->DrawText(text, {10, 5, 190, 35}, *font, 0xFF1677FF, kTextSingleLine | kTextVCenter);
      canvas->Flush();
      if (underline || strikeout) {
        EXPECT_GE(longestRow(*canvas), m.cx - 2);
      } else {
        EXPECT_LT(longestRow(*canvas), m.cx / 2);
      }
      if (underline) {
        // The bar lies below the glyphs' baseline, inside the line.
        const Rect ink = InkBounds(*canvas);
        int barRow = -1;
        for (int y = ink.bottom - 1; y >= ink.top && barRow < 0; --y) {
          int run = 0;
          for (int x = 0; x < 200; ++x) run += (canvas->PixelAt(x, y) >> 24) != 0;
          if (run >= m.cx - 2) barRow = y;
        }
        EXPECT_GT(barRow, 5 + (30 - m.cy) / 2 + m.cy / 2);
        EXPECT_LT(barRow, 5 + (30 + m.cy) / 2 + 2);
      }
    }
  }
  // Wrapped text: a bar under each line.
  FontSpec wrapped = spec;
  wrapped.underline = true;
  auto font = renderer_.CreateFont(wrapped);
  auto canvas = Canvas(120, 120);
  canvas->DrawText(L"您确定退出应用安装程序？", {0, 0, 70, 120}, *font, 0xFF000000, kTextWordBreak);
  canvas->Flush();
  int bars = 0;
  for (int y = 0; y < 120; ++y) {
    int run = 0;
    for (int x = 0; x < 120; ++x) run += (canvas->PixelAt(x, y) >> 24) == 255;
    bars += run >= 30 && (y == 0 || [&] {
              int above = 0;
              for (int x = 0; x < 120; ++x) above += (canvas->PixelAt(x, y - 1) >> 24) == 255;
              return above < 30;
            }());
  }
  EXPECT_GE(bars, 3);
}

}  // namespace
}  // namespace SkinUI
