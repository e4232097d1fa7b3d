/* Reads the program's window from outside, for the tests under Wine, as a program aware of
   each monitor's DPI (so that it sees the window system's own pixels):
     window_probe      prints "dpi D (system S)", "client W H" and one line per label:
                       "label X Y W H TEXT_W TEXT_H fits|clipped TEXT", its place in client
                       pixels and its text's extent in the label's font.
   Exit status 1 when the window is not there. */
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

static HWND form;

/* The label's font. GDI objects belong to their process: where the label's own cannot be
   read from here, the one the window's design gives its labels, "MS Sans Serif" 8.25 points
   at the window's DPI, bold for the two headings. */
static HFONT LabelFont(HWND label, const wchar_t* text) {
  LOGFONTW lf;
  HFONT theirs = (HFONT)SendMessageW(label, WM_GETFONT, 0, 0);
  if (theirs == NULL || GetObjectW(theirs, sizeof lf, &lf) == 0) {
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = -MulDiv(825, (int)GetDpiForSystem(), 7200);  /* Wine: one DPI for all monitors */
    lf.lfWeight = wcsncmp(text, L"CPU 0", 5) == 0 ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
  }
  return CreateFontIndirectW(&lf);
}

static BOOL CALLBACK Label(HWND child, LPARAM unused) {
  wchar_t cls[32], text[128];
  char utf8[512];
  RECT r;
  SIZE extent = {0, 0};
  (void)unused;
  GetClassNameW(child, cls, 32);
  if (lstrcmpiW(cls, L"Static") != 0) return TRUE;
  int n = GetWindowTextW(child, text, 128);
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, form, (POINT*)&r, 2);
  HDC dc = GetDC(child);
  HFONT font = LabelFont(child, text);
  HGDIOBJ old = font != NULL ? SelectObject(dc, font) : NULL;
  GetTextExtentPoint32W(dc, text, n, &extent);
  if (old != NULL) SelectObject(dc, old);
  if (font != NULL) DeleteObject(font);
  ReleaseDC(child, dc);
  const int w = r.right - r.left, h = r.bottom - r.top;
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, NULL, NULL);
  printf("label %ld %ld %d %d %ld %ld %s %s\n", r.left, r.top, w, h, extent.cx, extent.cy,
         font != NULL && extent.cx <= w && extent.cy <= h ? "fits" : "clipped", utf8);
  return TRUE;
}

int main(void) {
  RECT client;
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  form = FindWindowW(NULL, L"Dual Core CPU Usage - Average and Current");
  if (form == NULL) return 1;
  GetClientRect(form, &client);
  printf("dpi %u (system %u)\nclient %ld %ld\n", GetDpiForWindow(form), GetDpiForSystem(), client.right,
         client.bottom);
  EnumChildWindows(form, Label, 0);
  return 0;
}
