#include "ui/control/progress.h"

#include <algorithm>

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"

namespace SkinUI {

CProgressUI::CProgressUI() { m_uTextStyle = kTextCenter | kTextVCenter | kTextSingleLine; }

std::wstring_view CProgressUI::GetClass() const { return L"ProgressUI"; }

void* CProgressUI::GetInterface(std::wstring_view name) {
  if (name == L"Progress") return this;
  return CLabelUI::GetInterface(name);
}

void CProgressUI::SetValue(int value) {
  value = std::clamp(value, m_nMin, std::max(m_nMin, m_nMax));
  if (value == m_nValue) return;
  m_nValue = value;
  Invalidate();
}

bool CProgressUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"value" || name == L"min" || name == L"max") {
    auto n = ParseInt(value);
    if (!n) {
      ReportMalformed(name, value);
    } else if (name == L"value") {
      SetValue(*n);
    } else if (name == L"min") {
      m_nMin = *n;
    } else {
      m_nMax = *n;
    }
  } else if (name == L"foreimage") {
    if (auto spec = ParseImageSpec(value)) {
      if (m_pManager && m_pManager->GetBuildObserver() && !spec->file.empty()) {
        m_pManager->GetBuildObserver()->ImageReference(spec->file, m_pManager->GetImage(spec->file) != nullptr);
      }
      m_foreImage = *spec;
      Invalidate();
    } else {
      ReportMalformed(name, value);
    }
  } else if (name == L"hor") {
    // Only horizontal bars are drawn.
  } else {
    return CLabelUI::SetAttribute(name, value);
  }
  return true;
}

void CProgressUI::PaintStatusImage(ICanvas& canvas) {
  if (m_foreImage.IsEmpty() || !m_pManager || m_nMax <= m_nMin) return;
  auto image = m_pManager->GetImage(m_foreImage.file);
  if (!image) return;
  const int64_t range = static_cast<int64_t>(m_nMax) - m_nMin;
  const int32_t filled = static_cast<int32_t>(m_rcItem.Width() * (static_cast<int64_t>(m_nValue) - m_nMin) / range);
  if (filled <= 0) return;
  // The filled part shows the same fraction of the image, left-aligned.
  Rect source = m_foreImage.source.value_or(Rect{0, 0, image->Width(), image->Height()});
  source.right = source.left + static_cast<int32_t>(source.Width() * (static_cast<int64_t>(m_nValue) - m_nMin) / range);
  ImageSpec part = m_foreImage;
  part.dest = Rect{0, 0, filled, m_rcItem.Height()};
  DrawImage(canvas, part, source);
}

}  // namespace SkinUI
