#include "report/version_resource.h"

namespace identity {

std::optional<FixedFileVersion> ReadFixedFileVersion(const std::wstring&) { return std::nullopt; }

}  // namespace identity
