// Sorting the PLU list. Each PLU's key is made once into a block of bytes whose byte order is the
// list's order, and the PLUs are sorted by a radix sort on those bytes that keeps equal keys in the
// order they were listed, as a stable sort does.
#include "pluedit/PluListOrder.h"

#include "db/plu/PluDefRec.h"
#include "db/store/DBKeyIndex.h"
#include "db/store/ObjDBTable.h"
#include "db/text/DoubleByteText.h"
#include "platform/ByteOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <tuple>
#include <typeinfo>

namespace varnel {
namespace {

// Letters of one-byte characters changed to one case, double-byte characters left whole; the
// tables are made once for a whole sort.
class LetterFolding {
public:
    LetterFolding(const CharRule& chars, bool upper)
    {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const char pair[] = {static_cast<char>(byte), 'A'};
            m_lead[byte] = GetCharLength(std::string_view(pair, 2), chars) == 2;
            const bool letter = upper ? byte >= 'a' && byte <= 'z' : byte >= 'A' && byte <= 'Z';
            m_folded[byte] = static_cast<std::uint8_t>(letter ? byte ^ 0x20u : byte);
        }
    }

    bool HasLeadBytes() const { return std::find(m_lead.begin(), m_lead.end(), true) != m_lead.end(); }

    // Writes the text's bytes, folded, to `out` (at most `room`); returns how many it wrote.
    std::size_t Fold(std::string_view text, std::uint8_t* out, std::size_t room) const
    {
        std::size_t written = 0;
        for (std::size_t p = 0; p < text.size() && written < room; ++p) {
            const auto byte = static_cast<std::uint8_t>(text[p]);
            if (m_lead[byte] && p + 1 < text.size()) {
                out[written++] = byte;
                if (written < room) out[written++] = static_cast<std::uint8_t>(text[++p]);
            } else {
                out[written++] = m_folded[byte];
            }
        }
        return written;
    }

private:
    std::array<bool, 256> m_lead{};
    std::array<std::uint8_t, 256> m_folded{};
};

// A sort key of `Words` 64-bit words holding its bytes from the most significant end, so that
// comparing the words as numbers compares the bytes as unsigned; and where the PLU stood in the list.
template <std::size_t Words>
struct SortEntry {
    static constexpr std::size_t kBytes = Words * 8;
    std::array<std::uint64_t, Words> words{};
    std::uint32_t placeInList = 0;

