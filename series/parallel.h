#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <stop_token>
#include <system_error>
#include <thread>
#include <vector>

namespace series {

// work(i) for every i below count, on `jobs` threads of which the calling
// thread is one; with jobs <= 1 no thread is made. Each worker takes the next
// index nobody has taken, so the threads finish together however the items'
// times differ. `done` (optional) counts finished items. Once `stop` is
// requested no further item starts and the answer is false.
template <typename Work>
bool forEachIndex(std::size_t count, unsigned jobs, std::atomic<std::size_t>* done, std::stop_token stop, Work work)
{
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i = next++; i < count && !stop.stop_requested(); i = next++) {
            work(i);
            if (done)
                done->fetch_add(1, std::memory_order_relaxed);
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(jobs, count);
    for (std::size_t i = 1; i < wanted; ++i) {
        try {
            helpers.emplace_back(worker);
        } catch (const std::system_error&) {
            // No more threads to be had: the ones made share the work.
            break;
        }
    }
    worker();
    for (std::thread& helper : helpers)
        helper.join();
    return !stop.stop_requested();
}

}  // namespace series
