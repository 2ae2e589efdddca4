#include "ui/control/animation.h"

#include "ui/base/values.h"
#include "ui/core/skin_manager.h"
#include "ui/package/resource_package.h"

namespace SkinUI {
namespace {

bool SetIntAttribute(std::wstring_view value, int& target) {
  auto n = ParseInt(value);
  if (n) target = *n;
  return n.has_value();
}

}  // namespace

std::wstring_view CSequenceUI::GetClass() const { return L"SequenceUI"; }

void* CSequenceUI::GetInterface(std::wstring_view name) {
  if (name == L"Sequence") return this;
  return CLabelUI::GetInterface(name);
}

void CSequenceUI::Start() {
  if (!m_pManager) return;
  KillTimer(kFrameTimer);
  SetTimer(kFrameTimer, static_cast<uint32_t>(std::max(m_nElapse, 1)));
}

void CSequenceUI::Stop(bool reset) {
  if (!m_pManager) return;
  KillTimer(kFrameTimer);
  if (reset) {
    m_nCurFrame = 0;
    m_nLoopsDone = 0;
    Invalidate();
  }
}

bool CSequenceUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  int* target = nullptr;
  if (name == L"imagecount") target = &m_nFrameCount;
  else if (name == L"elapse") target = &m_nElapse;
  else if (name == L"loopcount") target = &m_nLoopCount;
  if (!target) return CLabelUI::SetAttribute(name, value);
  if (!SetIntAttribute(value, *target)) ReportMalformed(name, value);
  return true;
}

void CSequenceUI::DoEvent(EventUI& event) {
  if (event.type != EventType::kTimer || event.wParam != kFrameTimer) {
    CLabelUI::DoEvent(event);
    return;
  }
  ++m_nCurFrame;
  if (m_nCurFrame >= m_nFrameCount) {
    ++m_nLoopsDone;
    m_nCurFrame = 0;
    if (m_nLoopsDone == m_nLoopCount) KillTimer(kFrameTimer);
  }
  Invalidate();
}

std::optional<Rect> CSequenceUI::FrameSource(int frame) {
  if (!m_pManager || m_nFrameCount < 1) return std::nullopt;
  auto image = m_pManager->GetImage(m_bkImage.file);
  if (!image) return std::nullopt;
  Rect source = m_bkImage.source.value_or(Rect{0, 0, image->Width(), image->Height()});
  if (source.IsEmpty()) source = {0, 0, image->Width(), image->Height()};
  const int32_t width = source.Width() / m_nFrameCount;
  const int32_t left = source.left + frame * width;
  return Rect{left, source.top, left + width, source.bottom};
}

bool CSequenceUI::DrawFrame(ICanvas& canvas, int frame, uint8_t alpha) {
  auto source = FrameSource(frame);
  return source && DrawImage(canvas, m_bkImage, source, alpha);
}

void CSequenceUI::PaintBkImage(ICanvas& canvas) {
  if (m_bkImage.IsEmpty() || m_nFrameCount < 2) {
    CLabelUI::PaintBkImage(canvas);
    return;
  }
  if (!DrawFrame(canvas, m_nCurFrame, 255)) m_bkImage = ImageSpec{};  // forget a strip that cannot be drawn
}

std::wstring_view CFadeSequenceUI::GetClass() const { return L"FadeSequenceUI"; }

void* CFadeSequenceUI::GetInterface(std::wstring_view name) {
  if (name == L"FadeSequence") return this;
  return CSequenceUI::GetInterface(name);
}

void CFadeSequenceUI::Start() {
  if (!m_pManager) return;
  KillTimer(kFadeTimer);
  KillTimer(kFrameTimer);
  SetTimer(kFrameTimer, static_cast<uint32_t>(std::max(m_nElapse, 1)));
}

void CFadeSequenceUI::Stop(bool reset) {
  if (!m_pManager) return;
  KillTimer(kFadeTimer);
  KillTimer(kFrameTimer);
  if (reset) {
    m_nFadeLevel = 0;
    m_nCurFrame = 0;
    m_nLoopsDone = 0;
    Invalidate();
  }
}

bool CFadeSequenceUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  int* target = nullptr;
  if (name == L"fadeelapse") target = &m_nFadeElapse;
  else if (name == L"fadestep") target = &m_nFadeStep;
  if (!target) return CSequenceUI::SetAttribute(name, value);
  if (!SetIntAttribute(value, *target)) ReportMalformed(name, value);
  return true;
}

