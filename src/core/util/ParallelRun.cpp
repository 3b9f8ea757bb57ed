#include "util/ParallelRun.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace morvix {

void runInParallel(size_t n, const std::function<void(size_t)> &task,
                   const std::atomic<int64_t> *progress, int64_t total, int32_t calls,
                   const std::function<void(int32_t)> &gauge) {
    const bool reporting = gauge && progress && calls > 0 && total > 0;
    if (n == 1 && !reporting) {
        task(0);
        return;
    }
    std::mutex mutex;
    std::condition_variable ended;
    size_t running = n;
    std::exception_ptr failure;
    std::vector<std::thread> threads;
    threads.reserve(n);
    for (size_t i = 0; i < n; ++i)
        threads.emplace_back([&, i] {
            std::exception_ptr caught;
            try {
                task(i);
            } catch (...) {
                caught = std::current_exception();
            }
            std::lock_guard<std::mutex> lock(mutex);
            if (caught && !failure)
                failure = caught;
            if (--running == 0)
                ended.notify_one();
        });
    int32_t done = 0;
    auto report = [&](int64_t reached) {
        const auto due = static_cast<int32_t>(
            std::min<int64_t>(calls, reached * static_cast<int64_t>(calls) / total));
        for (; done < due; ++done)
            gauge(0);
    };
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (running > 0) {
            ended.wait_for(lock, std::chrono::milliseconds(20));
            if (reporting) {
                lock.unlock();
                report(progress->load(std::memory_order_relaxed));
                lock.lock();
            }
        }
    }
    for (std::thread &t : threads)
        t.join();
    if (reporting)
        report(total);
    if (failure)
        std::rethrow_exception(failure);
}

size_t usefulThreads() {
    const unsigned hw = std::thread::hardware_concurrency();
    return std::clamp<size_t>(hw == 0 ? 1 : hw, 1, 8);
}

} // namespace morvix
