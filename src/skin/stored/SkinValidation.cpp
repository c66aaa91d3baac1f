#include "skin/stored/SkinValidation.h"

#include <algorithm>
#include <optional>
#include <set>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinDescriptionText.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinEntryKinds.h"
#include "skin/data/SkinFixedEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinValues.h"
#include "skin/data/SkinViewEntries.h"
#include "skin/stored/SkinRequirements.h"

namespace tovrel {
namespace {

using TProblems = std::vector<std::string>;

// The numbers of a rectangle or point value, or nothing when the value is another kind.
std::optional<std::vector<int>> CoordinateFields(std::string_view value)
{
    std::vector<int> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = value.find(',', start);
        std::string_view field = value.substr(start, comma == std::string_view::npos ? value.npos : comma - start);
        while (!field.empty() && field.front() == ' ')
            field.remove_prefix(1);
        while (!field.empty() && field.back() == ' ')
            field.remove_suffix(1);
        const bool negative = !field.empty() && field.front() == '-';
        const std::string_view digits = negative ? field.substr(1) : field;
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != digits.npos)
            return std::nullopt;
        const int number = std::stoi(std::string(digits));
        fields.push_back(negative ? -number : number);
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (fields.size() != 2 && fields.size() != 4)
        return std::nullopt;
    return fields;
}

struct TKeyValue {
    std::string Key;
    std::string Value;
};

std::vector<TKeyValue> SectionValues(const TskIniFile& ini, std::string_view section)
{
    std::vector<TKeyValue> values;
    for (const std::string& line : ini.ReadSectionValues(section)) {
        const std::size_t eq = line.find('=');
        std::string key = line.substr(0, eq);
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
        values.push_back({key, eq == std::string::npos ? std::string() : line.substr(eq + 1)});
    }
    return values;
}

TSize SizeOf(const TBitmap* picture)
{
    return picture ? TSize{picture->Width(), picture->Height()} : TSize{};
}
TSize SizeOf(const TRect& r)
{
    return TSize{GetRectWidth(r), GetRectHeight(r)};
}
std::string Show(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}
bool Within(const TRect& r, TSize size)
{
    return r.Left >= 0 && r.Top >= 0 && r.Right <= size.cx && r.Bottom <= size.cy;
}

// What the rectangles and points of one section are measured against.
struct TSectionGeometry {
    std::string Section;
    // The picture image rectangles lie in; nothing when the section names none.
    std::optional<TSize> Picture;
    // The image places and corner points lie in.
    TSize Own;
    // Keys measured against another image instead: key → that image's size.
    std::vector<std::pair<std::string_view, std::optional<TSize>>> Special;
};

// Keys that say where a part lies inside the entry's own image.
bool IsPlaceKey(std::string_view key)
{
    static const std::set<std::string_view> places{
        "clientrect", "captionrect",     "trackarea", "upbuttonrect", "downbuttonrect", "buttonrect",  "checkimagearea",
        "textarea",   "trackbuttonrect", "itemsrect", "textrect",     "imagerect",      "buttonsarea", "frametextrect"};
    return places.contains(key);
}

bool IsCornerPointKey(std::string_view key)
{
    return key == "lefttoppoint" || key == "righttoppoint" || key == "leftbottompoint" || key == "rightbottompoint";
}

void CheckSection(const TskIniFile& ini, const TSectionGeometry& g, int pictureCount, TProblems& problems)
{
    const auto fail = [&](const std::string& key, const std::string& what) {
        problems.push_back("[" + g.Section + "] " + key + " " + what);
    };
    for (const TKeyValue& kv : SectionValues(ini, g.Section)) {
        if (kv.Key.ends_with("pictureindex")) {
            const int index = ini.ReadInteger(g.Section, kv.Key, -1);
            if (index < -1 || index >= pictureCount)
                fail(kv.Key, "names picture " + std::to_string(index) + " of " + std::to_string(pictureCount));
            continue;
        }
        const auto fields = CoordinateFields(kv.Value);
        if (!fields)
            continue;
        if (std::any_of(fields->begin(), fields->end(), [](int v) { return v < 0; })) {
            fail(kv.Key, "has a negative coordinate (" + kv.Value + ")");
            continue;
        }
        if (fields->size() == 2) {
            const TPoint p{(*fields)[0], (*fields)[1]};
            if (IsCornerPointKey(kv.Key) && (p.X > g.Own.cx || p.Y > g.Own.cy))
                fail(kv.Key, "lies outside the image of " + std::to_string(g.Own.cx) + "x" + std::to_string(g.Own.cy));
            continue;
        }
        const TRect r{(*fields)[0], (*fields)[1], (*fields)[2], (*fields)[3]};
        if (r == TRect{} || kv.Key == "borderrect")
            continue;
        if (IsNullRect(r)) {
            fail(kv.Key, "is empty or inverted (" + kv.Value + ")");
            continue;
        }
        const auto special =
            std::find_if(g.Special.begin(), g.Special.end(), [&](const auto& s) { return s.first == kv.Key; });
        std::optional<TSize> frame;
        if (special != g.Special.end())
            frame = special->second;
        else if (IsPlaceKey(kv.Key))
            frame = g.Own;
        else
            frame = g.Picture;
        if (!frame)
            fail(kv.Key, "is an image (" + Show(r) + ") but the entry names no picture");
        else if (!Within(r, *frame))
            fail(kv.Key, "(" + Show(r) + ") falls outside its picture of " + std::to_string(frame->cx) + "x" +
                             std::to_string(frame->cy));
    }
}

std::optional<TSize> ActiveSize(const TskSkinContent& content, int index)
{
    if (index < 0 || std::size_t(index) >= content.ActivePictures.size())
        return std::nullopt;
    return SizeOf(content.ActivePictures[std::size_t(index)].get());
}

TskResizeMode ResizeModeOf(const TskDataSkinCustomControl& e)
{
    if (e.RBPoint.X != 0 && e.RBPoint.Y != 0)
        return TskResizeMode::Both;
    if (e.RTPoint.X != 0 || e.RTPoint.Y != 0)
        return TskResizeMode::WidthOnly;
    if (e.LBPoint.X != 0 || e.LBPoint.Y != 0)
        return TskResizeMode::HeightOnly;
    return TskResizeMode::Fixed;
}

void CheckResizeMode(const TskDataSkinControl& entry, TskResizeMode wanted, TProblems& problems)
{
    const auto* custom = dynamic_cast<const TskDataSkinCustomControl*>(&entry);
    if (!custom || IsNullRect(entry.SkinRect)) {
        problems.push_back(entry.IDName + " has no pieced image");
        return;
    }
    const TskResizeMode mode = ResizeModeOf(*custom);
    if (mode != wanted)
        problems.push_back(entry.IDName + ": the corner points give resize mode " + std::to_string(int(mode)) +
                           " instead of " + std::to_string(int(wanted)));
    const bool ordered = custom->LTPoint.X <= custom->RTPoint.X && custom->LBPoint.X <= custom->RBPoint.X &&
                         custom->LTPoint.Y <= custom->LBPoint.Y && custom->RTPoint.Y <= custom->RBPoint.Y;
    if (mode == TskResizeMode::Both && !ordered)
        problems.push_back(entry.IDName + ": the corner points cross each other");
}

void CheckRequiredEntries(const TskSkinDescription& d, TStoredSkinRole role, TProblems& problems)
{
    for (const TskRequiredEntry& r : RequiredSkinEntries()) {
        if (role == TStoredSkinRole::User ? !r.User : !r.Tools)
            continue;
        const std::string name(r.Name);
        if (r.Object) {
            const int i = FindSkinObject(d.ObjectList, r.Name);
            if (i < 0)
                problems.push_back("object " + name + " is missing");
            else if (SkinObjectKindWord(*d.ObjectList[std::size_t(i)]) != r.Kind)
                problems.push_back("object " + name + " is not of kind " + std::string(r.Kind));
            continue;
        }
        const int i = FindSkinControl(d.CtrlList, r.Name);
        if (i < 0) {
            problems.push_back("control " + name + " is missing");
            continue;
        }
        const TskDataSkinControl& entry = *d.CtrlList[std::size_t(i)];
        if (SkinControlKindWord(entry) != r.Kind)
            problems.push_back("control " + name + " is not of kind " + std::string(r.Kind));
        else if (r.Resize)
            CheckResizeMode(entry, *r.Resize, problems);
    }
}

// Names one entry gives for another: they must lead to an entry of the right kind.
void CheckNamedEntries(const TskSkinDescription& d, TProblems& problems)
{
    const auto control = [&](const std::string& from, const std::string& name, std::string_view kind) {
        const int i = FindSkinControl(d.CtrlList, name);
        if (i < 0 || SkinControlKindWord(*d.CtrlList[std::size_t(i)]) != kind)
            problems.push_back(from + " names " + (name.empty() ? "no entry" : name) + ", which is no " +
                               std::string(kind));
    };
    for (const auto& entry : d.CtrlList) {
        if (const auto* bar = dynamic_cast<const TskDataSkinMainMenuBar*>(entry.get())) {
            const int i = FindSkinObject(d.ObjectList, bar->MenuBarItem);
            if (i < 0 || SkinObjectKindWord(*d.ObjectList[std::size_t(i)]) != "mainmenubaritem")
                problems.push_back(bar->IDName + " names menu bar item " + bar->MenuBarItem + ", which is missing");
        } else if (const auto* list = dynamic_cast<const TskDataSkinListBox*>(entry.get())) {
            control(list->IDName, list->HScrollBarName, "scrollbar");
            control(list->IDName, list->VScrollBarName, "scrollbar");
            control(list->IDName, list->BothScrollBarName, "scrollbar");
        } else if (const auto* combo = dynamic_cast<const TskDataSkinComboBox*>(entry.get())) {
            control(combo->IDName, combo->ListBoxName, "listbox");
        } else if (const auto* tab = dynamic_cast<const TskDataSkinTabControl*>(entry.get())) {
            control(tab->IDName, tab->UpDown, "updown");
        }
    }
}

void CheckEntryGeometry(const TskIniFile& ini, const TskSkinDescription& d, const TskSkinContent& content,
                        TProblems& problems)
{
    const int count = int(content.ActivePictures.size());
    const TSize main = SizeOf(content.Picture.get());
    for (const auto& entry : d.CtrlList) {
        TSectionGeometry g{entry->IDName, ActiveSize(content, entry->PictureIndex), SizeOf(entry->SkinRect), {}};
        if (const auto* list = dynamic_cast<const TskDataSkinListBox*>(entry.get()))
            g.Special.push_back({"itemtextrect", SizeOf(list->SItemRect)});
        if (const auto* combo = dynamic_cast<const TskDataSkinComboBox*>(entry.get()))
            g.Special.push_back({"itemtextrect", SizeOf(combo->SItemRect)});
        // In edits and combo boxes the key names the pressed button's image, not a place.
        const std::string_view kind = SkinControlKindWord(*entry);
        if (kind == "combobox" || kind == "edit" || kind == "memo")
            g.Special.push_back({"downbuttonrect", g.Picture});
        CheckSection(ini, g, count, problems);
    }
    for (const auto& entry : d.ObjectList) {
        const std::optional<TSize> active =
            entry->ActivePictureIndex >= 0 ? ActiveSize(content, entry->ActivePictureIndex) : std::optional(main);
        TSectionGeometry g{entry->IDName, active, SizeOf(entry->SkinRect), {}};
        g.Special.push_back({"skinrect", entry->SkinRectInAPicture ? active : std::optional(main)});
        // The caption's text area is a place on the frame.
        if (SkinObjectKindWord(*entry) == "caption")
            g.Special.push_back({"textrect", main});
        CheckSection(ini, g, count, problems);
    }
}

void CheckFixedSections(const TskIniFile& ini, const TskSkinDescription& d, const TskSkinContent& content,
                        TProblems& problems)
{
    const int count = int(content.ActivePictures.size());
    const TSize main = SizeOf(content.Picture.get());
    const auto whole = [&](std::string section, std::optional<TSize> picture) {
        const TSize size = picture.value_or(TSize{});
        TSectionGeometry g{std::move(section), picture, size, {}};
        for (std::string_view key : {"clientrect", "itemsrect", "captionrect", "buttonsrect", "maskrectarea"})
            g.Special.push_back({key, picture});
        CheckSection(ini, g, count, problems);
    };
    whole("FORMINFO", main);
    whole("POPUPWINDOW", ActiveSize(content, d.PopupWindow.WindowPictureIndex));
    whole("HINTWINDOW", ActiveSize(content, d.HintWindow.WindowPictureIndex));
    whole("LAYERFRAME", ActiveSize(content, d.LayerFrame.PictureIndex));
}

void CheckPictures(const TskIniFile& ini, const TskSkinContent& content, TStoredSkinRole role, TProblems& problems)
{
    const int declared = ini.ReadInteger("PICTURES", "activepicturescount", -1);
    if (declared != int(content.ActivePictures.size()))
        problems.push_back("activepicturescount is " + std::to_string(declared) + " but the skin holds " +
                           std::to_string(content.ActivePictures.size()) + " pictures");
    for (std::size_t i = 0; i < content.ActivePictures.size(); ++i)
        if (!content.ActivePictures[i] || content.ActivePictures[i]->Empty())
            problems.push_back("active picture " + std::to_string(i) + " is empty");
    if (role == TStoredSkinRole::User && (!content.Picture || content.Picture->Empty()))
        problems.push_back("the frame picture is missing");
    if (content.Mask && content.Picture && SizeOf(content.Mask.get()) != SizeOf(content.Picture.get()))
        problems.push_back("the mask and the frame picture differ in size");
}

// The frame, popup, hint and colour parts every user skin fills in.
void CheckFixedParts(const TskIniFile& ini, const TskSkinDescription& d, const TskSkinContent& content,
                     TProblems& problems)
{
    const TskFormInfo& f = d.FormInfo;
    if (IsNullRect(f.ClRect) || IsNullRect(f.CaptionRect) || IsNullRect(f.ButtonsRect))
        problems.push_back("the frame lacks its client, caption or caption-button area");
    if (f.BorderW <= 0 || f.FormMinWidth <= 0)
        problems.push_back("the frame lacks its border width or smallest width");
    const bool hasMask = content.Mask && !content.Mask->Empty();
    if (hasMask && IsNullRect(StrToRect(ini.ReadString("FORMINFO", "maskrectarea", "0,0,0,0"))))
        problems.push_back("the frame has a mask but no mask area");
    const auto picture = [&](int index) { return index >= 0 && ActiveSize(content, index).has_value(); };
    if (!picture(d.PopupWindow.WindowPictureIndex) || IsNullRect(d.PopupWindow.ItemsRect))
        problems.push_back("the popup window lacks its picture or item area");
    if (!picture(d.HintWindow.WindowPictureIndex) || IsNullRect(d.HintWindow.ClRect))
        problems.push_back("the hint window lacks its picture or text area");
    // Colours are the skin's own: a system colour reference (negative) would follow the desktop.
    for (const auto& key : TskSkinColors::ReadOrder())
        if (!ini.ValueExists(TskSkinColors::Section, key.Name) ||
            ini.ReadInteger(TskSkinColors::Section, key.Name, -1) < 0)
            problems.push_back("skin colour " + std::string(key.Name) + " is not given as a colour of its own");
}

} // namespace

