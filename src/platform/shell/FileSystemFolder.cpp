#include "platform/shell/FileSystemFolder.h"

#include "platform/rtl/Paths.h"
#include "platform/shell/FileNames.h"
#include "platform/shell/FileOperations.h"

#include <dirent.h>

namespace tovrel {

namespace {

constexpr char EntryKind = 'F';

std::string_view EntryName(std::string_view payload)
{
    return payload.empty() ? payload : payload.substr(1);
}

} // namespace

TFileSystemFolder::TFileSystemFolder(std::string path) : path_(std::move(path)) {}

std::string TFileSystemFolder::EntryPayload(std::string_view rawName)
{
    return EntryKind + std::string(rawName);
}

std::vector<std::string> TFileSystemFolder::ChildPayloads()
{
    std::vector<std::string> payloads;
    DIR* dir = ::opendir(path_.c_str());
    if (!dir)
        return payloads;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            payloads.push_back(EntryPayload(name));
    }
    ::closedir(dir);
    return payloads;
}

std::string TFileSystemFolder::ChildPath(std::string_view payload)
{
    const std::string_view name = EntryName(payload);
    if (payload.empty() || payload[0] != EntryKind || !IsValidEntryName(name))
        return {};
    return PathJoin(path_, name);
}

std::string TFileSystemFolder::ChildName(std::string_view payload)
{
    return FileNameDisplayText(EntryName(payload));
}

int TFileSystemFolder::RenameChild(std::string_view payload, std::string_view newName, std::string& newPayload)
{
    const std::string from = ChildPath(payload);
    if (from.empty() || !IsValidEntryName(newName))
        return EINVAL;
    const int error = RenameNoReplace(from, PathJoin(path_, newName));
    if (error == 0)
        newPayload = EntryPayload(newName);
    return error;
}

std::string TFileSystemFolder::SelfName()
{
    return path_ == "/" ? path_ : FileNameDisplayText(ExtractFileName(path_));
}

} // namespace tovrel
