#include "platform/linux/tray_host_watch.h"

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

namespace vesperon {

namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kWatcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
// A watcher that does not answer this soon is taken for none; it can only
// delay the start by this much.
constexpr int kStartAnswerMs = 300;

QDBusMessage IsHostRegisteredCall() {
  QDBusMessage call = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  call << kWatcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
  return call;
}

bool IsTrue(const QDBusMessage& reply) {
  return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
         reply.arguments().first().value<QDBusVariant>().variant().toBool();
}

// The X screen the display names: ":0" is 0, ":0.1" is 1.
int ScreenNumber() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr) return 0;
  const std::string name(display);
  const auto colon = name.rfind(':');
  const auto dot = name.find('.', colon == std::string::npos ? 0 : colon);
  return dot == std::string::npos ? 0 : std::atoi(name.c_str() + dot + 1);
}

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

}  // namespace

TrayHostWatch::TrayHostWatch(QDBusConnection bus)
    : bus_(bus), watcherWatch_(kWatcherService, bus, QDBusServiceWatcher::WatchForOwnerChange) {
  if (bus_.isConnected()) {
    connect(&watcherWatch_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &TrayHostWatch::OnWatcherOwnerChanged);
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
      bus_.connect(kWatcherService, kWatcherPath, kWatcherInterface, QString::fromLatin1(signal),
                   this, SLOT(OnHostsChanged()));
    // Asked once and waited for: the icon's first home depends on it.
    statusNotifierHost_ = IsTrue(bus_.call(IsHostRegisteredCall(), QDBus::Block, kStartAnswerMs));
  }
  WatchXEmbedSelection();
}

TrayHostWatch::~TrayHostWatch() {
  if (xcb_ != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

void TrayHostWatch::OnWatcherOwnerChanged(const QString&, const QString&, const QString& newOwner) {
  if (newOwner.isEmpty()) {
    SetStatusNotifierHost(false);
    return;
  }
  // A new watcher: items must register with it again, whatever it says of hosts.
  emit changed();
  AskWhetherHostRegistered();
}

void TrayHostWatch::OnHostsChanged() { AskWhetherHostRegistered(); }

void TrayHostWatch::AskWhetherHostRegistered() {
  auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(IsHostRegisteredCall()), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    SetStatusNotifierHost(IsTrue(call->reply()));
    call->deleteLater();
  });
}

void TrayHostWatch::SetStatusNotifierHost(bool present) {
  if (present == statusNotifierHost_) return;
  statusNotifierHost_ = present;
  emit changed();
}

// XFixes tells of every change of the selection's owner, including its
// window going away, without the root window's event mask being touched.
void TrayHostWatch::WatchXEmbedSelection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  if (connection == nullptr) return;
  const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
  if (xfixes == nullptr || !xfixes->present) return;
  ReplyPtr<xcb_xfixes_query_version_reply_t> version(
      xcb_xfixes_query_version_reply(
          connection,
          xcb_xfixes_query_version(connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
          nullptr),
      &std::free);
  if (!version) return;

  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int n = ScreenNumber(); n > 0 && screens.rem > 1; --n) xcb_screen_next(&screens);
  if (screens.rem == 0) return;
  const xcb_window_t root = screens.data->root;

  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(ScreenNumber());
  ReplyPtr<xcb_intern_atom_reply_t> atom(
      xcb_intern_atom_reply(
          connection,
          xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str()),
          nullptr),
      &std::free);
  if (!atom) return;

  xcb_ = connection;
  selection_ = atom->atom;
  selectionNotifyType_ =
      static_cast<std::uint8_t>(xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY);
  QCoreApplication::instance()->installNativeEventFilter(this);
  xcb_xfixes_select_selection_input(connection, root, selection_,
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
  ReplyPtr<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection_),
                                    nullptr),
      &std::free);
  xembedOwner_ = owner ? owner->owner : XCB_NONE;
  xembedTray_ = xembedOwner_ != XCB_NONE;
  xcb_flush(connection);
}

bool TrayHostWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (xcb_ == nullptr || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != selectionNotifyType_) return false;
  const auto* notify = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(event);
  if (notify->selection != selection_) return false;
  const std::uint32_t owner =
      notify->subtype == XCB_XFIXES_SELECTION_EVENT_SET_SELECTION_OWNER ? notify->owner : XCB_NONE;
  // A tray replaced by another counts as a change: icons must dock anew.
  if (owner != xembedOwner_) {
    xembedOwner_ = owner;
    xembedTray_ = owner != XCB_NONE;
    emit changed();
  }
  return true;
}

}  // namespace vesperon
