// Shared helpers of the GUI tests.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
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

}  // namespace orvel::gui::testing
