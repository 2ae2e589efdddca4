#include "ui/testing/zip_writer.h"

#include <zlib.h>

#include <cstring>

namespace SkinUI::testing {
namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutBe32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

std::string RawDeflate(std::string_view data) {
  z_stream zs;
  std::memset(&zs, 0, sizeof(zs));
  deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, static_cast<uLong>(data.size())) + 16, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  zs.avail_in = static_cast<uInt>(data.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = static_cast<uInt>(out.size());
  deflate(&zs, Z_FINISH);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

}  // namespace

void ZipWriter::Add(std::string_view name, std::string_view content, bool deflate) {
  entries_.push_back({std::string(name), std::string(content), deflate});
}

std::vector<uint8_t> ZipWriter::Finish() const {
  std::vector<uint8_t> out;
  std::vector<uint8_t> central;
  for (const Entry& e : entries_) {
    const std::string data = e.deflate ? RawDeflate(e.content) : e.content;
    const uint32_t crc = static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(e.content.data()), static_cast<uInt>(e.content.size())));
    const uint32_t offset = static_cast<uint32_t>(out.size());
    const uint16_t method = e.deflate ? 8 : 0;
    Put32(out, 0x04034b50);
    Put16(out, 20);
    Put16(out, 0);
    Put16(out, method);
    Put16(out, 0);
    Put16(out, 0x21);
    Put32(out, crc);
    Put32(out, static_cast<uint32_t>(data.size()));
    Put32(out, static_cast<uint32_t>(e.content.size()));
    Put16(out, static_cast<uint32_t>(e.name.size()));
    Put16(out, 0);
    out.insert(out.end(), e.name.begin(), e.name.end());
    out.insert(out.end(), data.begin(), data.end());

    Put32(central, 0x02014b50);
    Put16(central, 20);
    Put16(central, 20);
    Put16(central, 0);
    Put16(central, method);
    Put16(central, 0);
    Put16(central, 0x21);
    Put32(central, crc);
    Put32(central, static_cast<uint32_t>(data.size()));
    Put32(central, static_cast<uint32_t>(e.content.size()));
    Put16(central, static_cast<uint32_t>(e.name.size()));
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, 0);
    Put16(central, 0);
    Put32(central, 0);
    Put32(central, offset);
    central.insert(central.end(), e.name.begin(), e.name.end());
  }
  const uint32_t cdOffset = static_cast<uint32_t>(out.size());
  out.insert(out.end(), central.begin(), central.end());
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(entries_.size()));
  Put16(out, static_cast<uint32_t>(entries_.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, cdOffset);
  Put16(out, 0);
  return out;
}

std::vector<uint8_t> MakeZip(const std::vector<std::pair<std::string, std::string>>& files) {
  ZipWriter writer;
  for (const auto& [name, content] : files) writer.Add(name, content);
  return writer.Finish();
}

std::string FakePng(int32_t width, int32_t height, bool alpha) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  PutBe32(png, 13);
  png += "IHDR";
  PutBe32(png, static_cast<uint32_t>(width));
  PutBe32(png, static_cast<uint32_t>(height));
  png.push_back(8);                        // bit depth
  png.push_back(alpha ? 6 : 2);            // colour type
  png.append(3, '\0');                     // compression, filter, interlace
  PutBe32(png, 0);                         // CRC (not checked by the header reader)
  return png;
}

}  // namespace SkinUI::testing
