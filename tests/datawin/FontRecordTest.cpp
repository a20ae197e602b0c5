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

FontRecord With(std::string face, int32_t height = -13, int32_t weight = 400)
{
    FontRecord font = BoldCourier();
    font.faceName = std::move(face);
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

// The default; every field set; a face of 31 bytes and one in UTF-8; the largest heights and
// weights, a cell height and weight 0.
TEST(FontRecordTest, ReadsBackWhatItWrites)
{
    for (const FontRecord& font :
         {FontRecord{}, BoldCourier(), With(std::string(31, 'F')), With("Schn\xC3\xB6rkel"),
          With("Arial", -1000, 1000), With("Arial", 1000, 0)}) {
        const auto bytes = font.ToBytes();
        ASSERT_EQ(bytes.size(), FontRecord::kSize);
        EXPECT_EQ(FontRecord::FromBytes(bytes), font) << font.faceName << " " << font.height;
    }
}

TEST(FontRecordTest, LongFaceIsCutTo31Bytes)
{
    const auto bytes = With(std::string(40, 'x')).ToBytes();
    ASSERT_EQ(bytes.size(), FontRecord::kSize);
    EXPECT_EQ(bytes.back(), 0);
    EXPECT_EQ(FontRecord::FromBytes(bytes), With(std::string(31, 'x')));
}

TEST(FontRecordTest, PixelHeightIgnoresTheSign)
{
    EXPECT_EQ(With("", -13).PixelHeight(), 13);
    EXPECT_EQ(With("", 13).PixelHeight(), 13);
    EXPECT_EQ(With("", INT32_MIN).PixelHeight(), INT32_MAX);
}

// Wrong sizes, a face without its end or empty, heights of 0 or beyond ±1000, weights outside
// 0 to 1000.
TEST(FontRecordTest, RefusesRecordsItCannotUse)
{
    const std::vector<uint8_t> refused[] = {{},
                                            Resized(59),
                                            Resized(61),
                                            FaceFilled('A'),
                                            FaceFilled(0),
                                            Patched(0, 0),
                                            Patched(0, 1001),
                                            Patched(0, -1001),
                                            Patched(0, INT32_MIN),
                                            Patched(16, 1001),
                                            Patched(16, -1)};
    for (size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_FALSE(FontRecord::FromBytes(refused[i]).has_value()) << "case " << i;
    }
}
