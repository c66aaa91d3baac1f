#pragma once
// Attribute, name and enumeration flags of the shell namespace, with the values
// the shell controls were written against, and the enumerations of folder
// objects.
#include <cstdint>
#include <initializer_list>

namespace tovrel {

using SFGAOF = std::uint32_t;

constexpr SFGAOF SFGAO_CANCOPY = 0x1;
constexpr SFGAOF SFGAO_CANMOVE = 0x2;
constexpr SFGAOF SFGAO_CANLINK = 0x4;
constexpr SFGAOF SFGAO_CANRENAME = 0x10;
constexpr SFGAOF SFGAO_CANDELETE = 0x20;
constexpr SFGAOF SFGAO_HASPROPSHEET = 0x40;
constexpr SFGAOF SFGAO_DROPTARGET = 0x100;
constexpr SFGAOF SFGAO_CAPABILITYMASK = 0x177;
constexpr SFGAOF SFGAO_SYSTEM = 0x1000;
constexpr SFGAOF SFGAO_GHOSTED = 0x8000;
constexpr SFGAOF SFGAO_LINK = 0x10000;
constexpr SFGAOF SFGAO_SHARE = 0x20000;
constexpr SFGAOF SFGAO_READONLY = 0x40000;
constexpr SFGAOF SFGAO_HIDDEN = 0x80000;
constexpr SFGAOF SFGAO_DISPLAYATTRMASK = 0xFC000;
constexpr SFGAOF SFGAO_VALIDATE = 0x1000000;
constexpr SFGAOF SFGAO_REMOVABLE = 0x2000000;
constexpr SFGAOF SFGAO_FILESYSANCESTOR = 0x10000000;
constexpr SFGAOF SFGAO_FOLDER = 0x20000000;
constexpr SFGAOF SFGAO_FILESYSTEM = 0x40000000;
constexpr SFGAOF SFGAO_HASSUBFOLDER = 0x80000000;

// Display-name kinds.
constexpr std::uint32_t SHGDN_NORMAL = 0;
constexpr std::uint32_t SHGDN_INFOLDER = 1;
constexpr std::uint32_t SHGDN_FORPARSING = 0x8000;

// Enumeration flags.
constexpr std::uint32_t SHCONTF_FOLDERS = 0x20;
constexpr std::uint32_t SHCONTF_NONFOLDERS = 0x40;
constexpr std::uint32_t SHCONTF_INCLUDEHIDDEN = 0x80;

// A set of enumeration values, one bit per ordinal.
template <class E> class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values)
    {
        for (E v : values)
            Include(v);
    }
    constexpr void Include(E v) { bits_ |= Bit(v); }
    constexpr void Exclude(E v) { bits_ &= ~Bit(v); }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    static constexpr std::uint32_t Bit(E v) { return std::uint32_t(1) << unsigned(v); }
    std::uint32_t bits_ = 0;
};

enum class TskShellFolderCapability {
    fcCanCopy,
    fcCanDelete,
    fcCanLink,
    fcCanMove,
    fcCanRename,
    fcDropTarget,
    fcHasPropSheet
};
using TskShellFolderCapabilities = TEnumSet<TskShellFolderCapability>;

enum class TskShellFolderProperty {
    fpCut,
    fpIsLink,
    fpReadOnly,
    fpShared,
    fpFileSystem,
    fpFileSystemAncestor,
    fpRemovable,
    fpValidate
};
using TskShellFolderProperties = TEnumSet<TskShellFolderProperty>;

enum class TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = TEnumSet<TShellObjectType>;

std::uint32_t ObjectTypesToEnumFlags(TShellObjectTypes types);

} // namespace tovrel
