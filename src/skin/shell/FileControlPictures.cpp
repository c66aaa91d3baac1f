#include "skin/shell/FileControlPictures.h"

#include "platform/vcl/Bitmap.h"

namespace tovrel {

namespace {

constexpr TColor kTransparent = clFuchsia;
constexpr TColor kFolderFace = 0x40C8F0, kFolderEdge = 0x0070A0, kFolderLight = 0xA0F0FF;
constexpr TColor kDriveFace = 0xC8C8C8, kDriveEdge = 0x505050;

void Box(TCanvas& c, TRect r, TColor fill, TColor edge)
{
    c.Brush()->SetColor(fill);
    c.Pen()->SetColor(edge);
    c.Rectangle(r);
}

void DrawFolder(TCanvas& c, bool open, bool current)
{
    Box(c, Rect(1, 1, 7, 4), kFolderFace, kFolderEdge); // the tab
    Box(c, Rect(1, 3, 15, 14), kFolderFace, kFolderEdge);
    if (open) {
        // The front leans back: the folder is open.
        Box(c, Rect(3, 6, 15, 14), kFolderLight, kFolderEdge);
    }
    if (current) {
        c.Brush()->SetColor(clNavy);
        c.Pen()->SetColor(clNavy);
        c.Rectangle(Rect(8, 8, 12, 12));
    }
}

void DrawDrive(TCanvas& c, TFileControlPicture kind)
{
    switch (kind) {
    case TFileControlPicture::Optical:
        Box(c, Rect(1, 1, 15, 15), kDriveFace, kDriveEdge);
        c.Ellipse(Rect(3, 3, 13, 13));
        c.Brush()->SetColor(clWhite);
        c.Ellipse(Rect(6, 6, 10, 10));
        break;
    case TFileControlPicture::Ram:
        Box(c, Rect(0, 2, 16, 9), clGreen, clOlive);
        for (int x = 2; x < 14; x += 4)
            Box(c, Rect(x, 3, x + 3, 8), clBlack, clBlack);
        break;
    case TFileControlPicture::Removable:
        Box(c, Rect(3, 2, 13, 14), kDriveEdge, clBlack);
        Box(c, Rect(5, 3, 11, 7), clSilver, clGray);
        break;
    default:
        Box(c, Rect(1, 5, 15, 12), kDriveFace, kDriveEdge);
        Box(c, Rect(11, 8, 13, 10), clLime, clGreen);
        if (kind == TFileControlPicture::Network) {
            c.Pen()->SetColor(clBlack);
            c.MoveTo(8, 12);
            c.LineTo(8, 15);
            c.MoveTo(3, 14);
            c.LineTo(14, 14);
        }
        break;
    }
}

TPoint SizeOf(TFileControlPicture kind)
{
    switch (kind) {
    case TFileControlPicture::Ram: return Point(16, 11);
    case TFileControlPicture::OpenFolder:
    case TFileControlPicture::ClosedFolder:
    case TFileControlPicture::CurrentFolder: return Point(16, 15);
    default: return Point(16, 16);
    }
}

} // namespace

std::unique_ptr<TBitmap> MakeFileControlPicture(TFileControlPicture Kind)
{
    auto picture = std::make_unique<TBitmap>();
    const TPoint size = SizeOf(Kind);
    picture->SetSize(size.X, size.Y);
    TCanvas& c = *picture->Canvas();
    c.Brush()->SetColor(kTransparent);
    c.FillRect(Rect(0, 0, size.X, size.Y));
    switch (Kind) {
    case TFileControlPicture::OpenFolder: DrawFolder(c, true, false); break;
    case TFileControlPicture::ClosedFolder: DrawFolder(c, false, false); break;
    case TFileControlPicture::CurrentFolder: DrawFolder(c, true, true); break;
    default: DrawDrive(c, Kind); break;
    }
    // The transparent colour is read from the bottom-left pixel.
    c.SetPixel(0, size.Y - 1, kTransparent);
    return picture;
}

TFileControlPicture VolumePicture(TVolumeKind Kind)
{
    switch (Kind) {
    case TVolumeKind::vkRemovable: return TFileControlPicture::Removable;
    case TVolumeKind::vkOptical: return TFileControlPicture::Optical;
    case TVolumeKind::vkNetwork: return TFileControlPicture::Network;
    case TVolumeKind::vkRam: return TFileControlPicture::Ram;
    default: return TFileControlPicture::Fixed;
    }
}

} // namespace tovrel
