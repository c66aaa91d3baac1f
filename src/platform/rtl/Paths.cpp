#include "platform/rtl/Paths.h"

#include <filesystem>

namespace tovrel {
namespace {

size_t NameStart(std::string_view fileName)
{
    const size_t slash = fileName.rfind(PathDelim);
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// Position of the extension's dot in fileName, npos when there is none.
size_t ExtensionDot(std::string_view fileName)
{
    const size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos || dot < NameStart(fileName) ? std::string_view::npos : dot;
}

} // namespace

std::string ExtractFilePath(std::string_view fileName)
{
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName)
{
    const std::string path = ExtractFilePath(fileName);
    return path == "/" ? path : ExcludeTrailingPathDelimiter(path);
}

std::string ExtractFileName(std::string_view fileName)
{
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName)
{
    const size_t dot = ExtensionDot(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension)
{
    const size_t dot = ExtensionDot(fileName);
    return std::string(fileName.substr(0, dot)) + std::string(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path)
{
    std::string out(path);
    if (out.empty() || out.back() != PathDelim)
        out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path)
{
    if (path.size() > 1 && path.back() == PathDelim)
        path.remove_suffix(1);
    return std::string(path);
}

std::string PathJoin(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    while (!name.empty() && name.front() == PathDelim)
        name.remove_prefix(1);
    return IncludeTrailingPathDelimiter(folder) + std::string(name);
}

std::string ExpandFileName(std::string_view fileName)
{
    if (fileName.empty())
        return {};
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(fileName), error);
    std::string out = (error ? std::filesystem::path(fileName) : absolute).lexically_normal().string();
    // Keep a trailing "/" only where the input had one.
    if (out.size() > 1 && out.back() == PathDelim && fileName.back() != PathDelim)
        out.pop_back();
    return out;
}

} // namespace tovrel
