#pragma once

#include <QObject>

// The main window's controls, start-up, activation check and closing.
class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsMatchTheLayout_data();
    void controlsMatchTheLayout();
    void controlsStartInTheirFirstState();
    void resizingStretchesOnlyTheSeparatorLines();

    void startUpLoadsTheIndexAndShowsItsDate_data();
    void startUpLoadsTheIndexAndShowsItsDate();
    void anIndexWithoutFirstKeyIsWarnedAbout_data();
    void anIndexWithoutFirstKeyIsWarnedAbout();
    void theWarningComesBackAfterAnotherWindowOnly();

    void storedPositionIsApplied_data();
    void storedPositionIsApplied();
    void aPositionThatIsNotANumberStillLoadsTheIndex();
    void closingStoresThePosition();

    void aSecondCopyIsRefused();
    void aLockLeftByACrashedCopyDoesNotBlock();
    void aLockThatCannotBeWrittenRefusesNothing();

    void screenReadersHearEveryControl_data();
    void screenReadersHearEveryControl();
};
