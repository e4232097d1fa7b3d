#include "platform/settings/settings_store.h"

#include "platform/runtime/windows_system_win.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A registry root of its own under HKEY_CURRENT_USER, removed with everything below it.
class TestRoot {
 public:
  TestRoot() : path_("Software\\ZelmaroTest" + std::to_string(::GetCurrentProcessId())) {}
  ~TestRoot() { ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str()); }
  const std::string& path() const { return path_; }
  // Stores a value of any type directly, as another program or an old version might.
  void Put(const std::string& subKey, const char* name, DWORD type, const void* data, DWORD bytes) const {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (path_ + "\\" + subKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    ::RegCloseKey(key);
  }

 private:
  std::string path_;
};

}  // namespace

TEST(RegistrySettings, ValueWrittenIsReadBackByANewStore) {
  TestRoot root;
  {
    platform::SettingsStore store(root.path());
    EXPECT_EQ(store.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "2");
    EXPECT_TRUE(store.SaveSetting("Quenlark", "Zelmaro_Set", "Color", "6"));
    EXPECT_TRUE(store.SaveSetting("Quenlark", "Zelmaro_Set", "Other", "Grün"));
  }
  platform::SettingsStore again(root.path());
  EXPECT_EQ(again.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "6");
  EXPECT_EQ(again.GetSetting("Quenlark", "Zelmaro_Set", "Other", ""), "Grün");
  EXPECT_EQ(again.GetSetting("Quenlark", "Other_Set", "Color", "2"), "2");
  bool called = false;
  again.SaveSettingLater("Quenlark", "Zelmaro_Set", "Color", "3", [&called](const platform::SaveOutcome& o) {
    called = true;
    EXPECT_TRUE(o.ok) << o.reason;
  });
  EXPECT_TRUE(called);
  EXPECT_EQ(again.GetSetting("Quenlark", "Zelmaro_Set", "Color", "2"), "3");
}

// The user's store: HKEY_CURRENT_USER\Software\<application>\<section>, a string value.
TEST(RegistrySettings, DefaultStoreIsTheUsersSoftwareKey) {
  const std::string app = "ZelmaroTest" + std::to_string(::GetCurrentProcessId());
  platform::SettingsStore store;
  ASSERT_TRUE(store.SaveSetting(app, "Zelmaro_Set", "Color", "4"));
  char text[16] = {};
  DWORD bytes = sizeof text;
  EXPECT_EQ(::RegGetValueA(HKEY_CURRENT_USER, ("Software\\" + app + "\\Zelmaro_Set").c_str(), "Color",
                           RRF_RT_REG_SZ, nullptr, text, &bytes),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "4");
  ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + app).c_str());
}

// What is not one plain text of ours reads as absent, as a garbled file does on Linux.
TEST(RegistrySettings, OtherTypesAndOverlongValuesReadAsTheDefault) {
  TestRoot root;
  const DWORD number = 3;
  root.Put("App\\Set", "Number", REG_DWORD, &number, sizeof number);
  root.Put("App\\Set", "Binary", REG_BINARY, "3", 1);
  const std::string longText(5000, '7');
  root.Put("App\\Set", "Long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
  root.Put("App\\Set", "Unended", REG_SZ, "5", 1);  // no terminator stored
  platform::SettingsStore store(root.path());
  EXPECT_EQ(store.GetSetting("App", "Set", "Number", "d"), "d");
  EXPECT_EQ(store.GetSetting("App", "Set", "Binary", "d"), "d");
  EXPECT_EQ(store.GetSetting("App", "Set", "Long", "d"), "d");
  EXPECT_EQ(store.GetSetting("App", "Set", "Unended", "d"), "5");
  const platform::SaveOutcome zero = store.Save("App", "Set", "Zero", std::string("1\0 2", 4));
  EXPECT_FALSE(zero.ok);
  EXPECT_FALSE(zero.reason.empty());
  EXPECT_EQ(store.GetSetting("App", "Set", "Zero", "d"), "d");
}
