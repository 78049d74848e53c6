// The Options sheet's pages.
#include "settings/ui/OptionsPages.h"

#include "platform/NumberEntry.h"
#include "db/ui/FieldSetupDlgs.h"
#include "settings/OptionsConversions.h"
#include "settings/PriceZone.h"
#include "settings/ui/DisplayFont.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace varnel {
namespace {

QComboBox* MakeCombo(QWidget& parent, const char* objectName, std::span<const char* const> items)
{
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(objectName);
    for (const char* item : items) combo->addItem(item);
    return combo;
}

QPushButton* MakeButton(QWidget& parent, const char* text, const char* objectName)
{
    auto* button = new QPushButton(text, &parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

// Fields keep their own width, as on a dialog template.
QFormLayout* MakeForm()
{
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
}

// The PLU fields that may differ by price zone: the PLU Code and the "User-Defined" entry cannot.
constexpr FieldRange kPriceZoneFieldRange{1002, 1102};

bool IsPluNumberOfLabelRow(const NumberField& field)
{
    return std::string_view(field.objectName) == "fromPlu" || std::string_view(field.objectName) == "toPlu";
}

}  // namespace

COptionsPage::COptionsPage(OptionsValues& values, const char* objectName) : m_values(values)
{
    setObjectName(objectName);
    new QVBoxLayout(this);
}

QLayout* COptionsPage::AddSwitches(std::span<const SwitchField> fields, int columns)
{
    auto* grid = new QGridLayout;
    const int rows = (static_cast<int>(fields.size()) + columns - 1) / columns;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto* box = new QCheckBox(fields[i].caption, this);
        box->setObjectName(fields[i].objectName);
        grid->addWidget(box, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
        m_switches.emplace_back(&fields[i], box);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
    return grid;
}

QLineEdit* COptionsPage::MakeNumberEdit(const NumberField& field)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(field.objectName);
    edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * 12);
    return edit;
}

void COptionsPage::AddNumber(const NumberField& field, QLineEdit* edit)
{
    m_numbers.emplace_back(field, edit);
}

QFormLayout* COptionsPage::AddNumbers(std::span<const NumberField> fields)
{
    auto* form = MakeForm();
    for (const NumberField& field : fields) {
        QLineEdit* edit = MakeNumberEdit(field);
        form->addRow(field.caption, edit);
        AddNumber(field, edit);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(form);
    return form;
}

void COptionsPage::Enter()
{
    for (const auto& [field, box] : m_switches) box->setChecked(field->get(m_values));
    for (const auto& [field, edit] : m_numbers) edit->setText(QString::number(field.get(m_values)));
}

bool COptionsPage::Leave()
{
    for (const auto& [field, edit] : m_numbers) {
        if (Skips(edit)) continue;
        const std::uint32_t max = IsPluNumberOfLabelRow(field) ? m_values.setup.m_maxPluNo : field.max;
        const std::optional<std::uint32_t> number = ReadNumberInRange(edit->text().toStdString(), field.min, max);
        if (!number) {
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        field.set(m_values, *number);
    }
    for (const auto& [field, box] : m_switches) field->set(m_values, box->isChecked());
    return true;
}

// General #1.

namespace {

// The preset key buttons by the key-code block each edits.
struct PresetKeyButton {
    const char* text;
    const char* objectName;
    std::size_t block;
    PresetKeySetupForm::Layout layout;
};
constexpr PresetKeyButton kPresetKeyButtons[] = {
    {"TR-5300...", "presetKeys5300", CKeyTypeDef::OtherTypes, PresetKeySetupForm::Layout::Short},
    {"TR-5200...", "presetKeys5200", CKeyTypeDef::Type2, PresetKeySetupForm::Layout::Short},
    {"TR-5400...", "presetKeys5400", CKeyTypeDef::Type8, PresetKeySetupForm::Layout::Long},
    {"LumenXT...", "presetKeysLumenXt", CKeyTypeDef::Type6, PresetKeySetupForm::Layout::Long},
    {"KB-7100...", "presetKeys7100", CKeyTypeDef::Type12, PresetKeySetupForm::Layout::Long},
};

}  // namespace

CPropGeneral::CPropGeneral(OptionsValues& values, const OptionsSheetContext& context)
    : COptionsPage(values, "general"), m_systemType(MakeCombo(*this, "systemType", SystemTypeChoices())),
      m_market(MakeCombo(*this, "market", MarketChoices())),
      m_passwordProtect(new QCheckBox("Password protect?", this)), m_password(new QLineEdit(this))
{
    auto* combos = MakeForm();
    combos->addRow("System type", m_systemType);
    combos->addRow("Version", m_market);
    static_cast<QVBoxLayout*>(layout())->addLayout(combos);
    AddSwitches(GeneralSwitches(), 2);
    auto* lower = new QHBoxLayout;
    auto* numbers = MakeForm();
    for (const NumberField& field : GeneralNumbers()) {
        QLineEdit* edit = MakeNumberEdit(field);
        numbers->addRow(field.caption, edit);
        AddNumber(field, edit);
    }
    lower->addLayout(numbers);

    m_passwordProtect->setObjectName("passwordProtect");
    m_password->setObjectName("password");
    m_password->setMaxLength(8);
    connect(m_passwordProtect, &QCheckBox::toggled, m_password, &QWidget::setEnabled);
    auto* password = MakeForm();
    password->addRow(m_passwordProtect);
    password->addRow("Password", m_password);
    auto* keys = new QGridLayout;
    int i = 0;
    for (const PresetKeyButton& entry : kPresetKeyButtons) {
        QPushButton* button = MakeButton(*this, entry.text, entry.objectName);
        button->setEnabled(static_cast<bool>(context.editPresetKeys));
        // The block reaches the settings with the sheet's OK, its first byte 0.
        connect(button, &QPushButton::clicked, this, [this, &entry, edit = context.editPresetKeys] {
            CKeyTypeDef::Codes codes = m_values.keyBlocks[entry.block];
            if (!edit(codes, entry.layout)) return;
            codes[0] = 0;
            m_values.keyBlocks[entry.block] = codes;
        });
        keys->addWidget(button, i / 3, i % 3);
        ++i;
    }
    QPushButton* vmKeys = MakeButton(*this, "VM-8100b/QF...", "presetKeysVm");
    vmKeys->setEnabled(static_cast<bool>(context.editVmKeySetup));
    connect(vmKeys, &QPushButton::clicked, this, [edit = context.editVmKeySetup] { edit(); });
    keys->addWidget(vmKeys, i / 3, i % 3);
    QPushButton* displayFont = MakeButton(*this, "Display Font...", "displayFont");
    connect(displayFont, &QPushButton::clicked, this, [this] {
        LogicalFont& stored = m_values.setup.m_displayFont;
        const bool hasHeight = stored[0] != 0 || stored[1] != 0 || stored[2] != 0 || stored[3] != 0;
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, hasHeight ? ToQFont(stored) : QFont(), this, "Display Font");
        if (ok) stored = FromQFont(font, stored);
    });
    auto* right = new QVBoxLayout;
    right->addLayout(password);
    right->addWidget(displayFont, 0, Qt::AlignLeft);
    right->addWidget(new QLabel("Preset Key Setup", this));
    right->addLayout(keys);
    lower->addLayout(right);
    static_cast<QVBoxLayout*>(layout())->addLayout(lower);
}

void CPropGeneral::Enter()
{
    COptionsPage::Enter();
    m_systemType->setCurrentIndex(m_values.systemTypeIndex);
    m_market->setCurrentIndex(m_values.setup.m_market);
    m_passwordProtect->setChecked(m_values.passwordProtect);
    m_password->setText(QString::fromStdString(m_values.password));
    m_password->setEnabled(m_values.passwordProtect);
}

bool CPropGeneral::Leave()
{
    if (!COptionsPage::Leave()) return false;
    m_values.systemTypeIndex = m_systemType->currentIndex();
    m_values.setup.m_market = static_cast<std::uint16_t>(std::max(0, m_market->currentIndex()));
    m_values.passwordProtect = m_passwordProtect->isChecked();
    m_values.password = m_password->text().toStdString();
    return true;
}

// General #2.

CPropGeneral2::CPropGeneral2(OptionsValues& values, const OptionsSheetContext& context)
    : COptionsPage(values, "general2"), m_format(new QComboBox(this)), m_folder(new QLabel(this))
{
    m_format->setObjectName("databaseFormat");
    m_format->addItems({"Norvik format (*.PLD)", "MS-Access (*.MDB)"});
    auto* format = MakeForm();
    format->addRow("Default database format", m_format);
    static_cast<QVBoxLayout*>(layout())->addLayout(format);
    AddSwitches(General2Switches(), 2);
    m_folder->setObjectName("backupFolder");
    QPushButton* select = MakeButton(*this, "Select Folder...", "selectFolder");
    connect(select, &QPushButton::clicked, this, [this, &context] {
        if (SelectBackupFolder(m_values, context.chars, context.databaseExtension, context.databasePattern,
                               context.databaseFilter))
            m_folder->setText(QString::fromStdString(m_values.backupFolder));
    });
    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel("Backup Folder:", this));
    folder->addWidget(m_folder, 1);
    folder->addWidget(select);
    static_cast<QVBoxLayout*>(layout())->addLayout(folder);
}

void CPropGeneral2::Enter()
{
    COptionsPage::Enter();
    m_format->setCurrentIndex(m_values.setup.m_defaultDatabaseFormat == 1 ? 1 : 0);
    m_folder->setText(QString::fromStdString(m_values.backupFolder));
}

bool CPropGeneral2::Leave()
{
    if (!COptionsPage::Leave()) return false;
    m_values.setup.m_defaultDatabaseFormat = static_cast<std::uint16_t>(m_format->currentIndex() == 1 ? 1 : 0);
    return true;
}

// Report.

CPropReports::CPropReports(OptionsValues& values, const OptionsSheetContext& context)
    : COptionsPage(values, "reports"), m_fontSize(new QComboBox(this)),
      m_startDay(MakeCombo(*this, "startDay", StartDayChoices()))
{
    m_fontSize->setObjectName("reportFontSize");
    m_fontSize->setEditable(true);
    for (int size = 6; size <= 14; ++size) m_fontSize->addItem(QString::number(size));
    auto* combos = MakeForm();
    combos->addRow("Report font size", m_fontSize);
    combos->addRow("Start day of week (for weekly totals report)", m_startDay);
    static_cast<QVBoxLayout*>(layout())->addLayout(combos);
    auto* keep = new QGroupBox("Keep production data for (days)", this);
    auto* keepRows = MakeForm();
    keep->setLayout(keepRows);
    const std::span<const NumberField> numbers = ReportNumbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        QLineEdit* edit = MakeNumberEdit(numbers[i]);
        // The rewrap and next-day rows are kept but not shown.
        if (i < 3) keepRows->addRow(numbers[i].caption, edit);
        else edit->hide();
        AddNumber(numbers[i], edit);
    }
    static_cast<QVBoxLayout*>(layout())->addWidget(keep);
    QPushButton* clear = MakeButton(*this, "Clear Totals...", "clearTotals");
    clear->setEnabled(static_cast<bool>(context.clearTotals));
    connect(clear, &QPushButton::clicked, this, [&context] { ClearTotals(context.clearTotals); });
    static_cast<QVBoxLayout*>(layout())->addWidget(clear, 0, Qt::AlignLeft);
}

