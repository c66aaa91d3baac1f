#pragma once
// The file-type box of the file dialogs: a skinned combo box that turns a
// filter text of description/mask pairs ("Videos|*.mp4;*.mkv|All files|*.*")
// into a list of descriptions and answers the mask of the chosen one.
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinComboBox.h"

#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class TskSkinFileListBox;

struct TFilterEntry {
    std::string Description;
    std::string Mask;
    friend bool operator==(const TFilterEntry&, const TFilterEntry&) = default;
};

// The entries of a filter text, taken as written: a last description without
// a mask after it is dropped, a text without "|" gives none.
std::vector<TFilterEntry> ParseFilterText(std::string_view Filter);

// "All files (*.*)|*.*".
const std::string& DefaultFilterText();

class TskSkinFilterComboBox : public TskSkinComboBox {
public:
    explicit TskSkinFilterComboBox(TComponent* AOwner);

    const std::string& Filter() const { return FFilter; }
    // A text that differs only in letter case changes nothing; otherwise the
    // items are rebuilt (when the window exists, selecting the first) and
    // Change runs.
    void SetFilter(const std::string& Value);
    // The chosen item's mask. With nothing chosen the last item is chosen
    // first; an empty list answers "*.*". An item added to Items directly has
    // no mask: EListError.
    std::string Mask();
    // The file list box that lists with the chosen mask. Linking hands it no
    // mask; the next choice or Filter change does.
    TskSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TskSkinFileListBox* Value);

protected:
    void CreateWnd() override;
    void Change() override;

private:
    void ParseFilter();

    std::string FFilter;
    std::vector<std::string> MaskList;
    TComponentRef<TskSkinFileListBox> FFileList{*this};
};

} // namespace tovrel
