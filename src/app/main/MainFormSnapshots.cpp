// Snapshots of the preview: the snapshot button, the settings menu (open or
// choose the snapshot folder, the picture type) and the capture through the
// save-picture dialog.
#include "app/main/MainForm.h"

#include "app/options/OptionIni.h"
#include "platform/rtl/Files.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/vcl/Menus.h"
#include "platform/wm/Input.h"
#include "player/Player.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/SkinOpenPictureDialog.h"
#include "skin/menus/SkinPopupMenu.h"

#include <array>
#include <exception>

namespace tovrel {

namespace {

struct TTypeItem {
    const char* Name;
    const char* Caption;
    TSnapshotType Type;
};
constexpr std::array<TTypeItem, 4> kTypeItems{{{"BMP1", "BMP文件", TSnapshotType::Bmp},
                                               {"JPG1", "JPG文件", TSnapshotType::Jpg},
                                               {"GIF1", "GIF文件", TSnapshotType::Gif},
                                               {"PNG1", "PNG文件", TSnapshotType::Png}}};

TMenuItem* AddItem(TMenu& menu, TMenuItem& parent, const char* name, const char* caption)
{
    auto* item = new TMenuItem(&menu);
    item->SetName(name);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
}

} // namespace

void TMainForm::BuildSnapshotMenu()
{
    skSkinPopupMenu2 = new TskSkinPopupMenu(this);
    skSkinPopupMenu2->SetName("skSkinPopupMenu2");
    TMenuItem& root = *skSkinPopupMenu2->Items();
    AddItem(*skSkinPopupMenu2, root, "MenuItem1", "打开快照目录")->OnClick = [this](TObject*) { OpenSnapshotFolder(); };
    AddItem(*skSkinPopupMenu2, root, "MenuItem2", "设置快照目录")->OnClick = [this](TObject*) {
        ChooseSnapshotFolder();
    };
    AddItem(*skSkinPopupMenu2, root, "N_SnapshotLine", "-");
    TMenuItem* types = AddItem(*skSkinPopupMenu2, root, "N_SnapshotTypes", "快照保存类型");
    for (const TTypeItem& entry : kTypeItems) {
        TMenuItem* item = AddItem(*skSkinPopupMenu2, *types, entry.Name, entry.Caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        item->SetChecked(entry.Type == TSnapshotType::Bmp);
        item->OnClick = [this, type = entry.Type](TObject*) { SetSnapshotType(type); };
    }

    skSkinButton22->OnClick = [this](TObject*) { TakeSnapshot(); };
    skSkinButton23->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
        if (button != mbLeft)
            return;
        ShowSnapshotType(ResolveSnapshotType(*ini_));
        POINT cursor{};
        GetCursorPos(&cursor);
        skSkinPopupMenu2->Popup(cursor.X, cursor.Y);
    };

    SavePictureDialog1 = new TskSkinSavePictureDialog(this);
    SavePictureDialog1->SetName("SavePictureDialog1");
    SavePictureDialog1->Filter = "Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg";
    SavePictureDialog1->SetSkinData(skSkinData1);
    SavePictureDialog1->SetCtrlSkinData(skSkinData1);
    ChooseCaptureFile = [this]() -> std::optional<std::string> {
        if (!SavePictureDialog1->Execute())
            return std::nullopt;
        return SavePictureDialog1->FileName();
    };
}

void TMainForm::ShowSnapshotType(TSnapshotType type)
{
    for (const TTypeItem& entry : kTypeItems)
        if (auto* item = dynamic_cast<TMenuItem*>(skSkinPopupMenu2->FindComponent(entry.Name)))
            item->SetChecked(entry.Type == type);
}

void TMainForm::SetSnapshotType(TSnapshotType type)
{
    if (!ini_->Write("SnapShot", "Picture", SnapshotTypeName(type)))
        Notice("无法保存快照设置：" + ini_->Path());
    ShowSnapshotType(type);
}

std::optional<std::string> TMainForm::SaveSnapshot(const std::string& fileName, TSnapshotType type)
{
    std::int64_t pts = -1;
    const TSurface& frame = FFPlayer->CurrentFrame(pts);
    // A copy of our own: the player's bitmap is rewritten by its next call.
    const TSurface picture = frame;
    if (picture.Width() <= 0)
        return std::nullopt;
    try {
        WriteSnapshot(picture, fileName, type);
    } catch (const std::exception& error) {
        Notice("无法保存快照：" + fileName + "\n" + error.what());
        return std::nullopt;
    }
    return fileName;
}

std::optional<std::string> TMainForm::TakeSnapshot()
{
    const std::optional<std::string> folder = ResolveSnapshotFolder(*ini_);
    const TSnapshotType type = ResolveSnapshotType(*ini_);
    ShowSnapshotType(type);
    if (!folder) {
        Notice("无法创建快照文件夹：" + ini_->Read("SnapShot", "Dir"));
        return std::nullopt;
    }
    return SaveSnapshot(NextSnapshotName(*folder, T_Movie_PLayer_FileName, type), type);
}

std::optional<std::string> TMainForm::CaptureSnapshot()
{
    if (FFPlayer->CurrentFrame().Width() <= 0 || !ChooseCaptureFile)
        return std::nullopt;
    const std::optional<std::string> chosen = ChooseCaptureFile();
    if (!chosen || chosen->empty())
        return std::nullopt;
    return SaveSnapshot(*chosen, SnapshotTypeForName(*chosen));
}

void TMainForm::OpenSnapshotFolder()
{
    const std::optional<std::string> folder = ResolveSnapshotFolder(*ini_);
    if (!folder) {
        Notice("无法创建快照文件夹：" + ini_->Read("SnapShot", "Dir"));
        return;
    }
    ShellLauncher()->Open(*folder, *folder);
}

void TMainForm::ChooseSnapshotFolder()
{
    if (!SelectFolder)
        return;
    const std::optional<std::string> chosen = SelectFolder("选择输出目录", ini_->Read("SnapShot", "Dir"));
    if (!chosen || !DirectoryExists(*chosen))
        return;
    if (!ini_->Write("SnapShot", "Dir", *chosen))
        Notice("无法保存快照设置：" + ini_->Path());
}

} // namespace tovrel
