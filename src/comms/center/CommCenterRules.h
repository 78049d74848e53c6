// The Communication Center's decisions as pure functions, each over the facts it reads: which data
// kinds it offers, which of its controls are enabled for a data kind, whether a record range is
// valid, how a range edit's text reads, and the send jobs an operation queues.
#pragma once

#include "db/plu/SendDataLog.h"
#include "platform/Messages.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string_view>

namespace varnel {

constexpr std::size_t kCommsKindCount = 92;  // data kinds (table numbers) 0 to 91
using KindSet = std::bitset<kCommsKindCount>;

// What the main frame derives from the settings and the scales on the links for the offered kinds.
struct KindsInUse {
    KindSet kinds;                  // the kind-in-use flag of each kind that has one
    bool family9 = false;           // a family-9 scale is on the links
    bool family9Market10 = false;   // ... in market 10
    bool departmentsAndGroups = false;
    bool ausNzNutrition = false;
};

// Kind 2 always; the others by the frame's flags.
KindSet OfferedKinds(const KindsInUse& inUse);

// The controls of the "Send/Receive" tab that the decision enables.
enum class CommControl { Send, Receive, Compare, DeleteRange, DeleteAll, RangeEdits, ScaleCombo, Tab, Close };

// Everything the decision reads, at the moment it is made.
struct ButtonFacts {
    std::uint16_t market = 0;
    // The message file mapping entries of extra messages 1 to 3 and the coupon file, each turned into
    // its data kind (0 where the entry maps none).
    std::array<std::uint16_t, 4> mappedKinds{};
    bool market3ExtraMessage = false;  // market 3's option for the second extra message
    KindSet kindsInUse;
    bool operationUnderWay = false;
    bool continueMode = false;
    // The user.
    bool restrictedAccess = false;
    bool mayTransmit = true;
    bool mayLoad = true;
    // The database has a table of the kind, and the user may delete in it.
    bool hasTable = false;
    bool mayDeleteInTable = true;
    // One scale chosen (not "All Scales"), and whether its model has a file code for the kind.
    bool singleScale = false;
    bool scaleHasFileCode = false;
    // The families concerned: the chosen scale's, or every family with an enabled scale.
    std::set<std::uint16_t> families;
};

bool IsControlEnabled(CommControl control, std::uint16_t kind, const ButtonFacts& facts);

// The send, delete-range and delete-all rules by the families concerned (rule 5 of the decision).
bool FamiliesGrant(CommControl control, std::uint16_t kind, const ButtonFacts& facts);

// The kinds with a record picker behind "Select...".
bool HasRecordPicker(std::uint16_t kind);

// A range edit's text as an unsigned 32-bit number; none for a text that gives none (61231).
std::optional<std::uint32_t> ReadRangeNumber(std::string_view text);

// The record range of a data kind: 0 to 0 is valid for every kind; otherwise from may not pass to,
// operators need from up to 99 and to not 0, keyboards from up to 999 and to not 0, and a
// scale-data table's range must meet the table's keys (`tableKeys`, lowest and highest).
struct KeyRange {
    std::uint32_t lowest = 0;
    std::uint32_t highest = 0;
};
bool IsRangeValid(std::uint16_t kind, std::uint32_t from, std::uint32_t to, std::optional<KeyRange> tableKeys);

// The jobs of a send or a delete of a data kind. `scale` is the chosen scale (its number and its
// link's), none for "All Scales". None when a keyboard range would not fit 32 bits (31466).
struct SendTarget {
    std::uint16_t scaleNo = 0;
    std::uint16_t linkNo = 0;
};
struct JobFacts {
    std::uint16_t defaultFamily = 0;
    std::uint16_t market = 0;
    bool ausNzNutrition = false;
};
std::optional<SendRequests> BuildSendJobs(std::uint16_t kind, bool erase, std::uint32_t from, std::uint32_t to,
                                          std::optional<SendTarget> scale, const JobFacts& facts);

}  // namespace varnel
