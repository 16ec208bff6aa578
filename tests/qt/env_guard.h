#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace vesperon {

// Sets an environment variable, or clears it with nullopt, for the life of
// the guard.
class EnvGuard {
 public:
  EnvGuard(const char* name, std::optional<QByteArray> value)
      : name_(name),
        saved_(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt) {
    Set(value);
  }
  ~EnvGuard() { Set(saved_); }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  void Set(const std::optional<QByteArray>& value) {
    if (value) {
      qputenv(name_, *value);
    } else {
      qunsetenv(name_);
    }
  }

  const char* name_;
  std::optional<QByteArray> saved_;
};

}  // namespace vesperon
