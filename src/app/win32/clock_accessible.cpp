#include "app/win32/clock_accessible.h"

#include <oleacc.h>

#include <optional>
#include <vector>

#include "app/clock_accessibility.h"
#include "win32/gdi_drawing.h"

namespace vesperon::win32_view {

namespace {

// The window's client object: the face's controls are children 1 to n, as
// simple elements of this object; the system object's own children (the
// "!" button) follow from n + 1, and everything about the window itself is
// the system object's but its description.
class ClockObject final : public IAccessible {
 public:
  ClockObject(HWND window, const FrmMain& model, IAccessible* system)
      : window_(window), model_(model), system_(system) {}
  ~ClockObject() { system_->Release(); }
  ClockObject(const ClockObject&) = delete;
  ClockObject& operator=(const ClockObject&) = delete;

  // --- IUnknown ---
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (id != __uuidof(IUnknown) && id != __uuidof(IDispatch) && id != __uuidof(IAccessible)) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // --- IDispatch: the clients call the methods themselves ---
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // --- IAccessible ---
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return system_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    long system = 0;
    const HRESULT result = system_->get_accChildCount(&system);
    *count = Count() + (SUCCEEDED(result) ? system : 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    *out = nullptr;
    if (Control(child)) return S_FALSE;  // a simple element: no object of its own
    return Own(child) ? E_INVALIDARG : system_->get_accChild(SystemChild(child), out);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (const auto control = Control(child)) return Text(control->name, name);
    return system_->get_accName(SystemChild(child), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    *value = nullptr;
    return Control(child) ? S_FALSE : system_->get_accValue(SystemChild(child), value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    *description = nullptr;
    if (IsSelf(child)) return Text(ClockDescription(model_), description);
    return Control(child) ? S_FALSE : system_->get_accDescription(SystemChild(child), description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const auto control = Control(child);
    if (!control) return system_->get_accRole(SystemChild(child), role);
    role->vt = VT_I4;
    role->lVal =
        control->role == AccessibleRole::Button ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const auto control = Control(child);
    if (!control) return system_->get_accState(SystemChild(child), state);
    state->vt = VT_I4;
    state->lVal = (control->enabled ? 0 : STATE_SYSTEM_UNAVAILABLE) |
                  (IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    *help = nullptr;
    return Control(child) ? S_FALSE : system_->get_accHelp(SystemChild(child), help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Control(child) ? S_FALSE : system_->get_accHelpTopic(file, SystemChild(child), topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    *shortcut = nullptr;
    return Control(child) ? S_FALSE
                          : system_->get_accKeyboardShortcut(SystemChild(child), shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return system_->get_accFocus(focus);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return system_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    *action = nullptr;
    return Control(child) ? S_FALSE : system_->get_accDefaultAction(SystemChild(child), action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return Control(child) ? DISP_E_MEMBERNOTFOUND : system_->accSelect(flags, SystemChild(child));
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    const auto control = Control(child);
    if (!control) return system_->accLocation(left, top, width, height, SystemChild(child));
    POINT corner{control->rect.left, control->rect.top};
    ClientToScreen(window_, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = control->rect.width;
    *height = control->rect.height;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    long to = 0;
    if (IsSelf(start) && direction == NAVDIR_FIRSTCHILD) to = 1;
    if (Control(start) && direction == NAVDIR_NEXT) to = start.lVal + 1;
    if (Control(start) && direction == NAVDIR_PREVIOUS) to = start.lVal - 1;
    if (to >= 1 && to <= Count()) {
      end->vt = VT_I4;
      end->lVal = to;
      return S_OK;
    }
    if (Control(start)) {
      end->vt = VT_EMPTY;
      return S_FALSE;
    }
    return system_->accNavigate(direction, SystemChild(start), end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* at) override {
    POINT point{x, y};
    ScreenToClient(window_, &point);
    const std::vector<AccessibleControl> controls = ClockControls(model_);
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].rect.Contains(point.x, point.y)) {
        at->vt = VT_I4;
        at->lVal = static_cast<long>(i) + 1;
        return S_OK;
      }
    }
    return system_->accHitTest(x, y, at);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Control(child) ? DISP_E_MEMBERNOTFOUND : system_->accDoDefaultAction(SystemChild(child));
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  long Count() const { return static_cast<long>(ClockControls(model_).size()); }
  static bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }
  // The face's control a child id names, if it names one.
  std::optional<AccessibleControl> Control(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > Count() || !IsWindow(window_))
      return std::nullopt;
    return ClockControls(model_)[static_cast<std::size_t>(child.lVal - 1)];
  }
  bool Own(const VARIANT& child) const { return IsSelf(child) || Control(child).has_value(); }
  // A child id beyond the face's controls, as the system object numbers it.
  VARIANT SystemChild(const VARIANT& child) const {
    VARIANT shifted = child;
    if (child.vt == VT_I4 && child.lVal > Count()) shifted.lVal -= Count();
    return shifted;
  }
  static HRESULT Text(const std::string& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocString(Wide(text).c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  HWND window_;
  const FrmMain& model_;
  IAccessible* system_;
  ULONG references_ = 1;
};

}  // namespace

LRESULT ClockAccessibility::OnGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  // The object crosses to the asking program through COM, which this thread
  // needs from the first request on.
  if (!comStarted_) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com) && com != RPC_E_CHANGED_MODE) return 0;
    comStarted_ = true;
  }
  IAccessible* system = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&system))))
    return 0;
  auto* object = new ClockObject(window, model_, system);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();
  return result;
}

void ClockAccessibility::Sync(HWND window) {
  const std::string description = ClockDescription(model_);
  if (description != description_) {
    description_ = description;
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, window, OBJID_CLIENT, CHILDID_SELF);
  }
  const std::string message = model_.LblInfo.visible ? model_.LblInfo.caption : std::string();
  if (message != message_) {
    message_ = message;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, kMessageLineControl + 1);
  }
}

}  // namespace vesperon::win32_view
