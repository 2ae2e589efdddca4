#include "common/base/path.h"

#include <gtest/gtest.h>

namespace base {
namespace {

TEST(PathTest, RemoveFileSpec) {
  struct Case { const wchar_t* in; const wchar_t* out; bool changed; };
  const Case cases[] = {
      {L"C:\\QIRA\\setup.exe", L"C:\\QIRA", true},
      {L"C:\\setup.exe", L"C:\\", true},
      {L"C:\\", L"C:\\", false},
      {L"setup.exe", L"", true},
      {L"\\\\server\\share\\a", L"\\\\server\\share", true},
  };
  for (const Case& c : cases) {
    std::wstring p = c.in;
    EXPECT_EQ(RemoveFileSpec(p), c.changed) << c.in;
    EXPECT_EQ(p, c.out) << c.in;
  }
}

TEST(PathTest, AppendAndCombine) {
  std::wstring p = L"C:\\QIRA";
  EXPECT_TRUE(Append(p, L"log\\setup.exe.log"));
  EXPECT_EQ(p, L"C:\\QIRA\\log\\setup.exe.log");
  p = L"C:\\QIRA\\";
  EXPECT_TRUE(Append(p, L"\\bin"));
  EXPECT_EQ(p, L"C:\\QIRA\\bin");

  std::wstring out;
  EXPECT_TRUE(Combine(out, L"D:\\QIRA_tmp", L"setup.exe"));
  EXPECT_EQ(out, L"D:\\QIRA_tmp\\setup.exe");
  EXPECT_TRUE(Combine(out, L"D:\\QIRA_tmp", L"..\\x.exe"));
  EXPECT_EQ(out, L"D:\\x.exe");
  EXPECT_TRUE(Combine(out, L"D:\\QIRA_tmp", L"E:\\y.exe"));
  EXPECT_EQ(out, L"E:\\y.exe");
  EXPECT_TRUE(Combine(out, L"D:\\QIRA_tmp\\sub", L"\\z.exe"));
  EXPECT_EQ(out, L"D:\\z.exe");
}

TEST(PathTest, LongInputIsCutAndOverflowFails) {
  const std::wstring dir = L"C:\\" + std::wstring(300, L'a');
  std::wstring out;
  EXPECT_FALSE(Combine(out, dir, L"b"));
  EXPECT_EQ(out, L"");
  std::wstring q = std::wstring(270, L'x');
  QuoteSpaces(q);
  EXPECT_EQ(q.size(), kMaxPath);
}

TEST(PathTest, QuoteStripFind) {
  std::wstring p = L"C:\\Program Files\\QIRA\\a.exe";
  QuoteSpaces(p);
  EXPECT_EQ(p, L"\"C:\\Program Files\\QIRA\\a.exe\"");
  p = L"C:\\QIRA\\a.exe";
  QuoteSpaces(p);
  EXPECT_EQ(p, L"C:\\QIRA\\a.exe");

  p = L"D:\\QIRA\\x\\y";
  EXPECT_TRUE(StripToRoot(p));
  EXPECT_EQ(p, L"D:\\");

  EXPECT_EQ(FindFileName(L"C:\\QIRA\\QIRASetup_b12348.exe"), L"QIRASetup_b12348.exe");
  EXPECT_EQ(FindFileName(L"setup.exe"), L"setup.exe");
  EXPECT_EQ(FindFileName(L"C:\\QIRA\\"), L"QIRA\\");
}

}  // namespace
}  // namespace base
