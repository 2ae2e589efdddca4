// The shipped skin package against the framework: every markup file builds
// cleanly, every named control exists with its class, and the pages lay out
// at the sizes the installer relies on.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "common/base/strings.h"
#include "ui/control/animation.h"
#include "ui/control/button.h"
#include "ui/control/container.h"
#include "ui/control/label.h"
#include "ui/control/progress.h"
#include "ui/control/rich_edit.h"
#include "ui/markup/markup_builder.h"
#include "ui/package/resource_package.h"
#include "ui/package/zip_archive.h"
#include "ui/testing/skin_test_util.h"

namespace SkinUI {
namespace {

std::vector<uint8_t> ReadSkinZip() {
  std::ifstream in(QIRA_SKIN_ZIP, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class Complaints : public IBuildObserver {
 public:
  void UnknownElement(const std::wstring& f, const std::wstring& e) override { Add(L"unknown element " + e + L" in " + f); }
  void UnknownAttribute(const std::wstring& c, const std::wstring& n) override { Add(L"unknown attribute " + c + L"." + n); }
  void UndefinedStyle(const std::wstring& n) override { Add(L"undefined style " + n); }
  void MissingInclude(const std::wstring& p) override { Add(L"missing include " + p); }
  void ImageReference(const std::wstring& p, bool found) override {
    if (!found) Add(L"image not in the package: " + p);
  }
  void MalformedValue(const std::wstring& a, const std::wstring& v) override { Add(L"malformed " + a + L"=" + v); }
  std::vector<std::string> list;

 private:
  void Add(const std::wstring& text) { list.push_back(base::WideToUtf8(text)); }
};

class SkinTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ReleaseResourcePackage();
    ASSERT_TRUE(RegisterResourcePackage(ReadSkinZip())) << QIRA_SKIN_ZIP;
  }
  // Opens a window file on the headless host, watching its build.
  void Open(testing::TestWindow& wnd) {
    wnd.GetManager().SetBuildObserver(&complaints);
    ASSERT_TRUE(wnd.CreateOn(host));
    ASSERT_TRUE(wnd.GetManager().GetRoot()) << wnd.GetBuildError();
    wnd.GetManager().UpdateLayout(true);
  }
  template <typename T = CControlUI>
  T* Get(testing::TestWindow& wnd, std::wstring_view name) {
    CControlUI* c = wnd.Find(name);
    EXPECT_TRUE(c) << base::WideToUtf8(name);
    return static_cast<T*>(c);
  }
  Rect Pos(testing::TestWindow& wnd, std::wstring_view name) { return Get(wnd, name)->GetPos(); }

  HeadlessHost host{HeadlessHost::Clock::kVirtual};
  Complaints complaints;
};

TEST_F(SkinTest, PackageHas47DeflatedEntries) {
  ZipArchive zip(ReadSkinZip());
  ASSERT_TRUE(zip.IsValid());
  EXPECT_EQ(zip.Entries().size(), 47u);
  for (const auto& e : zip.Entries()) {
    EXPECT_EQ(e.method, 8) << e.name;
    EXPECT_TRUE(zip.Read(static_cast<size_t>(&e - zip.Entries().data()))) << e.name;
  }
  EXPECT_TRUE(ReadResourceFile(L"xml/common/font.xml"));
  EXPECT_TRUE(ReadResourceFile(L"Xml\\inst\\wnd.xml"));
  EXPECT_TRUE(ReadResourceFile(L"img\\common\\bg.png"));
}

TEST_F(SkinTest, EveryShippedMarkupFileBuildsCleanly) {
  testing::TestWindow wnd(L"Xml\\inst\\wnd.xml");
  Open(wnd);
  testing::TestWindow box(L"xml\\msgbox.xml");
  Open(box);
  // Every page again, and the panel the window does not include, in the
  // installer window's tables (they use its fonts and shared styles).
  SkinManager& pm = wnd.GetManager();
  auto scratch = std::make_unique<CVerticalLayoutUI>();
  scratch->SetManager(&pm, nullptr, false);
  ZipArchive zip(ReadSkinZip());
  for (const auto& e : zip.Entries()) {
    if (e.name.rfind("xml/inst/panel/", 0) != 0) continue;
    CMarkupBuilder builder;
    EXPECT_TRUE(builder.Build(base::Utf8ToWide(e.name), pm, scratch.get())) << e.name << builder.GetLastErrorMessage();
  }
  // The styles the program switches at run time, on the controls it switches.
  struct Switch {
    const wchar_t* control;
    const wchar_t* style;
  } switches[] = {
      {L"lbl_dl_stat", L"lbl_dl_stat_err"},   {L"lbl_dl_stat", L"lbl_dl_stat"},
      {L"lbl_inst_stat", L"lbl_inst_stat_err"}, {L"lbl_inst_stat", L"lbl_inst_stat"},
      {L"lbl_space", L"lbl_space_err"},        {L"lbl_space", L"lbl_space"},
  };
  for (const Switch& s : switches) Get(wnd, s.control)->SetAttribute(L"style", s.style);
  pm.GetRoot()->SetAttribute(L"style", L"bg_dropdown");
  pm.GetRoot()->SetAttribute(L"style", L"bg");
  auto option = std::make_unique<COptionUI>();
  option->SetManager(&pm, nullptr, false);
  option->SetAttribute(L"style", L"opt_model");
  Get(box, L"btn0")->SetAttribute(L"style", L"btn_msgbox_def");
  EXPECT_TRUE(complaints.list.empty()) << ::testing::PrintToString(complaints.list);
}

TEST_F(SkinTest, NamedControlsExistWithTheirClasses) {
  testing::TestWindow wnd(L"Xml\\inst\\wnd.xml");
  Open(wnd);
  const std::pair<const wchar_t*, const wchar_t*> table[] = {
      {L"btn_min", L"ButtonUI"}, {L"btn_close", L"ButtonUI"}, {L"tab_main", L"TabLayoutUI"},
      {L"seq_introduce_check", L"FadeSequenceUI"}, {L"tab_check_bottom", L"TabLayoutUI"},
      {L"btn_recheck", L"ButtonUI"}, {L"btn_recheck2", L"ButtonUI"}, {L"btn_contact", L"ButtonUI"},
      {L"vl_models", L"VerticalLayoutUI"}, {L"lbl_models_title", L"LabelUI"},
      {L"seq_introduce0", L"FadeSequenceUI"}, {L"btn_go_step1", L"ButtonUI"},
      {L"seq_introduce1", L"FadeSequenceUI"}, {L"chk_lic", L"CheckBoxUI"}, {L"txt_lic", L"TextUI"},
      {L"btn_go_step2", L"ButtonUI"}, {L"chk_custom_install", L"CheckBoxUI"},
      {L"vl_custom_install", L"VerticalLayoutUI"}, {L"edit_install_path", L"RichEditUI"},
      {L"btn_browser", L"ButtonUI"}, {L"lbl_space", L"LabelUI"}, {L"chk_desktop_shortcut", L"CheckBoxUI"},
      {L"chk_startmenu_shortcut", L"CheckBoxUI"}, {L"chk_auto_start", L"CheckBoxUI"},
      {L"seq_introduce2", L"FadeSequenceUI"}, {L"tab_bottom", L"TabLayoutUI"}, {L"lbl_dl_stat", L"LabelUI"},
      {L"lbl_dl_precent", L"LabelUI"}, {L"prog_download", L"ProgressUI"}, {L"lbl_dl_speed", L"LabelUI"},
      {L"lbl_dl_size", L"LabelUI"}, {L"tab_dl_op", L"TabLayoutUI"}, {L"btn_dl_pause", L"ButtonUI"},
      {L"btn_dl_resume", L"ButtonUI"}, {L"btn_dl_re-download", L"ButtonUI"}, {L"lbl_inst_stat", L"LabelUI"},
      {L"lbl_inst_precent", L"LabelUI"}, {L"seq_inst", L"SequenceUI"}, {L"btn_launch", L"ButtonUI"},
  };
  for (const auto& [name, cls] : table) {
    CControlUI* c = wnd.Find(name);
    ASSERT_TRUE(c) << base::WideToUtf8(name);
    EXPECT_EQ(c->GetClass(), cls) << base::WideToUtf8(name);
  }
  const std::pair<const wchar_t*, const wchar_t*> texts[] = {
      {L"lbl_models_title", L"请选择您需要安装的版本："}, {L"btn_go_step1", L"确认，下一步"},
      {L"txt_lic", L"我已仔细阅读并同意{a}《许可协议》{/a}"}, {L"btn_go_step2", L"立即安装"},
      {L"chk_custom_install", L"自定义安装"}, {L"btn_browser", L"浏览"}, {L"lbl_space", L"所需空间：10MB"},
      {L"chk_desktop_shortcut", L"创建桌面快捷方式"}, {L"chk_startmenu_shortcut", L"创建开始菜单快捷方式"},
      {L"chk_auto_start", L"创建开机启动项"}, {L"btn_contact", L"联系我们"}, {L"lbl_dl_precent", L"1%"},
      {L"btn_dl_pause", L"暂停"}, {L"btn_dl_resume", L"继续"}, {L"btn_dl_re-download", L"重新下载"},
      {L"btn_launch", L"立即体验"}, {L"lbl_dl_stat", L"下载中..."}, {L"lbl_inst_stat", L"安装中..."},
  };
  for (const auto& [name, text] : texts) EXPECT_EQ(Get(wnd, name)->GetText(), text) << base::WideToUtf8(name);
  EXPECT_TRUE(Get<CCheckBoxUI>(wnd, L"chk_lic")->IsSelected());
  EXPECT_FALSE(Get<CCheckBoxUI>(wnd, L"chk_custom_install")->IsSelected());
  for (auto name : {L"chk_desktop_shortcut", L"chk_startmenu_shortcut", L"chk_auto_start"}) {
    EXPECT_TRUE(Get<CCheckBoxUI>(wnd, name)->IsSelected()) << base::WideToUtf8(name);
  }
  EXPECT_FALSE(Get(wnd, L"vl_custom_install")->IsVisible());
  EXPECT_TRUE(Get<CRichEditUI>(wnd, L"edit_install_path")->IsReadOnly());
  EXPECT_TRUE(Get(wnd, L"txt_lic")->IsMouseEnabled());
}

TEST_F(SkinTest, FontsAndStylesOfTheInstallerWindow) {
  testing::TestWindow wnd(L"Xml\\inst\\wnd.xml");
  Open(wnd);
  SkinManager& pm = wnd.GetManager();
  ASSERT_EQ(pm.GetFontCount(), 7);
  EXPECT_EQ(pm.GetDefaultFontIndex(), 0);
  const int sizes[] = {12, 22, 16, 14, 20, 14, 16};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(pm.GetFontSpec(i).face, L"Microsoft YaHei") << i;
    EXPECT_EQ(pm.GetFontSpec(i).size, sizes[i]) << i;
  }
  EXPECT_EQ(pm.GetFontSpec(5).weight, 700);
  EXPECT_TRUE(pm.GetFontSpec(6).underline);

