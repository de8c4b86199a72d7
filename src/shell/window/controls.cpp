#include "shell/window/controls.h"

#include "core/machine.h"

namespace velmoran::shell {

void press(Machine& m, El e) {
    switch (e.name) {
        case Element::payline:
            m.payline_Click(e.index);
            return;
        case Element::play:
            m.play_Click(e.index);
            return;
        case Element::COINSIN:
            m.COINSIN_Click();
            return;
        case Element::notes:
            m.notes_Click();
            return;
        case Element::doublebutton:
            m.doublebutton_Click();
            return;
        case Element::takewin:
            m.takewin_Click();
            return;
        case Element::suitbet:
            m.suitbet_Click(e.index);
            return;
        case Element::betred:
            m.betred_Click();
            return;
        case Element::cancelbet:
            m.cancelbet_Click();
            return;
        case Element::betblack:
            m.betblack_Click();
            return;
        case Element::mnuabout:
            m.mnuabout_Click();
            return;
        case Element::mnuzerocredit:
            m.mnuzerocredit_Click();
            return;
        case Element::mnuptble:
            m.mnuptble_Click();
            return;
        case Element::mnuplayer:
            m.mnuplayer_Click();
            return;
        case Element::mnuexit:
            m.mnuexit_Click();
            return;
        case Element::btnunloadpays:
            m.btnunloadpays_Click();
            return;
        case Element::cmdOK:
            m.cmdOK_Click();
            return;
        case Element::cmdtarnby:
            m.cmdtarnby_Click();
            return;
        default:
            return;
    }
}

}  // namespace velmoran::shell
