#include "comms/manager/CommLinksForm.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/manager/NewScaleForm.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScaleList.h"

#include <algorithm>
#include <set>

namespace varnel {
namespace {

constexpr std::uint16_t kMasterTcpPort = 3001;
constexpr std::uint8_t kRightUpdate = 2;
constexpr std::uint8_t kRightDelete = 4;

struct BlockModel {
    std::uint16_t family;
    std::uint16_t port;
};

// The family and port of a new block link's scale, by the default family.
BlockModel BlockModelOf(std::uint16_t defaultFamily)
{
    switch (defaultFamily) {
    case 6: return {6, 50021};
    case 8: return {8, 50031};
    case 9: return {9, 5041};
    case 11: return {11, 6051};
    case 12: return {12, 7061};
    default: return {10, 4031};
    }
}

std::string AddressName(const NewScaleForm::Address& address)
{
    return FormatText("%d.%d.%d.%d", int{address[0]}, int{address[1]}, int{address[2]}, int{address[3]});
}

}  // namespace

CommLinksForm::CommLinksForm(CIdEnqLinkList& links, const LinkSetupContext& context)
    : m_links(links), m_context(context)
{
    for (const auto& link : links.GetLinks())
        for (const auto& scale : link->m_scales) MarkScaleNumber(m_scaleNumbers, scale->m_scaleNo);
    if (!links.GetLinks().empty()) m_selection = 0;
}

std::vector<std::string> CommLinksForm::GetRows() const
{
    std::vector<std::string> rows;
    for (const auto& link : m_links.GetLinks()) rows.push_back(link->GetStatusText(m_context.Setup()));
    return rows;
}

void CommLinksForm::Select(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_links.GetLinks().size() ? row : std::nullopt;
}

bool CommLinksForm::IsAddEnabled() const { return m_context.HasSetupRight(kRightUpdate); }
bool CommLinksForm::IsDeleteEnabled() const { return m_context.HasSetupRight(kRightDelete); }

std::string CommLinksForm::GetCloseText() const
{
    return m_changed ? std::string(GetMessageText(kMsgClose)) : "Cancel";
}

std::optional<std::uint16_t> CommLinksForm::NextLinkNumber(const CIdEnqLinkList& links)
{
    std::set<std::uint16_t> used;
    for (const auto& link : links.GetLinks()) used.insert(link->m_linkId);
    if (used.empty()) return 1;
    if (*used.rbegin() < 65535) return static_cast<std::uint16_t>(*used.rbegin() + 1);
    for (std::uint32_t number = 1; number <= 65535; ++number)
        if (!used.contains(static_cast<std::uint16_t>(number))) return static_cast<std::uint16_t>(number);
    return std::nullopt;
}

std::unique_ptr<CIdEnqLink> CommLinksForm::MakeLink(const NewScaleForm& choice, std::uint16_t linkNo) const
{
    const CGeneralSetup& setup = m_context.Setup();
    const std::uint16_t defaultFamily = setup.m_defaultScaleFamily;
    const bool oneScalePerLink = setup.m_daisyChainedComms == 0;
    std::unique_ptr<CIdEnqLink> link;
    bool withScale = oneScalePerLink;
    auto scale = std::make_unique<CLinkScale>();
    switch (choice.GetKind()) {
    case NewScaleForm::Kind::HbkuSerial:
    case NewScaleForm::Kind::MasterSerial: {
        const bool hbku = choice.GetKind() == NewScaleForm::Kind::HbkuSerial;
        auto serial = std::make_unique<CIdEnqComLink>();
        serial->m_portName = choice.GetPort();
        serial->m_name = FormatText(hbku ? "HBKU (%s)" : "Master Scale (%s)", serial->m_portName.c_str());
        if (hbku)
            scale->m_scaleType = defaultFamily == 1 || defaultFamily == 3 ? defaultFamily : 1;
        else
            scale->m_scaleType = defaultFamily == 2 || defaultFamily == 4 || defaultFamily == 5 ? defaultFamily : 0;
        link = std::move(serial);
        break;
    }
    case NewScaleForm::Kind::MasterTcp: {
        auto socket = std::make_unique<CIdEnqSocketLink>();
        socket->m_address = choice.GetAddress();
        socket->m_port = kMasterTcpPort;
        socket->m_name = AddressName(socket->m_address);
        scale->m_scaleType = defaultFamily == 2 || defaultFamily == 4 || defaultFamily == 5 ? defaultFamily : 0;
        link = std::move(socket);
        break;
    }
    case NewScaleForm::Kind::NetworkTcp: {
        auto block = std::make_unique<CSorrelSocketLink>();
        block->m_address = choice.GetAddress();
        block->m_name = AddressName(block->m_address);
        const BlockModel model = BlockModelOf(defaultFamily);
        block->m_port = model.port;
        scale->m_scaleType = model.family;
        if (model.family == 6 && (setup.m_market == MarketPhilippines || setup.m_market == MarketTaiwan))
            scale->m_message28 = 1;
        withScale = true;
        link = std::move(block);
        break;
    }
    }
    link->m_linkId = linkNo;
    link->m_enabled = true;
    link->m_logging = true;
    // Joined with '/': the trace file sits in the scale data directory under the link's name.
    link->m_logFile = m_context.scaleDataDirectory + "/" + link->m_name + ".txt";
    if (withScale) {
        scale->m_name = link->m_name;
        scale->m_scaleNo = linkNo;
        scale->m_enabled = true;
        link->m_scales.push_back(std::move(scale));
    }
    return link;
}

bool CommLinksForm::RunSettings(CIdEnqLink& link)
{
    LinkSetupContext context = m_context;
    if (m_context.Setup().m_skipDuplicateIpCheck != 1) {
        context.addressInUse = [this, &link](const std::array<std::uint16_t, 4>& address) {
            return std::ranges::any_of(m_links.GetLinks(), [&](const auto& other) {
                return other.get() != &link && other->IsSameAddress(address);
            });
        };
    }
    return link.EditSettings(context, m_scaleNumbers);
}

bool CommLinksForm::Add()
{
    if (m_links.GetLinks().size() >= kMaxLinks) {
        (void)ShowMessage(kMsgTooManyLinks, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    NewScaleForm choice(m_context.Setup().m_defaultScaleFamily);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (!dialogs || !dialogs->RunNewScale(choice)) return false;
    const std::optional<std::uint16_t> linkNo = NextLinkNumber(m_links);
    if (!linkNo) return false;
    std::unique_ptr<CIdEnqLink> link = MakeLink(choice, *linkNo);
    if (!RunSettings(*link)) return false;
    for (const auto& scale : link->m_scales) MarkScaleNumber(m_scaleNumbers, scale->m_scaleNo);
    m_links.Add(std::move(link));
    m_selection = m_links.GetLinks().size() - 1;
    m_changed = true;
    return true;
}

bool CommLinksForm::Edit()
{
    if (!m_selection) return false;
    if (!RunSettings(*m_links.GetLinks()[*m_selection])) return false;
    m_changed = true;
    return true;
}

bool CommLinksForm::Delete()
{
    if (!m_selection || !IsDeleteEnabled()) return false;
    if (ShowMessage(kMsgDeleteLink, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return false;
    const std::uint16_t linkNo = m_links.GetLinks()[*m_selection]->m_linkId;
    if (m_context.departments && m_context.departments->IsLinkAssigned(linkNo)) {
        if (ShowMessage(kMsgDepartmentsUseIt, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
            return false;
        m_context.departments->RemoveLink(linkNo);
    }
    (void)m_links.RemoveLink(linkNo);
    const std::size_t left = m_links.GetLinks().size();
    if (left == 0)
        m_selection.reset();
    else if (*m_selection >= left)
        m_selection = left - 1;
    m_changed = true;
    return true;
}

}  // namespace varnel
