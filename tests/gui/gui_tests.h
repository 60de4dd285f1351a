// Shared helpers of the GUI tests.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

namespace orvel::gui::testing {

// Every test class registers itself here (a static registrar in its source).
std::vector<QObject*>& AllTests();
template <class T>
struct Register {
  Register() { AllTests().push_back(new T); }
};

// Acts on the next modal window (message box, dialog) as soon as it is shown: the test's
// command blocks in the window's own event loop until `act` closes it. Gives up after two
// seconds so that a missing window fails the test instead of hanging it.
inline void WhenModalShows(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && clock->elapsed() < 2000) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (modal != nullptr) act(modal);
  });
  timer->start(5);
}

// Types a path into the next file dialog and accepts it; `then` runs before the dialog closes
// (to expect the window that follows it).
inline void ChooseFileInNextDialog(const QString& path, std::function<void()> then = {}) {
  WhenModalShows([path, then](QWidget* w) {
    auto* edit = w->findChild<QLineEdit*>("fileNameEdit");
    if (edit == nullptr) return static_cast<QDialog*>(w)->reject();
    edit->setText(path);
    if (then) then();
    static_cast<QDialog*>(w)->accept();
  });
}

// Pixels of the image that are not white.
inline int InkedPixels(const QImage& image) {
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += image.pixel(x, y) != qRgb(255, 255, 255);
  return inked;
}

}  // namespace orvel::gui::testing
