#include "app/qt/clock_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "app/clock_accessibility.h"
#include "app/qt/clock_window.h"

namespace vesperon::qt_view {

namespace {

// One control of the face, by its place in ClockControls.
class FaceControl : public QAccessibleInterface {
 public:
  FaceControl(ClockWindow* clock, int index) : clock_(clock), index_(index) {}

  bool isValid() const override {
    return clock_ && index_ < static_cast<int>(ClockControls(clock_->Model()).size());
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return clock_ ? clock_->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(clock_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return QString::fromStdString(Control().name);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const Rect r = Control().rect;
    return QRect(clock_->mapToGlobal(QPoint(r.left, r.top)), QSize(r.width, r.height));
  }
  QAccessible::Role role() const override {
    if (!isValid()) return QAccessible::NoRole;
    return Control().role == AccessibleRole::Button ? QAccessible::Button : QAccessible::StaticText;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) return state;
    state.disabled = !Control().enabled;
    state.invisible = !clock_->isVisible();
    return state;
  }

 private:
  AccessibleControl Control() const {
    return ClockControls(clock_->Model())[static_cast<std::size_t>(index_)];
  }

  QPointer<ClockWindow> clock_;
  int index_;
};

// The clock window: its widgets (the "!" button) come after the face's
// controls, which are made when first asked for and live as long as it.
class ClockInterface : public QAccessibleWidget {
 public:
  explicit ClockInterface(ClockWindow* clock)
      : QAccessibleWidget(clock, QAccessible::Window), clock_(clock) {}
  ~ClockInterface() override {
    for (const QAccessible::Id id : faces_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return FaceCount() + QAccessibleWidget::childCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0) return nullptr;
    if (index < FaceCount()) return Face(index);
    return QAccessibleWidget::child(index - FaceCount());
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (std::size_t i = 0; i < faces_.size(); ++i)
      if (QAccessible::accessibleInterface(faces_[i]) == child) return static_cast<int>(i);
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget < 0 ? -1 : widget + FaceCount();
  }

 private:
  int FaceCount() const {
    return clock_ ? static_cast<int>(ClockControls(clock_->Model()).size()) : 0;
  }
  QAccessibleInterface* Face(int index) const {
    while (static_cast<int>(faces_.size()) <= index)
      faces_.push_back(QAccessible::registerAccessibleInterface(
          new FaceControl(clock_, static_cast<int>(faces_.size()))));
    return QAccessible::accessibleInterface(faces_[static_cast<std::size_t>(index)]);
  }

  QPointer<ClockWindow> clock_;
  mutable std::vector<QAccessible::Id> faces_;
};

QAccessibleInterface* MakeClockInterface(const QString& className, QObject* object) {
  auto* clock = qobject_cast<ClockWindow*>(object);
  if (clock == nullptr || className != QLatin1String(ClockWindow::staticMetaObject.className()))
    return nullptr;
  return new ClockInterface(clock);
}

}  // namespace

ClockAccessibility::ClockAccessibility(QWidget& clock, const FrmMain& model)
    : clock_(clock), model_(model) {
  // Before the window's first change of title, which asks for its interface.
  QAccessible::installFactory(&MakeClockInterface);
}

void ClockAccessibility::Sync() {
  const QString description = QString::fromStdString(ClockDescription(model_));
  // Told to assistive technology by the widget itself.
  if (description != clock_.accessibleDescription()) clock_.setAccessibleDescription(description);

  const std::string message = model_.LblInfo.visible ? model_.LblInfo.caption : std::string();
  if (message == message_) return;
  message_ = message;
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(&clock_, QAccessible::NameChanged);
  event.setChild(kMessageLineControl);
  QAccessible::updateAccessibility(&event);
}

}  // namespace vesperon::qt_view
