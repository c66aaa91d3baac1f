#include "skin/data/SkinDescriptionText.h"

namespace tovrel {

void TskSkinDescription::LoadFromIniFile(const TskIniFile& IniFile)
{
    Version.LoadFromFile(IniFile);
    Pictures.LoadFromFile(IniFile);
    FormInfo.LoadFromFile(IniFile, !Pictures.MaskName.empty());
    PopupWindow.LoadFromFile(IniFile);
    LayerFrame.LoadFromFile(IniFile);
    HintWindow.LoadFromFile(IniFile);
    SkinColors.LoadFromFile(IniFile);
    ObjectList.clear();
    CtrlList.clear();
    ReadSkinObjects(IniFile, ObjectList);
    ReadSkinControls(IniFile, CtrlList);
}

void TskSkinDescription::SaveToIniFile(TskIniFile& IniFile)
{
    Version.SaveToFile(IniFile);
    Pictures.SaveToFile(IniFile);
    FormInfo.SaveToFile(IniFile);
    PopupWindow.SaveToFile(IniFile);
    LayerFrame.SaveToFile(IniFile);
    HintWindow.SaveToFile(IniFile);
    // The colours' own writer keeps what the section holds; the description does not.
    IniFile.EraseSection(TskSkinColors::Section);
    SkinColors.SaveToFile(IniFile);
    WriteSkinObjects(IniFile, ObjectList);
    WriteSkinControls(IniFile, CtrlList);
}

} // namespace tovrel
