#include "platform/vcl/Strings.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

namespace tovrel {

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Reads a quoted string starting at text[pos] (the quote); pos ends after the
// closing quote, or at the end for an unterminated one.
std::string ExtractQuoted(std::string_view text, std::size_t& pos, char quote)
{
    std::string result;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                result += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return result;
        }
        result += text[pos++];
    }
    return result;
}

} // namespace

std::string QuotedStr(std::string_view text, char quote)
{
    std::string result(1, quote);
    for (char c : text) {
        result += c;
        if (c == quote)
            result += quote;
    }
    result += quote;
    return result;
}

void TStrings::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStrings::Put(int index, const std::string& text)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, text, object);
}

TObject* TStrings::GetObject(int /*index*/) const
{
    return nullptr;
}

void TStrings::PutObject(int /*index*/, TObject* /*object*/) {}

void TStrings::InsertObject(int index, const std::string& text, TObject* object)
{
    Insert(index, text);
    PutObject(index, object);
}

int TStrings::Add(const std::string& text)
{
    const int index = Count();
    Insert(index, text);
    return index;
}

int TStrings::AddObject(const std::string& text, TObject* object)
{
    const int index = Add(text);
    PutObject(index, object);
    return index;
}

void TStrings::AddStrings(const TStrings& strings)
{
    TStringsUpdate update(*this);
    for (int i = 0; i < strings.Count(); ++i)
        AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::Exchange(int index1, int index2)
{
    TStringsUpdate update(*this);
    const std::string text1 = Get(index1);
    TObject* object1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, text1);
    PutObject(index2, object1);
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    TStringsUpdate update(*this);
    const std::string text = Get(curIndex);
    TObject* object = GetObject(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, text, object);
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const
{
    return CompareText(a, b);
}

int TStrings::IndexOf(std::string_view text) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), text) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const auto separator = line.find(NameValueSeparator);
        if (separator != std::string::npos && CompareStrings(std::string_view(line).substr(0, separator), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

std::string TStrings::Names(int index) const
{
    const std::string line = Get(index);
    const auto separator = line.find(NameValueSeparator);
    return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::ValueFromIndex(int index) const
{
    const std::string line = Get(index);
    const auto separator = line.find(NameValueSeparator);
    return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

void TStrings::SetValueFromIndex(int index, std::string_view value)
{
    if (value.empty()) {
        Delete(index);
        return;
    }
    Put(index, Names(index) + NameValueSeparator + std::string(value));
}

std::string TStrings::Values(std::string_view name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(std::string_view name, std::string_view value)
{
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string line = std::string(name) + NameValueSeparator + std::string(value);
    if (index < 0)
        Add(line);
    else
        Put(index, line);
}

std::string TStrings::Text() const
{
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(std::string_view text)
{
    TStringsUpdate update(*this);
    Clear();
    for (const std::string_view line : SplitLines(text))
        Add(std::string(line));
}

std::string TStrings::JoinDelimited(char delimiter, char quote, bool strict) const
{
    if (Count() == 1 && Get(0).empty())
        return std::string(2, quote);
    std::string result;
    for (int i = 0; i < Count(); ++i) {
        const std::string item = Get(i);
        bool quoted = false;
        for (char c : item)
            if (c == quote || c == delimiter || c == '\0' || (!strict && IsBlank(c)))
                quoted = true;
        if (i > 0)
            result += delimiter;
        result += quoted ? QuotedStr(item, quote) : item;
    }
    return result;
}

void TStrings::SplitDelimited(std::string_view text, char delimiter, char quote, bool strict)
{
    TStringsUpdate update(*this);
    Clear();
    std::size_t pos = 0;
    auto skipBlanks = [&] {
        if (!strict)
            while (pos < text.size() && IsBlank(text[pos]))
                ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        std::string item;
        if (text[pos] == quote) {
            item = ExtractQuoted(text, pos, quote);
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && text[pos] != delimiter && (strict || !IsBlank(text[pos])))
                ++pos;
            item = std::string(text.substr(start, pos - start));
        }
        Add(item);
        skipBlanks();
        if (pos < text.size() && text[pos] == delimiter) {
            ++pos;
            if (pos == text.size())
                Add(std::string());
            skipBlanks();
        }
    }
}

std::string TStrings::DelimitedText() const
{
    return JoinDelimited(Delimiter, QuoteChar, StrictDelimiter);
}

void TStrings::SetDelimitedText(std::string_view text)
{
    SplitDelimited(text, Delimiter, QuoteChar, StrictDelimiter);
}

std::string TStrings::CommaText() const
{
    return JoinDelimited(',', '"', false);
}

void TStrings::SetCommaText(std::string_view text)
{
    SplitDelimited(text, ',', '"', false);
}

void TStrings::BeginUpdate()
{
    if (updateCount_++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        SetUpdateState(false);
}

bool TStrings::Equals(const TStrings& other) const
{
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

void TStrings::Assign(const TPersistent* source)
{
    if (const auto* strings = dynamic_cast<const TStrings*>(source)) {
        if (strings == this)
            return;
        TStringsUpdate update(*this);
        Clear();
        NameValueSeparator = strings->NameValueSeparator;
        QuoteChar = strings->QuoteChar;
        Delimiter = strings->Delimiter;
        StrictDelimiter = strings->StrictDelimiter;
        AddStrings(*strings);
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::LoadFromStream(TStream& stream)
{
    const std::vector<std::uint8_t> bytes = stream.ReadAll();
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    stream.WriteBuffer(text.data(), std::int64_t(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

} // namespace tovrel
