#include "media/targets/FFmpegTargetsData.h"

#include "embedded/media_tables.h"
#include "media/loader/FFmpegLogger.h"

#include <map>
#include <mutex>

namespace tovrel {

namespace {

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
        pieces.emplace_back(text.substr(start, end - start));
    pieces.emplace_back(text.substr(start));
    return pieces;
}

} // namespace

std::size_t TMediaTable::Column(std::string_view name) const
{
    for (std::size_t i = 0; i < Header.size(); ++i)
        if (Header[i] == name)
            return i;
    throw EAssertionFailed("media table has no column " + std::string(name));
}

TMediaTable ParseMediaTable(std::string_view text, std::string_view source)
{
    TMediaTable table;
    for (std::string line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::vector<std::string> fields = Split(line, '\t');
        if (table.Header.empty())
            table.Header = std::move(fields);
        else if (fields.size() != table.Header.size())
            throw EAssertionFailed(std::string(source) + ": row " + std::to_string(table.Rows.size() + 1) +
                                   " is not as wide as the header");
        else
            table.Rows.push_back(std::move(fields));
    }
    return table;
}

const TMediaTable& EmbeddedMediaTable(std::string_view fileName)
{
    static std::mutex lock;
    static std::map<std::string, TMediaTable, std::less<>> tables;
    std::lock_guard guard(lock);
    if (auto found = tables.find(fileName); found != tables.end())
        return found->second;
    const std::optional<std::string_view> text = embedded::media_tables::Find(fileName);
    if (!text)
        throw EAssertionFailed("no embedded media table " + std::string(fileName));
    return tables.emplace(std::string(fileName), ParseMediaTable(*text, fileName)).first->second;
}

} // namespace tovrel
