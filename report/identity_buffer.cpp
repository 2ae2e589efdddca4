#include "report/identity_buffer.h"

#include <algorithm>
#include <string>

#include "report/adapter_address.h"
#include "report/smbios.h"

namespace identity {
namespace {

void AppendLittleEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

}  // namespace

std::vector<uint8_t> CpuidPiece(ICpuid& cpuid) {
  std::vector<uint8_t> piece;
  const CpuidRegisters leaf0 = cpuid.Query(0);
  for (uint32_t r : {leaf0.eax, leaf0.ebx, leaf0.ecx, leaf0.edx}) AppendLittleEndian(piece, r);
  const CpuidRegisters leaf1 = cpuid.Query(1);
  for (uint32_t r : {leaf1.eax, leaf1.ecx, leaf1.edx}) AppendLittleEndian(piece, r);
  const CpuidRegisters leaf3 = cpuid.Query(3);
  for (uint32_t r : {leaf3.eax, leaf3.ebx, leaf3.ecx, leaf3.edx}) AppendLittleEndian(piece, r);
  return piece;
}

std::vector<uint8_t> BuildIdentityBuffer(INetworkAdapters& adapters, ICpuid& cpuid,
                                         ISmbiosReader& smbios) {
  std::vector<uint8_t> buffer = AdapterAddressPiece(adapters);
  const std::vector<uint8_t> cpu = CpuidPiece(cpuid);
  buffer.insert(buffer.end(), cpu.begin(), cpu.end());
  if (const std::optional<std::vector<uint8_t>> table = smbios.ReadTable()) {
    const std::string text = SmbiosText(*table);
    const size_t room = kIdentityBufferSize - std::min(buffer.size(), kIdentityBufferSize);
    buffer.insert(buffer.end(), text.begin(), text.begin() + std::min(text.size(), room));
  }
  return buffer;
}

}  // namespace identity
