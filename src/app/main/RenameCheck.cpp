#include "app/main/RenameCheck.h"

#include <algorithm>

namespace tovrel {

bool RenameTextAllowed(std::string_view text)
{
    if (text.find('/') != text.npos || text.find('\\') != text.npos || text.find("..") != text.npos)
        return false;
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

} // namespace tovrel
