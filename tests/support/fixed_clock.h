#pragma once

#include "common/clock.h"

// A clock for tests: the time it was set to.
class FixedClock : public Clock {
public:
    explicit FixedClock(LocalDateTime at) : at_(at) {}
    LocalDateTime now() const override { return at_; }
    void set(LocalDateTime at) { at_ = at; }

private:
    LocalDateTime at_;
};
