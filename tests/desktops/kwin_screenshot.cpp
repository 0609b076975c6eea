// A screenshot of KDE's kwin through its D-Bus screenshot service (kwin started with
// KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1):
//
//   kwin-screenshot OUT.png
//
// kwin writes the raw pixels into a pipe and answers with their size and format.

#include <array>
#include <cstdio>

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QVariantMap>

int main(int argc, char** argv) {
  const QGuiApplication application(argc, argv);
  if (QGuiApplication::arguments().size() != 2) {
    std::fputs("usage: kwin-screenshot OUT.png\n", stderr);
    return 2;
  }
  std::array<int, 2> pipe{-1, -1};
  if (::pipe(pipe.data()) != 0) {
    return 1;
  }
  QDBusInterface screenshot(QStringLiteral("org.kde.KWin"),
                            QStringLiteral("/org/kde/KWin/ScreenShot2"),
                            QStringLiteral("org.kde.KWin.ScreenShot2"));
  const QDBusReply<QVariantMap> reply =
      screenshot.call(QStringLiteral("CaptureWorkspace"),
                      // The output's own pixels, not its logical ones.
                      QVariantMap{{QStringLiteral("native-resolution"), true}},
                      QVariant::fromValue(QDBusUnixFileDescriptor(pipe[1])));
  ::close(pipe[1]);
  if (!reply.isValid()) {
    std::fprintf(stderr, "kwin-screenshot: %s\n", qPrintable(reply.error().message()));
    return 1;
  }
  QFile source;
  if (!source.open(pipe[0], QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
    return 1;
  }
  const QByteArray pixels = source.readAll();
  const QVariantMap facts = reply.value();
  const int width = facts.value(QStringLiteral("width")).toInt();
  const int height = facts.value(QStringLiteral("height")).toInt();
  const int stride = facts.value(QStringLiteral("stride")).toInt();
  const auto format = static_cast<QImage::Format>(facts.value(QStringLiteral("format")).toInt());
  if (pixels.size() < static_cast<qsizetype>(stride) * height) {
    std::fputs("kwin-screenshot: short image\n", stderr);
    return 1;
  }
  const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), width, height, stride,
                     format);
  return image.save(QGuiApplication::arguments().at(1)) ? 0 : 1;
}
