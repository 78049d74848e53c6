// The Communication Center's decisions: offered kinds, the enabling of its controls by families and
// rights, the record range and its text, and the jobs of a send or delete.
#include "comms/center/CommCenterRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnel::test {
namespace {

std::vector<std::uint16_t> Kinds(const KindSet& kinds)
{
    std::vector<std::uint16_t> list;
    for (std::uint16_t kind = 0; kind < kCommsKindCount; ++kind)
        if (kinds[kind]) list.push_back(kind);
    return list;
}

std::vector<std::uint16_t> Enabled(CommControl control, const ButtonFacts& facts)
{
    std::vector<std::uint16_t> kinds;
    for (std::uint16_t kind = 0; kind < kCommsKindCount; ++kind)
        if (IsControlEnabled(control, kind, facts)) kinds.push_back(kind);
    return kinds;
}

std::vector<std::uint16_t> Range(std::uint16_t first, std::uint16_t last)
{
    std::vector<std::uint16_t> kinds;
    for (std::uint16_t kind = first; kind <= last; ++kind) kinds.push_back(kind);
    return kinds;
}

TEST(CommCenterRules, OfferedKindsArePlusAlwaysAndTheOthersByTheFramesFlags)
{
    EXPECT_EQ(Kinds(OfferedKinds({})), std::vector<std::uint16_t>{2});

    KindsInUse family9;
    family9.family9 = true;
    EXPECT_EQ(Kinds(OfferedKinds(family9)), (std::vector<std::uint16_t>{2, 72, 73, 74, 75, 76, 77, 85}));

    KindsInUse taiwan;
    taiwan.family9Market10 = true;
    const std::vector<std::uint16_t> taiwanKinds = Kinds(OfferedKinds(taiwan));
    EXPECT_EQ(taiwanKinds, (std::vector<std::uint16_t>{2, 53, 70, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 85, 86}));

    KindsInUse flagged;
    flagged.kinds.set(61).set(9).set(44);  // 44 has no flag of its own: not offered
    flagged.departmentsAndGroups = true;
    flagged.ausNzNutrition = true;
    EXPECT_EQ(Kinds(OfferedKinds(flagged)), (std::vector<std::uint16_t>{2, 8, 9, 61, 82, 83}));
}

TEST(CommCenterRules, AllScalesWithOnlyFamily2SendsKinds0To10And12AndDeletesRanges0To10)
{
    ButtonFacts facts;
    facts.families = {2};
    std::vector<std::uint16_t> send = Range(0, 10);
    send.push_back(12);
    EXPECT_EQ(Enabled(CommControl::Send, facts), send);
    EXPECT_EQ(Enabled(CommControl::DeleteRange, facts), Range(0, 10));
    EXPECT_EQ(Enabled(CommControl::DeleteAll, facts), send);
}

TEST(CommCenterRules, RestrictedAccessOrNoDeleteRightDisablesBothDeletesOfATable)
{
    ButtonFacts facts;
    facts.families = {2};
    facts.hasTable = true;
    facts.restrictedAccess = true;
    EXPECT_TRUE(IsControlEnabled(CommControl::Send, 2, facts));
    EXPECT_FALSE(IsControlEnabled(CommControl::DeleteRange, 2, facts));
    EXPECT_FALSE(IsControlEnabled(CommControl::DeleteAll, 2, facts));
    facts.restrictedAccess = false;
    facts.mayDeleteInTable = false;
    EXPECT_FALSE(IsControlEnabled(CommControl::DeleteAll, 2, facts));
    facts.mayDeleteInTable = true;
    EXPECT_TRUE(IsControlEnabled(CommControl::DeleteAll, 2, facts));
    facts.mayTransmit = false;
    EXPECT_FALSE(IsControlEnabled(CommControl::Send, 2, facts));
    EXPECT_FALSE(IsControlEnabled(CommControl::DeleteAll, 2, facts));
}

TEST(CommCenterRules, Kind85OnDeleteAllIsRefusedOnceFamilies9And11AreBothConcerned)
{
    ButtonFacts facts;
    struct Case {
        std::set<std::uint16_t> families;
        bool deleteAll;
        bool send;
    };
    const Case cases[] = {{{9}, true, true}, {{11}, false, true}, {{9, 11}, false, true}, {{6}, false, false}};
    for (const Case& c : cases) {
        facts.families = c.families;
        EXPECT_EQ(IsControlEnabled(CommControl::DeleteAll, 85, facts), c.deleteAll) << c.families.size();
        EXPECT_EQ(IsControlEnabled(CommControl::Send, 85, facts), c.send) << c.families.size();
        EXPECT_FALSE(IsControlEnabled(CommControl::DeleteRange, 85, facts));
    }
}

TEST(CommCenterRules, FamilyRulesByKind)
{
    struct Case {
        std::set<std::uint16_t> families;
        std::uint16_t market;
        std::uint16_t kind;
        bool granted;
    };
    const Case cases[] = {
        {{9}, 0, 4, true},     // family 9 outside Taiwan: extra messages
        {{9}, 10, 4, false},   // ... not in Taiwan
        {{9}, 10, 86, true},   // index keys
        {{11}, 0, 69, true},   // images
        {{11}, 0, 78, false},  // ingredients are not family 11's
        {{10}, 0, 71, true},   // store settings
        {{10}, 0, 37, false},  // POP messages only in Taiwan ...
        {{10}, 10, 37, true},
        {{6}, 0, 3, false},    // advertising messages not to family 6
        {{8}, 0, 3, true},
        {{6}, 0, 34, true},    // any kind up to 34
        {{6}, 0, 61, true},    // operators
        {{6}, 0, 53, false},   // trays
        {{0}, 0, 61, true},
        {{0}, 0, 11, false},
        {{0}, 10, 37, true},   // Taiwan: POP messages and extra messages 2 and 3
        {{0}, 10, 29, true},
        {{0}, 0, 29, true},    // kinds 0 to 10 and ... 29 only by a mapping or Taiwan
        {{1}, 0, 12, true},
        {{3}, 0, 13, false},
        {{7}, 0, 2, false},    // family 7 grants nothing
    };
    for (const Case& c : cases) {
        ButtonFacts facts;
        facts.families = c.families;
        facts.market = c.market;
        const bool granted = FamiliesGrant(CommControl::Send, c.kind, facts);
        if (c.kind == 29 && c.market == 0) {
            EXPECT_FALSE(granted);
            facts.mappedKinds = {29, 0, 0, 0};  // extra messages 1 go in the file of kind 29
            EXPECT_TRUE(FamiliesGrant(CommControl::Send, c.kind, facts));
            continue;
        }
        EXPECT_EQ(granted, c.granted) << "kind " << c.kind << " market " << c.market;
    }
}

TEST(CommCenterRules, FixedControlsOfTheDecision)
{
    ButtonFacts facts;
    facts.families = {0};
    EXPECT_FALSE(IsControlEnabled(CommControl::RangeEdits, 12, facts));
    EXPECT_TRUE(IsControlEnabled(CommControl::RangeEdits, 2, facts));
    EXPECT_TRUE(IsControlEnabled(CommControl::Compare, 2, facts));
    EXPECT_FALSE(IsControlEnabled(CommControl::Compare, 3, facts));
    EXPECT_FALSE(IsControlEnabled(CommControl::Receive, 2, facts));  // "All Scales"
    facts.singleScale = true;
    facts.scaleHasFileCode = true;
    EXPECT_TRUE(IsControlEnabled(CommControl::Receive, 2, facts));
    facts.mayLoad = false;
    EXPECT_FALSE(IsControlEnabled(CommControl::Receive, 2, facts));
    facts.continueMode = true;
    EXPECT_FALSE(IsControlEnabled(CommControl::Close, 2, facts));
    facts.operationUnderWay = true;
    for (const CommControl control : {CommControl::Send, CommControl::Compare, CommControl::ScaleCombo, CommControl::Tab})
        EXPECT_FALSE(IsControlEnabled(control, 2, facts));
}

TEST(CommCenterRules, RangeTextsReadAsUnsigned32BitNumbers)
{
    const std::pair<std::string, std::optional<std::uint32_t>> cases[] = {
        {"0", 0u},
        {" 120 ", 120u},
        {"2147483648", 2147483648u},  // read with "%d" this went negative
        {"4294967295", 4294967295u},
        {"4294967296", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"12a", std::nullopt},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(ReadRangeNumber(text), number) << text;
}

TEST(CommCenterRules, RangeChecksByKind)
{
    const KeyRange keys{1, 999};
    struct Case {
        std::uint16_t kind;
        std::uint32_t from;
        std::uint32_t to;
        bool valid;
    };
    const Case cases[] = {
        {61, 0, 0, true},   {61, 100, 120, false}, {61, 1, 99, true}, {12, 999, 1000, true},
        {12, 1000, 1001, false}, {4, 1000, 2000, false}, {4, 5, 3, false}, {4, 0, 0, true}, {4, 0, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsRangeValid(c.kind, c.from, c.to, c.kind == 4 ? std::optional(keys) : std::nullopt), c.valid)
            << c.kind << ": " << c.from << "-" << c.to;
}

TEST(CommCenterRules, KeyboardRangesByScaleAndDefaultFamily)
{
    const auto range = [](std::uint16_t family, bool erase, std::optional<SendTarget> scale) {
        const std::optional<SendRequests> jobs = BuildSendJobs(12, erase, 0, 0, scale, {family, 0, false});
        EXPECT_TRUE(jobs && jobs->size() == 1);
        return jobs ? std::pair((*jobs)[0].m_rangeStart, (*jobs)[0].m_rangeEnd) : std::pair(0u, 0u);
    };
    EXPECT_EQ(range(1, false, SendTarget{3, 7}), std::pair(19660800u, 26214399u));
    EXPECT_EQ(range(0, false, SendTarget{3, 7}), std::pair(196608u, 262143u));
    EXPECT_EQ(range(0, true, SendTarget{3, 7}), std::pair(7u, 7u));
    EXPECT_EQ(range(3, false, std::nullopt), std::pair(0u, 4294901760u));
    EXPECT_EQ(range(0, false, std::nullopt), std::pair(0u, 4294967295u));
    // Scale 654 still fits 32 bits; from 655 its range would wrap round.
    EXPECT_EQ(range(1, false, SendTarget{654, 1}).second, 4292607999u);
    EXPECT_FALSE(BuildSendJobs(12, false, 0, 0, SendTarget{655, 1}, {1, 0, false}));
}

TEST(CommCenterRules, JobsOfEachKind)
{
    struct Case {
        std::uint16_t kind;
        bool erase;
        bool ausNz;
        std::uint16_t market;
        std::vector<CSendDataLog> jobs;
    };
    const Case cases[] = {
        {61, false, false, 0, {CSendDataLog(6, 0, 5, 9)}},
        {61, true, false, 0, {CSendDataLog(7, 0, 5, 9)}},
        {85, true, false, 0, {CSendDataLog(12, 0, 5, 9)}},
        {69, false, false, 0, {CSendDataLog(15, 0, 5, 9)}},
        {86, false, false, 0, {CSendDataLog(13, 0, 0, 12)}},
        {86, true, false, 0, {CSendDataLog(14, 0, 0, 0)}},
        {86, true, false, 2, {CSendDataLog(14, 0, 0, 99999999)}},
        {4, true, false, 0, {CSendDataLog(SendKeyDeletes, 4, 5, 9)}},
        {2, false, true, 2, {CSendDataLog(0, 2, 5, 9), CSendDataLog(0, 8, 5, 9), CSendDataLog(0, 9, 5, 9)}},
        {78, false, true, 2, {CSendDataLog(0, 8, 5, 9)}},
        {78, false, false, 0, {CSendDataLog(0, 78, 5, 9)}},
    };
    for (const Case& c : cases) {
        const std::optional<SendRequests> jobs = BuildSendJobs(c.kind, c.erase, 5, 9, std::nullopt, {0, c.market, c.ausNz});
        ASSERT_TRUE(jobs);
        ASSERT_EQ(jobs->size(), c.jobs.size()) << c.kind;
        for (std::size_t i = 0; i < jobs->size(); ++i) {
            EXPECT_EQ((*jobs)[i].m_kind, c.jobs[i].m_kind) << c.kind;
            EXPECT_EQ((*jobs)[i].m_tableId, c.jobs[i].m_tableId) << c.kind;
            EXPECT_EQ((*jobs)[i].m_rangeStart, c.jobs[i].m_rangeStart) << c.kind;
            EXPECT_EQ((*jobs)[i].m_rangeEnd, c.jobs[i].m_rangeEnd) << c.kind;
        }
    }
}

}  // namespace
}  // namespace varnel::test
