// The bounded little-endian reader and writer under the chunk format.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "core/LittleEndianBytes.h"

namespace {

TEST(LittleEndianBytes, LeastSignificantByteFirst) {
    uint8_t block[8] = {};
    LittleEndianWriter writer(block, sizeof block);
    ASSERT_TRUE(writer.writeUint32(0, 0x5A51374Eu));
    ASSERT_TRUE(writer.writeFloat(4, 1.0f));
    const uint8_t expected[8] = {0x4E, 0x37, 0x51, 0x5A, 0x00, 0x00, 0x80, 0x3F};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(block[i], expected[i]) << i;

    const LittleEndianReader reader(block, sizeof block);
    uint32_t magic = 0;
    float one = 0.0f;
    ASSERT_TRUE(reader.readUint32(0, magic));
    ASSERT_TRUE(reader.readFloat(4, one));
    EXPECT_EQ(magic, 0x5A51374Eu);
    EXPECT_EQ(one, 1.0f);
}

TEST(LittleEndianBytes, FieldsReachingPastTheBlockAreNeitherReadNorWritten) {
    uint8_t block[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const LittleEndianReader reader(block, 8);
    uint32_t value = 77;
    EXPECT_TRUE(reader.readUint32(4, value));
    EXPECT_FALSE(reader.readUint32(5, value));
    EXPECT_FALSE(reader.readUint32(8, value));
    EXPECT_FALSE(reader.readUint32(std::numeric_limits<size_t>::max() - 1, value));
    uint8_t copy[4] = {0, 0, 0, 0};
    EXPECT_FALSE(reader.readBytes(6, copy, 3));
    EXPECT_FALSE(reader.readBytes(1, copy, std::numeric_limits<size_t>::max()));
    EXPECT_EQ(copy[0], 0);
    EXPECT_TRUE(reader.readBytes(8, copy, 0));

    LittleEndianWriter writer(block, 8);
    EXPECT_FALSE(writer.writeUint32(6, 0xFFFFFFFFu));
    EXPECT_FALSE(writer.writeBytes(7, copy, 2));
    for (int i = 0; i < 9; ++i) EXPECT_EQ(block[i], i + 1) << i;

    const LittleEndianReader nothing(nullptr, 100);
    EXPECT_FALSE(nothing.readUint32(0, value));
    EXPECT_EQ(value, 0x08070605u) << "a refused read leaves the value alone";
}

}  // namespace
