#include "platform/win32/registry_settings_store.h"

#include <gtest/gtest.h>

#include <string>

#include "settings_store_contract.h"

namespace vesperon {
namespace {

constexpr wchar_t kBase[] = L"Software\\VB and VBA Program Settings";

// An application of the tests' own in the user's real store, removed after.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  ~RegistrySettingsStoreTest() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kBase) + L'\\' + wideApp_).c_str());
  }

  // The value exactly as the registry holds it.
  std::wstring Raw(const wchar_t* section, const wchar_t* key, DWORD& type) {
    const std::wstring path = std::wstring(kBase) + L'\\' + wideApp_ + L'\\' + section;
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), key, RRF_RT_ANY | RRF_NOEXPAND, &type, data,
                     &size) != ERROR_SUCCESS)
      return L"<none>";
    return data;
  }

  // Tests run in processes of their own at once: each has its own application.
  const std::string app_ = "Vesperon tests " + std::to_string(GetCurrentProcessId());
  const std::wstring wideApp_ = L"Vesperon tests " + std::to_wstring(GetCurrentProcessId());
  RegistrySettingsStore store;
};

TEST_F(RegistrySettingsStoreTest, ValuesLandUnderTheProgramSettingsKeyAsStrings) {
  ASSERT_TRUE(store.Write(app_, "Apagado", "Horas", "7"));
  DWORD type = 0;
  EXPECT_EQ(Raw(L"Apagado", L"Horas", type), L"7");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  // As an earlier version of the program wrote them: through the ANSI call.
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyA(HKEY_CURRENT_USER,
                    ("Software\\VB and VBA Program Settings\\" + app_ + "\\Window").c_str(), &key),
      ERROR_SUCCESS);
  RegSetValueExA(key, "xpos", 0, REG_SZ, reinterpret_cast<const BYTE*>("4815"), 5);
  RegCloseKey(key);
  EXPECT_EQ(store.Read(app_, "Window", "xpos", "none"), "4815");
}

TEST_F(RegistrySettingsStoreTest, KeepsTheSettingsStoreContract) {
  contracts::ExpectAnAbsentKeyReadsAsTheDefault(store, app_);
  contracts::ExpectEveryTextRoundTrips(
      store, app_,
      [&](const std::string& section, const std::string& key, const std::string& defaultValue) {
        return RegistrySettingsStore().Read(app_, section, key, defaultValue);
      });
}

TEST_F(RegistrySettingsStoreTest, ATextWithNoFaithfulFormIsRefusedAndTheOldValueKept) {
  ASSERT_TRUE(store.Write(app_, "Window", "Skin", "Noche"));
  EXPECT_FALSE(store.Write(app_, "Window", "Skin", "Noche\xff\xfe"));
  EXPECT_EQ(store.Read(app_, "Window", "Skin", "none"), "Noche");
}

}  // namespace
}  // namespace vesperon
