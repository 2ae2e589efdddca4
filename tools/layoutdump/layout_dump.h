#pragma once
// The layout of a skin window as JSON: every named control, depth first in
// document order, with class, client rectangle, visibility (in the tree and of
// its own), enabled state and text.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ui/core/skin_manager.h"

namespace layoutdump {

// One change to make before dumping: select a page, show or hide a control.
struct Step {
  enum class Kind { kSelectPage, kShow, kHide } kind;
  std::wstring name;
  int page = 0;
};

// Parses "tab_main=2", "+vl_custom_install", "-lbl_space"; false when malformed.
bool ParseStep(const std::string& text, Step& step);
// Applies the steps in order; returns the names that were not found or were
// not tab layouts (for "=").
std::vector<std::string> ApplySteps(SkinUI::SkinManager& manager, const std::vector<Step>& steps);
nlohmann::json DumpControls(SkinUI::SkinManager& manager);

}  // namespace layoutdump
