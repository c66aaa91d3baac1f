#include "skin/data/fuzz/SkinCompressedFuzzBody.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinData.h"

namespace tovrel::test {

void ExerciseCompressedSkin(std::string_view bytes)
{
    TMemoryStream file;
    file.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    TskCompressedStoredSkin stored(nullptr);
    TskSkinData skin(nullptr);
    try {
        stored.LoadFromCompressStream(file);
        skin.LoadCompressedStoredSkin(&stored);
    } catch (const Exception&) {
        // The loaders' own errors (all derive from the framework's exception).
        return;
    }
    if (!skin.Empty) {
        TskCompressedStoredSkin repacked(nullptr);
        repacked.LoadFromSkinData(&skin);
        skin.LoadCompressedStoredSkin(&repacked);
    }
}

} // namespace tovrel::test
