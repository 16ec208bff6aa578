#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "win32/wide_text.h"

namespace vesperon {

namespace {

// The predefined keys are numbers such as 0x80000002 that the system widens
// with their sign (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002 in a 64-bit
// program); the port carries them as the plain 32-bit numbers.
HKEY ToHkey(RegKey key) {
  if (key >= 0x80000000 && key <= 0x8000000F)
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(key)));
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

long Win32Registry::RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                                  RegKey& result) {
  result = 0;
  const auto wideSubKey = Widen(subKey);
  if (!wideSubKey) return kErrorInvalidParameter;
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExW(ToHkey(root), wideSubKey->c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) result = FromHkey(opened);
  return status;
}

long Win32Registry::RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) {
  result = 0;
  const auto wideSubKey = Widen(subKey);
  if (!wideSubKey) return kErrorInvalidParameter;
  HKEY opened = nullptr;
  const LSTATUS status = RegCreateKeyW(ToHkey(root), wideSubKey->c_str(), &opened);
  if (status == ERROR_SUCCESS) result = FromHkey(opened);
  return status;
}

long Win32Registry::RegQueryValueExA(RegKey key, const std::string& valueName, std::uint32_t& type,
                                     std::string& buffer) {
  const auto wideName = Widen(valueName);
  if (!wideName) return kErrorInvalidParameter;
  std::vector<BYTE> data;
  DWORD systemType = 0;
  DWORD size = 0;
  LSTATUS status;
  do {
    data.resize(size + sizeof(wchar_t));
    size = static_cast<DWORD>(data.size());
    status =
        RegQueryValueExW(ToHkey(key), wideName->c_str(), nullptr, &systemType, data.data(), &size);
  } while (status == ERROR_MORE_DATA);
  if (status != ERROR_SUCCESS) return status;
  type = systemType;

  // A string comes back as UTF-8 with one NUL at its end, as the ANSI call
  // gives it; other kinds as the bytes they are.
  std::string bytes(reinterpret_cast<const char*>(data.data()), size);
  if (IsStringType(systemType)) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    bytes = Narrow(text) + '\0';
  }
  const std::size_t copied = std::min(buffer.size(), bytes.size());
  std::copy_n(bytes.begin(), copied, buffer.begin());
  return copied < bytes.size() ? kErrorMoreData : kErrorSuccess;
}

long Win32Registry::RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                                   const std::string& data) {
  const auto wideName = Widen(valueName);
  if (!wideName) return kErrorInvalidParameter;
  if (!IsStringType(type)) {
    return RegSetValueExW(ToHkey(key), wideName->c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
  }
  // The text as the caller sized it, its terminating NUL included.
  const auto text = Widen(data);
  if (!text) return kErrorInvalidParameter;
  return RegSetValueExW(ToHkey(key), wideName->c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(text->data()),
                        static_cast<DWORD>(text->size() * sizeof(wchar_t)));
}

long Win32Registry::RegDeleteValueA(RegKey key, const std::string& valueName) {
  const auto wideName = Widen(valueName);
  if (!wideName) return kErrorInvalidParameter;
  return RegDeleteValueW(ToHkey(key), wideName->c_str());
}

long Win32Registry::RegCloseKey(RegKey key) { return ::RegCloseKey(ToHkey(key)); }

}  // namespace vesperon
