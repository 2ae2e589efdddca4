#include "report/task_worker.h"

#include <exception>

#include "common/base/thread_id.h"
#include "common/log/log.h"

TaskWorker::~TaskWorker() { Stop(); }

void TaskWorker::Start() {
  // The flag is raised here rather than by the new thread, so that a Stop that
  // comes before the thread has begun still finds it set and joins the thread.
  running_.exchange(true);
  thread_ = std::thread([this] { Run(); });
}

bool TaskWorker::Post(Task task) { return queue_.enqueue(std::move(task)); }

void TaskWorker::Stop() {
  bool expected = true;
  if (!running_.compare_exchange_strong(expected, false)) return;
  queue_.enqueue([] {});
  if (thread_.joinable()) thread_.join();
  thread_ = std::thread();
  threadId_.store(0, std::memory_order_release);
}

void TaskWorker::Run() {
  threadId_.store(base::CurrentThreadId(), std::memory_order_release);
  while (running_.load()) {
    Task task;
    waiting_.store(true);
    queue_.wait_dequeue(task);
    waiting_.store(false);
    try {
      task();
    } catch (const std::exception& e) {
      // A failing task ends; the worker carries on with the next one.
      PLOG_ERROR << "task failed: " << e.what();
    } catch (...) {
      PLOG_ERROR << "task failed";
    }
  }
  // Discard what is left. Draining (rather than swapping in a new queue) keeps
  // producers that post at this moment safe; the queue is left empty.
  Task discarded;
  while (queue_.try_dequeue(discarded)) discarded = nullptr;
}
