#include "platform/win32/registry_settings_store.h"

#include <optional>
#include <vector>

#include "win32/wide_text.h"

namespace vesperon {

namespace {

// A string value's text: the bytes the registry holds, less the one NUL that
// ends it. A NUL inside the text stays, so whatever was written comes back.
std::optional<std::wstring> QueryString(HKEY key, const std::wstring& name) {
  std::vector<BYTE> data(256);
  for (;;) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_MORE_DATA) {
      data.resize(size + sizeof(wchar_t));
      continue;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(HKEY root, std::wstring base)
    : root_(root), base_(std::move(base)) {}

std::string RegistrySettingsStore::Read(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& defaultValue) {
  const auto wideApp = Widen(app), wideSection = Widen(section), wideKey = Widen(key);
  if (!wideApp || !wideSection || !wideKey) return defaultValue;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root_, (base_ + L'\\' + *wideApp + L'\\' + *wideSection).c_str(), 0,
                    KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return defaultValue;
  }
  const std::optional<std::wstring> text = QueryString(opened, *wideKey);
  RegCloseKey(opened);
  return text ? Narrow(*text) : defaultValue;
}

bool RegistrySettingsStore::Write(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& value) {
  const auto wideApp = Widen(app), wideSection = Widen(section), wideKey = Widen(key);
  const auto wideValue = Widen(value);
  if (!wideApp || !wideSection || !wideKey || !wideValue || app.empty() || section.empty())
    return false;
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root_, (base_ + L'\\' + *wideApp + L'\\' + *wideSection).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &opened,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD bytes = static_cast<DWORD>((wideValue->size() + 1) * sizeof(wchar_t));
  const LSTATUS status = RegSetValueExW(opened, wideKey->c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(wideValue->c_str()), bytes);
  RegCloseKey(opened);
  return status == ERROR_SUCCESS;
}

}  // namespace vesperon
