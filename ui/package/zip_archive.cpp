#include "ui/package/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace SkinUI {
namespace {

constexpr uint32_t kEndOfCentralDirSig = 0x06054b50;
constexpr uint32_t kCentralHeaderSig = 0x02014b50;
constexpr uint32_t kLocalHeaderSig = 0x04034b50;
constexpr size_t kEndOfCentralDirSize = 22;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxCommentSize = 0xFFFF;

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool SameName(std::string_view entry, std::string_view wanted) {
  if (entry.size() != wanted.size()) return false;
  for (size_t i = 0; i < entry.size(); ++i) {
    char w = wanted[i] == '\\' ? '/' : wanted[i];
    if (FoldAscii(entry[i]) != FoldAscii(w)) return false;
  }
  return true;
}

bool Inflate(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  z_stream zs;
  std::memset(&zs, 0, sizeof(zs));
  if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(data);
  zs.avail_in = static_cast<uInt>(size);
  // One spare byte, so that data longer than declared is caught as an error
  // and an empty entry still has an output buffer.
  out.resize(out.size() + 1);
  zs.next_out = out.data();
  zs.avail_out = static_cast<uInt>(out.size());
  int rc = inflate(&zs, Z_FINISH);
  out.pop_back();
  bool ok = rc == Z_STREAM_END && zs.total_out == out.size();
  inflateEnd(&zs);
  return ok;
}

}  // namespace

ZipArchive::ZipArchive(std::span<const uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {
  valid_ = ParseCentralDirectory();
  if (!valid_) entries_.clear();
}

bool ZipArchive::ParseCentralDirectory() {
  const size_t n = bytes_.size();
  if (n < kEndOfCentralDirSize) return false;
  const uint8_t* base = bytes_.data();
  // The end record sits within the last 22 + 65535 bytes; take the last one
  // whose comment length reaches exactly to the end of the data.
  size_t lowest = n - kEndOfCentralDirSize > kMaxCommentSize ? n - kEndOfCentralDirSize - kMaxCommentSize : 0;
  size_t eocd = SIZE_MAX;
  for (size_t pos = n - kEndOfCentralDirSize + 1; pos-- > lowest;) {
    if (Get32(base + pos) == kEndOfCentralDirSig &&
        pos + kEndOfCentralDirSize + Get16(base + pos + 20) == n) {
      eocd = pos;
      break;
    }
  }
  if (eocd == SIZE_MAX) return false;
  const uint8_t* e = base + eocd;
  if (Get16(e + 4) != 0 || Get16(e + 6) != 0) return false;  // multi-disk archives
  const uint16_t count = Get16(e + 10);
  if (Get16(e + 8) != count) return false;
  const uint32_t cdSize = Get32(e + 12);
  const uint32_t cdOffset = Get32(e + 16);
  if (cdOffset > eocd || cdSize > eocd - cdOffset) return false;

  size_t pos = cdOffset;
  const size_t cdEnd = static_cast<size_t>(cdOffset) + cdSize;
  entries_.reserve(count);
  for (uint16_t i = 0; i < count; ++i) {
    if (cdEnd - pos < kCentralHeaderSize) return false;
    const uint8_t* h = base + pos;
    if (Get32(h) != kCentralHeaderSig) return false;
    const size_t nameLen = Get16(h + 28);
    const size_t extraLen = Get16(h + 30);
    const size_t commentLen = Get16(h + 32);
    const size_t recordSize = kCentralHeaderSize + nameLen + extraLen + commentLen;
    if (cdEnd - pos < recordSize) return false;
    Entry entry;
    entry.flags = Get16(h + 8);
    entry.method = Get16(h + 10);
    entry.crc32 = Get32(h + 16);
    entry.compressedSize = Get32(h + 20);
    entry.size = Get32(h + 24);
    entry.localHeaderOffset = Get32(h + 42);
    entry.name.assign(reinterpret_cast<const char*>(h + kCentralHeaderSize), nameLen);
    entries_.push_back(std::move(entry));
    pos += recordSize;
  }
  return true;
}

std::optional<size_t> ZipArchive::Find(std::string_view path) const {
  if (path.size() >= kMaxPathLength) return std::nullopt;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (SameName(entries_[i].name, path)) return i;
  }
  return std::nullopt;
}

std::optional<std::vector<uint8_t>> ZipArchive::Read(size_t index) const {
  if (index >= entries_.size()) return std::nullopt;
  const Entry& entry = entries_[index];
  if (entry.flags & 0x0001) return std::nullopt;  // encrypted
  if (entry.size > kMaxEntrySize) return std::nullopt;
  const size_t n = bytes_.size();
  const size_t local = entry.localHeaderOffset;
  if (local > n || n - local < kLocalHeaderSize) return std::nullopt;
  const uint8_t* h = bytes_.data() + local;
  if (Get32(h) != kLocalHeaderSig) return std::nullopt;
  const size_t dataStart = local + kLocalHeaderSize + Get16(h + 26) + Get16(h + 28);
  if (dataStart > n || n - dataStart < entry.compressedSize) return std::nullopt;
  const uint8_t* data = bytes_.data() + dataStart;

  std::vector<uint8_t> out(entry.size);
  if (entry.method == 0) {
    if (entry.compressedSize != entry.size) return std::nullopt;
    std::copy(data, data + entry.size, out.begin());
  } else if (entry.method == 8) {
    if (!Inflate(data, entry.compressedSize, out)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, out.data(), static_cast<uInt>(out.size()));
  if (static_cast<uint32_t>(crc) != entry.crc32) return std::nullopt;
  return out;
}

std::optional<std::vector<uint8_t>> ZipArchive::ReadFile(std::string_view path) const {
  auto index = Find(path);
  if (!index) return std::nullopt;
  return Read(*index);
}

}  // namespace SkinUI
