#pragma once
// Exception classes of the component framework, raised and caught by name.
#include "platform/rtl/Exceptions.h"

namespace tovrel {

class EListError : public Exception {
public:
    using Exception::Exception;
};
class EStringListError : public EListError {
public:
    using EListError::EListError;
};
class EComponentError : public Exception {
public:
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// "List index out of bounds (%d)" as EListError.
[[noreturn]] void ListIndexError(long long index);

} // namespace tovrel
