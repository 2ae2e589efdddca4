#pragma once
// The MD5 service of the base library: a provider and one-digest hash objects.
// Every operation returns true on success and throws VaroBase::win_exception on
// failure; none returns false. Windows: CryptoAPI (PROV_RSA_AES, CALG_MD5).
// Linux: OpenSSL's EVP MD5 behind the same handles.
// A provider may serve several threads' hash objects one at a time; a hash
// object belongs to one thread while in use.
#include <cstdint>

namespace VaroBase {

// A CryptoAPI handle (HCRYPTPROV, HCRYPTHASH); 0 means none.
using CryptHandle = std::uintptr_t;

inline constexpr uint32_t kMd5Size = 16;

class HashProv {
 public:
  HashProv() = default;
  ~HashProv();
  HashProv(const HashProv&) = delete;
  HashProv& operator=(const HashProv&) = delete;

  // Verify-only context of the default AES provider; an earlier handle is released first.
  bool AcquireContext();
  void Release();
  CryptHandle handle() const { return handle_; }

 private:
  CryptHandle handle_ = 0;
};

class Hash {
 public:
  Hash() = default;
  ~Hash() { Destroy(); }
  Hash(const Hash&) = delete;
  Hash& operator=(const Hash&) = delete;

  // A fresh MD5 hash from `provider` (which must outlive it); an earlier hash is freed first.
  bool Create(const HashProv& provider);
  bool HashData(const void* data, uint32_t size);
  // Reads the digest. With no buffer only `*size` is set (to 16); with a buffer
  // `*size` is its capacity in and the digest length out. Finishes the hash:
  // HashData fails afterwards, GetHash returns the same value again. A null
  // `size` throws without calling the platform.
  bool GetHash(uint8_t* buffer, uint32_t* size);
  void Destroy();
  CryptHandle handle() const { return handle_; }

 private:
  CryptHandle handle_ = 0;
};

}  // namespace VaroBase
