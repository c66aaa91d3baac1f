#pragma once
// The about box "关于软件": the program's picture, name and version, the web
// site and the support mail as link labels (opened through the shell
// launcher), and "确定".
#include "platform/vcl/Forms.h"

namespace tovrel {

class TImage;
class TskSkinButton;
class TskSkinData;
class TskSkinForm;
class TskSkinLinkLabel;

inline constexpr const char* HelpPageAddress = "https://tovrel.example.org/help/";
inline constexpr const char* HomePageAddress = "https://tovrel.example.org/";
inline constexpr const char* SupportMailAddress = "mailto:support@tovrel.example.org";

class TForm2 : public TForm {
public:
    // skin: the main window's skin data (may be null).
    TForm2(TComponent* owner, TskSkinData* skin);

    TImage* Picture() const { return Image1; }
    TskSkinLinkLabel* SiteLink() const { return siteLink_; }
    TskSkinLinkLabel* MailLink() const { return mailLink_; }
    TskSkinButton* OkButton() const { return skSkinButton1; }

private:
    TskSkinForm* frame_ = nullptr;
    TImage* Image1 = nullptr;
    TskSkinLinkLabel *siteLink_ = nullptr, *mailLink_ = nullptr;
    TskSkinButton* skSkinButton1 = nullptr;
};

} // namespace tovrel
