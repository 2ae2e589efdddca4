#include "check/matching.h"

#include <regex>

#include "common/log/log.h"

namespace check {
namespace {

struct Texts {
  const char* label;
  const char* local;
  const char* remote;
};
constexpr Texts kCpu{"CWebInstWnd::MatchCPU", "strLocalCPU:", "strRemoteCPU:"};
constexpr Texts kGraphic{"CWebInstWnd::MatchGraphic", "strLocalGraphic:", "strRemoteGraphic:"};

bool Search(const std::wstring& name, const std::wstring& pattern, const Texts& t) {
  try {
    const std::wregex re(pattern, std::regex_constants::ECMAScript);
    return std::regex_search(name, re);
  } catch (const std::regex_error& e) {
    PLOG_AS(plog::error, t.label) << "bad pattern " << pattern << ": " << e.what();
    return false;
  }
}

bool Match(const std::vector<std::wstring>& local, const std::vector<std::wstring>& patterns,
           const Texts& t) {
  bool result = false;
  for (const std::wstring& raw : local) {
    const std::wstring name = NormaliseName(raw);
    PLOG_AS(plog::info, t.label) << t.local << name;
    for (const std::wstring& p : patterns) {
      const std::wstring pattern = LowerAscii(p);
      PLOG_AS(plog::info, t.label) << t.remote << pattern;
      if (Search(name, pattern, t)) {
        result = true;
        break;
      }
    }
  }
  return result;
}

}  // namespace

std::wstring LowerAscii(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

std::wstring NormaliseName(const std::wstring& name) {
  std::wstring out;
  out.reserve(name.size() + 8);
  for (wchar_t c : name) {
    if (c == L'\u00AE') out += L"(R)";
    else if (c == L'\u2122') out += L"(TM)";
    else out += c;
  }
  return LowerAscii(std::move(out));
}

bool MatchCPU(std::vector<std::wstring> local, std::vector<std::wstring> patterns) {
  return Match(local, patterns, kCpu);
}

bool MatchGraphic(std::vector<std::wstring> local, std::vector<std::wstring> patterns) {
  return Match(local, patterns, kGraphic);
}

std::vector<int> FittingModels(const std::vector<ModelEvnConfig>& models,
                               const std::vector<std::wstring>& cpus,
                               const std::vector<std::wstring>& videos) {
  std::vector<int> fit;
  for (size_t i = 0; i < models.size(); ++i) {
    const ModelEvnConfig& m = models[i];
    bool ok = false;
    if (m.cpu && m.graphic) ok = MatchCPU(cpus, *m.cpu) && MatchGraphic(videos, *m.graphic);
    else if (m.cpu) ok = MatchCPU(cpus, *m.cpu);
    else if (m.graphic) ok = MatchGraphic(videos, *m.graphic);
    if (ok) fit.push_back(static_cast<int>(i));
  }
  return fit;
}

}  // namespace check
