#pragma once
// One picture of an icon as files and icon handles keep it: 32-bit colour
// pixels and an AND mask of the same size. A picture whose colour has any
// non-zero alpha byte carries straight alpha (255 = opaque) and is drawn by
// it; any other is drawn through its mask: white mask pixels let the screen
// show through (colour pixels there are XORed onto it), black ones take the
// colour. Icons that come in several sizes (a file's entries, the stock
// pictures) are lists of these, and one rule picks the best for a size.
#include "platform/gdi/Surface.h"

#include <vector>

namespace tovrel {

struct TIconImage {
    TSurface Color; // 32-bit
    TSurface Mask;  // 32-bit: 0xFFFFFFFF lets the screen through, 0 takes the colour
    int Bits = 32;  // the depth it was stored with; more wins between equal sizes
};

// From colour pixels (24- or 32-bit) and a mask whose non-black pixels are
// transparent. Without a mask it follows the colour's alpha (0: transparent),
// or, for a picture without alpha, is opaque. A mask of another size is
// taken as none.
TIconImage MakeIconImage(const TSurface& color, const TSurface* mask = nullptr);
bool IconHasAlpha(const TIconImage& image);
int IconWidth(const TIconImage& image);
int IconHeight(const TIconImage& image);
// The picture with its transparency as straight alpha (the mask's where the
// colour has none).
TSurface IconPicture(const TIconImage& image);
// The picture at another size, averaged (colour in premultiplied form); a
// mask pixel stays transparent where at least half of what it covers was.
TIconImage ScaleIconImage(const TIconImage& image, int width, int height);
// The image to use at width x height: that size exactly, else the smallest
// larger one (scaling down looks better), else the largest; between equal
// sizes the deepest. -1 for an empty list.
int BestIconImage(const std::vector<TIconImage>& images, int width, int height);

} // namespace tovrel
