// Pieces the link and scale setup dialogs share: the filter list with its three buttons over a
// FilterListForm, the scale's combos and boxes over LinkScaleFields, and the trace file's row.
#pragma once

#include "comms/idenq/LinkScaleFields.h"
#include "platform/CodePage.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;

namespace varnel {

class FilterListForm;

// "* Only send records in specified range.": the filters and "&Add", "&Edit", "&Delete".
class CFilterListPanel final : public QWidget {
    Q_OBJECT
public:
    CFilterListPanel(FilterListForm& form, CodePage codePage, QWidget* parent);

private:
    void Update();

    FilterListForm& m_form;
    CodePage m_codePage;
    QListWidget* m_list;
};

// The scale's fields in a grid: type, price zone, description length, tare format and the add-one-day
// and "Save off-line" boxes, each row with its label. The type list is the caller's.
struct ScaleFieldWidgets {
    QComboBox* type = nullptr;
    QComboBox* priceZone = nullptr;
    QComboBox* maxDesc = nullptr;
    QComboBox* tareFormat = nullptr;
    QLabel* tareLabel = nullptr;
    QCheckBox* addOneDay = nullptr;
    QCheckBox* saveOffline = nullptr;

    void Build(QWidget& parent, QGridLayout& grid, int row, const std::vector<std::string>& types,
               std::optional<std::size_t> typeIndex, const PriceZoneChoices& zones, const LinkScaleFields& fields,
               CodePage codePage);
    // Everything but the type, which the caller reads.
    void Store(const PriceZoneChoices& zones, LinkScaleFields& fields) const;
};

// "Comms &log ON?", "&Change File..." (enabled while logging) and the file's path ("No file selected").
struct LogFileWidgets {
    QCheckBox* logging = nullptr;
    QPushButton* changeFile = nullptr;
    QLabel* path = nullptr;

    void Build(QWidget& parent, QGridLayout& grid, int row, bool on, const std::string& file);
    void Show(bool on, const std::string& text);
};

}  // namespace varnel
