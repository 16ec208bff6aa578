#include "private_sound_server.h"

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr char kSink[] = "vesperon";

QProcessEnvironment ClientEnvironment(const QByteArray& address) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("PULSE_SERVER", QString::fromUtf8(address));
  return environment;
}

template <typename Condition>
bool WaitUntil(Condition condition) {
  for (int waited = 0; waited < kStartTimeoutMs; waited += 20) {
    if (condition()) return true;
    QThread::msleep(20);
  }
  return false;
}

}  // namespace

PrivateSoundServer::PrivateSoundServer() {
  const QString runtime = dir_.filePath("runtime");
  if (!QDir().mkpath(runtime) ||
      !QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
    return;
  const QString socket = dir_.filePath("native");

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("HOME", dir_.path());
  environment.insert("XDG_RUNTIME_DIR", runtime);
  environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/vesperon-tests-session");
  environment.remove("PULSE_SERVER");
  daemon_.setProcessEnvironment(environment);
  daemon_.setStandardOutputFile(QProcess::nullDevice());
  daemon_.setStandardErrorFile(dir_.filePath("pulseaudio.log"));
  // No rewinds: what the sink has played keeps its place in time.
  daemon_.start("pulseaudio",
                {"-n", "--daemonize=no", "--exit-idle-time=-1", "--log-target=stderr",
                 QStringLiteral("--load=module-null-sink sink_name=%1 rate=48000 channels=1 "
                                "format=s16le norewinds=1")
                     .arg(kSink),
                 "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
  if (!daemon_.waitForStarted(kStartTimeoutMs)) return;
  pid_ = static_cast<pid_t>(daemon_.processId());

  const QByteArray address = "unix:" + socket.toUtf8();
  const bool answers = WaitUntil([&] {
    QProcess info;
    info.setProcessEnvironment(ClientEnvironment(address));
    info.setStandardOutputFile(QProcess::nullDevice());
    info.setStandardErrorFile(QProcess::nullDevice());
    info.start("pactl", {"info"});
    return info.waitForFinished(kStartTimeoutMs) && info.exitStatus() == QProcess::NormalExit &&
           info.exitCode() == 0;
  });
  if (answers) address_ = address;
}

PrivateSoundServer::~PrivateSoundServer() {
  if (daemon_.state() == QProcess::NotRunning) return;
  Continue();
  daemon_.terminate();
  if (!daemon_.waitForFinished(3000)) {
    daemon_.kill();
    daemon_.waitForFinished(3000);
  }
}

void PrivateSoundServer::Stop() const {
  if (pid_ > 0) kill(pid_, SIGSTOP);
}

void PrivateSoundServer::Continue() const {
  if (pid_ > 0) kill(pid_, SIGCONT);
}

std::vector<std::int16_t> PrivateSoundServer::RecordWhile(const std::function<void()>& action) {
  const QString path = dir_.filePath("recording.raw");
  QFile::remove(path);
  QProcess recorder;
  recorder.setProcessEnvironment(ClientEnvironment(address_));
  recorder.setStandardOutputFile(path);
  recorder.setStandardErrorFile(QProcess::nullDevice());
  recorder.start("parec", {QStringLiteral("--device=%1.monitor").arg(kSink), "--raw",
                           "--format=s16le", "--rate=48000", "--channels=1", "--latency-msec=10"});
  // The sink's monitor sends silence too, so the first bytes mean it runs.
  if (!recorder.waitForStarted(kStartTimeoutMs) ||
      !WaitUntil([&] { return QFileInfo(path).size() > 0; }))
    return {};
  action();
  QThread::msleep(100);
  recorder.terminate();
  recorder.waitForFinished(kStartTimeoutMs);

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size()) / 2);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    const auto low = static_cast<std::uint8_t>(bytes[static_cast<qsizetype>(2 * n)]);
    const auto high = static_cast<std::uint8_t>(bytes[static_cast<qsizetype>(2 * n + 1)]);
    samples[n] = static_cast<std::int16_t>(low | (high << 8));
  }
  return samples;
}
