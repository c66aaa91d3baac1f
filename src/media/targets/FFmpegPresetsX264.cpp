#include "media/targets/FFmpegPresetsX264.h"

#include <string_view>

namespace tovrel {

namespace {

struct TFlagWord {
    char Sign; // '+' sets, '-' clears
    std::string Word;
};

// "+a+b-c" (a leading word without a sign is set).
std::vector<TFlagWord> FlagWords(const std::string& value)
{
    std::vector<TFlagWord> words;
    for (std::size_t i = 0; i < value.size();) {
        const char sign = value[i] == '-' ? '-' : '+';
        if (value[i] == '+' || value[i] == '-')
            ++i;
        const std::size_t end = value.find_first_of("+-", i);
        words.push_back({sign, value.substr(i, end == std::string::npos ? std::string::npos : end - i)});
        i = end == std::string::npos ? value.size() : end;
    }
    return words;
}

struct TWordOption {
    std::string_view Word;
    const char* Option;
    const char* On;
    const char* Off;
};

constexpr TWordOption kFlags2Words[] = {
    {"bpyramid", "b-pyramid", "normal", "none"},
    {"mixed_refs", "mixed-refs", "1", "0"},
    {"wpred", "weightb", "1", "0"},
    {"dct8x8", "8x8dct", "1", "0"},
    {"fastpskip", "fast-pskip", "1", "0"},
    {"mbtree", "mbtree", "1", "0"},
};

constexpr std::pair<std::string_view, const char*> kPartitionWords[] = {
    {"parti8x8", "i8x8"}, {"parti4x4", "i4x4"}, {"partp8x8", "p8x8"}, {"partp4x4", "p4x4"}, {"partb8x8", "b8x8"},
};

std::vector<TPresetOption> Flags2(const std::string& value)
{
    std::vector<TPresetOption> options;
    std::string rest;
    for (const TFlagWord& flag : FlagWords(value)) {
        const TWordOption* known = nullptr;
        for (const TWordOption& candidate : kFlags2Words)
            if (candidate.Word == flag.Word)
                known = &candidate;
        if (known)
            options.push_back({known->Option, flag.Sign == '+' ? known->On : known->Off});
        else
            rest += flag.Sign + flag.Word;
    }
    if (!rest.empty())
        options.insert(options.begin(), {"flags2", rest});
    return options;
}

// The words set, as the encoder's list; the old words cleared are simply absent.
std::vector<TPresetOption> Partitions(const std::string& value)
{
    std::string list;
    for (const TFlagWord& flag : FlagWords(value)) {
        const char* partition = nullptr;
        for (const auto& [word, name] : kPartitionWords)
            if (word == flag.Word)
                partition = name;
        if (!partition)
            return {{"partitions", value}};
        if (flag.Sign == '+')
            list += (list.empty() ? "" : ",") + std::string(partition);
    }
    return {{"partitions", list.empty() ? "none" : list}};
}

std::vector<TPresetOption> Flags(const std::string& value)
{
    std::vector<TPresetOption> options{{"flags", value}};
    for (const TFlagWord& flag : FlagWords(value))
        if (flag.Word == "loop")
            options.push_back({"deblock", flag.Sign == '+' ? "true" : "false"});
    return options;
}

} // namespace

std::vector<TPresetOption> TranslatePresetOption(const std::string& key, const std::string& value)
{
    if (key == "directpred")
        return {{"direct-pred", value}};
    if (key == "cqp")
        return {{"qp", value}};
    if (key == "partitions" && (value.starts_with('+') || value.starts_with('-')))
        return Partitions(value);
    if (key == "flags2")
        return Flags2(value);
    if (key == "flags")
        return Flags(value);
    return {{key, value}};
}

} // namespace tovrel