void CPropReports::Enter()
{
    COptionsPage::Enter();
    m_fontSize->setCurrentText(QString::fromStdString(m_values.reportFontSize));
    m_startDay->setCurrentIndex(m_values.startDayIndex);
}

bool CPropReports::Leave()
{
    m_values.reportFontSize = m_fontSize->currentText().toStdString();
    if (!CheckReportPage(m_values)) {
        m_fontSize->setFocus();
        return false;
    }
    if (!COptionsPage::Leave()) return false;
    m_values.startDayIndex = m_startDay->currentIndex();
    return true;
}

// Log, Custom Logs #1 and #2.

CLogPage::CLogPage(OptionsValues& values, const CharRule& chars, const char* objectName,
                   std::span<const LogFileField> files)
    : COptionsPage(values, objectName), m_chars(chars)
{
    auto* grid = new QGridLayout;
    int row = 0;
    for (const LogFileField& file : files) {
        if (file.switchCaption != nullptr) {
            auto* box = new QCheckBox(file.switchCaption, this);
            box->setObjectName(file.switchName);
            // A log switched on without a file asks for one at once.
            connect(box, &QCheckBox::clicked, this, [this, &file, box](bool on) {
                OnLogSwitch(m_values, file, on);
                Enter();
                box->setChecked(on);
            });
            grid->addWidget(box, row++, 0, 1, 2);
            m_fileSwitches.emplace_back(&file, box);
        }
        if (file.fileCaption != nullptr) grid->addWidget(new QLabel(file.fileCaption, this), row++, 0, 1, 2);
        auto* text = new QLabel(this);
        text->setObjectName(file.fileName);
        QPushButton* select = MakeButton(*this, "Select File...", file.fileName);
        select->setObjectName(QString(file.fileName) + "Select");
        connect(select, &QPushButton::clicked, this, [this, &file, text] {
            if (SelectLogFile(m_values, file.file)) text->setText(PathText(m_values.log.*file.file));
        });
        grid->addWidget(text, row, 0);
        grid->addWidget(select, row++, 1);
        m_files.emplace_back(&file, text);
    }
    grid->setColumnStretch(0, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

QString CLogPage::PathText(const std::string& path) const
{
    return QString::fromStdString(LogFileText(path, m_chars));
}

void CLogPage::Enter()
{
    COptionsPage::Enter();
    for (const auto& [file, box] : m_fileSwitches) box->setChecked(m_values.log.*file->enabled != 0);
    for (const auto& [file, text] : m_files) text->setText(PathText(m_values.log.*file->file));
}

CPropLogging::CPropLogging(OptionsValues& values, const CharRule& chars)
    : CLogPage(values, chars, "logging", LoggingFiles())
{
    AddSwitches(LoggingSwitches());
    AddNumbers(LoggingNumbers());
}

CPropLogging2::CPropLogging2(OptionsValues& values, const CharRule& chars)
    : CLogPage(values, chars, "logging2", Logging2Files())
{
    AddNumbers(Logging2Numbers());
}

CPropLogging3::CPropLogging3(OptionsValues& values, const CharRule& chars)
    : CLogPage(values, chars, "logging3", Logging3Files())
{
    AddNumbers(Logging3Numbers());
}

// Multi-Store.

CPropMultiStore::CPropMultiStore(OptionsValues& values, const OptionsSheetContext& context)
    : COptionsPage(values, "multiStore"), m_context(context), m_mode(new QButtonGroup(this)),
      m_zone(new QComboBox(this)), m_fields(new QListWidget(this))
{
    const std::pair<const char*, ZoneMode> modes[] = {{"Disable price zones", ZoneMode::Disabled},
                                                      {"Head office mode", ZoneMode::HeadOffice},
                                                      {"Local store mode", ZoneMode::LocalStore}};
    auto* modeBox = new QGroupBox("Price Zones", this);
    auto* modeRows = new QVBoxLayout(modeBox);
    for (const auto& [caption, mode] : modes) {
        auto* radio = new QRadioButton(caption, modeBox);
        m_mode->addButton(radio, static_cast<int>(mode));
        modeRows->addWidget(radio);
    }
    m_mode->button(0)->setObjectName("zonesDisabled");
    m_mode->button(1)->setObjectName("headOffice");
    m_mode->button(2)->setObjectName("localStore");
    connect(m_mode, &QButtonGroup::idClicked, this, [this](int id) {
        SetZoneMode(m_values, static_cast<ZoneMode>(id));
        ShowMode();
    });
    m_zone->setObjectName("priceZone");
    connect(m_zone, &QComboBox::activated, this, [this](int row) {
        if (m_context.priceZones == nullptr) return;
        const std::vector<const CPriceZone*> zones = m_context.priceZones->SortById();
        if (row >= 0 && static_cast<std::size_t>(row) < zones.size()) m_values.setup.m_localPriceZone = zones[row]->m_id;
    });
    auto* zone = MakeForm();
    zone->addRow("Price zone", m_zone);
    modeRows->addLayout(zone);
    static_cast<QVBoxLayout*>(layout())->addWidget(modeBox);

    auto* fieldBox = new QGroupBox("Price zone fields", this);
    auto* fieldRows = new QHBoxLayout(fieldBox);
    m_fields->setObjectName("priceZoneFields");
    fieldRows->addWidget(m_fields, 1);
    auto* buttons = new QVBoxLayout;
    QPushButton* add = MakeButton(*this, "&Add", "addField");
    add->setEnabled(context.fieldDefinitions != nullptr);
    connect(add, &QPushButton::clicked, this, [this] {
        CPluFieldsDlg picker(*m_context.fieldDefinitions, kPriceZoneFieldRange, m_context.codePage, this);
        if (picker.exec() != QDialog::Accepted || picker.GetChosen() == nullptr) return;
        AddPriceZoneField(m_values, picker.GetChosen()->m_fieldNo);
        ShowFields();
    });
    QPushButton* remove = MakeButton(*this, "&Remove", "removeField");
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = m_fields->currentRow();
        if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size()) return;
        RemovePriceZoneField(m_values, m_rows[static_cast<std::size_t>(row)]);
        ShowFields();
    });
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    fieldRows->addLayout(buttons);
    static_cast<QVBoxLayout*>(layout())->addWidget(fieldBox);
}

