// The field setup dialogs, on the PLU fields of a fresh site.
#include "ScreenShots.h"

#include "db/site/FieldSetupForm.h"
#include "db/ui/FieldSetupDlgs.h"
#include "platform/Messages.h"

namespace varnel::screens {
namespace {

CLabPropMap PluFields()
{
    CLabPropMap fields;
    std::uint16_t key = 1;
    for (std::uint16_t field = 1001; field < 1046; field += 1) {
        auto definition = std::make_unique<CLabProp>();
        definition->m_key = key;
        definition->m_fieldNo = field;
        definition->m_name = std::string(GetMessageText(field));
        definition->m_display = field % 3 != 0;
        definition->m_print = field % 4 == 0;
        definition->m_width = 6;
        fields[key++] = std::move(definition);
    }
    return fields;
}

}  // namespace

void AddDbScreens(ScreenShots& shots)
{
    const CLabPropMap fields = PluFields();
    FieldSetupForm setup(fields, kPluFieldRange);
    CPluFieldSetupDlg fieldSetup(setup, CodePage::Western);
    shots.Take("dialog-field-setup", fieldSetup);

    AdvFieldSetupForm advanced(CopyDefinitions(fields), kPluFieldRange);
    CAdvFieldSetupDlg advancedSetup(advanced, kPluFieldRange, CodePage::Western);
    shots.Take("dialog-advanced-field-setup", advancedSetup);

    CLabProp salesMode = *fields.at(2);
    salesMode.AddValue(std::make_unique<CPropValue>("Weighed", 0));
    salesMode.AddValue(std::make_unique<CPropValue>("Fixed price", 1));
    salesMode.AddValue(std::make_unique<CPropValue>("By count", 2));
    EditPluFieldForm edit(salesMode, kPluFieldRange);
    CEditPluFieldDlg editField(edit, CodePage::Western);
    shots.Take("dialog-edit-plu-field", editField);

    CPropValue value("Fixed price", 1);
    CSetPropValueDlg setValue(value, CodePage::Western);
    shots.Take("dialog-set-property-value", setValue);

    CPluFieldsDlg pluFields(fields, {1002, 1102}, CodePage::Western);
    shots.Take("dialog-plu-fields", pluFields);
}

}  // namespace varnel::screens
