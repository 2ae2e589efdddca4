// One million posted no-op tasks through TaskWorker, against a worker over a
// mutex and condition variable queue, in the same run.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "report/task_worker.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTasks = 1'000'000;

// The reference: the plain textbook worker.
class MutexWorker {
 public:
  MutexWorker() : thread_([this] { Run(); }) {}
  ~MutexWorker() {
    {
      std::lock_guard<std::mutex> g(lock_);
      stop_ = true;
    }
    cv_.notify_one();
    thread_.join();
  }
  void Post(std::function<void()> task) {
    {
      std::lock_guard<std::mutex> g(lock_);
      queue_.push_back(std::move(task));
    }
    cv_.notify_one();
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> l(lock_);
    for (;;) {
      cv_.wait(l, [this] { return stop_ || !queue_.empty(); });
      if (queue_.empty()) return;
      auto task = std::move(queue_.front());
      queue_.pop_front();
      l.unlock();
      task();
      l.lock();
    }
  }
  std::mutex lock_;
  std::condition_variable cv_;
  std::deque<std::function<void()>> queue_;
  bool stop_ = false;
  std::thread thread_;
};

template <typename Worker>
double Run(Worker& worker) {
  std::promise<void> done;
  const auto t0 = Clock::now();
  for (int i = 0; i < kTasks; ++i) worker.Post([] {});
  worker.Post([&] { done.set_value(); });
  done.get_future().wait();
  return std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / kTasks;
}

}  // namespace

int main() {
  double ours = 1e9, reference = 1e9;
  for (int round = 0; round < 3; ++round) {
    {
      TaskWorker w;
      w.Start();
      ours = std::min(ours, Run(w));
      w.Stop();
    }
    {
      MutexWorker w;
      reference = std::min(reference, Run(w));
    }
  }
  std::printf("task_worker_bench: %d tasks  TaskWorker %.1f ns/task  mutex+condvar %.1f ns/task"
              "  ratio %.2f\n",
              kTasks, ours, reference, reference / ours);
  return 0;
}
