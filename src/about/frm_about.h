#pragma once

#include <array>
#include <string>

#include "forms/controls.h"
#include "forms/form.h"

namespace vesperon {

// "1.0.10": major, minor and revision, each in plain decimal.
std::string VersionText(int major, int minor, int revision);

// The About dialog: what the program is, which version runs, who made it
// and on which terms it is given. Built afresh each time it opens.
// Positions are pixels in the client area.
class FrmAbout : public Form {
 public:
  // `mainWindow`: the window whose icon the dialog shows; `madeWith`: what
  // the front end that shows it is made with, for the credits.
  FrmAbout(const Form& mainWindow, const std::string& madeWith);

  void Form_Load();

  Image ImgIco;

  Frame Frame1;
  Label Label1;      // "Vesperon version"
  Label LblVersion;  // the running version
  Label Label13;     // "BETA"
  Label Label2;      // what the program does

  Frame Frame2;
  std::array<Label, 3> creditRoles;
  std::array<Label, 3> creditNames;

  Frame Frame3;
  std::array<Label, 2> supportCaptions;
  std::array<Label, 2> supportAddresses;

  Frame Frame4;
  Label pageCaption;
  Label pageAddress;
  Label distribution;

 private:
  const Form& mainWindow_;
};

}  // namespace vesperon
