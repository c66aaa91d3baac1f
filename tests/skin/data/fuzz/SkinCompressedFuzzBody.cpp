#include "skin/data/fuzz/SkinCompressedFuzzBody.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedStreams.h"
#include "skin/data/SkinData.h"

namespace tovrel::test {
namespace {

// Loads the stored skin into a skin data object; one that loaded is packed and
// loaded again, as saving a skin list does.
void LoadAndRepack(TskCompressedStoredSkin& stored)
{
    TskSkinData skin(nullptr);
    try {
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

} // namespace

void ExerciseCompressedSkin(std::string_view bytes)
{
    TMemoryStream file;
    file.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    TskCompressedStoredSkin stored(nullptr);
    try {
        stored.LoadFromCompressStream(file);
    } catch (const Exception&) {
        return;
    }
    LoadAndRepack(stored);
}

void ExerciseSkinContent(std::string_view content)
{
    TMemoryStream plain;
    plain.WriteBuffer(content.data(), std::int64_t(content.size()));
    TskCompressedStoredSkin stored(nullptr);
    CompressStream(plain, stored.CompressedData());
    LoadAndRepack(stored);
}

} // namespace tovrel::test