  auto* seq = Get<CFadeSequenceUI>(wnd, L"seq_introduce_check");
  EXPECT_EQ(seq->GetFixedWidth(), 767);
  EXPECT_EQ(seq->GetFixedHeight(), 398);
  EXPECT_EQ(seq->GetPadding(), (Rect{16, 12, 16, 0}));
  EXPECT_EQ(seq->GetFrameCount(), 5);
  EXPECT_EQ(seq->GetPeriod(), 3000);
  EXPECT_EQ(seq->GetBkImage().file, L"img\\inst\\seq_introduce.png");
  for (auto name : {L"seq_introduce1", L"seq_introduce2"}) {
    auto* s = Get<CFadeSequenceUI>(wnd, name);
    EXPECT_EQ(s->GetFrameCount(), 5);
    EXPECT_EQ(s->GetFixedWidth(), 767);
  }
  auto* mini = Get<CFadeSequenceUI>(wnd, L"seq_introduce0");
  EXPECT_EQ(mini->GetFrameCount(), 4);
  EXPECT_EQ(mini->GetPeriod(), 3000);
  auto* inst = Get<CSequenceUI>(wnd, L"seq_inst");
  EXPECT_EQ(inst->GetFrameCount(), 48);
  EXPECT_EQ(inst->GetPeriod(), 40);
  EXPECT_EQ(inst->GetBkColor(), 0xFFE90505u);

