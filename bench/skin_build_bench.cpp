// Building the installer window's whole control tree from the skin package
// and laying it out: time per build and peak memory. The reference is reading
// the window's markup files alone (package lookup, inflation and markup
// parsing) in the same run.
#include <sys/resource.h>

#include <cstdio>
#include <memory>

#include "bench/micros_per_run.h"
#include "skin/embedded_skin.h"
#include "ui/control/control.h"
#include "ui/core/skin_manager.h"
#include "ui/markup/markup_builder.h"
#include "ui/markup/markup_reader.h"
#include "ui/package/resource_package.h"
#include "ui/platform/recording_renderer.h"

namespace {

long PeakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main() {
  auto package = skin::EmbeddedPackage();
  SkinUI::RegisterResourcePackage({package.data(), package.size()});
  const long rssBefore = PeakRssKiB();
  SkinUI::RecordingRenderer renderer;
  size_t controls = 0;

  auto build = [&] {
    SkinUI::SkinManager pm;
    pm.SetRenderer(&renderer);
    SkinUI::CMarkupBuilder builder;
    pm.AttachDialog(builder.BuildRoot(L"Xml\\inst\\wnd.xml", pm));
    pm.UpdateLayout(true);
    std::function<size_t(SkinUI::CControlUI*)> count = [&](SkinUI::CControlUI* c) {
      size_t n = 1;
      for (int i = 0; i < c->GetChildCount(); ++i) n += count(c->GetChildAt(i));
      return n;
    };
    controls = pm.GetRoot() ? count(pm.GetRoot()) : 0;
  };
  auto readOnly = [&] {
    for (const wchar_t* file : {L"Xml\\inst\\wnd.xml", L"xml\\common\\Font.xml", L"xml\\common\\Style.xml",
                                L"xml\\inst\\panel\\check.xml", L"xml\\inst\\panel\\step0.xml",
                                L"xml\\inst\\panel\\step1.xml", L"xml\\inst\\panel\\step3.xml"}) {
      auto bytes = SkinUI::ReadResourceFile(file);
      if (bytes) SkinUI::ReadMarkup({reinterpret_cast<const char*>(bytes->data()), bytes->size()});
    }
  };
  build();  // warm-up, and the control count
  const int runs = 300;
  const double readUs = bench::MicrosPerRun(runs, readOnly);
  const double buildUs = bench::MicrosPerRun(runs, build);
  std::printf("skin_build: package %zu bytes, installer window %zu controls\n", package.size(), controls);
  std::printf("skin_build: read and parse the 7 markup files  %8.1f us per run (reference)\n", readUs);
  std::printf("skin_build: build the whole tree and lay it out %8.1f us per build (%.2fx the reference)\n", buildUs,
              buildUs / readUs);
  std::printf("skin_build: peak resident memory %ld KiB (%ld KiB before the builds)\n", PeakRssKiB(), rssBefore);
  return controls > 0 ? 0 : 1;
}
