#pragma once
// The image: a picture drawn at its top-left, centred, stretched or scaled
// proportionally; auto size takes the picture's size.
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Picture.h"

#include <memory>

namespace tovrel {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;
    TPicture* Picture() { return picture_.get(); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    // The picture's transparent colour shows what lies behind; pictures loaded later follow.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();
    void ApplyTransparent();

    std::unique_ptr<TPicture> picture_;
    bool stretch_ = false, center_ = false, proportional_ = false, autoSize_ = false, transparent_ = false;
};

} // namespace tovrel
