// CPluListPanel: the PLU list on screen over a PluListPanelForm. It draws the rows itself, with its
// scroll bar (109) at its right, and works its host's controls, found by their ids as object names
// as the host's template has them (each may be absent): the PLU number edit 103 and the POS code
// edit 102 (CPluSearchEdit), the search combo 123, the department and group combos 1014 and 1015,
// the sort combo 1276, the headers 1437 "PLU No.", 1475 POS code, 1009 "Dept. & Group", 1438
// "Description", 1171 "RRP" and 1010 "Price", the POS code label 1470 and the "Dept." and "Group"
// labels 1434 and 1494. The headers stand in a row of their own above the panel, which places them
// over their columns.
#pragma once

#include "platform/CodePage.h"
#include "pluedit/KeyDownSink.h"
#include "pluedit/PluListPanelForm.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QScrollBar;

namespace varnel {

class CPluListPanel final : public QWidget, public IKeyDownSink {
    Q_OBJECT
public:
    CPluListPanel(PluListPanelForm& form, CodePage codePage, QWidget* host);

    // Sets the panel up over the host's controls and builds the list; false, leaving the host
    // without a list, when one of the headers 1437, 1475, 1009 or 1438 is missing.
    bool Create();
    // Shows the model in the panel and the host's controls.
    void Sync();

    // Moves the current row (the search edits hand their paging and arrow keys on to here).
    void OnSinkKeyDown(std::uint32_t key, std::uint32_t repeat, std::uint32_t flags) override;

    QSize sizeHint() const override;

signals:
    // A double click on the list.
    void listDoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Control>
    Control* HostControl(const char* id) const;
    PluListArea Area() const;
    void ConnectHost();
    void ShowColumnsOfSettings();
    void PlaceHeaders();
    void DrawRow(QPainter& painter, const PluListRow& row) const;
    QString Display(std::string_view bytes) const;
    std::string Stored(const QString& text) const;

    PluListPanelForm& m_form;
    CodePage m_codePage;
    QWidget* m_host;
    QScrollBar* m_scrollBar;
    bool m_created = false;
    QLineEdit* m_pluNo = nullptr;
    QLineEdit* m_posCode = nullptr;
    QComboBox* m_search = nullptr;
    QComboBox* m_dept = nullptr;
    QComboBox* m_group = nullptr;
    QComboBox* m_sort = nullptr;
};

}  // namespace varnel
