// The form frame (main picture, mask, FORMINFO), the caption and the caption
// buttons. Normal button images lie on the frame where the buttons stand; the
// caption-state picture repeats the frame and adds the other states below it.
#include <algorithm>

#include "StateImages.h"
#include "skin/data/SkinFrameEntries.h"

namespace tovrel::skingen {
namespace {

constexpr int kFrameWidth = 320, kFrameHeight = 200;
constexpr int kButtonWidth = 26, kButtonGap = 2;

struct TFrameLayout {
    int Border = 4;
    int Caption = 28;
    int Radius = 0;
    TRect Close, Max, Min;
    TBoxFill CaptionFill;
};

TFrameLayout LayoutFrame(const TTheme& t)
{
    TFrameLayout l;
    l.Border = t.FrameWidth;
    l.Caption = t.CaptionHeight;
    l.Radius = std::min(2 * t.Radius, 10);
    const int bh = std::clamp(l.Caption - 8, 16, 22);
    const int top = (l.Caption - bh) / 2;
    int right = kFrameWidth - l.Border - 2;
    for (TRect* r : {&l.Close, &l.Max, &l.Min}) {
        *r = TRect{right - kButtonWidth, top, right, top + bh};
        right -= kButtonWidth + kButtonGap;
    }
    l.CaptionFill = TBoxFill{t.CaptionTop, t.CaptionBottom, t.Fill};
    return l;
}

enum class TCaptionGlyph { Close, Max, Min, Restore };

void PaintCaptionGlyph(TPainter& p, const TRect& r, TCaptionGlyph glyph, TRgb ink)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const TRect box{cx - 5, cy - 5, cx + 5, cy + 5};
    const auto outline = [&](const TRect& b) {
        p.FillRect(TRect{b.Left, b.Top, b.Right, b.Top + 2}, ink);
        p.VLine(b.Left, b.Top, b.Bottom, ink);
        p.VLine(b.Right - 1, b.Top, b.Bottom, ink);
        p.HLine(b.Left, b.Right, b.Bottom - 1, ink);
    };
    switch (glyph) {
    case TCaptionGlyph::Close: p.Cross(box, ink); break;
    case TCaptionGlyph::Max: outline(box); break;
    case TCaptionGlyph::Min: p.FillRect(TRect{box.Left, box.Bottom - 2, box.Right, box.Bottom}, ink); break;
    case TCaptionGlyph::Restore:
        // The window behind shows only its top and right edges.
        p.HLine(box.Left + 3, box.Right, box.Top, ink);
        p.VLine(box.Right - 1, box.Top, box.Bottom - 3, ink);
        outline(TRect{box.Left, box.Top + 3, box.Right - 3, box.Bottom});
        break;
    }
}

// A caption button over the caption band; `bandTop` is the image's row in the band.
void PaintCaptionButton(TPainter& p, const TRect& r, const TTheme& t, const TFrameLayout& l, int bandTop,
                        TCaptionGlyph glyph, TState state, bool active)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        p.HLine(r.Left, r.Right, y, FillColorAt(l.CaptionFill, bandTop + y - r.Top, l.Caption + l.Radius + 2));
    const bool close = glyph == TCaptionGlyph::Close;
    if (state == TState::Hot || state == TState::Down) {
        const TRgb base = close ? TRgb{214, 58, 52} : Lighter(t.CaptionTop, 70);
        const TRgb face = state == TState::Down ? Darker(base, 40) : base;
        p.Box(r, std::min(t.Radius, 4), 1, TBoxFill{Lighter(face, 50), face, t.Fill}, Darker(face, 50),
              FillColorAt(l.CaptionFill, bandTop, l.Caption));
    }
    TRgb ink = t.CaptionText;
    if (state == TState::Hot || state == TState::Down)
        ink = close ? TRgb{255, 255, 255} : t.CaptionText;
    if (!active)
        ink = Mix(t.CaptionText, t.CaptionBottom, 130);
    PaintCaptionGlyph(p, r, glyph, ink);
}

