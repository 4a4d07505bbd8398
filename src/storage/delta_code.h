// TDeltaCode: the codec of the "BDC1" container in which every data file is kept.
//
// Byte values are ranked by frequency (rank 0 the most frequent) and every byte becomes a code
// word of a 2-bit class number and an offset: ranks 0-1 in 3 bits, 2-9 in 5, 10-41 in 7 and
// 42-H in w3 + 2 bits. The ranking (and its quicksort tie order) is part of the format: equal
// data give identical files outside the reserved header bytes. Container layout (little-endian):
//   0 "BDC1" | 4 total length | 8 plain length N | 12 reserved | 16 H (u16) | 18 class-number
//   width 2 | 19 w0 w1 w2 w3 | 23 reserved | 32 H + 1 values in rank order |
//   code words (u16).
// The bit stream runs from bit 15 of each 16-bit word down; the last word is padded with zeros.
//
// Bytes 12-15 and 23-31 are reserved: the writer puts its mark there (a CRC-32 of the plain data,
// a flag and a signature; see container_mark.h), and the reader checks only containers that
// carry that mark. Any other content of those bytes is read as the format says, unchecked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TStorageReporter;

class TDeltaCode {
  public:
    using Bytes = std::vector<std::uint8_t>;

    // The reporter receives the message of a failed Encode; null means none.
    explicit TDeltaCode(TStorageReporter* reporter = nullptr);

    Bytes& DataStream() { return dataStream_; }
    const Bytes& DataStream() const { return dataStream_; }
    Bytes& CodeStream() { return codeStream_; }
    const Bytes& CodeStream() const { return codeStream_; }

    // Codes the whole of DataStream into CodeStream. Data too long for the container's 32-bit
    // lengths throws std::length_error (after reporting "読み込みに失敗しました").
    bool Encode();

    // Decodes CodeStream into DataStream; true when exactly N bytes came out and they pass the
    // check (when the file carries the mark). On false, LastError names the stage that stopped
    // it. Never reads or writes outside its tables and
    // never allocates more than the code stream can produce.
    bool Decode();

    const std::string& LastError() const { return lastError_; }

  private:
    struct TSymbol {
        std::uint8_t value;
        std::int64_t count;
    };

    void ResetTables();
    void Rank();
    void Sort(int left, int right);
    void Write();
    bool DecodeStages();

    TStorageReporter* reporter_;
    Bytes dataStream_;
    Bytes codeStream_;
    std::array<TSymbol, 256> symbols_{};
    std::array<std::uint8_t, 256> ranks_{};
    int highestRank_ = 0;
    std::array<std::uint8_t, 4> widths_{1, 3, 5, 6};
    std::string lastError_;
};

// The decoder's stage messages.
namespace delta_code_error {
inline constexpr const char* kFormat = "データの形式が違います";
inline constexpr const char* kRecordedSize = "記録データのサイズが違います";
inline constexpr const char* kReadSize = "読み出しデータのサイズが違います";
inline constexpr const char* kCheck = "データの検査値が合いません";
}  // namespace delta_code_error
