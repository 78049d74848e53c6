#include "comms/ui/LinkSetupParts.h"

#include "comms/idenq/FilterListForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CFilterListPanel::CFilterListPanel(FilterListForm& form, CodePage codePage, QWidget* parent)
    : QWidget(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("filters");
    m_list->setObjectName("filterList");
    m_list->setMinimumHeight(m_list->fontMetrics().height() * 4);
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { m_form.Select(SelectedRow(*m_list)); });
    QPushButton* add = MakeButton(*this, "&Add", "addFilter");
    QPushButton* edit = MakeButton(*this, "&Edit", "editFilter");
    QPushButton* remove = MakeButton(*this, "&Delete", "deleteFilter");
    connect(add, &QPushButton::clicked, this, [this] {
        if (m_form.Add()) Update();
    });
    connect(edit, &QPushButton::clicked, this, [this] {
        if (m_form.Edit()) Update();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_form.Edit()) Update();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        m_form.Delete();
        Update();
    });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("* Only send records in specified range.", this));
    layout->addLayout(row);
    Update();
}

void CFilterListPanel::Update() { FillList(*m_list, m_form.GetRows(), m_form.GetSelection(), m_codePage); }

void ScaleFieldWidgets::Build(QWidget& parent, QGridLayout& grid, int row, const std::vector<std::string>& types,
                              std::optional<std::size_t> typeIndex, const PriceZoneChoices& zones,
                              const LinkScaleFields& fields, CodePage codePage)
{
    type = MakeCombo(parent, "scaleType", types);
    type->setCurrentIndex(typeIndex ? static_cast<int>(*typeIndex) : -1);
    priceZone = MakeCombo(parent, "priceZone", zones.rows, codePage);
    priceZone->setCurrentIndex(static_cast<int>(zones.IndexOf(fields.priceZone)));
    maxDesc = MakeCombo(parent, "maxDescLength", MaxDescLengthChoices());
    maxDesc->setCurrentIndex(static_cast<int>(MaxDescLengthIndex(fields.maxDescLength)));
    tareFormat = MakeCombo(parent, "tareFormat", TareFormatChoices());
    tareFormat->setCurrentIndex(fields.tareFormat < 2 ? fields.tareFormat : 0);
    tareLabel = new QLabel("Tare Format", &parent);
    addOneDay = MakeCheckBox(parent, "Add 1 day to shelf life?", "addOneDay", fields.addOneDay);
    saveOffline = MakeCheckBox(parent, "Save off-line", "saveOffline", false);
    grid.addWidget(new QLabel("Scale Type", &parent), row, 0);
    grid.addWidget(type, row, 1);
    grid.addWidget(new QLabel("Price Zone", &parent), row + 1, 0);
    grid.addWidget(priceZone, row + 1, 1);
    grid.addWidget(new QLabel("Max. Description Text Length", &parent), row + 2, 0);
    grid.addWidget(maxDesc, row + 2, 1);
    grid.addWidget(tareLabel, row + 3, 0);
    grid.addWidget(tareFormat, row + 3, 1);
    grid.addWidget(addOneDay, row + 4, 0, 1, 2);
    grid.addWidget(saveOffline, row + 5, 0, 1, 2);
}

void ScaleFieldWidgets::Store(const PriceZoneChoices& zones, LinkScaleFields& fields) const
{
    const int zone = priceZone->currentIndex();
    if (zone >= 0 && static_cast<std::size_t>(zone) < zones.zones.size())
        fields.priceZone = zones.zones[static_cast<std::size_t>(zone)];
    fields.maxDescLength = kMaxDescLengths[static_cast<std::size_t>(std::max(0, maxDesc->currentIndex()))];
    fields.tareFormat = static_cast<std::uint16_t>(std::max(0, tareFormat->currentIndex()));
    fields.addOneDay = addOneDay->isChecked();
}

void LogFileWidgets::Build(QWidget& parent, QGridLayout& grid, int row, bool on, const std::string& file)
{
    logging = MakeCheckBox(parent, "Comms &log ON?", "logging", on);
    changeFile = MakeButton(parent, "&Change File...", "changeFile");
    path = new QLabel(&parent);
    path->setObjectName("logFile");
    path->setFrameShape(QFrame::StyledPanel);
    grid.addWidget(logging, row, 0);
    grid.addWidget(changeFile, row, 1);
    grid.addWidget(path, row + 1, 0, 1, 2);
    Show(on, file);
}

void LogFileWidgets::Show(bool on, const std::string& text)
{
    changeFile->setEnabled(on);
    path->setText(QString::fromStdString(text));
}

}  // namespace varnel
