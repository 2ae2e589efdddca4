// Building control trees from fixture packages: includes, fonts, styles,
// defaults, window attributes, bad input, and the layout rules.
#include "ui/markup/markup_builder.h"

#include <gtest/gtest.h>

#include "ui/control/button.h"
#include "ui/control/container.h"
#include "ui/control/label.h"
#include "ui/core/skin_manager.h"
#include "ui/platform/recording_renderer.h"
#include "ui/testing/skin_test_util.h"
#include "ui/testing/zip_writer.h"

namespace SkinUI {
namespace {

using testing::UsePackage;

class Diagnostics : public IBuildObserver {
 public:
  void UnknownElement(const std::wstring&, const std::wstring& e) override { unknownElements.push_back(e); }
  void UnknownAttribute(const std::wstring& c, const std::wstring& n) override { unknownAttributes.push_back(c + L"." + n); }
  void UndefinedStyle(const std::wstring& n) override { undefinedStyles.push_back(n); }
  void MissingInclude(const std::wstring& p) override { missingIncludes.push_back(p); }
  void ImageReference(const std::wstring& p, bool found) override {
    if (!found) missingImages.push_back(p);
  }
  std::vector<std::wstring> unknownElements, unknownAttributes, undefinedStyles, missingIncludes, missingImages;
};

class BuilderTest : public ::testing::Test {
 protected:
  // Builds `path` windowless and lays it out at the markup's size.
  CControlUI* Build(const std::wstring& path) {
    pm.SetRenderer(&renderer);
    pm.SetBuildObserver(&diag);
    CMarkupBuilder builder;
    auto root = builder.BuildRoot(path, pm);
    error = builder.GetLastErrorMessage();
    if (!root) return nullptr;
    pm.AttachDialog(std::move(root));
    pm.UpdateLayout(true);
    return pm.GetRoot();
  }
  template <typename T = CControlUI>
  T* Get(std::wstring_view name) {
    return static_cast<T*>(pm.FindByName(name));
  }

