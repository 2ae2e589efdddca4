#include "skin/embedded_skin.h"

#include <cstddef>

namespace skin::detail {
// Defined in the source that the build generates from skin.zip.
extern const unsigned char kPackage[];
extern const std::size_t kPackage_size;
}  // namespace skin::detail

namespace skin {

std::span<const unsigned char> EmbeddedPackage() {
  return {detail::kPackage, detail::kPackage_size};
}

}  // namespace skin
