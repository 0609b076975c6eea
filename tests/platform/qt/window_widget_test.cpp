#include "platform/qt/window_widget.h"

#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "cards/card_window.h"
#include "support/synthetic_pictures.h"

namespace flurb::platform::qt {
namespace {

class RealWindow : public ::testing::Test {
 protected:
  RealWindow() {
    widget.show();
    widget.activateWindow();
    widget.focusTheFocusBox();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
  }

  // Delivers a key the way the window system does, to whatever holds the focus.
  static void deliver(QEvent::Type type, int key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, 0, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
  }

  bool focusBoxHasFocus() const {
    const QWidget* focused = QApplication::focusWidget();
    const PixelRect box = window.focusBox.pixelRect();
    return focused != nullptr && focused->parentWidget() == &widget &&
           focused->geometry() == QRect(box.left, box.top, box.width, box.height);
  }

  cards::CardWindow window{15};
  const testing::SyntheticPictureStore pictures;
  std::vector<std::int16_t> keyDowns;
  WindowWidget widget{
      window, pictures, window.focusBox,
      [this](std::int16_t& keyCode, std::int16_t& /*shift*/) { keyDowns.push_back(keyCode); }};
};

TEST_F(RealWindow, EveryPressAndEveryAutoRepeatRaisesOneKeyDown) {
  ASSERT_TRUE(focusBoxHasFocus());
  deliver(QEvent::KeyPress, Qt::Key_A);
  for (int repeat = 0; repeat < 5; ++repeat) {
    deliver(QEvent::KeyRelease, Qt::Key_A, true);
    deliver(QEvent::KeyPress, Qt::Key_A, true);
  }
  deliver(QEvent::KeyRelease, Qt::Key_A);
  EXPECT_EQ(keyDowns, std::vector<std::int16_t>(6, 65));
}

TEST_F(RealWindow, TabIsAKeyLikeAnyOtherAndTheFocusStays) {
  deliver(QEvent::KeyPress, Qt::Key_Tab);
  deliver(QEvent::KeyPress, Qt::Key_Backtab);
  EXPECT_EQ(keyDowns, (std::vector<std::int16_t>{9, 9}));
  EXPECT_TRUE(focusBoxHasFocus());
}

TEST_F(RealWindow, AClickAnywhereLeavesTheFocusOnTheFocusBox) {
  for (const QPoint place : {QPoint(240, 100), QPoint(60, 400), QPoint(2, 2)}) {
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, place);
    EXPECT_TRUE(focusBoxHasFocus()) << place.x() << "," << place.y();
  }
  deliver(QEvent::KeyPress, Qt::Key_B);
  EXPECT_EQ(keyDowns, std::vector<std::int16_t>{66});
}

TEST_F(RealWindow, TheWindowHasTheCaptionAndTheFixedClientSize) {
  EXPECT_EQ(widget.windowTitle(), QStringLiteral("Quimo's Flurb Cards"));
  EXPECT_EQ(widget.size(), QSize(487, 513));
  EXPECT_EQ(widget.minimumSize(), widget.maximumSize());
  EXPECT_EQ(widget.windowType(), Qt::Window);
  EXPECT_FALSE(widget.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(widget.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(widget.testAttribute(Qt::WA_QuitOnClose));
}

}  // namespace
}  // namespace flurb::platform::qt
