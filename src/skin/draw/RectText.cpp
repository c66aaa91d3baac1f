#include "skin/draw/RectText.h"

#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

namespace tovrel {

void ExtractToken(std::string& s, std::string& token)
{
    token.clear();
    std::size_t used = 0;
    for (char c : s) {
        ++used;
        if (std::string_view(" (),:;=").find(c) != std::string_view::npos)
            break;
        token += c;
    }
    s = Trim(std::string_view(s).substr(used));
    token = Trim(token);
}

TRect ParseRectText(std::string_view s)
{
    std::string rest(s), token;
    int values[4];
    for (int& v : values) {
        ExtractToken(rest, token);
        if (!TryStrToInt(token, v))
            return {};
    }
    return Rect(values[0], values[1], values[2], values[3]);
}

} // namespace tovrel
