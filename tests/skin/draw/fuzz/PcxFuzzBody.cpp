#include "skin/draw/fuzz/PcxFuzzBody.h"

#include <cstdlib>
#include <sstream>
#include <string>

#include "skin/draw/SkinBitmap.h"

namespace tovrel::test {

void ExercisePcxReader(std::string_view bytes)
{
    std::istringstream stream{std::string(bytes)};
    TskBitmap picture;
    try {
        picture.LoadFromPcxStream(stream);
    } catch (const EskBitmapError&) {
        if (!picture.Empty())
            std::abort(); // a failed load leaves the bitmap as it was
        return;
    }
    if (!picture.Empty() && (picture.Width() < 1 || picture.Height() < 1 || !picture.Bits()))
        std::abort();
    if (!picture.Empty()) // every pixel is there to read
        (void)picture.Pixel(picture.Width() - 1, picture.Height() - 1);
}

} // namespace tovrel::test
