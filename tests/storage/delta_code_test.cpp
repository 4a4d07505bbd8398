// The container codec: exact bytes of known files, the code classes at their borders, every
// rejection stage, the check of the text, and files with headers the writer never makes.
#include "storage/delta_code.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "logic/random.h"
#include "storage/crc32.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encoded(const Bytes& data) {
    TDeltaCode codec;
    codec.DataStream() = data;
    EXPECT_TRUE(codec.Encode());
    return codec.CodeStream();
}

Bytes Encoded(const std::string& text) {
    return Encoded(Bytes(text.begin(), text.end()));
}

// Decodes file; the decoded bytes, or the stage message prefixed with "!".
std::string Decoded(const Bytes& file) {
    TDeltaCode codec;
    codec.CodeStream() = file;
    if (!codec.Decode()) return "!" + codec.LastError();
    return std::string(codec.DataStream().begin(), codec.DataStream().end());
}

void SetU32(Bytes& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        file.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

// The file as an earlier writer made it: nothing in the reserved bytes 12-15 and 23-31.
Bytes WithoutCheck(Bytes file) {
    SetU32(file, 12, 0);
    std::fill(file.begin() + 23, file.begin() + 32, 0);
    return file;
}

// A container built by hand: the widths, table and bits ("0"/"1" characters) given.
Bytes HandMade(std::array<std::uint8_t, 4> widths, const Bytes& table, const std::string& bits,
               std::uint32_t plainLength) {
    Bytes file(32 + table.size(), 0);
    std::copy_n("BDC1", 4, file.begin());
    SetU32(file, 8, plainLength);
    file[16] = static_cast<std::uint8_t>(table.size() - 1);
    file[18] = 2;
    std::copy(widths.begin(), widths.end(), file.begin() + 19);
    std::copy(table.begin(), table.end(), file.begin() + 32);
    for (std::size_t at = 0; at < bits.size(); at += 16) {
        std::string group = bits.substr(at, 16);
        group.resize(16, '0');
        const auto word = std::stoul(group, nullptr, 2);
        file.push_back(static_cast<std::uint8_t>(word));
        file.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    SetU32(file, 4, static_cast<std::uint32_t>(file.size()));
    return file;
}

TEST(DeltaCode, AbcIsTheKnownFile) {
    const Bytes expected{0x42, 0x44, 0x43, 0x31, 0x25, 0,    0,    0,    0x03, 0,    0,   0, 0,
                         0,    0,    0,    0x02, 0,    0x02, 0x01, 0x03, 0x05, 0x06, 0,   0, 0,
                         0,    0,    0,    0,    0,    0,    0x63, 0x62, 0x61, 0x00, 0x41};
    const Bytes file = Encoded("abc");
    EXPECT_EQ(WithoutCheck(file), expected);
    // The mark: CRC-32 of "abc" at 12, the flag at 23, the signature at 24.
    EXPECT_EQ((Bytes(file.begin() + 12, file.begin() + 16)), (Bytes{0xC2, 0x41, 0x24, 0x35}));
    EXPECT_EQ(file[23], 1);
    EXPECT_EQ((Bytes(file.begin() + 24, file.begin() + 32)),
              (Bytes{0xB5, 0x8E, 0xD2, 0x9C, 0xE7, 0xA3, 0xC9, 0x86}));
    EXPECT_EQ(Decoded(file), "abc");
    EXPECT_EQ(Decoded(expected), "abc") << "an earlier writer's file is read without a check";
}

TEST(Crc32, KnownValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()),
              0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    // Eight bytes per step and the tail agree with one bit per step, at every length.
    const auto bitByBit = [](const Bytes& data) {
        std::uint32_t crc = 0xFFFFFFFFu;
        for (const std::uint8_t byte : data) {
            crc ^= byte;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ ((crc & 1) != 0 ? 0xEDB88320u : 0);
        }
        return ~crc;
    };
    TRandom random(32);
    Bytes data;
    for (int size = 0; size < 40; ++size) {
        EXPECT_EQ(Crc32(data.data(), data.size()), bitByBit(data)) << size;
        data.push_back(static_cast<std::uint8_t>(random.Below(256)));
    }
}

// A table byte changed gives another text of the right length, caught by the check only: the
// check stays on whatever damage does to the mark's bytes, short of wiping most of it.
TEST(DeltaCode, TheMarkKeepsTheCheckThroughDamageToItsBytes) {
    const auto otherText = [](Bytes& f) { std::swap(f[32], f[33]); };
    struct Case {
        const char* what;
        void (*damage)(Bytes&);
        bool checkKept;  // the CRC itself is untouched, so the written text still passes
    };
    const Case cases[] = {
        {"as written", [](Bytes&) {}, true},
        {"check bytes and flag zeroed", [](Bytes& f) { SetU32(f, 12, 0), f[23] = 0; }, false},
        {"a check bit flipped", [](Bytes& f) { f[13] ^= 0x10; }, false},
        {"the flag changed", [](Bytes& f) { f[23] = 0x7F; }, true},
        {"half the signature zeroed", [](Bytes& f) { std::fill_n(f.begin() + 24, 4, 0); }, true},
        {"the signature's other half overwritten",
         [](Bytes& f) { std::fill_n(f.begin() + 28, 4, 0xFF), f[23] = 0; }, true},
        {"the game's files before the signature",
         [](Bytes& f) { std::fill_n(f.begin() + 24, 8, 0); }, true},
    };
    const std::string refused = std::string("!") + delta_code_error::kCheck;
    for (const Case& c : cases) {
        Bytes file = Encoded("hello");
        c.damage(file);
        EXPECT_EQ(Decoded(file), c.checkKept ? "hello" : refused) << c.what;
        otherText(file);
        EXPECT_EQ(Decoded(file), refused) << c.what;
    }
    // The empty text's CRC is 0: the mark keeps it checked.
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    Bytes empty = Encoded("");
    SetU32(empty, 8, 1);
    empty.insert(empty.end(), {0, 0});
    SetU32(empty, 4, static_cast<std::uint32_t>(empty.size()));
    EXPECT_EQ(Decoded(empty), refused);
}

// The reserved bytes of a file that does not carry the mark are ignored, whatever they hold.
TEST(DeltaCode, AnotherWritersReservedBytesAreReadAsTheFormatSays) {
    const auto fill = [](Bytes file, auto byteAt) {
        for (std::size_t at : {12, 13, 14, 15, 23, 24, 25, 26, 27, 28, 29, 30, 31})
            file[at] = byteAt(at);
        return file;
    };
    const Bytes hello = Encoded("hello");
    struct Case {
        const char* what;
        Bytes file;
    };
    const Case cases[] = {
        {"zeros", WithoutCheck(hello)},
        {"ones", fill(hello, [](std::size_t) { return 0xFF; })},
        {"text", fill(hello, [](std::size_t at) { return "writer 7 made it"[at - 12]; })},
        {"a CRC without the flag", fill(hello, [&](std::size_t at) { return at < 23 ? 7 : 0; })},
        {"three bytes of the signature",
         fill(hello, [&](std::size_t at) { return at >= 24 && at < 27 ? hello[at] : 0x55; })},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Decoded(c.file), "hello") << c.what;
    TRandom random(9);
    for (int round = 0; round < 2000; ++round) {
        const Bytes file =
            fill(hello, [&](std::size_t) { return static_cast<std::uint8_t>(random.Below(256)); });
        ASSERT_EQ(Decoded(file), "hello") << "round " << round;
    }
    // Without the mark there is no check: another text of the right length comes out.
    Bytes unmarked = WithoutCheck(hello);
    std::swap(unmarked[32], unmarked[33]);
    EXPECT_EQ(Decoded(unmarked).size(), 5u);
}

TEST(DeltaCode, EmptyDataIsThirtyThreeBytesWithTableByteAA) {
    const Bytes file = Encoded("");
    ASSERT_EQ(file.size(), 33u);
    EXPECT_EQ(file[4], 33);
    EXPECT_EQ(file[16], 0);
    EXPECT_EQ(file[22], 6);
    EXPECT_EQ(file[32], 0xAA);
    EXPECT_EQ(Decoded(file), "");
}

TEST(DeltaCode, OneRepeatedValueCostsThreeBitsEach) {
    const Bytes file = Encoded(std::string(16, 'x'));
    EXPECT_EQ(file.size(), 33u + 6);  // 48 bits of zeros
    EXPECT_EQ(Decoded(file), std::string(16, 'x'));
}

TEST(DeltaCode, HighestRankAndLastClassWidthFollowTheDistinctValues) {
    struct Case {
        int distinct;
        int highestRank;
        int w3;
    };
    for (const Case c :
         {Case{42, 41, 6}, Case{43, 42, 1}, Case{73 + 1, 73, 6}, Case{256, 255, 8}}) {
        // Value v occurs v + 1 times, so every rank is known and all four classes are used.
        Bytes data;
        for (int v = 0; v < c.distinct; ++v)
            data.insert(data.end(), v + 1, static_cast<std::uint8_t>(v));
        const Bytes file = Encoded(data);
        EXPECT_EQ(file[16] | file[17] << 8, c.highestRank) << c.distinct;
        EXPECT_EQ(file[22], c.w3) << c.distinct;
        EXPECT_EQ(file[32], c.distinct - 1) << "the most frequent value has rank 0";
        EXPECT_EQ(Decoded(file), std::string(data.begin(), data.end())) << c.distinct;
    }
}

TEST(DeltaCode, RandomDataRoundTrips) {
    TRandom random(7);
    for (int size : {1, 2, 15, 16, 17, 1000, 70000}) {
        Bytes data(size);
        const int spread = random.Between(1, 256);
        for (auto& byte : data)
            byte = static_cast<std::uint8_t>(random.Below(spread));
        EXPECT_EQ(Decoded(Encoded(data)), std::string(data.begin(), data.end())) << size;
    }
}

TEST(DeltaCode, RejectsAtTheStageReached) {
    using namespace delta_code_error;
    const Bytes good = Encoded("hello, world");
    const auto with = [&](auto change) {
        Bytes file = good;
        change(file);
        return Decoded(file);
    };
    const auto fixLength = [](Bytes& f) { SetU32(f, 4, static_cast<std::uint32_t>(f.size())); };
    EXPECT_EQ(with([](Bytes& f) { f[3] = '2'; }), std::string("!") + kFormat);
    EXPECT_EQ(with([](Bytes& f) { f[0] = 'X'; }), std::string("!") + kFormat);
    EXPECT_EQ(with([](Bytes& f) { f.resize(3); }), std::string("!") + kFormat);
    EXPECT_EQ(with([](Bytes& f) { f.push_back(0); }), std::string("!") + kRecordedSize);
    EXPECT_EQ(with([](Bytes& f) { f.resize(f.size() - 1); }), std::string("!") + kRecordedSize);
    EXPECT_EQ(with([](Bytes& f) { f.resize(6); }), std::string("!") + kRecordedSize);
    EXPECT_EQ(with([&](Bytes& f) { f.resize(f.size() - 2), fixLength(f); }),
              std::string("!") + kReadSize);
    // Headers the tables cannot take.
    EXPECT_EQ(with([](Bytes& f) { f[17] = 1; }), std::string("!") + kFormat);  // H = 256 + ...
    EXPECT_EQ(with([](Bytes& f) { f[18] = 3; }), std::string("!") + kFormat);
    EXPECT_EQ(with([](Bytes& f) { f[21] = 9; }), std::string("!") + kFormat);
    EXPECT_EQ(with([&](Bytes& f) { f[16] = 200, fixLength(f); }), std::string("!") + kFormat);
    EXPECT_EQ(with([&](Bytes& f) { f.resize(32), fixLength(f); }), std::string("!") + kFormat);
}

TEST(DeltaCode, RefusesALyingLengthBeforeAllocating) {
    Bytes file = Encoded("abc");
    SetU32(file, 8, 0xFFFFFFFF);
    TDeltaCode codec;
    codec.CodeStream() = file;
    EXPECT_FALSE(codec.Decode());
    EXPECT_EQ(codec.LastError(), delta_code_error::kReadSize);
    EXPECT_EQ(codec.DataStream().capacity(), 0u);
}

TEST(DeltaCode, DecodesFilesTheWriterNeverMakes) {
    // Reserved bytes with content, and words after the last needed one.
    Bytes file = Encoded("abc");
    std::fill(file.begin() + 24, file.begin() + 32, 0xEE);
    file.insert(file.end(), {0xFF, 0xFF, 0x12, 0x34});
    SetU32(file, 4, static_cast<std::uint32_t>(file.size()));
    EXPECT_EQ(Decoded(file), "abc");

    // Zero-width classes: each code word is its class number alone.
    EXPECT_EQ(Decoded(HandMade({0, 0, 0, 0}, {'w', 'x', 'y', 'z'},
                               "00011011"
                               "1100",
                               5)),
              "wxyzz");
    // 8-bit classes wrap around in 8-bit arithmetic: class 1 starts again at rank 0.
    Bytes table(256);
    std::iota(table.begin(), table.end(), 0);
    EXPECT_EQ(Decoded(HandMade({8, 8, 8, 8}, table,
                               "0001000001"
                               "0101000010",
                               2)),
              "AB");
    // Any class widths 0..8 mixed; class 1 has width 2 here, base 2 + 0.
    EXPECT_EQ(Decoded(HandMade({1, 2, 0, 8}, {'a', 'b', 'c', 'd', 'e', 'f', 'g'},
                               "001"
                               "0111"
                               "10",
                               3)),
              "bfg");
}

}  // namespace
