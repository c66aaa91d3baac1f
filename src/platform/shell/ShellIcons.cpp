#include "platform/shell/ShellIcons.h"

#include "platform/gdi/IconPainter.h"
#include "platform/shell/NamespaceFolders.h"

#include <vector>

namespace tovrel {

namespace {

constexpr TIconColour Outline{96, 96, 96}, Paper{252, 252, 252}, Fold{210, 210, 210};
constexpr TIconColour FolderBack{200, 150, 40}, FolderFront{240, 200, 80}, FolderOpen{250, 222, 130};
constexpr TIconColour Frame{60, 64, 72}, Screen{70, 130, 210}, Metal{170, 174, 180}, LightMetal{215, 218, 222};
constexpr TIconColour Black{30, 30, 30}, Led{40, 200, 60}, Red{200, 60, 50}, Wall{236, 222, 190}, Wood{140, 90, 50};
constexpr TIconColour Board{40, 140, 70}, Gold{220, 180, 60}, Sky{110, 170, 230}, Grass{70, 160, 70};
constexpr TIconColour Sun{250, 210, 60}, Blue{50, 80, 160}, White{255, 255, 255};

void DrawPage(TIconPainter& p)
{
    p.Polygon({{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}}, Outline);
    p.Polygon({{3.5, 1.5}, {10, 1.5}, {12.5, 4}, {12.5, 14.5}, {3.5, 14.5}}, Paper);
    p.Polygon({{10, 1.5}, {10, 4}, {12.5, 4}}, Fold);
}

void DrawFolder(TIconPainter& p, bool open)
{
    p.Polygon({{1, 3}, {6, 3}, {7, 4.5}, {15, 4.5}, {15, 14}, {1, 14}}, FolderBack);
    if (open)
        p.Polygon({{3.5, 7}, {16, 7}, {13.5, 14}, {1, 14}}, FolderOpen);
    else
        p.Rect(1, 6, 15, 14, FolderFront);
}

void DrawMonitor(TIconPainter& p, double bottom)
{
    p.Rect(1, 1.5, 15, bottom, Frame);
    p.Rect(2, 2.5, 14, bottom - 1, Screen);
}

void DrawDriveBox(TIconPainter& p, double top, double bottom)
{
    p.Rect(1, top, 15, bottom, Outline);
    p.Rect(2, top + 1, 14, bottom - 1, LightMetal);
    p.Ellipse(12.5, bottom - 2, 1, 1, Led);
}

void DrawPicture(TIconPainter& p, TShellIcon icon)
{
    switch (icon) {
    case siFolder:
    case siOpenFolder: DrawFolder(p, icon == siOpenFolder); break;
    case siDesktop:
        DrawMonitor(p, 11);
        p.Rect(6.5, 11, 9.5, 13, Metal);
        p.Rect(4, 13, 12, 14.5, Frame);
        break;
    case siComputer:
        DrawMonitor(p, 9.5);
        p.Rect(1, 11, 15, 15, Metal);
        p.Ellipse(12.5, 13, 0.9, 0.9, Led);
        break;
    case siHome:
        p.Polygon({{8, 0.8}, {15.5, 8}, {0.5, 8}}, Red);
        p.Rect(2.5, 8, 13.5, 15, Wall);
        p.Rect(6.5, 10, 9.5, 15, Wood);
        break;
    case siFixedDisk: DrawDriveBox(p, 4, 12); break;
    case siRemovableDisk:
        p.Rect(2, 3, 14, 13.5, Blue);
        p.Rect(4, 5, 12, 6.5, Black);
        p.Rect(4, 8.5, 12, 12.5, White);
        break;
    case siOpticalDisc:
        p.Ellipse(8, 8, 7, 7, Metal);
        p.Ellipse(8, 8, 2.8, 2.8, LightMetal);
        p.Ellipse(8, 8, 1.1, 1.1, Frame);
        break;
    case siNetworkDrive:
        DrawDriveBox(p, 1.5, 9);
        p.Rect(7.4, 9, 8.6, 13, Black);
        p.Rect(3, 13, 13, 14.5, Black);
        break;
    case siRamDisk:
        p.Rect(1, 4, 15, 12, Board);
        for (double x : {2.5, 6.5, 10.5})
            p.Rect(x, 5.5, x + 3, 9.5, Black);
        p.Rect(1.5, 12, 14.5, 13.5, Gold);
        break;
    case siVideo:
        DrawPage(p);
        p.Rect(4.5, 6, 11.5, 12.5, Black);
        for (double y : {6.8, 8.8, 10.8})
            p.Rect(5, y, 6, y + 1, White), p.Rect(10, y, 11, y + 1, White);
        break;
    case siAudio:
        DrawPage(p);
        p.Ellipse(7, 11.5, 1.9, 1.4, Black);
        p.Rect(8.1, 5, 8.9, 11.5, Black);
        p.Polygon({{8.9, 5}, {11.5, 6.5}, {11.5, 8}, {8.9, 6.5}}, Black);
        break;
    case siPicture:
        DrawPage(p);
        p.Rect(4.5, 5, 11.5, 12.5, Sky);
        p.Polygon({{4.5, 12.5}, {8, 7.5}, {11.5, 12.5}}, Grass);
        p.Ellipse(10, 6.8, 1.1, 1.1, Sun);
        break;
    case siArchive:
        DrawPage(p);
        for (double y = 2; y < 12; y += 2)
            p.Rect(7, y, 8, y + 1, Black), p.Rect(8, y + 1, 9, y + 2, Black);
        p.Rect(6.5, 12, 9.5, 14, Gold);
        break;
    case siFile:
    default: DrawPage(p); break;
    }
}

} // namespace

TSurface DrawShellIcon(TShellIcon icon, int size)
{
    TSurface surface(size, size, TPixelFormat::pf32bit);
    TIconPainter painter(surface);
    DrawPicture(painter, icon);
    return surface;
}

const std::vector<TSurface>& ShellImageList(bool large)
{
    static const auto build = [](int size) {
        std::vector<TSurface> list;
        for (int icon = 0; icon < ShellIconCount; ++icon)
            list.push_back(DrawShellIcon(TShellIcon(icon), size));
        return list;
    };
    static const std::vector<TSurface> small = build(SmallShellIconSize);
    static const std::vector<TSurface> largeList = build(LargeShellIconSize);
    return large ? largeList : small;
}

int ShellIconIndex(PCItemIDList AbsoluteID, bool, bool Open)
{
    return DesktopIShellFolder()->IconOf(AbsoluteID, Open);
}

} // namespace tovrel
