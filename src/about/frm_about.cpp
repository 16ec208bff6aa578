#include "about/frm_about.h"

namespace vesperon {

namespace {
constexpr const char* kDevelopers = "Los desarrolladores de Vesperon";
constexpr const char* kNoWebPage = "aún no hay página";
}  // namespace

std::string VersionText(int major, int minor, int revision) {
  return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

FrmAbout::FrmAbout(const Form& mainWindow, const std::string& madeWith) : mainWindow_(mainWindow) {
  caption = "Acerca de Vesperon";
  width = 5295;  // client area, 353 × 345 pixels
  height = 5175;

  ImgIco.rect = {12, 12, 32, 32};

  Frame1 = {"Información general", {56, 4, 289, 80}};
  Label1 = {"Vesperon version", true, {66, 22, 104, 16}};
  LblVersion = {"0.0.0", true, {170, 22, 80, 16}};
  Label13 = {"BETA", true, {296, 22, 40, 16}, true};
  Label2 = {"Programa de apagado automático del PC diseñado para sistemas Windows XP.",
            true,
            {66, 42, 270, 36}};

  Frame2 = {"Creditos", {8, 90, 337, 70}};
  const char* const roles[] = {"Programación:", "Gráficos:", "Hecho con:"};
  const std::string names[] = {kDevelopers, kDevelopers, madeWith};
  for (std::size_t i = 0; i < creditRoles.size(); ++i) {
    const int top = 108 + static_cast<int>(i) * 16;
    creditRoles[i] = {roles[i], true, {20, top, 100, 16}};
    creditNames[i] = {names[i], true, {122, top, 212, 16}};
  }

  Frame3 = {"Colaboradores", {8, 166, 337, 52}};
  supportCaptions[0] = {"Soportado por:", true, {20, 184, 128, 16}};
  supportAddresses[0] = {kDevelopers, true, {150, 184, 190, 16}};
  supportCaptions[1] = {"Página hospedada por:", true, {20, 200, 128, 16}};
  supportAddresses[1] = {kNoWebPage, true, {150, 200, 190, 16}};

  Frame4 = {"Información adicional", {8, 224, 337, 115}};
  pageCaption = {"Visita la página oficial en:", true, {20, 242, 150, 16}};
  pageAddress = {kNoWebPage, true, {172, 242, 162, 16}};
  distribution = {
      "Vesperon es software libre, con licencia MIT: puedes usarlo, copiarlo, "
      "modificarlo y distribuirlo, también con fines comerciales, si conservas el "
      "aviso de copyright (The Vesperon developers) y el de la licencia. Se entrega "
      "tal cual, sin garantía de ningún tipo.",
      true,
      {20, 262, 314, 72}};
}

void FrmAbout::Form_Load() {
  loaded = true;
  ImgIco.picture = mainWindow_.icon;
  LblVersion.caption =
      VersionText(VESPERON_VERSION_MAJOR, VESPERON_VERSION_MINOR, VESPERON_VERSION_PATCH);
}

}  // namespace vesperon
