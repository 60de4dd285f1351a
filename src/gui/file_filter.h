// File-dialog filters: the program's "Text files(*.txt)|*.txt|All files(*.*)|*.*||" form
// turned into the name filters of a Qt file dialog.
#pragma once

#include <string>
#include <vector>

namespace orvel::gui {

// One name filter per description|pattern pair, e.g. "Text files(*.txt)" or, when the
// description does not show its pattern, "ORVEL Files (*.ovd)". "*.*" matches every file.
std::vector<std::string> TranslateFileFilter(const std::string& filter);

// The file name a save dialog ends with: `default_extension` appended when the chosen name
// has no extension and the chosen filter is not "all files".
std::string WithDefaultExtension(const std::string& path, const std::string& default_extension);

}  // namespace orvel::gui
