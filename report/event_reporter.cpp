#include "report/event_reporter.h"

#include "common/log/log.h"

void RecordingReporter::Initialize(const ClientInfo&) {
  std::lock_guard<std::mutex> g(lock_);
  initialized_ = true;
}

void RecordingReporter::ReportEvent(int eventId) {
  PLOG_INFO << "event " << eventId;
  std::lock_guard<std::mutex> g(lock_);
  events_.push_back(eventId);
}

void RecordingReporter::Stop() {
  std::lock_guard<std::mutex> g(lock_);
  stopped_ = true;
}

std::vector<int> RecordingReporter::Events() const {
  std::lock_guard<std::mutex> g(lock_);
  return events_;
}

bool RecordingReporter::Initialized() const {
  std::lock_guard<std::mutex> g(lock_);
  return initialized_;
}

bool RecordingReporter::Stopped() const {
  std::lock_guard<std::mutex> g(lock_);
  return stopped_;
}
