// The tree view's image lists: the Images and StateImages properties, and the
// window's own two lists set by TVM_SETIMAGELIST, which are the ones drawn.
#include "platform/ctrls/TreeView.h"

namespace tovrel {

void TCustomTreeView::ReferImageList(TCustomImageList*& field, TCustomImageList* list)
{
    TCustomImageList* old = field;
    field = list;
    if (list)
        list->FreeNotification(this);
    if (old && old != images_ && old != stateImages_ && old != windowImages_ && old != windowStateImages_)
        old->RemoveFreeNotification(this);
}

void TCustomTreeView::SetImages(TCustomImageList* images)
{
    ReferImageList(images_, images);
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(ImageListHandle(images)));
}

void TCustomTreeView::SetStateImages(TCustomImageList* images)
{
    ReferImageList(stateImages_, images);
    Perform(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(ImageListHandle(images)));
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != opRemove || !component)
        return;
    const bool wasImages = component == images_, wasStateImages = component == stateImages_;
    const bool drawn = component == windowImages_ || component == windowStateImages_;
    for (TCustomImageList** field : {&images_, &stateImages_, &windowImages_, &windowStateImages_})
        if (*field == component)
            *field = nullptr;
    if (ComponentState().Contains(csDestroying))
        return;
    // As if the property had been cleared: the window is told, so a subclass
    // that chooses the window's lists itself can put another in its place.
    if (wasImages)
        Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    if (wasStateImages)
        Perform(TVM_SETIMAGELIST, TVSIL_STATE, 0);
    if (drawn)
        NodesChanged();
}

bool TCustomTreeView::HandleImageListMessage(TMessage& message)
{
    if (message.Msg != TVM_GETIMAGELIST && message.Msg != TVM_SETIMAGELIST)
        return false;
    message.Result = 0;
    TCustomImageList** field = message.WParam == TVSIL_NORMAL  ? &windowImages_
                               : message.WParam == TVSIL_STATE ? &windowStateImages_
                                                               : nullptr;
    if (!field)
        return true;
    if (message.Msg == TVM_GETIMAGELIST) {
        message.Result = reinterpret_cast<LRESULT>(ImageListHandle(*field));
        return true;
    }
    const auto handle = reinterpret_cast<HIMAGELIST>(message.LParam);
    TCustomImageList* list = ImageListFromHandle(handle);
    if (handle && !list)
        return true; // a freed or unknown list: nothing changes
    message.Result = reinterpret_cast<LRESULT>(ImageListHandle(*field));
    ReferImageList(*field, list);
    NodesChanged();
    return true;
}

} // namespace tovrel
