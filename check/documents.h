#pragma once
// The two service documents: the requirements list (variants with their
// hardware needs) and the package configuration of one variant.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// One product variant of the requirements list.
struct ModelEvnConfig {
  std::wstring title;
  std::optional<std::vector<std::wstring>> cpu;      // absent: no processor requirement
  std::optional<std::vector<std::wstring>> graphic;  // absent: no adapter requirement
  uint64_t memory = 0;                               // bytes
  std::wstring download_config;                      // configuration service address
};

// One downloadable package file.
struct PackageFile {
  std::wstring name;  // a plain file name inside the download folder
  std::string url;    // UTF-8 bytes as received
  uint64_t size = 0;
  std::string md5;    // hexadecimal text as received
};

// The package configuration of one variant.
struct AppConfig {
  uint64_t space_req = 0;
  std::wstring main_exe;  // relative to the install folder
  std::optional<std::wstring> args;
  PackageFile installer;
  std::optional<std::vector<PackageFile>> deps;
};

// Thrown for a document that breaks its format; what() says why.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parse a whole response body: exactly one JSON value (a leading UTF-8 BOM is
// accepted, comments and trailing text are not). All or nothing: one bad
// element rejects the document. Throw DocumentError or the JSON library's
// exceptions (both derive from std::exception).
std::vector<ModelEvnConfig> ParseRequirements(std::string_view body);
AppConfig ParseAppConfig(std::string_view body);
