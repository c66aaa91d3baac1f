#pragma once
// Item identifier lists: the namespace's byte-string names of items. Each item
// is a 16-bit little-endian byte count (its own two bytes included) followed by
// that many bytes less two of payload; a zero count ends the list. The empty
// list (the terminator alone) names the desktop. An absolute list names an item
// from the desktop, a relative list an item within its parent folder. Lists live
// in memory from AllocShellMemory and go back only through FreeShellMemory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tovrel {

using PItemIDList = std::uint8_t*;
using PCItemIDList = const std::uint8_t*;

// A zero-filled block; nullptr when no memory is left.
void* AllocShellMemory(std::size_t size);
void FreeShellMemory(void* block);

struct TShellMemoryDeleter {
    void operator()(std::uint8_t* block) const { FreeShellMemory(block); }
};
using TItemIDListPtr = std::unique_ptr<std::uint8_t, TShellMemoryDeleter>;

// The position cb bytes further on.
PCItemIDList NextItemID(PCItemIDList position);
int CountItemIDs(PCItemIDList list);
// Bytes with the 2-byte terminator; 0 for nullptr.
std::size_t ItemIDListSize(PCItemIDList list);
TItemIDListPtr CopyItemIDList(PCItemIDList list);
// The items of first (may be nullptr) without its terminator, then all of second.
TItemIDListPtr JoinItemIDLists(PCItemIDList first, PCItemIDList second);
// In place: the list ends before its last item. nullptr and the empty list stay.
void CutLastItemID(PItemIDList list);
// A one-item list holding the last item; the empty list for the empty list.
TItemIDListPtr LastItemIDCopy(PCItemIDList list);
// The ancestors from the desktop (the empty list, index 0) to the parent (last
// index); the list itself is not among them.
std::vector<TItemIDListPtr> ItemIDListAncestors(PCItemIDList list);
// Identical bytes: "a" and "A" are two different files.
bool ItemIDListsEqual(PCItemIDList a, PCItemIDList b);

// The largest payload one item can carry.
constexpr std::size_t MaxItemPayload = 0xFFFF - 2;
// A one-item list with the payload (std::length_error past MaxItemPayload).
TItemIDListPtr MakeItemIDList(std::string_view payload);
// The payload of the item at position (empty at the terminator).
std::string_view ItemPayload(PCItemIDList position);

} // namespace tovrel
