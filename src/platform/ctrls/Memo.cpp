#include "platform/ctrls/Edit.h"

#include "platform/gdi/TextUtf8.h"
#include "platform/vcl/Errors.h"

#include <vector>

namespace tovrel {

namespace {

// The memo's text as lines: every line ends with CR LF, as the memo keeps it.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo& memo) : memo_(memo) {}

    int Count() const override
    {
        const TEditBuffer& buffer = memo_.Buffer();
        int count = buffer.LineCount();
        // The empty line after a final break is not a line of its own.
        if (count > 0 && buffer.LineLength(count - 1) == 0)
            --count;
        return count;
    }
    std::string Get(int index) const override
    {
        CheckIndex(index);
        return Lines()[std::size_t(index)];
    }
    void Put(int index, const std::string& text) override
    {
        CheckIndex(index);
        auto lines = Lines();
        lines[std::size_t(index)] = text;
        Store(lines);
    }
    void Insert(int index, const std::string& text) override
    {
        if (index < 0 || index > Count())
            ListIndexError(index);
        auto lines = Lines();
        lines.insert(lines.begin() + index, text);
        Store(lines);
    }
    void Delete(int index) override
    {
        CheckIndex(index);
        auto lines = Lines();
        lines.erase(lines.begin() + index);
        Store(lines);
    }
    void Clear() override { memo_.SetText(""); }
    void SetText(std::string_view text) override { memo_.SetText(std::string(text)); }

private:
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < Count(); ++i)
            lines.push_back(EncodeLine(i));
        return lines;
    }
    std::string EncodeLine(int index) const { return EncodeUtf8(memo_.Buffer().Line(index)); }
    void Store(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        memo_.SetText(text);
    }

    TMemo& memo_;
};

} // namespace

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner, true), lines_(std::make_unique<TMemoStrings>(*this))
{
    SetWantReturns(true);
    SetWordWrap(true);
    AutoSelect = false;
}

TMemo::~TMemo() = default;

} // namespace tovrel
