#include "skin/shell/ShellComboBox.h"

#include "skin/shell/ShellListView.h"
#include "skin/shell/ShellTreeView.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/SystemImageLists.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ImageListCalls.h"
#include "skin/controls/SkinFlagGuard.h"

namespace tovrel {

namespace {

std::unique_ptr<TskShellFolder> CreateChildFolder(TskShellFolder& Parent, PCItemIDList ID)
{
    return std::make_unique<TskShellFolder>(&Parent, ID, BindItemShellFolder(Parent.ShellFolder(), ID));
}

} // namespace

TskCustomShellComboBox::TskCustomShellComboBox(TComponent* AOwner)
    : TskSkinCustomComboBox(AOwner), FListViewComponent(*this, [this] { FListView = nullptr; })
{
    SHFILEINFO info;
    const TItemIDListPtr desktop = DesktopItemIDList();
    FImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo(desktop.get(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ImageList_GetIconSize(FImages, &FImageWidth, &FImageHeight);
    SetOnListBoxDrawItem(
        [this](TCanvas& C, int Index, int, int, TRect R, TOwnerDrawState) { DrawListItem(C, Index, R); });
    OnComboBoxDrawItem = [this](TCanvas& C, int Index, int, int, TRect R, TOwnerDrawState) {
        DrawComboItem(C, Index, R);
    };
}

TskCustomShellComboBox::~TskCustomShellComboBox()
{
    FItemsEx.Clear();
}

void TskCustomShellComboBox::SetRoot(const TRoot& Value)
{
    if (LowerCase(Value) == LowerCase(FRoot))
        return;
    FOldRoot = FRoot;
    FRoot = Value;
    RootChanged();
}

void TskCustomShellComboBox::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    RootChanged();
}

void TskCustomShellComboBox::SetUseShellImages(bool Value)
{
    ApplyShellImages(Value);
    Invalidate();
}

void TskCustomShellComboBox::SetShellListView(IShellListViewLink* Value)
{
    if (Value == FListView)
        return;
    // The view left behind forgets the box too, so it never calls a box that
    // no longer follows it.
    if (FListView)
        FListView->SetComboBoxLink(nullptr);
    if (Value) {
        Value->SetRoot(FRoot);
        Value->SetComboBoxLink(this);
    }
    FListView = Value;
    FListViewComponent = Value ? &Value->LinkComponent() : nullptr;
}

void TskCustomShellComboBox::SetTreeViewLink(TskCustomShellTreeView* Tree)
{
    FTreeView = Tree;
}

void TskCustomShellComboBox::SetShellTreeView(TskCustomShellTreeView* Value)
{
    if (Value)
        Value->SetShellComboBox(this);
    else if (FTreeView)
        FTreeView->SetShellComboBox(nullptr);
}

void TskCustomShellComboBox::SetListView(TskCustomShellListView* Value)
{
    FListView = Value;
    FListViewComponent = Value;
}

std::string TskCustomShellComboBox::Path()
{
    const TskShellFolder* folder = ItemIndex() >= 0 ? FolderAt(ItemIndex()) : nullptr;
    return folder ? folder->PathName() : std::string();
}

void TskCustomShellComboBox::SetPath(const std::string& Value)
{
    const TItemIDListPtr list = DesktopIShellFolder()->ParseDisplayName(Value);
    if (!list)
        throw EInvalidPath(Format("Error setting path: \"%s\"", Value));
    SelectItemIDList(list.get());
}

void TskCustomShellComboBox::FollowFolder(PCItemIDList ID)
{
    if (FUpdating)
        return;
    if (const TskShellFolder* shown = ItemIndex() >= 0 ? FolderAt(ItemIndex()) : nullptr;
        shown && ItemIDListsEqual(shown->AbsoluteID(), ID))
        return;
    TskFlagGuard updating(FUpdating);
    SelectItemIDList(ID);
}

TskShellFolder* TskCustomShellComboBox::FolderAt(int Index) const
{
    if (Index < 0 || FItemsEx.Count() == 0)
        return nullptr;
    return FItemsEx.Item(std::min(Index, FItemsEx.Count() - 1)).Data.get();
}

int TskCustomShellComboBox::IndexOfID(PCItemIDList ID) const
{
    for (int i = FItemsEx.Count() - 1; i >= 0; --i)
        if (const TskShellFolder* folder = FItemsEx.Item(i).Data.get();
            folder && ItemIDListsEqual(folder->AbsoluteID(), ID))
            return i;
    return -1;
}

void TskCustomShellComboBox::Loaded()
{
    TskSkinCustomComboBox::Loaded();
    InitItems();
}

void TskCustomShellComboBox::CreateWnd()
{
    TskSkinCustomComboBox::CreateWnd();
    ApplyShellImages(FUseShellImages);
    if (FItemsEx.Count() == 0)
        InitItems();
    SyncItems();
}

void TskCustomShellComboBox::DestroyWnd()
{
    ClearFolderItems();
    TskSkinCustomComboBox::DestroyWnd();
}

void TskCustomShellComboBox::Change()
{
    if (FItemsEx.UpdateCount() > 0)
        return;
    TskSkinCustomComboBox::Change();
    if (ItemIndex() < 0 || FUpdating || IsPopupVisible())
        return;
    TskFlagGuard updating(FUpdating);
    const TskShellFolder* folder = FolderAt(ItemIndex());
    if (folder && FTreeView)
        FTreeView->SelectFolderID(folder->AbsoluteID());
    if (folder && FListView)
        FListView->FollowFolder(folder->AbsoluteID());
}

void TskCustomShellComboBox::Click()
{
    // A click that opens the list leaves the outline alone while it shows.
    if (!IsPopupVisible()) {
        if (const TskShellFolder* folder = ItemIndex() >= 0 ? FolderAt(ItemIndex()) : nullptr) {
            TskFlagGuard updating(FUpdating);
            SelectItemIDList(folder->AbsoluteID());
        }
    }
    TskSkinCustomComboBox::Click();
}

void TskCustomShellComboBox::FillDefaultItems()
{
    TItemsExUpdate update(FItemsEx);
    AddChildItems(0, *FRootFolder);
    if (FRoot != "rfDesktop")
        return;
    const TItemIDListPtr computer = SpecialFolderLocation(TRootFolder::rfMyComputer);
    if (const int index = computer ? IndexOfID(computer.get()) : -1; index >= 0)
        AddChildItems(index, *FolderAt(index));
}

void TskCustomShellComboBox::InitItems()
{
    if (ComponentState().Contains(csLoading))
        return;
    TItemsExUpdate update(FItemsEx);
    // The root is resolved before the outline goes, so a root that names
    // nothing leaves the old outline standing.
    std::unique_ptr<TskShellFolder> root = CreateFolderForRoot(FRootFolder, FOldRoot, FRoot);
    ClearFolderItems();
    FRootFolder = std::move(root);
    auto top = std::make_unique<TskShellFolder>(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
    const int image = ItemImageIndex(*top);
    const std::string caption = top->DisplayName();
    FItemsEx.AddItem(caption, image, image, 0, std::move(top));
    FillDefaultItems();
    SyncItems();
    SetItemIndex(0);
    if (FUseShellImages) {
        ApplyShellImages(false);
        ApplyShellImages(true);
    }
}

void TskCustomShellComboBox::AddChildItems(int Index, TskShellFolder& Folder)
{
    if (!Folder.ShellFolder())
        return;
    TItemsExUpdate update(FItemsEx);
    // The folder lists its children in the shell's order already.
    std::vector<TItemIDListPtr> children = Folder.ShellFolder()->EnumObjects(ObjectTypesToEnumFlags(FObjectTypes));
    for (std::size_t k = 0; k < children.size(); ++k) {
        std::unique_ptr<TskShellFolder> child = CreateChildFolder(Folder, children[k].get());
        const std::string caption = child->DisplayName();
        InsertFolderItem(Index + int(k) + 1, caption, std::move(child));
    }
}

void TskCustomShellComboBox::SelectItemIDList(PCItemIDList AID)
{
    // The outline is rebuilt below, so a list owned by one of its entries is
    // copied first.
    const TItemIDListPtr copy = CopyItemIDList(AID);
    const PCItemIDList ID = copy.get();
    TItemsExUpdate update(FItemsEx);
    InitItems();
    const std::vector<TItemIDListPtr> ancestors = ItemIDListAncestors(ID);
    int found = -1, index = -1;
    for (int a = int(ancestors.size()) - 1; a >= 0 && index < 0; --a)
        if ((index = IndexOfID(ancestors[std::size_t(a)].get())) >= 0)
            found = a;
    if (index < 0)
        return; // outside the root: the default outline, the root selected
    auto insertChild = [this, &index](PCItemIDList absolute) {
        const TItemIDListPtr last = LastItemIDCopy(absolute);
        std::unique_ptr<TskShellFolder> child = CreateChildFolder(*FolderAt(index), last.get());
        const std::string caption = child->DisplayName();
        InsertFolderItem(++index, caption, std::move(child));
    };
    for (std::size_t a = std::size_t(found) + 1; a < ancestors.size(); ++a)
        insertChild(ancestors[a].get());
    int shown = IndexOfID(ID);
    if (shown < 0) {
        insertChild(ID);
        shown = index;
    }
    SyncItems();
    SetItemIndex(shown);
}

void TskCustomShellComboBox::InsertFolderItem(int Index, const std::string& Caption,
                                              std::unique_ptr<TskShellFolder> Folder)
{
    TskItemEx& item = FItemsEx.Insert(Index);
    item.Caption = Caption;
    item.Indent = Folder->Level();
    item.ImageIndex = item.SelectedImageIndex = ItemImageIndex(*Folder);
    item.Data = std::move(Folder);
}

void TskCustomShellComboBox::ClearFolderItems()
{
    {
        TItemsExUpdate update(FItemsEx);
        FItemsEx.Clear();
    }
    SyncItems();
}

void TskCustomShellComboBox::SyncItems()
{
    TStrings& items = *Items();
    items.BeginUpdate();
    items.Clear();
    for (int i = 0; i < FItemsEx.Count(); ++i)
        items.Add(FItemsEx.Item(i).Caption);
    items.EndUpdate();
}

int TskCustomShellComboBox::ItemImageIndex(const TskShellFolder& Folder) const
{
    return FUseShellImages ? ShellIconIndex(Folder.AbsoluteID(), false, false) : -1;
}

void TskCustomShellComboBox::ApplyShellImages(bool Value)
{
    FUseShellImages = Value;
    FImageWidth = FImageHeight = 16;
    if (Value)
        ImageList_GetIconSize(FImages, &FImageWidth, &FImageHeight);
}

void TskCustomShellComboBox::RootChanged()
{
    TskFlagGuard updating(FUpdating);
    InitItems();
    if (FTreeView)
        FTreeView->SetRoot(FRoot);
    if (FListView)
        FListView->SetRoot(FRoot);
}

void TskCustomShellComboBox::DrawComboItem(TCanvas& C, int Index, TRect TxtRect)
{
    DrawItem(C, Index, TxtRect, 0);
}

void TskCustomShellComboBox::DrawListItem(TCanvas& C, int Index, TRect TxtRect)
{
    if (Index >= 0 && Index < FItemsEx.Count())
        DrawItem(C, Index, TxtRect, FItemsEx.Item(Index).Indent * FImageWidth / 2);
}

void TskCustomShellComboBox::DrawItem(TCanvas& C, int Index, TRect TxtRect, int Indent)
{
    if (Index < 0 || Index >= Items()->Count())
        return;
    const std::string text = Items()->Get(Index);
    const int height = TxtRect.Bottom - TxtRect.Top;
    const int textY = TxtRect.Top + height / 2 - C.TextHeight("Wg") / 2;
    if (!FImages) {
        C.TextOut(TxtRect.Left, textY, text);
        return;
    }
    const int imageIndex = Index < FItemsEx.Count() ? FItemsEx.Item(Index).ImageIndex : -1;
    ImageList_DrawEx(FImages, imageIndex, C.Handle(), TxtRect.Left + Indent, TxtRect.Top + (height - FImageHeight) / 2,
                     FImageWidth, FImageHeight, CLR_NONE, CLR_NONE, ILD_NORMAL);
    C.TextOut(TxtRect.Left + Indent + FImageWidth + 4, textY, text);
}

} // namespace tovrel
