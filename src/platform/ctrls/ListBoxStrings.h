#pragma once
// Items of a list or combo box as TStrings: every change goes through the
// control's messages (ADDSTRING, INSERTSTRING, DELETESTRING, RESETCONTENT),
// so hooks on its WindowProc see them; objects ride in the item data.
#include "platform/vcl/Control.h"
#include "platform/vcl/Strings.h"

namespace tovrel {

struct TItemMessages {
    UINT AddString, InsertString, DeleteString, ResetContent, GetCount, GetText, GetTextLen, GetItemData, SetItemData;
};
extern const TItemMessages ListBoxItemMessages;
extern const TItemMessages ComboBoxItemMessages;

class TItemStrings : public TStrings {
public:
    TItemStrings(TControl& control, const TItemMessages& messages) : control_(control), messages_(messages) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& text) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    int Add(const std::string& text) override;
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

private:
    LRESULT Send(UINT message, WPARAM w, LPARAM l) const { return control_.Perform(message, w, l); }

    TControl& control_;
    const TItemMessages& messages_;
};

} // namespace tovrel
