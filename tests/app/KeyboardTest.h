#pragma once

#include <QObject>

// The main window's keyboard: Enter, Tab and the access keys.
class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void enterMovesToTheNextTabPosition_data();
    void enterMovesToTheNextTabPosition();
    void enterPressesTheFocusedButton();
    void enterWithoutFocusDoesNothing();
    void otherKeysReachTheTextBox();
    void tabVisitsTheControlsInOrder();
    void accessKeysReachTheirControls();
};
