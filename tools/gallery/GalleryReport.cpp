#include "GalleryReport.h"

#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListBox.h"
#include "platform/ctrls/ListView.h"

#include <fstream>
#include <stdexcept>

namespace tovrel::gallery {

namespace {

template <class T>
T* FirstOf(TForm& form)
{
    for (int i = 0; i < form.ControlCount(); ++i)
        if (auto* control = dynamic_cast<T*>(form.Controls(i)))
            return control;
    throw std::logic_error("the gallery has no such control");
}

} // namespace

void WriteGalleryReport(TForm& form, const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    TListItem* top = FirstOf<TListView>(form)->TopItem();
    out << "edit=" << FirstOf<TEdit>(form)->Text() << '\n'
        << "listbox=" << FirstOf<TListBox>(form)->ItemIndex() << '\n'
        << "listview.top=" << (top ? top->Index() : -1) << '\n'
        << "form=" << form.Width() << 'x' << form.Height() << '\n';
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

} // namespace tovrel::gallery
