#include "platform/linux/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QImage>
#include <QtEndian>
#include <iostream>

#include "qt/qt_picture_loader.h"

namespace vesperon {

namespace {

const QString kItemPath = QStringLiteral("/StatusNotifierItem");

SniPixmaps PixmapsOf(const Picture& picture) {
  const QImage* image = ImageOf(picture);
  if (image == nullptr || image->isNull()) return {};
  const QImage argb = image->convertToFormat(QImage::Format_ARGB32);
  SniPixmap pixmap{argb.width(), argb.height(), {}};
  pixmap.pixels.resize(static_cast<qsizetype>(argb.width()) * argb.height() * 4);
  auto* out = reinterpret_cast<quint32*>(pixmap.pixels.data());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* row = reinterpret_cast<const quint32*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) *out++ = qToBigEndian(row[x]);
  }
  return {pixmap};
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap) {
  argument.beginStructure();
  argument << pixmap.width << pixmap.height << pixmap.pixels;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap) {
  argument.beginStructure();
  argument >> pixmap.width >> pixmap.height >> pixmap.pixels;
  argument.endStructure();
  return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& tip) {
  argument.beginStructure();
  argument << tip.iconName << tip.pixmaps << tip.title << tip.description;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& tip) {
  argument.beginStructure();
  argument >> tip.iconName >> tip.pixmaps >> tip.title >> tip.description;
  argument.endStructure();
  return argument;
}

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus, const NotifyIconData& data,
                                       TrayMouseMessageHandler onMouseMessage)
    : bus_(bus),
      serviceName_(QStringLiteral("org.kde.StatusNotifierItem-%1-1")
                       .arg(QCoreApplication::applicationPid())),
      onMouseMessage_(std::move(onMouseMessage)) {
  qDBusRegisterMetaType<SniPixmap>();
  qDBusRegisterMetaType<SniPixmaps>();
  qDBusRegisterMetaType<SniToolTip>();
  icon_ = PixmapsOf(data.hIcon);
  tip_ = TipText(data.szTip);

  bus_.registerObject(kItemPath, this,
                      QDBusConnection::ExportAllProperties |
                          QDBusConnection::ExportScriptableSlots |
                          QDBusConnection::ExportScriptableSignals);
  bus_.registerService(serviceName_);
  QDBusMessage registration = QDBusMessage::createMethodCall(
      QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.kde.StatusNotifierWatcher"),
      QStringLiteral("RegisterStatusNotifierItem"));
  registration << serviceName_;
  auto* pending = new QDBusPendingCallWatcher(bus_.asyncCall(registration), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* call) {
    if (call->isError())
      std::cerr << "vesperon: the tray did not take the icon: "
                << call->error().message().toStdString() << '\n';
    call->deleteLater();
  });
}

StatusNotifierItem::~StatusNotifierItem() {
  bus_.unregisterService(serviceName_);
  bus_.unregisterObject(kItemPath);
}

void StatusNotifierItem::Update(const NotifyIconData& data) {
  SniPixmaps icon = PixmapsOf(data.hIcon);
  const QString tip = TipText(data.szTip);
  const bool newIcon = icon.size() != icon_.size() ||
                       (!icon.isEmpty() && icon.first().pixels != icon_.first().pixels);
  icon_ = std::move(icon);
  if (newIcon) emit NewIcon();
  if (tip != tip_) {
    tip_ = tip;
    emit NewToolTip();
  }
}

SniToolTip StatusNotifierItem::ToolTip() const { return {QString(), {}, tip_, QString()}; }

void StatusNotifierItem::Activate(int, int) {
  if (onMouseMessage_) onMouseMessage_(kTrayLeftButtonDown);
}

void StatusNotifierItem::ContextMenu(int, int) {
  if (onMouseMessage_) onMouseMessage_(kTrayRightButtonUp);
}

// The middle button and the wheel do nothing on the icon.
void StatusNotifierItem::SecondaryActivate(int, int) {}
void StatusNotifierItem::Scroll(int, const QString&) {}

}  // namespace vesperon
