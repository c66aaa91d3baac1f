#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tovrel {

// The file-name part of a path: the text after its last "/".
std::string_view FileNamePart(std::string_view path);

// `folder` + "/" + `name`, without doubling a "/" that ends the folder.
std::string JoinFolder(std::string_view folder, std::string_view name);

// The extension of the file-name part, from its last "." on (dot included);
// empty when the name has none.
std::string_view FileNameExtension(std::string_view path);

// `name` with the text from its last "." replaced by `extension`, or with
// `extension` appended when the name has no ".". Dots in folders play no part.
std::string ReplaceFileNameExtension(std::string_view name, std::string_view extension);

// True when the name is already given to the output of an earlier row.
using TNameInUse = std::function<bool(const std::string& path)>;

// Makes `outputName` unique in `folder`: the plain name when it is free, else the
// first of name_1, name_2, ... that is. A name is taken when a file (not a
// folder) of that name exists, unless `overwrite` is set, and whenever
// `nameInUse` says an earlier row has it, since two tasks must never write one
// file.
std::string MakeOutputFileName(std::string_view outputName, std::string_view folder, bool overwrite,
                               const TNameInUse& nameInUse = {});

} // namespace tovrel
