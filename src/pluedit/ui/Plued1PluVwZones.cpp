// The PLU edit window's zone popup: a right click on a price-zone field edits its value in every zone.
#include "pluedit/ui/Plued1PluVw.h"

#include "db/site/LabProp.h"
#include "pluedit/PluEditForm.h"
#include "pluedit/ui/EditPriceZoneValues.h"

#include <QGuiApplication>
#include <QScreen>

namespace varnel {

CEditPriceZoneValues* CPlued1PluVw::ZonePopup() const { return m_zonePopup; }

bool CPlued1PluVw::OnRightButton(QWidget& control, const CLabProp& definition)
{
    if (!m_form.CanEditZoneValues(definition.m_fieldNo)) return false;
    if (m_zonePopup != nullptr) return true;  // one popup at a time
    // The entry typed into the control counts before its zones are shown.
    if (auto* edit = qobject_cast<CNumEdit*>(&control); edit != nullptr && edit->hasFocus()) (void)CommitEdit(*edit);
    const QScreen* screen = control.screen() != nullptr ? control.screen() : QGuiApplication::primaryScreen();
    const QRect workArea = screen != nullptr ? screen->availableGeometry() : QRect();
    const QRect placed(control.mapToGlobal(QPoint(0, 0)), control.size());
    m_zonePopup = new CEditPriceZoneValues(m_form, definition, placed, workArea, m_codePage, this);
    connect(m_zonePopup, &CEditPriceZoneValues::valuesCommitted, this, &CPlued1PluVw::OnZoneValuesCommitted,
            Qt::QueuedConnection);
    m_zonePopup->show();
    m_zonePopup->activateWindow();
    return true;
}

// The popup is done with: it goes, and the fields show what it changed.
void CPlued1PluVw::OnZoneValuesCommitted()
{
    if (m_zonePopup != nullptr) m_zonePopup->deleteLater();
    m_zonePopup = nullptr;
    Refresh();
}

}  // namespace varnel