  // "chk_custom_install": 112 pixels, 8 states of 14 in the listed order.
  const wchar_t* states[] = {L"normal", L"hot", L"pushed", L"disabled",
                             L"selected", L"selectedhot", L"selectedpushed", L"selecteddisabled"};
  const StatusImages& images = Get(wnd, L"chk_custom_install")->GetStatusImages();
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(images.count(states[i])) << base::WideToUtf8(states[i]);
    EXPECT_EQ(images.at(states[i]).source, (Rect{14 * i, 0, 14 * i + 14, 14})) << base::WideToUtf8(states[i]);
  }

  auto* space = Get<CLabelUI>(wnd, L"lbl_space");
  EXPECT_EQ(space->GetTextColor(), 0x66000000u);
  space->SetAttribute(L"style", L"lbl_space_err");
  EXPECT_EQ(space->GetTextColor(), 0xFFE90505u);
  auto* stat = Get<CLabelUI>(wnd, L"lbl_dl_stat");
  stat->SetAttribute(L"style", L"lbl_dl_stat_err");
  EXPECT_EQ(stat->GetText(), L"下载失败");
  EXPECT_EQ(stat->GetTextColor(), 0xFFE90505u);
  auto* inststat = Get<CLabelUI>(wnd, L"lbl_inst_stat");
  inststat->SetAttribute(L"style", L"lbl_inst_stat_err");
  EXPECT_EQ(inststat->GetText(), L"安装失败");
  EXPECT_EQ(inststat->GetTextColor(), 0xFFE90505u);

