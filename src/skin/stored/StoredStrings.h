#pragma once
// The interface string table the program carries with its skins: the default
// texts, with the message box's buttons and check box in Chinese, the
// language of the program's interface. A skin without a string table keeps
// the engine's built-in English texts.
namespace tovrel {

class TskResourceStrData;

// One table for the whole program, alive until it ends (skin data objects
// point to it without owning it).
TskResourceStrData& StoredStringTable();

} // namespace tovrel
