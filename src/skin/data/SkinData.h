#pragma once
// TskSkinData: one loaded skin (pictures, frame geometry, fixed entries and
// the two lists of named entries) that every skinned form and control looks
// its entry up in. It loads from an INI skin folder, a compressed skin file,
// a stored skin or the chosen item of a stored skin list, writes both
// formats, and tells every open form before, while and after its skin
// changes (SkinDataMessages.h).
//
// The description parts come from TskSkinDescription: the frame geometry is
// FormInfo (FormInfo.LTPoint, FormInfo.ClRect, ...), the descriptive texts are
// Version, the picture file names are Pictures (Pictures.PictureName,
// Pictures.ActivePicturesNames, ...).
//
// A load reads the whole new skin before it announces anything: a skin that
// fails to load raises to the caller and leaves the previous skin and every
// form as they were.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/data/SkinDataMessages.h"
#include "skin/data/SkinDescriptionText.h"

namespace tovrel {

class TBitmap;
class TskCompressedSkinList;
class TskCompressedStoredSkin;
class TskResourceStrData;
struct TskSkinContent;

class TskSkinData : public TComponent, public TskSkinDescription {
public:
    explicit TskSkinData(TComponent* AOwner);
    // Frees everything; sends no message.
    ~TskSkinData() override;

    // ---- options ----
    bool SkinnableForm() const { return FSkinnableForm; }
    // A change broadcasts SkinnableFormChangedMessage (not while the owner is being read).
    void SetSkinnableForm(bool Value);
    bool ShowLayeredBorders() const { return FShowLayeredBorders; }
    // A change broadcasts ShowLayeredBordersChangedMessage (not while the owner is being read).
    void SetShowLayeredBorders(bool Value);
    bool AnimationForAllWindows = false;
    bool EnableSkinEffects = true;
    bool ShowButtonGlowFrames = true;
    bool ShowCaptionButtonGlowFrames = true;

    TskResourceStrData* ResourceStrData() const { return FResourceStrData; }
    // Always broadcasts ResourceStrDataChangedMessage, also for the same table.
    void SetResourceStrData(TskResourceStrData* Value);

    TskCompressedStoredSkin* CompressedStoredSkin() const { return FCompressedStoredSkin; }
    // Loads the stored skin at once.
    void SetCompressedStoredSkin(TskCompressedStoredSkin* Value);

    TskCompressedSkinList* SkinList() const { return FCompressedSkinList; }
    // Loads item SkinIndex when it is one of the list's items.
    void SetSkinList(TskCompressedSkinList* Value);
    int SkinIndex() const { return FCompressedSkinIndex; }
    // Without a list: stored. With a list: an item's position loads that item
    // and is stored once it has loaded; any other value is ignored.
    void SetSkinIndex(int Value);

    // ---- the loaded skin ----
    bool Empty = true;
    bool ChangeSkinDataProcess = false;
    std::unique_ptr<TBitmap> FPicture;
    std::unique_ptr<TBitmap> FInActivePicture;
    std::unique_ptr<TBitmap> FMask;
    // Same length and order as Pictures.ActivePicturesNames.
    std::vector<std::unique_ptr<TBitmap>> FActivePictures;

    // The active picture an entry names; null for -1 and positions beyond the list.
    TBitmap* ActivePicture(int Index) const;

    // ---- loading and saving ----
    // FileName is the skin's INI file; the pictures lie beside it. A file that
    // is no skin description (or does not exist) changes nothing.
    void LoadFromFile(const std::string& FileName);
    // Writes the description (no pictures) into the INI file, keeping the
    // file's other sections.
    void SaveToFile(const std::string& FileName);
    // SaveToFile, then every picture under its name in the same folder.
    void StoreToDisk(const std::string& AFileName);
    void LoadFromCompressedFile(const std::string& FileName);
    void SaveToCompressedFile(const std::string& FileName);
    // A stored skin without data, or content newer than this reader, changes nothing.
    void LoadCompressedStoredSkin(TskCompressedStoredSkin* AStoredSkin);

    // ---- clearing ----
    // ClearAll, then BeforeChange, Change and AfterChange messages.
    void ClearSkin();
    // ClearObjects and the three pictures and their names; no message.
    void ClearAll();
    // Entries, active pictures and names, fixed entries' pictures, colours.
    void ClearObjects();

    // ---- pictures and lookups ----
    void AddBitMap(const std::string& FileName);
    // Later entries keep their picture positions. Raises EListError out of range.
    void DeleteBitMap(int Index);
    int GetIndex(std::string_view AIDName) const;
    int GetControlIndex(std::string_view AIDName) const;

    // Sends M to the open forms: with layered borders off, an owning form
    // first; then every other form except layer windows, in the screen's
    // order, or reversed when layered borders are shown and the skin has a
    // layered frame. Synchronous; WParam = this, LParam = 1000.
    void SendSkinDataMessage(unsigned M);

private:
    // Announces and puts the read skin in place.
    void ApplySkin(TskSkinContent& Content, TskSkinDescription& Description);
    bool OwnerReading() const;

    TComponentRef<TskCompressedSkinList> FCompressedSkinList{*this};
    int FCompressedSkinIndex = 0;
    bool FSkinnableForm = true;
    TComponentRef<TskCompressedStoredSkin> FCompressedStoredSkin{*this};
    TskResourceStrData* FResourceStrData = nullptr;
    bool FShowLayeredBorders = true;
};

} // namespace tovrel
