#pragma once
// TskClientInActivePanel: laid over the client area of an inactive form, it
// shows a frozen picture of that area, blurred or veiled by the form's
// background.
#include <memory>

#include "skin/controls/SkinPanel.h"

namespace tovrel {

class TskBitmap;
class TCustomForm;

enum class TskClientInActiveEffect : std::uint8_t { skieSemiTransparent, skieBlur };

class TskClientInActivePanel : public TskSkinPaintPanel {
public:
    explicit TskClientInActivePanel(TComponent* AOwner);
    ~TskClientInActivePanel() override;

    // Nothing for a missing or hidden form or an empty client area.
    void ShowPanel(TCustomForm* AForm, TskClientInActiveEffect AEffect);
    void HidePanel();
    const TskBitmap* Buffer() const { return FBuffer.get(); }

protected:
    void Paint() override;

private:
    std::unique_ptr<TskBitmap> FBuffer;
};

} // namespace tovrel
