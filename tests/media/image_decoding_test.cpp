#include <gtest/gtest.h>

#include "media/image_decoder.h"
#include "media/media_file.h"
#include "media/media_test_files.h"

namespace {

void setBigEndian(std::vector<unsigned char>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

void setLittleEndian(std::vector<unsigned char>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace

TEST(ImageDecoding, ProbesAndDecodesEachFormat)
{
    struct Case {
        const char* file;
        const char* format;
        int width;
        int height;
        // The first pixel: blue, green, red.
        unsigned char bgr[3];
    };
    for (const Case& c : { Case { "picture.png", "png", 24, 10, { 0, 0, 255 } },
             Case { "picture.jpg", "jpeg", 12, 8, { 0x80, 0x40, 0x20 } },
             Case { "picture.bmp", "bmp", 5, 3, { 0, 255, 0 } } }) {
        const std::vector<unsigned char> bytes = mediaFile(c.file);
        const MediaInfo info = probeMediaBytes(bytes, bytes.size(), ProbeDepth::Decode);
        EXPECT_EQ(formatName(info), c.format);
        EXPECT_EQ(info.problem, "") << c.file;
        EXPECT_EQ(info.width, c.width) << c.file;
        EXPECT_EQ(info.height, c.height) << c.file;
        const DecodedImage image = decodeImage(bytes);
        ASSERT_EQ(image.problem, "") << c.file;
        ASSERT_EQ(image.bgrx.size(), size_t(c.width) * size_t(c.height) * 4) << c.file;
        for (int channel = 0; channel < 3; ++channel)
            EXPECT_NEAR(image.bgrx[static_cast<size_t>(channel)], c.bgr[channel], 4) << c.file << ' ' << channel;
    }
}

TEST(ImageDecoding, RefusesAHugePictureFromItsHeaderAlone)
{
    std::vector<unsigned char> png = mediaFile("picture.png");
    setBigEndian(png, 16, 20000); // IHDR width
    setBigEndian(png, 20, 20000); // IHDR height
    std::vector<unsigned char> bmp = mediaFile("picture.bmp");
    setLittleEndian(bmp, 18, 20000);
    setLittleEndian(bmp, 22, 20000);
    for (const std::vector<unsigned char>& bytes : { png, bmp }) {
        const MediaInfo info = probeMediaBytes(bytes, bytes.size(), ProbeDepth::Decode);
        EXPECT_EQ(info.problem, "20000 x 20000 pixels is too large to show");
        EXPECT_EQ(info.width, 20000);
        const DecodedImage image = decodeImage(bytes);
        EXPECT_EQ(image.problem, info.problem);
        EXPECT_TRUE(image.bgrx.empty());
    }
}

TEST(ImageDecoding, BrokenPicturesGiveAReason)
{
    for (const char* file : { "picture.png", "picture.jpg", "picture.bmp" }) {
        const std::vector<unsigned char> whole = mediaFile(file);
        std::vector<unsigned char> corrupt = whole;
        for (size_t i = 40; i < corrupt.size(); i += 3)
            corrupt[i] = 0xFF;
        for (const std::vector<unsigned char>& bytes : { std::vector<unsigned char>(whole.begin(), whole.begin() + 12),
                 std::vector<unsigned char>(whole.begin(), whole.begin() + whole.size() / 2), corrupt }) {
            const DecodedImage image = decodeImage(bytes);
            // A cut or damaged picture either fails or decodes to its full size, never more.
            if (image.problem.empty())
                EXPECT_EQ(image.bgrx.size(), size_t(image.width) * size_t(image.height) * 4) << file;
            else
                EXPECT_TRUE(image.bgrx.empty()) << file;
        }
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + 12);
        EXPECT_NE(probeMediaBytes(cut, cut.size(), ProbeDepth::Decode).problem, "") << file;
    }
}

TEST(ImageDecoding, RefusesAJpegWhoseHuffmanTableHoldsMoreThan256Symbols)
{
    // Start of image, then a DHT segment whose sixteen counts add up to 16 x 17 = 272.
    std::vector<unsigned char> jpeg = { 0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0x23, 0x00 };
    jpeg.insert(jpeg.end(), 16, 17);
    jpeg.resize(jpeg.size() + 272, 0);
    EXPECT_EQ(decodeImage(jpeg).problem, "a Huffman table of the JPEG holds more than 256 symbols");
    // The same bytes inside another format are no table.
    std::vector<unsigned char> png = mediaFile("picture.png");
    png.insert(png.end(), jpeg.begin() + 2, jpeg.end());
    EXPECT_EQ(decodeImage(png).problem, "");
}
