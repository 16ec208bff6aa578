#include <algorithm>
#include <chrono>

#include "app/frm_main.h"
#include "common/settings_schema.h"
#include "common/time_text.h"

namespace vesperon {

// The shutdown every day. The accepted time is armed at every start, again
// after every countdown (ended in a power-off request or cancelled: the
// user who stops tonight's still wants tomorrow's), and again once the day
// it was armed for lies behind (the machine slept, the clock was set, or
// the user disarmed that day's with TipApagado, which skips just that one).
// Each time it is taken for its next occurrence strictly ahead: a time that
// passed today, or is passing this very second, is tomorrow's, and a day
// missed is skipped, never caught up.

bool FrmMain::DailyShutdown() const {
  return StoredSettings(ports_.settings).Text(settings::kDiario) == "1";
}

// As the editor's OK and then TipApagado, for the last accepted time (at
// start, the stored one), on `notBefore` at the earliest. Only the date is
// written: the time is the stored one already.
void FrmMain::ArmNextOccurrence(const LocalDateTime& now, std::chrono::sys_days notBefore) {
  const std::chrono::sys_days today{now.date};
  const bool passed = FormatHhMmSs(now.hour, now.minute, now.second) >= acceptedTime_;
  acceptedDate_ = std::max(passed ? today + std::chrono::days{1} : today, notBefore);
  HoraApagadoSet = true;
  WriteSetting(settings::kFechaApagado, ports_.clock.ShortDateText(*acceptedDate_));
  Arm();
}

// At the end of a countdown the next one is due on the day after the one it
// fired on, even when the clock has gone back meanwhile (the hour repeated
// when summer time ends).
bool FrmMain::ArmNextDayIfDaily() {
  if (!DailyShutdown()) return false;
  ArmNextOccurrence(ports_.clock.Now(),
                    std::chrono::sys_days{*acceptedDate_} + std::chrono::days{1});
  return true;
}

void FrmMain::DailyShutdown_TurnedOn() {
  if (CuentaAtrasActiva) return;
  const LocalDateTime now = ports_.clock.Now();
  ArmNextOccurrence(now, now.date);
  MostrarMensaje("Apagado ON!");
}

// A pending time is left behind only when the day moves on; it is looked at
// once a day, and the store is read only for a date neither today nor
// tomorrow. A date further ahead than tomorrow means the clock was set back
// by days: the shutdown must not wait for them.
void FrmMain::KeepDailyShutdownAhead(const LocalDateTime& now) {
  if (!HoraApagadoSet || !acceptedDate_ || dailyLookedOn_ == now.date) return;
  dailyLookedOn_ = now.date;
  const std::chrono::sys_days today{now.date};
  const std::chrono::sys_days accepted{*acceptedDate_};
  if (accepted == today || accepted == today + std::chrono::days{1}) return;
  if (!DailyShutdown()) return;
  ArmNextOccurrence(now, today);
  if (!ShowUnsavedSettings()) MostrarMensaje("Apagado ON!");
}

}  // namespace vesperon
