#pragma once
// The drive combo box: one row per mounted volume (the root first), each
// with its picture and, where the system gives one, its label or remote
// name. Choosing a row makes its mount path the Drive, which a linked
// directory list box then enters.
#include "platform/shell/MountTable.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinComboBox.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TBitmap;
class TskSkinDirectoryListBox;

// The letter case of the volume labels and remote names in the rows; the
// mount paths are shown as they are.
enum TTextCase : std::uint8_t { tcLowerCase, tcUpperCase };

class TskSkinDriveComboBox : public TskSkinComboBox {
public:
    explicit TskSkinDriveComboBox(TComponent* AOwner);
    ~TskSkinDriveComboBox() override;

    TskSkinDirectoryListBox* DirList() const { return FDirList; }
    // Links both ways; the old list forgets the combo box.
    void SetDirList(TskSkinDirectoryListBox* Value);
    TTextCase TextCase() const { return FTextCase; }
    // Rebuilds the rows and selects the same drive again.
    void SetTextCase(TTextCase Value);
    // The mount path of the current volume; "" for none.
    const std::string& Drive() const { return FDrive; }
    // Selects the volume's row, moves a linked directory list to it, then Change.
    void SetDrive(const std::string& NewDrive);
    // The volumes of the rows, in row order.
    const std::vector<TVolume>& Volumes() const { return FVolumes; }
    // Reads the volumes again and rebuilds the rows.
    virtual void ListDrives();

protected:
    void CreateWnd() override;

private:
    void DriveSelected(TObject* Sender);
    void DrawDriveItem(TCanvas& Cnvs, int Index, TRect TextRect);
    std::string RowText(const TVolume& Volume) const;

    TComponentRef<TskSkinDirectoryListBox> FDirList{*this};
    std::string FDrive;
    TTextCase FTextCase = tcLowerCase;
    std::vector<TVolume> FVolumes;
    // One picture per kind of volume, in TVolumeKind order.
    std::vector<std::unique_ptr<TBitmap>> FPictures;
};

} // namespace tovrel
