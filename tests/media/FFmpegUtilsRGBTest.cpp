#include "media/loader/FFmpegUtilsRGB.h"

#include "FFmpegLoaderTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace tovrel::test {
namespace {

class FFmpegRGBConvertTest : public TRealLibrariesTest {
protected:
    TRGBConvertContext context;
    void ConvertRedPicture();
    void TearDown() override
    {
        ResetRGBConvertContext(context);
        TRealLibrariesTest::TearDown();
    }
};

// A BGR24 picture at `stride` bytes per row whose pixel (x, y) is (x, y, x + y).
std::vector<std::uint8_t> PatternBGR(int width, int height, int stride)
{
    std::vector<std::uint8_t> bytes(std::size_t(stride) * height, 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = &bytes[std::size_t(y) * stride + x * 3];
            pixel[0] = std::uint8_t(x);
            pixel[1] = std::uint8_t(y);
            pixel[2] = std::uint8_t(x + y);
        }
    return bytes;
}

void ExpectPattern(const TSurface& bitmap)
{
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const std::uint8_t* pixel = bitmap.ScanLine(y) + x * 3;
            ASSERT_EQ(pixel[0], x);
            ASSERT_EQ(pixel[1], y);
            ASSERT_EQ(pixel[2], x + y);
        }
}

// Even-sized BGR24 rows in the bitmap's own layout are copied as they are; an
// odd size goes through the scaler, into the bitmap's padded rows.
TEST_F(FFmpegRGBConvertTest, BGRPicturesCopyOrScaleIntoPaddedRows)
{
    const struct {
        int width, height, stride;
        bool scaled;
    } cases[] = {{4, 2, 12, false}, {6, 4, 20, false}, {5, 3, 15, true}, {4, 3, 12, true}, {4, 2, 16, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " stride " << c.stride);
        ResetRGBConvertContext(context);
        std::vector<std::uint8_t> bytes = PatternBGR(c.width, c.height, c.stride);
        TAVPicture picture;
        picture.data[0] = bytes.data();
        picture.linesize[0] = c.stride;
        ASSERT_TRUE(ConvertPictureToBitmap(context, picture, AV_PIX_FMT_BGR24, c.height, c.width));
        ASSERT_TRUE(context.Bitmap);
        EXPECT_EQ(context.Bitmap->Width(), c.width);
        EXPECT_EQ(context.Bitmap->Height(), c.height);
        EXPECT_EQ(context.Bitmap->PixelFormat(), TPixelFormat::pf24bit);
        EXPECT_EQ(context.toRGB_convert_ctx != nullptr, c.scaled);
        EXPECT_EQ(context.RGBPictureRef.data[0] == bytes.data(), !c.scaled);
        ExpectPattern(*context.Bitmap);
    }
}

// A decoded YUV picture in pure red becomes red pixels, in 24-bit bitmaps and
// in 32-bit ones when the context asks for them.
TEST_F(FFmpegRGBConvertTest, YUVPicturesAreConverted)
{
    for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
        ResetRGBConvertContext(context);
        context.BMPPixFmt = format;
        ConvertRedPicture();
        ASSERT_TRUE(context.Bitmap);
        ASSERT_EQ(context.Bitmap->PixelFormat(), format);
        int bytesPerPixel = context.Bitmap->BytesPerPixel();
        for (int row = 0; row < 5; ++row)
            for (int x = 0; x < 7; ++x) {
                const std::uint8_t* pixel = context.Bitmap->ScanLine(row) + x * bytesPerPixel;
                EXPECT_LE(pixel[0], 8);
                EXPECT_LE(pixel[1], 8);
                EXPECT_GE(pixel[2], 247);
            }
    }
}

void FFmpegRGBConvertTest::ConvertRedPicture()
{
    AVFrame* frame = FF.av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = 7;
    frame->height = 5;
    std::vector<std::uint8_t> y(8 * 5, 81), u(4 * 3, 90), v(4 * 3, 240);
    frame->data[0] = y.data();
    frame->data[1] = u.data();
    frame->data[2] = v.data();
    frame->linesize[0] = 8;
    frame->linesize[1] = frame->linesize[2] = 4;
    EXPECT_TRUE(ConvertPictureToBitmap(context, frame));
    for (auto& plane : frame->data)
        plane = nullptr;
    FF.av_frame_free(&frame);
}

TEST_F(FFmpegRGBConvertTest, UnusablePicturesAreRefused)
{
    std::vector<std::uint8_t> bytes(64);
    TAVPicture picture;
    picture.data[0] = bytes.data();
    picture.linesize[0] = 12;
    EXPECT_FALSE(ConvertPictureToBitmap(context, picture, AV_PIX_FMT_BGR24, 0, 4));
    EXPECT_FALSE(ConvertPictureToBitmap(context, picture, AV_PIX_FMT_NONE, 2, 4));
    EXPECT_FALSE(ConvertPictureToBitmap(context, TAVPicture(), AV_PIX_FMT_BGR24, 2, 4));
    EXPECT_FALSE(ConvertPictureToBitmap(context, nullptr));
}

} // namespace
} // namespace tovrel::test
