#pragma once
// A read-only zip archive held in memory: the central directory is read once,
// entries are inflated on demand. Only stored and deflated entries are read;
// anything else (encryption, zip64, other methods) reads as nothing.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace SkinUI {

class ZipArchive {
 public:
  struct Entry {
    std::string name;  // as stored: bytes of the archive's name field
    uint16_t method = 0;
    uint16_t flags = 0;
    uint32_t crc32 = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    uint32_t localHeaderOffset = 0;
  };

  // Largest entry this reader inflates; a bigger declared size reads as nothing.
  static constexpr uint32_t kMaxEntrySize = 64u << 20;
  // Requested paths this long or longer are never found.
  static constexpr size_t kMaxPathLength = 256;

  ZipArchive() = default;
  // Copies `bytes`. A corrupt or truncated archive gives an archive with no
  // entries (IsValid false).
  explicit ZipArchive(std::span<const uint8_t> bytes);

  bool IsValid() const { return valid_; }
  size_t ByteSize() const { return bytes_.size(); }
  const std::vector<Entry>& Entries() const { return entries_; }

  // Index of the first entry, in archive order, whose name equals `path`
  // ASCII-case-insensitively after every '\' in `path` became '/'.
  std::optional<size_t> Find(std::string_view path) const;
  // The inflated bytes of an entry, or nothing when its data is damaged
  // (bad local header, inflation error, size or CRC mismatch).
  std::optional<std::vector<uint8_t>> Read(size_t index) const;
  // Find, then Read.
  std::optional<std::vector<uint8_t>> ReadFile(std::string_view path) const;

 private:
  bool ParseCentralDirectory();

  std::vector<uint8_t> bytes_;
  std::vector<Entry> entries_;
  bool valid_ = false;
};

}  // namespace SkinUI
