#pragma once
// Test helper: raw SMBIOS structure tables built structure by structure.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace identity::fixture {

// One structure: `formatted` is the whole formatted area (type and length bytes
// included; the length byte is set to its size), then the strings and the
// double NUL.
inline std::vector<uint8_t> Structure(std::vector<uint8_t> formatted,
                                      std::initializer_list<std::string> strings) {
  formatted[1] = static_cast<uint8_t>(formatted.size());
  std::vector<uint8_t> bytes = formatted;
  for (const std::string& s : strings) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    bytes.push_back(0);
  }
  if (strings.size() == 0) bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

// Type 1, 27 bytes: manufacturer 1, product 2, version 3, serial 4, SKU 5, family 6.
inline std::vector<uint8_t> SystemStructure(std::initializer_list<std::string> strings) {
  std::vector<uint8_t> f(27, 0);
  f[0] = 1;
  f[2] = 0x01;  // handle
  f[4] = 1, f[5] = 2, f[6] = 3, f[7] = 4, f[25] = 5, f[26] = 6;
  return Structure(f, strings);
}

// Type 3, 13 bytes: manufacturer 1, chassis type, version 2, serial 3, asset tag 4.
inline std::vector<uint8_t> EnclosureStructure(uint8_t chassisType,
                                               std::initializer_list<std::string> strings) {
  std::vector<uint8_t> f(13, 0);
  f[0] = 3;
  f[2] = 0x03;
  f[4] = 1, f[5] = chassisType, f[6] = 2, f[7] = 3, f[8] = 4;
  return Structure(f, strings);
}

inline std::vector<uint8_t> BiosStructure() {
  std::vector<uint8_t> f(18, 0);
  f[4] = 1, f[5] = 2, f[8] = 3;
  return Structure(f, {"BIOS Vendor", "1.0", "01/01/2024"});
}

inline std::vector<uint8_t> EndStructure() { return Structure({127, 0, 0xFE, 0xFF}, {}); }

inline std::vector<uint8_t> Table(std::initializer_list<std::vector<uint8_t>> structures) {
  std::vector<uint8_t> table;
  for (const auto& s : structures) table.insert(table.end(), s.begin(), s.end());
  return table;
}

}  // namespace identity::fixture
