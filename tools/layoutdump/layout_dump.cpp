#include "tools/layoutdump/layout_dump.h"

#include "common/base/strings.h"
#include "ui/control/container.h"
#include "ui/control/control.h"

namespace layoutdump {
namespace {

void Walk(SkinUI::CControlUI* control, nlohmann::json& out) {
  if (!control->GetName().empty()) {
    const SkinUI::Rect& r = control->GetPos();
    out.push_back({{"name", base::WideToUtf8(control->GetName())},
                   {"class", base::WideToUtf8(control->GetClass())},
                   {"rect", {r.left, r.top, r.right, r.bottom}},
                   {"visible", control->IsVisibleInTree()},
                   {"selfVisible", control->IsVisible()},
                   {"enabled", control->IsEnabled()},
                   {"text", base::WideToUtf8(control->GetText())}});
  }
  for (int i = 0; i < control->GetChildCount(); ++i) Walk(control->GetChildAt(i), out);
}

}  // namespace

bool ParseStep(const std::string& text, Step& step) {
  if (text.size() > 1 && (text[0] == '+' || text[0] == '-')) {
    step.kind = text[0] == '+' ? Step::Kind::kShow : Step::Kind::kHide;
    step.name = base::Utf8ToWide(text.substr(1));
    return true;
  }
  size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == text.size()) return false;
  try {
    size_t used = 0;
    step.page = std::stoi(text.substr(eq + 1), &used);
    if (used != text.size() - eq - 1) return false;
  } catch (...) {
    return false;
  }
  step.kind = Step::Kind::kSelectPage;
  step.name = base::Utf8ToWide(text.substr(0, eq));
  return true;
}

std::vector<std::string> ApplySteps(SkinUI::SkinManager& manager, const std::vector<Step>& steps) {
  std::vector<std::string> failed;
  for (const Step& step : steps) {
    SkinUI::CControlUI* control = manager.FindByName(step.name);
    if (!control) {
      failed.push_back(base::WideToUtf8(step.name));
      continue;
    }
    if (step.kind == Step::Kind::kSelectPage) {
      auto* tab = static_cast<SkinUI::CTabLayoutUI*>(control->GetInterface(L"TabLayout"));
      if (!tab || !tab->SelectPage(step.page)) failed.push_back(base::WideToUtf8(step.name));
    } else {
      control->SetVisible(step.kind == Step::Kind::kShow);
    }
  }
  manager.UpdateLayout(true);
  return failed;
}

nlohmann::json DumpControls(SkinUI::SkinManager& manager) {
  nlohmann::json controls = nlohmann::json::array();
  if (manager.GetRoot()) Walk(manager.GetRoot(), controls);
  return controls;
}

}  // namespace layoutdump
