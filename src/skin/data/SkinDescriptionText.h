#pragma once
// Everything a skin description holds apart from its bitmaps, read from and
// written to one INI text as a whole. The skin data object keeps these parts
// beside its pictures; the skin generator writes skins through it.
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinEntryKinds.h"
#include "skin/data/SkinFixedEntries.h"

namespace tovrel {

struct TskSkinDescription {
    TskSkinVersionInfo Version;
    TskSkinPictureNames Pictures;
    TskFormInfo FormInfo;
    TskDataSkinPopupWindow PopupWindow;
    TskDataSkinLayerFrame LayerFrame;
    TskDataSkinHintWindow HintWindow;
    TskSkinColors SkinColors;
    TskObjectList ObjectList;
    TskControlList CtrlList;

    // Reads the texts, the picture names, the form information (completed as a
    // mask name asks), the fixed entries and both entry lists, replacing the
    // lists. The caller checks CheckSkinFile first; a malformed rectangle or
    // point raises EConvertError.
    void LoadFromIniFile(const TskIniFile& IniFile);
    // Writes every section in the format's order: VERSION, PICTURES, FORMINFO,
    // POPUPWINDOW, LAYERFRAME, HINTWINDOW, SKINCOLORS, then each list followed
    // by the sections of its entries.
    void SaveToIniFile(TskIniFile& IniFile);
};

} // namespace tovrel
