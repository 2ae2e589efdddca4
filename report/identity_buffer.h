#pragma once
// The bytes the machine identifier is the MD5 of.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "report/identity_sources.h"

namespace identity {

inline constexpr size_t kIdentityBufferSize = 1024;

// CPUID leaf 0 (EAX, EBX, ECX, EDX), leaf 1 (EAX, ECX, EDX) and leaf 3 (EAX,
// EBX, ECX, EDX), each register little-endian: 44 bytes.
std::vector<uint8_t> CpuidPiece(ICpuid& cpuid);

// Adapter address, the CPUID piece and the SMBIOS text, in this order, cut at
// kIdentityBufferSize bytes in all. A source that yields nothing leaves its piece out.
std::vector<uint8_t> BuildIdentityBuffer(INetworkAdapters& adapters, ICpuid& cpuid,
                                         ISmbiosReader& smbios);

}  // namespace identity
