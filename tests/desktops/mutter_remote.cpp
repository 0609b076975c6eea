// Keys and screenshots for GNOME's mutter, through its remote-desktop and screen-cast D-Bus
// services (DBUS_SESSION_BUS_ADDRESS names the session's bus):
//
//   mutter-remote keys      reads chords from standard input, one a line, as keysyms joined by
//                           '+' (0xffe9+0xffc1 for Alt+F4), and presses each on a virtual
//                           keyboard that stays for the life of the command: mutter drops the
//                           first key of a new keyboard; prints "ready" once it takes keys
//   mutter-remote shot OUT.png
//                           records the monitor through PipeWire, one frame, saved as PNG
//                           (gst-launch-1.0 with pipewiresrc)

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
const QString kCastService = QStringLiteral("org.gnome.Mutter.ScreenCast");

std::optional<QString> createSession(const QString& service, const QString& path,
                                     const QString& interface, const QVariantList& arguments) {
  QDBusInterface manager(service, path, interface);
  const QDBusReply<QDBusObjectPath> reply =
      manager.callWithArgumentList(QDBus::Block, QStringLiteral("CreateSession"), arguments);
  if (!reply.isValid()) {
    std::fprintf(stderr, "mutter-remote: %s\n", qPrintable(reply.error().message()));
    return std::nullopt;
  }
  return reply.value().path();
}

void pressChord(QDBusInterface& session, const QString& chord) {
  QList<uint> keysyms;
  for (const QString& key : chord.split(QLatin1Char('+'))) {
    keysyms.append(key.toUInt(nullptr, 0));
  }
  for (const uint keysym : keysyms) {
    session.call(QStringLiteral("NotifyKeyboardKeysym"), keysym, true);
  }
  // Released in the reverse order.
  for (qsizetype index = keysyms.size(); index-- > 0;) {
    session.call(QStringLiteral("NotifyKeyboardKeysym"), keysyms.at(index), false);
  }
}

int typeKeys() {
  const auto path =
      createSession(kService, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), kService, {});
  if (!path) {
    return 1;
  }
  QDBusInterface session(kService, *path, kService + QStringLiteral(".Session"));
  session.call(QStringLiteral("Start"));
  // mutter ignores the keys of the first second after Start and the first key of the new
  // keyboard: a modifier alone, then a second, before anything counts.
  constexpr unsigned kShiftL = 0xffe1;
  pressChord(session, QString::number(kShiftL));
  QThread::sleep(1);
  pressChord(session, QString::number(kShiftL));
  std::puts("ready");
  std::fflush(stdout);
  std::string line;
  while (std::getline(std::cin, line)) {
    pressChord(session, QString::fromStdString(line).trimmed());
    std::puts("done");
    std::fflush(stdout);
  }
  session.call(QStringLiteral("Stop"));
  return 0;
}

// Takes the PipeWire node that mutter announces for the stream.
class StreamWatch : public QObject {
  Q_OBJECT

 public:
  explicit StreamWatch(QEventLoop& loop) : loop_(loop) {}
  uint node() const { return node_; }

  // A slot for QDBusConnection::connect, which names it.
  Q_SLOT void onStreamAdded(uint nodeId) {
    node_ = nodeId;
    loop_.quit();
  }

 private:
  QEventLoop& loop_;
  uint node_ = 0;
};

int screenshot(const QString& file) {
  const auto sessionPath = createSession(
      kCastService, QStringLiteral("/org/gnome/Mutter/ScreenCast"), kCastService, {QVariantMap{}});
  if (!sessionPath) {
    return 1;
  }
  QDBusInterface session(kCastService, *sessionPath, kCastService + QStringLiteral(".Session"));
  const QDBusReply<QDBusObjectPath> stream =
      session.call(QStringLiteral("RecordMonitor"), QString(), QVariantMap{});
  if (!stream.isValid()) {
    std::fprintf(stderr, "mutter-remote: %s\n", qPrintable(stream.error().message()));
    return 1;
  }
  QEventLoop loop;
  StreamWatch watch(loop);
  QDBusConnection::sessionBus().connect(
      kCastService, stream.value().path(), kCastService + QStringLiteral(".Stream"),
      QStringLiteral("PipeWireStreamAdded"), &watch, SLOT(onStreamAdded(uint)));
  session.call(QStringLiteral("Start"));
  constexpr int kPatienceMs = 10000;
  QTimer::singleShot(kPatienceMs, &loop, &QEventLoop::quit);
  loop.exec();
  const uint node = watch.node();
  if (node == 0) {
    std::fputs("mutter-remote: no PipeWire stream\n", stderr);
    return 1;
  }
  // A pipeline that cannot start may wait for ever: bounded, so that the caller can try again.
  QProcess pipeline;
  pipeline.setProcessChannelMode(QProcess::ForwardedChannels);
  pipeline.start(
      QStringLiteral("gst-launch-1.0"),
      {QStringLiteral("-q"), QStringLiteral("pipewiresrc"), QStringLiteral("path=%1").arg(node),
       QStringLiteral("num-buffers=1"), QStringLiteral("!"), QStringLiteral("videoconvert"),
       QStringLiteral("!"), QStringLiteral("pngenc"), QStringLiteral("!"),
       QStringLiteral("filesink"), QStringLiteral("location=%1").arg(file)});
  if (!pipeline.waitForFinished(kPatienceMs)) {
    std::fputs("mutter-remote: the screen-cast pipeline did not finish\n", stderr);
    pipeline.kill();
    pipeline.waitForFinished();
  }
  const int status = pipeline.exitStatus() == QProcess::NormalExit ? pipeline.exitCode() : 1;
  session.call(QStringLiteral("Stop"));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments().mid(1);
  if (arguments.size() == 1 && arguments.at(0) == u"keys") {
    return typeKeys();
  }
  if (arguments.size() == 2 && arguments.at(0) == u"shot") {
    return screenshot(arguments.at(1));
  }
  std::fputs("usage: mutter-remote keys | shot OUT.png\n", stderr);
  return 2;
}

#include "mutter_remote.moc"
