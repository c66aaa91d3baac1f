#pragma once
// TskSkinImagesMenu: a menu that shows its items as a grid of images in one
// popup window, for picking one image (a colour, a style, a symbol). Items
// may also be full-width buttons with a caption beside their image, and
// header bands that title groups of cells. Unlike the popup menu engine it
// has one level, holds the mouse capture and hooks the application's
// messages itself while open.
#include "platform/vcl/Application.h"
#include "platform/vcl/Component.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"

#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TCustomImageList;
class TFont;
class TskSkinData;
class TskSkinImagesMenu;
class TskPopupFade;

class TskImagesMenuItem {
public:
    int ImageIndex = -1;
    std::string Caption;
    // Sender is the images menu.
    TNotifyEvent OnClick;
    // A full-width row: image at the left, caption beside it.
    bool Button = false;
    // A full-width band; never hot, never chosen.
    bool Header = false;
    std::string Hint;
    // The item's rectangle in the grid window, set by the layout.
    TRect ItemRect;
    // Copies ImageIndex, Caption, Button and Hint.
    void Assign(const TskImagesMenuItem& source);
};

// The grid's rectangles: cells of image size + 10 touching in rows of
// `columns`, rows 1 px apart; headers (headerHeight high) and buttons take a
// whole row of their own.
void LayOutImagesMenu(std::vector<std::unique_ptr<TskImagesMenuItem>>& items, TSize imageSize, int columns,
                      TPoint origin, int headerHeight);

class TskSkinImagesMenuPopupWindow : public TCustomControl {
public:
    explicit TskSkinImagesMenuPopupWindow(TskSkinImagesMenu* AImagesMenu);
    ~TskSkinImagesMenuPopupWindow() override;

    void Show(TRect PopupRect);
    // Closes the grid, choosing the hot item when AProcessEvents.
    void Hide(bool AProcessEvents);
    // Hides and lets go of everything without telling the menu; frees itself later.
    void Abandon();
    void ProcessKey(WORD Key);
    int MouseInItem = -1;
    bool FSkinSupport = false;

protected:
    bool IsTopLevel() const override { return true; }
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    void CalcSize();
    void CalcPopupPosition(TRect R);
    int ItemAtPos(TPoint P) const;
    void SetHot(int index);
    void DrawItems(TCanvas& C, int hot, int selected);
    void DrawItemFrame(TCanvas& C, TRect r, bool pressed);
    void DrawItemText(TCanvas& C, const std::string& text, TRect r, bool pressed, bool hot);
    void DrawHeader(TCanvas& C, TRect r, const std::string& text);
    void AppMessage(MSG& msg, bool& handled);
    void UnHookApp();

    TskSkinImagesMenu* ImagesMenu;
    TBitmap* WindowPicture = nullptr;
    TBitmap* MaskPicture = nullptr;
    TRect NewItemsRect;
    std::unique_ptr<TskPopupFade> FFade;
    bool FDown = false;
    bool FItemDown = false;
    bool FHooked = false;
    bool FClosed = false;
};

class TskSkinImagesMenu : public TComponent {
public:
    explicit TskSkinImagesMenu(TComponent* AOwner);
    ~TskSkinImagesMenu() override;

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value) { FImages = Value; }
    TskSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TskSkinData* Value) { FSkinData = Value; }
    std::vector<std::unique_ptr<TskImagesMenuItem>> ImagesItems;
    TskImagesMenuItem* Add();
    int ItemIndex = -1;
    int ColumnsCount() const { return FColumnsCount; }
    // Only 1..50 are taken.
    void SetColumnsCount(int Value);
    bool UseSkinFont = true;
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    bool ShowSelectedItem = true;
    // Where the desktop has layered windows: the grid at AlphaBlendValue,
    // fading in from clear with AlphaBlendAnimation.
    bool AlphaBlend = false;
    std::uint8_t AlphaBlendValue = 200;
    bool AlphaBlendAnimation = false;
    TNotifyEvent OnItemClick, OnChange, OnMenuPopup, OnMenuClose, OnInternalChange, OnInternalMenuClose;

    // The item at ItemIndex, or null.
    TskImagesMenuItem* SelectedItem() const;
    void Popup(int X, int Y);
    void PopupFromRect(TRect R);
    // Closes an open grid without choosing.
    void Hide();
    TskSkinImagesMenuPopupWindow* PopupWindow() const { return FPopupWindow; }

private:
    friend class TskSkinImagesMenuPopupWindow;
    // The grid has gone: events, and the chosen item's command when choosing.
    void CloseUp(bool AProcessEvents);

    TComponentRef<TCustomImageList> FImages{*this, [this] { Hide(); }};
    TComponentRef<TskSkinData> FSkinData{*this};
    int FColumnsCount = 1;
    std::unique_ptr<TFont> FDefaultFont;
    TskSkinImagesMenuPopupWindow* FPopupWindow = nullptr;
    int FOldItemIndex = -1;
    std::shared_ptr<bool> FAlive;
};

} // namespace tovrel
