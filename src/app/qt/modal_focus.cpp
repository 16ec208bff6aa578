#include "app/qt/modal_focus.h"

#include <QApplication>
#include <QWindow>

namespace vesperon {

namespace {

bool OwnedBy(const QWindow* window, const QWindow* owner) {
  for (const QWindow* w = window; w != nullptr; w = w->transientParent())
    if (w == owner) return true;
  return false;
}

// Whether the modal window keeps the input from that one: an
// application-modal box from every window but its own; a window-modal
// dialog from the window it belongs to and all else that belongs there.
bool Holds(const QWindow* modal, const QWindow* window) {
  if (OwnedBy(window, modal) || window->type() == Qt::Popup) return false;
  if (modal->modality() == Qt::ApplicationModal) return true;
  const QWindow* owner = modal->transientParent();
  return owner != nullptr && OwnedBy(window, owner);
}

}  // namespace

ModalFocus::ModalFocus(QWidget* modal) {
  connection_ =
      QObject::connect(qApp, &QGuiApplication::focusWindowChanged, modal, [modal](QWindow* focus) {
        const QWindow* own = modal->windowHandle();
        if (focus == nullptr || own == nullptr || QApplication::activeModalWidget() != modal)
          return;
        if (Holds(own, focus)) modal->activateWindow();
      });
}

ModalFocus::~ModalFocus() { QObject::disconnect(connection_); }

}  // namespace vesperon
