// CDeptCombo: the department (1014) or group (1015) combo of the PLU edit window, shown in place of a
// numeric edit while department and group codes are in use. It lists the department codes, or the
// groups of the PLU's department; its host stores a choice as it is made.
#pragma once

#include <QComboBox>

namespace varnel {

class CLabProp;

class CDeptCombo final : public QComboBox {
    Q_OBJECT
public:
    CDeptCombo(const CLabProp& definition, QWidget* parent = nullptr);

    const CLabProp& Definition() const { return m_definition; }
    bool IsDepartment() const;

private:
    const CLabProp& m_definition;
};

}  // namespace varnel
