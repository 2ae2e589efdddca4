#pragma once
// Animated image controls: CSequenceUI plays the frames of a horizontal strip
// (its background image), CFadeSequenceUI holds each frame and cross-fades to
// the next, CGifUI plays an animated GIF from the package.
#include <memory>
#include <vector>

#include "ui/control/label.h"

namespace SkinUI {

class CSequenceUI : public CLabelUI {
 public:
  static constexpr uint32_t kFrameTimer = 1000;

  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  // Starts (or restarts) the frame timer; frame and loop counters stay.
  virtual void Start();
  // Stops the timers; with `reset` also returns to frame 0.
  virtual void Stop(bool reset);

  int GetFrameCount() const { return m_nFrameCount; }
  int GetCurrentFrame() const { return m_nCurFrame; }
  int GetPeriod() const { return m_nElapse; }
  int GetLoopLimit() const { return m_nLoopCount; }
  int GetLoopsDone() const { return m_nLoopsDone; }

  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(EventUI& event) override;
  void PaintBkImage(ICanvas& canvas) override;

 protected:
  // Frame i of the strip: the source shifted right by i frame widths.
  std::optional<Rect> FrameSource(int frame);
  bool DrawFrame(ICanvas& canvas, int frame, uint8_t alpha);

  int m_nFrameCount = 0;
  int m_nCurFrame = 0;
  int m_nElapse = 100;
  int m_nLoopCount = 0;
  int m_nLoopsDone = 0;
};

class CFadeSequenceUI : public CSequenceUI {
 public:
  static constexpr uint32_t kFadeTimer = 1001;

  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  void Start() override;
  void Stop(bool reset) override;
  int GetFadeLevel() const { return m_nFadeLevel; }

  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(EventUI& event) override;
  void PaintBkImage(ICanvas& canvas) override;

 private:
  int m_nFadeLevel = 0;
  int m_nFadeStep = 25;
  int m_nFadeElapse = 100;
};

// The decoded frames of a GIF and the index of the one to draw next.
struct CGifHandler {
  std::vector<AnimationFrame> frames;
  size_t current = 0;
};

class CGifUI : public CControlUI {
 public:
  static constexpr uint32_t kFrameTimer = 5;

  std::wstring_view GetClass() const override;
  void* GetInterface(std::wstring_view name) override;

  void SetGif(std::wstring_view path);
  size_t GetFrameCount() const { return m_gif.frames.size(); }
  size_t GetCurrentFrame() const { return m_gif.current; }

  void DoInit() override;
  void SetVisible(bool visible) override;
  bool SetAttribute(std::wstring_view name, std::wstring_view value) override;
  void DoEvent(EventUI& event) override;
  void PaintStatusImage(ICanvas& canvas) override;

 private:
  void StartTimer(bool replaceZeroDelay);

  std::wstring m_strGif;
  CGifHandler m_gif;
  std::unique_ptr<ICanvas> m_surface;
};

}  // namespace SkinUI