void CPropMultiStore::Enter()
{
    COptionsPage::Enter();
    const bool zonesExist = m_context.priceZones != nullptr && !m_context.priceZones->IsEmpty();
    EnterMultiStore(m_values, zonesExist);
    m_mode->button(static_cast<int>(ZoneMode::HeadOffice))->setEnabled(zonesExist);
    m_mode->button(static_cast<int>(ZoneMode::LocalStore))->setEnabled(zonesExist);
    m_zone->clear();
    if (m_context.priceZones != nullptr) {
        const FieldChoices choices = m_context.priceZones->FillCombo(m_values.setup.m_localPriceZone, false);
        for (const std::string& item : choices.items) m_zone->addItem(QString::fromStdString(item));
        if (choices.selected) m_zone->setCurrentIndex(static_cast<int>(*choices.selected));
    }
    ShowMode();
    ShowFields();
}

void CPropMultiStore::ShowMode()
{
    const ZoneMode mode = GetZoneMode(m_values);
    m_mode->button(static_cast<int>(mode))->setChecked(true);
    m_zone->setEnabled(mode == ZoneMode::LocalStore);
}

void CPropMultiStore::ShowFields()
{
    m_fields->clear();
    m_rows = m_context.fieldDefinitions != nullptr ? PriceZoneFieldRows(m_values, *m_context.fieldDefinitions)
                                                   : std::vector<PriceZoneFieldRow>{};
    for (const PriceZoneFieldRow& row : m_rows) m_fields->addItem(QString::fromStdString(row.name));
}