void PaintFrame(TPainter& p, const TRect& at, const TTheme& t, const TFrameLayout& l)
{
    const int W = at.Right - at.Left, H = at.Bottom - at.Top;
    const TRgb outline = Darker(t.Frame, 70);
    p.FillRect(at, t.Frame);
    p.Box(TRect{at.Left, at.Top, at.Right, at.Top + l.Caption + l.Radius + 2}, l.Radius, 1, l.CaptionFill, outline,
          t.Frame);
    const TRect below{at.Left, at.Top + l.Caption, at.Right, at.Bottom};
    p.FillRect(below, t.Frame);
    p.VLine(at.Left, below.Top, at.Bottom, outline);
    p.VLine(at.Right - 1, below.Top, at.Bottom, outline);
    p.HLine(at.Left, at.Right, at.Bottom - 1, outline);
    const TRect client{at.Left + l.Border, at.Top + l.Caption, at.Left + W - l.Border, at.Top + H - l.Border};
    p.FillRect(client, t.Face);
    p.HLine(client.Left - 1, client.Right + 1, client.Top - 1, Darker(t.CaptionBottom, 25));
    const auto shift = [&at](const TRect& r) {
        return TRect{at.Left + r.Left, at.Top + r.Top, at.Left + r.Right, at.Top + r.Bottom};
    };
    PaintCaptionButton(p, shift(l.Close), t, l, l.Close.Top, TCaptionGlyph::Close, TState::Normal, true);
    PaintCaptionButton(p, shift(l.Max), t, l, l.Max.Top, TCaptionGlyph::Max, TState::Normal, true);
    PaintCaptionButton(p, shift(l.Min), t, l, l.Min.Top, TCaptionGlyph::Min, TState::Normal, true);
}

TSurface FrameMask(const TFrameLayout& l)
{
    TSurface mask(kFrameWidth, kFrameHeight, TPixelFormat::pf24bit);
    TPainter p(mask);
    p.FillRect(TRect{0, 0, kFrameWidth, kFrameHeight}, TRgb{});
    const int r = l.Radius;
    for (int y = 0; y < r; ++y)
        for (int x = 0; x < r; ++x) {
            const double dx = r - (x + 0.5), dy = r - (y + 0.5);
            if (dx * dx + dy * dy > double(r) * r) {
                p.Pixel(x, y, TRgb{255, 255, 255});
                p.Pixel(kFrameWidth - 1 - x, y, TRgb{255, 255, 255});
            }
        }
    return mask;
}

void FillFormInfo(TskFormInfo& f, const TTheme& t, const TFrameLayout& l, bool hasMask)
{
    const int W = kFrameWidth, H = kFrameHeight;
    f.LTPoint = {60, l.Caption};
    f.RTPoint = {W - 120, l.Caption};
    f.LBPoint = {20, H - l.Border};
    f.RBPoint = {W - 20, H - l.Border};
    f.ClRect = TRect{l.Border, l.Caption, W - l.Border, H - l.Border};
    f.LeftStretch = f.RightStretch = f.TopStretch = f.BottomStretch = !t.Tile;
    f.StretchEffect = false;
    f.MaskRectArea = hasMask ? f.ClRect : TRect{};
    f.HitTestLTPoint = f.LTPoint;
    f.HitTestRTPoint = f.RTPoint;
    f.HitTestLBPoint = f.LBPoint;
    f.HitTestRBPoint = f.RBPoint;
    f.ButtonsRect = TRect{l.Min.Left, l.Min.Top, l.Close.Right, l.Close.Bottom};
    f.CaptionRect = TRect{l.Border + 4, 0, l.Min.Left - 4, l.Caption};
    f.ButtonsOffset = kButtonGap;
    f.BorderW = l.Border;
    f.AutoRenderingInActiveImage = true;
    f.InActiveEffect = TskInActiveEffect::ieBrightness;
    f.FormMinWidth = 200;
}

