#pragma once
// The options window as the machine sees it: the machine shows the window and
// has it load itself. Every other click in the window goes straight to the
// window's own logic (players/options_window.h), which works on the machine.
// Declared here so that core needs nothing of the players' code: whoever owns
// a Machine owns its options window beside it.

namespace velmoran {

class OptionsDialog {
public:
    virtual ~OptionsDialog() = default;
    // The window's load, right after the machine has shown it.
    virtual void Form_Load() = 0;
};

}  // namespace velmoran
