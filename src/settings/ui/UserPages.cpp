// The pages of the user sheet.
#include "settings/ui/UserPages.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/ui/EntryFields.h"
#include "settings/ui/FieldSetupDlg.h"
#include "settings/ui/PickerDlgs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace varnel {
namespace {

struct Column {
    const char* title;
    const char* prefix;
    std::uint8_t bit;
};
constexpr Column kColumns[] = {{"View", "view", AccessView}, {"Delete", "delete", AccessDelete},
                               {"Update", "update", AccessUpdate}};

QByteArray Name(const char* prefix, std::size_t number) { return QByteArray(prefix) + QByteArray::number(qulonglong(number)); }

// A file or department text under its button.
QLabel* MakePathText(QWidget& parent, const char* objectName)
{
    auto* text = new QLabel(&parent);
    text->setObjectName(objectName);
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 40);
    return text;
}

}  // namespace

PermissionGrid::PermissionGrid(EditUserForm& form, std::span<const PermissionRow> rows, const QString& title,
                               QWidget& parent)
    : m_form(form), m_box(new QGroupBox(title, &parent))
{
    auto* grid = new QGridLayout(m_box);
    for (int column = 0; column < 3; ++column)
        grid->addWidget(new QLabel(kColumns[column].title, m_box), 0, column + 1, Qt::AlignHCenter);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const PermissionRow& permission = rows[static_cast<std::size_t>(row)];
        grid->addWidget(new QLabel(permission.label, m_box), row + 1, 0);
        for (int column = 0; column < 3; ++column) {
            auto* box = new QCheckBox(m_box);
            box->setObjectName(QString::fromLatin1(Name(kColumns[column].prefix, permission.table)));
            grid->addWidget(box, row + 1, column + 1, Qt::AlignHCenter);
            const Cell cell{box, permission.table, kColumns[column].bit};
            QObject::connect(box, &QCheckBox::toggled, m_box,
                             [this, cell](bool on) { m_form.SetPermission(cell.table, cell.bit, on); });
            m_cells.push_back(cell);
        }
    }
    Refresh();
}

void PermissionGrid::Refresh()
{
    for (const Cell& cell : m_cells) {
        const QSignalBlocker quiet(cell.box);
        cell.box->setChecked(m_form.GetPermission(cell.table, cell.bit));
    }
}

CUserGeneralPage::CUserGeneralPage(EditUserForm& form, CodePage codePage, QWidget* parent)
    : QWidget(parent), m_form(form), m_codePage(codePage),
      m_restricted(MakeCheckBox(*this, "Restricted Access Only?", "restricted", false)),
      m_priceChanges(MakeCheckBox(*this, "Price Changes", "priceChanges", false)),
      m_tied(MakeCheckBox(*this, "Use specified database/ department only?", "tiedToDatabase", false)),
      m_selectDatabase(MakeButton(*this, "Select DB/Dept...", "selectDatabase")),
      m_databaseText(MakePathText(*this, "databaseText")),
      m_useProfile(MakeCheckBox(*this, "Specify PLU profile?", "useProfile", false)),
      m_selectProfile(MakeButton(*this, "Select File...", "selectProfile")),
      m_profileText(MakePathText(*this, "profileText")), m_priceZone(new QComboBox(this)),
      m_grid(form, GeneralPermissionRows(), "Data Access Permissions", *this)
{
    setObjectName("generalPage");
    auto* fields = new QFormLayout;
    m_name = AddTextEdit(*fields, "Name", "name", {}, EditUserForm::kNameLimit);
    m_password = AddTextEdit(*fields, "Password", "password", {}, EditUserForm::kPasswordLimit,
                             form.IsPasswordEnabled());
    m_priceZone->setObjectName("priceZone");
    QPushButton* fieldSwitches = MakeButton(*this, "PLU Field Enable/Disable...", "fieldSwitches");
    QPushButton* copy = MakeButton(*this, "Copy settings from default user profile...", "copyProfile");
    copy->setEnabled(form.IsCopyFromProfileEnabled());

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_restricted, m_priceChanges, m_tied, m_selectDatabase,
                                                          m_databaseText, m_useProfile, m_selectProfile,
                                                          m_profileText, fieldSwitches})
        left->addWidget(widget, 0, qobject_cast<QPushButton*>(widget) ? Qt::AlignLeft : Qt::Alignment{});
    auto* zone = new QFormLayout;
    zone->addRow("Price Zone*", m_priceZone);
    left->addLayout(zone);
    left->addWidget(new QLabel("* Applies in head office mode only.", this));
    left->addStretch(1);
    left->addWidget(copy, 0, Qt::AlignLeft);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(m_grid.Box(), 0, Qt::AlignTop);

    const ChangeDeptDialog changeDept = [this](PickerForm& picker) {
        return CChangeDeptDlg(picker, this).exec() == QDialog::Accepted;
    };
    connect(m_restricted, &QCheckBox::toggled, this, [this](bool on) { m_form.SetRight(RightRestrictedAccess, on); });
    connect(m_priceChanges, &QCheckBox::toggled, this,
            [this](bool on) { m_form.SetPermission(kPriceChangeTable, AccessUpdate, on); });
    connect(m_tied, &QCheckBox::clicked, this, [this, changeDept](bool on) {
        m_form.SetTiedToDatabase(on, changeDept);
        Refresh();
    });
    connect(m_selectDatabase, &QPushButton::clicked, this, [this, changeDept] {
        m_form.SelectDatabase(changeDept);
        Refresh();
    });
    connect(m_useProfile, &QCheckBox::clicked, this, [this](bool on) {
        m_form.SetUseProfile(on);
        Refresh();
    });
    connect(m_selectProfile, &QPushButton::clicked, this, [this] {
        m_form.SelectProfileFile();
        Refresh();
    });
    connect(fieldSwitches, &QPushButton::clicked, this, [this] {
        FieldSelectionForm selection = m_form.MakeFieldSelection();
        if (CFieldSetupDlg(selection, m_codePage, this).exec() == QDialog::Accepted) m_form.TakeFieldSelection(selection);
    });
    connect(m_priceZone, &QComboBox::currentIndexChanged, this, [this](int row) {
        m_form.SelectPriceZone(row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    });
    connect(copy, &QPushButton::clicked, this, &CUserGeneralPage::OnCopyProfile);
    Refresh();
}

