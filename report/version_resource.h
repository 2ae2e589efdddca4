#pragma once
// Version resources of files on disk.
#include <optional>
#include <string>

#include "report/identity_sources.h"

namespace identity {

// The fixed file information of `path`'s version resource; nothing when the file
// or its resource cannot be read. The Linux build has no version resources.
std::optional<FixedFileVersion> ReadFixedFileVersion(const std::wstring& path);

}  // namespace identity
