#pragma once
// Writes zip archives in memory, for test fixtures and fuzz seeds: each entry
// deflated (or stored), with a central directory in the order added.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace SkinUI::testing {

class ZipWriter {
 public:
  void Add(std::string_view name, std::string_view content, bool deflate = true);
  std::vector<uint8_t> Finish() const;

 private:
  struct Entry {
    std::string name;
    std::string content;
    bool deflate;
  };
  std::vector<Entry> entries_;
};

// A package of the given files, all deflated.
std::vector<uint8_t> MakeZip(const std::vector<std::pair<std::string, std::string>>& files);

// The bytes of a minimal PNG header of the given size (enough for the
// headless renderer, which reads only the header).
std::string FakePng(int32_t width, int32_t height, bool alpha = true);

}  // namespace SkinUI::testing
