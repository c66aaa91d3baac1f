#pragma once
// A folder of the file system: its children are its entries, each named by
// the raw bytes of its file name ("F" + name). A folder that is not there
// (any more) has no entries; it never stands in for another folder.
#include "platform/shell/ShellFolderInterface.h"

namespace tovrel {

class TFileSystemFolder : public IShellFolder {
public:
    explicit TFileSystemFolder(std::string path);
    const std::string& Path() const { return path_; }

    static std::string EntryPayload(std::string_view rawName);

protected:
    std::vector<std::string> ChildPayloads() override;
    std::string ChildPath(std::string_view payload) override;
    std::string ChildName(std::string_view payload) override;
    bool ChildrenAreEntries() const override { return true; }
    int RenameChild(std::string_view payload, std::string_view newName, std::string& newPayload) override;
    std::string SelfPath() override { return path_; }
    std::string SelfName() override;

private:
    std::string path_;
};

} // namespace tovrel
