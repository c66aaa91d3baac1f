#pragma once
// TskSkinMainMenuBarButton: a caption button of the frame's maximized MDI
// child on the main menu bar (system menu, close, restore, minimize), drawn
// from a "mainmenubarbutton" object entry or in the built-in look.
#include "skin/forms/MenuBarItem.h"

namespace tovrel {

class TskDataSkinMainMenuBarButton;
class TCustomForm;

class TskSkinMainMenuBarButton : public TskMenuBarObject {
public:
    TskSkinMainMenuBarButton(TskSkinMainMenuBar* AParent, const TskDataSkinMainMenuBarButton* AData);

    void Draw(TCanvas& Cnvs) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Carries out Command on the frame's maximized child; nothing without one.
    void ExecuteCommand();

    bool FSkinSupport = false;
    TskStdCommand Command = TskStdCommand::cmClose;

private:
    void DefaultDraw(TCanvas& Cnvs);
};

// The bar's maximized MDI child: the active child of the frame the bar's form
// component belongs to when it is maximized, else the first maximized one.
TCustomForm* MenuBarMaximizedChild(const TskSkinMainMenuBar& Bar);

} // namespace tovrel
