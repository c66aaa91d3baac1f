#pragma once
// What a form offers the skinned popup menus that find it: the popup engine
// its skinned menus open through, and the skins they take. The skinned form
// component is one; a form has at most one that answers.
namespace tovrel {

class TComponent;
class TskSkinData;
class TskSkinMenu;

class TskSkinMenuHost {
public:
    virtual ~TskSkinMenuHost() = default;
    virtual TskSkinMenu* SkinMenu() const = 0;
    virtual TskSkinData* SkinData() const = 0;
    virtual TskSkinData* MenusSkinData() const = 0;
};

// The first component of AForm that is a menu host; null when none.
TskSkinMenuHost* FindSkinMenuHost(const TComponent* AForm);

} // namespace tovrel
