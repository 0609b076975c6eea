// The yardstick for start-up time, memory and key press to repaint: the smallest Qt Widgets
// window of the same size, under the same caption so the same harness waits for it, that
// repaints itself on every key press.
#include <QApplication>
#include <QWidget>

namespace {

class BareWindow final : public QWidget {
 protected:
  void keyPressEvent(QKeyEvent* /*event*/) override { update(); }
};

}  // namespace

int main(int argc, char** argv) {
  const QApplication application(argc, argv);
  BareWindow window;
  window.setWindowTitle(QStringLiteral("Quimo's Flurb Cards"));
  window.resize(487, 513);
  window.show();
  return QApplication::exec();
}
