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

// Combine over absolute paths, against the shell's results: ".." stops at the
// root (for UNC paths the server), a bare drive gains its separator.
TEST(PathTest, CombineTable) {
  struct Case { const wchar_t* dir; const wchar_t* file; const wchar_t* out; };
  const Case cases[] = {
      {L"C:\\a\\", L"b", L"C:\\a\\b"},
      {L"C:\\a", L"..\\..\\..\\b", L"C:\\b"},
      {L"C:\\a\\b\\..", L"", L"C:\\a"},
      {L"C:\\a", L".\\b\\..\\c", L"C:\\a\\c"},
      {L"C:\\a", L"b\\", L"C:\\a\\b\\"},
      {L"C:", L"", L"C:\\"},
      {L"C:", L"b", L"C:\\b"},
      {L"C:\\a", L"\\\\s\\x", L"\\\\s\\x"},
      {L"\\\\srv\\share", L"..\\b", L"\\\\srv\\b"},
      {L"\\\\srv\\share", L"..", L"\\\\srv"},
      {L"\\\\srv", L"..\\b", L"\\\\srv\\b"},
      {L"\\\\srv\\share\\a\\b", L"..", L"\\\\srv\\share\\a"},
      {L"\\\\srv\\share\\a", L"\\b", L"\\\\srv\\share\\b"},
  };
  for (const Case& c : cases) {
    std::wstring out;
    EXPECT_TRUE(Combine(out, c.dir, c.file)) << c.dir << L" + " << c.file;
    EXPECT_EQ(out, c.out) << c.dir << L" + " << c.file;
  }
}

// The results fit the 260-character buffer with its terminator: at most 259
// characters, and quotes are added only when they fit as well.
TEST(PathTest, LengthLimits) {
  const auto drivePath = [](size_t length) { return L"C:\\" + std::wstring(length - 3, L'x'); };
  std::wstring out;
  EXPECT_TRUE(Combine(out, drivePath(261), L""));
  EXPECT_EQ(out, drivePath(259));
  EXPECT_TRUE(Combine(out, drivePath(256), L"yz"));
  EXPECT_EQ(out.size(), 259u);
  EXPECT_FALSE(Combine(out, drivePath(257), L"yz"));
  std::wstring p = drivePath(257);
  EXPECT_TRUE(Append(p, L"y"));
  EXPECT_EQ(p.size(), 259u);
  p = drivePath(258);
  EXPECT_FALSE(Append(p, L"y"));
  EXPECT_EQ(p, L"");

  for (size_t length : {256u, 257u}) {
    std::wstring q = drivePath(length);
    q[5] = L' ';
    QuoteSpaces(q);
    EXPECT_EQ(q.size(), length == 256 ? 258u : 257u) << length;
  }
  p = drivePath(260) + L"\\f";  // cut to 260 first: "\\f" is gone
  EXPECT_TRUE(RemoveFileSpec(p));
  EXPECT_EQ(p, L"C:\\");
  EXPECT_EQ(FindFileName(drivePath(257) + L"\\fgh"), L"fg");
}

TEST(PathTest, RootsAndLastComponents) {
  struct Case { const wchar_t* in; const wchar_t* root; const wchar_t* withoutSpec; const wchar_t* name; };
  const Case cases[] = {
      {L"C:\\a\\b.exe", L"C:\\", L"C:\\a", L"b.exe"},
      {L"C:\\a\\", L"C:\\", L"C:\\a", L"a\\"},
      {L"C:\\", L"C:\\", L"C:\\", L"C:\\"},
      {L"C:", L"C:", L"C:", L"C:"},
      {L"\\\\srv\\share\\a\\b", L"\\\\srv\\share", L"\\\\srv\\share\\a", L"b"},
      {L"\\\\srv\\share", L"\\\\srv\\share", L"\\\\srv", L"share"},
      {L"\\a\\b", L"\\", L"\\a", L"b"},
      {L"a\\b", L"", L"a", L"b"},
  };
  for (const Case& c : cases) {
    std::wstring p = c.in;
    StripToRoot(p);
    EXPECT_EQ(p, c.root) << c.in;
    p = c.in;
    RemoveFileSpec(p);
    EXPECT_EQ(p, c.withoutSpec) << c.in;
    EXPECT_EQ(FindFileName(c.in), c.name) << c.in;
  }
}

}  // namespace
}  // namespace base