    void Pack(const std::array<std::uint8_t, kBytes>& bytes)
    {
        for (std::size_t w = 0; w < Words; ++w)
            words[w] = std::uint64_t{LoadBe32(&bytes[w * 8])} << 32 | LoadBe32(&bytes[w * 8 + 4]);
    }
    std::uint8_t Byte(std::size_t at) const { return static_cast<std::uint8_t>(words[at / 8] >> (56 - 8 * (at % 8))); }
    bool operator<(const SortEntry& other) const
    {
        // Equal keys keep their order in the list.
        return std::tie(words, placeInList) < std::tie(other.words, other.placeInList);
    }
};

// The eight bytes of the word with the capitals A to Z made small letters.
std::uint64_t LowerCaseAscii(std::uint64_t word)
{
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    const std::uint64_t low7 = word & (0x7F * kEach);
    // Each sum stays within its byte; its top bit tells whether the byte's low 7 bits reach the bound.
    const std::uint64_t pastZ = low7 + (0x80 - ('Z' + 1)) * kEach;
    const std::uint64_t fromA = low7 + (0x80 - 'A') * kEach;
    const std::uint64_t capital = fromA & ~pastZ & ~word & (0x80 * kEach);
    return word | capital >> 2;
}

// A POS code's length, then its bytes (at most 13).
using PosCodeEntry = SortEntry<2>;
// A name's bytes (at most 29).
using NameEntry = SortEntry<4>;

void MakePosCodeKey(const CPluDefRec& row, PosCodeEntry& entry)
{
    const std::string_view code = TrimPosCode(row.Get(PluCol::PosCode));
    std::array<std::uint8_t, PosCodeEntry::kBytes> bytes{};
    const std::size_t length = std::min(code.size(), bytes.size() - 1);
    bytes[0] = static_cast<std::uint8_t>(length);
    std::copy_n(code.begin(), length, bytes.begin() + 1);
    entry.Pack(bytes);
}

// The PLU row at a position of the table; null past its end, and for a row of another kind, which no
// PLU table holds.
const CPluDefRec* PluAt(const CDBKeyIndex& index, std::size_t position)
{
    if (position >= index.GetCount()) return nullptr;
    const CDBRecord* record = index.begin()[position].record.get();
    // A type comparison costs a fraction of a cast, and a sort makes one for every PLU.
    return record && typeid(*record) == typeid(CPluDefRec) ? static_cast<const CPluDefRec*>(record) : nullptr;
}

// The first key byte in which the entries differ; the key's length when they share the whole key.
template <class Entry>
std::size_t FirstDifferingByte(const Entry* first, const Entry* last)
{
    decltype(Entry::words) differ{};
    for (const Entry* entry = first; entry != last; ++entry)
        for (std::size_t w = 0; w < differ.size(); ++w) differ[w] |= entry->words[w] ^ first->words[w];
    for (std::size_t w = 0; w < differ.size(); ++w)
        if (differ[w] != 0) return w * 8 + static_cast<std::size_t>(std::countl_zero(differ[w])) / 8;
    return Entry::kBytes;
}

// Sorts the `count` entries at `from`, which stand in list order, by key, most significant byte
// first, into `from` itself or (with `intoOther`) into the same places of `other`, which is scratch
// room otherwise. The first byte in which the entries differ deals them into 256 runs in `other`,
// each in the order the entries came (so equal keys keep list order), and each run is sorted the same
// way back; short runs end with a comparison sort.
template <class Entry>
void RadixSort(Entry* from, Entry* other, std::size_t count, bool intoOther)
{
    constexpr std::size_t kShortRun = 32;
    const std::size_t byte = count <= kShortRun ? 0 : FirstDifferingByte(from, from + count);
    if (count <= kShortRun || byte == Entry::kBytes) {
        Entry* result = intoOther ? std::copy_n(from, count, other) - count : from;
        // A run of one key is in list order already.
        if (byte != Entry::kBytes) std::sort(result, result + count);
        return;
    }
    std::array<std::size_t, 257> starts{};
    for (const Entry* entry = from; entry != from + count; ++entry) ++starts[entry->Byte(byte) + 1u];
    for (std::size_t value = 1; value < starts.size(); ++value) starts[value] += starts[value - 1];
    std::array<std::size_t, 257> next = starts;
    for (const Entry* entry = from; entry != from + count; ++entry) other[next[entry->Byte(byte)]++] = *entry;
    for (std::size_t value = 0; value < 256; ++value)
        if (const std::size_t run = starts[value + 1] - starts[value]; run > 0)
            RadixSort(other + starts[value], from + starts[value], run, !intoOther);
}

template <class Entry, class MakeKey>
void SortByKey(const CObjDBTable& plus, std::vector<std::size_t>& positions, MakeKey makeKey)
{
    // Rows lie apart in memory: asking for the rows a few places ahead lets their reads overlap.
    constexpr std::size_t kAhead = 8;
    const CDBKeyIndex& index = plus.GetIndex();
    std::vector<Entry> entries(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (i + 2 * kAhead < positions.size() && positions[i + 2 * kAhead] < index.GetCount())
            __builtin_prefetch(index.begin()[positions[i + 2 * kAhead]].record.get());
        if (i + kAhead < positions.size())
            if (const CPluDefRec* ahead = PluAt(index, positions[i + kAhead])) __builtin_prefetch(ahead->Bytes().data());
        Entry& entry = entries[i];
        entry.placeInList = static_cast<std::uint32_t>(i);
        if (const CPluDefRec* row = PluAt(index, positions[i])) makeKey(*row, entry);
        else entry.words.fill(~std::uint64_t{0});  // gone from the table: last
    }
    std::vector<Entry> scratch(entries.size());
    RadixSort(entries.data(), scratch.data(), entries.size(), false);
    std::vector<std::size_t> sorted(positions.size());
    for (std::size_t i = 0; i < entries.size(); ++i) sorted[i] = positions[entries[i].placeInList];
    positions = std::move(sorted);
}

}  // namespace

std::string UpperCaseText(std::string_view text, const CharRule& chars)
{
    std::string upper(text.size(), '\0');
    upper.resize(LetterFolding(chars, true).Fold(text, reinterpret_cast<std::uint8_t*>(upper.data()), upper.size()));
    return upper;
}

std::string_view TrimPosCode(std::string_view posCode)
{
    const std::size_t first = posCode.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : posCode.substr(first);
}

bool PosCodeBefore(std::string_view a, std::string_view b)
{
    // char_traits<char> compares bytes as unsigned, as memcmp does.
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

void SortByPosCode(const CObjDBTable& plus, std::vector<std::size_t>& positions)
{
    SortByKey<PosCodeEntry>(plus, positions, MakePosCodeKey);
}

void SortByName(const CObjDBTable& plus, std::vector<std::size_t>& positions, const CharRule& chars)
{
    const LetterFolding lower(chars, false);
    if (lower.HasLeadBytes()) {
        SortByKey<NameEntry>(plus, positions, [&lower](const CPluDefRec& row, NameEntry& entry) {
            std::array<std::uint8_t, NameEntry::kBytes> bytes{};
            lower.Fold(row.Get(PluCol::Name), bytes.data(), bytes.size());
            entry.Pack(bytes);
        });
        return;
    }
    // Every character is one byte: the letters are folded eight at a time.
    SortByKey<NameEntry>(plus, positions, [](const CPluDefRec& row, NameEntry& entry) {
        const std::string_view name = row.Get(PluCol::Name);
        std::array<std::uint8_t, NameEntry::kBytes> bytes{};
        std::copy_n(name.begin(), std::min(name.size(), bytes.size()), bytes.begin());
        entry.Pack(bytes);
        for (std::uint64_t& word : entry.words) word = LowerCaseAscii(word);
    });
}

}  // namespace varnel
