// orvel: the desktop program.
#include <QApplication>
#include <QStringList>
#include <clocale>

#include "gui/main_frame.h"
#include "gui/qt_canvas.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt takes the locale from the environment; reports and macro numbers need the decimal point.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setOrganizationName("ORVEL");
  QApplication::setApplicationName("ORVEL");
  orvel::gui::InstallFontSubstitutions();

  orvel::gui::CMainFrame frame;
  frame.showMaximized();
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) frame.OpenDocument(args.at(1));
  return QApplication::exec();
}
