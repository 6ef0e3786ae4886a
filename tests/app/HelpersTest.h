#pragma once

#include <QObject>

// The small pieces under the main window: stored positions, dates, the result model and the
// desktop-session check.
class HelpersTest : public QObject {
    Q_OBJECT

private slots:
    void storedTwipsReadsOnlyNumbers_data();
    void storedTwipsReadsOnlyNumbers();
    void positionIsStoredInTwips();
    void aWindowOutOfReachIsCentred_data();
    void aWindowOutOfReachIsCentred();
    void resultModelGrowsAndStartsAfresh();
    void aDesktopSessionIsNeeded_data();
    void aDesktopSessionIsNeeded();
    void theDesktopCheckTriesEveryChosenPlatform_data();
    void theDesktopCheckTriesEveryChosenPlatform();
    void platformArgumentIsSpelledAsTheToolkitReadsIt();
};
