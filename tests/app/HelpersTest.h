#pragma once

#include <QObject>

// The small pieces under the windows: stored positions, dates, file filters, the result
// model and the desktop-session check.
class HelpersTest : public QObject {
    Q_OBJECT

private slots:
    void storedTwipsReadsOnlyNumbers_data();
    void storedTwipsReadsOnlyNumbers();
    void positionIsStoredInTwips();
    void fileFiltersTakeQtForm_data();
    void fileFiltersTakeQtForm();
    void resultModelGrowsAndStartsAfresh();
    void aDesktopSessionIsNeeded_data();
    void aDesktopSessionIsNeeded();
};
