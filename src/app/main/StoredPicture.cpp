#include "app/main/StoredPicture.h"

#include "platform/ctrls/Image.h"
#include "platform/vcl/PngImage.h"
#include "platform/vcl/Streams.h"
#include "skin/stored/StoredIcons.h"

#include <cstdint>

namespace tovrel {

void ShowStoredIcon(TImage& image, std::string_view icons, int index)
{
    const std::string_view file = StoredIconFiles(icons).at(std::size_t(index));
    TMemoryStream bytes;
    bytes.Write(file.data(), std::int64_t(file.size()));
    bytes.Seek(0, soBeginning);
    TPngImage picture;
    picture.LoadFromStream(bytes);
    image.Picture()->SetGraphic(&picture);
}

} // namespace tovrel
