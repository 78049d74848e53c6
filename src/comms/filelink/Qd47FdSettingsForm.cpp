#include "comms/filelink/Qd47FdSettingsForm.h"

#include "platform/NumberEntry.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

namespace varnel {

Qd47FdSettingsForm::Qd47FdSettingsForm(Site site) : directory(site.currentDirectory), m_site(std::move(site)) {}

const char* Qd47FdSettingsForm::BoxText(Box box)
{
    switch (box) {
    case Plus: return "PLUs (Item File)";
    case Messages: return "Extra Messages";
    case Stores: return "Store Name/Address";
    case Presets: return "Keyboard Presets";
    case Campaigns: return "Campaigns";
    case Coupons: return "Coupon Messages";
    case ScrollMessages: return "Advertising Messages";
    case Nutrition: return "Nutrition";
    case kBoxCount: break;
    }
    return "";
}

bool Qd47FdSettingsForm::SetFileNumber(std::string_view text)
{
    const std::optional<std::uint32_t> number = ReadNumberInRange(text, 0, kHighestFileNumber);
    if (number) m_fileNumber = *number;
    return number.has_value();
}

bool Qd47FdSettingsForm::Browse()
{
    FileRequest request;
    request.kind = m_site.import ? FileRequest::Kind::Open : FileRequest::Kind::Save;
    request.fileName = FormatText("item.%03.3d", m_fileNumber);
    request.filter = "PLU files (item.*) |item.*|All Files (*.*)|*.*||";
    request.initialDirectory = directory;
    const std::optional<std::string> file = AskFileName(request);
    if (!file) return false;
    const std::size_t slash = file->find_last_of('/');
    directory = slash == std::string::npos ? std::string{} : file->substr(0, slash + 1);
    return true;
}

bool Qd47FdSettingsForm::IsEnabled(Box box) const
{
    if (all) return false;
    return box == Plus || box == Messages || m_site.qd47ScaleType == 0;
}

void Qd47FdSettingsForm::SetChecked(Box box, bool checked)
{
    if (IsEnabled(box) && IsShown(box)) m_checked[box] = checked;
}

Qd47FdSelection Qd47FdSettingsForm::GetSelection() const
{
    Qd47FdSelection selection;
    selection.plus = m_checked[Plus];
    selection.messages = m_checked[Messages];
    selection.stores = m_checked[Stores];
    selection.presets = m_checked[Presets];
    selection.campaigns = m_checked[Campaigns];
    selection.coupons = m_checked[Coupons];
    selection.scrollMessages = m_checked[ScrollMessages];
    selection.nutrition = m_checked[Nutrition];
    return selection;
}

}  // namespace varnel
