#pragma once
// Matching of this machine's processor and adapter names against a variant's
// regular expressions.
#include <string>
#include <vector>

#include "check/documents.h"

namespace check {

// "®" -> "(R)", "™" -> "(TM)", then A-Z lower-cased; nothing else changes.
std::wstring NormaliseName(const std::wstring& name);
// A-Z lower-cased only.
std::wstring LowerAscii(std::wstring text);

// True when any pattern (lower-cased, ECMAScript, searched anywhere) is found
// in any normalised local name. A pattern that does not compile, or whose
// search exhausts the engine, fits nothing and is logged at ERROR.
// Records carry the labels "CWebInstWnd::MatchCPU" / "CWebInstWnd::MatchGraphic".
bool MatchCPU(std::vector<std::wstring> local, std::vector<std::wstring> patterns);
bool MatchGraphic(std::vector<std::wstring> local, std::vector<std::wstring> patterns);

// Indices of the fitting variants, ascending. A variant without both lists
// never fits; the adapter test runs only after the processor test passed.
std::vector<int> FittingModels(const std::vector<ModelEvnConfig>& models,
                               const std::vector<std::wstring>& cpus,
                               const std::vector<std::wstring>& videos);

}  // namespace check
