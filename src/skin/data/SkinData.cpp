#include "skin/data/SkinData.h"

#include <exception>

#include "platform/rtl/Paths.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkinList.h"

namespace tovrel {

TskSkinData::TskSkinData(TComponent* AOwner)
    : TComponent(AOwner), FPicture(std::make_unique<TBitmap>()), FInActivePicture(std::make_unique<TBitmap>()),
      FMask(std::make_unique<TBitmap>())
{}

TskSkinData::~TskSkinData()
{
    Empty = true;
}

// ---- options ----

bool TskSkinData::OwnerReading() const
{
    return ComponentState().Contains(csReading) || (Owner() && Owner()->ComponentState().Contains(csReading));
}

void TskSkinData::SetSkinnableForm(bool Value)
{
    if (Value == FSkinnableForm)
        return;
    FSkinnableForm = Value;
    if (!OwnerReading())
        SendSkinDataMessage(SkinnableFormChangedMessage);
}

void TskSkinData::SetShowLayeredBorders(bool Value)
{
    if (Value == FShowLayeredBorders)
        return;
    FShowLayeredBorders = Value;
    if (!OwnerReading())
        SendSkinDataMessage(ShowLayeredBordersChangedMessage);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* Value)
{
    FResourceStrData = Value;
    SendSkinDataMessage(ResourceStrDataChangedMessage);
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* Value)
{
    FCompressedStoredSkin = Value;
    if (Value)
        LoadCompressedStoredSkin(Value);
}

void TskSkinData::SetSkinList(TskCompressedSkinList* Value)
{
    FCompressedSkinList = Value;
    if (Value && FCompressedSkinIndex >= 0 && FCompressedSkinIndex < Value->Skins()->Count())
        LoadCompressedStoredSkin(Value->Skins()->Items(FCompressedSkinIndex)->Skin());
}

void TskSkinData::SetSkinIndex(int Value)
{
    if (Value == FCompressedSkinIndex)
        return;
    if (!FCompressedSkinList) {
        FCompressedSkinIndex = Value;
        return;
    }
    if (Value < 0 || Value >= FCompressedSkinList->Skins()->Count())
        return;
    LoadCompressedStoredSkin(FCompressedSkinList->Skins()->Items(Value)->Skin());
    FCompressedSkinIndex = Value;
}

// ---- clearing ----

void TskSkinData::ClearObjects()
{
    ObjectList.clear();
    CtrlList.clear();
    FActivePictures.clear();
    LayerFrame.PictureIndex = -1;
    PopupWindow.WindowPictureIndex = -1;
    HintWindow.WindowPictureIndex = -1;
    Pictures.ActivePicturesNames.clear();
    SkinColors.SetColorsToDefault();
}

void TskSkinData::ClearAll()
{
    ClearObjects();
    FPicture->Assign(nullptr);
    FMask->Assign(nullptr);
    FInActivePicture->Assign(nullptr);
    Pictures.PictureName.clear();
    Pictures.InActivePictureName.clear();
    Pictures.MaskName.clear();
    Empty = true;
}

void TskSkinData::ClearSkin()
{
    ClearAll();
    SendSkinDataMessage(BeforeChangeSkinDataMessage);
    SendSkinDataMessage(ChangeSkinDataMessage);
    SendSkinDataMessage(AfterChangeSkinDataMessage);
}

void TskSkinData::ApplySkin(TskSkinContent& Content, TskSkinDescription& Description)
{
    Empty = true;
    ChangeSkinDataProcess = true;
    SendSkinDataMessage(BeforeChangeSkinDataMessage);
    std::exception_ptr failure;
    try {
        ClearAll();
        static_cast<TskSkinDescription&>(*this) = std::move(Description);
        FPicture->Assign(Content.Picture.get());
        FInActivePicture->Assign(Content.InActivePicture.get());
        FMask->Assign(Content.Mask.get());
        FActivePictures = std::move(Content.ActivePictures);
        Empty = false;
    } catch (...) {
        // Forms stop drawing from the skin at BeforeChange until Change arrives,
        // so the sequence ends with the default look rather than not at all.
        failure = std::current_exception();
        ClearAll();
    }
    SendSkinDataMessage(ChangeSkinDataMessage);
    ChangeSkinDataProcess = false;
    SendSkinDataMessage(AfterChangeSkinDataMessage);
    if (failure)
        std::rethrow_exception(failure);
}

// ---- pictures and lookups ----

TBitmap* TskSkinData::ActivePicture(int Index) const
{
    if (Index < 0 || Index >= int(FActivePictures.size()))
        return nullptr;
    return FActivePictures[std::size_t(Index)].get();
}

void TskSkinData::AddBitMap(const std::string& FileName)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(FileName);
    Pictures.ActivePicturesNames.push_back(ExtractFileName(FileName));
    FActivePictures.push_back(std::move(bitmap));
}

void TskSkinData::DeleteBitMap(int Index)
{
    if (Index < 0 || Index >= int(FActivePictures.size()) || Index >= int(Pictures.ActivePicturesNames.size()))
        ListIndexError(Index);
    Pictures.ActivePicturesNames.erase(Pictures.ActivePicturesNames.begin() + Index);
    FActivePictures.erase(FActivePictures.begin() + Index);
}

int TskSkinData::GetIndex(std::string_view AIDName) const
{
    return FindSkinObject(ObjectList, AIDName);
}

int TskSkinData::GetControlIndex(std::string_view AIDName) const
{
    return FindSkinControl(CtrlList, AIDName);
}

} // namespace tovrel
