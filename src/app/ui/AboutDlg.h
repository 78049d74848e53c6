// The About box: the program's name and version and the maker's notice, with OK.
#pragma once

#include <QDialog>

namespace varnel {

class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace varnel
