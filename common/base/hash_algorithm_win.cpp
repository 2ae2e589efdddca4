#include "common/base/hash_algorithm.h"

#include <windows.h>
#include <wincrypt.h>

#include "common/base/win_exception.h"

namespace VaroBase {

HashProv::~HashProv() { Release(); }

void HashProv::Release() {
  if (handle_ != 0) {
    CryptReleaseContext(static_cast<HCRYPTPROV>(handle_), 0);
    handle_ = 0;
  }
}

bool HashProv::AcquireContext() {
  Release();
  HCRYPTPROV prov = 0;
  if (!CryptAcquireContextW(&prov, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
    VARO_THROW_WIN_EXCEPTION("VaroBase::HashProv::AcquireContext", L"CryptAcquireContextW failed.");
  handle_ = prov;
  return true;
}

void Hash::Destroy() {
  if (handle_ != 0) {
    CryptDestroyHash(static_cast<HCRYPTHASH>(handle_));
    handle_ = 0;
  }
}

bool Hash::Create(const HashProv& provider) {
  Destroy();
  HCRYPTHASH hash = 0;
  if (!CryptCreateHash(static_cast<HCRYPTPROV>(provider.handle()), CALG_MD5, 0, 0, &hash))
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::Create", L"CryptCreateHash failed.");
  handle_ = hash;
  return true;
}

bool Hash::HashData(const void* data, uint32_t size) {
  if (!CryptHashData(static_cast<HCRYPTHASH>(handle_), static_cast<const BYTE*>(data), size, 0))
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::HashData", L"CryptHashData failed.");
  return true;
}

bool Hash::GetHash(uint8_t* buffer, uint32_t* size) {
  if (size == nullptr)
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::GetHash", L"CryptGetHashParam failed.");
  DWORD length = *size;
  const BOOL ok = CryptGetHashParam(static_cast<HCRYPTHASH>(handle_), HP_HASHVAL, buffer, &length, 0);
  if (!ok) VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::GetHash", L"CryptGetHashParam failed.");
  *size = length;
  return true;
}

}  // namespace VaroBase
