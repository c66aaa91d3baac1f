#include "GalleryReport.h"
#include "GalleryForm.h"

#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListBox.h"
#include "platform/ctrls/ListView.h"

#include <fstream>

namespace tovrel::gallery {

void WriteGalleryReport(TForm& form, const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    TListItem* top = FirstControlOf<TListView>(form)->TopItem();
    out << "edit=" << FirstControlOf<TEdit>(form)->Text() << '\n'
        << "listbox=" << FirstControlOf<TListBox>(form)->ItemIndex() << '\n'
        << "listview.top=" << (top ? top->Index() : -1) << '\n'
        << "listview.style=" << (FirstControlOf<TListView>(form)->ViewStyle() == vsIcon ? "icon" : "other") << '\n'
        << "form=" << form.Width() << 'x' << form.Height() << '\n';
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

} // namespace tovrel::gallery
