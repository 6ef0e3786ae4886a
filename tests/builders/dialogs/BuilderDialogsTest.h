#pragma once

#include <QObject>

class BuilderDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void controlsMatchTheLayout_data();
    void controlsMatchTheLayout();
    void opensWithCommand1FocusedAndCommand3Hidden_data();
    void opensWithCommand1FocusedAndCommand3Hidden();
    void keysActOnlyOnAFocusedButton_data();
    void keysActOnlyOnAFocusedButton();
    void accessKeysPressAtOnce_data();
    void accessKeysPressAtOnce();
    void screenReadersHearEveryControl_data();
    void screenReadersHearEveryControl();
    void startWithEmptyPathDoesNothing_data();
    void startWithEmptyPathDoesNothing();
    void browseFillsPathUnlessCancelled_data();
    void browseFillsPathUnlessCancelled();
    void completedBuildBeepsAndShowsCommand3_data();
    void completedBuildBeepsAndShowsCommand3();
    void nationalBuildRefillsIndexTable();
    void overwriteAnswers_data();
    void overwriteAnswers();
    void failureShowsErrorAndKeepsEverything_data();
    void failureShowsErrorAndKeepsEverything();
    void substitutionsAreShownAfterTheBuild_data();
    void substitutionsAreShownAfterTheBuild();
    void modalDialogReturnsFromExec_data();
    void modalDialogReturnsFromExec();
    void modelessDialogIsDeletedWhenClosed_data();
    void modelessDialogIsDeletedWhenClosed();
};
