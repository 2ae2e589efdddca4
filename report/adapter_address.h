#pragma once
// The network adapter piece of the machine identifier.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/identity_sources.h"

namespace identity {

// A device whose instance identifier begins (case-insensitively) with "PCI" or
// with "{1A3E09BE-1E45-494B-9174-D7385B45BBF5}".
bool IsAdapterCandidate(std::wstring_view instanceId);

// "\\.\" + the identifier with every '\' turned into '#' + the NDIS interface
// class; empty when that is longer than 259 characters.
std::wstring AdapterDevicePath(std::wstring_view instanceId);

// The smallest permanent address (6 bytes) of the candidates that answer the
// NDIS query; without one, the first non-empty address of the adapter list (at
// most 8 bytes); otherwise empty.
std::vector<uint8_t> AdapterAddressPiece(INetworkAdapters& adapters);

}  // namespace identity
