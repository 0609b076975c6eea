// The yardstick for start-up time and memory: the smallest Qt Widgets window of the same size,
// under the same caption so the same harness waits for it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  const QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Quimo's Flurb Cards"));
  window.resize(487, 513);
  window.show();
  return QApplication::exec();
}
