#include "skin/data/SkinEntryKinds.h"

#include <array>
#include <map>
#include <typeindex>
#include <typeinfo>

#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel {
namespace {

template <class Base> struct KindRow {
    std::string_view Word;
    std::type_index Class;
    std::unique_ptr<Base> (*Create)(std::string);
};

template <class Base, class Entry> KindRow<Base> Kind(std::string_view word)
{
    return {word, typeid(Entry),
            [](std::string name) -> std::unique_ptr<Base> { return std::make_unique<Entry>(std::move(name)); }};
}

// In the order the reader compares the words.
const std::array<KindRow<TskDataSkinControl>, 28>& ControlKinds()
{
    using B = TskDataSkinControl;
    static const std::array<KindRow<B>, 28> kinds{
        Kind<B, TskDataSkinPanelControl>("panel"),
        Kind<B, TskDataSkinExPanelControl>("expanel"),
        Kind<B, TskDataSkinMenuButtonControl>("menubutton"),
        Kind<B, TskDataSkinButtonControl>("button"),
        Kind<B, TskDataSkinCheckRadioControl>("checkradio"),
        Kind<B, TskDataSkinGaugeControl>("gauge"),
        Kind<B, TskDataSkinSplitterControl>("splitter"),
        Kind<B, TskDataSkinTrackBarControl>("trackbar"),
        Kind<B, TskDataSkinLabelControl>("label"),
        Kind<B, TskDataSkinStdLabelControl>("stdlabel"),
        Kind<B, TskDataSkinUpDownControl>("updown"),
        Kind<B, TskDataSkinGridControl>("grid"),
        Kind<B, TskDataSkinTabControl>("tab"),
        Kind<B, TskDataSkinMainMenuBar>("mainmenubar"),
        Kind<B, TskDataSkinControlBar>("controlbar"),
        Kind<B, TskDataSkinMemoControl>("memo"),
        Kind<B, TskDataSkinEditControl>("edit"),
        Kind<B, TskDataSkinCheckListBox>("checklistbox"),
        Kind<B, TskDataSkinListBox>("listbox"),
        Kind<B, TskDataSkinComboBox>("combobox"),
        Kind<B, TskDataSkinScrollBarControl>("scrollbar"),
        Kind<B, TskDataSkinSpinEditControl>("spinedit"),
        Kind<B, TskDataSkinScrollBoxControl>("scrollbox"),
        Kind<B, TskDataSkinTreeView>("treeview"),
        Kind<B, TskDataSkinBevel>("bevel"),
        Kind<B, TskDataSkinSlider>("slider"),
        Kind<B, TskDataSkinListView>("listview"),
        Kind<B, TskDataSkinRichEdit>("richedit"),
    };
    return kinds;
}

const std::array<KindRow<TskDataSkinObject>, 8>& ObjectKinds()
{
    using B = TskDataSkinObject;
    static const std::array<KindRow<B>, 8> kinds{
        Kind<B, TskDataSkinMenuItem>("menuitem"),   Kind<B, TskDataSkinMainMenuBarItem>("mainmenubaritem"),
        Kind<B, TskDataSkinStdButton>("stdbutton"), Kind<B, TskDataSkinMainMenuBarButton>("mainmenubarbutton"),
        Kind<B, TskDataSkinButton>("button"),       Kind<B, TskDataSkinCaption>("caption"),
        Kind<B, TskDataSkinAnimate>("animate"),     Kind<B, TskDataUserObject>("userobject"),
    };
    return kinds;
}

template <class Base, std::size_t N>
std::unique_ptr<Base> CreateEntry(const std::array<KindRow<Base>, N>& kinds, std::string_view word, std::string name)
{
    for (const KindRow<Base>& row : kinds)
        if (row.Word == word)
            return row.Create(std::move(name));
    return nullptr;
}

// The entry's exact class decides, so a derived class never takes its parent's word.
template <class Base, std::size_t N>
std::string_view KindWordOf(const std::array<KindRow<Base>, N>& kinds, const Base& entry)
{
    const std::type_index cls = typeid(entry);
    for (const KindRow<Base>& row : kinds)
        if (row.Class == cls)
            return row.Word;
    return {};
}

template <class Base, std::size_t N>
void ReadEntryList(const TskIniFile& ini, std::string_view section, const std::array<KindRow<Base>, N>& kinds,
                   std::vector<std::unique_ptr<Base>>& list)
{
    const int count = ini.ReadInteger(section, "count", 0);
    // Lines are the keys "0" .. count-1 in that order, and a missing line creates
    // nothing; visiting only the line keys present keeps a huge count harmless.
    std::map<int, std::string> lines;
    for (const std::string& key : ini.ReadSection(section)) {
        const bool canonical = !key.empty() && key.size() <= 10 && (key == "0" || key.front() != '0') &&
                               key.find_first_not_of("0123456789") == std::string::npos;
        if (!canonical)
            continue;
        const long long index = std::stoll(key);
        if (index < count && !lines.contains(int(index)))
            lines.emplace(int(index), ini.ReadString(section, key, ""));
    }
    for (const auto& [index, line] : lines) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string_view kindWord = std::string_view(line).substr(colon + 1);
        std::unique_ptr<Base> entry = CreateEntry(kinds, kindWord, line.substr(0, colon));
        if (!entry)
            continue;
        entry->LoadFromFile(ini);
        list.push_back(std::move(entry));
    }
}

