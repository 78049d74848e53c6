// The splash window shown while a normal start opens its database: 400 x 250 pixels, top-most, in
// the middle of the screen, gone once the start-up document is ready.
#pragma once

#include <QWidget>

namespace varnel {

class CSplashDlg final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 250;

    explicit CSplashDlg(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace varnel
