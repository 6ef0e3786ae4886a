#pragma once

#include <QObject>

// The menus, the windows they open and the About box.
class MenuTest : public QObject {
    Q_OBJECT

private slots:
    void menuTreeMatchesTheLayout_data();
    void menuTreeMatchesTheLayout();
    void editCommandsActOnTheFocusedTextBox_data();
    void editCommandsActOnTheFocusedTextBox();
    void editCommandsLeaveOtherControlsAlone();
    void helpOpensTheHelpFile();
    void closeLeavesTheAboutBoxOpen();

    void nationalBuilderIsModal();
    void officeBuilderIsModelessAndSingle();
    void aboutBoxIsModelessAndSingle();
    void aboutBoxShowsTheVersion();
    void aboutBoxClosesWithEnterAndEsc_data();
    void aboutBoxClosesWithEnterAndEsc();
};
