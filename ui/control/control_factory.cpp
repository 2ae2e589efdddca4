#include "ui/control/control_factory.h"

#include "ui/control/animation.h"
#include "ui/control/button.h"
#include "ui/control/container.h"
#include "ui/control/label.h"
#include "ui/control/progress.h"
#include "ui/control/rich_edit.h"

namespace SkinUI {
namespace {

template <typename T>
std::unique_ptr<CControlUI> Make() {
  return std::make_unique<T>();
}

struct Entry {
  std::wstring_view element;
  std::unique_ptr<CControlUI> (*create)();
};

constexpr Entry kControls[] = {
    {L"Control", &Make<CControlUI>},
    {L"Container", &Make<CContainerUI>},
    {L"VerticalLayout", &Make<CVerticalLayoutUI>},
    {L"HorizontalLayout", &Make<CHorizontalLayoutUI>},
    {L"TabLayout", &Make<CTabLayoutUI>},
    {L"Label", &Make<CLabelUI>},
    {L"Text", &Make<CTextUI>},
    {L"Button", &Make<CButtonUI>},
    {L"Option", &Make<COptionUI>},
    {L"CheckBox", &Make<CCheckBoxUI>},
    {L"Progress", &Make<CProgressUI>},
    {L"RichEdit", &Make<CRichEditUI>},
    {L"Gif", &Make<CGifUI>},
    {L"Sequence", &Make<CSequenceUI>},
    {L"FadeSequence", &Make<CFadeSequenceUI>},
};

}  // namespace

std::unique_ptr<CControlUI> CreateBuiltinControl(std::wstring_view element) {
  for (const Entry& entry : kControls) {
    if (entry.element == element) return entry.create();
  }
  return nullptr;
}

}  // namespace SkinUI
