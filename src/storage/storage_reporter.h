// Where storage sends the messages it shows the user (a missing file, a failed save). The game
// connects it to a real message box; tests collect the texts. Texts are UTF-8.
#pragma once

#include <string>

class TStorageReporter {
  public:
    virtual ~TStorageReporter() = default;
    virtual void Report(const std::string& text) = 0;
};

// Writes each message as one line to standard error.
class TStderrStorageReporter final : public TStorageReporter {
  public:
    void Report(const std::string& text) override;
};

// The reporter used when the caller names none; stateless.
TStorageReporter& DefaultStorageReporter();
