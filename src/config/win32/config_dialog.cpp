#include "config/win32/config_dialog.h"

#include <cmath>
#include <utility>

#include "win32/gdi_drawing.h"
#include "win32/win32_picture_loader.h"

namespace vesperon::win32_view {

namespace {

// The small face the dialog was laid out for.
constexpr int kFontPixels = 11;
// How far a drop-down list opens below its box.
constexpr int kDropDownPixels = 160;

Rect Shifted(Rect r, const Rect& by) {
  r.left += by.left;
  r.top += by.top;
  return r;
}

}  // namespace

ConfigDialog::ConfigDialog(ConfigPorts ports, MainWindow& main)
    : ConfigDialog(std::make_unique<FrmConfig>(ports, main)) {}

ConfigDialog::ConfigDialog(std::unique_ptr<FrmConfig> model)
    : ModalDialog(model->caption, static_cast<int>(std::lround(model->width / kTwipsPerPixel)),
                  static_cast<int>(std::lround(model->height / kTwipsPerPixel)), kFontPixels),
      model_(std::move(model)) {
  model_->Form_Load();
}

HWND ConfigDialog::AddInFrame(const wchar_t* windowClass, const std::string& text, DWORD style,
                              Rect r, int id, DWORD exStyle) {
  return AddControl(windowClass, text, style, Shifted(r, model_->Frame1.rect), id, exStyle);
}

HWND ConfigDialog::AddLabelInFrame(Label label) {
  label.rect = Shifted(label.rect, model_->Frame1.rect);
  return AddLabel(label);
}

HWND ConfigDialog::AddComboBox(const ComboBox& list, int id) {
  Rect r = list.rect;
  r.height += kDropDownPixels;
  const HWND box = AddInFrame(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, r, id);
  for (const std::string& item : list.items)
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item).c_str()));
  return box;
}

void ConfigDialog::OnInit() {
  // Frames first, beneath what they hold; then the controls in Tab order.
  AddControl(L"BUTTON", model_->Frame1.caption, BS_GROUPBOX, model_->Frame1.rect);
  AddInFrame(L"BUTTON", "", BS_GROUPBOX, model_->Frame2.rect);
  AddInFrame(L"BUTTON", "", BS_GROUPBOX, model_->Frame3.rect);
  AddInFrame(L"STATIC", "", SS_BLACKFRAME, model_->Shape1.rect);

  const HWND icon = AddInFrame(L"STATIC", "", SS_ICON | SS_REALSIZEIMAGE, model_->ImgIcono.rect);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(IconOf(model_->ImgIcono.picture)), 0);

  AddLabelInFrame(model_->Label2);
  tipoWin_ = AddComboBox(model_->CmbTipoWin, kTipoWin);
  AddLabelInFrame(model_->Label3);
  respuesta_ = AddComboBox(model_->CmbRespuesta, kRespuesta);
  AddLabelInFrame(model_->Label4);
  iniciar_ = AddInFrame(L"BUTTON", model_->ChkIniciarConWindows.caption,
                        BS_AUTOCHECKBOX | WS_TABSTOP, model_->ChkIniciarConWindows.rect, kIniciar);
  diario_ = AddInFrame(L"BUTTON", model_->ChkDiario.caption, BS_AUTOCHECKBOX | WS_TABSTOP,
                       model_->ChkDiario.rect, kDiario);
  speaker_ = AddInFrame(L"BUTTON", model_->ChkSpeaker.caption, BS_AUTOCHECKBOX | WS_TABSTOP,
                        model_->ChkSpeaker.rect, kSpeaker);
  melodia_ = AddComboBox(model_->CmbMelodia, kMelodia);
  probar_ = AddInFrame(L"BUTTON", model_->BtnProbarMelodia.caption, BS_PUSHBUTTON | WS_TABSTOP,
                       model_->BtnProbarMelodia.rect, kProbar);
  AddLabelInFrame(model_->Label5);
  sonidos_ = AddComboBox(model_->CmbSonidos, kSonidos);

  AddLabelInFrame(model_->Label1);
  skins_ = AddInFrame(L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                      model_->LstSkin.rect, kSkins, WS_EX_CLIENTEDGE);
  for (const std::string& name : model_->LstSkin.items)
    SendMessageW(skins_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));

  // Under the preview, the label that shows while there is no picture.
  imagen_ = AddLabelInFrame(model_->LblImagen);
  SetWindowLongW(imagen_, GWL_STYLE,
                 (GetWindowLongW(imagen_, GWL_STYLE) & ~SS_TYPEMASK) | SS_CENTER);
  preview_ = AddInFrame(L"STATIC", "", SS_OWNERDRAW, model_->ImgSkinPreview.rect, kPreview);

  version_ = AddLabelInFrame(model_->LblSkinVersion);
  name_ = AddLabelInFrame(model_->LblSkinName);
  autor_ = AddLabelInFrame(model_->LblSkinAutor);
  email_ = AddLabelInFrame(model_->LblSkinEmail);
  web_ = AddLabelInFrame(model_->LblSkinWeb);

  AddControl(L"BUTTON", model_->BtnAceptar.caption, BS_DEFPUSHBUTTON | WS_TABSTOP,
             model_->BtnAceptar.rect, IDOK);
  AddControl(L"BUTTON", model_->BtnCancelar.caption, BS_PUSHBUTTON | WS_TABSTOP,
             model_->BtnCancelar.rect, IDCANCEL);
  Sync();
}

