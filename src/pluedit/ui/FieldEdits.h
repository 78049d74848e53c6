// The input controls of one field definition (CLabProp), shared by the windows that edit fields:
// CNumEdit, a numeric edit that lets only digits and the field's one separator be typed, and
// CPluCombo, the values of a field with a value list. Each hands itself to its host when it loses the
// focus to another control of the window; the host checks, stores and may refuse by putting the
// focus back.
#pragma once

#include "platform/CodePage.h"

#include <QComboBox>
#include <QLineEdit>

#include <cstddef>
#include <optional>

namespace varnel {

class CLabProp;
struct FieldChoices;
class CNumEdit;
class CPluCombo;

class IFieldEditHost {
public:
    virtual void UpdateFromEdit(CNumEdit& edit) = 0;
    virtual void UpdateFromCombo(CPluCombo& combo) = 0;
    // A right click on the control; true when the host took it (the context menu then stays shut).
    virtual bool OnRightButton(QWidget& /*control*/, const CLabProp& /*definition*/) { return false; }

protected:
    ~IFieldEditHost() = default;
};

class CNumEdit final : public QLineEdit {
    Q_OBJECT
public:
    CNumEdit(const CLabProp& definition, IFieldEditHost& host, QWidget* parent = nullptr);

    const CLabProp& Definition() const { return m_definition; }
    // The one character besides digits it takes (0: none); the field's unless a host sets another.
    char Separator() const { return m_separator; }
    void SetSeparator(char separator) { m_separator = separator; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const CLabProp& m_definition;
    IFieldEditHost& m_host;
    char m_separator;
    bool m_rightTaken = false;
};

class CPluCombo final : public QComboBox {
    Q_OBJECT
public:
    CPluCombo(const CLabProp& definition, IFieldEditHost& host, QWidget* parent = nullptr);

    const CLabProp& Definition() const { return m_definition; }

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const CLabProp& m_definition;
    IFieldEditHost& m_host;
    bool m_rightTaken = false;
};

// A combo filled with the choices, their selection selected (none: no item).
void ShowChoices(QComboBox& combo, const FieldChoices& choices, CodePage codePage);
std::optional<std::size_t> ChosenIndex(const QComboBox& combo);

// Whether a lost focus went to another control of the same window, rather than to another window
// (a message box) or a popup: only then does a field hand itself over.
bool IsFocusMovedWithinWindow(const QFocusEvent& event);

}  // namespace varnel
