// Emptying a folder of captures or recordings after the user's confirmation.
#pragma once

#include <string>

// Every file and subfolder of the folder to the recycle bin, without the shell's own question.
// A missing folder raises E_INVALIDARG; a failed shell operation raises its result.
void SmazatObsahSlozkyOpisu(const std::wstring& slozka);

// The whole sequence: a missing folder is reported (no question); otherwise the user is asked
// (No is the default) and on Yes the folder is emptied; a failed deletion is reported.
// True when the folder was emptied.
bool VyprazdnitSlozkuSDotazem(const std::wstring& slozka);
