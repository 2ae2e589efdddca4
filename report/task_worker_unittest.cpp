#include "report/task_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "common/base/thread_id.h"

namespace {

using namespace std::chrono_literals;

// Records the order in which tasks ran, from any thread.
struct Trace {
  void Add(int v) {
    std::lock_guard<std::mutex> g(lock);
    seen.push_back(v);
  }
  std::vector<int> Get() {
    std::lock_guard<std::mutex> g(lock);
    return seen;
  }
  std::mutex lock;
  std::vector<int> seen;
};

// Counts how many copies of a task object were destroyed without running.
struct Probe {
  std::shared_ptr<std::atomic<int>> ran = std::make_shared<std::atomic<int>>(0);
};

TEST(TaskWorkerTest, RunsTasksInPostingOrderOnItsOwnThread) {
  TaskWorker worker;
  EXPECT_EQ(worker.ThreadId(), 0u);
  worker.Start();
  Trace trace;
  std::promise<uint32_t> tid;
  for (int i = 0; i < 100; ++i) worker.Post([&trace, i] { trace.Add(i); });
  worker.Post([&] { tid.set_value(base::CurrentThreadId()); });
  const uint32_t workerTid = tid.get_future().get();
  EXPECT_EQ(workerTid, worker.ThreadId());
  EXPECT_NE(workerTid, base::CurrentThreadId());
  worker.Stop();
  std::vector<int> expected(100);
  for (int i = 0; i < 100; ++i) expected[i] = i;
  EXPECT_EQ(trace.Get(), expected);
  EXPECT_EQ(worker.ThreadId(), 0u);
}

TEST(TaskWorkerTest, StopFinishesRunningTaskAndDiscardsTheQueue) {
  TaskWorker worker;
  worker.Start();
  std::promise<void> started;
  std::atomic<bool> finished{false};
  worker.Post([&] {
    started.set_value();
    std::this_thread::sleep_for(200ms);
    finished = true;
  });
  std::atomic<int> later{0};
  for (int i = 0; i < 10; ++i) worker.Post([&] { ++later; });
  started.get_future().wait();
  worker.Stop();
  EXPECT_TRUE(finished);  // Stop returned only after the running task
  EXPECT_EQ(later, 0);
}

TEST(TaskWorkerTest, TaskPostedJustBeforeStopOnIdleWorkerRuns) {
  for (int round = 0; round < 20; ++round) {
    TaskWorker worker;
    worker.Start();
    std::promise<void> idle;
    worker.Post([&] { idle.set_value(); });
    idle.get_future().wait();
    while (!worker.IsWaitingForTesting()) std::this_thread::sleep_for(1ms);
    std::atomic<int> ran{0};
    worker.Post([&] { ++ran; });
    worker.Stop();
    EXPECT_EQ(ran, 1) << "round " << round;
  }
}

TEST(TaskWorkerTest, StopTwiceAndStopWithoutStartDoNothing) {
  TaskWorker never;
  never.Stop();
  never.Stop();
  TaskWorker worker;
  worker.Start();
  worker.Stop();
  worker.Stop();
  SUCCEED();
}

TEST(TaskWorkerTest, StopRightAfterStartJoinsTheThread) {
  for (int i = 0; i < 50; ++i) {
    TaskWorker worker;
    worker.Start();
    worker.Stop();
    EXPECT_EQ(worker.ThreadId(), 0u);
  }
}

TEST(TaskWorkerTest, DestructionDestroysQueuedTasksUnrun) {
  Probe probe;
  std::weak_ptr<std::atomic<int>> alive = probe.ran;
  {
    TaskWorker worker;  // never started: tasks wait in the queue
    for (int i = 0; i < 5; ++i) worker.Post([p = probe.ran] { ++*p; });
    probe.ran.reset();
  }
  EXPECT_TRUE(alive.expired());  // every captured copy was destroyed
}

TEST(TaskWorkerTest, TaskMayPostToItsOwnWorker) {
  TaskWorker worker;
  worker.Start();
  std::promise<std::pair<uint32_t, uint32_t>> done;
  worker.Post([&] {
    const uint32_t outer = base::CurrentThreadId();
    worker.Post([&, outer] { done.set_value({outer, base::CurrentThreadId()}); });
  });
  auto [outer, inner] = done.get_future().get();
  EXPECT_EQ(outer, inner);
  worker.Stop();
}

TEST(TaskWorkerTest, ThrowingTaskDoesNotStopTheWorker) {
  TaskWorker worker;
  worker.Start();
  worker.Post([] { throw std::runtime_error("boom"); });
  std::promise<void> next;
  worker.Post([&] { next.set_value(); });
  EXPECT_EQ(next.get_future().wait_for(5s), std::future_status::ready);
  worker.Stop();
}

TEST(TaskWorkerTest, ManyProducers) {
  TaskWorker worker;
  worker.Start();
  std::atomic<int> count{0};
  std::vector<std::thread> producers;
  for (int t = 0; t < 4; ++t)
    producers.emplace_back([&] {
      for (int i = 0; i < 1000; ++i) worker.Post([&] { ++count; });
    });
  for (auto& p : producers) p.join();
  // No order holds between producers, so wait for the count itself.
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (count < 4000 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(1ms);
  worker.Stop();
  EXPECT_EQ(count, 4000);
}

}  // namespace
