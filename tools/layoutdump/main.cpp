// qira_layoutdump [--package skin.zip] [--size W,H] FILE [STEP...]
//
// Builds the window file FILE (for example "Xml\inst\wnd.xml") from the skin
// package (the one linked in, or --package), applies the steps in order
// ("tab_main=2" selects a page, "+name" shows and "-name" hides a control),
// lays the window out at its markup size (or --size) and prints every named
// control as JSON on standard output. Exit code 1 for bad arguments, a file
// that builds no tree, or a step that names no fitting control.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "common/base/strings.h"
#include "skin/embedded_skin.h"
#include "tools/layoutdump/layout_dump.h"
#include "ui/base/values.h"
#include "ui/core/window_impl_base.h"
#include "ui/package/resource_package.h"
#include "ui/platform/headless_host.h"

namespace {

class DumpWindow : public SkinUI::WindowImplBaseNew {
 public:
  explicit DumpWindow(std::wstring file) : file_(std::move(file)) {}

 protected:
  std::wstring_view GetWindowClassName() const override { return L"QIRALayoutDumpCls"; }
  std::wstring GetSkinFile() override { return file_; }

 private:
  std::wstring file_;
};

int Usage() {
  std::cerr << "usage: qira_layoutdump [--package skin.zip] [--size W,H] FILE [tab=page | +name | -name]...\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string package;
  std::string sizeText;
  std::string file;
  std::vector<layoutdump::Step> steps;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--package" && i + 1 < argc) {
      package = argv[++i];
    } else if (arg == "--size" && i + 1 < argc) {
      sizeText = argv[++i];
    } else if (file.empty()) {
      file = arg;
    } else {
      layoutdump::Step step;
      if (!layoutdump::ParseStep(arg, step)) return Usage();
      steps.push_back(step);
    }
  }
  if (file.empty()) return Usage();

  std::vector<unsigned char> bytes;
  if (!package.empty()) {
    std::ifstream in(package, std::ios::binary);
    if (!in) {
      std::cerr << "cannot read " << package << "\n";
      return 1;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  } else {
    auto embedded = skin::EmbeddedPackage();
    bytes.assign(embedded.begin(), embedded.end());
  }
  SkinUI::RegisterResourcePackage(bytes);

  SkinUI::HeadlessHost host(SkinUI::HeadlessHost::Clock::kVirtual);
  DumpWindow window(base::Utf8ToWide(file));
  window.SetHost(&host);
  if (!window.Create(nullptr, L"layout", SkinUI::kWsPopup, 0) || !window.GetManager().GetRoot()) {
    std::cerr << "no control tree: " << window.GetBuildError() << "\n";
    return 1;
  }
  if (!sizeText.empty()) {
    auto size = SkinUI::ParseSize(base::Utf8ToWide(sizeText));
    if (!size) return Usage();
    window.ResizeClient(size->cx, size->cy);
  }
  auto failed = layoutdump::ApplySteps(window.GetManager(), steps);
  const SkinUI::Rect client = host.GetClientRect(window.GetHWND());
  nlohmann::json out = {{"file", file},
                        {"size", {client.Width(), client.Height()}},
                        {"controls", layoutdump::DumpControls(window.GetManager())}};
  std::cout << out.dump(1) << "\n";
  for (const std::string& name : failed) std::cerr << "no such control or page: " << name << "\n";
  return failed.empty() ? 0 : 1;
}
