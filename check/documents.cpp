#include "check/documents.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "common/base/strings.h"

namespace {

using nlohmann::json;

const json& Required(const json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) throw DocumentError(std::string("missing key \"") + key + "\"");
  return *it;
}

void Expect(bool ok, const char* key, const char* type) {
  if (!ok) throw DocumentError(std::string("\"") + key + "\" is not " + type);
}

std::string String(const json& v, const char* key) {
  Expect(v.is_string(), key, "a string");
  return v.get<std::string>();
}

std::wstring WideString(const json& v, const char* key) { return base::Utf8ToWide(String(v, key)); }

// Integers are taken as unsigned 64-bit; a fractional value is truncated.
// A fraction outside the range a 64-bit count can hold has no meaning.
uint64_t Number(const json& v, const char* key) {
  Expect(v.is_number(), key, "a number");
  if (v.is_number_unsigned()) return v.get<uint64_t>();
  if (v.is_number_integer()) return static_cast<uint64_t>(v.get<int64_t>());
  const double d = std::trunc(v.get<double>());
  if (!(d > -9223372036854775808.0 && d < 18446744073709551616.0))
    throw DocumentError(std::string("\"") + key + "\" is out of range");
  return d < 0 ? static_cast<uint64_t>(static_cast<int64_t>(d)) : static_cast<uint64_t>(d);
}

std::vector<std::wstring> StringList(const json& v, const char* key) {
  Expect(v.is_array(), key, "an array");
  std::vector<std::wstring> out;
  for (const json& e : v) out.push_back(WideString(e, key));
  return out;
}

json ParseOne(std::string_view body) {
  // Strict: one value, no comments; the library skips a leading BOM.
  return json::parse(body.begin(), body.end(), nullptr, true, false);
}

bool HasSeparatorOrDrive(std::wstring_view s) {
  return s.find_first_of(L"\\/:") != std::wstring_view::npos;
}

// A package file name becomes a path inside the download folder; anything that
// could leave that folder is refused.
void CheckFileName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L".." || HasSeparatorOrDrive(name))
    throw DocumentError("\"name\" is not a plain file name");
}

// The program to start lies inside the install folder.
void CheckMainExe(const std::wstring& path) {
  if (!path.empty() && (path[0] == L'\\' || path[0] == L'/'))
    throw DocumentError("\"main_exe\" is absolute");
  if (path.find(L':') != std::wstring::npos) throw DocumentError("\"main_exe\" is absolute");
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = path.size();
    if (path.compare(start, end - start, L"..") == 0)
      throw DocumentError("\"main_exe\" climbs out of the install folder");
    start = end + 1;
  }
}

PackageFile ParseFile(const json& v, const char* key) {
  Expect(v.is_object(), key, "an object");
  PackageFile f;
  f.name = WideString(Required(v, "name"), "name");
  CheckFileName(f.name);
  f.url = String(Required(v, "url"), "url");
  f.size = Number(Required(v, "size"), "size");
  f.md5 = String(Required(v, "md5"), "md5");
  return f;
}

}  // namespace

std::vector<ModelEvnConfig> ParseRequirements(std::string_view body) {
  const json doc = ParseOne(body);
  Expect(doc.is_object(), "document", "an object");
  const json& list = Required(doc, "requires");
  Expect(list.is_array(), "requires", "an array");
  std::vector<ModelEvnConfig> out;
  out.reserve(list.size());
  for (const json& e : list) {
    Expect(e.is_object(), "requires", "an array of objects");
    ModelEvnConfig m;
    m.title = WideString(Required(e, "title"), "title");
    if (auto it = e.find("cpu"); it != e.end()) m.cpu = StringList(*it, "cpu");
    if (auto it = e.find("graphic"); it != e.end()) m.graphic = StringList(*it, "graphic");
    m.memory = Number(Required(e, "memory"), "memory");
    m.download_config = WideString(Required(e, "download_config"), "download_config");
    out.push_back(std::move(m));
  }
  return out;
}

AppConfig ParseAppConfig(std::string_view body) {
  const json doc = ParseOne(body);
  Expect(doc.is_object(), "document", "an object");
  const json& app = Required(doc, "app");
  Expect(app.is_object(), "app", "an object");
  AppConfig c;
  c.space_req = Number(Required(app, "space_req"), "space_req");
  c.main_exe = WideString(Required(app, "main_exe"), "main_exe");
  CheckMainExe(c.main_exe);
  if (auto it = app.find("args"); it != app.end()) c.args = WideString(*it, "args");
  c.installer = ParseFile(Required(app, "installer"), "installer");
  if (auto it = app.find("deps"); it != app.end()) {
    Expect(it->is_array(), "deps", "an array");
    std::vector<PackageFile> deps;
    for (const json& f : *it) deps.push_back(ParseFile(f, "deps"));
    c.deps = std::move(deps);
  }
  return c;
}
