#include "scaledata/NutritionPanel.h"

#include "db/text/Bcd.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace varnel {
namespace {

constexpr std::size_t kCutServe = 4;
constexpr std::size_t kCutExtra = 14;
constexpr std::size_t kServeContPadded = 6;
constexpr std::size_t kFamily7Prefix = 6;

struct PanelLine {
    std::string_view label;  // 21 characters: the values start after it
    std::size_t nutrient;
};
// The nutrient lines after the energy, in the order they are printed.
constexpr std::array<PanelLine, 6> kNutrientLines{{
    {"PROTEIN              ", PanelProtein},
    {"FAT, TOTAL           ", PanelTotalFat},
    {"  - SATURATED        ", PanelSaturatedFat},
    {"CARBOHYDRATE, TOTAL  ", PanelCarbohydrate},
    {"  - SUGARS           ", PanelSugars},
    {"SODIUM               ", PanelSodium},
}};

bool IsCsvFamily(std::uint16_t family) { return family >= 9 && family <= 12; }

std::string Cut(std::string_view text, std::size_t length) { return std::string(text.substr(0, std::min(text.size(), length))); }
std::string RightAligned(std::string_view text, std::size_t width)
{
    const std::string cut = Cut(text, width);
    return std::string(width - cut.size(), ' ') + cut;
}
std::string LeftAligned(std::string_view text, std::size_t width)
{
    std::string cut = Cut(text, width);
    return cut.append(width - cut.size(), ' ');
}
std::string_view UnitText(std::uint8_t flag) { return flag == 1 ? "g " : "mg"; }

const PanelNutrient& NutrientOf(const PanelNutrition& panel, std::size_t number) { return panel.nutrients[number - 1]; }

// "<serve> <unit> <100 g> <unit>" after a 21-character label.
std::string ValuesLine(std::string_view label, const PanelNutrient& nutrient)
{
    return std::string(label) + RightAligned(nutrient.perServe, 5) + ' ' + std::string(UnitText(nutrient.unitServe)) + ' ' +
           RightAligned(nutrient.per100, 5) + ' ' + std::string(UnitText(nutrient.unit100));
}

std::vector<std::string> PanelLines(const PanelNutrition& panel)
{
    const std::string cont = Cut(panel.serveCont, kCutServe);
    const PanelNutrient& energy = NutrientOf(panel, PanelEnergy);
    std::vector<std::string> lines{
        "        NUTRITIONAL INFORMATION",
        "SERVES/PACK " + cont + std::string(kServeContPadded - cont.size(), ' ') + " SERVE SIZE " +
            Cut(panel.serveSize, kCutServe) + " g",
        "                   QTY/SERVE  QTY/100g",
        "ENERGY               " + RightAligned(energy.perServe, 5) + " kJ " + RightAligned(energy.per100, 5) + " kJ",
    };
    for (const PanelLine& line : kNutrientLines) lines.push_back(ValuesLine(line.label, NutrientOf(panel, line.nutrient)));
    if (!panel.extra1.empty())
        lines.push_back(ValuesLine(LeftAligned(panel.extra1, kCutExtra) + "       ", NutrientOf(panel, PanelExtra)));
    return lines;
}

std::string Prefix(std::uint16_t family, std::uint32_t key)
{
    if (IsCsvFamily(family)) return std::to_string(key) + ",\"";
    if (family == 3) return {};
    if (family == 7) {
        std::string prefix(kFamily7Prefix, '\0');
        (void)PackBcd(std::span(reinterpret_cast<std::uint8_t*>(prefix.data()), 3), key, 6);
        return prefix;
    }
    std::array<char, 16> digits{};
    std::snprintf(digits.data(), digits.size(), "%06lu", static_cast<unsigned long>(key));
    return (family == 0 ? "6002" : "60") + std::string(digits.data());
}

std::string LineStart(std::uint16_t family, char fontCode)
{
    if (IsCsvFamily(family)) return "\\x0D\\x01";
    if (family == 7) return std::string{'\x0D', '\x01'};
    return std::string{'\x1B', 'C', fontCode};
}

// A line of a quoted field keeps its double quotes doubled.
std::string Quoted(std::string_view line)
{
    std::string out;
    for (const char c : line) {
        out += c;
        if (c == '"') out += '"';
    }
    return out;
}

std::string Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The characters of a line at `at`, as far as it goes.
std::string_view Slice(std::string_view line, std::size_t at, std::size_t count)
{
    return at < line.size() ? line.substr(at, count) : std::string_view{};
}

// The fields of one line, by its place in the panel (0 the title); the offsets count from the line's
// text.
void ReadLine(PanelNutrition& panel, std::size_t index, std::string_view line, bool unitByFirstLetter)
{
    constexpr std::size_t kServe = 21, kServeUnit = 27, kPer100 = 30, kPer100Unit = 36, kValue = 5;
    const auto isMilligrams = [&](std::string_view unit) {
        return unitByFirstLetter ? unit.starts_with("m") : unit.starts_with("mg");
    };
    const auto readValues = [&](PanelNutrient& nutrient) {
        nutrient.perServe = Trimmed(Slice(line, kServe, kValue));
        nutrient.per100 = Trimmed(Slice(line, kPer100, kValue));
        nutrient.unitServe = isMilligrams(Slice(line, kServeUnit, 2)) ? 0 : 1;
        nutrient.unit100 = isMilligrams(Slice(line, kPer100Unit, 2)) ? 0 : 1;
    };
    if (index == 3) {
        PanelNutrient& energy = panel.nutrients[PanelEnergy - 1];
        energy.perServe = Trimmed(Slice(line, kServe, kValue));
        energy.per100 = Trimmed(Slice(line, kPer100, kValue));
        return;
    }
    if (index >= 4 && index < 4 + kNutrientLines.size()) return readValues(panel.nutrients[kNutrientLines[index - 4].nutrient - 1]);
    if (index == 4 + kNutrientLines.size()) {
        panel.extra1 = Trimmed(Slice(line, 0, kCutExtra));
        readValues(panel.nutrients[PanelExtra - 1]);
    }
}

// Where the escape "\xHH" stands at `at` of the text, its length (4); else 0.
std::size_t EscapeAt(std::string_view text, std::size_t at)
{
    if (at + 4 > text.size() || text[at] != '\\' || (text[at + 1] != 'x' && text[at + 1] != 'X')) return 0;
    return std::isxdigit(static_cast<unsigned char>(text[at + 2])) && std::isxdigit(static_cast<unsigned char>(text[at + 3])) ? 4 : 0;
}
bool IsLineStart(std::string_view text, std::size_t at)
{
    return EscapeAt(text, at) != 0 && text[at + 2] == '0' && (text[at + 3] == 'D' || text[at + 3] == 'd');
}

}  // namespace

