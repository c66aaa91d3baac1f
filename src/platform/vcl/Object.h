#pragma once
// The root classes: TObject (class name, Free) and TPersistent (Assign and
// AssignTo), and the notify event every component raises.
#include <functional>
#include <string>

namespace tovrel {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class's own name without namespace ("TStringList").
    std::string ClassName() const;
    // Runs before the destructors, while the whole object still exists.
    virtual void BeforeDestruction() {}
    // BeforeDestruction, then delete. A null object does nothing.
    static void Free(TObject* object);
    void Free() { Free(this); }
};

using TNotifyEvent = std::function<void(TObject* sender)>;

template <class T> void FreeAndNil(T*& object)
{
    T* doomed = object;
    object = nullptr;
    TObject::Free(doomed);
}

class TPersistent : public TObject {
public:
    // Copies from source through source->AssignTo(this); a null source or a
    // pair the classes cannot copy raises EConvertError.
    virtual void Assign(const TPersistent* source);
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* dest) const;
    friend class TPersistentAccess;
};

// "Cannot assign a <source> to a <dest>".
[[noreturn]] void AssignError(const TPersistent* source, const TPersistent* dest);

} // namespace tovrel
