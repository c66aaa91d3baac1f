#pragma once
// The output format dialog: a category box, the formats of the chosen
// category, six parameter boxes with their value lists, and "确定", which
// writes the chosen format's encoder profile, a unique output name and the
// six box values into the main window's pending output settings. Its logic
// runs in the handlers of its controls, which call each other by clicking
// the internal buttons of Panel1.
#include "app/presets/PresetCatalog.h"
#include "platform/vcl/Forms.h"

namespace tovrel {

class IOutputFormatHost;
class TButton;
class TImage;
class TImageList;
class TPanel;
class TskSkinButton;
class TskSkinComboBox;
class TskSkinForm;
class TskSkinOfficeComboBox;
class TskSkinPageControl;
class TskSkinPanel;
class TskSkinTabSheet;
class TskSkinTextLabel;

class TForm6 : public TForm {
public:
    // Builds every control as the stored form would (no events fire while
    // it loads); the start-up chain runs from OnCreate.
    TForm6(TComponent* owner, IOutputFormatHost& host);

    TskSkinForm* skSkinForm1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TImageList* ImageList2 = nullptr;

    TskSkinPanel* skSkinPanel2 = nullptr;
    TskSkinTextLabel* skSkinTextLabel5 = nullptr;
    TskSkinOfficeComboBox* skSkinOfficeComboBox2 = nullptr; // category
    TskSkinOfficeComboBox* skSkinOfficeComboBox1 = nullptr; // format
    TskSkinButton* skSkinButton1 = nullptr;

    TskSkinPageControl* skSkinPageControl1 = nullptr;
    TskSkinTabSheet* skSkinTabSheet1 = nullptr;
    TskSkinTabSheet* skSkinTabSheet2 = nullptr;
    TskSkinTabSheet* skSkinTabSheetFilters = nullptr; // the "滤镜设置" tab
    TskSkinTabSheet* skSkinTabSheet3 = nullptr;

    TskSkinComboBox* skSkinComboBox1 = nullptr;  // frame size
    TskSkinComboBox* skSkinComboBox2 = nullptr;  // video bitrate
    TskSkinComboBox* skSkinComboBox9 = nullptr;  // frame rate
    TskSkinComboBox* skSkinComboBox4 = nullptr;  // aspect
    TskSkinComboBox* skSkinComboBox3 = nullptr;  // audio bitrate
    TskSkinComboBox* skSkinComboBox10 = nullptr; // sample rate
    TskSkinTextLabel* skSkinTextLabel3 = nullptr;
    TskSkinTextLabel* skSkinTextLabel2 = nullptr;
    TskSkinTextLabel* skSkinTextLabel6 = nullptr;
    TskSkinTextLabel* skSkinTextLabel9 = nullptr;
    TskSkinTextLabel* skSkinTextLabel4 = nullptr;
    TskSkinTextLabel* skSkinTextLabel7 = nullptr;

    TskSkinButton* skSkinButton2 = nullptr; // "确定"
    TskSkinButton* skSkinButton3 = nullptr; // "取消"

    TPanel* Panel1 = nullptr;
    TButton* Button6 = nullptr;
    TButton* Button5 = nullptr;
    TButton* Button7 = nullptr;
    TButton* Button2 = nullptr;
    TButton* Button11 = nullptr;
    TButton* Button13 = nullptr;
    TButton* Button18 = nullptr;
    TImage* Image1 = nullptr;

    // The parameter box that holds `box`'s values.
    TskSkinComboBox* ParameterBox(TParameterBox box) const;

    void FormCreate(TObject* Sender);
    void skSkinOfficeComboBox2Change(TObject* Sender);
    void skSkinOfficeComboBox1Click(TObject* Sender);
    void skSkinButton2Click(TObject* Sender);
    void skSkinButton3Click(TObject* Sender);
    // The formats of the chosen category into the format box, the first chosen.
    void Button2Click(TObject* Sender);
    // Preset key, video enabled, and the six boxes' lists and defaults.
    void Button18Click(TObject* Sender);
    // The chosen format's encoder profile and a unique output name.
    void Button5Click(TObject* Sender);
    // The six box texts into the pending output settings.
    void Button13Click(TObject* Sender);
    // Resets the pending output settings.
    void Button6Click(TObject* Sender);

private:
    void BuildFrame();
    void BuildFormatPanel();
    void BuildParameterPages();
    void BuildParameterBoxes(TskSkinTabSheet& sheet);
    void BuildStepPanel();
    void WireHandlers();

    IOutputFormatHost& FHost;
};

// Creates the dialog as the application's last form: owned by the
// application, hidden, with its start-up chain run (preset key 100 stored).
TForm6* CreateOutputFormatForm(IOutputFormatHost& host);

} // namespace tovrel
