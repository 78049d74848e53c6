#include "comms/idenq/LinkSettingsForm.h"

#include "comms/dialogs/CommsDialogs.h"
#include "comms/idenq/ScaleSetupForm.h"
#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScaleList.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

constexpr std::size_t kTronModel = 3;    // TR-5400
constexpr std::size_t kKbModel = 5;      // KB-7100

}  // namespace

LinkSettingsForm::LinkSettingsForm(Shape shape, const LinkSetupContext& context, LinkFields link)
    : m_shape(shape), m_context(context), m_link(std::move(link)), m_priceZones(MakePriceZoneChoices(context.priceZones))
{
}

LinkSettingsForm::LinkSettingsForm(Shape shape, const LinkSetupContext& context, LinkFields link, const CLinkScale& scale)
    : LinkSettingsForm(shape, context, std::move(link))
{
    m_scale = LinkScaleFields::Of(scale);
    m_filters.emplace(scale.m_filters, context.database);
}

LinkSettingsForm::LinkSettingsForm(Shape shape, const LinkSetupContext& context, LinkFields link,
                                   const std::vector<std::unique_ptr<CLinkScale>>& scales, ScaleNumberMap& scaleNumbers)
    : LinkSettingsForm(shape, context, std::move(link))
{
    m_scaleNumbers = &scaleNumbers;
    for (const auto& scale : scales) {
        auto copy = std::make_unique<CLinkScale>();
        copy->CopySettings(*scale);
        m_scales.push_back(std::move(copy));
    }
    if (!m_scales.empty()) m_scaleSelection = 0;
}

std::string LinkSettingsForm::GetTitle() const
{
    return IsTcp() ? "Scales Comms Link (TCP/IP)" : "Scales Comms Link (Serial Port)";
}

std::uint32_t LinkSettingsForm::HighestOf(Number field)
{
    switch (field) {
    case Number::Octet1:
    case Number::Octet2:
    case Number::Octet3:
    case Number::Octet4: return 255;
    case Number::Port: return 65535;
    case Number::Timeout: return 60;
    // The link keeps the count in 16 bits: a larger one would wrap round to a few records.
    case Number::RecordsPerBlock: return 65535;
    case Number::StoreNo: return 99999;
    }
    return 0;
}

bool LinkSettingsForm::SetNumber(Number field, std::string_view text)
{
    const std::uint32_t lowest = field == Number::RecordsPerBlock ? 1 : 0;
    const std::optional<std::uint32_t> number = ReadNumberInRange(text, lowest, HighestOf(field));
    if (!number) return false;
    switch (field) {
    case Number::Octet1:
    case Number::Octet2:
    case Number::Octet3:
    case Number::Octet4:
        m_tcp.address[static_cast<std::size_t>(field) - static_cast<std::size_t>(Number::Octet1)] =
            static_cast<std::uint16_t>(*number);
        break;
    case Number::Port: m_tcp.port = static_cast<std::uint16_t>(*number); break;
    case Number::Timeout: m_tcp.timeout = *number; break;
    case Number::RecordsPerBlock: m_tcp.recordsPerBlock = *number; break;
    case Number::StoreNo: m_scale.storeNo = *number; break;
    }
    return true;
}

bool LinkSettingsForm::ChangeLogFile()
{
    FileRequest request;
    request.kind = FileRequest::Kind::Save;
    request.title = std::string(GetMessageText(kMsgSelectLogFile));
    request.defaultExtension = "txt";
    request.fileName = m_link.logFile;
    request.filter = "Text files (*.txt) |*.txt|All files (*.*) |*.*||";
    const std::optional<std::string> file = AskFileName(request);
    if (!file) return false;
    m_link.logFile = *file;
    return true;
}

std::vector<std::string> LinkSettingsForm::GetScaleTypeChoices() const
{
    if (m_shape != Shape::BlockTcp) return ScaleTypeChoices();
    std::vector<std::string> models;
    for (const NetworkModel& model : kNetworkModels) models.emplace_back(model.name);
    return models;
}

std::optional<std::size_t> LinkSettingsForm::GetScaleTypeIndex() const
{
    if (m_shape == Shape::BlockTcp) return NetworkModelIndex(m_scale.family);
    return ScaleTypeIndex(m_scale.family);
}

void LinkSettingsForm::SelectScaleType(std::optional<std::size_t> index)
{
    if (m_shape != Shape::BlockTcp) {
        m_scale.family = FamilyOfScaleTypeIndex(index.value_or(0));
        return;
    }
    if (!index || *index >= kNetworkModels.size()) {
        m_scale.family = CLinkScaleSettings::kDefaultFamily;
        return;
    }
    m_scale.family = kNetworkModels[*index].family;
    m_tcp.port = kNetworkModels[*index].port;
}

