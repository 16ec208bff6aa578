#include "app/mod_main.h"

#include "app/frm_main.h"
#include "common/instance_request.h"
#include "tray/frm_menu.h"

namespace vesperon {

bool Main(Environment& environment, FrmMenu& menu, FrmMain& window) {
  if (environment.PrevInstance()) {
    // Started again by a user who sees no clock: the one that runs shows
    // itself. Answered or not, this start ends here.
    environment.AskRunningCopy(std::string(kShowRequest));
    return false;
  }
  menu.Form_Load();
  window.Show();
  return true;
}

std::string AnswerLaterStart(FrmMain& window, std::string_view line) {
  const ParsedRequest parsed = ParseInstanceRequest(line);
  if (!parsed.request) return ErrorAnswer(parsed.error);
  switch (parsed.request->verb) {
    case RequestVerb::Show:
      window.ComeForward();
      break;
  }
  return OkAnswer();
}

}  // namespace vesperon
