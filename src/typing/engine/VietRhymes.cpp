#include "typing/engine/VietRhymes.hpp"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zentrel::typing::VietRhymes {
namespace {

// Each vowel group with the finals it takes; "-" is no final.
struct Group {
    std::u32string_view vowels;
    std::u32string_view finals;
};

constexpr Group kGroups[] = {
    {U"a", U"- c ch m n ng nh p t"}, {U"ai", U"-"},  {U"ao", U"-"},  {U"au", U"-"},  {U"ay", U"-"},
    {U"ă", U"c m n ng p t"},         {U"â", U"c m n ng p t"},       {U"âu", U"-"},  {U"ây", U"-"},
    {U"e", U"- c m n ng p t"},       {U"eo", U"-"},  {U"ê", U"- ch m n nh p t"},    {U"êu", U"-"},
    {U"i", U"- ch m n nh p t"},      {U"ia", U"-"},  {U"iu", U"-"},  {U"iê", U"c m n ng p t"},
    {U"iêu", U"-"},                  {U"o", U"- c m n ng p t"},     {U"oi", U"-"},
    {U"oa", U"- c ch m n ng nh p t"}, {U"oai", U"-"}, {U"oao", U"-"}, {U"oay", U"-"},
    {U"oă", U"c m n ng t"},          {U"oe", U"- n t"},             {U"oeo", U"-"}, {U"oo", U"c ng"},
    {U"ô", U"- c m n ng p t"},       {U"ôi", U"-"},  {U"ơ", U"- m n p t"},          {U"ơi", U"-"},
    {U"u", U"- c m n ng p t"},       {U"ua", U"-"},  {U"ui", U"-"},  {U"uâ", U"n ng t"},
    {U"uây", U"-"},                  {U"uê", U"- ch nh"},           {U"uô", U"c m n ng t"},
    {U"uôi", U"-"},                  {U"uơ", U"-"},  {U"uy", U"- ch n nh t"},       {U"uya", U"-"},
    {U"uyu", U"-"},                  {U"uyê", U"n t"},              {U"ư", U"- c m n ng t"},
    {U"ưa", U"-"},                   {U"ưi", U"-"},  {U"ưu", U"-"},  {U"ươ", U"c m n ng p t"},
    {U"ươi", U"-"},                  {U"ươu", U"-"}, {U"y", U"- nh t"},             {U"yê", U"m n ng t"},
    {U"yêu", U"-"},
};

constexpr std::size_t kLongestRhyme = 4;

// A letter as six bits: a to z, then â ă ê ô ơ ư; 0 for anything else.
std::uint64_t letterCode(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - U'a' + 1;
    constexpr std::u32string_view marked = U"âăêôơư";
    const auto at = marked.find(c);
    return at == std::u32string_view::npos ? 0 : 27 + at;
}

// The text as one number, or none when it is too long or holds another character.
std::uint64_t encoded(std::u32string_view text) {
    if (text.empty() || text.size() > kLongestRhyme) return 0;
    std::uint64_t key = 0;
    for (char32_t c : text) {
        const auto code = letterCode(c);
        if (code == 0) return 0;
        key = (key << 6) | code;
    }
    return key;
}

char32_t plainVowel(char32_t c) {
    switch (c) {
    case U'â':
    case U'ă': return U'a';
    case U'ê': return U'e';
    case U'ô':
    case U'ơ': return U'o';
    case U'ư': return U'u';
    default: return c;
    }
}

std::vector<std::u32string> allRhymes() {
    std::vector<std::u32string> rhymes;
    for (const auto& group : kGroups) {
        for (std::size_t start = 0; start < group.finals.size();) {
            auto end = group.finals.find(U' ', start);
            if (end == std::u32string_view::npos) end = group.finals.size();
            const auto final = group.finals.substr(start, end - start);
            rhymes.push_back(std::u32string(group.vowels) + (final == U"-" ? U"" : std::u32string(final)));
            start = end + 1;
        }
    }
    return rhymes;
}

std::vector<std::uint64_t> sortedUnique(std::vector<std::uint64_t> keys) {
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

const std::vector<std::uint64_t>& wholeRhymes() {
    static const auto table = [] {
        std::vector<std::uint64_t> keys;
        for (const auto& rhyme : allRhymes()) keys.push_back(encoded(rhyme));
        return sortedUnique(std::move(keys));
    }();
    return table;
}

// Every start of every rhyme, with each marked vowel also in its plain form.
const std::vector<std::uint64_t>& rhymeStarts() {
    static const auto table = [] {
        std::vector<std::uint64_t> keys;
        for (const auto& rhyme : allRhymes()) {
            for (std::size_t length = 1; length <= rhyme.size(); ++length) {
                const auto start = rhyme.substr(0, length);
                std::vector<std::size_t> marked;
                for (std::size_t i = 0; i < start.size(); ++i) {
                    if (plainVowel(start[i]) != start[i]) marked.push_back(i);
                }
                for (std::size_t mask = 0; mask < (std::size_t{1} << marked.size()); ++mask) {
                    auto variant = start;
                    for (std::size_t bit = 0; bit < marked.size(); ++bit) {
                        if ((mask >> bit) & 1) variant[marked[bit]] = plainVowel(variant[marked[bit]]);
                    }
                    keys.push_back(encoded(variant));
                }
            }
        }
        return sortedUnique(std::move(keys));
    }();
    return table;
}

bool holds(const std::vector<std::uint64_t>& table, std::uint64_t key) {
    return key != 0 && std::binary_search(table.begin(), table.end(), key);
}

}  // namespace

bool isRhyme(std::u32string_view rhyme) { return holds(wholeRhymes(), encoded(rhyme)); }

bool canBecomeRhyme(std::u32string_view start) { return holds(rhymeStarts(), encoded(start)); }

}  // namespace zentrel::typing::VietRhymes
