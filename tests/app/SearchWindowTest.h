#pragma once

#include <QObject>

// The search from the window: the search button, the result list, the copy and next-search
// buttons and the mode switch.
class SearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void enterTwiceRunsTheSearch_data();
    void enterTwiceRunsTheSearch();
    void anEmptyKeyAsksForAnAddress();
    void aMissingTextListIsReported();
    void aFailedOfficeSearchLeavesTheFocus();
    void theTextPassShowsEveryLine();

    void choosingALineShowsItsCode_data();
    void choosingALineShowsItsCode();
    void spaceWithoutALineChangesNothing_data();
    void spaceWithoutALineChangesNothing();
    void movingIntoTheListChoosesNothing();
    void copyPutsTheCodeOnTheClipboard_data();
    void copyPutsTheCodeOnTheClipboard();
    void nextSearchClearsTheWindow();
    void theModeSwitchChangesTheTooltip();
    void tablesReplacedElsewhereAreSearchedWithTheirOwnIndex();
};
