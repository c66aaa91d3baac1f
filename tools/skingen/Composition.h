#pragma once
// A skin being composed: the theme, the description being filled, the frame
// picture and the atlases of the active pictures. The entry builders
// (ControlEntries.cpp, FrameEntries.cpp, MenuEntries.cpp) add to it; Compose
// turns it into a skin data object.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Atlas.h"
#include "Theme.h"
#include "skin/data/SkinDescriptionText.h"
#include "skin/data/SkinEntry.h"

namespace tovrel {
class TskSkinData;
}

namespace tovrel::skingen {

class TComposition {
public:
    explicit TComposition(const TTheme& theme) : Theme(theme) {}

    const TTheme& Theme;
    TskSkinDescription Description;
    // The frame picture and its mask (empty for the tools skin).
    TSurface Frame;
    TSurface FrameMask;
    std::vector<std::unique_ptr<TAtlas>> Active;

    // Appends an active picture; returns its position.
    int AddPicture(const std::string& fileName, int width, TRgb background);
    TAtlas& Picture(int index) { return *Active.at(std::size_t(index)); }

    template <class Entry> Entry& AddControl(std::string name)
    {
        auto entry = std::make_unique<Entry>(std::move(name));
        Entry& ref = *entry;
        Description.CtrlList.push_back(std::move(entry));
        return ref;
    }
    template <class Entry> Entry& AddObject(std::string name)
    {
        auto entry = std::make_unique<Entry>(std::move(name));
        Entry& ref = *entry;
        Description.ObjectList.push_back(std::move(entry));
        return ref;
    }
};

// The whole skin the theme describes, in the skin data object (pictures,
// names and description); the object's previous skin is replaced.
void Compose(const TTheme& theme, TskSkinData& data);

// ---- entry builders ----
// The picture positions the builders share.
struct TPictureSet {
    int Controls = -1;
    int Scroll = -1;
    int Menus = -1;
    int CaptionStates = -1;
    int Glow = -1;
    int GlowMask = -1;
};

void AddButtonEntries(TComposition& c, const TPictureSet& pictures);
void AddControlEntries(TComposition& c, const TPictureSet& pictures);
void AddScrollEntries(TComposition& c, const TPictureSet& pictures);
void AddMenuEntries(TComposition& c, const TPictureSet& pictures);
void AddFrame(TComposition& c, TPictureSet& pictures);
void AddFixedEntries(TComposition& c);

// ---- geometry and fonts every builder uses ----
enum class TResize { Fixed, WidthOnly, HeightOnly, Both };
// Corner points `corner` pixels in from the edges of the skin rectangle, as
// the resize mode needs them; the client area `inset` pixels in.
void SetGeometry(TskDataSkinCustomControl& e, int picture, const TRect& skinRect, TResize mode, int corner, int inset,
                 bool tile);

template <class Entry> void SetFont(Entry& e, const TTheme& theme, TRgb color)
{
    e.FontName = theme.FontName;
    e.FontHeight = theme.FontHeight;
    e.FontColor = ToColor(color);
}

// The fills of the usual button states.
enum class TState { Normal, Hot, Down, Disabled, Focused };
TBoxFill StateFill(const TTheme& theme, TState state);
TRgb StateBorder(const TTheme& theme, TState state);
// A button box of the state over `place`, corners blended into `back`.
void PaintStateBox(TPainter& p, const TRect& place, const TTheme& theme, TState state, TRgb back);

} // namespace tovrel::skingen
