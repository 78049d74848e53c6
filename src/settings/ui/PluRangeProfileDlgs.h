// "Edit PLU Range Profile" (176) over PluRangeProfileForm: the ranges with "&Add", "&Edit" and
// "&Delete", each of the first two running "Set PLU Range" (177): From and To PLU No. (as many digits
// as the largest PLU number has) and a comment of at most 80 characters; From above To shows 61231
// and keeps the dialog open with the focus on From.
#pragma once

#include <QDialog>

#include <cstddef>
#include <cstdint>
#include <string>

class QLineEdit;
class QListWidget;

namespace varnel {

class PluRangeProfileForm;

class CSetPluRangeDlg final : public QDialog {
    Q_OBJECT
public:
    CSetPluRangeDlg(std::uint32_t from, std::uint32_t to, const std::string& comment, std::size_t digits,
                    QWidget* parent = nullptr);

    std::uint32_t GetFrom() const;
    std::uint32_t GetTo() const;
    std::string GetComment() const;
    void accept() override;

private:
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_comment;
};

class CEditPluRangeProfileDlg final : public QDialog {
    Q_OBJECT
public:
    // `digits`: how many digits a PLU number entry takes.
    CEditPluRangeProfileDlg(PluRangeProfileForm& form, std::size_t digits, QWidget* parent = nullptr);

private:
    void Refill();
    void OnAdd();
    void OnEdit();
    void OnDelete();

    PluRangeProfileForm& m_form;
    std::size_t m_digits;
    QListWidget* m_list;
};

}  // namespace varnel
