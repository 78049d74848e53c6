// The tray dialogs.
#include "scaledata/ui/TrayDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "scaledata/TrayListForm.h"

#include <QDialogButtonBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace varnel {
namespace {

// The tray as the form draws it, scaled to the widget.
class TrayPictureView final : public QWidget {
public:
    TrayPictureView(const EditTrayForm& form, QWidget* parent) : QWidget(parent), m_form(form)
    {
        setObjectName("trayPicture");
        const int unit = fontMetrics().averageCharWidth();
        setMinimumSize(unit * 70, unit * 20);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        const TrayPicture& picture = m_form.GetPicture();
        const auto at = [this](double x, double y) { return QPointF(x * width(), y * height()); };
        for (const TrayPicture::Line& line : picture.lines) painter.drawLine(at(line.x1, line.y1), at(line.x2, line.y2));
        for (const TrayPicture::Label& label : picture.labels) {
            const QString text = QString::fromStdString(label.text);
            const QPointF centre = at(label.x, label.y);
            const QRectF box(centre.x() - 50, centre.y() - 10, 100, 20);
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }

private:
    const EditTrayForm& m_form;
};

QLabel* MakeLabel(QWidget& parent, std::string_view text)
{
    return new QLabel(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), &parent);
}

}  // namespace

CTrayListDlg::CTrayListDlg(TrayListForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent)
{
    setObjectName("trayListDialog");
    form.SetEditDialog([this, codePage](EditTrayForm& dialog) {
        return CEditTrayDlg(dialog, codePage, this).exec() == QDialog::Accepted;
    });
}

CEditTrayDlg::CEditTrayDlg(EditTrayForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_number(new QLineEdit(QString::fromStdString(form.GetNumberText()), this)),
      m_name(new QLineEdit(ToDisplayText(form.GetName(), codePage), this)), m_picture(new TrayPictureView(form, this))
{
    setObjectName("editTrayDialog");
    setWindowTitle(QString::fromStdString(form.GetTitle()));
    m_number->setObjectName("1156");
    m_number->setMaxLength(4);
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance('0') * 6 + 12);
    m_name->setObjectName("1004");
    m_name->setMaxLength(static_cast<int>(CTrayRec::kNameMax));
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 32);

    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel("Tray No.", this));
    head->addWidget(m_number);
    head->addWidget(new QLabel("Name", this));
    head->addWidget(m_name, 1);

    // The tray's own choices in the first column of label and combo, the three wrap positions in the
    // second, the sizes and weights in the third.
    auto* grid = new QGridLayout;
    int trayRow = 0;
    int wrapRow = 0;
    for (const TrayChoice& choice : EditTrayForm::Choices()) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::number(choice.id));
        for (const std::string& entry : form.EntriesOf(choice)) combo->addItem(QString::fromStdString(entry));
        combo->setCurrentIndex(form.GetChoice(choice));
        const bool wrap = choice.label.starts_with("Wrap Pos.") || choice.label.starts_with("Horiz.") ||
                          choice.label.starts_with("Vert.");
        int& row = wrap ? wrapRow : trayRow;
        grid->addWidget(MakeLabel(*this, choice.label), row, wrap ? 2 : 0);
        grid->addWidget(combo, row, wrap ? 3 : 1);
        ++row;
        m_choices.push_back(combo);
    }
    int measureRow = 0;
    for (const TrayMeasure& measure : EditTrayForm::Measures()) {
        auto* edit = new QLineEdit(QString::fromStdString(form.GetMeasureText(measure)), this);
        edit->setObjectName(QString::number(measure.id));
        edit->setMaxLength(3);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance('0') * 5 + 12);
        grid->addWidget(MakeLabel(*this, measure.label), measureRow, 4);
        grid->addWidget(edit, measureRow, 5);
        ++measureRow;
        m_measures.push_back(edit);
        if (measure.id >= 1160 && measure.id <= 1163) {
            connect(edit, &QLineEdit::editingFinished, this, [this, &measure, edit] {
                m_form.SetMeasureText(measure, edit->text().toStdString());
                m_form.OnMeasureLeft();
                m_picture->update();
            });
        }
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(grid);
    layout->addWidget(m_picture, 1);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditTrayDlg::ReadBack()
{
    m_form.SetNumberText(m_number->text().toStdString());
    m_form.SetName(FromDisplayText(m_name->text(), m_codePage));
    const auto choices = EditTrayForm::Choices();
    for (std::size_t i = 0; i < choices.size(); ++i) m_form.SetChoice(choices[i], m_choices[i]->currentIndex());
    const auto measures = EditTrayForm::Measures();
    for (std::size_t i = 0; i < measures.size(); ++i) m_form.SetMeasureText(measures[i], m_measures[i]->text().toStdString());
}

void CEditTrayDlg::accept()
{
    ReadBack();
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    const int refused = m_form.GetRefusedFocus();
    auto* focus = findChild<QLineEdit*>(QString::number(refused));
    if (!focus) return;
    focus->setFocus(Qt::OtherFocusReason);
    focus->selectAll();
}

}  // namespace varnel
