#pragma once

namespace mervasto {

// The Edit menu's commands. Each acts on the text box that has the focus, as the standard
// edit keys would; on any other control it does nothing.
enum class EditCommand { Undo, Cut, Copy, Paste };

void applyToFocusedTextBox(EditCommand command);

} // namespace mervasto
