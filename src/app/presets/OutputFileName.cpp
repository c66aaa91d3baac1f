#include "app/presets/OutputFileName.h"

#include <filesystem>
#include <system_error>

namespace tovrel {

namespace {

bool FileExists(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

} // namespace

std::string_view FileNamePart(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string JoinFolder(std::string_view folder, std::string_view name)
{
    std::string result(folder);
    if (result.empty() || result.back() != '/')
        result += '/';
    result += name;
    return result;
}

std::string_view FileNameExtension(std::string_view path)
{
    const std::string_view name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string ReplaceFileNameExtension(std::string_view name, std::string_view extension)
{
    const std::string_view oldExtension = FileNameExtension(name);
    std::string result(name.substr(0, name.size() - oldExtension.size()));
    result += extension;
    return result;
}

std::string MakeOutputFileName(std::string_view outputName, std::string_view folder, bool overwrite,
                               const TNameInUse& nameInUse)
{
    const std::string_view extension = FileNameExtension(outputName);
    const std::string_view stem = outputName.substr(0, outputName.size() - extension.size());
    const std::string base = JoinFolder(folder, FileNamePart(stem));
    const auto taken = [&](const std::string& candidate) {
        return (!overwrite && FileExists(candidate)) || (nameInUse && nameInUse(candidate));
    };
    std::string candidate = base + std::string(extension);
    for (unsigned long n = 1; taken(candidate); ++n) {
        candidate = base + "_" + std::to_string(n) + std::string(extension);
    }
    return candidate;
}

} // namespace tovrel
