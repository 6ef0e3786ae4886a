#include "app/frmAbout.h"

#include "app/AppIcon.h"
#include "app/SeparatorLine.h"
#include "ui/AppIdentity.h"
#include "ui/JapaneseFont.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace mervasto {

namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect twips) {
    return placeControl(new QLabel(text, parent), name, twips);
}

void setBlackText(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

void addLine(QWidget* parent, QColor colour, int thickness, int y, int left, int right) {
    auto* const line = new SeparatorLine(colour, thickness, parent);
    placeControl(line, "Line1", QRect(left, y, right - left + 1, thickness));
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setFont(japaneseFont(9));
    setFixedSize(twipsToPixels(5730), twipsToPixels(2970));
    createControls();
    Form_Load();
}

QString frmAbout::versionLine() {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + appVersion();
}

void frmAbout::createControls() {
    auto* const picIcon = addLabel(this, "picIcon", QString(), twipsRect(240, 240, 480, 480));
    picIcon->setPixmap(appIcon().pixmap(picIcon->size()));
    setBlackText(addLabel(this, "lblTitle", QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝ ﾀｲﾄﾙ"),
                          twipsRect(1050, 240, 1605, 240)));
    addLabel(this, "Label1", QString(), twipsRect(2640, 240, 2535, 255));
    addLabel(this, "lblVersion", QString(), twipsRect(1050, 600, 3885, 225));
    setBlackText(addLabel(this, "lblDescription", QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明"),
                          twipsRect(1050, 1125, 3885, 210)));
    addLabel(this, "Label3", QStringLiteral("郵便局発行の郵便番号簿を元に郵便番号を検索します。"),
             twipsRect(1080, 1440, 4455, 375));
    addLabel(this, "Label2", QString(), twipsRect(1080, 1920, 4335, 255));

    // An etched separator: a grey line with a white one under it.
    const int lineY = twipsToPixels(2280);
    addLine(this, palette().color(QPalette::Dark), 1, lineY, twipsToPixels(120),
            twipsToPixels(5684));
    addLine(this, Qt::white, 2, lineY + 1, twipsToPixels(120), twipsToPixels(5644));

    auto* const cmdOK = placeControl(new QPushButton(QStringLiteral("OK"), this), "cmdOK",
                                     twipsRect(4200, 2520, 1380, 345));
    cmdOK->setDefault(true);
    cmdOK->setAccessibleDescription(QStringLiteral("バージョン情報を閉じます。"));
    picIcon->setAccessibleName(appTitle());
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    // Esc rejects the dialog, which closes it just as OK does.
    connect(this, &QDialog::rejected, this, &frmAbout::cmdOK_Click);
}

void frmAbout::Form_Load() {
    setWindowTitle(appTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    findChild<QLabel*>(QStringLiteral("lblVersion"))->setText(versionLine());
    findChild<QLabel*>(QStringLiteral("Label1"))->setText(QStringLiteral("メルバストソフト"));
    findChild<QLabel*>(QStringLiteral("Label2"))
        ->setText(QStringLiteral("Copyright (C) メルバストソフト All rights reserved."));
}

void frmAbout::cmdOK_Click() {
    close();
}

} // namespace mervasto
