// The Options sheet's ten pages. Each shows its part of OptionsValues when it is entered and takes its
// controls back when it is left; Leave() refuses (and keeps the page) when a field is out of range.
#pragma once

#include "keyboards/PresetKeySetupForm.h"
#include "platform/CodePage.h"
#include "settings/EditPluedPropsForm.h"

#include <QWidget>

#include <array>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;

namespace varnel {

class CPriceZoneList;

// What the pages need beyond the values.
struct OptionsSheetContext {
    std::vector<OptionsPage> pages;
    std::string databaseExtension, databasePattern, databaseFilter;  // for "Select Folder..."
    CharRule chars;  // the store's, by which paths are cut and split
    std::function<void()> clearTotals;  // empties the production totals; none while no database is open
    const CPriceZoneList* priceZones = nullptr;
    const CLabPropMap* fieldDefinitions = nullptr;
    CodePage codePage = CodePage::Western;  // the store's, in which the field names are shown
    // "Preset Key Setup" over a copy of one key-code block, true on OK; none: the preset key buttons are
    // off.
    std::function<bool(CKeyTypeDef::Codes& codes, PresetKeySetupForm::Layout layout)> editPresetKeys;
    // Edits the VM preset key setup and stores it at once, whatever the sheet's end; none: the button
    // is off.
    std::function<void()> editVmKeySetup;
};

class COptionsPage : public QWidget {
    Q_OBJECT
public:
    COptionsPage(OptionsValues& values, const char* objectName);

    virtual void Enter();
    virtual bool Leave();

protected:
    QLayout* AddSwitches(std::span<const SwitchField> fields, int columns = 1);
    QFormLayout* AddNumbers(std::span<const NumberField> fields);
    void AddNumber(const NumberField& field, QLineEdit* edit);
    QLineEdit* MakeNumberEdit(const NumberField& field);
    // A field Leave() neither checks nor takes.
    virtual bool Skips(const QLineEdit* /*edit*/) const { return false; }

    OptionsValues& m_values;

private:
    std::vector<std::pair<const SwitchField*, QCheckBox*>> m_switches;
    std::vector<std::pair<NumberField, QLineEdit*>> m_numbers;
};

class CPropGeneral final : public COptionsPage {
    Q_OBJECT
public:
    CPropGeneral(OptionsValues& values, const OptionsSheetContext& context);
    void Enter() override;
    bool Leave() override;

private:
    QComboBox* m_systemType;
    QComboBox* m_market;
    QCheckBox* m_passwordProtect;
    QLineEdit* m_password;
};

class CPropGeneral2 final : public COptionsPage {
    Q_OBJECT
public:
    CPropGeneral2(OptionsValues& values, const OptionsSheetContext& context);
    void Enter() override;
    bool Leave() override;

private:
    QComboBox* m_format;
    QLabel* m_folder;
};

class CPropReports final : public COptionsPage {
    Q_OBJECT
public:
    CPropReports(OptionsValues& values, const OptionsSheetContext& context);
    void Enter() override;
    bool Leave() override;

private:
    QComboBox* m_fontSize;
    QComboBox* m_startDay;
};

// The Log and both Custom Logs pages: switches, log files with their choosers, numbers.
class CLogPage : public COptionsPage {
    Q_OBJECT
public:
    CLogPage(OptionsValues& values, const CharRule& chars, const char* objectName, std::span<const LogFileField> files);
    void Enter() override;

private:
    QString PathText(const std::string& path) const;

    CharRule m_chars;
    std::vector<std::pair<const LogFileField*, QLabel*>> m_files;
    std::vector<std::pair<const LogFileField*, QCheckBox*>> m_fileSwitches;
};

class CPropLogging final : public CLogPage {
    Q_OBJECT
public:
    CPropLogging(OptionsValues& values, const CharRule& chars);
};

class CPropLogging2 final : public CLogPage {
    Q_OBJECT
public:
    CPropLogging2(OptionsValues& values, const CharRule& chars);
};

class CPropLogging3 final : public CLogPage {
    Q_OBJECT
public:
    CPropLogging3(OptionsValues& values, const CharRule& chars);
};

class CPropMultiStore final : public COptionsPage {
    Q_OBJECT
public:
    CPropMultiStore(OptionsValues& values, const OptionsSheetContext& context);
    void Enter() override;

private:
    void ShowMode();
    void ShowFields();

    const OptionsSheetContext& m_context;
    QButtonGroup* m_mode;
    QComboBox* m_zone;
    QListWidget* m_fields;
    std::vector<PriceZoneFieldRow> m_rows;
};

class CPropDataSave final : public COptionsPage {
    Q_OBJECT
public:
    explicit CPropDataSave(OptionsValues& values);
    void Enter() override;
    bool Leave() override;

private:
    void ShowEnabling();

    QButtonGroup* m_openMode;
    QButtonGroup* m_sameNumber;
};

class CPropLabelWidths final : public COptionsPage {
    Q_OBJECT
public:
    explicit CPropLabelWidths(OptionsValues& values);
    bool Leave() override;

protected:
    bool Skips(const QLineEdit* edit) const override;

private:
    // A row whose From and To read 0 holds no PLU: an unused range, taken as it reads and not checked.
    bool IsUnused(std::size_t row) const;

    std::array<std::array<QLineEdit*, 4>, 6> m_rows{};
};

class CPropRux final : public COptionsPage {
    Q_OBJECT
public:
    explicit CPropRux(OptionsValues& values);
    void Enter() override;
    bool Leave() override;

private:
    std::vector<QComboBox*> m_mappings;
};

}  // namespace varnel
