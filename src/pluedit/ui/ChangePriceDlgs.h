// The three "Change Prices" dialogs on screen, each over its form: CChangePriceDlg (one price, with
// Go To), CChangeZonePriceDlg (the Default and six zone rows under the scroll bar 1049) and
// CChangeMultiPriceDlg (the counter scale price and Price #1 to #5). They share the PLU number (103),
// name (104), "<< &Prev." (1070), "&Next >>" (1069), "&Select" (3), OK and Cancel: each button first
// hands over what was typed, and a refusal leaves the focus where the form says.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QGridLayout;

namespace varnel {

class ChangeMultiPriceForm;
class ChangePriceForm;
class ChangePricesForm;
class ChangeZonePriceForm;

// The part the three share.
class CChangePricesView : public QDialog {
    Q_OBJECT
public:
    void accept() override;

protected:
    CChangePricesView(ChangePricesForm& form, CodePage codePage, QWidget* parent);

    // The form starts on the first show.
    void showEvent(QShowEvent* event) override;
    // The PLU's line, the rows of the dialog (`rows`), then the moves and OK/Cancel.
    void Build(QGridLayout* rows);
    // What was typed goes to the form; false when it refused it (the focus is then where it says).
    virtual bool HandOver() = 0;
    // The form's values into the widgets.
    virtual void Refresh() = 0;
    // The form's PLU line and buttons, then Refresh, then the focus.
    void ShowForm();
    // How the last field left was taken: after a refusal the button press that left it does nothing.
    void NoteLeft(bool refused) { m_refusedOnLeave = refused; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    // An edit left for another control of the dialog.
    virtual void OnEditLeft(QLineEdit& edit);
    void WatchLeaving(QLineEdit& edit);
    CodePage Page() const { return m_codePage; }

private:
    // A move or OK: the hand-over, then the form's step, then the form shown.
    template <class Step>
    void Run(Step step);

    ChangePricesForm& m_base;
    CodePage m_codePage;
    QLabel* m_plu;
    QLabel* m_name;
    QPushButton* m_next;
    QPushButton* m_prev;
    bool m_started = false;
    bool m_refusedOnLeave = false;
    bool m_busy = false;
};

class CChangePriceDlg final : public CChangePricesView {
    Q_OBJECT
public:
    CChangePriceDlg(ChangePriceForm& form, CodePage codePage, QWidget* parent = nullptr);

protected:
    bool HandOver() override;
    void Refresh() override;

private:
    ChangePriceForm& m_form;
    QLineEdit* m_amount;
    QComboBox* m_flag;
    QLabel* m_flagLabel;
    QLineEdit* m_goTo;
};

class CChangeZonePriceDlg final : public CChangePricesView {
    Q_OBJECT
public:
    CChangeZonePriceDlg(ChangeZonePriceForm& form, CodePage codePage, QWidget* parent = nullptr);

protected:
    bool HandOver() override;
    void Refresh() override;
    void OnEditLeft(QLineEdit& edit) override;

private:
    static constexpr int kRows = 7;  // the Default row and six zone rows
    // -1 for the Default row, as the form numbers them.
    static int FormRow(int row) { return row - 1; }

    ChangeZonePriceForm& m_form;
    std::array<QLabel*, kRows> m_labels{};
    std::array<QLineEdit*, kRows> m_amounts{};
    std::array<QComboBox*, kRows> m_flags{};
    QScrollBar* m_bar;
    bool m_filling = false;
};

class CChangeMultiPriceDlg final : public CChangePricesView {
    Q_OBJECT
public:
    CChangeMultiPriceDlg(ChangeMultiPriceForm& form, CodePage codePage, QWidget* parent = nullptr);

protected:
    bool HandOver() override;
    void Refresh() override;
    void OnEditLeft(QLineEdit& edit) override;

private:
    static constexpr int kRows = 6;

    void PassRows();

    ChangeMultiPriceForm& m_form;
    std::array<QLabel*, kRows> m_labels{};
    std::array<QLineEdit*, kRows> m_amounts{};
    std::array<QComboBox*, kRows> m_flags{};
    bool m_filling = false;
};

}  // namespace varnel
