// The tree view's image lists: the Images and StateImages properties, and the
// window's own two lists set by TVM_SETIMAGELIST, which are the ones drawn.
#include "platform/ctrls/TreeView.h"

namespace tovrel {

void TCustomTreeView::SetImages(TCustomImageList* images)
{
    images_ = images;
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(ImageListHandle(images)));
}

void TCustomTreeView::SetStateImages(TCustomImageList* images)
{
    stateImages_ = images;
    Perform(TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(ImageListHandle(images)));
}

void TCustomTreeView::PropertyImagesGone(WPARAM which)
{
    // A subclass that chooses the window's lists itself can put another in
    // its place.
    if (!ComponentState().Contains(csDestroying))
        Perform(TVM_SETIMAGELIST, which, 0);
}

bool TCustomTreeView::HandleImageListMessage(TMessage& message)
{
    if (message.Msg != TVM_GETIMAGELIST && message.Msg != TVM_SETIMAGELIST)
        return false;
    message.Result = 0;
    TComponentRef<TCustomImageList>* field = message.WParam == TVSIL_NORMAL  ? &windowImages_
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
    *field = list;
    NodesChanged();
    return true;
}

} // namespace tovrel
