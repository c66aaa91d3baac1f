#pragma once
// Unpacking the embedded skins for the tests.
#include <string>

#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/stored/StoredSkins.h"

namespace tovrel::test {

inline TskSkinContent UnpackStoredSkin(const TStoredSkinFile& file)
{
    TMemoryStream bytes;
    bytes.WriteBuffer(file.Bytes.data(), std::int64_t(file.Bytes.size()));
    TskCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressStream(bytes);
    TMemoryStream unpacked;
    stored.DeCompressToStream(unpacked);
    unpacked.SetPosition(0);
    TskSkinContent content;
    ReadSkinContent(unpacked, content);
    return content;
}

} // namespace tovrel::test
