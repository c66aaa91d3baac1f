#include "platform/rtl/Masks.h"

#include "platform/rtl/Text.h"

#include <string>
#include <vector>

namespace tovrel {
namespace {

constexpr int kMaxStarRuns = 30;

char32_t Fold(char32_t c)
{
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

struct Range {
    char32_t first;
    char32_t last;
};

// One position of the pattern: a run of "*" or one character's test.
struct Token {
    enum class Kind { Star, Any, Literal, Set };

    explicit Token(Kind k, char32_t c = 0) : kind(k), literal(c) {}

    Kind kind;
    char32_t literal;
    std::vector<Range> ranges;
    bool negated = false;

    bool Accepts(char32_t c) const
    {
        switch (kind) {
        case Kind::Any: return true;
        case Kind::Literal: return Fold(c) == literal;
        case Kind::Set: {
            bool inSet = false;
            for (const auto& r : ranges)
                inSet = inSet || (Fold(c) >= r.first && Fold(c) <= r.last);
            return inSet != negated;
        }
        case Kind::Star: break;
        }
        return false;
    }
};

[[noreturn]] void InvalidMask(std::string_view mask, size_t index)
{
    throw EMaskException("'" + std::string(mask) + "' is an invalid mask at (" + std::to_string(index + 1) + ")");
}

std::vector<Token> Compile(std::string_view maskText, bool withSets)
{
    const std::u32string mask = Utf8ToUtf32(maskText);
    std::vector<Token> tokens;
    int starRuns = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char32_t c = mask[i];
        if (c == '*') {
            if (tokens.empty() || tokens.back().kind != Token::Kind::Star) {
                if (++starRuns > kMaxStarRuns)
                    InvalidMask(maskText, i);
                tokens.emplace_back(Token::Kind::Star);
            }
        } else if (c == '?') {
            tokens.emplace_back(Token::Kind::Any);
        } else if (c == '[' && withSets) {
            Token set(Token::Kind::Set);
            ++i;
            if (i < mask.size() && mask[i] == '!') {
                set.negated = true;
                ++i;
            }
            for (; i < mask.size() && mask[i] != ']'; ++i) {
                if (mask[i] == '-')
                    InvalidMask(maskText, i); // a range needs its first character
                Range r{Fold(mask[i]), Fold(mask[i])};
                if (i + 2 < mask.size() && mask[i + 1] == '-' && mask[i + 2] != ']') {
                    r.last = Fold(mask[i + 2]);
                    i += 2;
                }
                set.ranges.push_back(r);
            }
            if (i >= mask.size())
                InvalidMask(maskText, mask.size());
            tokens.push_back(std::move(set));
        } else {
            tokens.emplace_back(Token::Kind::Literal, Fold(c));
        }
    }
    return tokens;
}

// Greedy match that returns to the last "*" on a mismatch; enough because
// every other token takes exactly one character.
bool Match(const std::u32string& name, const std::vector<Token>& tokens)
{
    size_t n = 0, t = 0;
    size_t starToken = std::u32string::npos, starName = 0;
    while (n < name.size()) {
        if (t < tokens.size() && tokens[t].kind == Token::Kind::Star) {
            starToken = t++;
            starName = n;
        } else if (t < tokens.size() && tokens[t].Accepts(name[n])) {
            ++n;
            ++t;
        } else if (starToken != std::u32string::npos) {
            t = starToken + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (t < tokens.size() && tokens[t].kind == Token::Kind::Star)
        ++t;
    return t == tokens.size();
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask)
{
    return Match(Utf8ToUtf32(name), Compile(mask, true));
}

bool MatchesWildcard(std::string_view name, std::string_view mask)
{
    if (mask == "*.*")
        return true;
    return Match(Utf8ToUtf32(name), Compile(mask, false));
}

} // namespace tovrel
