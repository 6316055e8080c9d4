#pragma once

#include <future>
#include <system_error>

namespace ui {

// Runs work on a thread of its own, for what must not hold up a turn (the disk); with no thread
// to spare, the work runs when its result is first waited for.
template <class Work> auto inBackground(Work work) -> std::future<decltype(work())> {
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

} // namespace ui
