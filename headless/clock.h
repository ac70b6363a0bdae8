// The host's millisecond timer: real time by default; tests set a fake clock that moves only when
// told to (and when the plug-in sleeps).
#pragma once

#include <chrono>
#include <cstdint>

namespace headless {

class Clock {
public:
    // Real time counts from the system clock's own start (on Linux the boot), as the host's
    // timer does: two hosts started in quick succession read different times, so that what is
    // seeded from the timer (the render seed) differs too.
    Clock() : start_() {}

    int32_t now() const;
    void sleep(int32_t ms);

    void setFake(int64_t ms) {
        fake_ = true;
        fakeMs_ = ms;
    }
    void advance(int64_t ms) { fakeMs_ += ms; }
    bool isFake() const { return fake_; }

private:
    std::chrono::steady_clock::time_point start_;
    bool fake_ = false;
    int64_t fakeMs_ = 0;
};

} // namespace headless