template <class Base, std::size_t N>
void WriteEntryList(TskIniFile& ini, std::string_view section, const std::array<KindRow<Base>, N>& kinds,
                    const std::vector<std::unique_ptr<Base>>& list)
{
    ini.EraseSection(section);
    ini.WriteInteger(section, "count", int(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        ini.WriteString(section, std::to_string(i), list[i]->IDName + ":" + std::string(KindWordOf(kinds, *list[i])));
        list[i]->SaveToFile(ini);
    }
}

template <class Base> int FindEntry(const std::vector<std::unique_ptr<Base>>& list, std::string_view name)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name)
            return int(i);
    return -1;
}

} // namespace

std::unique_ptr<TskDataSkinControl> CreateSkinControlEntry(std::string_view kindWord, std::string AIDName)
{
    return CreateEntry(ControlKinds(), kindWord, std::move(AIDName));
}

std::unique_ptr<TskDataSkinObject> CreateSkinObjectEntry(std::string_view kindWord, std::string AIDName)
{
    return CreateEntry(ObjectKinds(), kindWord, std::move(AIDName));
}

std::string_view SkinControlKindWord(const TskDataSkinControl& entry)
{
    return KindWordOf(ControlKinds(), entry);
}
std::string_view SkinObjectKindWord(const TskDataSkinObject& entry)
{
    return KindWordOf(ObjectKinds(), entry);
}

void ReadSkinControls(const TskIniFile& IniFile, TskControlList& list)
{
    ReadEntryList(IniFile, "SKINCONTROLS", ControlKinds(), list);
}

void ReadSkinObjects(const TskIniFile& IniFile, TskObjectList& list)
{
    ReadEntryList(IniFile, "SKINOBJECTS", ObjectKinds(), list);
}

void WriteSkinControls(TskIniFile& IniFile, const TskControlList& list)
{
    WriteEntryList(IniFile, "SKINCONTROLS", ControlKinds(), list);
}

void WriteSkinObjects(TskIniFile& IniFile, const TskObjectList& list)
{
    WriteEntryList(IniFile, "SKINOBJECTS", ObjectKinds(), list);
}

int FindSkinControl(const TskControlList& list, std::string_view AIDName)
{
    return FindEntry(list, AIDName);
}
int FindSkinObject(const TskObjectList& list, std::string_view AIDName)
{
    return FindEntry(list, AIDName);
}

} // namespace tovrel