  auto option = std::make_unique<COptionUI>();
  COptionUI* opt = static_cast<CContainerUI*>(Get(wnd, L"vl_models"))->AddChild(std::move(option));
  opt->SetAttribute(L"style", L"opt_model");
  EXPECT_EQ(opt->GetGroup(), L"opt_model");
  EXPECT_EQ(opt->GetFixedWidth(), 318);
  EXPECT_TRUE(opt->IsAutoHeight());
  EXPECT_TRUE(opt->IsMultiLine());
  EXPECT_TRUE(opt->IsShowHtml());
  EXPECT_EQ(opt->GetStatusImages().size(), 4u);
  EXPECT_EQ(static_cast<CContainerUI*>(Get(wnd, L"vl_models"))->GetChildPadding(), 24);
}

TEST_F(SkinTest, PagesLayOutInsideTheWindowAtTheirSizes) {
  testing::TestWindow wnd(L"Xml\\inst\\wnd.xml");
  Open(wnd);
  const Rect client = host.GetClientRect(wnd.GetHWND());
  EXPECT_EQ(client, (Rect{0, 0, 819, 574}));
  EXPECT_EQ(wnd.GetManager().Attributes().maxInfo, (Size{819, 698}));
  auto* tab = Get<CTabLayoutUI>(wnd, L"tab_main");
  ASSERT_EQ(tab->GetCount(), 4);
  EXPECT_EQ(Get<CTabLayoutUI>(wnd, L"tab_check_bottom")->GetCount(), 3);
  EXPECT_EQ(Get<CTabLayoutUI>(wnd, L"tab_bottom")->GetCount(), 3);
  EXPECT_EQ(Get<CTabLayoutUI>(wnd, L"tab_dl_op")->GetCount(), 3);

  // Every visible named control of every page and panel lies inside the window.
  auto checkInside = [&](const std::string& where) {
    wnd.GetManager().UpdateLayout(true);
    std::function<void(CControlUI*)> walk = [&](CControlUI* c) {
      if (!c->IsVisible()) return;
      if (!c->GetName().empty()) {
        const Rect& r = c->GetPos();
        EXPECT_FALSE(r.IsEmpty()) << where << " " << base::WideToUtf8(c->GetName());
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << where << " " << base::WideToUtf8(c->GetName()) << " " << r.left << "," << r.top << "," << r.right
            << "," << r.bottom;
      }
      for (int i = 0; i < c->GetChildCount(); ++i) walk(c->GetChildAt(i));
    };
    walk(wnd.GetManager().GetRoot());
  };
  for (int page = 0; page < 4; ++page) {
    tab->SelectPage(page);
    checkInside("page " + std::to_string(page));
  }
  tab->SelectPage(0);
  for (int panel = 0; panel < 3; ++panel) {
    Get<CTabLayoutUI>(wnd, L"tab_check_bottom")->SelectPage(panel);
    checkInside("check panel " + std::to_string(panel));
  }
  tab->SelectPage(3);
  for (int panel = 0; panel < 3; ++panel) {
    Get<CTabLayoutUI>(wnd, L"tab_bottom")->SelectPage(panel);
    checkInside("progress panel " + std::to_string(panel));
    for (int op = 0; op < 3; ++op) {
      Get<CTabLayoutUI>(wnd, L"tab_dl_op")->SelectPage(op);
      checkInside("download button " + std::to_string(op));
    }
  }

  // The sizes the pages give.
  tab->SelectPage(0);
  wnd.GetManager().UpdateLayout(true);
  EXPECT_EQ(Pos(wnd, L"seq_introduce_check").Width(), 767);
  EXPECT_EQ(Pos(wnd, L"seq_introduce_check").Height(), 398);
  EXPECT_EQ(Pos(wnd, L"btn_close").Width(), 24);
  EXPECT_EQ(Pos(wnd, L"btn_close").Height(), 24);
  tab->SelectPage(1);
  EXPECT_EQ(Pos(wnd, L"seq_introduce0").Width(), 330);
  EXPECT_EQ(Pos(wnd, L"seq_introduce0").Height(), 350);
  EXPECT_EQ(Pos(wnd, L"btn_go_step1").Width(), 152);
  tab->SelectPage(3);
  Get<CTabLayoutUI>(wnd, L"tab_bottom")->SelectPage(0);
  EXPECT_EQ(Pos(wnd, L"prog_download").Height(), 12);
  EXPECT_EQ(Pos(wnd, L"lbl_dl_precent").Width(), 50);
  EXPECT_EQ(Pos(wnd, L"tab_dl_op").Width(), 88);
  EXPECT_EQ(Pos(wnd, L"tab_dl_op").Height(), 30);
  Get<CTabLayoutUI>(wnd, L"tab_bottom")->SelectPage(1);
  EXPECT_EQ(Pos(wnd, L"seq_inst").Width(), 767);
  EXPECT_EQ(Pos(wnd, L"seq_inst").Height(), 12);
  Get<CTabLayoutUI>(wnd, L"tab_bottom")->SelectPage(2);
  EXPECT_EQ(Pos(wnd, L"btn_launch").Width(), 228);
  EXPECT_EQ(Pos(wnd, L"btn_launch").Height(), 62);

  // The custom panel opened: the window at its maximum size with the larger
  // background; everything still fits.
  tab->SelectPage(2);
  Get(wnd, L"vl_custom_install")->SetVisible(true);
  wnd.ResizeClient(819, 698);
  wnd.GetManager().GetRoot()->SetAttribute(L"style", L"bg_dropdown");
  const Rect expanded = host.GetClientRect(wnd.GetHWND());
  EXPECT_EQ(expanded, (Rect{0, 0, 819, 698}));
  wnd.GetManager().UpdateLayout(true);
  EXPECT_LE(Pos(wnd, L"chk_auto_start").bottom, 698);
  EXPECT_GT(Pos(wnd, L"edit_install_path").top, Pos(wnd, L"chk_custom_install").bottom);
  EXPECT_EQ(Pos(wnd, L"edit_install_path").Width(), 573);
}

