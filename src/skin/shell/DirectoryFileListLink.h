#pragma once
// The file list box's side of its link with a directory list box: the
// directory list hands it every folder it enters, and the file list's typed
// paths set the directory list's Directory. A file list box implements this
// to be linked with TskSkinDirectoryListBox::SetFileList.
#include <string>

namespace tovrel {

class TComponent;
class TskSkinDirectoryListBox;

class IDirectoryFileListLink {
public:
    virtual ~IDirectoryFileListLink() = default;
    // The file list as a component, so the directory list hears of its removal.
    virtual TComponent* LinkComponent() = 0;
    // Stores the directory list as the file list's own link, without calling back.
    virtual void SetDirListLink(TskSkinDirectoryListBox* List) = 0;
    // Enters the folder and lists its files.
    virtual void ApplyDirectory(const std::string& Directory) = 0;
};

} // namespace tovrel
