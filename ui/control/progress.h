#pragma once
// Horizontal progress bar: the fore image drawn over the filled part.
#include "ui/control/label.h"

namespace SkinUI {

class CProgressUI : public CLabelUI {
 public:
  CProgressUI();
  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  int GetValue() const { return m_nValue; }
  // Clamped to [min, max] (0 to 100 unless set).
  void SetValue(int value);
  const ImageSpec& GetForeImage() const { return m_foreImage; }
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void PaintStatusImage(ICanvas& canvas) override;

 private:
  int m_nMin = 0;
  int m_nMax = 100;
  int m_nValue = 0;
  ImageSpec m_foreImage;
};

}  // namespace SkinUI
