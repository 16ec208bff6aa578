#pragma once

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <cstdint>

namespace vesperon {

// Which notification areas the desktop offers now: a StatusNotifierItem
// host behind the session bus's org.kde.StatusNotifierWatcher, and an
// XEmbed system tray owning the X selection _NET_SYSTEM_TRAY_S<screen>.
// Both are followed through notifications (the watcher's name owner and
// host signals, X's selection-owner events), never by polling, so waiting
// costs nothing. The state at construction is read at once.
class TrayHostWatch : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit TrayHostWatch(QDBusConnection bus);
  ~TrayHostWatch() override;

  bool StatusNotifierHost() const { return statusNotifierHost_; }
  bool XEmbedTray() const { return xembedTray_; }
  QDBusConnection Bus() const { return bus_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 signals:
  // Either kind of host came or went, or the watcher was replaced.
  void changed();

 private slots:
  void OnWatcherOwnerChanged(const QString& service, const QString& oldOwner,
                             const QString& newOwner);
  void OnHostsChanged();

 private:
  void AskWhetherHostRegistered();
  void SetStatusNotifierHost(bool present);
  void WatchXEmbedSelection();

  QDBusConnection bus_;
  QDBusServiceWatcher watcherWatch_;
  bool statusNotifierHost_ = false;
  bool xembedTray_ = false;
  // The X side, when the program runs on X.
  void* xcb_ = nullptr;  // xcb_connection_t
  std::uint32_t selection_ = 0;
  std::uint32_t xembedOwner_ = 0;
  std::uint8_t selectionNotifyType_ = 0;
};

}  // namespace vesperon
