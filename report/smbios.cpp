#include "report/smbios.h"

namespace identity {
namespace {

constexpr uint8_t kSystemType = 1;
constexpr uint8_t kEnclosureType = 3;
constexpr size_t kHeaderSize = 4;  // type, length, handle
constexpr size_t kMinSystemCopy = 27;
constexpr size_t kMinEnclosureCopy = 9;

// Index just past the double NUL that ends the string set starting at `from`,
// or 0 when there is none before `size`.
size_t EndOfStrings(const uint8_t* data, size_t size, size_t from) {
  for (size_t i = from; i + 1 < size; ++i)
    if (data[i] == 0 && data[i + 1] == 0) return i + 2;
  return 0;
}

// The string whose number is at byte `offset` of the formatted area.
std::string StringAt(const std::vector<uint8_t>& structure, size_t offset) {
  return offset < structure.size() ? SmbiosString(structure, structure[offset]) : std::string();
}

}  // namespace

SmbiosStructures WalkSmbiosTable(const uint8_t* data, size_t size) {
  SmbiosStructures kept;
  size_t pos = 0;
  while (pos + 1 < size) {
    const uint8_t type = data[pos];
    const size_t length = data[pos + 1];
    if (length < kHeaderSize || pos + length >= size) break;
    const size_t end = EndOfStrings(data, size, pos + length);
    if (end == 0) break;
    std::vector<uint8_t>* slot = type == kSystemType      ? &kept.system
                                 : type == kEnclosureType ? &kept.enclosure
                                                          : nullptr;
    if (slot && slot->empty()) slot->assign(data + pos, data + end);
    pos = end;
  }
  return kept;
}

std::string SmbiosString(const std::vector<uint8_t>& structure, uint8_t number) {
  if (number == 0 || structure.size() < 2) return {};
  size_t pos = structure[1];
  for (uint8_t n = 1; pos < structure.size(); ++n) {
    size_t end = pos;
    while (end < structure.size() && structure[end] != 0) ++end;
    if (end == pos) return {};  // the empty string that ends the set
    if (n == number) return std::string(structure.begin() + pos, structure.begin() + end);
    pos = end + 1;
  }
  return {};
}

const char* ChassisKindName(uint8_t chassisType) {
  return chassisType == 10 || chassisType == 14 ? "NoteBook" : "Desktop";
}

std::string SmbiosText(const std::vector<uint8_t>& table) {
  const SmbiosStructures kept = WalkSmbiosTable(table.data(), table.size());
  std::string text;
  const std::vector<uint8_t>& enclosure = kept.enclosure;
  if (enclosure.size() >= kMinEnclosureCopy) {
    text += StringAt(enclosure, 8);  // asset tag
    text += StringAt(enclosure, 4);  // manufacturer
    text += StringAt(enclosure, 7);  // serial number
    text += ChassisKindName(enclosure[5]);
    text += StringAt(enclosure, 6);  // version
  }
  const std::vector<uint8_t>& system = kept.system;
  if (system.size() >= kMinSystemCopy) {
    text += StringAt(system, 4);   // manufacturer
    text += StringAt(system, 5);   // product name
    text += StringAt(system, 7);   // serial number
    text += StringAt(system, 25);  // SKU number
    text += StringAt(system, 6);   // version
  }
  return text;
}

}  // namespace identity
