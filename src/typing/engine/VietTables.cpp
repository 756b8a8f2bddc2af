#include "typing/engine/VietTables.hpp"

#include "typing/engine/VietText.hpp"

#include <vector>

namespace zentrel::typing {

const std::map<char32_t, ToneForms>& toneTable() {
    static const std::map<char32_t, ToneForms> table = {
        {U'a', {U'a', U'á', U'à', U'ả', U'ã', U'ạ'}}, {U'â', {U'â', U'ấ', U'ầ', U'ẩ', U'ẫ', U'ậ'}},
        {U'ă', {U'ă', U'ắ', U'ằ', U'ẳ', U'ẵ', U'ặ'}}, {U'e', {U'e', U'é', U'è', U'ẻ', U'ẽ', U'ẹ'}},
        {U'ê', {U'ê', U'ế', U'ề', U'ể', U'ễ', U'ệ'}}, {U'i', {U'i', U'í', U'ì', U'ỉ', U'ĩ', U'ị'}},
        {U'o', {U'o', U'ó', U'ò', U'ỏ', U'õ', U'ọ'}}, {U'ô', {U'ô', U'ố', U'ồ', U'ổ', U'ỗ', U'ộ'}},
        {U'ơ', {U'ơ', U'ớ', U'ờ', U'ở', U'ỡ', U'ợ'}}, {U'u', {U'u', U'ú', U'ù', U'ủ', U'ũ', U'ụ'}},
        {U'ư', {U'ư', U'ứ', U'ừ', U'ử', U'ữ', U'ự'}}, {U'y', {U'y', U'ý', U'ỳ', U'ỷ', U'ỹ', U'ỵ'}},
    };
    return table;
}

const std::map<char32_t, Decomposed>& charDecompose() {
    static const auto table = [] {
        std::map<char32_t, Decomposed> built;
        for (const auto& [base, forms] : toneTable()) {
            for (int tone = 0; tone < 6; ++tone) built.emplace(forms[static_cast<std::size_t>(tone)], Decomposed{base, tone});
        }
        return built;
    }();
    return table;
}

namespace {

// Every character below this (the Latin blocks that hold all Vietnamese
// letters) is looked up in a flat table, since the engine asks per key.
constexpr char32_t kFlatLimit = 0x1F00;

const std::vector<Decomposed>& flatDecompose() {
    static const auto table = [] {
        std::vector<Decomposed> built(kFlatLimit);
        for (char32_t c = 0; c < kFlatLimit; ++c) built[c] = {lowerCased(c), 0};
        for (const auto& [form, entry] : charDecompose()) {
            built[form] = entry;
            if (const auto upper = upperCased(form); upper < kFlatLimit) built[upper] = entry;
        }
        return built;
    }();
    return table;
}

}  // namespace

Decomposed decompose(char32_t c) {
    if (c < kFlatLimit) return flatDecompose()[c];
    return {lowerCased(c), 0};
}

char32_t baseLetter(char32_t c) { return decompose(c).base; }

std::optional<char32_t> toneForm(char32_t base, int tone) {
    const auto& table = toneTable();
    const auto found = table.find(base);
    if (found == table.end() || tone < 0 || tone > 5) return std::nullopt;
    return found->second[static_cast<std::size_t>(tone)];
}

bool isModifiedVowel(char32_t base) { return modifiedVowels.find(base) != std::u32string_view::npos; }

bool isVowel(char32_t c) { return allBaseVowels.find(baseLetter(c)) != std::u32string_view::npos; }

bool isVietnameseMark(char32_t c) {
    const auto lower = lowerCased(c);
    if (lower == U'đ') return true;
    const auto [base, tone] = decompose(lower);
    return isModifiedVowel(base) || tone >= 1;
}

const std::map<char32_t, int>& telexTones() {
    static const std::map<char32_t, int> table = {{U's', 1}, {U'f', 2}, {U'r', 3}, {U'x', 4}, {U'j', 5}};
    return table;
}

const std::map<char32_t, int>& vniTones() {
    static const std::map<char32_t, int> table = {{U'1', 1}, {U'2', 2}, {U'3', 3}, {U'4', 4}, {U'5', 5}};
    return table;
}

const std::map<char32_t, int>& viqrTones() {
    static const std::map<char32_t, int> table = {{U'\'', 1}, {U'`', 2}, {U'?', 3}, {U'~', 4}, {U'.', 5}};
    return table;
}

const std::map<char32_t, int>& toneKeys(VietInputMethod method) {
    switch (method) {
    case VietInputMethod::telex: return telexTones();
    case VietInputMethod::vni: return vniTones();
    case VietInputMethod::viqr: return viqrTones();
    }
    return telexTones();
}

const MarkTable& telexModifiers() {
    static const MarkTable table = {
        {{U'a', U'a'}, U'â'}, {{U'â', U'a'}, U'a'}, {{U'a', U'w'}, U'ă'}, {{U'ă', U'w'}, U'a'},
        {{U'e', U'e'}, U'ê'}, {{U'ê', U'e'}, U'e'}, {{U'o', U'o'}, U'ô'}, {{U'ô', U'o'}, U'o'},
        {{U'o', U'w'}, U'ơ'}, {{U'ơ', U'w'}, U'o'}, {{U'u', U'w'}, U'ư'}, {{U'ư', U'w'}, U'u'},
    };
    return table;
}

const MarkTable& vniModifiers() {
    static const MarkTable table = {
        {{U'a', U'6'}, U'â'}, {{U'â', U'6'}, U'a'}, {{U'a', U'8'}, U'ă'}, {{U'ă', U'8'}, U'a'},
        {{U'e', U'6'}, U'ê'}, {{U'ê', U'6'}, U'e'}, {{U'o', U'6'}, U'ô'}, {{U'ô', U'6'}, U'o'},
        {{U'o', U'7'}, U'ơ'}, {{U'ơ', U'7'}, U'o'}, {{U'u', U'7'}, U'ư'}, {{U'ư', U'7'}, U'u'},
        {{U'd', U'9'}, U'đ'}, {{U'đ', U'9'}, U'd'},
    };
    return table;
}

const MarkTable& viqrModifiers() {
    static const MarkTable table = {
        {{U'a', U'^'}, U'â'}, {{U'â', U'^'}, U'a'}, {{U'a', U'('}, U'ă'}, {{U'ă', U'('}, U'a'},
        {{U'e', U'^'}, U'ê'}, {{U'ê', U'^'}, U'e'}, {{U'o', U'^'}, U'ô'}, {{U'ô', U'^'}, U'o'},
        {{U'o', U'+'}, U'ơ'}, {{U'ơ', U'+'}, U'o'}, {{U'u', U'+'}, U'ư'}, {{U'ư', U'+'}, U'u'},
    };
    return table;
}

const MarkTable& markTable(VietInputMethod method) {
    switch (method) {
    case VietInputMethod::telex: return telexModifiers();
    case VietInputMethod::vni: return vniModifiers();
    case VietInputMethod::viqr: return viqrModifiers();
    }
    return telexModifiers();
}

std::optional<std::u32string_view> quickTelexPair(char32_t first, char32_t second) {
    if (first != second) return std::nullopt;
    switch (first) {
    case U'c': return U"ch";
    case U'g': return U"gi";
    case U'k': return U"kh";
    case U'n': return U"ng";
    case U'p': return U"ph";
    case U'q': return U"qu";
    case U't': return U"th";
    default: return std::nullopt;
    }
}

std::optional<std::u32string_view> startShortcut(char32_t key) {
    switch (key) {
    case U'f': return U"ph";
    case U'j': return U"gi";
    case U'w': return U"qu";
    default: return std::nullopt;
    }
}

std::optional<std::u32string_view> afterVowelShortcut(char32_t key) {
    switch (key) {
    case U'g': return U"ng";
    case U'h': return U"nh";
    case U'k': return U"ch";
    default: return std::nullopt;
    }
}

bool isWordBreaker(char32_t c) { return wordBreakers.find(c) != std::u32string_view::npos; }

}  // namespace zentrel::typing
