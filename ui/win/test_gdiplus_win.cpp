#include "ui/win/gdiplus_session.h"
#include "ui/win/test_images.h"

namespace SkinUI::testing {

void EnsureGdiplus() { static GdiplusSession session; }

}  // namespace SkinUI::testing
