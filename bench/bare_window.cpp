// The yardstick for start-up time and memory: the smallest Qt Widgets window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  const QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare Qt window"));
  window.resize(487, 513);
  window.show();
  return QApplication::exec();
}
