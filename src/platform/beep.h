// The system's warning beep, which the board sounds when it refuses a move. Tests hand the board
// a beep that only counts.
#pragma once

class TBeep {
  public:
    virtual ~TBeep() = default;
    virtual void Beep() = 0;
};

// The platform's default warning sound.
class TSystemBeep final : public TBeep {
  public:
    void Beep() override;
};
