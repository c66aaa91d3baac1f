#include "skin/data/fuzz/SkinIniFuzzBody.h"

#include "skin/data/SkinDescription.h"
#include "skin/data/SkinEntryKinds.h"
#include "skin/data/SkinFixedEntries.h"

namespace tovrel::test {
namespace {

struct WholeSkin {
    TskSkinVersionInfo Version;
    TskSkinPictureNames Pictures;
    TskFormInfo FormInfo;
    TskDataSkinPopupWindow PopupWindow;
    TskDataSkinLayerFrame LayerFrame;
    TskDataSkinHintWindow HintWindow;
    TskSkinColors SkinColors;
    TskObjectList Objects;
    TskControlList Controls;

    void Load(const TskIniFile& ini)
    {
        Version.LoadFromFile(ini);
        Pictures.LoadFromFile(ini);
        FormInfo.LoadFromFile(ini, !Pictures.MaskName.empty());
        PopupWindow.LoadFromFile(ini);
        LayerFrame.LoadFromFile(ini);
        HintWindow.LoadFromFile(ini);
        SkinColors.LoadFromFile(ini);
        ReadSkinObjects(ini, Objects);
        ReadSkinControls(ini, Controls);
    }

    void Save(TskIniFile& ini)
    {
        Version.SaveToFile(ini);
        Pictures.SaveToFile(ini);
        FormInfo.SaveToFile(ini);
        PopupWindow.SaveToFile(ini);
        LayerFrame.SaveToFile(ini);
        HintWindow.SaveToFile(ini);
        SkinColors.SaveToFile(ini);
        WriteSkinObjects(ini, Objects);
        WriteSkinControls(ini, Controls);
    }
};

} // namespace

void ExerciseSkinIniText(std::string_view text)
{
    const TskIniFile ini(text);
    (void)CheckSkinFile(ini);
    WholeSkin skin;
    try {
        skin.Load(ini);
    } catch (const EConvertError&) {
        return;
    } catch (const ESkinListError&) {
        return;
    }
    TskIniFile written;
    skin.Save(written);
    WholeSkin reread;
    reread.Load(TskIniFile(written.GetText()));
}

} // namespace tovrel::test
