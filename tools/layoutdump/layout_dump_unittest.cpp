#include "tools/layoutdump/layout_dump.h"

#include <gtest/gtest.h>

#include "ui/markup/markup_builder.h"
#include "ui/platform/recording_renderer.h"
#include "ui/testing/skin_test_util.h"

namespace layoutdump {
namespace {

TEST(LayoutDumpTest, StepsSelectPagesAndTheDumpListsNamedControlsInOrder) {
  SkinUI::testing::UsePackage({{"xml/w.xml", R"(<Window size="200,100"><VerticalLayout name="root">
      <TabLayout name="tab"><Label name="p0" text="zero"/><Button name="p1" text="一" enable="false"/></TabLayout>
      <Control/><Label name="x" height="10"/></VerticalLayout></Window>)"}});
  SkinUI::RecordingRenderer renderer;
  SkinUI::SkinManager pm;
  pm.SetRenderer(&renderer);
  pm.AttachDialog(SkinUI::CMarkupBuilder().BuildRoot(L"xml/w.xml", pm));

  Step select, hide, bad;
  ASSERT_TRUE(ParseStep("tab=1", select));
  ASSERT_TRUE(ParseStep("-x", hide));
  EXPECT_FALSE(ParseStep("tab=", bad));
  EXPECT_FALSE(ParseStep("tab=1a", bad));
  EXPECT_FALSE(ParseStep("tab", bad));
  Step missing{Step::Kind::kSelectPage, L"nothing", 0}, notTab{Step::Kind::kSelectPage, L"x", 0},
      outOfRange{Step::Kind::kSelectPage, L"tab", 5};
  auto failed = ApplySteps(pm, {select, hide, missing, notTab, outOfRange});
  EXPECT_EQ(failed, (std::vector<std::string>{"nothing", "x", "tab"}));

  nlohmann::json dump = DumpControls(pm);
  ASSERT_EQ(dump.size(), 5u);
  std::vector<std::string> names;
  for (auto& c : dump) names.push_back(c["name"]);
  EXPECT_EQ(names, (std::vector<std::string>{"root", "tab", "p0", "p1", "x"}));
  EXPECT_EQ(dump[3]["class"], "ButtonUI");
  EXPECT_EQ(dump[3]["visible"], true);
  EXPECT_EQ(dump[3]["enabled"], false);
  EXPECT_EQ(dump[3]["text"], "一");
  EXPECT_EQ(dump[3]["rect"], nlohmann::json::array({0, 0, 200, 50}));
  EXPECT_EQ(dump[2]["visible"], false);
  EXPECT_EQ(dump[4]["selfVisible"], false);
}

}  // namespace
}  // namespace layoutdump