void AddCaption(TComposition& c, const TFrameLayout& l)
{
    const TTheme& t = c.Theme;
    auto& e = c.AddObject<TskDataSkinCaption>("caption");
    // Starting at the frame's left edge, the caption's own corner and the
    // frame's coincide, so the text area reads the same either way. Its
    // bottom stays one row inside the top corners: only a rect that lies
    // within the left and right corner blocks stretches with the form, and a
    // caption that does not stretch leaves most of a wide form's title bar
    // unable to move it.
    e.SkinRect = TRect{0, 0, l.Min.Left - 4, l.Caption - 1};
    e.TextRct = TRect{l.Border + 8, 0, l.Min.Left - 8, l.Caption};
    e.FontName = t.FontName;
    e.FontHeight = t.FontHeight;
    e.FontStyle = TFontStyles{TFontStyle::fsBold};
    e.FontColor = ToColor(Mix(t.CaptionText, t.CaptionBottom, 110));
    e.ActiveFontColor = ToColor(t.CaptionText);
    e.Alignment = TAlignment::taLeftJustify;
    e.Shadow = t.Fill == TFillStyle::Glossy;
    e.ShadowColor = e.ActiveShadowColor = ToColor(Darker(t.CaptionBottom, 60));
    e.GlowEffect = t.Glow;
    e.GlowSize = t.Glow ? 3 : 0;
    e.GlowColor = ToColor(Darker(t.CaptionBottom, 40));
    e.GlowActiveColor = ToColor(t.Accent);
}

void AddCaptionButtons(TComposition& c, const TFrameLayout& l, int statesPicture)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(statesPicture);
    struct TButton {
        const char* Name;
        const char* Hint;
        TskStdCommand Command;
        TRect Place;
        TCaptionGlyph Glyph;
    };
    const TButton buttons[] = {
        {"closebutton", "Close", TskStdCommand::cmClose, l.Close, TCaptionGlyph::Close},
        {"maxbutton", "Maximize", TskStdCommand::cmMaximize, l.Max, TCaptionGlyph::Max},
        {"minbutton", "Minimize", TskStdCommand::cmMinimize, l.Min, TCaptionGlyph::Min},
    };
    const auto image = [&](const TButton& b, TCaptionGlyph glyph, TState state, bool active) {
        const int w = b.Place.Right - b.Place.Left, h = b.Place.Bottom - b.Place.Top;
        return atlas.Add(w, h, [&t, l, b, glyph, state, active](TPainter& p, const TRect& r) {
            PaintCaptionButton(p, r, t, l, b.Place.Top, glyph, state, active);
        });
    };
    for (const TButton& b : buttons) {
        auto& e = c.AddObject<TskDataSkinStdButton>(b.Name);
        e.Hint = b.Hint;
        e.Command = b.Command;
        e.SkinRectInAPicture = true;
        e.ActivePictureIndex = statesPicture;
        e.SkinRect = b.Place;
        e.ActiveSkinRect = image(b, b.Glyph, TState::Hot, true);
        e.DownRect = image(b, b.Glyph, TState::Down, true);
        e.InActiveSkinRect = image(b, b.Glyph, TState::Normal, false);
        e.Morphing = t.Morphing;
        e.MorphKind = t.MorphKind;
        if (b.Command == TskStdCommand::cmMaximize) {
            e.RestoreHint = "Restore";
            // Like the button's own normal image, taken from its active picture.
            e.RestoreRect = image(b, TCaptionGlyph::Restore, TState::Normal, true);
            e.RestoreActiveRect = image(b, TCaptionGlyph::Restore, TState::Hot, true);
            e.RestoreDownRect = image(b, TCaptionGlyph::Restore, TState::Down, true);
            e.RestoreInActiveRect = image(b, TCaptionGlyph::Restore, TState::Normal, false);
        }
    }
}

} // namespace

void AddFrame(TComposition& c, TPictureSet& pictures)
{
    const TTheme& t = c.Theme;
    const TFrameLayout l = LayoutFrame(t);
    c.Frame = TSurface(kFrameWidth, kFrameHeight, TPixelFormat::pf24bit);
    TPainter painter(c.Frame);
    PaintFrame(painter, TRect{0, 0, kFrameWidth, kFrameHeight}, t, l);
    const bool hasMask = l.Radius > 0;
    if (hasMask)
        c.FrameMask = FrameMask(l);
    FillFormInfo(c.Description.FormInfo, t, l, hasMask);

    pictures.CaptionStates = c.AddPicture("captionbuttons.bmp", kFrameWidth, t.Frame);
    c.Picture(pictures.CaptionStates).Add(kFrameWidth, kFrameHeight, [&t, l](TPainter& p, const TRect& r) {
        PaintFrame(p, r, t, l);
    });
    AddCaption(c, l);
    AddCaptionButtons(c, l, pictures.CaptionStates);
}

} // namespace tovrel::skingen
