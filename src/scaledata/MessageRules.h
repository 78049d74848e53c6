// The rules that say which message a scale takes where: the message kinds of the message tables, the
// scale message slot each kind occupies, the slot's highest number, its record code per family and
// market, and the longest text a family takes of a kind.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/TextRules.h"

#include <cstdint>

namespace varnel {

enum MessageKind : std::uint32_t {
    MsgCoupon = 1,
    MsgExtra = 2,
    MsgExtra2 = 3,
    MsgExtra3 = 4,
    MsgFree1 = 5,
    MsgFree5 = 9,
    MsgIngredients = 10,
    MsgComment = 11,
    MsgStorageTemp = 12,
    MsgStorageInstruct = 13,
};

// The table that keeps a kind's messages; 0 for a number that is no kind.
std::uint16_t MsgKindToTableId(std::uint32_t kind);

class ISiteRules;
struct TableRoles;
using ScaleDataRoles = TableRoles;

// What the message rules look at: the settings and their text rules, the family a record is built
// for and the flags the site derives from the settings and the scales.
struct MessageSite {
    const CGeneralSetup& setup;
    TextRules text;
    std::uint16_t family;
    bool ausNz;              // market 1 or 2 with standard nutrition in use
    bool commentsAsCoupons;  // market 2 with an enabled scale of family 10 or 12

    std::uint16_t Market() const { return setup.m_market; }
    // Market 0 with "Max. Coupon No." 9999.
    bool UsaCoupons() const { return setup.m_market == MarketUsa && setup.m_maxCouponNo == 9999; }
};

// Market 2 with an enabled scale of family 10 or 12: the comments take the coupons' place there.
bool CommentsAsCoupons(const ISiteRules& rules, const CGeneralSetup& setup);

// The site of a setup and its text rules for a scale's family (its own, or the default family); the
// site's rules tell which families are on the links.
MessageSite MessageSiteOf(const ISiteRules& rules, const CGeneralSetup& setup, const TextRules& text,
                          std::uint16_t family);
// The same for a table's roles: the settings of the calling thread's pass.
MessageSite MessageSiteOf(const ScaleDataRoles& roles, std::uint16_t family);

// The highest message number of a kind (a slot is the kind of that number).
std::uint32_t GetMaxMessageNo(const MessageSite& site, std::uint32_t kind);
// The scale message slot, 1 to 4, that a kind occupies on scales of families other than 9 and 11;
// 0 for none.
std::uint32_t MapMessageKind(const MessageSite& site, std::uint32_t kind);
// The slot a kind's records use for the site's family: the kind itself for families 9 and 11.
std::uint32_t MessageSlotOf(const MessageSite& site, std::uint32_t kind);
// The record code of a slot for the site's family; 0 where the family has no such record.
std::uint16_t GetMessageRecordCode(const MessageSite& site, std::uint32_t slot);
// The longest text, in bytes, that the site's family takes of a kind.
std::size_t GetMaxMessageText(const MessageSite& site, std::uint32_t kind);

}  // namespace varnel
