// TDeltaCode: ranking, writing and reading of the "BDC1" container.
//
// Coding keeps the bit order of the format: each code word is appended to a bit accumulator
// most significant bit first, and every full group of 16 bits leaves as one little-endian word.
#include "storage/delta_code.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "storage/container_mark.h"
#include "storage/crc32.h"
#include "storage/storage_reporter.h"

namespace {

constexpr std::size_t kTableOffset = container_mark::kHeaderSize;
constexpr std::uint8_t kClassNumberWidth = 2;
constexpr std::uint64_t kMaxLength = std::numeric_limits<std::uint32_t>::max();
// The writer's widths of classes 0..2 and the first rank of each class.
constexpr std::array<std::uint8_t, 3> kFixedWidths{1, 3, 5};
constexpr std::array<int, 4> kWriterBases{0, 2, 10, 42};

int CodeClass(int rank) {
    if (rank <= 1) return 0;
    if (rank <= 9) return 1;
    if (rank <= 41) return 2;
    return 3;
}

// The smallest k with 2^k > n.
std::uint8_t BitLength(int n) {
    std::uint8_t k = 0;
    while ((1 << k) <= n)
        ++k;
    return k;
}

void PutU16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
    PutU16(at, value & 0xFFFF);
    PutU16(at + 2, value >> 16);
}

std::uint32_t GetU16(const std::uint8_t* at) {
    return at[0] | static_cast<std::uint32_t>(at[1]) << 8;
}

std::uint32_t GetU32(const std::uint8_t* at) {
    return GetU16(at) | GetU16(at + 2) << 16;
}

}  // namespace

TDeltaCode::TDeltaCode(TStorageReporter* reporter) : reporter_(reporter) {
    ResetTables();
}

void TDeltaCode::ResetTables() {
    for (int i = 0; i < 256; ++i)
        symbols_[i] = {static_cast<std::uint8_t>(i), 0};
    ranks_.fill(0);
    highestRank_ = 0;
}

bool TDeltaCode::Encode() {
    try {
        if (dataStream_.size() > kMaxLength)
            throw std::length_error("data too long for a 32-bit container");
        Rank();
        Write();
        return true;
    } catch (...) {
        if (reporter_ != nullptr) reporter_->Report("読み込みに失敗しました");
        throw;
    }
}

void TDeltaCode::Rank() {
    ResetTables();
    std::array<std::int64_t, 256> counts{};
    for (const std::uint8_t byte : dataStream_)
        ++counts[byte];
    for (int i = 0; i < 256; ++i)
        symbols_[i].count = counts[i];
    Sort(0, 255);

    for (int r = 0; r < 256 && symbols_[r].count != 0; ++r) {
        ranks_[symbols_[r].value] = static_cast<std::uint8_t>(r);
        highestRank_ = r;
    }
    widths_ = {kFixedWidths[0], kFixedWidths[1], kFixedWidths[2],
               static_cast<std::uint8_t>(highestRank_ > 41 ? BitLength(highestRank_ - 41) : 6)};
}

