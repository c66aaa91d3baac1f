#include "platform/gdi/GdiObject.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace tovrel {

namespace {

struct THandleTable {
    std::mutex Lock;
    std::unordered_map<std::uintptr_t, std::shared_ptr<TGdiObject>> Objects;
    std::uintptr_t NextId = 0x10000; // low values stay invalid
};

THandleTable& Table()
{
    static THandleTable table;
    return table;
}

} // namespace

TGdiBitmap::TGdiBitmap(int width, int height, TPixelFormat format, bool bottomUp, bool dibSection)
    : surface_(std::make_shared<TSurface>(width, height, format)), bottomUp_(bottomUp), dibSection_(dibSection)
{}

TGdiBitmap::TGdiBitmap(std::shared_ptr<TSurface> surface)
    : surface_(surface ? std::move(surface) : std::make_shared<TSurface>())
{}

HGDIOBJ RegisterGdiObject(std::shared_ptr<TGdiObject> object)
{
    if (!object)
        return nullptr;
    THandleTable& table = Table();
    std::lock_guard lock(table.Lock);
    const std::uintptr_t id = table.NextId;
    table.NextId += 4;
    table.Objects.emplace(id, std::move(object));
    return reinterpret_cast<HGDIOBJ>(id);
}

std::shared_ptr<TGdiObject> FindGdiObject(HGDIOBJ h)
{
    THandleTable& table = Table();
    std::lock_guard lock(table.Lock);
    auto it = table.Objects.find(reinterpret_cast<std::uintptr_t>(h));
    return it == table.Objects.end() ? nullptr : it->second;
}

bool UnregisterGdiObject(HGDIOBJ h)
{
    std::shared_ptr<TGdiObject> doomed; // released outside the lock
    THandleTable& table = Table();
    std::lock_guard lock(table.Lock);
    auto it = table.Objects.find(reinterpret_cast<std::uintptr_t>(h));
    if (it == table.Objects.end() || it->second->Stock)
        return false;
    doomed = std::move(it->second);
    table.Objects.erase(it);
    return true;
}

} // namespace tovrel
