#pragma once
// Creation of controls by markup element name.
#include <memory>
#include <string_view>

#include "ui/control/control.h"

namespace SkinUI {

// A window's own factory for element names the framework does not know.
class IControlFactory {
 public:
  virtual ~IControlFactory() = default;
  virtual std::unique_ptr<CControlUI> CreateControl(std::wstring_view element) = 0;
};

// The framework's control for an element ("Button" -> CButtonUI), or null.
std::unique_ptr<CControlUI> CreateBuiltinControl(std::wstring_view element);

}  // namespace SkinUI