void CUserGeneralPage::Refresh()
{
    const CUserSetup& user = m_form.User();
    m_name->setText(ToDisplayText(user.m_name, m_codePage));
    m_password->setText(ToDisplayText(user.m_password, m_codePage));
    for (QCheckBox* box : {m_restricted, m_priceChanges, m_tied, m_useProfile}) box->blockSignals(true);
    m_restricted->setChecked(m_form.GetRight(RightRestrictedAccess));
    m_priceChanges->setChecked(m_form.GetPermission(kPriceChangeTable, AccessUpdate));
    m_tied->setChecked(m_form.GetRight(RightTiedToDatabase));
    m_useProfile->setChecked(user.m_useProfile != 0);
    for (QCheckBox* box : {m_restricted, m_priceChanges, m_tied, m_useProfile}) box->blockSignals(false);
    m_selectDatabase->setEnabled(m_tied->isChecked());
    m_databaseText->setEnabled(m_tied->isChecked());
    m_databaseText->setText(ToDisplayText(m_form.GetDatabaseText(), m_codePage));
    m_selectProfile->setEnabled(m_useProfile->isChecked());
    m_profileText->setEnabled(m_useProfile->isChecked());
    m_profileText->setText(ToDisplayText(m_form.GetProfileText(), m_codePage));
    const QSignalBlocker quiet(m_priceZone);
    m_priceZone->clear();
    const FieldChoices zones = m_form.GetPriceZoneChoices();
    for (const std::string& zone : zones.items) m_priceZone->addItem(ToDisplayText(zone, m_codePage));
    m_priceZone->setCurrentIndex(zones.selected ? static_cast<int>(*zones.selected) : -1);
    m_grid.Refresh();
}

void CUserGeneralPage::TakeTexts()
{
    m_form.User().m_name = FromDisplayText(m_name->text(), m_codePage);
    m_form.User().m_password = FromDisplayText(m_password->text(), m_codePage);
}

void CUserGeneralPage::OnCopyProfile()
{
    PickerForm picker = m_form.MakeProfilePicker();
    if (CSelectUserProfileDlg(picker, this).exec() != QDialog::Accepted) return;
    const auto chosen = picker.GetChosenIndex();
    if (!chosen) return;
    TakeTexts();
    if (m_form.CopyFromProfile(*chosen)) emit Copied();
}

CUserReportsPage::CUserReportsPage(EditUserForm& form, QWidget* parent) : QWidget(parent), m_form(form)
{
    setObjectName("reportsPage");
    auto* grid = new QGridLayout(this);
    const std::span<const RightBox> rights = ReportRights();
    const std::size_t perColumn = (rights.size() + 1) / 2;
    for (std::size_t i = 0; i < rights.size(); ++i) {
        QCheckBox* box = MakeCheckBox(*this, rights[i].label, Name("right", rights[i].right).constData(), false);
        grid->addWidget(box, static_cast<int>(i % perColumn), static_cast<int>(i / perColumn));
        const UserRight right = rights[i].right;
        connect(box, &QCheckBox::toggled, this, [this, right](bool on) { m_form.SetRight(right, on); });
        m_boxes.emplace_back(box, right);
    }
    grid->setRowStretch(static_cast<int>(perColumn), 1);
    Refresh();
}

void CUserReportsPage::Refresh()
{
    for (const auto& [box, right] : m_boxes) {
        const QSignalBlocker quiet(box);
        box->setChecked(m_form.GetRight(right));
    }
}

CUserRuxPage::CUserRuxPage(EditUserForm& form, QWidget* parent)
    : QWidget(parent), m_data(form, RuxDataPermissionRows(), "RUX/PZ4/Tarn4 Data Access Permissions", *this),
      m_settings(form, RuxSettingsPermissionRows(), {}, *this)
{
    setObjectName("ruxPage");
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_data.Box(), 0, Qt::AlignTop);
    layout->addWidget(m_settings.Box(), 0, Qt::AlignTop);
}

void CUserRuxPage::Refresh()
{
    m_data.Refresh();
    m_settings.Refresh();
}

}  // namespace varnel