// Data Save.

CPropDataSave::CPropDataSave(OptionsValues& values)
    : COptionsPage(values, "dataSave"), m_openMode(new QButtonGroup(this)), m_sameNumber(new QButtonGroup(this))
{
    AddSwitches(DataSaveSwitches());
    const auto group = [this](const char* title, QButtonGroup* buttons,
                              std::initializer_list<std::pair<const char*, const char*>> choices) {
        auto* box = new QGroupBox(title, this);
        auto* rows = new QVBoxLayout(box);
        int id = 0;
        for (const auto& [caption, name] : choices) {
            auto* radio = new QRadioButton(caption, box);
            radio->setObjectName(name);
            buttons->addButton(radio, id++);
            rows->addWidget(radio);
        }
        static_cast<QVBoxLayout*>(layout())->addWidget(box);
    };
    group("When opening a Data Save file", m_openMode,
          {{"Open file but do not import data", "openOnly"},
           {"Import into new database", "importNew"},
           {"Import, add to current database", "importCurrent"}});
    group("When the same number is found", m_sameNumber,
          {{"Use database PLU, msg etc.", "keepDatabase"}, {"Use Data Save file PLU, msg etc.", "takeFile"}});
    connect(m_openMode, &QButtonGroup::idClicked, this, [this](int id) {
        m_values.setup.m_dataSaveOpenMode = static_cast<std::uint16_t>(id);
        ShowEnabling();
    });
}

