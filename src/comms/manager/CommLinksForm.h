// "Communication Links" (dialog 183) without its window: every link of the manager by its status
// line ("*" enabled, "**" enabled and connected). "&Add" asks the kind and address of a new scale,
// makes the link with its first scale and runs its settings; "&Edit" runs the chosen link's settings;
// in both the settings dialog stays open on an address another link has (31478) unless the setup
// allows that, so no clashing address is ever stored. "&Delete" removes a
// link after asking, and from the departments that use it. Any change renames Cancel "Close" and is
// what CIdEnqLinkList::EditLinks reports.
#pragma once

#include "comms/idenq/LinkSetupContext.h"
#include "platform/Messages.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

class CIdEnqLink;
class CIdEnqLinkList;
class NewScaleForm;

class CommLinksForm {
public:
    static constexpr std::size_t kMaxLinks = 999;
    static constexpr MessageId kMsgTooManyLinks = 61301;
    static constexpr MessageId kMsgDeleteLink = 61300;
    static constexpr MessageId kMsgDepartmentsUseIt = 31533;
    static constexpr MessageId kMsgClose = 17596;
    static constexpr const char* kLegend = "*:   Currently enabled\n**: Enabled and connected";

    CommLinksForm(CIdEnqLinkList& links, const LinkSetupContext& context);

    std::vector<std::string> GetRows() const;
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::optional<std::size_t> row);
    bool IsAddEnabled() const;
    bool IsDeleteEnabled() const;
    // Button 1: "Cancel", "Close" once something changed.
    std::string GetCloseText() const;
    bool IsChanged() const { return m_changed; }

    bool Add();
    bool Edit();
    bool Delete();

    // The number of a new link: one more than the largest in use (1 with none); past 65535 the lowest
    // number not in use; none when every number is taken.
    static std::optional<std::uint16_t> NextLinkNumber(const CIdEnqLinkList& links);
    // The link a new scale makes, with its first scale when the kind and setup give it one.
    std::unique_ptr<CIdEnqLink> MakeLink(const NewScaleForm& choice, std::uint16_t linkNo) const;

private:
    // Runs the link's settings, which refuse an address that another link has.
    bool RunSettings(CIdEnqLink& link);

    CIdEnqLinkList& m_links;
    const LinkSetupContext& m_context;
    ScaleNumberMap m_scaleNumbers;
    std::optional<std::size_t> m_selection;
    bool m_changed = false;
};

}  // namespace varnel
