/* What a restarting shell does to the notification area, for the test under Wine (whose shell
   never announces a new taskbar): "forget" removes icon 1 of the first hidden window of class
   platform.NotificationArea, as a shell that ends loses every icon; "created" broadcasts
   TaskbarCreated to the top-level windows, as a shell that starts does. Exit status 0 when
   done. */
#include <windows.h>
#include <shellapi.h>
#include <string.h>

int main(int argc, char** argv) {
  if (argc == 2 && strcmp(argv[1], "forget") == 0) {
    NOTIFYICONDATAW record;
    memset(&record, 0, sizeof record);
    record.cbSize = sizeof record;
    record.hWnd = FindWindowW(L"platform.NotificationArea", NULL);
    record.uID = 1;
    return record.hWnd != NULL && Shell_NotifyIconW(NIM_DELETE, &record) ? 0 : 1;
  }
  if (argc == 2 && strcmp(argv[1], "created") == 0) {
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR result = 0;
    return message != 0 &&
                   SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)
               ? 0
               : 1;
  }
  return 2;
}
