#include "ui/markup/markup_builder.h"

#include <algorithm>

#include "common/base/strings.h"
#include "ui/base/values.h"
#include "ui/control/container.h"
#include "ui/core/skin_manager.h"
#include "ui/markup/markup_reader.h"
#include "ui/package/resource_package.h"

namespace SkinUI {
namespace {

bool IsResourceElement(std::wstring_view name) {
  return name == L"Font" || name == L"Style" || name == L"Default" || name == L"Image" || name == L"Include";
}

void ReportUnknownAttribute(SkinManager& manager, std::wstring_view where, const std::wstring& name) {
  if (IBuildObserver* observer = manager.GetBuildObserver()) observer->UnknownAttribute(std::wstring(where), name);
}

bool IsAttachedContainer(const CContainerUI* parent) {
  if (!parent || !parent->GetManager()) return false;
  const CControlUI* top = parent;
  while (top->GetParent()) top = top->GetParent();
  return top == parent->GetManager()->GetRoot();
}

}  // namespace

void ApplyMarkupAttribute(CControlUI& control, SkinManager& manager, const std::wstring& name,
                          const std::wstring& value) {
  if (name == L"defaulattr") {
    if (const std::wstring* list = manager.GetDefaultAttributeList(value)) control.ApplyAttributeList(*list);
    return;
  }
  if (!control.SetAttribute(name, value)) ReportUnknownAttribute(manager, control.GetClass(), name);
}

std::unique_ptr<CControlUI> CMarkupBuilder::BuildRoot(std::wstring_view path, SkinManager& manager) {
  m_strError.clear();
  m_nFiles = m_nControls = 0;
  std::unique_ptr<CControlUI> owned;
  BuildFile(path, manager, nullptr, &owned, 0);
  return owned;
}

CControlUI* CMarkupBuilder::Build(std::wstring_view path, SkinManager& manager, CContainerUI* parent) {
  m_strError.clear();
  m_nFiles = m_nControls = 0;
  if (!parent) return nullptr;
  const int before = parent->GetCount();
  CControlUI* first = BuildFile(path, manager, parent, nullptr, 0);
  if (IsAttachedContainer(parent)) {
    // Added to a live tree before their names were set: register them now.
    for (int i = before; i < parent->GetCount(); ++i) manager.RegisterNames(parent->GetItemAt(i));
  }
  return first;
}

CControlUI* CMarkupBuilder::BuildFile(std::wstring_view path, SkinManager& manager, CContainerUI* parent,
                                      std::unique_ptr<CControlUI>* owned, int depth) {
  const std::wstring file(path);
  if (++m_nFiles > kMaxFilesPerBuild) {
    m_strError = base::WideToUtf8(file) + ": too many files included";
    return nullptr;
  }
  auto bytes = ReadResourceFile(path);
  if (!bytes) {
    m_strError = base::WideToUtf8(file) + ": not in the skin package";
    return nullptr;
  }
  MarkupResult markup = ReadMarkup(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (!markup.root) {
    m_strError = base::WideToUtf8(file) + ": " + markup.error + " (line " + std::to_string(markup.line) + ")";
    return nullptr;
  }
  const MarkupNode& root = *markup.root;
  if (root.name != L"Window") {
    m_strError = base::WideToUtf8(file) + ": the root element is not Window";
    return nullptr;
  }
  BuildResources(root, file, manager, parent, depth);
  if (depth == 0 && !parent) ApplyWindowAttributes(root, manager);
  return BuildControls(root, file, manager, parent, owned, true, depth);
}

void CMarkupBuilder::IncludeFile(const MarkupNode& node, SkinManager& manager, CContainerUI* parent, int depth,
                                 CControlUI** first) {
  const std::wstring* source = node.Attribute(L"source");
  if (!source) return;
  int count = 1;
  if (const std::wstring* c = node.Attribute(L"count")) count = std::clamp(ParseInt(*c).value_or(1), 0, kMaxIncludeCount);
  if (depth + 1 > kMaxIncludeDepth) {
    m_strError = base::WideToUtf8(*source) + ": includes nested too deep";
    return;
  }
  for (int i = 0; i < count; ++i) {
    CControlUI* built = BuildFile(*source, manager, parent, nullptr, depth + 1);
    if (!built && !ReadResourceFile(*source)) {
      if (IBuildObserver* observer = manager.GetBuildObserver()) observer->MissingInclude(*source);
    }
    if (first && !*first) *first = built;
  }
}

void CMarkupBuilder::BuildResources(const MarkupNode& root, const std::wstring& file, SkinManager& manager,
                                    CContainerUI* parent, int depth) {
  for (const MarkupNode& node : root.children) {
    if (node.name == L"Include") {
      IncludeFile(node, manager, parent, depth, nullptr);
    } else if (node.name == L"Font") {
      FontSpec spec;
      bool bold = false, isDefault = false;
      for (const auto& [name, value] : node.attributes) {
        if (name == L"name") spec.face = value;
        else if (name == L"size") spec.size = ParseInt(value).value_or(12);
        else if (name == L"bold") bold = ParseBool(value);
        else if (name == L"weight") spec.weight = ParseInt(value).value_or(400);
        else if (name == L"underline") spec.underline = ParseBool(value);
        else if (name == L"italic") spec.italic = ParseBool(value);
        else if (name == L"strikeout") spec.strikeout = ParseBool(value);
        else if (name == L"default") isDefault = ParseBool(value);
        else if (name != L"id") ReportUnknownAttribute(manager, L"Font", name);
      }
      if (bold) spec.weight = 700;
      manager.AddFont(spec, isDefault);
    } else if (node.name == L"Style") {
      const std::wstring* name = node.Attribute(L"name");
      const std::wstring* value = node.Attribute(L"value");
      const std::wstring* inherit = node.Attribute(L"inherit");
      for (const auto& [attr, v] : node.attributes) {
        if (attr != L"name" && attr != L"value" && attr != L"inherit") ReportUnknownAttribute(manager, L"Style", attr);
      }
      if (!name) continue;
      std::wstring own = value ? *value : std::wstring();
      std::wstring list = own;
      if (inherit) {
        if (const std::wstring* base = manager.GetStyle(*inherit)) {
          list = own.empty() ? *base : *base + L" " + own;
        } else if (IBuildObserver* observer = manager.GetBuildObserver()) {
          observer->UndefinedStyle(*inherit);
        }
      }
      manager.AddStyle(*name, list);
    } else if (node.name == L"Default") {
      const std::wstring* name = node.Attribute(L"name");
      const std::wstring* value = node.Attribute(L"value");
      if (name && value) manager.AddDefaultAttributeList(*name, *value);
    } else if (node.name == L"Image") {
      const std::wstring* name = node.Attribute(L"name");
      if (name) manager.AddImage(*name, *name);
    }
  }
  (void)file;
}

void CMarkupBuilder::ApplyWindowAttributes(const MarkupNode& root, SkinManager& manager) {
  WindowAttributes& attrs = manager.Attributes();
  auto color = [](const std::wstring& value, Color& target) {
    if (auto c = ParseColor(value)) target = *c;
  };
  for (const auto& [name, value] : root.attributes) {
    if (name == L"size") {
      if (auto s = ParseSize(value)) manager.SetInitSize(*s);
    } else if (name == L"caption") {
      if (auto r = ParseRect(value)) attrs.caption = *r;
    } else if (name == L"maxinfo") {
      if (auto s = ParseSize(value)) attrs.maxInfo = *s;
    } else if (name == L"mininfo") {
      if (auto s = ParseSize(value)) attrs.minInfo = *s;
    } else if (name == L"sizebox") {
      if (auto r = ParseRect(value)) attrs.sizeBox = *r;
    } else if (name == L"roundcorner") {
      if (auto s = ParseSize(value)) attrs.roundCorner = *s;
    } else if (name == L"bktrans") {
      manager.SetLayered(value == L"1" || value == L"true");
    } else if (name == L"showdirty") {
      attrs.showDirty = ParseBool(value);
    } else if (name == L"alpha") {
      attrs.alpha = static_cast<uint8_t>(std::clamp(ParseInt(value).value_or(255), 0, 255));
    } else if (name == L"takefocus") {
      attrs.takeFocus = ParseBool(value);
    } else if (name == L"defaultfontcolor") {
      color(value, attrs.defaultFontColor);
    } else if (name == L"disabledfontcolor") {
      color(value, attrs.disabledFontColor);
    } else if (name == L"linkfontcolor") {
      color(value, attrs.linkFontColor);
    } else if (name == L"linkhoverfontcolor") {
      color(value, attrs.linkHoverFontColor);
    } else if (name == L"selectedcolor") {
      color(value, attrs.selectedColor);
    } else {
      ReportUnknownAttribute(manager, L"Window", name);
    }
  }
}

CControlUI* CMarkupBuilder::BuildControls(const MarkupNode& node, const std::wstring& file, SkinManager& manager,
                                          CContainerUI* parent, std::unique_ptr<CControlUI>* owned, bool topLevel,
                                          int depth) {
  CControlUI* first = nullptr;
  for (const MarkupNode& child : node.children) {
    if (child.name == L"Include") {
      if (!topLevel) IncludeFile(child, manager, parent, depth, &first);
      continue;
    }
    if (IsResourceElement(child.name)) continue;
    if (++m_nControls > kMaxControlsPerBuild) {
      m_strError = base::WideToUtf8(file) + ": too many controls";
      return first;
    }
    std::unique_ptr<CControlUI> control = CreateBuiltinControl(child.name);
    if (!control && m_pFactory) control = m_pFactory->CreateControl(child.name);
    if (!control) {
      if (IBuildObserver* observer = manager.GetBuildObserver()) observer->UnknownElement(file, child.name);
      continue;
    }
    // Bound to the manager (not yet attached) so that styles resolve.
    control->SetManager(&manager, parent, false);
    if (auto* container = static_cast<CContainerUI*>(control->GetInterface(L"Container"))) {
      BuildControls(child, file, manager, container, nullptr, false, depth);
    } else if (!child.children.empty()) {
      for (const MarkupNode& inner : child.children) {
        if (IBuildObserver* observer = manager.GetBuildObserver()) observer->UnknownElement(file, inner.name);
      }
    }
    CControlUI* raw = control.get();
    if (parent) {
      parent->Add(std::move(control));
    } else if (owned && !*owned) {
      *owned = std::move(control);
    } else {
      continue;  // a window has one root; further top-level controls are dropped
    }
    if (const std::wstring* defaults = manager.GetDefaultAttributeList(child.name)) raw->ApplyAttributeList(*defaults);
    for (const auto& [name, value] : child.attributes) ApplyMarkupAttribute(*raw, manager, name, value);
    if (!first) first = raw;
  }
  return first;
}

}  // namespace SkinUI
