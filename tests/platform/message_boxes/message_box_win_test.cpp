#include "platform/message_boxes/message_box.h"

#include "platform/runtime/windows_system_win.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

// The box shows our UTF-8 title and text as they are, and returns once dismissed.
TEST(SystemMessageBoxes, ShowsUtf8TextAndReturnsWhenDismissed) {
  std::wstring seenTitle, seenText;
  std::thread dismisser([&] {
    for (int i = 0; i < 500; ++i) {  // at most 10 s
      if (HWND box = ::FindWindowW(L"#32770", nullptr)) {
        wchar_t text[256] = {};
        ::GetWindowTextW(box, text, 256);
        seenTitle = text;
        if (HWND label = ::GetDlgItem(box, 0xFFFF)) ::GetWindowTextW(label, text, 256);  // the box's text
        seenText = text;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      ::Sleep(20);
    }
  });
  platform::SystemMessageBoxes().Show("Gr\xc3\xbcn \xe2\x82\xac", platform::MessageKind::Information, "Zelmaro \xc3\xbc");
  dismisser.join();
  EXPECT_EQ(seenTitle, L"Zelmaro \u00fc");
  EXPECT_EQ(seenText, L"Gr\u00fcn \u20ac");
}
