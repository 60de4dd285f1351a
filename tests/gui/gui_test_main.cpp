// The GUI test program: one QApplication for all test classes, the "C" numeric locale as the
// program sets it, and the profile in QSettings' test location.
#include <QApplication>
#include <QStandardPaths>
#include <QtTest>
#include <clocale>

#include "gui/qt_canvas.h"
#include "gui_tests.h"

namespace orvel::gui::testing {
std::vector<QObject*>& AllTests() {
  static std::vector<QObject*> tests;
  return tests;
}
}  // namespace orvel::gui::testing

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QStandardPaths::setTestModeEnabled(true);
  QApplication::setOrganizationName("ORVEL");
  QApplication::setApplicationName("ORVEL");
  orvel::gui::InstallFontSubstitutions();
  int failures = 0;
  for (QObject* test : orvel::gui::testing::AllTests()) {
    failures += QTest::qExec(test, argc, argv);
    delete test;
  }
  orvel::gui::testing::AllTests().clear();
  return failures == 0 ? 0 : 1;
}
