#pragma once
// The virtual top of the namespace.
//
// Desktop (the empty list): Home ("H"), Computer ("C"), then the user's
// folders from user-dirs.dirs ("X" + path). It parses absolute paths into
// Computer > volume > entries, and Computer's parsing name into Computer.
// Computer: the mounted volumes ("V" + mount path), the root first.
#include "platform/shell/ShellFolderInterface.h"

namespace tovrel {

class TDesktopFolder : public IShellFolder {
public:
    TItemIDListPtr ParseDisplayName(std::string_view name) override;

    static constexpr std::string_view HomePayload = "H";
    static constexpr std::string_view ComputerPayload = "C";
    static std::string UserFolderPayload(std::string_view path);

protected:
    std::vector<std::string> ChildPayloads() override;
    std::string ChildPath(std::string_view payload) override;
    std::string ChildName(std::string_view payload) override;
    std::string VirtualChildParsingName(std::string_view payload) override;
    SFGAOF VirtualChildAttributes(std::string_view payload) override;
    int ChildRank(std::string_view payload) override;
    std::shared_ptr<IShellFolder> BindChild(std::string_view payload) override;
    std::optional<TShellIcon> ChildIcon(std::string_view payload) override;
    std::string SelfPath() override;
    std::string SelfName() override;
    TShellIcon SelfIcon() override { return siDesktop; }
};

class TComputerFolder : public IShellFolder {
public:
    static std::string VolumePayload(std::string_view mountPath);

protected:
    std::vector<std::string> ChildPayloads() override;
    std::string ChildPath(std::string_view payload) override;
    std::string ChildName(std::string_view payload) override;
    int ChildRank(std::string_view payload) override;
    std::optional<TShellIcon> ChildIcon(std::string_view payload) override;
    SFGAOF ExtraChildAttributes(std::string_view payload) override;
    std::string SelfPath() override { return {}; }
    std::string SelfName() override;
    TShellIcon SelfIcon() override { return siComputer; }
};

// The one desktop folder of the process.
std::shared_ptr<IShellFolder> DesktopIShellFolder();

} // namespace tovrel
