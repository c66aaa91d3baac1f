#pragma once
// File-name helpers with "/" as the only delimiter. Like the run-time
// library's, they work on the text alone and never touch the disk (but
// ExpandFileName, which needs the working folder).
#include <string>
#include <string_view>

namespace tovrel {

constexpr char PathDelim = '/';

// Up to and including the last "/" ("" when there is none).
std::string ExtractFilePath(std::string_view fileName);
// ExtractFilePath without its trailing "/" (but "/" itself stays).
std::string ExtractFileDir(std::string_view fileName);
// After the last "/".
std::string ExtractFileName(std::string_view fileName);
// From the last "." of the name part, the dot included; "" without one.
std::string ExtractFileExt(std::string_view fileName);
// Replaces the extension (or appends extension when there is none);
// extension carries its own dot.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
// Drops one trailing "/", except from the root "/".
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// folder + "/" + name with exactly one delimiter between them.
std::string PathJoin(std::string_view folder, std::string_view name);
// Absolute, with "." and ".." resolved in the text (links are not followed).
std::string ExpandFileName(std::string_view fileName);

} // namespace tovrel
