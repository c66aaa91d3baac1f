#pragma once
// File-name masks. "*" is any run of characters (also none), "?" exactly one
// character; letters match without regard to ASCII case; the whole name must
// match.
#include "platform/rtl/Exceptions.h"

#include <string_view>

namespace tovrel {

class EMaskException : public Exception {
public:
    using Exception::Exception;
};

// The component library's mask rules: also "[abc]", "[a-z]" and "[!a-z]" sets.
// A set without its "]", a range without a first character or more than 30
// runs of "*" raise EMaskException "'%s' is an invalid mask at (%d)" (1-based).
bool MatchesMask(std::string_view name, std::string_view mask);

// The file search's rules: no sets ("[" is a plain character), and "*.*"
// matches every name, dotted or not.
bool MatchesWildcard(std::string_view name, std::string_view mask);

} // namespace tovrel
