#include "GalleryReportLines.h"

#include <vector>

namespace tovrel::skingallery {

namespace {

std::vector<TReportLines>& Lines()
{
    static std::vector<TReportLines> lines;
    return lines;
}

std::function<void()>& Writer()
{
    static std::function<void()> writer;
    return writer;
}

} // namespace

void AddReportLines(TReportLines lines)
{
    Lines().push_back(std::move(lines));
}

void ReportChanged()
{
    if (Writer())
        Writer()();
}

void WriteBandLines(std::ostream& out)
{
    for (const TReportLines& lines : Lines())
        lines(out);
}

void SetReportWriter(std::function<void()> writer)
{
    Writer() = std::move(writer);
}

TPoint PointInWindow(TForm& form, TControl& control, TPoint local)
{
    const TPoint p = control.ClientToScreen(local);
    return Point(p.X - form.Left(), p.Y - form.Top());
}

TPoint CentreInWindow(TForm& form, TControl& control)
{
    return PointInWindow(form, control, Point(control.Width() / 2, control.Height() / 2));
}

std::ostream& operator<<(std::ostream& out, TPoint p)
{
    return out << p.X << ',' << p.Y;
}

std::ostream& operator<<(std::ostream& out, TRect r)
{
    return out << r.Left << ',' << r.Top << ',' << r.Width() << 'x' << r.Height();
}

} // namespace tovrel::skingallery
