// Fuzzes the markup reader: any bytes must give a tree or one of the reader's
// messages, without crashing or reading out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/markup/markup_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SkinUI::MarkupResult result = SkinUI::ReadMarkup(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!result.root && result.error.empty()) __builtin_trap();  // a failure always says why
  return 0;
}
