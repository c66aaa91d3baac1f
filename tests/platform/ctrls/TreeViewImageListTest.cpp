#include "TreeViewTestSupport.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

using TreeViewImageLists = TreeViewTest;

LPARAM HandleOf(TCustomImageList* list)
{
    return reinterpret_cast<LPARAM>(ImageListHandle(list));
}

TEST_F(TreeViewImageLists, SetAndGetImageListMessages)
{
    TTreeView& tree = SmallTree();
    TImageList *first = SolidImages({RGB(255, 0, 0)}), *second = SolidImages({RGB(0, 255, 0)});
    TImageList* freed = SolidImages({RGB(0, 0, 255)});
    const LPARAM freedHandle = HandleOf(freed);
    delete freed;
    // Each step: the message, its answer, then the window's normal and state lists.
    struct TStep {
        const char* what;
        UINT msg;
        WPARAM which;
        LPARAM list;
        LRESULT answer;
        TCustomImageList *normal, *state;
    };
    const std::vector<TStep> steps = {
        {"none at first", TVM_GETIMAGELIST, TVSIL_NORMAL, 0, 0, nullptr, nullptr},
        {"set normal", TVM_SETIMAGELIST, TVSIL_NORMAL, HandleOf(first), 0, first, nullptr},
        {"the previous list comes back", TVM_SETIMAGELIST, TVSIL_NORMAL, HandleOf(second), HandleOf(first), second,
         nullptr},
        {"get normal", TVM_GETIMAGELIST, TVSIL_NORMAL, 0, HandleOf(second), second, nullptr},
        {"set state", TVM_SETIMAGELIST, TVSIL_STATE, HandleOf(first), 0, second, first},
        {"get state", TVM_GETIMAGELIST, TVSIL_STATE, 0, HandleOf(first), second, first},
        {"a freed list's handle is refused", TVM_SETIMAGELIST, TVSIL_NORMAL, freedHandle, 0, second, first},
        {"an unknown handle is refused", TVM_SETIMAGELIST, TVSIL_STATE, 0x7FFFFFF, 0, second, first},
        {"an unknown kind is refused", TVM_SETIMAGELIST, 1, HandleOf(first), 0, second, first},
        {"and has no list", TVM_GETIMAGELIST, 7, 0, 0, second, first},
        {"no list", TVM_SETIMAGELIST, TVSIL_STATE, 0, HandleOf(first), second, nullptr},
    };
    for (const TStep& step : steps) {
        EXPECT_EQ(tree.Perform(step.msg, step.which, step.list), step.answer) << step.what;
        EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0), HandleOf(step.normal)) << step.what;
        EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_STATE, 0), HandleOf(step.state)) << step.what;
    }
    // The messages set the window's lists, not the properties; the rows grow to the images.
    EXPECT_EQ(tree.Images(), nullptr);
    tree.SetStateImages(first);
    first->SetSize(30, 30);
    tree.Perform(TVM_SETIMAGELIST, TVSIL_STATE, HandleOf(first));
    EXPECT_EQ(tree.RowHeight(), 31);
    // A list the window draws with goes: the window forgets it.
    delete second;
    EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0), 0);
    delete first;
    EXPECT_EQ(tree.StateImages(), nullptr);
    EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_STATE, 0), 0);
    Pump(); // paints with neither
}

// A subclass that chooses the window's lists itself: the normal list follows
// Images (its own list without), the state list never reaches the window.
class TOwnImagesTree : public TTreeView {
public:
    TOwnImagesTree(TComponent* owner) : TTreeView(owner) {}
    TCustomImageList* own = nullptr;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == TVM_SETIMAGELIST && !filtering_) {
            filtering_ = true;
            Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, HandleOf(Images() ? Images() : own));
            filtering_ = false;
            return;
        }
        TTreeView::WndProc(message);
    }

private:
    bool filtering_ = false;
};

TEST_F(TreeViewImageLists, PropertiesGoThroughTheMessage)
{
    auto& tree = Place<TOwnImagesTree>(Rect(10, 10, 210, 150));
    tree.own = SolidImages({RGB(0, 255, 0)});
    TImageList *images = SolidImages({RGB(255, 0, 0)}), *states = SolidImages({RGB(0, 0, 255)});
    tree.SetImages(images);
    tree.SetStateImages(states);
    EXPECT_EQ(tree.Images(), images);
    EXPECT_EQ(tree.StateImages(), states);
    EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0), HandleOf(images));
    EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_STATE, 0), 0);
    // Images going is told to the window too, which puts its own list back.
    delete images;
    EXPECT_EQ(tree.Images(), nullptr);
    EXPECT_EQ(tree.Perform(TVM_GETIMAGELIST, TVSIL_NORMAL, 0), HandleOf(tree.own));
    // One list as both properties: dropping one keeps the removal notice for the other.
    tree.SetImages(states);
    tree.SetStateImages(nullptr);
    delete states;
    EXPECT_EQ(tree.Images(), nullptr);
}

} // namespace
} // namespace tovrel::test
