#pragma once
// Where the demo form and its aligned panels sit, and their colours: the
// demo builds from these, and its screenshot test probes by them.
#include "platform/rtl/Types.h"

namespace tovrel::demo {

constexpr TPoint kFormPos{40, 30};
constexpr int kClientWidth = 560, kClientHeight = 340;
constexpr int kTopPanelHeight = 44, kStatusHeight = 26, kLeftPanelWidth = 150;
// In the client panel's coordinates.
constexpr TRect kEditBounds{90, 36, 340, 58};
constexpr TRect kSwatchBounds{14, 116, 134, 176};
constexpr int kScreenWidth = 680, kScreenHeight = 460;

constexpr COLORREF kTopPanelColour = RGB(40, 90, 160);
constexpr COLORREF kLeftPanelColour = RGB(60, 140, 90);
constexpr COLORREF kClientPanelColour = RGB(250, 248, 236);
constexpr COLORREF kStatusColour = RGB(90, 90, 90);
constexpr COLORREF kSwatchColour = RGB(200, 60, 40);

} // namespace tovrel::demo
