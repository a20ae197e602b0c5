#include "datawin/FontRecord.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// Every field off its default.
FontRecord BoldCourier()
{
    // Height, width, escapement, orientation, weight, italic, underline, strike-out, character
    // set, output precision, clip precision, quality, pitch and family, face.
    return {-13, 7, -900, 2700, 700, 1, 2, 3, 204, 5, 6, 7, 0x31, "Courier New"};
}

struct RoundTripCase {
    const char* name;
    FontRecord font;
};

class FontRecordRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

FontRecord WithFace(FontRecord font, std::string face)
{
    font.faceName = std::move(face);
    return font;
}

FontRecord WithHeightAndWeight(FontRecord font, int32_t height, int32_t weight)
{
    font.height = height;
    font.weight = weight;
    return font;
}

// The bytes of BoldCourier with the 32-bit field at `offset` replaced.
std::vector<uint8_t> Patched(size_t offset, int32_t value)
{
    std::vector<uint8_t> bytes = BoldCourier().ToBytes();
    for (size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
    }
    return bytes;
}

struct RefusalCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

class FontRecordRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

std::vector<uint8_t> Resized(size_t size)
{
    std::vector<uint8_t> bytes = BoldCourier().ToBytes();
    bytes.resize(size, 0);
    return bytes;
}

std::vector<uint8_t> FaceFilled(uint8_t byte)
{
    std::vector<uint8_t> bytes = BoldCourier().ToBytes();
    std::fill(bytes.begin() + 28, bytes.end(), byte);
    return bytes;
}

}  // namespace

TEST(FontRecordTest, LayoutIsLittleEndianWithTheFaceAt28)
{
    const std::vector<uint8_t> expected = {
        0xF3, 0xFF, 0xFF, 0xFF, 0x07, 0x00, 0x00, 0x00, 0x7C, 0xFC, 0xFF, 0xFF,  //
        0x8C, 0x0A, 0x00, 0x00, 0xBC, 0x02, 0x00, 0x00, 0x01, 0x02, 0x03, 0xCC,  //
        0x05, 0x06, 0x07, 0x31, 'C',  'o',  'u',  'r',  'i',  'e',  'r',  ' ',   //
        'N',  'e',  'w',  0,    0,    0,    0,    0,    0,    0,    0,    0,     //
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    };
    EXPECT_EQ(BoldCourier().ToBytes(), expected);
}

TEST_P(FontRecordRoundTripTest, ReadsBackWhatItWrites)
{
    const FontRecord& font = GetParam().font;
    const auto bytes = font.ToBytes();
    ASSERT_EQ(bytes.size(), FontRecord::kSize);
    EXPECT_EQ(FontRecord::FromBytes(bytes), font);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FontRecordRoundTripTest,
    ::testing::Values(RoundTripCase{"Default", FontRecord{}},
                      RoundTripCase{"EveryFieldSet", BoldCourier()},
                      RoundTripCase{"FaceOf31Bytes", WithFace(BoldCourier(), std::string(31, 'F'))},
                      RoundTripCase{"Utf8Face", WithFace(BoldCourier(), "Schn\xC3\xB6rkel")},
                      RoundTripCase{"LargestHeights", WithHeightAndWeight({}, -1000, 1000)},
                      RoundTripCase{"CellHeightWeightZero", WithHeightAndWeight({}, 1000, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FontRecordTest, LongFaceIsCutTo31Bytes)
{
    const auto bytes = WithFace(BoldCourier(), std::string(40, 'x')).ToBytes();
    ASSERT_EQ(bytes.size(), FontRecord::kSize);
    EXPECT_EQ(bytes.back(), 0);
    EXPECT_EQ(FontRecord::FromBytes(bytes), WithFace(BoldCourier(), std::string(31, 'x')));
}

TEST(FontRecordTest, PixelHeightIgnoresTheSign)
{
    EXPECT_EQ(WithHeightAndWeight({}, -13, 400).PixelHeight(), 13);
    EXPECT_EQ(WithHeightAndWeight({}, 13, 400).PixelHeight(), 13);
    EXPECT_EQ(WithHeightAndWeight({}, INT32_MIN, 400).PixelHeight(), INT32_MAX);
}

TEST_P(FontRecordRefusalTest, GivesNothing)
{
    EXPECT_FALSE(FontRecord::FromBytes(GetParam().bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(Cases, FontRecordRefusalTest,
                         ::testing::Values(RefusalCase{"Empty", {}},
                                           RefusalCase{"OneByteShort", Resized(59)},
                                           RefusalCase{"OneByteLong", Resized(61)},
                                           RefusalCase{"FaceWithoutEnd", FaceFilled('A')},
                                           RefusalCase{"EmptyFace", FaceFilled(0)},
                                           RefusalCase{"HeightZero", Patched(0, 0)},
                                           RefusalCase{"HeightTooLarge", Patched(0, 1001)},
                                           RefusalCase{"HeightTooNegative", Patched(0, -1001)},
                                           RefusalCase{"HeightMostNegative", Patched(0, INT32_MIN)},
                                           RefusalCase{"WeightTooLarge", Patched(16, 1001)},
                                           RefusalCase{"WeightNegative", Patched(16, -1)}),
                         [](const auto& info) { return std::string(info.param.name); });
