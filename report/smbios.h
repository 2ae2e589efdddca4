#pragma once
// The SMBIOS structure table: the walk, string lookup, and the text that the
// machine identifier takes from the system (type 1) and enclosure (type 3)
// structures. Pure functions over bytes; no input makes them read outside it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace identity {

// Copies (formatted area, strings, two NULs) of the first type 1 and the first
// type 3 structure in table order; empty when the table has none.
struct SmbiosStructures {
  std::vector<uint8_t> system;
  std::vector<uint8_t> enclosure;
};

// Walks structure by structure from the start. The walk ends where a formatted
// area would reach the end of the data, where a formatted area is shorter than
// its 4-byte header, or where no double NUL ends the string set.
SmbiosStructures WalkSmbiosTable(const uint8_t* data, size_t size);

// String number `number` of a kept structure, counted from 1; empty for 0 or a
// number beyond the set.
std::string SmbiosString(const std::vector<uint8_t>& structure, uint8_t number);

// "NoteBook" for chassis type 10 or 14 (the byte as it is, lock bit included),
// "Desktop" for every other value.
const char* ChassisKindName(uint8_t chassisType);

// Enclosure asset tag, manufacturer, serial number, chassis kind, version, then
// system manufacturer, product name, serial number, SKU number, version, joined
// without separators. A type 1 copy shorter than 27 bytes or a type 3 copy
// shorter than 9 bytes contributes nothing.
std::string SmbiosText(const std::vector<uint8_t>& table);

}  // namespace identity