void CPropDataSave::Enter()
{
    COptionsPage::Enter();
    if (QAbstractButton* mode = m_openMode->button(m_values.setup.m_dataSaveOpenMode)) mode->setChecked(true);
    if (QAbstractButton* rule = m_sameNumber->button(m_values.setup.m_overwriteExisting != 0 ? 1 : 0))
        rule->setChecked(true);
    ShowEnabling();
}

void CPropDataSave::ShowEnabling()
{
    const bool enabled = IsSameNumberRuleEnabled(m_values);
    for (QAbstractButton* button : m_sameNumber->buttons()) button->setEnabled(enabled);
}

bool CPropDataSave::Leave()
{
    if (!COptionsPage::Leave()) return false;
    if (m_openMode->checkedId() >= 0) m_values.setup.m_dataSaveOpenMode = static_cast<std::uint16_t>(m_openMode->checkedId());
    m_values.setup.m_overwriteExisting = m_sameNumber->checkedId() == 1 ? 1 : 0;
    return true;
}

// Label Sizes.

CPropLabelWidths::CPropLabelWidths(OptionsValues& values) : COptionsPage(values, "labelWidths")
{
    auto* grid = new QGridLayout;
    const char* headings[] = {"Width", "Length", "From PLU:", "To PLU:"};
    for (int column = 0; column < 4; ++column) grid->addWidget(new QLabel(headings[column], this), 0, column + 1);
    for (std::size_t row = 0; row < 6; ++row) {
        grid->addWidget(new QLabel(QString("%1.").arg(row + 1), this), static_cast<int>(row) + 1, 0);
        for (int column = 0; column < 4; ++column) {
            const NumberField field = LabelRowField(row, column);
            QLineEdit* edit = MakeNumberEdit(field);
            edit->setObjectName(QString("%1%2").arg(field.objectName).arg(row + 1));
            grid->addWidget(edit, static_cast<int>(row) + 1, column + 1);
            AddNumber(field, edit);
            m_rows[row][static_cast<std::size_t>(column)] = edit;
        }
    }
    grid->setColumnStretch(5, 1);
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
    AddNumbers(LabelNumbers());
    AddSwitches(LabelSwitches());
}

