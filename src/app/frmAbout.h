#pragma once

#include <QDialog>

namespace mervasto {

// The About box: the program's title, version and purpose, and the maker's notice. OK is both
// the default and the cancel button, so Enter and Esc close it as well as the close box.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    // "ﾊﾞｰｼﾞｮﾝ " and the program's version, e.g. "ﾊﾞｰｼﾞｮﾝ 1.1.0".
    static QString versionLine();

private:
    void createControls();
    void Form_Load();
    void cmdOK_Click();
};

} // namespace mervasto
