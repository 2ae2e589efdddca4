// Input rules of the controls and the notifications they raise, driven by
// synthetic input through a headless window.
#include <gtest/gtest.h>

#include "ui/control/button.h"
#include "ui/control/container.h"
#include "ui/control/label.h"
#include "ui/control/rich_edit.h"
#include "ui/testing/skin_test_util.h"
#include "ui/testing/zip_writer.h"

namespace SkinUI {
namespace {

using testing::Seen;
using testing::TestWindow;
using testing::UsePackage;

class ControlsTest : public ::testing::Test {
 protected:
  void Open(const std::string& body) {
    UsePackage({{"xml/t.xml", "<Window size=\"400,300\">" + body + "</Window>"},
                {"img/btn.png", testing::FakePng(400, 30)}});
    ASSERT_TRUE(wnd.CreateOn(host));
    SkinManager::PumpPending(host);
    wnd.seen.clear();
  }
  void Click(std::wstring_view name) {
    host.PostClick(wnd.GetHWND(), wnd.CentreOf(name));
    SkinManager::PumpPending(host);
  }
  std::vector<Seen> Seen_() {
    std::vector<Seen> out;
    for (const Seen& s : wnd.seen) {
      if (s.type != L"windowinit") out.push_back(s);
    }
    return out;
  }
  template <typename T>
  T* Get(std::wstring_view name) {
    return static_cast<T*>(wnd.Find(name));
  }

  HeadlessHost host{HeadlessHost::Clock::kVirtual};
  TestWindow wnd{L"xml/t.xml"};
};

TEST_F(ControlsTest, SelectPageToTheCurrentIndexOrOutOfRange) {
  Open(R"(<TabLayout name="tab"><Control name="p0"/><Control name="p1"/><Control name="p2"/><Control name="p3"/></TabLayout>)");
  auto* tab = Get<CTabLayoutUI>(L"tab");
  EXPECT_EQ(tab->GetCurrentPage(), 0);
  EXPECT_TRUE(tab->SelectPage(0));
  EXPECT_FALSE(tab->SelectPage(4));
  EXPECT_FALSE(tab->SelectPage(-1));
  EXPECT_TRUE(Seen_().empty());
  EXPECT_EQ(tab->GetCurrentPage(), 0);

  EXPECT_TRUE(tab->SelectPage(2));
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"tabselect", L"tab", 2, 0}}));
  EXPECT_EQ(tab->GetCurrentPage(), 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tab->GetItemAt(i)->IsVisible(), i == 2) << i;
  EXPECT_EQ(tab->GetItemAt(2)->GetPos(), (Rect{0, 0, 400, 300}));  // laid out at once
}

TEST_F(ControlsTest, CheckBoxSendsSelectChangedThenClickEachTime) {
  Open(R"(<VerticalLayout><CheckBox name="chk" height="20"/><Control/></VerticalLayout>)");
  auto* chk = Get<CCheckBoxUI>(L"chk");
  Click(L"chk");
  EXPECT_TRUE(chk->IsSelected());
  Click(L"chk");
  EXPECT_FALSE(chk->IsSelected());
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"selectchanged", L"chk"},
                                         {L"click", L"chk"},
                                         {L"selectchanged", L"chk"},
                                         {L"click", L"chk"}}));
}

TEST_F(ControlsTest, GroupedOptionsNotifyTheLoserThenTheWinner) {
  Open(R"(<VerticalLayout>
      <Option name="a" group="g" selected="true" height="20"/>
      <Option name="b" group="g" height="20"/>
      <Option name="c" group="other" selected="true" height="20"/><Control/></VerticalLayout>)");
  Click(L"b");
  EXPECT_FALSE(Get<COptionUI>(L"a")->IsSelected());
  EXPECT_TRUE(Get<COptionUI>(L"b")->IsSelected());
  EXPECT_TRUE(Get<COptionUI>(L"c")->IsSelected());
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"selectchanged", L"a"}, {L"selectchanged", L"b"}, {L"click", L"b"}}));

  // A grouped option clicked again stays selected: no change, only "click".
  wnd.seen.clear();
  Click(L"b");
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"click", L"b"}}));

  // SetSelected without notify changes the group silently.
  wnd.seen.clear();
  Get<COptionUI>(L"a")->SetSelected(true, false);
  EXPECT_FALSE(Get<COptionUI>(L"b")->IsSelected());
  EXPECT_TRUE(Seen_().empty());
}

TEST_F(ControlsTest, ReadOnlyTextFieldRaisesTextChangedForProgramChanges) {
  Open(R"(<VerticalLayout><RichEdit name="edit" readonly="true" multiline="false" height="30"/><Control/></VerticalLayout>)");
  auto* edit = Get<CRichEditUI>(L"edit");
  edit->SetText(L"D:\\QIRA");
  edit->SetText(L"D:\\QIRA");
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"textchanged", L"edit"}, {L"textchanged", L"edit"}}));
  // Typing into it changes nothing.
  Click(L"edit");
  host.Post(wnd.GetHWND(), kMsgChar, L'x', 0);
  SkinManager::PumpPending(host);
  EXPECT_EQ(edit->GetText(), L"D:\\QIRA");
}

