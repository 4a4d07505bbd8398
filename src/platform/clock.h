// The tick count of the game: milliseconds from a monotonic clock, 64 bits wide so that a round
// that spans weeks of uptime is timed right. Tests hand the game a clock they drive themselves.
#pragma once

#include <cstdint>

class TClock {
  public:
    virtual ~TClock() = default;
    virtual std::int64_t NowMs() const = 0;
};

// Milliseconds since an arbitrary fixed point, never going backwards.
class TSystemClock final : public TClock {
  public:
    std::int64_t NowMs() const override;
};
