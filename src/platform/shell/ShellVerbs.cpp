#include "platform/shell/ShellVerbs.h"

#include "platform/rtl/Text.h"
#include "platform/shell/FileOperations.h"
#include "platform/shell/ShellEnvironment.h"
#include "platform/shell/Trash.h"

#include <algorithm>
#include <array>

namespace tovrel {

namespace {

using Cap = TskShellFolderCapability;

constexpr std::array<TShellVerb, 7> Verbs{{
    {1, "open", "打开"},
    {2, "cut", "剪切"},
    {3, "copy", "复制"},
    {4, "paste", "粘贴"},
    {5, "delete", "删除"},
    {6, "rename", "重命名"},
    {7, "properties", "属性"},
}};

TShellPropertiesPresenter& PropertiesPresenter()
{
    static TShellPropertiesPresenter presenter;
    return presenter;
}

bool PutAside(const TskShellFolder& item, bool cut)
{
    const std::string path = item.FullObjectName();
    if (path.empty())
        return false;
    ShellClipboard() = {{path}, cut};
    return true;
}

bool Paste(const TskShellFolder& item)
{
    TShellClipboard& clipboard = ShellClipboard();
    const std::string target = item.FullObjectName();
    if (target.empty() || !item.IsFolder() || clipboard.Paths.empty())
        return false;
    bool all = true;
    for (const std::string& source : clipboard.Paths)
        all = (clipboard.Cut ? MoveEntryInto(source, target) : CopyEntryInto(source, target)) == 0 && all;
    if (clipboard.Cut && all)
        clipboard = {}; // what was cut is no longer where it was
    return all;
}

bool Delete(const TskShellFolder& item)
{
    const std::string path = item.FullObjectName();
    return !path.empty() && MoveToTrash(path, TrashFolder()) == 0;
}

bool ShowProperties(const TskShellFolder& item)
{
    const TShellPropertiesPresenter& presenter = PropertiesPresenter();
    return presenter && presenter(item);
}

} // namespace

std::span<const TShellVerb> ShellVerbs()
{
    return Verbs;
}

std::vector<TShellVerb> ItemVerbs(const TskShellFolder& item)
{
    const TskShellFolderCapabilities caps = item.Capabilities();
    const bool canPaste = caps.Contains(Cap::fcDropTarget) && !ShellClipboard().Paths.empty();
    const bool offered[] = {true,
                            caps.Contains(Cap::fcCanMove),
                            caps.Contains(Cap::fcCanCopy),
                            canPaste,
                            caps.Contains(Cap::fcCanDelete),
                            caps.Contains(Cap::fcCanRename),
                            caps.Contains(Cap::fcHasPropSheet)};
    std::vector<TShellVerb> verbs;
    for (std::size_t i = 0; i < Verbs.size(); ++i)
        if (offered[i])
            verbs.push_back(Verbs[i]);
    return verbs;
}

TShellClipboard& ShellClipboard()
{
    static TShellClipboard clipboard;
    return clipboard;
}

void SetShellPropertiesPresenter(TShellPropertiesPresenter presenter)
{
    PropertiesPresenter() = std::move(presenter);
}

bool RunShellVerb(const TskShellFolder& item, std::string_view verb)
{
    const std::string name = LowerCase(verb);
    if (name == "open")
        return item.ExecuteDefault() != 0;
    if (name == "cut" || name == "copy")
        return PutAside(item, name == "cut");
    if (name == "paste")
        return Paste(item);
    if (name == "delete")
        return Delete(item);
    if (name == "rename")
        return true; // the view edits the name; the menu itself renames nothing
    if (name == "properties")
        return ShowProperties(item);
    return false;
}

void InvokeItemVerb(const TskShellFolder* AFolder, std::string_view Verb)
{
    if (AFolder)
        RunShellVerb(*AFolder, Verb);
}

} // namespace tovrel
