#include "skin/shell/FilterComboBox.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"
#include "skin/shell/FileListBox.h"

namespace tovrel {

std::vector<TFilterEntry> ParseFilterText(std::string_view Filter)
{
    std::vector<TFilterEntry> entries;
    std::string_view rest = Filter;
    for (std::size_t bar = rest.find('|'); bar != std::string_view::npos; bar = rest.find('|')) {
        TFilterEntry entry{std::string(rest.substr(0, bar)), {}};
        rest.remove_prefix(bar + 1);
        const std::size_t maskEnd = rest.find('|');
        entry.Mask = std::string(rest.substr(0, maskEnd));
        rest = maskEnd == std::string_view::npos ? std::string_view() : rest.substr(maskEnd + 1);
        entries.push_back(std::move(entry));
    }
    return entries;
}

const std::string& DefaultFilterText()
{
    static const std::string text = "All files (*.*)|*.*";
    return text;
}

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner), FFilter(DefaultFilterText())
{}

void TskSkinFilterComboBox::SetFilter(const std::string& Value)
{
    if (LowerCase(Value) == LowerCase(FFilter))
        return;
    FFilter = Value;
    if (HandleAllocated())
        ParseFilter();
    Change();
}

std::string TskSkinFilterComboBox::Mask()
{
    if (ItemIndex() < 0 && Items()->Count() > 0)
        SetItemIndex(Items()->Count() - 1);
    const int index = ItemIndex();
    if (index < 0)
        return "*.*";
    if (index >= int(MaskList.size()))
        ListIndexError(index);
    return MaskList[std::size_t(index)];
}

void TskSkinFilterComboBox::SetFileList(TskSkinFileListBox* Value)
{
    if (TskSkinFileListBox* old = FFileList)
        old->SetFilterComboLink(nullptr);
    FFileList = Value;
    if (Value)
        Value->SetFilterComboLink(this);
}

void TskSkinFilterComboBox::Change()
{
    if (TskSkinFileListBox* list = FFileList)
        list->SetMask(Mask());
    TskSkinComboBox::Change();
}

void TskSkinFilterComboBox::CreateWnd()
{
    TskSkinComboBox::CreateWnd();
    ParseFilter();
}

void TskSkinFilterComboBox::ParseFilter()
{
    Items()->Clear();
    MaskList.clear();
    for (TFilterEntry& entry : ParseFilterText(FFilter)) {
        Items()->Add(entry.Description);
        MaskList.push_back(std::move(entry.Mask));
    }
    SetItemIndex(0);
}

} // namespace tovrel
