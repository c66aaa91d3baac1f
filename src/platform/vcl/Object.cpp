#include "platform/vcl/Object.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Errors.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace tovrel {

std::string TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                          &std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    const auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void TObject::Free(TObject* object)
{
    if (!object)
        return;
    object->BeforeDestruction();
    delete object;
}

void TPersistent::Assign(const TPersistent* source)
{
    if (!source)
        AssignError(nullptr, this);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const
{
    AssignError(this, dest);
}

void AssignError(const TPersistent* source, const TPersistent* dest)
{
    const std::string from = source ? source->ClassName() : "nil";
    const std::string to = dest ? dest->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + from + " to a " + to);
}

} // namespace tovrel
