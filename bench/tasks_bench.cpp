// Throughput of the worker pool: 100,000 empty tasks through a pool of at most four
// workers with three kept ready, against a plain pool of four std::threads sharing one
// mutex-guarded queue, both measured in the same run. The "ratio" counter is the
// pool's time over the plain pool's time.

#include "tasks/overlapped_pool.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kTasks = 100'000;

// The baseline: workers pop from one queue until it is empty and they are told to stop.
class TPlainPool {
public:
    explicit TPlainPool(int aThreads) {
        for (int i = 0; i < aThreads; ++i) {
            fThreads.emplace_back([this] { Work(); });
        }
    }

    void Add(std::function<void()> aTask) {
        {
            std::lock_guard lock(fLock);
            fQueue.push_back(std::move(aTask));
        }
        fChanged.notify_one();
    }

    // Runs everything queued, then ends the workers.
    void Finish() {
        {
            std::lock_guard lock(fLock);
            fStopping = true;
        }
        fChanged.notify_all();
        for (auto& thread : fThreads) {
            thread.join();
        }
    }

private:
    void Work() {
        for (;;) {
            std::function<void()> task;
            {
                std::unique_lock lock(fLock);
                fChanged.wait(lock, [this] { return fStopping || !fQueue.empty(); });
                if (fQueue.empty()) {
                    return;
                }
                task = std::move(fQueue.front());
                fQueue.pop_front();
            }
            task();
        }
    }

    std::mutex fLock;
    std::condition_variable fChanged;
    std::deque<std::function<void()>> fQueue;
    bool fStopping = false;
    std::vector<std::thread> fThreads;
};

double Seconds(const std::function<void()>& aRun) {
    const auto start = std::chrono::steady_clock::now();
    aRun();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_EmptyTasksThroughPool(benchmark::State& aState) {
    double plain = 0;
    double pooled = 0;
    for (auto _ : aState) {
        plain += Seconds([] {
            TPlainPool pool(4);
            for (int i = 0; i < kTasks; ++i) {
                pool.Add([] {});
            }
            pool.Finish();
        });
        pooled += Seconds([] {
            auto pool = brivane::TOverlappedPool::Make(4, 3);
            const auto tasks = pool->Tasks();
            for (int i = 0; i < kTasks; ++i) {
                tasks <= [] {};
            }
            tasks.Wait(brivane::kInfinite, false);
        });
    }
    const auto iterations = static_cast<double>(aState.iterations());
    aState.counters["plain_ms"] = plain / iterations * 1000;
    aState.counters["pool_ms"] = pooled / iterations * 1000;
    aState.counters["ratio"] = pooled / plain;
}

} // namespace

BENCHMARK(BM_EmptyTasksThroughPool)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
