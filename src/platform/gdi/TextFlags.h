#pragma once
// Flag values of the text calls, as the window system defines them (callers
// pass them combined, sometimes computed from stored numbers).
namespace tovrel {

constexpr unsigned DT_TOP = 0x00000000;
constexpr unsigned DT_LEFT = 0x00000000;
constexpr unsigned DT_CENTER = 0x00000001;
constexpr unsigned DT_RIGHT = 0x00000002;
constexpr unsigned DT_VCENTER = 0x00000004;
constexpr unsigned DT_BOTTOM = 0x00000008;
constexpr unsigned DT_WORDBREAK = 0x00000010;
constexpr unsigned DT_SINGLELINE = 0x00000020;
constexpr unsigned DT_EXPANDTABS = 0x00000040;
constexpr unsigned DT_TABSTOP = 0x00000080; // DrawText: characters per tab in bits 8-15
constexpr unsigned DT_NOCLIP = 0x00000100;
constexpr unsigned DT_EXTERNALLEADING = 0x00000200;
constexpr unsigned DT_CALCRECT = 0x00000400;
constexpr unsigned DT_NOPREFIX = 0x00000800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x00004000;
constexpr unsigned DT_END_ELLIPSIS = 0x00008000;
constexpr unsigned DT_RTLREADING = 0x00020000; // accepted; text is laid out left to right
constexpr unsigned DT_HIDEPREFIX = 0x00100000;

constexpr unsigned ETO_OPAQUE = 0x0002;
constexpr unsigned ETO_CLIPPED = 0x0004;

} // namespace tovrel
