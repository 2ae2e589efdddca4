// Fuzzes the whole build of a window file: the input is the window markup in
// a package with a few images and an included file, built windowless, laid
// out and painted on the recording renderer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/core/skin_manager.h"
#include "ui/markup/markup_builder.h"
#include "ui/package/resource_package.h"
#include "ui/platform/recording_renderer.h"
#include "ui/control/control.h"
#include "ui/testing/zip_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace SkinUI;
  // Input that is not a window file becomes the body of one, so that most
  // runs reach the builder rather than stopping at the root element.
  std::string markup(reinterpret_cast<const char*>(data), size);
  if (markup.rfind("<Window", 0) != 0) {
    markup = "<Window size=\"300,200\"><Font size=\"12\" default=\"true\"/><Style name=\"s\" value=\"width=&quot;20&quot;\"/>"
             "<VerticalLayout>" + markup + "</VerticalLayout></Window>";
  }
  SkinUI::testing::ZipWriter writer;
  writer.Add("xml/w.xml", markup);
  writer.Add("xml/inc.xml", "<Window><Font size=\"14\"/><Label name=\"inc\" text=\"{a}x{/a}\" showhtml=\"true\"/></Window>");
  writer.Add("img/a.png", SkinUI::testing::FakePng(64, 16));
  writer.Add("img/b.gif", std::string("GIF89a\x10\x00\x10\x00\x00\x00\x00;", 14));
  ReleaseResourcePackage();
  RegisterResourcePackage(writer.Finish());

  RecordingRenderer renderer;
  SkinManager pm;
  pm.SetRenderer(&renderer);
  CMarkupBuilder builder;
  std::unique_ptr<CControlUI> root = builder.BuildRoot(L"xml/w.xml", pm);
  if (root) {
    pm.AttachDialog(std::move(root));
    if (pm.Attributes().initSize.cx <= 0 || pm.Attributes().initSize.cx > 4096 ||
        pm.Attributes().initSize.cy <= 0 || pm.Attributes().initSize.cy > 4096) {
      pm.Attributes().initSize = {300, 200};
    }
    pm.UpdateLayout(true);
    RecordingCanvas canvas(pm.Attributes().initSize);
    pm.PaintTo(canvas, pm.GetClientRect());
  }
  return 0;
}
