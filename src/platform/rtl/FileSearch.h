#pragma once
// Find-first/next over one folder with the run-time library's rules: the mask
// as MatchesWildcard reads it ("*.*" matches every name);
// folders, hidden entries (names starting with ".") and system entries
// (devices, pipes, sockets) are left out unless the attribute mask asks for
// them. "." and ".." are never listed.
#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tovrel {

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faSymLink = 0x40;
constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    std::string Name;
    std::int64_t Size = 0;
    int Attr = 0;
    TDateTime Time = 0; // last write, local time
    struct State;
    std::shared_ptr<State> FindHandle;
};

// pathAndMask is a folder and a mask ("/data/in/*.avi"). 0 when an entry was
// found (rec filled), otherwise an errno value (ENOENT when nothing matches).
int FindFirst(std::string_view pathAndMask, int attr, TSearchRec& rec);
int FindNext(TSearchRec& rec);
void FindClose(TSearchRec& rec);

} // namespace tovrel
