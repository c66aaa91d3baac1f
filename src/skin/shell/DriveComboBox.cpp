#include "skin/shell/DriveComboBox.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinGeometry.h"
#include "skin/shell/DirectoryListBox.h"
#include "skin/shell/FileControlPaths.h"
#include "skin/shell/FileControlPictures.h"
#include "skin/shell/FileControlVolumes.h"
#include "skin/shell/UpdateScope.h"

namespace tovrel {

namespace {

constexpr TVolumeKind kKinds[] = {TVolumeKind::vkFixed, TVolumeKind::vkRemovable, TVolumeKind::vkOptical,
                                  TVolumeKind::vkNetwork, TVolumeKind::vkRam};

} // namespace

TskSkinDriveComboBox::TskSkinDriveComboBox(TComponent* AOwner) : TskSkinComboBox(AOwner)
{
    OnChange = [this](TObject* sender) { DriveSelected(sender); };
    const auto draw = [this](TCanvas& c, int index, int, int, TRect r, TOwnerDrawState) { DrawDriveItem(c, index, r); };
    SetOnListBoxDrawItem(draw);
    OnComboBoxDrawItem = draw;
    for (TVolumeKind kind : kKinds)
        FPictures.push_back(MakeFileControlPicture(VolumePicture(kind)));
    const std::string current = CurrentFolder();
    if (!current.empty())
        FDrive = VolumeRootOf(current, FileControlVolumes());
}

TskSkinDriveComboBox::~TskSkinDriveComboBox()
{
    SetDirList(nullptr);
}

void TskSkinDriveComboBox::CreateWnd()
{
    TskSkinComboBox::CreateWnd();
    ListDrives();
    SetDrive(FDrive);
}

void TskSkinDriveComboBox::SetDirList(TskSkinDirectoryListBox* Value)
{
    if (TskSkinDirectoryListBox* old = FDirList; old && old != Value)
        old->FDriveCombo = nullptr;
    FDirList = Value;
    if (Value)
        Value->FDriveCombo = this;
}

void TskSkinDriveComboBox::SetTextCase(TTextCase Value)
{
    FTextCase = Value;
    ListDrives();
    SetDrive(FDrive);
}

std::string TskSkinDriveComboBox::RowText(const TVolume& Volume) const
{
    const auto cased = [this](const std::string& text) {
        return FTextCase == tcUpperCase ? UpperCase(text) : LowerCase(text);
    };
    switch (Volume.Kind) {
    // A removable medium is not asked for its label: it may be slow or gone.
    case TVolumeKind::vkRemovable: return Volume.MountPath;
    case TVolumeKind::vkNetwork: return Volume.MountPath + " " + cased(Volume.Source);
    default: return Volume.MountPath + " [" + cased(VolumeLabel(Volume)) + "]";
    }
}

void TskSkinDriveComboBox::ListDrives()
{
    FVolumes = FileControlVolumes();
    TStrings& rows = *Items();
    TUpdateScope<TStrings> update(rows);
    rows.Clear();
    for (const TVolume& volume : FVolumes)
        rows.AddObject(RowText(volume), FPictures[std::size_t(volume.Kind)].get());
}

void TskSkinDriveComboBox::SetDrive(const std::string& NewDrive)
{
    if (ItemIndex() >= 0 && NewDrive == FDrive)
        return;
    FDrive = NewDrive;
    int row = -1;
    for (std::size_t i = 0; !NewDrive.empty() && i < FVolumes.size() && row < 0; ++i)
        if (FVolumes[i].MountPath == NewDrive)
            row = int(i);
    SetItemIndex(row);
    if (FDirList)
        FDirList->ChangeToDrive(FDrive);
    Change();
}

void TskSkinDriveComboBox::DriveSelected(TObject*)
{
    const int row = ItemIndex();
    if (row >= 0 && row < int(FVolumes.size()))
        SetDrive(FVolumes[std::size_t(row)].MountPath);
}

void TskSkinDriveComboBox::DrawDriveItem(TCanvas& Cnvs, int Index, TRect TextRect)
{
    int width = 0;
    if (Index >= 0 && Index < Items()->Count())
        if (auto* picture = dynamic_cast<TBitmap*>(Items()->Objects(Index)); picture && !picture->Empty()) {
            width = picture->Width();
            const int top = (TextRect.Top + TextRect.Bottom - picture->Height()) / 2;
            Cnvs.BrushCopy(Rect(TextRect.Left, top, TextRect.Left + width, top + picture->Height()), picture,
                           Rect(0, 0, width, picture->Height()), picture->TransparentColor());
        }
    if (Index < 0 || Index >= Items()->Count())
        return;
    Cnvs.Brush()->SetStyle(bsClear);
    Cnvs.TextOut(TextRect.Left + width + 6, TextRect.Top + GetRectHeight(TextRect) / 2 - Cnvs.TextHeight("Wg") / 2,
                 Items()->Strings(Index));
}

} // namespace tovrel
