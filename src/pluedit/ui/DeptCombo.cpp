#include "pluedit/ui/DeptCombo.h"

#include "db/site/LabProp.h"

namespace varnel {

CDeptCombo::CDeptCombo(const CLabProp& definition, QWidget* parent) : QComboBox(parent), m_definition(definition) {}

bool CDeptCombo::IsDepartment() const { return m_definition.m_fieldNo == 1014; }

}  // namespace varnel