TEST_F(SkinTest, MessageBoxLayout) {
  testing::TestWindow box(L"xml\\msgbox.xml");
  Open(box);
  EXPECT_EQ(host.GetClientRect(box.GetHWND()), (Rect{0, 0, 333, 203}));
  EXPECT_FALSE(Get(box, L"lbl_caption")->IsVisible());
  EXPECT_FALSE(Get(box, L"lbl_text")->IsVisible());
  EXPECT_FALSE(Get(box, L"btn0")->IsVisible());
  EXPECT_FALSE(Get(box, L"btn1")->IsVisible());
  EXPECT_FALSE(Get(box, L"btn_close")->IsEnabled());
  EXPECT_EQ(Pos(box, L"btn_close").Width(), 24);
  // The exit question's buttons: at least 60 wide, 36 apart, centred.
  Get(box, L"btn0")->SetText(L"确认");
  Get(box, L"btn1")->SetText(L"取消");
  Get(box, L"btn0")->SetVisible(true);
  Get(box, L"btn1")->SetVisible(true);
  Get(box, L"lbl_text")->SetText(L"您确定退出应用安装程序？");
  Get(box, L"lbl_text")->SetVisible(true);
  box.GetManager().UpdateLayout(true);
  const Rect b0 = Pos(box, L"btn0"), b1 = Pos(box, L"btn1");
  EXPECT_GE(b0.Width(), 60);
  EXPECT_EQ(b1.left - b0.right, 36);
  EXPECT_NEAR((b0.left + b1.right) / 2, 333 / 2, 1);
  EXPECT_FALSE(Pos(box, L"lbl_text").IsEmpty());
}

}  // namespace
}  // namespace SkinUI
