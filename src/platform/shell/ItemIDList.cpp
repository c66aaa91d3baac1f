#include "platform/shell/ItemIDList.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tovrel {

namespace {

std::size_t ItemSize(PCItemIDList position)
{
    return std::size_t(position[0]) | (std::size_t(position[1]) << 8);
}

// A count below 2 cannot hold an item: it ends the list like the terminator, so
// a damaged list is never read past its end.
bool AtEnd(PCItemIDList position)
{
    return ItemSize(position) < 2;
}

TItemIDListPtr AllocList(std::size_t size)
{
    auto* block = static_cast<std::uint8_t*>(AllocShellMemory(size));
    if (!block)
        throw std::bad_alloc();
    return TItemIDListPtr(block);
}

// The bytes of the items, without the terminator.
std::size_t ItemsSize(PCItemIDList list)
{
    return list ? ItemIDListSize(list) - 2 : 0;
}

PCItemIDList LastItem(PCItemIDList list)
{
    PCItemIDList last = list;
    for (PCItemIDList p = list; !AtEnd(p); p = NextItemID(p))
        last = p;
    return last;
}

} // namespace

void* AllocShellMemory(std::size_t size)
{
    return std::calloc(size == 0 ? 1 : size, 1);
}

void FreeShellMemory(void* block)
{
    std::free(block);
}

PCItemIDList NextItemID(PCItemIDList position)
{
    return position + ItemSize(position);
}

int CountItemIDs(PCItemIDList list)
{
    int count = 0;
    for (PCItemIDList p = list; p && !AtEnd(p); p = NextItemID(p))
        ++count;
    return count;
}

std::size_t ItemIDListSize(PCItemIDList list)
{
    if (!list)
        return 0;
    PCItemIDList p = list;
    while (!AtEnd(p))
        p = NextItemID(p);
    return std::size_t(p - list) + 2;
}

TItemIDListPtr CopyItemIDList(PCItemIDList list)
{
    const std::size_t size = list ? ItemIDListSize(list) : 2;
    TItemIDListPtr copy = AllocList(size);
    if (list)
        std::memcpy(copy.get(), list, size);
    return copy;
}

TItemIDListPtr JoinItemIDLists(PCItemIDList first, PCItemIDList second)
{
    const std::size_t head = ItemsSize(first);
    const std::size_t tail = second ? ItemIDListSize(second) : 2;
    TItemIDListPtr joined = AllocList(head + tail);
    if (head)
        std::memcpy(joined.get(), first, head);
    if (second)
        std::memcpy(joined.get() + head, second, tail);
    return joined;
}

void CutLastItemID(PItemIDList list)
{
    if (!list || AtEnd(list))
        return;
    auto* last = const_cast<PItemIDList>(LastItem(list));
    last[0] = 0;
    last[1] = 0;
}

TItemIDListPtr LastItemIDCopy(PCItemIDList list)
{
    if (!list || AtEnd(list))
        return CopyItemIDList(nullptr);
    PCItemIDList last = LastItem(list);
    const std::size_t size = ItemSize(last);
    TItemIDListPtr copy = AllocList(size + 2);
    std::memcpy(copy.get(), last, size);
    return copy;
}

std::vector<TItemIDListPtr> ItemIDListAncestors(PCItemIDList list)
{
    std::vector<TItemIDListPtr> ancestors;
    if (!list)
        return ancestors;
    TItemIDListPtr current = CopyItemIDList(list);
    while (!AtEnd(current.get())) {
        CutLastItemID(current.get());
        ancestors.insert(ancestors.begin(), CopyItemIDList(current.get()));
    }
    return ancestors;
}

bool ItemIDListsEqual(PCItemIDList a, PCItemIDList b)
{
    const std::size_t size = ItemIDListSize(a);
    return size == ItemIDListSize(b) && (size == 0 || std::memcmp(a, b, size) == 0);
}

TItemIDListPtr MakeItemIDList(std::string_view payload)
{
    if (payload.size() > MaxItemPayload)
        throw std::length_error("Item name too long");
    const std::size_t itemSize = payload.size() + 2;
    TItemIDListPtr list = AllocList(itemSize + 2);
    list.get()[0] = std::uint8_t(itemSize & 0xFF);
    list.get()[1] = std::uint8_t(itemSize >> 8);
    std::memcpy(list.get() + 2, payload.data(), payload.size());
    return list;
}

std::string_view ItemPayload(PCItemIDList position)
{
    const std::size_t size = ItemSize(position);
    if (size < 2)
        return {};
    return {reinterpret_cast<const char*>(position) + 2, size - 2};
}

} // namespace tovrel
