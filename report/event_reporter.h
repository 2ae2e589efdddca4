#pragma once
// Where the installer window sends its numbered usage events. The reporting
// service's sender implements it; RecordingReporter keeps the events in
// memory (the window's reporter until that sender exists, and tests').
#include <mutex>
#include <vector>

class ClientInfo;

class IEventReporter {
 public:
  virtual ~IEventReporter() = default;
  // Takes the application record and starts the reporter's own worker.
  virtual void Initialize(const ClientInfo& info) = 0;
  // Queues one event; never blocks the caller. Any thread.
  virtual void ReportEvent(int eventId) = 0;
  // Stops the reporter's worker (it sends at most one more queued event).
  virtual void Stop() = 0;
};

class RecordingReporter : public IEventReporter {
 public:
  void Initialize(const ClientInfo& info) override;
  void ReportEvent(int eventId) override;
  void Stop() override;

  std::vector<int> Events() const;
  bool Initialized() const;
  bool Stopped() const;

 private:
  mutable std::mutex lock_;
  std::vector<int> events_;
  bool initialized_ = false;
  bool stopped_ = false;
};
