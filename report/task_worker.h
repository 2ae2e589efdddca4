#pragma once
// One background thread that runs posted tasks one at a time, in the order the
// queue hands them out.
//
// Stop rule: once Stop has cleared the running flag the thread runs at most one
// more task (the one it is running, or the first it takes from the queue: a task
// posted just before Stop, or Stop's own wake-up task) and ends; every other
// queued task is destroyed unrun, on the worker thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include <concurrentqueue/blockingconcurrentqueue.h>

class TaskWorker {
 public:
  using Task = std::function<void()>;

  TaskWorker() = default;
  ~TaskWorker();  // Stop, then destroys the tasks still queued, unrun
  TaskWorker(const TaskWorker&) = delete;
  TaskWorker& operator=(const TaskWorker&) = delete;

  // Launches the thread. Only on a worker without a thread.
  void Start();
  // Queues a task and wakes the thread; never waits. Any thread may call it,
  // including a task of this worker. False only when memory runs out.
  bool Post(Task task);
  // Returns when the thread has ended. A second Stop, or Stop on a worker that
  // never started, does nothing. Never call it from a task of this worker.
  void Stop();
  // The worker thread's id (base::CurrentThreadId), 0 while it has no thread.
  uint32_t ThreadId() const { return threadId_.load(std::memory_order_acquire); }
  // Whether the thread is waiting for a task (past the running-flag check).
  bool IsWaitingForTesting() const { return waiting_.load(); }

 private:
  void Run();

  moodycamel::BlockingConcurrentQueue<Task> queue_;
  std::atomic<bool> running_{false};
  std::thread thread_;
  std::atomic<uint32_t> threadId_{0};
  std::atomic<bool> waiting_{false};
};
