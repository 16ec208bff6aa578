#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QList>
#include <QObject>
#include <QString>

#include "ports/tray.h"
#include "qt/qt_tray.h"

namespace vesperon {

// One picture of an item: width, height and ARGB32 pixels in network byte
// order, the (iiay) of the protocol.
struct SniPixmap {
  int width = 0;
  int height = 0;
  QByteArray pixels;
};
using SniPixmaps = QList<SniPixmap>;

// (sa(iiay)ss): icon name, pictures, title, description.
struct SniToolTip {
  QString iconName;
  SniPixmaps pixmaps;
  QString title;
  QString description;
};

}  // namespace vesperon

Q_DECLARE_METATYPE(vesperon::SniPixmap)
Q_DECLARE_METATYPE(vesperon::SniToolTip)

namespace vesperon {

QDBusArgument& operator<<(QDBusArgument& argument, const SniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const SniToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& argument, SniToolTip& tip);

// The icon as a StatusNotifierItem on the session bus, for panels that show
// items over D-Bus (KDE Plasma, GNOME with its AppIndicator extension,
// waybar, ...). It lives under a bus name of its own and registers with the
// watcher when made; it is gone with the object. The host's Activate and
// ContextMenu come back as mouse messages 513 and 517.
class StatusNotifierItem : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ Category)
  Q_PROPERTY(QString Id READ Id)
  Q_PROPERTY(QString Title READ Title)
  Q_PROPERTY(QString Status READ Status)
  Q_PROPERTY(int WindowId READ WindowId)
  Q_PROPERTY(QString IconName READ NoName)
  Q_PROPERTY(vesperon::SniPixmaps IconPixmap READ IconPixmap)
  Q_PROPERTY(QString OverlayIconName READ NoName)
  Q_PROPERTY(vesperon::SniPixmaps OverlayIconPixmap READ NoPixmaps)
  Q_PROPERTY(QString AttentionIconName READ NoName)
  Q_PROPERTY(vesperon::SniPixmaps AttentionIconPixmap READ NoPixmaps)
  Q_PROPERTY(QString AttentionMovieName READ NoName)
  Q_PROPERTY(vesperon::SniToolTip ToolTip READ ToolTip)
  Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
  Q_PROPERTY(QDBusObjectPath Menu READ Menu)

 public:
  StatusNotifierItem(QDBusConnection bus, const NotifyIconData& data,
                     TrayMouseMessageHandler onMouseMessage);
  ~StatusNotifierItem() override;

  void Update(const NotifyIconData& data);
  const QString& ServiceName() const { return serviceName_; }

  QString Category() const { return QStringLiteral("ApplicationStatus"); }
  QString Id() const { return QStringLiteral("vesperon"); }
  QString Title() const { return QStringLiteral("Vesperon"); }
  QString Status() const { return QStringLiteral("Active"); }
  int WindowId() const { return 0; }
  QString NoName() const { return {}; }
  SniPixmaps IconPixmap() const { return icon_; }
  SniPixmaps NoPixmaps() const { return {}; }
  SniToolTip ToolTip() const;
  bool ItemIsMenu() const { return false; }
  // No menu over D-Bus: the host asks for ours with ContextMenu.
  QDBusObjectPath Menu() const { return QDBusObjectPath(QStringLiteral("/NO_DBUSMENU")); }

 public slots:
  Q_SCRIPTABLE void Activate(int x, int y);
  Q_SCRIPTABLE void ContextMenu(int x, int y);
  Q_SCRIPTABLE void SecondaryActivate(int x, int y);
  Q_SCRIPTABLE void Scroll(int delta, const QString& orientation);

 signals:
  Q_SCRIPTABLE void NewIcon();
  Q_SCRIPTABLE void NewToolTip();

 private:
  QDBusConnection bus_;
  QString serviceName_;
  SniPixmaps icon_;
  QString tip_;
  TrayMouseMessageHandler onMouseMessage_;
};

}  // namespace vesperon
