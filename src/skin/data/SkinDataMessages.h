#pragma once
// Window messages a skin data object sends to every open form when its skin
// changes. WParam is the sending TskSkinData* and LParam is
// SkinDataMessageLParam; a receiver compares WParam with its own skin data.
namespace tovrel {

constexpr unsigned BeforeChangeSkinDataMessage = 1225;      // WM_USER + 201: before the skin is replaced or cleared
constexpr unsigned ChangeSkinDataMessage = 1226;            // WM_USER + 202: the new skin is in place
constexpr unsigned AfterChangeSkinDataMessage = 1227;       // WM_USER + 203: last message of a change
constexpr unsigned ResourceStrDataChangedMessage = 1274;    // WM_USER + 250
constexpr unsigned SkinnableFormChangedMessage = 1294;      // WM_USER + 270
constexpr unsigned ShowLayeredBordersChangedMessage = 1427; // WM_USER + 403

constexpr long SkinDataMessageLParam = 1000;

// The key in LParam of the paint-to messages that a form's frame and a list
// box's background answer, and their answer when they painted.
constexpr long SkinPaintKey = 16802;

} // namespace tovrel
