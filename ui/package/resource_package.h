#pragma once
// The process-wide skin package: one zip archive registered at start-up, read
// by every window's build and image loading. Registration and reads happen on
// the UI thread; a lock still keeps a late registration from racing a read.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace SkinUI {

// Keeps a private copy of `bytes` and opens it as the package. A package of the
// same byte size as the registered one changes nothing. A corrupt archive
// registers as an empty package (every read gives nothing). Returns whether the
// registered package now has entries.
bool RegisterResourcePackage(std::span<const uint8_t> bytes);
// The bytes of the file at `path` (wide text, converted to the ANSI code page;
// '\' and '/' both separate; case-insensitive), or nothing.
std::optional<std::vector<uint8_t>> ReadResourceFile(std::wstring_view path);
// Drops the package (framework termination).
void ReleaseResourcePackage();
// Size in bytes of the registered package, 0 when none.
size_t ResourcePackageSize();

// The module instance whose resources hold the package (the HINSTANCE on
// Windows); kept for the platform code that loads resources.
void SetResourceInstance(void* instance);
void* GetResourceInstance();

}  // namespace SkinUI
