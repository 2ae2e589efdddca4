// Painting the installer window's whole control tree on the recording
// renderer, page by page: time per full paint and the draw calls it records.
// The reference, measured in the same run, is recording the same number of
// plain fills straight onto a canvas, so the ratio is the cost of walking the
// tree, clipping, choosing images and laying out text per draw call.
#include <cstdio>

#include "bench/micros_per_run.h"
#include "skin/embedded_skin.h"
#include "ui/control/animation.h"
#include "ui/control/container.h"
#include "ui/core/skin_manager.h"
#include "ui/markup/markup_builder.h"
#include "ui/package/resource_package.h"
#include "ui/platform/recording_renderer.h"

int main() {
  auto package = skin::EmbeddedPackage();
  SkinUI::RegisterResourcePackage({package.data(), package.size()});
  SkinUI::RecordingRenderer renderer;
  SkinUI::SkinManager pm;
  pm.SetRenderer(&renderer);
  pm.SetInitSize({819, 574});
  SkinUI::CMarkupBuilder builder;
  if (!pm.AttachDialog(builder.BuildRoot(L"Xml\\inst\\wnd.xml", pm))) {
    std::printf("skin_paint: the installer window did not build\n");
    return 1;
  }
  auto* tab = static_cast<SkinUI::CTabLayoutUI*>(pm.FindByName(L"tab_main"));
  const SkinUI::Rect all{0, 0, 819, 574};
  const int runs = 2000;
  int failures = 0;
  for (int page = 0; page < 4; ++page) {
    tab->SelectPage(page);
    pm.UpdateLayout(true);
    size_t records = 0;
    const double paintUs = bench::MicrosPerRun(runs, [&] {
      SkinUI::RecordingCanvas canvas({819, 574});
      pm.PaintTo(canvas, all);
      records = canvas.Records().size();
    });
    const double referenceUs = bench::MicrosPerRun(runs, [&] {
      SkinUI::RecordingCanvas canvas({819, 574});
      for (size_t i = 0; i < records; ++i) canvas.FillRect(all, 0xFFFFFFFF);
    });
    failures += records == 0;
    std::printf("skin_paint: page %d, %3zu draw calls: %7.1f us per full paint, reference %6.1f us (%.1fx)\n", page,
                records, paintUs, referenceUs, referenceUs > 0 ? paintUs / referenceUs : 0.0);
  }
  // One frame of the introduction picture mid-fade: only its rectangle.
  tab->SelectPage(0);
  pm.UpdateLayout(true);
  const SkinUI::Rect picture = pm.FindByName(L"seq_introduce_check")->GetPos();
  const double fadeUs = bench::MicrosPerRun(runs, [&] {
    SkinUI::RecordingCanvas canvas({819, 574});
    pm.PaintTo(canvas, picture);
  });
  std::printf("skin_paint: repaint of the introduction picture alone: %.1f us\n", fadeUs);
  return failures == 0 ? 0 : 1;
}
