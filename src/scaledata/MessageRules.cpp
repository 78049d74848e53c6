#include "scaledata/MessageRules.h"

#include "db/site/SiteRules.h"
#include "scaledata/ScaleDataRoles.h"
#include "db/site/TextRules.h"

#include <array>

namespace varnel {
namespace {

constexpr std::uint32_t kCommentsAsCouponsMax = 99999999;

using SlotCodes = std::array<std::uint16_t, 4>;  // slots 1 to 4

// Slots 1 to 4 of the families whose records carry them only there.
SlotCodes LowSlotCodes(const MessageSite& site)
{
    const bool ausNz = site.ausNz;
    switch (site.family) {
    case 0:
    case 4:
    case 5:
        if (site.Market() == MarketTaiwan) return {61, 35, 69, 79};
        if (site.Market() == MarketThailand) return {61, 35, 81, 0};
        return {61, 35, 0, 0};
    case 1: return {static_cast<std::uint16_t>(ausNz ? 61 : 0), 35, 0, 0};
    case 2:
    case 3: return {0, 35, 0, 0};
    case 6:
    case 8: return {35, 32, 33, 34};
    case 10:
    case 12: return {static_cast<std::uint16_t>(ausNz ? 1004 : 1006), 1003, 1004, 1005};
    default: return {static_cast<std::uint16_t>(ausNz ? 1043 : 1045), 1003, 1043, 1044};  // 9 and 11
    }
}

bool IsFreeMessageKind(std::uint32_t kind) { return kind >= MsgFree1 && kind <= MsgFree5; }

}  // namespace

std::uint16_t MsgKindToTableId(std::uint32_t kind)
{
    switch (kind) {
    case MsgCoupon: return 8;
    case MsgExtra: return 4;
    case MsgExtra2: return 29;
    case MsgExtra3: return 30;
    case MsgIngredients: return 78;
    case MsgComment: return 70;
    case MsgStorageTemp: return 80;
    case MsgStorageInstruct: return 81;
    default: return IsFreeMessageKind(kind) ? static_cast<std::uint16_t>(67 + kind) : 0;
    }
}

bool CommentsAsCoupons(const ISiteRules& rules, const CGeneralSetup& setup)
{
    return setup.m_market == MarketAustralia && (rules.HasEnabledScaleType(10) || rules.HasEnabledScaleType(12));
}

MessageSite MessageSiteOf(const ISiteRules& rules, const CGeneralSetup& setup, const TextRules& text,
                          std::uint16_t family)
{
    return {setup, text, family, IsAusNzNutrition(setup), CommentsAsCoupons(rules, setup)};
}

MessageSite MessageSiteOf(const ScaleDataRoles& roles, std::uint16_t family)
{
    return MessageSiteOf(roles.rules, roles.Setup(), roles.Text(), family);
}

std::uint32_t GetMaxMessageNo(const MessageSite& site, std::uint32_t kind)
{
    if (kind == MsgComment && site.commentsAsCoupons) return kCommentsAsCouponsMax;
    if (kind == MsgCoupon) return site.setup.m_maxCouponNo;
    return site.setup.m_maxExMessageNo;
}

std::uint32_t MapMessageKind(const MessageSite& site, std::uint32_t kind)
{
    if (kind == MsgComment && site.commentsAsCoupons) return 1;
    if (kind >= MsgCoupon && kind <= MsgExtra3) return kind;
    const auto& mapping = site.setup.m_messageFileMapping;  // the sources of slots 1 to 4
    if (kind == mapping[1]) return 2;
    if (kind == mapping[2]) return 3;
    if (kind == mapping[3]) return 4;
    if (kind == mapping[0]) return 1;
    return 0;
}

std::uint32_t MessageSlotOf(const MessageSite& site, std::uint32_t kind)
{
    return site.family == 9 || site.family == 11 ? kind : MapMessageKind(site, kind);
}

std::uint16_t GetMessageRecordCode(const MessageSite& site, std::uint32_t slot)
{
    if (slot == 0 || site.family == 7 || site.family > 12) return 0;
    const bool hasFreeSlots = site.family == 9 || site.family == 11;
    if (site.family == 9 && site.Market() == MarketTaiwan) {
        if (slot == MsgIngredients) return 1010;
        if (slot == MsgComment) return 1003;
        return IsFreeMessageKind(slot) ? static_cast<std::uint16_t>(999 + slot) : 0;
    }
    if (slot <= 4) return LowSlotCodes(site)[slot - 1];
    return hasFreeSlots && IsFreeMessageKind(slot) ? static_cast<std::uint16_t>(999 + slot) : 0;
}

std::size_t GetMaxMessageText(const MessageSite& site, std::uint32_t kind)
{
    const std::uint16_t market = site.Market();
    if (site.ausNz) {
        if (kind == MsgCoupon) return 1200;
        if (kind == MsgExtra) return market == MarketNewZealand ? 150 : 1024;
    }
    switch (site.family) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        if (market != MarketUsa) return 1000;
        if (kind == MsgExtra2) return 2047;
        if (site.UsaCoupons() && kind == MsgCoupon) return 1022;
        if (!site.UsaCoupons()) return 1000;
        return kind == MsgExtra ? 248 : 1000;
    case 6:
    case 8:
        if (kind == MsgCoupon) return market == MarketTaiwan ? 16 : 510;
        return 1024;
    case 9: return 1022;
    case 10:
    case 12:
        if (kind == MsgCoupon || kind == MsgComment) return 510;
        if (market != MarketUsa || kind == MsgExtra3) return 1024;
        return 2047;
    case 11: return market == MarketUsa && (kind == MsgExtra || kind == MsgExtra2) ? 2047 : 1024;
    default: return 1000;
    }
}

}  // namespace varnel
