#include "app/EditCommand.h"

#include <QApplication>
#include <QLineEdit>

namespace mervasto {

void applyToFocusedTextBox(EditCommand command) {
    auto* const textBox = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!textBox)
        return;
    switch (command) {
    case EditCommand::Undo:
        textBox->undo();
        break;
    case EditCommand::Cut:
        textBox->cut();
        break;
    case EditCommand::Copy:
        textBox->copy();
        break;
    case EditCommand::Paste:
        textBox->paste();
        break;
    }
}

} // namespace mervasto
