#pragma once
// Optional platform entries the skin engine binds once at start: the monitor
// calls and the layered-window calls. Each may be missing, and every user falls
// back (one monitor; no layered alpha) rather than failing. The platform layer
// hands its table over with BindSkinPlatformEntries; until then all are missing.
#include <cstdint>

#include "platform/rtl/Types.h"

namespace tovrel {

// Opaque handles as the platform layer defines them.
using TskWindowHandle = void*;
using TskMonitorHandle = void*;
using TskDeviceContext = void*;

struct TskMonitorInfo {
    std::uint32_t cbSize = sizeof(TskMonitorInfo);
    TRect rcMonitor;
    TRect rcWork;
    std::uint32_t dwFlags = 0;
};

struct TskBlendFunction {
    std::uint8_t BlendOp = 0;
    std::uint8_t BlendFlags = 0;
    std::uint8_t SourceConstantAlpha = 255;
    std::uint8_t AlphaFormat = 0;
};

struct TskPlatformEntries {
    TskMonitorHandle (*MonitorFromWindow)(TskWindowHandle wnd, std::uint32_t flags) = nullptr;
    bool (*GetMonitorInfoA)(TskMonitorHandle monitor, TskMonitorInfo* info) = nullptr;
    bool (*SetLayeredWindowAttributes)(TskWindowHandle wnd, COLORREF key, std::uint8_t alpha,
                                       std::uint32_t flags) = nullptr;
    bool (*UpdateLayeredWindow)(TskWindowHandle wnd, TskDeviceContext dstDC, const TPoint* dstPos, const TSize* size,
                                TskDeviceContext srcDC, const TPoint* srcPos, COLORREF key,
                                const TskBlendFunction* blend, std::uint32_t flags) = nullptr;
    // The platform's packed version: major in the low byte, minor in the next.
    std::uint32_t (*GetVersion)() = nullptr;
};

// Start-up binding (main thread, before any form exists).
void BindSkinPlatformEntries(const TskPlatformEntries& entries);
// Program end: the monitor entries are dropped.
void ReleaseSkinPlatformEntries();
const TskPlatformEntries& SkinPlatformEntries();

// Window-wide alpha through SetLayeredWindowAttributes; does nothing when the
// entry is missing. The window must be layered.
void SetLayeredWindowAlpha(TskWindowHandle Wnd, std::uint8_t Alpha);

// The version our stand-in platform reports when it binds no GetVersion: 6.1.
constexpr std::uint32_t kSkinDefaultPlatformVersion = 0x0106;
std::uint32_t PlatformGetVersion();

} // namespace tovrel