  RecordingRenderer renderer;
  SkinManager pm;
  Diagnostics diag;
  std::string error;
};

TEST_F(BuilderTest, IncludesBuildIntoTheTablesAndTheCurrentContainer) {
  UsePackage({
      {"xml/common/Font.xml", R"(<Window><Font name="Microsoft YaHei" size="12" default="true"/>
          <Font name="Microsoft YaHei" size="22"/><Font size="14" bold="true" weight="300"/>
          <Font size="16" underline="true" weight="500"/></Window>)"},
      {"xml/page.xml", R"(<Window><Label name="page_label" text="p"/></Window>)"},
      {"xml/wnd.xml", R"(<Window size="819,574"><Include source="xml/common/font.xml"/>
          <VerticalLayout name="root"><TabLayout name="tab">
            <Include source="xml\page.xml" count="3"/>
            <Include source="xml/missing.xml"/>
          </TabLayout></VerticalLayout></Window>)"},
  });
  ASSERT_TRUE(Build(L"Xml\\WND.xml")) << error;
  ASSERT_EQ(pm.GetFontCount(), 4);
  EXPECT_EQ(pm.GetDefaultFontIndex(), 0);
  EXPECT_EQ(pm.GetFontSpec(1).size, 22);
  EXPECT_EQ(pm.GetFontSpec(2).weight, 700);  // bold wins over weight
  EXPECT_EQ(pm.GetFontSpec(3).weight, 500);
  EXPECT_TRUE(pm.GetFontSpec(3).underline);
  EXPECT_EQ(pm.GetFontSpec(-1).size, 12);
  EXPECT_EQ(pm.GetFontSpec(99).size, 12);  // an invalid index is the default font
  EXPECT_EQ(Get<CTabLayoutUI>(L"tab")->GetCount(), 3);
  EXPECT_EQ(diag.missingIncludes, (std::vector<std::wstring>{L"xml/missing.xml"}));
}

TEST_F(BuilderTest, StylesInheritFirstDefinitionStaysAndAttributeOrderDecides) {
  UsePackage({{"xml/w.xml", R"(<Window size="300,200">
      <Style name="body" value="width=&quot;767&quot; height=&quot;398&quot; padding=&quot;16,12,16,0&quot;"/>
      <Style name="body_seq" inherit="body" value="text=&quot;seq&quot;"/>
      <Style name="bare" inherit="body" value=""/>
      <Style name="orphan" inherit="nothing" value="text=&quot;o&quot;"/>
      <Style name="body" value="width=&quot;1&quot;"/>
      <Style name="named" value="name=&quot;btn_close&quot; text=&quot;x&quot; width=&quot;24&quot;"/>
      <VerticalLayout>
        <Label name="seq" style="body_seq"/>
        <Label name="bare" style="bare"/>
        <Label name="before" width="5" text="mine" style="body_seq"/>
        <Label name="after" style="body_seq" width="152" text="mine"/>
        <Button style="named"/>
        <Label name="undefined" style="nope"/>
      </VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  EXPECT_EQ(*pm.GetStyle(L"body_seq"),
            L"width=\"767\" height=\"398\" padding=\"16,12,16,0\" text=\"seq\"");
  EXPECT_EQ(*pm.GetStyle(L"bare"), *pm.GetStyle(L"body"));
  EXPECT_EQ(*pm.GetStyle(L"orphan"), L"text=\"o\"");
  EXPECT_EQ(Get(L"seq")->GetFixedWidth(), 767);  // the later "body" was ignored
  EXPECT_EQ(Get(L"seq")->GetPadding(), (Rect{16, 12, 16, 0}));
  EXPECT_EQ(Get(L"before")->GetFixedWidth(), 767);
  EXPECT_EQ(Get(L"before")->GetText(), L"seq");
  EXPECT_EQ(Get(L"after")->GetFixedWidth(), 152);
  EXPECT_EQ(Get(L"after")->GetText(), L"mine");
  ASSERT_TRUE(Get(L"btn_close"));
  EXPECT_EQ(Get(L"btn_close")->GetClass(), L"ButtonUI");
  EXPECT_EQ(diag.undefinedStyles, (std::vector<std::wstring>{L"nothing", L"nope"}));
}

TEST_F(BuilderTest, DefaultListsApplyBeforeOwnAttributesAndThroughDefaulattr) {
  UsePackage({{"xml/w.xml", R"(<Window size="300,200">
      <Default name="Label" value="text=&quot;default&quot; width=&quot;40&quot;"/>
      <Default name="wide" value="width=&quot;99&quot;"/>
      <VerticalLayout><Label name="a"/><Label name="b" width="7"/><Label name="c" defaulattr="wide"/>
      <Button name="d"/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  EXPECT_EQ(Get(L"a")->GetText(), L"default");
  EXPECT_EQ(Get(L"b")->GetFixedWidth(), 7);
  EXPECT_EQ(Get(L"c")->GetFixedWidth(), 99);
  EXPECT_EQ(Get(L"d")->GetText(), L"");
}

TEST_F(BuilderTest, WindowAttributes) {
  UsePackage({{"xml/w.xml", R"(<Window size="819,574" caption="0,0,0,40" maxinfo="819,698" bktrans="1"
      defaultfontcolor="#333333" linkfontcolor="#1A73E8" linkhoverfontcolor="#0B57D0" sizebox="0,0,0,0"
      roundcorner="4,4" mininfo="400,300"><VerticalLayout/></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  const WindowAttributes& a = pm.Attributes();
  EXPECT_EQ(a.initSize, (Size{819, 574}));
  EXPECT_EQ(a.caption, (Rect{0, 0, 0, 40}));
  EXPECT_EQ(a.maxInfo, (Size{819, 698}));
  EXPECT_EQ(a.minInfo, (Size{400, 300}));
  EXPECT_TRUE(a.layered);
  EXPECT_EQ(a.defaultFontColor, 0xFF333333u);
  EXPECT_EQ(a.linkFontColor, 0xFF1A73E8u);
  EXPECT_EQ(a.linkHoverFontColor, 0xFF0B57D0u);
  EXPECT_EQ(pm.GetRoot()->GetPos(), (Rect{0, 0, 819, 574}));
  EXPECT_TRUE(diag.unknownAttributes.empty());
}

TEST_F(BuilderTest, BadInputIsSkippedIgnoredOrSetsNothing) {
  UsePackage({{"xml/w.xml", R"(<Window size="300,200" wobble="1"><VerticalLayout>
      <Marquee name="m"><Label name="inside_unknown"/></Marquee>
      <Label name="l" bkcolor="#FF0000" textcolor="#123" padding="1,2" width="x" frobnicate="yes"
             bkimage="file='a.png" textpadding="a,b"/>
      <Label name="l2" bkcolor="red"/>
      </VerticalLayout><Label name="second_root"/></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  EXPECT_EQ(Get(L"m"), nullptr);
  EXPECT_EQ(Get(L"inside_unknown"), nullptr);
  EXPECT_EQ(Get(L"second_root"), nullptr);  // a window has one root
  auto* l = Get<CLabelUI>(L"l");
  ASSERT_TRUE(l);
  EXPECT_EQ(l->GetBkColor(), 0xFFFF0000u);
  EXPECT_EQ(l->GetTextColor(), 0u);  // "#123" is malformed
  EXPECT_EQ(l->GetPadding(), (Rect{1, 2, 0, 0}));
  EXPECT_EQ(l->GetFixedWidth(), 0);
  EXPECT_TRUE(l->GetBkImage().IsEmpty());
  EXPECT_EQ(Get(L"l2")->GetBkColor(), 0u);
  EXPECT_EQ(diag.unknownElements, (std::vector<std::wstring>{L"Marquee"}));
  EXPECT_EQ(diag.unknownAttributes, (std::vector<std::wstring>{L"Window.wobble", L"LabelUI.frobnicate"}));
}

TEST_F(BuilderTest, SyntaxErrorAndMissingFileBuildNoTree) {
  UsePackage({{"xml/bad.xml", "<Window>\n<VerticalLayout>\n</Window>"},
              {"xml/notwindow.xml", "<VerticalLayout/>"},
              {"xml/inc.xml", R"(<Window><VerticalLayout name="root"><Include source="xml/bad.xml"/>
                  <Label name="after"/></VerticalLayout></Window>)"}});
  EXPECT_FALSE(Build(L"xml/bad.xml"));
  EXPECT_EQ(error, "xml/bad.xml: Unmatched closing tag (line 3)");
  EXPECT_FALSE(Build(L"xml/none.xml"));
  EXPECT_EQ(error, "xml/none.xml: not in the skin package");
  EXPECT_FALSE(Build(L"xml/notwindow.xml"));
  // An include with a syntax error adds nothing; the including file goes on.
  ASSERT_TRUE(Build(L"xml/inc.xml"));
  EXPECT_TRUE(Get(L"after"));
}

TEST_F(BuilderTest, SelfIncludeStopsAtTheNestingLimit) {
  UsePackage({{"xml/loop.xml", R"(<Window><VerticalLayout name="v"><Include source="xml/loop.xml"/></VerticalLayout></Window>)"},
              {"xml/w.xml", R"(<Window size="100,100"><VerticalLayout name="root"><Include source="xml/loop.xml"/></VerticalLayout></Window>)"},
              {"xml/styles.xml", R"(<Window size="100,100"><Style name="a" value="style=&quot;a&quot; text=&quot;t&quot;"/>
                  <VerticalLayout><Label name="l" style="a"/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml"));
  int depth = 0;
  for (CControlUI* c = Get(L"root"); c && c->GetChildCount() > 0; c = c->GetChildAt(0)) ++depth;
  EXPECT_EQ(depth, CMarkupBuilder::kMaxIncludeDepth);
  // Includes repeated at every level stop at the work limit.
  UsePackage({{"xml/fan.xml", R"(<Window size="100,100"><VerticalLayout name="root">
      <Include source="xml/fan.xml" count="100"/><Label/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/fan.xml"));
  EXPECT_EQ(error, "xml/fan.xml: too many files included");
  UsePackage({{"xml/loop.xml", R"(<Window><VerticalLayout name="v"><Include source="xml/loop.xml"/></VerticalLayout></Window>)"},
              {"xml/styles.xml", R"(<Window size="100,100"><Style name="a" value="style=&quot;a&quot; text=&quot;t&quot;"/>
                  <VerticalLayout><Label name="l" style="a"/></VerticalLayout></Window>)"}});
  // A style that applies itself ends too.
  ASSERT_TRUE(Build(L"xml/styles.xml"));
  EXPECT_EQ(Get(L"l")->GetText(), L"t");
}

TEST_F(BuilderTest, VerticalAndHorizontalLayoutRules) {
  UsePackage({{"xml/w.xml", R"(<Window size="400,300"><VerticalLayout name="root" inset="10,10,10,10" childpadding="5">
      <Control name="fixed" height="50" width="100"/>
      <Control name="share1"/>
      <Control name="padded" padding="36" height="20"/>
      <Control name="share2" padding="0,4,0,6"/>
      <HorizontalLayout name="row" height="40" childpadding="0">
        <Control name="left"/><Button name="centre" width="60"/><Control name="right"/>
      </HorizontalLayout>
      <Control name="hidden" visible="false" height="1000"/>
    </VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  // Inner 380 x 280; fixed heights 110, paddings 10, four gaps of 5 (the
  // hidden child takes no room): 280 - 110 - 10 - 20 = 140 for two shares.
  EXPECT_EQ(Get(L"fixed")->GetPos(), (Rect{10, 10, 110, 60}));
  EXPECT_EQ(Get(L"share1")->GetPos(), (Rect{10, 65, 390, 135}));
  EXPECT_EQ(Get(L"padded")->GetPos(), (Rect{46, 140, 390, 160}));  // left margin 36 only
  EXPECT_EQ(Get(L"share2")->GetPos(), (Rect{10, 169, 390, 239}));
  EXPECT_EQ(Get(L"row")->GetPos(), (Rect{10, 250, 390, 290}));
  // A button between two spacers is centred.
  EXPECT_EQ(Get(L"centre")->GetPos(), (Rect{170, 250, 230, 290}));
  EXPECT_EQ(Get(L"left")->GetPos().Width(), Get(L"right")->GetPos().Width());
}

TEST_F(BuilderTest, SharesNeverGoBelowZero) {
  UsePackage({{"xml/w.xml", R"(<Window size="100,100"><VerticalLayout>
      <Control name="big" height="150"/><Control name="flex"/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml"));
  EXPECT_EQ(Get(L"flex")->GetPos().Height(), 0);
  EXPECT_EQ(Get(L"big")->GetPos().Height(), 150);
}

TEST_F(BuilderTest, AutoSizeFollowsTheTextMetrics) {
  // The headless metrics: a Latin character is half the font size wide, a CJK
  // one the whole size; a line is 4/3 of the size high.
  UsePackage({{"xml/w.xml", R"(<Window size="400,300"><Font size="12" default="true"/><Font size="14"/>
      <VerticalLayout><HorizontalLayout height="30">
        <Control/><Button name="ok" text="OK" autowidth="true" minwidth="60" textpadding="10,0,10,0"/>
        <Button name="long" text="abcdefghijklmnopqrstuvwxyz" autowidth="true" minwidth="60" textpadding="10,0,10,0"/>
        <Label name="cjk" text="确认" font="1" autowidth="true"/><Control/>
      </HorizontalLayout>
      <Label name="wrap" width="100" autoheight="true" multiline="true" text="aaaa bbbb cccc dddd eeee ffff"/>
      <Option name="opt" width="318" autoheight="true" multiline="true" showhtml="true" textpadding="20,16,20,16"
              text="&lt;f 1&gt;Title&lt;/f&gt;&lt;n&gt;&lt;y 28&gt;memory&lt;/y&gt;"/>
      <Control/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  EXPECT_EQ(Get(L"ok")->GetPos().Width(), 60);           // 2 x 6 + 20 = 32, raised to 60
  EXPECT_EQ(Get(L"long")->GetPos().Width(), 26 * 6 + 20);
  EXPECT_EQ(Get(L"cjk")->GetPos().Width(), 2 * 14);
  // 6-pixel characters in 100 px break after "cccc": two lines of 16 px.
  EXPECT_EQ(Get(L"wrap")->GetPos().Height(), 2 * 16);
  // Title line in font 1 (14 px: 19 high), then a 28-pixel line, plus padding.
  EXPECT_EQ(Get(L"opt")->GetPos().Height(), 19 + 28 + 32);
}

TEST_F(BuilderTest, TextDrawsInTheResolvedColourAndFont) {
  UsePackage({{"xml/w.xml", R"(<Window size="200,100" defaultfontcolor="#222222"><Font size="12" default="true"/>
      <Font size="16" underline="true"/><VerticalLayout>
      <Label name="translucent" text="space" textcolor="#66000000" font="1" height="20"/>
      <Label name="plain" text="plain" height="20"/>
      <Label name="off" text="off" enable="false" disabledtextcolor="#AAAAAA" height="20"/>
      </VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml"));
  RecordingCanvas canvas({200, 100});
  pm.PaintTo(canvas, {0, 0, 200, 100});
  auto space = testing::TextRecords(canvas.Records(), L"space");
  ASSERT_EQ(space.size(), 1u);
  EXPECT_EQ(space[0].color, 0x66000000u);  // 40 % black
  EXPECT_EQ(space[0].font.size, 16);
  EXPECT_TRUE(space[0].font.underline);
  EXPECT_EQ(space[0].rect, (Rect{0, 0, 200, 20}));
  EXPECT_EQ(testing::TextRecords(canvas.Records(), L"plain")[0].color, 0xFF222222u);
  EXPECT_EQ(testing::TextRecords(canvas.Records(), L"off")[0].color, 0xFFAAAAAAu);
}

TEST_F(BuilderTest, ImagesDrawTheirSliceDestinationAndOpacity) {
  UsePackage({{"img/chk.png", testing::FakePng(112, 14)},
              {"img/bg.png", testing::FakePng(819, 574)},
              {"xml/w.xml", R"(<Window size="300,100"><VerticalLayout bkcolor="#FFFFFFFF" bkimage="img\bg.png">
      <CheckBox name="chk" height="20" text="自定义安装" textpadding="18,0,0,0"
          statusimage="file='img/chk.png' dest='0,3,14,17' status='normal,hot,pushed,disabled,selected,selectedhot,selectedpushed,selecteddisabled'"/>
      <Control name="faded" height="20" bkimage="file='img/bg.png' source='10,10,20,20' fade='102' corner='2,2,2,2'"/>
      <Control name="gone" height="20" bkimage="img/none.png"/>
      </VerticalLayout></Window>)"}});
  ASSERT_TRUE(Build(L"xml/w.xml")) << error;
  auto* chk = Get<CCheckBoxUI>(L"chk");
  const wchar_t* states[] = {L"normal", L"hot", L"pushed", L"disabled",
                             L"selected", L"selectedhot", L"selectedpushed", L"selecteddisabled"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(chk->GetStatusImages().at(states[i]).source, (Rect{14 * i, 0, 14 * i + 14, 14})) << states[i];
  }
  chk->SetSelected(true, false);
  RecordingCanvas canvas({300, 100});
  pm.PaintTo(canvas, {0, 0, 300, 100});
  auto images = testing::RecordsOf(canvas.Records(), DrawRecord::Kind::kImage);
  ASSERT_EQ(images.size(), 3u);  // background, check box state, faded part; the missing image is not drawn
  EXPECT_EQ(images[0].image, L"img/bg.png");  // cached under its first spelling
  EXPECT_EQ(images[0].rect, (Rect{0, 0, 300, 100}));
  EXPECT_EQ(images[1].source, (Rect{56, 0, 70, 14}));  // "selected"
  EXPECT_EQ(images[1].rect, (Rect{0, 3, 14, 17}));
  EXPECT_EQ(images[2].alpha, 102);
  EXPECT_EQ(images[2].source, (Rect{10, 10, 20, 20}));
  EXPECT_EQ(images[2].corner, (Rect{2, 2, 2, 2}));
  auto fills = testing::RecordsOf(canvas.Records(), DrawRecord::Kind::kFill);
  ASSERT_EQ(fills.size(), 1u);
  auto text = testing::TextRecords(canvas.Records(), L"自定义安装");
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(text[0].rect.left, 18);
  EXPECT_EQ(diag.missingImages, (std::vector<std::wstring>{L"img/none.png"}));
}

}  // namespace
}  // namespace SkinUI
