// The version page's list: one radio option per fitting variant.
#include <fmt/xchar.h>

#include "check/system_info.h"
#include "common/log/log.h"
#include "installer/web_inst_wnd.h"

using namespace SkinUI;

void CWebInstWnd::BuildModelList() {
  auto* list = Find<CContainerUI>(L"vl_models");
  if (!list || !vecModelOption.empty()) return;  // built once per window
  const uint64_t installed = CGetSystemInfo::GetMutableInstance().GetMemorySize();
  for (int index : m_check.vecModelEvnIdx) {
    const ModelEvnConfig& model = m_check.vecModelEvn[static_cast<size_t>(index)];
    auto owned = std::make_unique<COptionUI>();
    COptionUI* option = owned.get();
    list->Add(std::move(owned));
    vecModelOption.push_back(option);
    option->SetAttribute(L"style", L"opt_model");
    const std::wstring memoryLine = fmt::format(L"需要内存 {} GB.", model.memory >> 30);
    option->SetText(fmt::format(L"<f 5>{}</f><n><y 28>{}</y>", model.title, memoryLine));
    option->SetTag(static_cast<uintptr_t>(index));
    option->SetEnabled(installed > model.memory);
    if (vecModelOption.size() == 1) option->SetSelected(true, true);
    PLOG_INFO << "version option " << index << ": " << model.title << ", " << memoryLine
              << (option->IsEnabled() ? "" : " (disabled)");
  }
  if (m_pBtnGoStep1) m_pBtnGoStep1->SetEnabled(true);
}
