#include <gtest/gtest.h>

#include <cstring>

#include "algorithms/AlgorithmList.h"
#include "algorithms/WriteBuffer.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> list) { return std::vector<uint8_t>(list); }

TEST(BuiltInAlgorithms, FiveInTheirPositionsWithTheirPasses) {
    AlgorithmList list;
    list.AddBuiltInAlgorithms();
    ASSERT_EQ(list.count(), 5u);
    EXPECT_EQ(list.at(0).name, "Quick Shred");
    EXPECT_EQ(list.at(1).name, "U.S. Standard, DoD 5220.22-M");
    EXPECT_EQ(list.at(2).name, "NAVSO P-5239-26 (RLL)");
    EXPECT_EQ(list.at(3).name, "NAVSO P-5239-26 (MFM)");
    EXPECT_EQ(list.at(4).name, "German Standard, VSITR");
    for (size_t i = 0; i < 5; ++i) EXPECT_FALSE(list.at(i).isCustom);

    EXPECT_EQ(list.at(0).passCount(), 1);
    EXPECT_EQ(list.at(0).passes[0].pattern, Bytes({0x00}));

    const auto& dod = list.at(1).passes;
    ASSERT_EQ(dod.size(), 3u);
    EXPECT_TRUE(dod[0].IsRandom());
    EXPECT_TRUE(dod[1].IsComplement());
    EXPECT_TRUE(dod[2].IsRandom());

    EXPECT_EQ(list.at(2).passes[1].pattern, Bytes({0x27, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(list.at(3).passes[1].pattern, Bytes({0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_TRUE(list.at(3).passes[2].IsRandom());

    const auto& vsitr = list.at(4).passes;
    ASSERT_EQ(vsitr.size(), 7u);
    const uint8_t expected[] = {0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xAA};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(vsitr[i].pattern, Bytes({expected[i]})) << i;

    EXPECT_NE(list.at(2).description.find("\"Information Systems Security (INFOSEC) Program Guidelines\""),
              std::string::npos);
}

TEST(AlgorithmList, PositionBeyondTheListFallsBackToTheFirst) {
    AlgorithmList list;
    list.AddBuiltInAlgorithms();
    EXPECT_EQ(&list.AtOrFirst(4), &list.at(4));
    EXPECT_EQ(&list.AtOrFirst(5), &list.at(0));
    EXPECT_EQ(&list.AtOrFirst(-1), &list.at(0));
    EXPECT_EQ(&list.AtOrFirst(1LL << 40), &list.at(0));
}

TEST(ShredRandom, FollowsTheLinearCongruentialSequence) {
    ShredRandom random;
    random.Seed(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int value : expected) EXPECT_EQ(random.Next(), value);
    random.Seed(0);
    EXPECT_EQ(random.Next(), 38);
}

TEST(ByteToHex, TwoUpperCaseDigits) {
    EXPECT_EQ(ByteToHex(0x00), "00");
    EXPECT_EQ(ByteToHex(0x05), "05");
    EXPECT_EQ(ByteToHex(0x0A), "0A");
    EXPECT_EQ(ByteToHex(0xAB), "AB");
    EXPECT_EQ(ByteToHex(0xFF), "FF");
}

class FillWriteBufferTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(buffer.Allocate()); }
    WriteBuffer buffer;
    ShredRandom random;
};

TEST_F(FillWriteBufferTest, ThreeBytePatternIsCutAtTheEndOfTheBuffer) {
    const uint8_t pattern[] = {0xAA, 0xBB, 0xCC};
    buffer.FillWriteBuffer(FillMode::Pattern, pattern, 3, random);
    for (size_t k = 0; k < WriteBuffer::kSize; ++k) ASSERT_EQ(buffer.data()[k], pattern[k % 3]) << k;
    EXPECT_EQ(buffer.data()[65534], 0xCC);
    EXPECT_EQ(buffer.data()[65535], 0xAA);
}

TEST_F(FillWriteBufferTest, PatternLongerThanTheBufferIsCut) {
    std::vector<uint8_t> pattern(70000);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 7);
    buffer.FillWriteBuffer(FillMode::Pattern, pattern.data(), pattern.size(), random);
    for (size_t k = 0; k < WriteBuffer::kSize; ++k) ASSERT_EQ(buffer.data()[k], pattern[k]) << k;
}

TEST_F(FillWriteBufferTest, MissingOrEmptyPatternWritesZeros) {
    std::memset(buffer.data(), 0x5A, WriteBuffer::kSize);
    buffer.FillWriteBuffer(FillMode::Pattern, nullptr, 0, random);
    for (size_t k = 0; k < WriteBuffer::kSize; ++k) ASSERT_EQ(buffer.data()[k], 0) << k;
    std::memset(buffer.data(), 0x5A, WriteBuffer::kSize);
    ShredPass empty = ShredPass::MakePattern({});
    buffer.FillForPass(empty, random);
    for (size_t k = 0; k < WriteBuffer::kSize; ++k) ASSERT_EQ(buffer.data()[k], 0) << k;
}

TEST_F(FillWriteBufferTest, RandomTakesTheLowByteOfEachDrawAndComplementInvertsInPlace) {
    random.Seed(1234);
    buffer.FillWriteBuffer(FillMode::Random, nullptr, 0, random);
    ShredRandom reference;
    reference.Seed(1234);
    std::vector<uint8_t> first(buffer.data(), buffer.data() + WriteBuffer::kSize);
    for (size_t k = 0; k < WriteBuffer::kSize; ++k)
        ASSERT_EQ(first[k], static_cast<uint8_t>(reference.Next() & 0xFF)) << k;

    buffer.FillWriteBuffer(FillMode::Complement, nullptr, 0, random);
    for (size_t k = 0; k < WriteBuffer::kSize; ++k) ASSERT_EQ(buffer.data()[k], static_cast<uint8_t>(~first[k]));

    // Kinds other than 0 and 1 count as a pattern.
    ShredPass odd = ShredPass::MakePattern({0x42});
    odd.kind = static_cast<PassKind>(7);
    buffer.FillForPass(odd, random);
    EXPECT_EQ(buffer.data()[0], 0x42);
    EXPECT_EQ(buffer.data()[65535], 0x42);
}

}  // namespace
