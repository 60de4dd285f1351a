// The macro language's names: built-in functions, statements and the command keywords that
// run menu commands, with the number of arguments the compiler compiles for each.
#pragma once

#include <string_view>
#include <vector>

namespace orvel {

// Argument count of a statement or function name (0, 1, 2, 3 or 4); -1 for an unknown name.
// The count only decides whether an argument list is compiled; it is never checked.
int MacroNameArgumentCount(std::string_view name);

// The command keywords: each runs one menu command, takes no arguments ("exit" excluded). They
// are the keywords of the program's command table, which defines this list (app/command_table.cpp):
// the compiler needs their names only, never the commands.
const std::vector<std::string_view>& MacroCommandKeywords();

}  // namespace orvel