// Largest count first. The exact partitioning decides the order of equal counts, and with it
// the bytes of the file, so it must stay as it is.
void TDeltaCode::Sort(int left, int right) {
    int i = left;
    int j = right;
    const std::int64_t pivot = symbols_[(left + right) / 2].count;
    do {
        while (symbols_[i].count > pivot)
            ++i;
        while (symbols_[j].count < pivot)
            --j;
        if (i <= j) {
            std::swap(symbols_[i], symbols_[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (left < j) Sort(left, j);
    if (i < right) Sort(i, right);
}

void TDeltaCode::Write() {
    std::array<std::uint16_t, 256> codeWord{};
    std::array<std::uint8_t, 256> codeLength{};
    for (int value = 0; value < 256; ++value) {
        const int rank = ranks_[value];
        const int k = CodeClass(rank);
        codeWord[value] = static_cast<std::uint16_t>(k << widths_[k] | (rank - kWriterBases[k]));
        codeLength[value] = static_cast<std::uint8_t>(kClassNumberWidth + widths_[k]);
    }

    std::uint64_t bits = 0;
    for (int r = 0; r <= highestRank_; ++r)
        bits += static_cast<std::uint64_t>(symbols_[r].count) * codeLength[symbols_[r].value];
    const std::size_t tableEnd = kTableOffset + highestRank_ + 1;
    const std::uint64_t total = tableEnd + 2 * ((bits + 15) / 16);
    if (total > kMaxLength) throw std::length_error("coded data too long for a 32-bit container");

    codeStream_.assign(total, 0);
    std::uint8_t* const file = codeStream_.data();
    std::memcpy(file, "BDC1", 4);
    PutU32(file + 4, static_cast<std::uint32_t>(total));
    PutU32(file + 8, static_cast<std::uint32_t>(dataStream_.size()));
    container_mark::Put(file, Crc32(dataStream_.data(), dataStream_.size()));
    PutU16(file + 16, static_cast<std::uint32_t>(highestRank_));
    file[18] = kClassNumberWidth;
    std::copy(widths_.begin(), widths_.end(), file + 19);
    for (int r = 0; r <= highestRank_; ++r)
        file[kTableOffset + r] = symbols_[r].value;

    // The accumulator holds `pending` bits not yet written, in its low bits.
    std::uint8_t* out = file + tableEnd;
    std::uint64_t accumulator = 0;
    int pending = 0;
    for (const std::uint8_t byte : dataStream_) {
        accumulator = accumulator << codeLength[byte] | codeWord[byte];
        pending += codeLength[byte];
        if (pending >= 16) {
            pending -= 16;
            PutU16(out, static_cast<std::uint32_t>(accumulator >> pending) & 0xFFFF);
            out += 2;
        }
    }
    if (pending > 0)
        PutU16(out, static_cast<std::uint32_t>(accumulator << (16 - pending)) & 0xFFFF);
}

bool TDeltaCode::Decode() {
    dataStream_.clear();
    const bool decoded = DecodeStages();
    if (!decoded) dataStream_.clear();
    return decoded;
}

bool TDeltaCode::DecodeStages() {
    using namespace delta_code_error;
    const std::uint8_t* const file = codeStream_.data();
    const std::size_t size = codeStream_.size();

    lastError_ = kFormat;
    if (size < 4 || std::memcmp(file, "BDC1", 4) != 0) return false;
    lastError_ = kRecordedSize;
    if (size < 8 || GetU32(file + 4) != size) return false;

    // A header the tables cannot take is a format error: no class-number width but 2, no class
    // wider than 8 bits, no rank above 255, and the whole rank table inside the file.
    lastError_ = kFormat;
    if (size <= kTableOffset) return false;
    const std::uint32_t plainLength = GetU32(file + 8);
    const std::uint32_t highestRank = GetU16(file + 16);
    const std::uint8_t classNumberWidth = file[18];
    std::array<std::uint8_t, 4> widths{};
    std::copy(file + 19, file + 23, widths.begin());
    if (highestRank > 255 || classNumberWidth != kClassNumberWidth) return false;
    if (std::any_of(widths.begin(), widths.end(), [](std::uint8_t w) { return w > 8; }))
        return false;
    const std::size_t tableEnd = kTableOffset + highestRank + 1;
    if (size < tableEnd) return false;

    // Class limits in 8-bit arithmetic, as files written with other widths expect.
    std::array<std::uint8_t, 4> bases{};
    std::uint8_t last = 0xFF;
    for (int k = 0; k < 4; ++k) {
        bases[k] = static_cast<std::uint8_t>(last + 1);
        last = static_cast<std::uint8_t>(last + (1u << widths[k]));
    }
    std::array<std::uint8_t, 256> values{};
    for (int i = 0; i < 256; ++i)
        values[i] = static_cast<std::uint8_t>(i);
    std::copy(file + kTableOffset, file + tableEnd, values.begin());

    // Every code word takes at least the class bits and the narrowest class: an N beyond what
    // the stream can hold is refused before anything is allocated.
    lastError_ = kReadSize;
    const std::uint64_t streamBits = (size - tableEnd + 1) / 2 * 16;
    const unsigned shortestWord =
        classNumberWidth + *std::min_element(widths.begin(), widths.end());
    if (plainLength > streamBits / shortestWord) return false;

    dataStream_.resize(plainLength);
    std::uint8_t* out = dataStream_.data();
    std::int64_t remaining = plainLength;
    std::uint64_t bitRegister = 0;
    unsigned available = 0;
    const unsigned classMask = (1u << classNumberWidth) - 1;
    // An odd last byte is read as a word whose high byte is zero.
    for (std::size_t at = tableEnd; remaining > 0 && at < size; at += 2) {
        const std::uint32_t word = at + 1 < size ? GetU16(file + at) : file[at];
        bitRegister = bitRegister << 16 | word;
        available += 16;
        while (available >= classNumberWidth) {
            available -= classNumberWidth;
            const unsigned k = (bitRegister >> available) & classMask;
            if (available < widths[k]) {
                available += classNumberWidth;  // the word is not complete yet
                break;
            }
            available -= widths[k];
            const unsigned offset = (bitRegister >> available) & ((1u << widths[k]) - 1);
            *out++ = values[static_cast<std::uint8_t>(offset + bases[k])];
            if (--remaining <= 0) break;
        }
    }
    if (remaining != 0) return false;

    lastError_ = kCheck;
    return !container_mark::Checked(file) ||
           Crc32(dataStream_.data(), dataStream_.size()) == container_mark::Check(file);
}
