#pragma once
// What a skinned control copies from its custom-control entry, and the sizing
// and image cutting that follow from it: one piece of code for the windowed
// and the non-windowed controls.
#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

// Lays block of source over area on canvas, stretched or tiled by the
// stretch flags (StretchEffect and StretchType), without drawing outside
// area; nothing for an empty block or area.
void DrawBlockOver(TCanvas& Canvas, TRect area, TCanvas* source, TRect block, const TskStretchFlags& stretch);

struct TskSkinControlGeometry {
    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect SkinRect, ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TBitmap* Picture = nullptr;     // owned by the skin data
    TBitmap* MaskPicture = nullptr; // owned by the skin data
    // -1 nothing to cut, 0 fixed, 1 nine-slice, 2 three-slice across, 3 three-slice down.
    int ResizeMode = 0;
    TskStretchFlags Stretch;

    // Copies entry Index of Skin; an entry of another kind gives mode 0 without pictures.
    void CopyEntry(const TskSkinData& Skin, int Index);
    // Fits a requested size to the entry and computes the new corner points and
    // client rectangle; HasEntry false (or mode -1) changes nothing.
    void CalcSize(int& AWidth, int& AHeight, bool HasEntry);
    // ARect of APicture at Width x Height by ResizeMode; the piece sizes come from
    // SkinRect and the corner points also for another state rectangle.
    void CreateResizedImage(TBitmap& B, TBitmap* APicture, const TRect& ARect, int Width, int Height) const;
    // ClRect grown by how much Width x Height exceeds SkinRect.
    TRect GrownClRect(int Width, int Height) const
    {
        return Rect(ClRect.Left, ClRect.Top, ClRect.Right + Width - SkinRect.Width(),
                    ClRect.Bottom + Height - SkinRect.Height());
    }
    // Maps a rectangle in SkinRect coordinates to a control of Width x Height.
    TRect ConvertSkinRect(const TRect& R, int Width, int Height) const;
    // The window region of MaskPicture fitted to Width x Height (after CalcSize
    // for that size); null without a mask or when nothing is inside. The caller
    // owns it.
    HRGN CreateRegion(int Width, int Height) const;
    // The skin's client block laid over NewClRect on Canvas, stretched or tiled
    // as the entry asks, without drawing outside NewClRect.
    void DrawClientBackground(TCanvas& Canvas) const;
};

} // namespace tovrel
