#include "platform/ctrls/ListBoxStrings.h"

#include "platform/ctrls/CommonControls.h"
#include "platform/vcl/Errors.h"

#include <string>

namespace tovrel {

const TItemMessages ListBoxItemMessages{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT,
                                        LB_GETTEXT,   LB_GETTEXTLEN,   LB_GETITEMDATA,  LB_SETITEMDATA};
const TItemMessages ComboBoxItemMessages{CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT,
                                         CB_GETLBTEXT, CB_GETLBTEXTLEN, CB_GETITEMDATA,  CB_SETITEMDATA};

int TItemStrings::Count() const
{
    return int(Send(messages_.GetCount, 0, 0));
}

std::string TItemStrings::Get(int index) const
{
    const LRESULT length = Send(messages_.GetTextLen, WPARAM(index), 0);
    if (length < 0)
        ListIndexError(index);
    std::string text(std::size_t(length) + 1, '\0');
    Send(messages_.GetText, WPARAM(index), ToLParam(text.data()));
    text.resize(std::size_t(length));
    return text;
}

void TItemStrings::Put(int index, const std::string& text)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, text, object);
}

TObject* TItemStrings::GetObject(int index) const
{
    CheckIndex(index);
    return reinterpret_cast<TObject*>(Send(messages_.GetItemData, WPARAM(index), 0));
}

void TItemStrings::PutObject(int index, TObject* object)
{
    CheckIndex(index);
    Send(messages_.SetItemData, WPARAM(index), ToLParam(object));
}

int TItemStrings::Add(const std::string& text)
{
    const LRESULT index = Send(messages_.AddString, 0, ToLParam(text.c_str()));
    if (index < 0)
        throw EInvalidOperation("Cannot add the item");
    return int(index);
}

void TItemStrings::Insert(int index, const std::string& text)
{
    if (index < 0 || index > Count())
        ListIndexError(index);
    if (Send(messages_.InsertString, WPARAM(index), ToLParam(text.c_str())) < 0)
        throw EInvalidOperation("Cannot insert the item");
}

void TItemStrings::Delete(int index)
{
    CheckIndex(index);
    Send(messages_.DeleteString, WPARAM(index), 0);
}

void TItemStrings::Clear()
{
    Send(messages_.ResetContent, 0, 0);
}

} // namespace tovrel
