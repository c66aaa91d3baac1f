#include "skin/stored/StoredIcons.h"

#include <map>
#include <stdexcept>
#include <string>

#include "embedded/stored_icons.h"
#include "platform/vcl/PngImage.h"
#include "platform/vcl/Streams.h"
#include "skin/data/PngImageList.h"

namespace tovrel {

std::vector<std::string_view> StoredIconFiles(std::string_view listName)
{
    // Names are "<list>/<index>.png"; the index, not the embedding order, decides.
    std::map<int, std::string_view> byIndex;
    const std::string prefix = std::string(listName) + "/";
    for (std::string_view name : embedded::stored_icons::Names()) {
        if (!name.starts_with(prefix) || !name.ends_with(".png"))
            continue;
        const std::string_view stem = name.substr(prefix.size(), name.size() - prefix.size() - 4);
        byIndex[std::stoi(std::string(stem))] = *embedded::stored_icons::Find(name);
    }
    std::vector<std::string_view> files;
    for (const auto& [index, bytes] : byIndex)
        files.push_back(bytes);
    return files;
}

void AddStoredIcons(TskPngImageList& list, std::string_view listName)
{
    const std::vector<std::string_view> files = StoredIconFiles(listName);
    if (files.empty())
        throw std::invalid_argument("no stored icon list named " + std::string(listName));
    std::vector<std::unique_ptr<TPngImage>> pictures;
    for (std::string_view bytes : files) {
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
        stream.SetPosition(0);
        auto png = std::make_unique<TPngImage>();
        png->LoadFromStream(stream);
        pictures.push_back(std::move(png));
    }
    list.SetPngWidth(pictures.front()->Width());
    list.SetPngHeight(pictures.front()->Height());
    for (const auto& png : pictures)
        list.PngImages()->Add()->SetPngImage(png.get());
}

} // namespace tovrel
