#pragma once

#include "search/ResultLines.h"

#include <optional>
#include <string>

namespace mervasto {

// A message box that a search shows: OK button, question-mark icon.
struct SearchMessage {
    std::u16string text;
    std::u16string title;
};

// Which stage of the address search listed the lines. The window does not show it; the
// address-list conversion judges its answers by it.
enum class SearchStage {
    None,     // nothing listed, or not an address search
    Index,    // the records of a city chosen by its name, with the key as typed
    Narrowed, // the same, after characters were cut from the key's end
    TextPass, // the scan of every line of ZipCode1.txt
};

// What a search leaves on the main window: the window (or the command-line tool) applies it.
struct SearchOutcome {
    ResultLines lines;                    // List2, in the order found
    std::u16string code;                  // Text1
    bool copyEnabled = false;             // Command3
    std::u16string status;                // panel 1 of StatusBar1
    std::optional<SearchMessage> message; // shown on the error path
    bool beep = false;                    // the search ends with the standard beep
    bool buttonsEnabled = false;          // Command4 and Command1 enabled at the end
    bool focusText2 = false;              // the focus goes back to Text2 at the end
    std::string detail;                   // what failed, for the command-line tool's stderr
    SearchStage stage = SearchStage::None;
};

} // namespace mervasto
