#include "platform/vcl/ImageListHandles.h"

#include "platform/vcl/ImageList.h"

#include <cstdint>
#include <map>

namespace tovrel {

namespace {

// Forgets a list's handle when the list is freed.
class THandleTable : public TComponent {
public:
    THandleTable() : TComponent(nullptr) {}

    HIMAGELIST HandleOf(TCustomImageList* list)
    {
        auto found = ids_.find(list);
        if (found != ids_.end())
            return reinterpret_cast<HIMAGELIST>(found->second);
        const std::uintptr_t id = ++last_;
        ids_[list] = id;
        lists_[id] = list;
        list->FreeNotification(this);
        return reinterpret_cast<HIMAGELIST>(id);
    }

    TCustomImageList* ListOf(HIMAGELIST handle) const
    {
        auto found = lists_.find(reinterpret_cast<std::uintptr_t>(handle));
        return found != lists_.end() ? found->second : nullptr;
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation != opRemove)
            return;
        // Keyed by component: the list is no longer an image list while it goes.
        auto found = ids_.find(component);
        if (found == ids_.end())
            return;
        lists_.erase(found->second);
        ids_.erase(found);
    }

private:
    std::map<const TComponent*, std::uintptr_t> ids_;
    std::map<std::uintptr_t, TCustomImageList*> lists_;
    std::uintptr_t last_ = 0;
};

THandleTable& Table()
{
    // Lives as long as the process: lists freed during exit still find it.
    static THandleTable* table = new THandleTable;
    return *table;
}

} // namespace

HIMAGELIST ImageListHandle(TCustomImageList* list)
{
    return list ? Table().HandleOf(list) : nullptr;
}

TCustomImageList* ImageListFromHandle(HIMAGELIST handle)
{
    return handle ? Table().ListOf(handle) : nullptr;
}

} // namespace tovrel