std::vector<std::string> LinkSettingsForm::PortChoices() { return {"COM1", "COM2", "COM3", "COM4"}; }
std::vector<std::string> LinkSettingsForm::BaudRateChoices() { return {"2400", "4800", "9600", "19200", "38400"}; }
std::vector<std::string> LinkSettingsForm::DataBitsChoices() { return {"7", "8", "9"}; }
std::vector<std::string> LinkSettingsForm::ParityChoices() { return {"NONE", "EVEN", "ODD"}; }
std::vector<std::string> LinkSettingsForm::StopBitsChoices() { return {"0", "1", "2"}; }

std::size_t LinkSettingsForm::ParityIndex(std::string_view parity)
{
    switch (parity.empty() ? 'N' : std::toupper(static_cast<unsigned char>(parity.front()))) {
    case 'E': return 1;
    case 'O': return 2;
    default: return 0;
    }
}

bool LinkSettingsForm::IsMessage28Enabled() const
{
    const std::optional<std::size_t> model = GetScaleTypeIndex();
    return m_shape == Shape::BlockTcp && model && *model <= 1;
}

bool LinkSettingsForm::IsTwoColourEnabled() const
{
    const std::optional<std::size_t> model = GetScaleTypeIndex();
    return m_shape == Shape::BlockTcp && model && (*model == 2 || *model == 4);
}

bool LinkSettingsForm::ShowsAddOneDay() const
{
    if (HasScaleList()) return false;
    if (m_shape != Shape::BlockTcp) return true;
    const std::optional<std::size_t> model = GetScaleTypeIndex();
    return !model || (*model != kTronModel && *model != kKbModel);
}

bool LinkSettingsForm::ShowsTareFormat() const
{
    if (HasScaleList()) return false;
    return m_shape != Shape::BlockTcp || m_context.Setup().m_market == MarketUsa;
}

std::vector<std::string> LinkSettingsForm::GetScaleRows() const
{
    std::vector<std::string> rows;
    for (const auto& scale : m_scales) rows.push_back(scale->m_name);
    return rows;
}

void LinkSettingsForm::SelectScale(std::optional<std::size_t> row)
{
    m_scaleSelection = row && *row < m_scales.size() ? row : std::nullopt;
}

bool LinkSettingsForm::AddScale()
{
    if (!m_scaleNumbers) return false;
    auto scale = std::make_unique<CLinkScale>();
    scale->m_scaleNo = LowestFreeScaleNumber(*m_scaleNumbers);
    scale->m_name = FormatMessage(kMsgScaleIdName, int{scale->m_scaleNo});
    ScaleSetupForm form(*scale, m_context);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (!dialogs || !dialogs->RunScaleSetup(form)) return false;
    form.StoreInto(*scale);
    MarkScaleNumber(*m_scaleNumbers, scale->m_scaleNo);
    m_scales.push_back(std::move(scale));
    m_scaleSelection = m_scales.size() - 1;
    return true;
}

bool LinkSettingsForm::EditScale()
{
    if (!m_scaleSelection) return false;
    CLinkScale& scale = *m_scales[*m_scaleSelection];
    ScaleSetupForm form(scale, m_context);
    ICommsDialogs* dialogs = GetCommsDialogs();
    if (!dialogs || !dialogs->RunScaleSetup(form)) return false;
    form.StoreInto(scale);
    return true;
}

bool LinkSettingsForm::DeleteScale()
{
    if (!m_scaleSelection) return false;
    if (ShowMessage(kMsgDeleteScale, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return false;
    const std::uint16_t scaleNo = m_scales[*m_scaleSelection]->m_scaleNo;
    if (m_context.departments && m_context.departments->IsScaleAssigned(scaleNo)) {
        if (ShowMessage(kMsgDepartmentsUseIt, MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
            return false;
        m_leaveDepartments.push_back(scaleNo);
    }
    m_scales.erase(m_scales.begin() + static_cast<std::ptrdiff_t>(*m_scaleSelection));
    if (m_scales.empty())
        m_scaleSelection.reset();
    else if (*m_scaleSelection >= m_scales.size())
        m_scaleSelection = m_scales.size() - 1;
    return true;
}

bool LinkSettingsForm::Accept()
{
    if (HasScaleList() && m_scales.empty()) {
        (void)ShowMessage(kMsgAtLeastOneScale, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    if (IsTcp() && m_context.addressInUse && m_context.addressInUse(m_tcp.address)) {
        (void)ShowMessage(kMsgDuplicateAddress, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }
    return true;
}

}  // namespace varnel