bool ConfigDialog::OnCommand(WORD id, WORD code, HWND control) {
  if (syncing_) return true;
  auto onList = [&](ComboBox& list) {
    if (code != CBN_SELCHANGE) return;
    list.listIndex = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    Sync();
  };
  const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  switch (id) {
    case kTipoWin:
      onList(model_->CmbTipoWin);
      return true;
    case kRespuesta:
      onList(model_->CmbRespuesta);
      return true;
    case kMelodia:
      onList(model_->CmbMelodia);
      return true;
    case kSonidos:
      onList(model_->CmbSonidos);
      return true;
    case kIniciar:
      model_->ChkIniciarConWindows.value = checked;
      Sync();
      return true;
    case kDiario:
      model_->ChkDiario.value = checked;
      Sync();
      return true;
    case kSpeaker:
      model_->ChkSpeaker.value = checked;
      model_->ChkSpeaker_Click();
      Sync();
      return true;
    case kProbar:
      if (code == BN_CLICKED) model_->BtnProbarMelodia_Click();
      return true;
    case kSkins:
      if (code == LBN_SELCHANGE) {
        const int row = static_cast<int>(SendMessageW(skins_, LB_GETCURSEL, 0, 0));
        if (row != LB_ERR && row != model_->LstSkin.listIndex) {
          model_->LstSkin.listIndex = row;
          model_->LstSkin_Click();
        }
        Sync();
      }
      return true;
    case IDOK:
      model_->BtnAceptar_Click();
      Sync();
      if (!model_->loaded) Close();
      return true;
    case IDCANCEL:
      model_->BtnCancelar_Click();
      Close();
      return true;
    default:
      return false;
  }
}

bool ConfigDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_DRAWITEM || wParam != kPreview) return false;
  // The skin's face, unscaled from the corner.
  const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  DrawPicture(item.hDC, item.rcItem.left, item.rcItem.top, model_->ImgSkinPreview.picture);
  result = TRUE;
  return true;
}

void ConfigDialog::Sync() {
  syncing_ = true;
  auto syncLabel = [](HWND control, const Label& label) {
    SetWindowTextW(control, Wide(label.caption).c_str());
    ShowWindow(control, label.visible ? SW_SHOWNA : SW_HIDE);
  };
  syncLabel(imagen_, model_->LblImagen);
  syncLabel(version_, model_->LblSkinVersion);
  syncLabel(name_, model_->LblSkinName);
  syncLabel(autor_, model_->LblSkinAutor);
  syncLabel(email_, model_->LblSkinEmail);
  syncLabel(web_, model_->LblSkinWeb);

  auto syncList = [](HWND box, const ComboBox& list) {
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(list.listIndex), 0);
    EnableWindow(box, list.enabled);
  };
  syncList(tipoWin_, model_->CmbTipoWin);
  syncList(respuesta_, model_->CmbRespuesta);
  syncList(melodia_, model_->CmbMelodia);
  syncList(sonidos_, model_->CmbSonidos);

  SendMessageW(iniciar_, BM_SETCHECK,
               model_->ChkIniciarConWindows.value ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(diario_, BM_SETCHECK, model_->ChkDiario.value ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(speaker_, BM_SETCHECK, model_->ChkSpeaker.value ? BST_CHECKED : BST_UNCHECKED, 0);
  EnableWindow(probar_, model_->BtnProbarMelodia.enabled);

  SendMessageW(skins_, LB_SETCURSEL, static_cast<WPARAM>(model_->LstSkin.listIndex), 0);

  ShowWindow(preview_, model_->ImgSkinPreview.visible ? SW_SHOWNA : SW_HIDE);
  InvalidateRect(preview_, nullptr, FALSE);
  syncing_ = false;
}

}  // namespace vesperon::win32_view
