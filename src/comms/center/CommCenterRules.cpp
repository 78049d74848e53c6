#include "comms/center/CommCenterRules.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <limits>

namespace varnel {
namespace {

// The kinds the frame offers by a flag of their own.
constexpr std::uint16_t kFlaggedKinds[] = {3, 4, 7, 8, 9, 10, 12, 29, 30, 37, 53, 61, 69, 70, 71, 86};

constexpr std::uint16_t kOperators = 61;
constexpr std::uint16_t kKeyboards = 12;
constexpr std::uint16_t kMemoKeys = 85;
constexpr std::uint16_t kIndexKeys = 86;
constexpr std::uint16_t kImages = 69;
constexpr std::uint16_t kPlus = 2;
constexpr std::uint16_t kPopMessages = 37;
constexpr std::uint16_t kAdvertising = 3;
constexpr std::uint16_t kIngredients = 78;
constexpr std::uint16_t kCoupons = 8;
constexpr std::uint16_t kNutrition = 9;
constexpr std::uint16_t kExtraMessages2 = 29;
constexpr std::uint16_t kExtraMessages3 = 30;

void Offer(KindSet& kinds, std::uint16_t first, std::uint16_t last)
{
    for (std::uint16_t kind = first; kind <= last; ++kind) kinds.set(kind);
}

bool IsOneOf(std::uint16_t kind, std::initializer_list<std::uint16_t> kinds)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool InRange(std::uint16_t kind, std::uint16_t first, std::uint16_t last) { return kind >= first && kind <= last; }

struct Families {
    const std::set<std::uint16_t>& set;
    bool Has(std::uint16_t family) const { return set.contains(family); }
    bool HasAny(std::initializer_list<std::uint16_t> families) const
    {
        return std::ranges::any_of(families, [&](std::uint16_t family) { return Has(family); });
    }
};

// Rule 4's way for kinds the families 6, 8, 10 and 12 do not take by themselves: a message file
// mapped to the kind.
bool IsMappedKind(std::uint16_t kind, const ButtonFacts& facts)
{
    return kind != 0 && std::ranges::find(facts.mappedKinds, kind) != facts.mappedKinds.end();
}

// A mapping entry's kind, or `otherwise` when the entry maps none.
std::uint16_t MappedOr(std::uint16_t mapped, std::uint16_t otherwise) { return mapped != 0 ? mapped : otherwise; }

}  // namespace

KindSet OfferedKinds(const KindsInUse& inUse)
{
    KindSet offered;
    offered.set(kPlus);
    if (inUse.family9) {
        Offer(offered, 72, 77);
        offered.set(kMemoKeys);
    }
    if (inUse.family9Market10) {
        offered.set(53);
        offered.set(70);
        Offer(offered, 72, 83);
        offered.set(kMemoKeys);
        offered.set(kIndexKeys);
    }
    for (const std::uint16_t kind : kFlaggedKinds)
        if (inUse.kinds[kind]) offered.set(kind);
    if (inUse.departmentsAndGroups) Offer(offered, 82, 83);
    if (inUse.ausNzNutrition) offered.set(kCoupons);
    return offered;
}

bool FamiliesGrant(CommControl control, std::uint16_t kind, const ButtonFacts& facts)
{
    const Families families{facts.families};
    const bool deleteAll = control == CommControl::DeleteAll;
    const bool deleteRange = control == CommControl::DeleteRange;
    const bool taiwan = facts.market == 10;
    // 1.
    if (families.Has(9)) {
        if (IsOneOf(kind, {kPlus, 53, kPopMessages})) return true;
        if (kind == kMemoKeys && deleteAll && families.Has(11)) return false;
        if (InRange(kind, 70, 86)) return true;
        if (!taiwan && IsOneOf(kind, {4, kCoupons, kNutrition, 10, kExtraMessages2, kExtraMessages3})) return true;
    }
    // 2.
    if (families.Has(11)) {
        if (InRange(kind, 0, 4) || IsOneOf(kind, {kCoupons, kNutrition, 10, kExtraMessages2, kExtraMessages3,
                                                  kPopMessages, kOperators, kImages, 82, 83}) ||
            InRange(kind, 71, 77))
            return true;
        if (kind == kMemoKeys && !deleteAll) return true;
    }
    // 3.
    if (families.HasAny({10, 12})) {
        if (IsOneOf(kind, {71, 82, 83})) return true;
        if (kind == kPopMessages && taiwan) return true;
        if (kind == 70 && facts.kindsInUse[70]) return true;
    }
    // 4.
    if (families.HasAny({6, 8, 10, 12})) {
        if (kind == kPopMessages) {
            if (families.Has(6) && facts.kindsInUse[kPopMessages]) return true;
        } else if (kind == kAdvertising) {
            if (families.HasAny({8, 10, 12})) return true;
        } else if (kind == kOperators || kind <= 34) {
            return true;
        }
        if (IsMappedKind(kind, facts)) return true;
    }
    // 5.
    if (families.HasAny({0, 4, 5})) {
        if (InRange(kind, 0, 10) || kind == kOperators) return true;
        if (kind == kKeyboards && !deleteRange) return true;
        const auto& [extra1, extra2, extra3, coupon] = facts.mappedKinds;
        if (taiwan && (kind == kPopMessages || kind == MappedOr(extra2, kExtraMessages2) ||
                       kind == MappedOr(extra3, kExtraMessages3)))
            return true;
        if (facts.market == 3 && facts.market3ExtraMessage && kind == MappedOr(extra2, kExtraMessages2)) return true;
        if (kind != 0 && kind == extra1) return true;
        if (!taiwan && kind != 0 && kind == coupon) return true;
    }
    // 6.
    if (families.HasAny({1, 3}) && InRange(kind, 0, 12)) return true;
    // 7.
    if (families.Has(2)) {
        if (InRange(kind, 0, 10)) return true;
        if (kind == kKeyboards && !deleteRange) return true;
    }
    return false;
}

bool IsControlEnabled(CommControl control, std::uint16_t kind, const ButtonFacts& facts)
{
    const bool deletes = control == CommControl::DeleteRange || control == CommControl::DeleteAll;
    // 1.
    if (deletes && facts.hasTable && (facts.restrictedAccess || !facts.mayDeleteInTable)) return false;
    // 2.
    if (control == CommControl::DeleteRange && IsOneOf(kind, {kKeyboards, kMemoKeys, kIndexKeys})) return false;
    // 3.
    if (facts.operationUnderWay) return false;
    // 4.
    switch (control) {
    case CommControl::RangeEdits: return !IsOneOf(kind, {kKeyboards, kMemoKeys, kIndexKeys});
    case CommControl::Close: return !facts.continueMode;
    case CommControl::Receive:
        return facts.singleScale && !facts.restrictedAccess && facts.mayLoad && facts.scaleHasFileCode;
    case CommControl::Compare: return kind == kPlus;
    case CommControl::ScaleCombo:
    case CommControl::Tab: return true;
    case CommControl::Send:
    case CommControl::DeleteRange:
    case CommControl::DeleteAll: break;
    }
    // 5.
    return facts.mayTransmit && FamiliesGrant(control, kind, facts);
}

bool HasRecordPicker(std::uint16_t kind)
{
    return IsOneOf(kind, {kPlus, kNutrition, 4, kCoupons, kExtraMessages2, kExtraMessages3, 70, 72, 73, 74, 75, 76,
                          kIngredients, kPopMessages, 79, 53, kOperators, 71, 80, 81, 82, 83});
}

std::optional<std::uint32_t> ReadRangeNumber(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

bool IsRangeValid(std::uint16_t kind, std::uint32_t from, std::uint32_t to, std::optional<KeyRange> tableKeys)
{
    if (from == 0 && to == 0) return true;
    if (from > to) return false;
    if (kind == kOperators) return from <= 99 && to != 0;
    if (kind == kKeyboards) return from <= 999 && to != 0;
    if (tableKeys) return from <= tableKeys->highest && to >= tableKeys->lowest;
    return true;
}

std::optional<SendRequests> BuildSendJobs(std::uint16_t kind, bool erase, std::uint32_t from, std::uint32_t to,
                                          std::optional<SendTarget> scale, const JobFacts& facts)
{
    const auto jobKind = [erase](std::uint32_t send, std::uint32_t remove) { return erase ? remove : send; };
    SendRequests jobs;
    switch (kind) {
    case kOperators: jobs.emplace_back(jobKind(6, 7), 0, from, to); break;
    case kMemoKeys: jobs.emplace_back(jobKind(11, 12), 0, from, to); break;
    case kImages: jobs.emplace_back(jobKind(15, 16), 0, from, to); break;
    case kIndexKeys: {
        const std::uint32_t last = facts.market != 0 ? 99999999 : (erase ? 0 : 12);
        jobs.emplace_back(jobKind(13, 14), 0, 0, last);
        break;
    }
    case kKeyboards: {
        // Worked out in 64 bits: a scale whose range does not fit 32 bits is refused.
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        const bool byHundreds = facts.defaultFamily == 1 || facts.defaultFamily == 3;
        if (!scale) {
            last = byHundreds ? 4294901760u : 4294967295u;
        } else if (byHundreds) {
            first = std::uint64_t{scale->scaleNo} * 100 * 65536;
            last = (std::uint64_t{scale->scaleNo} * 100 + 99) * 65536 + 65535;
        } else if (erase) {
            first = last = scale->linkNo;
        } else {
            first = std::uint64_t{scale->scaleNo} * 65536;
            last = first + 65535;
        }
        if (last > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
        jobs.emplace_back(jobKind(9, 10), 0, static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last));
        break;
    }
    default: {
        const std::uint32_t job = jobKind(SendRecords, SendKeyDeletes);
        const std::uint16_t table = kind == kIngredients && facts.ausNzNutrition ? kCoupons : kind;
        jobs.emplace_back(job, table, from, to);
        if (kind == kPlus && facts.ausNzNutrition) {
            jobs.emplace_back(job, kCoupons, from, to);
            jobs.emplace_back(job, kNutrition, from, to);
        }
        break;
    }
    }
    return jobs;
}

}  // namespace varnel
