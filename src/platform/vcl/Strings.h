#pragma once
// TStrings: the framework's abstract list of text lines with attached objects,
// and everything built on Get/Put/Insert/Delete: Text (CRLF out; CR, LF or CRLF
// in), name=value pairs, comma and delimited text, search, files and streams.
#include "platform/vcl/Object.h"

#include <string>
#include <string_view>

namespace tovrel {

class TStream;

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& text);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void InsertObject(int index, const std::string& text, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& text);
    virtual int AddObject(const std::string& text, TObject* object);
    void Append(const std::string& text) { Add(text); }
    void AddStrings(const TStrings& strings);
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    std::string Strings(int index) const { return Get(index); }
    void SetStrings(int index, const std::string& text) { Put(index, text); }
    std::string operator[](int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void SetObjects(int index, TObject* object) { PutObject(index, object); }

    virtual int IndexOf(std::string_view text) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* object) const;

    // Name and value of "name=value" lines (NameValueSeparator); a line without
    // the separator has an empty name.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, std::string_view value);
    std::string Values(std::string_view name) const;
    // An empty value removes the line.
    void SetValues(std::string_view name, std::string_view value);

    std::string Text() const;
    virtual void SetText(std::string_view text);
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);

    char Delimiter = ',';
    char QuoteChar = '"';
    char NameValueSeparator = '=';
    bool StrictDelimiter = false;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    bool Equals(const TStrings& other) const;
    void Assign(const TPersistent* source) override;

    // A UTF-8 byte-order mark is skipped when reading; writing gives Text().
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

protected:
    virtual void SetUpdateState(bool /*updating*/) {}
    // Comparison used by IndexOf and IndexOfName: ASCII case-insensitive here.
    virtual int CompareStrings(std::string_view a, std::string_view b) const;
    void CheckIndex(int index) const;

private:
    std::string JoinDelimited(char delimiter, char quote, bool strict) const;
    void SplitDelimited(std::string_view text, char delimiter, char quote, bool strict);

    int updateCount_ = 0;
};

// BeginUpdate for the lifetime of the object.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
    ~TStringsUpdate() { strings_.EndUpdate(); }
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStrings& strings_;
};

// "text" with QuoteChar around it and inside quotes doubled.
std::string QuotedStr(std::string_view text, char quote);

} // namespace tovrel
