#include "skin/embedded_skin.h"

#include <windows.h>

namespace skin {

std::span<const unsigned char> EmbeddedPackage() {
  // A loaded module's resources stay mapped while it is loaded: no release.
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(101), L"ZIPRES");
  if (!info) return {};
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return {};
  return {static_cast<const unsigned char*>(bytes), SizeofResource(module, info)};
}

}  // namespace skin