std::size_t NutritionPanelPrefixLength(std::uint16_t family, std::uint32_t key) { return Prefix(family, key).size(); }

std::string BuildNutritionPanel(std::uint16_t family, std::uint32_t key, const PanelNutrition& panel,
                                std::size_t capacity, char fontCode)
{
    std::string out = Prefix(family, key);
    if (out.size() > capacity) return {};
    const std::string start = LineStart(family, fontCode);
    for (const std::string& line : PanelLines(panel)) {
        const std::string text = start + (IsCsvFamily(family) ? Quoted(line) : line);
        if (text.size() <= capacity - out.size()) out += text;
    }
    if (IsCsvFamily(family) && capacity - out.size() >= 2) out += "\",";
    if (family == 7) {
        if (out.size() % 2 != 0 && out.size() < capacity) out += '\0';
        StoreBe16(reinterpret_cast<std::uint8_t*>(out.data()) + 4, static_cast<std::uint16_t>(out.size() - kFamily7Prefix));
    }
    return out;
}

PanelNutrition ReadNutritionPanelLines(std::span<const std::uint8_t> text)
{
    constexpr std::size_t kServeCont = 50, kServeSize = 67, kEnergy = 138 - 21, kFirstLine = 158, kLineStep = 42;
    const std::string_view all(reinterpret_cast<const char*>(text.data()), text.size());
    PanelNutrition panel;
    panel.serveCont = Trimmed(Slice(all, kServeCont, kCutServe));
    panel.serveSize = Trimmed(Slice(all, kServeSize, kCutServe));
    ReadLine(panel, 3, Slice(all, kEnergy, kLineStep), false);
    for (std::size_t i = 0; i <= kNutrientLines.size(); ++i)
        ReadLine(panel, 4 + i, Slice(all, kFirstLine + i * kLineStep, kLineStep), false);
    return panel;
}

std::optional<PanelNutrition> ReadNutritionPanelCsv(std::string_view text)
{
    constexpr std::size_t kShortest = 10, kServeCont = 12, kServeSizeAt = 29, kLongestSize = 9;
    if (text.size() < kShortest) return std::nullopt;
    // The lines' texts, each after its line start and the escape that may follow it.
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        if (!IsLineStart(text, at)) {
            ++at;
            continue;
        }
        std::size_t begin = at + 4;
        begin += EscapeAt(text, begin);
        std::size_t end = begin;
        while (end < text.size() && !IsLineStart(text, end)) ++end;
        lines.push_back(text.substr(begin, end - begin));
        at = end;
    }
    PanelNutrition panel;
    if (lines.size() > 1) {
        const std::string_view serves = lines[1];
        panel.serveCont = Trimmed(Slice(serves, kServeCont, kCutServe));
        const std::string_view rest = Slice(serves, kServeSizeAt, std::string_view::npos);
        const std::string size = Trimmed(rest.substr(0, rest.find('g')));
        if (!size.empty() && size.size() <= kLongestSize && rest.find('g') != std::string_view::npos) panel.serveSize = Cut(size, 15);
    }
    for (std::size_t i = 3; i < lines.size(); ++i) ReadLine(panel, i, lines[i], true);
    return panel;
}

}  // namespace varnel
