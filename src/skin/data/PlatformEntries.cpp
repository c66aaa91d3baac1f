#include "skin/data/PlatformEntries.h"

namespace tovrel {
namespace {

// The platform's LWA_ALPHA flag.
constexpr std::uint32_t kLayeredAlphaFlag = 2;

// Written at start-up and program end only, read in between, all in the main thread.
TskPlatformEntries& Entries()
{
    static TskPlatformEntries entries;
    return entries;
}

} // namespace

void BindSkinPlatformEntries(const TskPlatformEntries& entries)
{
    Entries() = entries;
}

void ReleaseSkinPlatformEntries()
{
    Entries().MonitorFromWindow = nullptr;
    Entries().GetMonitorInfoA = nullptr;
}

const TskPlatformEntries& SkinPlatformEntries()
{
    return Entries();
}

void SetLayeredWindowAlpha(TskWindowHandle Wnd, std::uint8_t Alpha)
{
    if (const auto set = Entries().SetLayeredWindowAttributes)
        set(Wnd, 0, Alpha, kLayeredAlphaFlag);
}

std::uint32_t PlatformGetVersion()
{
    const auto get = Entries().GetVersion;
    return get ? get() : kSkinDefaultPlatformVersion;
}

} // namespace tovrel
