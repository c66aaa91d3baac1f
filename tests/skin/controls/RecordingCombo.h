#pragma once
#include "skin/controls/SkinComboBox.h"

#include <string>

namespace tovrel::test {

// Records OnChange, OnClick, the Change hook, OnDropDown and OnCloseUp in order.
class RecordingCombo : public TskSkinComboBox {
public:
    explicit RecordingCombo(TComponent* owner) : TskSkinComboBox(owner)
    {
        OnChange = [this](TObject*) { Log += "change "; };
        OnClick = [this](TObject*) { Log += "click "; };
        OnDropDown = [this](TObject*) { Log += "dropdown "; };
        OnCloseUp = [this](TObject*) { Log += "closeup "; };
    }
    std::string Log;

protected:
    void Change() override { Log += "Change "; }
};

} // namespace tovrel::test
