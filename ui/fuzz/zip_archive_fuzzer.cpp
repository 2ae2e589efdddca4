// Fuzzes the package reader twice per input: the bytes as an archive, and a
// well-formed archive made from the bytes with some of its bytes overwritten
// at positions the input chooses, so that damage reaches every header field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/package/zip_archive.h"
#include "ui/testing/zip_writer.h"

namespace {

void ReadAll(const std::vector<uint8_t>& bytes) {
  SkinUI::ZipArchive zip(bytes);
  for (size_t i = 0; i < zip.Entries().size(); ++i) zip.Read(i);
  zip.ReadFile("xml/inst/wnd.xml");
  zip.ReadFile("XML\\Inst\\WND.XML");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadAll(std::vector<uint8_t>(data, data + size));

  const std::string input(reinterpret_cast<const char*>(data), size);
  SkinUI::testing::ZipWriter writer;
  writer.Add("xml/inst/wnd.xml", input);
  writer.Add("img/a.png", input.substr(0, input.size() / 2), /*deflate=*/false);
  std::vector<uint8_t> zip = writer.Finish();
  // Each (position, value) pair from the input's head patches the archive.
  for (size_t i = 0; i + 2 < size && i < 24; i += 3) {
    size_t pos = (static_cast<size_t>(data[i]) << 8 | data[i + 1]) % zip.size();
    zip[pos] = data[i + 2];
  }
  ReadAll(zip);
  return 0;
}
