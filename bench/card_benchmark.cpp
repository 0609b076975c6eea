// How long a key's card takes, from the key code to the finished client-area image: the
// handler (a letter decodes its picture anew every time) and the full repaint; on a screen that
// scales, the picture's rendering at the ratio, or the next larger one reduced.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "cards/card_window.h"
#include "cards/key_dispatch.h"
#include "platform/drawing.h"
#include "platform/qt/painter_canvas.h"
#include "resources/letter_picture_store.h"

namespace {

struct Window {
  explicit Window(double devicePixelRatio) : cards(devicePixelRatio) {
    cards.setFrameExtents({.left = 1, .right = 1, .top = 20, .bottom = 1});
  }
  flurb::cards::CardWindow cards;
  flurb::resources::LetterPictureStore pictures;
  QImage canvas{cards.clientPixels().width, cards.clientPixels().height, QImage::Format_RGB32};

  void pressAndPaint(std::int16_t keyCode) {
    const std::int16_t shift = 0;
    flurb::cards::onKeyDown(cards, pictures, keyCode, shift);
    QPainter painter(&canvas);
    flurb::platform::qt::PainterCanvas painterCanvas(painter);
    flurb::platform::paintWindow(painterCanvas, cards, flurb::platform::ClassicColours(), pictures);
  }
};

void keysInTurn(benchmark::State& state, char first, char last, double devicePixelRatio = 1) {
  Window window(devicePixelRatio);
  char key = first;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop idiom
    window.pressAndPaint(key);
    benchmark::DoNotOptimize(window.canvas.constBits());
    key = key == last ? first : static_cast<char>(key + 1);
  }
}

void letterCard(benchmark::State& state) {
  keysInTurn(state, 'A', 'Z');
}
void letterCardAtRatio2(benchmark::State& state) {
  keysInTurn(state, 'A', 'Z', 2);
}
void letterCardBetweenRenderings(benchmark::State& state) {
  keysInTurn(state, 'A', 'Z', 1.1);
}
void numberCard(benchmark::State& state) {
  keysInTurn(state, '0', '9');
}
void ignoredKey(benchmark::State& state) {
  keysInTurn(state, ' ', ' ');
}

BENCHMARK(letterCard)->Unit(benchmark::kMillisecond);
BENCHMARK(letterCardAtRatio2)->Unit(benchmark::kMillisecond);
BENCHMARK(letterCardBetweenRenderings)->Unit(benchmark::kMillisecond);
BENCHMARK(numberCard)->Unit(benchmark::kMillisecond);
BENCHMARK(ignoredKey)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  const QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
