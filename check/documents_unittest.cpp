#include "check/documents.h"

#include <gtest/gtest.h>

namespace {

const char* kGoodModel =
    R"({"title":"标准版","cpu":["i7"],"graphic":["rtx"],"memory":17179869184,"download_config":"http://h/c"})";

std::string Requires(const std::string& elements) { return R"({"requires":[)" + elements + "]}"; }

TEST(RequirementsDocumentTest, ReadsVariantsInOrder) {
  const auto models = ParseRequirements(
      "\xEF\xBB\xBF" + Requires(std::string(kGoodModel) +
                                R"(,{"title":"B","memory":8.9,"download_config":"x","extra":1})"));
  ASSERT_EQ(models.size(), 2u);
  EXPECT_EQ(models[0].title, L"标准版");
  EXPECT_EQ(models[0].cpu, std::vector<std::wstring>{L"i7"});
  EXPECT_EQ(models[0].memory, 17179869184ull);
  EXPECT_EQ(models[0].download_config, L"http://h/c");
  EXPECT_FALSE(models[1].cpu.has_value());
  EXPECT_FALSE(models[1].graphic.has_value());
  EXPECT_EQ(models[1].memory, 8u);  // fraction truncated
  EXPECT_TRUE(ParseRequirements(R"({"requires":[], "other": true})").empty());
}

TEST(RequirementsDocumentTest, RejectsWholeDocument) {
  const std::string bad[] = {
      "",
      "[]",
      R"({"other":[]})",
      R"({"requires":{}})",
      Requires(R"({"cpu":["i7"],"memory":1,"download_config":"x"})"),               // no title
      Requires(R"({"title":"A","download_config":"x"})"),                            // no memory
      Requires(R"({"title":"A","memory":1})"),                                       // no address
      Requires(R"({"title":"A","cpu":null,"memory":1,"download_config":"x"})"),     // null optional
      Requires(R"({"title":"A","cpu":"i7","memory":1,"download_config":"x"})"),     // string, not array
      Requires(R"({"title":"A","graphic":[1],"memory":1,"download_config":"x"})"),  // not strings
      Requires(R"({"title":"A","memory":"1","download_config":"x"})"),              // string number
      Requires(R"({"title":"A","memory":true,"download_config":"x"})"),
      Requires(std::string(kGoodModel) + ",7"),                                     // one bad element
      Requires(kGoodModel) + " x",                                                  // trailing text
      "/* c */" + Requires(kGoodModel),                                             // comment
      Requires(R"({"title":"A","memory":1e300,"download_config":"x"})"),            // out of range
      "{\"requires\":[{\"title\":\"\xC3\",\"memory\":1,\"download_config\":\"x\"}]}",  // bad UTF-8
  };
  for (const std::string& doc : bad) EXPECT_ANY_THROW(ParseRequirements(doc)) << doc;
}

std::string App(const std::string& inner) { return R"({"app":{)" + inner + "}}"; }
const std::string kInstaller =
    R"("installer":{"name":"setup.exe","url":"http://h/setup.exe","size":2048.9,"md5":"ABCDEF0123456789abcdef0123456789"})";

TEST(ConfigDocumentTest, ReadsRecord) {
  const AppConfig c = ParseAppConfig(App(R"("space_req":1073741824,"main_exe":"bin\\QIRA.exe",)" +
                                         kInstaller + R"(,"args":"","deps":[])"));
  EXPECT_EQ(c.space_req, 1073741824u);
  EXPECT_EQ(c.main_exe, L"bin\\QIRA.exe");
  ASSERT_TRUE(c.args.has_value());
  EXPECT_EQ(*c.args, L"");
  EXPECT_EQ(c.installer.name, L"setup.exe");
  EXPECT_EQ(c.installer.size, 2048u);
  EXPECT_EQ(c.installer.md5, "ABCDEF0123456789abcdef0123456789");  // as received
  ASSERT_TRUE(c.deps.has_value());
  EXPECT_TRUE(c.deps->empty());

  const AppConfig bare = ParseAppConfig(App(R"("space_req":1,"main_exe":"a.exe",)" + kInstaller));
  EXPECT_FALSE(bare.args.has_value());
  EXPECT_FALSE(bare.deps.has_value());
}

TEST(ConfigDocumentTest, RejectsWholeDocument) {
  const std::string head = R"("space_req":1,"main_exe":"a.exe",)";
  auto file = [](const std::string& name) {
    return R"({"name":")" + name + R"(","url":"u","size":1,"md5":"m"})";
  };
  const std::string bad[] = {
      R"({"app":[]})",
      App(R"("space_req":1,"main_exe":"a.exe")"),                     // no installer
      App(R"("main_exe":"a.exe",)" + kInstaller),                     // no space_req
      App(head + kInstaller + R"(,"args":null)"),
      App(head + kInstaller + R"(,"deps":{})"),
      App(head + kInstaller + R"(,"deps":[{"name":"a","url":"u","size":"1","md5":"m"}])"),
      App(head + R"("installer":{"name":"a","url":"u","size":1})"),  // no md5
      App(head + kInstaller) + "{}",
      // Names that would leave the download folder.
      App(head + R"("installer":)" + file("")),
      App(head + R"("installer":)" + file("..")),
      App(head + R"("installer":)" + file("..\\\\x.exe")),
      App(head + R"("installer":)" + file("sub/x.exe")),
      App(head + R"("installer":)" + file("C:x.exe")),
      App(head + kInstaller + R"(,"deps":[)" + file("\\\\server\\\\x.dll") + "]"),
      // Programs outside the install folder.
      App(R"("space_req":1,"main_exe":"C:\\Windows\\calc.exe",)" + kInstaller),
      App(R"("space_req":1,"main_exe":"\\x.exe",)" + kInstaller),
      App(R"("space_req":1,"main_exe":"bin\\..\\..\\x.exe",)" + kInstaller),
      App(R"("space_req":1,"main_exe":"../x.exe",)" + kInstaller),
  };
  for (const std::string& doc : bad) EXPECT_ANY_THROW(ParseAppConfig(doc)) << doc;
  // Dots inside names are fine.
  EXPECT_NO_THROW(ParseAppConfig(App(std::string(R"("space_req":1,"main_exe":"bin\\x..y.exe",)") +
                                     R"("installer":)" + file("a..b.exe"))));
}

}  // namespace
