#pragma once
// option.ini: where it lives, the default folders beside the user's files,
// and one key read or written at a time, as the program's readers expect.
#include <string>
#include <string_view>

namespace tovrel {

// What a read gives for a missing file or key, so that a missing key and a
// stored "Error" are treated alike.
inline constexpr std::string_view MissingOptionValue = "Error";

// option.ini beside the program when one is there (a portable install), else
// $XDG_CONFIG_HOME/tovrel/option.ini ($HOME/.config when the variable is unset).
std::string OptionIniPath();
// $HOME/Tovrel视频软件/输出 and $HOME/Tovrel视频软件/快照.
std::string DefaultOutputFolder();
std::string DefaultSnapshotFolder();

class TOptionIni {
public:
    explicit TOptionIni(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    bool Exists() const;
    // The stored text, or "Error" when the file or the key is missing or the
    // file cannot be read.
    std::string Read(std::string_view section, std::string_view key) const;
    // Writes one key, creating the file and its folder when missing; false
    // when that cannot be done (a read-only folder, a file in the way).
    bool Write(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string path_;
};

// True for a value a reader must replace by its default.
inline bool IsUnsetOption(std::string_view value)
{
    return value.empty() || value == MissingOptionValue;
}

} // namespace tovrel
