#pragma once
// Builds control trees from markup files of the resource package: resource
// elements (Include, Font, Style, Default, Image) into the manager's tables,
// the root element's window attributes, then the controls depth first.
#include <memory>
#include <string>
#include <string_view>

#include "ui/control/control_factory.h"

namespace SkinUI {

class CContainerUI;
class SkinManager;
struct MarkupNode;

class CMarkupBuilder {
 public:
  // Includes nested deeper than this are refused (a file including itself).
  static constexpr int kMaxIncludeDepth = 16;
  static constexpr int kMaxIncludeCount = 100;
  // Work limits of one Build or BuildRoot call, so that includes repeated at
  // every level cannot multiply without end: files read, controls created.
  static constexpr int kMaxFilesPerBuild = 256;
  static constexpr int kMaxControlsPerBuild = 20000;

  explicit CMarkupBuilder(IControlFactory* factory = nullptr) : m_pFactory(factory) {}

  // Builds a window file with no parent: returns the first control created
  // (the root), owned by the caller; null when the file is missing, has a
  // syntax error (GetLastErrorMessage) or creates no control.
  std::unique_ptr<CControlUI> BuildRoot(std::wstring_view path, SkinManager& manager);
  // Builds a file into `parent`, which owns what is created; returns the
  // first control created, or null.
  CControlUI* Build(std::wstring_view path, SkinManager& manager, CContainerUI* parent);

  // "<file>: <reader message> (line N)" for the last failure, else empty.
  const std::string& GetLastErrorMessage() const { return m_strError; }

 private:
  CControlUI* BuildFile(std::wstring_view path, SkinManager& manager, CContainerUI* parent,
                        std::unique_ptr<CControlUI>* owned, int depth);
  void BuildResources(const MarkupNode& root, const std::wstring& file, SkinManager& manager,
                      CContainerUI* parent, int depth);
  void ApplyWindowAttributes(const MarkupNode& root, SkinManager& manager);
  CControlUI* BuildControls(const MarkupNode& node, const std::wstring& file, SkinManager& manager,
                            CContainerUI* parent, std::unique_ptr<CControlUI>* owned, bool topLevel, int depth);
  void IncludeFile(const MarkupNode& node, SkinManager& manager, CContainerUI* parent, int depth,
                   CControlUI** first);

  IControlFactory* m_pFactory;
  std::string m_strError;
  int m_nFiles = 0;
  int m_nControls = 0;
};

// Applies a control's attribute list as the markup does, with "defaulattr"
// naming a default-table list; unknown names go to the build observer.
void ApplyMarkupAttribute(CControlUI& control, SkinManager& manager, const std::wstring& name,
                          const std::wstring& value);

}  // namespace SkinUI