void CFadeSequenceUI::DoEvent(EventUI& event) {
  if (event.type == EventType::kTimer && event.wParam == kFrameTimer) {
    KillTimer(kFrameTimer);
    if (m_nCurFrame + 1 == m_nFrameCount) ++m_nLoopsDone;
    if (m_nLoopCount == 0 || m_nLoopsDone < m_nLoopCount) {
      m_nFadeLevel = m_nFadeStep;
      SetTimer(kFadeTimer, static_cast<uint32_t>(std::max(m_nFadeElapse, 1)));
    }
    Invalidate();
  } else if (event.type == EventType::kTimer && event.wParam == kFadeTimer) {
    if (m_nFadeLevel > 254) {
      KillTimer(kFadeTimer);
      ++m_nCurFrame;
      m_nFadeLevel = 0;
      if (m_nCurFrame >= m_nFrameCount) m_nCurFrame = 0;
      SetTimer(kFrameTimer, static_cast<uint32_t>(std::max(m_nElapse, 1)));
    } else {
      m_nFadeLevel += m_nFadeStep;
    }
    Invalidate();
  } else {
    CSequenceUI::DoEvent(event);
  }
}

void CFadeSequenceUI::PaintBkImage(ICanvas& canvas) {
  if (m_bkImage.IsEmpty() || m_nFrameCount < 1) {
    // Without frames there is nothing to split: the strip is drawn whole.
    CLabelUI::PaintBkImage(canvas);
    return;
  }
  const int next = (m_nCurFrame + 1) % m_nFrameCount;
  if (m_nFadeLevel <= 0) {
    DrawFrame(canvas, m_nCurFrame, 255);
  } else if (m_nFadeLevel <= 254) {
    DrawFrame(canvas, m_nCurFrame, static_cast<uint8_t>(255 - m_nFadeLevel));
    DrawFrame(canvas, next, static_cast<uint8_t>(m_nFadeLevel));
  } else {
    DrawFrame(canvas, next, 255);
  }
}

std::wstring_view CGifUI::GetClass() const { return L"GifUI"; }

void* CGifUI::GetInterface(std::wstring_view name) {
  if (name == L"Gif") return this;
  return CControlUI::GetInterface(name);
}

void CGifUI::StartTimer(bool replaceZeroDelay) {
  if (!m_pManager || m_gif.frames.empty()) return;
  int32_t delay = m_gif.frames[m_gif.current].delayMs;
  if (replaceZeroDelay && delay <= 0) delay = 100;
  KillTimer(kFrameTimer);
  SetTimer(kFrameTimer, static_cast<uint32_t>(std::max(delay, 1)));
}

void CGifUI::SetGif(std::wstring_view path) {
  m_strGif = path;
  m_gif = CGifHandler{};
  m_surface.reset();
  if (m_pManager && m_pManager->GetRenderer()) {
    if (auto bytes = ReadResourceFile(path)) {
      m_gif.frames = m_pManager->GetRenderer()->DecodeAnimation(*bytes, path);
    }
    if (m_pManager->GetBuildObserver()) {
      m_pManager->GetBuildObserver()->ImageReference(std::wstring(path), !m_gif.frames.empty());
    }
  }
  StartTimer(true);
  Invalidate();
}

void CGifUI::DoInit() { StartTimer(true); }

void CGifUI::SetVisible(bool visible) {
  CControlUI::SetVisible(visible);
  if (visible) StartTimer(false);
  else KillTimers();
}

bool CGifUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
  if (name == L"gif") {
    SetGif(value);
    return true;
  }
  return CControlUI::SetAttribute(name, value);
}

void CGifUI::DoEvent(EventUI& event) {
  if (event.type == EventType::kTimer && event.wParam == kFrameTimer) {
    // Under a hidden page the GIF is not drawn, so the frame does not move on;
    // repainting its old place would only redraw the page shown over it.
    if (IsVisibleInTree()) Invalidate();
    return;
  }
  CControlUI::DoEvent(event);
}

void CGifUI::PaintStatusImage(ICanvas& canvas) {
  if (m_gif.frames.empty() || !m_pManager || !m_pManager->GetRenderer()) return;
  if (!m_surface) {
    m_surface = m_pManager->GetRenderer()->CreateCanvas({m_rcItem.Width(), m_rcItem.Height()});
    if (!m_surface) return;
  }
  const AnimationFrame& frame = m_gif.frames[m_gif.current];
  if (frame.image) {
    ImageDraw draw;
    draw.source = {0, 0, frame.image->Width(), frame.image->Height()};
    draw.dest = draw.source;
    draw.stretch = false;
    m_surface->DrawImage(*frame.image, draw);
  }
  m_gif.current = (m_gif.current + 1) % m_gif.frames.size();
  canvas.DrawCanvas(*m_surface, m_rcItem, 255);
}

}  // namespace SkinUI
