#pragma once
// TskSkinMDIFrame: the skinned side of an MDI frame form. It watches the
// frame's MDI client: each child gets an entry in the frame's window menu
// and a tab in the tab bar, a child maximized by its skinned form component
// fills the client (its frame pushed outside it) and puts its caption buttons
// on the frame's menu bar, and the frame tiles, cascades, minimizes,
// maximizes, restores and closes all children.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/MDIClient.h"
#include "platform/vcl/Menus.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovrel {

class TskSkinForm;
class TskSkinMDITabsBar;

// The suffix that marks a window-menu entry of a child.
inline constexpr const char* kMDIChildItemSuffix = "_BSFCHILDITEM";

using TskAcceptToMDITabsBarEvent = std::function<void(TCustomForm* Child, bool& Accept)>;

class TskSkinMDIFrame : public TComponent {
public:
    // The owner must be the frame form.
    explicit TskSkinMDIFrame(TComponent* AOwner);
    ~TskSkinMDIFrame() override;

    TMDIClient* Client() const { return FClient; }
    // Watches Value's children from now on (those it holds already included).
    void SetClient(TMDIClient* Value);
    TskSkinMDITabsBar* MDITabsBar() const { return FTabsBar; }
    void SetMDITabsBar(TskSkinMDITabsBar* Value);
    // The menu the children's entries are added to (the form's WindowMenu).
    TMenuItem* WindowMenu() const { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* Value) { FWindowMenu = Value; }
    TskAcceptToMDITabsBarEvent OnAcceptToMDITabsBar;

    void Tile();
    void Cascade();
    void MinimizeAll();
    void MaximizeAll();
    void RestoreAll();
    void CloseAll();
    // Maximized children fit the client again, minimized ones line up.
    void RefreshMDIChildren();
    // The active child when maximized, else the first maximized one; null when none.
    TCustomForm* GetMaximizedMDIChild() const;
    bool MDIChildMaximized() const { return FMDIChildMaximized; }

    // ---- the window menu ----
    void AddChildToMenu(TCustomForm* Child);
    void DeleteChildFromMenu(TCustomForm* Child);
    void UpDateChildCaptionInMenu(TCustomForm* Child);
    void UpDateChildActiveInMenu();
    // A child's entry chosen: the child comes back from minimized and shows.
    void MDIItemClick(TObject* Sender);
    // Shows Child, restoring it first when it is minimized.
    void ShowChild(TCustomForm* Child);

private:
    void ChildAdded(TCustomForm* Child);
    void ChildRemoved(TCustomForm* Child);
    void ActiveChanged();
    // A child's skinned component changed its window state.
    void ChildStateChanged(TCustomForm* Child);
    void FitMaximizedChild(TCustomForm* Child);
    void ArrangeMinimizedChildren();
    TskSkinForm* FrameSkinForm() const;
    TMenuItem* FindChildItem(const TCustomForm* Child) const;
    void ForEachSkinnedChild(const std::function<void(TskSkinForm&)>& Act);

    TComponentRef<TMDIClient> FClient{*this};
    TComponentRef<TskSkinMDITabsBar> FTabsBar{*this};
    TComponentRef<TMenuItem> FWindowMenu{*this};
    bool FMDIChildMaximized = false;
};

// The first MDI frame component among Form's components; null when none.
TskSkinMDIFrame* GetSkinMDIFrame(const TComponent* Form);
// The frame component of the frame holding Child; null when Child is no MDI child.
TskSkinMDIFrame* GetChildMDIFrame(const TControl* Child);

} // namespace tovrel
