#pragma once
// The skins the program carries: seven user skins to choose between and the
// tools skin of the tool bar and the category and format boxes, drawn by
// tools/skingen at build time and embedded here as compressed skin files.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/stored/SkinValidation.h"

namespace tovrel {

class TskCompressedSkinList;
class TskSkinData;

struct TStoredSkinFile {
    // Embedded name, such as "user/1-light.skn".
    std::string_view FileName;
    TStoredSkinRole Role;
    // The compressed skin file (version, length, zlib stream).
    std::string_view Bytes;
};

// Every stored skin; the user skins in the order the skin list shows them.
std::vector<TStoredSkinFile> StoredSkinFiles();
std::vector<TStoredSkinFile> StoredSkinFiles(TStoredSkinRole role);

// The skin data of one stored skin file, pointing to the program's string
// table (StoredStrings.h).
std::unique_ptr<TskSkinData> LoadStoredSkin(const TStoredSkinFile& file);

// Appends one item per stored skin of the role to the list, in order: the
// item's Name is the skin's name, its Description the skin's comments.
void AddStoredSkins(TskCompressedSkinList& list, TStoredSkinRole role);

} // namespace tovrel
