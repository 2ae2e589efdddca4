#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "common/base/hash_algorithm.h"
#include "common/base/win_exception.h"

namespace VaroBase {
namespace {

// The report of a real failing platform call, field by field.
TEST(WinExceptionTest, ReportOfARealFailingCall) {
  HashProv none;  // no provider: the platform refuses to create a hash from it
  Hash hash;
  try {
    hash.Create(none);
    FAIL() << "Create from no provider succeeded";
  } catch (const std::exception& e) {  // caught as the standard base
    const std::string text = e.what();
    const std::regex layout(
        "Throw win_exception at \n"
        "File:([^\n]*hash_algorithm_(win|linux)\\.cpp)\n"
        "Line:([0-9]+)\n"
        "Function:VaroBase::Hash::Create\n"
        "Message:CryptCreateHash failed\\.\n"
        "LastError:([0-9]+)\n"
        "Description:([\\s\\S]*)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(text, m, layout)) << text;
    EXPECT_GT(std::stoul(m[3]), 0u);
    const uint32_t code = static_cast<uint32_t>(std::stoul(m[4]));
    EXPECT_NE(code, 0u) << "the failed call's error code was not captured";
    EXPECT_EQ(m[5].str(), SystemErrorDescription(code));
    ASSERT_NE(dynamic_cast<const win_exception*>(&e), nullptr);
  }
}

TEST(WinExceptionTest, TextIsBuiltFromItsParts) {
  const win_exception e("src/x.cpp", 42, "VaroBase::Op", L"Op failed.", 2);
  const std::string description = SystemErrorDescription(2);
  EXPECT_FALSE(description.empty());
  EXPECT_EQ(description.back(), '\n');  // the system text is kept as returned
  EXPECT_EQ(std::string(e.what()),
            "Throw win_exception at \nFile:src/x.cpp\nLine:42\nFunction:VaroBase::Op\n"
            "Message:Op failed.\nLastError:2\nDescription:" + description);
}

TEST(WinExceptionTest, UnknownCodeHasAnEmptyDescription) {
  EXPECT_EQ(SystemErrorDescription(0x7FFFFFF0u), "");
  const win_exception e("f", 1, "g", L"", 0x7FFFFFF0u);
  const std::string text = e.what();
  EXPECT_TRUE(text.ends_with("\nLastError:2147483632\nDescription:")) << text;
}

}  // namespace
}  // namespace VaroBase