TEST_F(ControlsTest, DisabledAndHiddenButtonsSendNoClick) {
  Open(R"(<VerticalLayout>
      <Button name="off" enable="false" height="30"/>
      <VerticalLayout height="30"><Button name="hidden"/></VerticalLayout>
      <VerticalLayout height="30"><VerticalLayout name="panel"><Button name="inner"/></VerticalLayout></VerticalLayout>
      <Button name="on" height="30"/><Control/></VerticalLayout>)");
  auto* hidden = Get<CButtonUI>(L"hidden");
  const Point hiddenAt = wnd.CentreOf(L"hidden");
  const Point innerAt = wnd.CentreOf(L"inner");
  hidden->SetVisible(false);
  wnd.Find(L"panel")->SetVisible(false);
  Click(L"off");
  host.PostClick(wnd.GetHWND(), hiddenAt);
  host.PostClick(wnd.GetHWND(), innerAt);
  SkinManager::PumpPending(host);
  EXPECT_FALSE(hidden->Activate());
  EXPECT_FALSE(Get<CButtonUI>(L"inner")->Activate());  // its parent is hidden
  EXPECT_FALSE(Get<CButtonUI>(L"off")->Activate());
  EXPECT_TRUE(Seen_().empty());
  Click(L"on");
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"click", L"on"}}));
}

TEST_F(ControlsTest, ClickNeedsPressAndReleaseOverTheButton) {
  Open(R"(<VerticalLayout><Button name="a" height="30"/><Button name="b" height="30"/><Control/></VerticalLayout>)");
  const Point a = wnd.CentreOf(L"a"), b = wnd.CentreOf(L"b");
  host.PostLButtonDown(wnd.GetHWND(), a);
  host.PostMouseMove(wnd.GetHWND(), b);
  host.PostLButtonUp(wnd.GetHWND(), b);  // released elsewhere: nothing
  SkinManager::PumpPending(host);
  EXPECT_TRUE(Seen_().empty());
  EXPECT_FALSE(Get<CButtonUI>(L"a")->IsPushed());

  host.PostLButtonDown(wnd.GetHWND(), a);
  host.PostMouseMove(wnd.GetHWND(), b);
  host.PostMouseMove(wnd.GetHWND(), a);  // back over it before release
  host.PostLButtonUp(wnd.GetHWND(), a);
  SkinManager::PumpPending(host);
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"click", L"a"}}));
}

TEST_F(ControlsTest, FocusedButtonActivatesWithSpaceAndEnter) {
  Open(R"(<VerticalLayout><Button name="a" height="30"/><Control/></VerticalLayout>)");
  Get<CButtonUI>(L"a")->SetFocus();
  host.PostKey(wnd.GetHWND(), kVkSpace);
  host.PostKey(wnd.GetHWND(), kVkReturn);
  host.PostKey(wnd.GetHWND(), 'A');
  SkinManager::PumpPending(host);
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"click", L"a"}, {L"click", L"a"}}));
}

TEST_F(ControlsTest, ButtonDrawsTheImageOfItsFirstHoldingState) {
  Open(R"(<VerticalLayout><Button name="a" height="30"
      statusimage="file='img/btn.png' source='0,0,400,30' status='normal,hot,pushed,disabled'"/>
      <Option name="o" height="30" group="g"
      statusimage="file='img/btn.png' status='normal,hot,selected,disabled'"/><Control/></VerticalLayout>)");
  auto* a = Get<CButtonUI>(L"a");
  auto* o = Get<COptionUI>(L"o");
  EXPECT_EQ(a->CurrentStatusName(), L"normal");
  host.PostMouseMove(wnd.GetHWND(), wnd.CentreOf(L"a"));
  SkinManager::PumpPending(host);
  EXPECT_EQ(a->CurrentStatusName(), L"hot");
  host.PostLButtonDown(wnd.GetHWND(), wnd.CentreOf(L"a"));
  SkinManager::PumpPending(host);
  EXPECT_EQ(a->CurrentStatusName(), L"pushed");
  auto images = testing::RecordsOf(host.LastFrame(wnd.GetHWND()), DrawRecord::Kind::kImage);
  ASSERT_FALSE(images.empty());
  EXPECT_EQ(images[0].source, (Rect{200, 0, 300, 30}));  // slice 2 of 4
  host.PostLButtonUp(wnd.GetHWND(), wnd.CentreOf(L"a"));
  SkinManager::PumpPending(host);
  a->SetEnabled(false);
  EXPECT_EQ(a->CurrentStatusName(), L"disabled");

  // No "focused" image: a focused button draws "normal".
  o->SetFocus();
  EXPECT_EQ(o->CurrentStatusName(), L"normal");
  o->SetSelected(true, false);
  EXPECT_EQ(o->CurrentStatusName(), L"selected");  // no "selectedfocused": falls back
  o->SetEnabled(false);
  EXPECT_EQ(o->CurrentStatusName(), L"selected");
  o->SetSelected(false, false);
  EXPECT_EQ(o->CurrentStatusName(), L"disabled");
}

TEST_F(ControlsTest, TextLinkClicksSendTheLinkIndexAndCount) {
  Open(R"(<VerticalLayout><Text name="txt" mouse="true" showhtml="true" height="30" font="-1"
      text="Read {a}one{/a} and {a}two{/a}."/><Text name="deaf" showhtml="true" height="30"
      text="{a}x{/a}"/><Control/></VerticalLayout>)");
  auto* txt = Get<CTextUI>(L"txt");
  wnd.GetManager().UpdateLayout();
  ASSERT_EQ(txt->GetLinkCount(), 2);
  auto rects = txt->GetLinkRects(1);
  ASSERT_EQ(rects.size(), 1u);
  host.PostClick(wnd.GetHWND(), {(rects[0].left + rects[0].right) / 2, (rects[0].top + rects[0].bottom) / 2});
  host.PostClick(wnd.GetHWND(), {txt->GetPos().left + 1, txt->GetPos().top + 1});  // not on a link
  SkinManager::PumpPending(host);
  EXPECT_EQ(Seen_(), (std::vector<Seen>{{L"link", L"txt", 1, 2}}));
  // Without mouse="true" a Text takes no clicks.
  wnd.seen.clear();
  Click(L"deaf");
  EXPECT_TRUE(Seen_().empty());
}

}  // namespace
}  // namespace SkinUI
