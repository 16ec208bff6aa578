#include "app/mod_main.h"

#include "app/frm_main.h"
#include "common/instance_request.h"
#include "tray/frm_menu.h"

namespace vesperon {

bool Main(Environment& environment, FrmMenu& menu, FrmMain& window) {
  if (environment.PrevInstance()) {
    // Started again by a user who sees no clock: the one that runs shows
    // itself. A start with the session, or one made to carry out a command
    // line, asks for nothing: the clock that runs is what it was for.
    // Answered or not, this start ends here.
    if (environment.ArgumentText() != "/autostart")
      environment.AskRunningCopy(RequestLine({RequestVerb::Show, {}}), kRequestDeadline);
    return false;
  }
  menu.Form_Load();
  window.Show();
  return true;
}

std::string AnswerLaterStart(FrmMain& window, std::string_view line) {
  const ParsedRequest parsed = ParseInstanceRequest(line);
  if (!parsed.request) return ErrorAnswer(parsed.error);
  // Between its end and the process's, the clock may still be asked.
  if (!window.loaded) return ErrorAnswer("the clock is ending");
  switch (parsed.request->verb) {
    case RequestVerb::Show:
      window.ComeForward();
      return OkAnswer();
    case RequestVerb::At:
      window.AcceptShutdownTime(parsed.request->time);
      break;
    case RequestVerb::Arm:
      if (!window.ArmShutdown()) return ErrorAnswer("no accepted time");
      break;
    case RequestVerb::Disarm:
      if (!window.DisarmShutdown()) return ErrorAnswer("no accepted time");
      break;
    case RequestVerb::Status:
      break;
    case RequestVerb::Quit:
      // As from outside: whatever box is open closes as though dismissed.
      window.End();
      return OkAnswer();
  }
  return OkAnswer(StatusLine(window.Status()));
}

}  // namespace vesperon
