#pragma once
// The packed skin package as linked into the program: an array in the Linux
// executable, resource "ZIPRES" 101 of the Windows executable.
#include <span>

namespace skin {

// The bytes of the package; valid for the life of the process; empty when the
// program carries none. Any thread.
std::span<const unsigned char> EmbeddedPackage();

}  // namespace skin
