// orvel-batch --rcode: R Language menu commands run after the macro, by their menu texts
// without mnemonic and dots ("Summary Statistis", "Scatter Plot", "How To Use").
#pragma once

#include <string>
#include <vector>

#include "app/orvel_view.h"

namespace orvel::batch {

// True when `name` is a command of the R Language menu.
bool IsRCodeMenuName(const std::string& name);

// Runs the commands in order; returns what they put on the clipboard, one after the other,
// with LF line ends (a command that copies nothing adds nothing).
std::string RunRCodeCommands(CORVELView& view, const std::vector<std::string>& names);

}  // namespace orvel::batch