std::vector<std::string> ValidateSkinContent(const TskSkinContent& content, TStoredSkinRole role)
{
    TProblems problems;
    const TskIniFile ini(content.IniText);
    if (!CheckSkinFile(ini))
        return {"the description lacks one of VERSION, PICTURES, FORMINFO, SKINOBJECTS and SKINCONTROLS"};
    TskSkinDescription d;
    try {
        d.LoadFromIniFile(ini);
    } catch (const std::exception& e) {
        return {std::string("the description does not load: ") + e.what()};
    }
    CheckPictures(ini, content, role, problems);
    CheckRequiredEntries(d, role, problems);
    CheckNamedEntries(d, problems);
    CheckEntryGeometry(ini, d, content, problems);
    CheckFixedSections(ini, d, content, problems);
    if (role == TStoredSkinRole::User)
        CheckFixedParts(ini, d, content, problems);
    return problems;
}

std::vector<std::string> ValidateCompressedSkin(std::string_view fileBytes, TStoredSkinRole role)
{
    try {
        TMemoryStream file;
        file.WriteBuffer(fileBytes.data(), std::int64_t(fileBytes.size()));
        TskCompressedStoredSkin stored(nullptr);
        stored.LoadFromCompressStream(file);
        if (stored.Empty())
            return {"the compressed skin holds no data"};
        TMemoryStream unpacked;
        stored.DeCompressToStream(unpacked);
        unpacked.SetPosition(0);
        TskSkinContent content;
        if (!ReadSkinContent(unpacked, content))
            return {"the skin content is of a newer version"};
        return ValidateSkinContent(content, role);
    } catch (const std::exception& e) {
        return {std::string("the compressed skin does not unpack: ") + e.what()};
    }
}

} // namespace tovrel
