// CPluSearchEdit: the edit of the PLU number and POS code searches. Page Up, Page Down, Up and Down
// go to its key sink, the PLU list, which moves its current row while the user types; the edit does
// not see them. Every other key is the edit's.
#pragma once

#include "pluedit/KeyDownSink.h"

#include <QLineEdit>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace varnel {

// The virtual key of Page Up, Page Down, Up and Down; none for any other key.
std::optional<std::uint32_t> ListMoveKey(const QKeyEvent& event);

class CPluSearchEdit final : public QLineEdit {
    Q_OBJECT
public:
    CPluSearchEdit(IKeyDownSink& sink, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    IKeyDownSink& m_sink;
};

}  // namespace varnel
