#include "about/win32/about_dialog.h"

#include <cmath>
#include <utility>

#include "win32/win32_picture_loader.h"

namespace vesperon::win32_view {

namespace {
// The small face the dialog was laid out for.
constexpr int kFontPixels = 11;
}  // namespace

AboutDialog::AboutDialog(const Form& mainWindow)
    : AboutDialog(FrmAbout(mainWindow, "C++20 y la API de Windows")) {}

AboutDialog::AboutDialog(FrmAbout model)
    : ModalDialog(model.caption, static_cast<int>(std::lround(model.width / kTwipsPerPixel)),
                  static_cast<int>(std::lround(model.height / kTwipsPerPixel)), kFontPixels),
      model_(std::move(model)) {
  model_.Form_Load();
}

void AboutDialog::OnInit() {
  // Frames first, so the labels lie above them.
  for (const Frame* frame : {&model_.Frame1, &model_.Frame2, &model_.Frame3, &model_.Frame4})
    AddControl(L"BUTTON", frame->caption, BS_GROUPBOX, frame->rect);

  const HWND icon = AddControl(L"STATIC", "", SS_ICON | SS_REALSIZEIMAGE, model_.ImgIco.rect);
  if (icon != nullptr)
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(IconOf(model_.ImgIco.picture)), 0);

  for (const Label* label : {&model_.Label1, &model_.LblVersion, &model_.Label13, &model_.Label2,
                             &model_.pageCaption, &model_.pageAddress, &model_.distribution})
    AddLabel(*label);
  for (const auto* group : {&model_.creditRoles, &model_.creditNames})
    for (const Label& label : *group) AddLabel(label);
  for (const auto* group : {&model_.supportCaptions, &model_.supportAddresses})
    for (const Label& label : *group) AddLabel(label);
}

}  // namespace vesperon::win32_view