bool CPropLabelWidths::IsUnused(std::size_t row) const
{
    const auto zero = [](const QLineEdit* edit) { return edit->text().trimmed() == "0"; };
    return zero(m_rows[row][2]) && zero(m_rows[row][3]);
}

bool CPropLabelWidths::Skips(const QLineEdit* edit) const
{
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (std::ranges::find(m_rows[row], edit) != m_rows[row].end()) return IsUnused(row);
    return false;
}

bool CPropLabelWidths::Leave()
{
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (!IsUnused(row)) continue;
        for (int column = 0; column < 4; ++column)
            LabelRowField(row, column).set(m_values, m_rows[row][static_cast<std::size_t>(column)]->text().toUInt());
    }
    return COptionsPage::Leave();
}

// RUX/PZ4/Tarn4.

CPropRux::CPropRux(OptionsValues& values) : COptionsPage(values, "rux")
{
    AddSwitches(RuxSwitches());
    auto* mappings = MakeForm();
    const std::pair<const char*, const char*> combos[] = {
        {"Coupons", "couponMapping"},
        {"Extra messages #1", "extraMessage1Mapping"},
        {"Extra messages #2", "extraMessage2Mapping"},
        {"Extra messages #3", "extraMessage3Mapping"}};
    for (const auto& [caption, name] : combos) {
        QComboBox* combo = MakeCombo(*this, name, RuxMappingChoices());
        mappings->addRow(caption, combo);
        m_mappings.push_back(combo);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(mappings);
}

void CPropRux::Enter()
{
    COptionsPage::Enter();
    for (std::size_t i = 0; i < m_mappings.size(); ++i) m_mappings[i]->setCurrentIndex(m_values.ruxMappingIndex[i]);
}

bool CPropRux::Leave()
{
    if (!COptionsPage::Leave()) return false;
    for (std::size_t i = 0; i < m_mappings.size(); ++i) m_values.ruxMappingIndex[i] = m_mappings[i]->currentIndex();
    return true;
}

}  // namespace varnel
