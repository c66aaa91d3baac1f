#pragma once
// TGraphic: the base of every picture class (bitmap, PNG, JPEG, GIF): size,
// transparency, change notice, streams and files, and drawing on a canvas.
#include "platform/rtl/Types.h"
#include "platform/vcl/Object.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Classes that cannot be resized raise EInvalidGraphicOperation.
    virtual void SetWidth(int width);
    virtual void SetHeight(int height);
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // Reads from the stream's position; damaged data raises EInvalidGraphic.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

    // An empty picture of the same class.
    virtual std::unique_ptr<TGraphic> NewEmpty() const = 0;

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the picture into r of the canvas's context (stretching it).
    virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
    virtual void Changed();
    // For classes stored through an image codec: runs the codec, whose
    // EImageError raises EInvalidGraphic with its message.
    static void RaiseCodecErrors(const std::function<void()>& codecWork);
    // Writes what `encode` gives; an empty picture raises EInvalidGraphic.
    void SaveEncoded(TStream& stream, const std::function<std::vector<std::uint8_t>()>& encode);

private:
    bool transparent_ = false;
    bool modified_ = false;
};

} // namespace tovrel
