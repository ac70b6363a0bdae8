#include "headless/clock.h"

#include <thread>

namespace headless {

int32_t Clock::now() const {
    const int64_t ms = fake_ ? fakeMs_
                             : std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - start_)
                                   .count();
    // The host's timer is a 32-bit millisecond count that wraps.
    return int32_t(uint32_t(uint64_t(ms)));
}

void Clock::sleep(int32_t ms) {
    if (ms <= 0) {
        return;
    }
    if (fake_) {
        fakeMs_ += ms;
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

} // namespace headless
