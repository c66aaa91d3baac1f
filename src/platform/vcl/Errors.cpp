#include "platform/vcl/Errors.h"

#include <string>

namespace tovrel {

void ListIndexError(long long index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace tovrel
