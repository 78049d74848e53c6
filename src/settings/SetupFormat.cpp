#include "settings/SetupFormat.h"

namespace varnel {

bool IsOldestSetupFormat(const CArchive& ar)
{
    const auto* setup = dynamic_cast<const SetupFileContext*>(ar.GetContext());
    return setup != nullptr && setup->formatMark == kOldestSetupFormat;
}

bool IsUserChosenSiteSetup(const CArchive& ar)
{
    const auto* setup = dynamic_cast<const SetupFileContext*>(ar.GetContext());
    return setup != nullptr && setup->userChosenSiteSetup;
}

std::uint32_t GetSiteSetupVersion(const CArchive& ar)
{
    const auto* setup = dynamic_cast<const SetupFileContext*>(ar.GetContext());
    return setup != nullptr ? setup->siteSetupVersion : kSiteSetupVersion;
}

TextRules GetSetupTextRules(const CArchive& ar)
{
    const auto* setup = dynamic_cast<const SetupFileContext*>(ar.GetContext());
    return setup != nullptr ? setup->textRules : TextRules{};
}

std::uint16_t GetSetupCommsLogSize(const CArchive& ar)
{
    const auto* setup = dynamic_cast<const SetupFileContext*>(ar.GetContext());
    return setup != nullptr ? setup->maxCommsLogSize : 0;
}

std::uint16_t SerializeSetupVersion(CArchive& ar, std::uint16_t current)
{
    if (ar.IsStoring()) {
        ar << current;
        return current;
    }
    if (IsOldestSetupFormat(ar)) return kFirstObjectVersion;
    std::uint16_t version = 0;
    ar >> version;
    return version;
}

}  // namespace varnel
