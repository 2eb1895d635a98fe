#pragma once

#include "common/clock.h"

// A clock for tests: the time it was set to.
class FixedClock : public quendal::common::Clock {
public:
    explicit FixedClock(quendal::common::LocalDateTime at) : at_(at) {}
    quendal::common::LocalDateTime now() const override { return at_; }
    void set(quendal::common::LocalDateTime at) { at_ = at; }

private:
    quendal::common::LocalDateTime at_;
};
