#pragma once
// What a user may type as an output file's new name: a plain name, never a
// path that leaves the output folder nor a control character.
#include <string_view>

namespace tovrel {

inline constexpr const char* RenameRefusedText = "文件名不能包含 \"/\"、\"\\\"、\"..\" 或控制字符，请重新输入。";

// True when `text` may become an output name (the extension is added after).
bool RenameTextAllowed(std::string_view text);

} // namespace tovrel
