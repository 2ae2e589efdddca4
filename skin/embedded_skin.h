#pragma once
// The packed skin package as linked into the program.
//
// The Linux build carries the package as an array in the executable. The
// Windows build carries it as resource "ZIPRES" 101 instead, read through the
// resource functions, so there the array is absent and the span is empty.
#include <span>

namespace skin {

// The bytes of the package; valid for the life of the process. Any thread.
std::span<const unsigned char> EmbeddedPackage();

}  // namespace skin
