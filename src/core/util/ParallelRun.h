// Running a few tasks of one computation on threads of their own while the calling thread
// reports their progress: the core's progress callbacks are only ever called from the thread
// that called the core.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace morvix {

// Runs task(0) ... task(n-1) at once (on this thread alone when n is 1 and there is nothing
// to report), and meanwhile turns `progress`, rising from 0 to `total`, into `calls` calls of
// `gauge` (the last ones once every task has ended). The first exception a task throws is
// thrown again here once every task has ended.
void runInParallel(size_t n, const std::function<void(size_t)> &task,
                   const std::atomic<int64_t> *progress = nullptr, int64_t total = 0,
                   int32_t calls = 0, const std::function<void(int32_t)> &gauge = {});

// Threads worth starting for one computation on this machine (at least 1, at most 8).
size_t usefulThreads();

} // namespace morvix
