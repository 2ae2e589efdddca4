#include "common/base/hash_algorithm.h"

#include <openssl/evp.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "common/base/win_exception.h"

// The handles are owned OpenSSL objects: a provider is a fetched EVP_MD, a hash
// an EvpHash. Failures set errno the way the CryptoAPI sets its last error, so
// that the exception carries a code and a description as on Windows.
namespace VaroBase {
namespace {

struct EvpHash {
  EVP_MD_CTX* context = nullptr;
  bool finished = false;
  unsigned char value[EVP_MAX_MD_SIZE] = {};
  unsigned int length = 0;
};

EVP_MD* ToMd(CryptHandle handle) { return reinterpret_cast<EVP_MD*>(handle); }
EvpHash* ToHash(CryptHandle handle) { return reinterpret_cast<EvpHash*>(handle); }

}  // namespace

HashProv::~HashProv() { Release(); }

void HashProv::Release() {
  if (handle_ != 0) {
    EVP_MD_free(ToMd(handle_));
    handle_ = 0;
  }
}

bool HashProv::AcquireContext() {
  Release();
  EVP_MD* md = EVP_MD_fetch(nullptr, "MD5", nullptr);
  if (!md) {
    errno = ENOSYS;
    VARO_THROW_WIN_EXCEPTION("VaroBase::HashProv::AcquireContext", L"CryptAcquireContextW failed.");
  }
  handle_ = reinterpret_cast<CryptHandle>(md);
  return true;
}

void Hash::Destroy() {
  if (handle_ != 0) {
    EvpHash* hash = ToHash(handle_);
    EVP_MD_CTX_free(hash->context);
    delete hash;
    handle_ = 0;
  }
}

bool Hash::Create(const HashProv& provider) {
  Destroy();
  if (provider.handle() == 0) {
    errno = EINVAL;
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::Create", L"CryptCreateHash failed.");
  }
  auto* hash = new (std::nothrow) EvpHash;
  if (hash) hash->context = EVP_MD_CTX_new();
  if (!hash || !hash->context || EVP_DigestInit_ex(hash->context, ToMd(provider.handle()), nullptr) != 1) {
    if (hash) EVP_MD_CTX_free(hash->context);
    delete hash;
    errno = ENOMEM;
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::Create", L"CryptCreateHash failed.");
  }
  handle_ = reinterpret_cast<CryptHandle>(hash);
  return true;
}

bool Hash::HashData(const void* data, uint32_t size) {
  EvpHash* hash = ToHash(handle_);
  if (!hash || hash->finished || (data == nullptr && size != 0)) {
    errno = EINVAL;
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::HashData", L"CryptHashData failed.");
  }
  if (size != 0 && EVP_DigestUpdate(hash->context, data, size) != 1) {
    errno = EIO;
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::HashData", L"CryptHashData failed.");
  }
  return true;
}

bool Hash::GetHash(uint8_t* buffer, uint32_t* size) {
  EvpHash* hash = ToHash(handle_);
  if (size == nullptr || !hash) {
    errno = EINVAL;
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::GetHash", L"CryptGetHashParam failed.");
  }
  if (!hash->finished) {
    if (EVP_DigestFinal_ex(hash->context, hash->value, &hash->length) != 1) {
      errno = EIO;
      VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::GetHash", L"CryptGetHashParam failed.");
    }
    hash->finished = true;
  }
  if (buffer == nullptr) {
    *size = hash->length;
    return true;
  }
  if (*size < hash->length) {
    *size = hash->length;
    errno = ERANGE;
    VARO_THROW_WIN_EXCEPTION("VaroBase::Hash::GetHash", L"CryptGetHashParam failed.");
  }
  std::memcpy(buffer, hash->value, hash->length);
  *size = hash->length;
  return true;
}

}  // namespace VaroBase
