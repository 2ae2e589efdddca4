#include "check/system_info.h"

int OsTypeFor(unsigned major, unsigned minor, unsigned productType, bool is64) {
  struct Row {
    unsigned major, minor;
    int x86, x64;
  };
  static constexpr Row kRows[] = {
      {4, 0, 0x1, 0x1},         {4, 10, 0x1, 0x1},        {4, 90, 0x1, 0x1},
      {5, 0, 0x2, 0x2},         {5, 1, 0x4, 0x8},         {5, 2, 0x10, 0x20},
      {6, 1, 0x400, 0x800},     {6, 2, 0x1000, 0x2000},   {6, 3, 0x4000, 0x8000},
      {6, 4, 0x10000, 0x20000}, {10, 0, 0x10000, 0x20000},
  };
  if (major == 6 && minor == 0) {
    if (productType == 3) return is64 ? 0x200 : 0x100;
    return is64 ? 0x80 : 0x40;
  }
  for (const Row& r : kRows)
    if (r.major == major && r.minor == minor) return is64 ? r.x64 : r.x86;
  return 0;
}
