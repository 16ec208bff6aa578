#include "app/qt/modal_focus.h"

#include <QApplication>
#include <QWindow>

namespace vesperon::qt_view {

namespace {

// Its own windows: the dialog, a dialog or box it opened, its pop-ups.
bool OwnWindow(const QWindow* modal, const QWindow* window) {
  if (window->type() == Qt::Popup) return true;
  for (const QWindow* w = window; w != nullptr; w = w->transientParent())
    if (w == modal) return true;
  return false;
}

}  // namespace

ModalFocus::ModalFocus(QWidget* modal) {
  connection_ =
      QObject::connect(qApp, &QGuiApplication::focusWindowChanged, modal, [modal](QWindow* focus) {
        const QWindow* own = modal->windowHandle();
        if (focus == nullptr || own == nullptr || QApplication::activeModalWidget() != modal)
          return;
        if (!OwnWindow(own, focus)) modal->activateWindow();
      });
}

ModalFocus::~ModalFocus() { QObject::disconnect(connection_); }

}  // namespace vesperon::qt_view
