#include "window/form_controls.h"

#include <algorithm>

#include "platform/window_system/dialog_font.h"
#include "platform/raster_graphics/qt_images.h"
#include "window/pictures.h"

namespace window {
namespace {

constexpr gdi::COLORREF kBlack = 0x000000;
constexpr gdi::COLORREF kRed = 0x0000FF;
constexpr gdi::COLORREF kGrey = 0x808080;
constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kWindowColour = 0xFFFFFF;
constexpr gdi::COLORREF kButtonFace = 0xC0C0C0;

QLabel* MakeLabel(QWidget* parent, const char* caption, int x, int y, int w, int h,
                  bool bold = false) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setGeometry(x, y, w, h);
  label->setFont(platform::DialogFont(bold));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// The clock and the "Current Usage" heading carry the white setting as their background,
// with dark centred text, so they read as two small display panels.
void MakeWhitePanel(QLabel* label) {
  label->setAutoFillBackground(true);
  QPalette p = label->palette();
  p.setColor(QPalette::Window, Qt::white);
  p.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(p);
  label->setAlignment(Qt::AlignCenter);
}

// Widens a label to the right where its widest text would not fit the design width in the
// font this desktop provides, so values such as "100.00 %" are not cut off. Where the window's
// edge leaves too little room, the label moves left just enough to keep one blank column
// before the edge; height and top stay.
void FitWidth(QLabel* label, const char* widest) {
  const int needed = label->fontMetrics().horizontalAdvance(QString::fromLatin1(widest)) + 1;
  if (needed <= label->width()) return;
  const int left = std::min(label->x(), kClientWidth - 1 - needed);
  label->setGeometry(std::max(0, left), label->y(), needed, label->height());
}

QLabel* MakeStrip(QWidget* parent, int columns, int x, int y) {
  auto* strip = new QLabel(parent);
  strip->setGeometry(x, y, columns, kGraphHeight);
  strip->setPixmap(platform::PictureToPixmap(*ScaleStripPicture(columns)));
  return strip;
}

std::unique_ptr<platform::PictureSurface> MakeSurface(int w, int h, gdi::COLORREF back,
                                                      gdi::COLORREF fore = kBlack) {
  return std::make_unique<platform::PictureSurface>(w, h, back, fore);
}

void CreateMenu(Form1Controls& c, const ColourEntries& colours) {
  c.mnuFile = new QMenu(QStringLiteral("popup"), c.form);
  c.mnuSpacer00 = c.mnuFile->addAction(QStringLiteral("Tray Icon Color"));
  c.mnuSpacer00->setEnabled(false);
  for (int i = 0; i < 7; ++i) {
    c.mnuCOLOR[i] = c.mnuFile->addAction(QString::fromLatin1(colours.captions[i]));
    c.mnuCOLOR[i]->setCheckable(true);
    c.mnuCOLOR[i]->setChecked(i == colours.checked);
  }
  c.mnuSpacer0 = c.mnuFile->addSeparator();
  c.ShowAvgUsage = c.mnuFile->addAction(QStringLiteral("Show Usage"));
  c.mnuSpacer1 = c.mnuFile->addSeparator();
  c.mnuExit = c.mnuFile->addAction(QStringLiteral("Exit Zelmaro"));
}

}  // namespace

Form1Controls::~Form1Controls() {
  // The views listen to the surfaces, so the window goes before the surfaces it shows.
  delete form;
  form = nullptr;
  if (windowIcon != 0) gdi::DestroyIcon(windowIcon);
}

std::unique_ptr<Form1Controls> CreateForm1Controls(const ColourEntries& colours) {
  auto c = std::make_unique<Form1Controls>();
  c->form = new platform::FormWindow(kClientWidth, kClientHeight);
  c->form->setWindowTitle(QStringLiteral("Dual Core CPU Usage - Average and Current"));
  c->windowIcon = CreateWindowIcon();
  c->form->SetIconImage(platform::IconToQImage(c->windowIcon));

  // Created first, so it is first in the tab order (no other control takes focus).
  c->BtnReSet = new QPushButton(QStringLiteral("Reset Avg"), c->form);
  c->BtnReSet->setGeometry(kBtnReSetLeft, 21, 81, 33);
  c->BtnReSet->setToolTip(QStringLiteral("Reset Average Usage"));
  c->BtnReSet->setFont(platform::DialogFont());

  const char* heading = "CPU 0             CPU 1";
  c->Label2 = MakeLabel(c->form, "00:00:00", 53, 9, 55, 13);
  MakeWhitePanel(c->Label2);
  c->Label4 = MakeLabel(c->form, "Current Usage", 318, 9, 69, 13);
  MakeWhitePanel(c->Label4);
  c->Label1 = MakeLabel(c->form, heading, 18, 30, 125, 13, true);
  c->Label3 = MakeLabel(c->form, heading, 292, 30, 125, 13, true);
  c->cpu0avg = MakeLabel(c->form, "0%", 21, 48, 41, 13);
  c->cpu1avg = MakeLabel(c->form, "0%", 107, 48, 41, 13);
  c->Label6 = MakeLabel(c->form, "0%", 293, 48, 41, 13);
  c->Label5 = MakeLabel(c->form, "0%", 380, 48, 41, 13);
  FitWidth(c->Label4, "Current Usage");
  for (QLabel* value : {c->cpu0avg, c->cpu1avg, c->Label6, c->Label5}) FitWidth(value, "100.00 %");

  // The 8-column strips beside the graphs go in first so that each graph, created after
  // it, covers the strip's first column with its own last one.
  c->Image1[0] = MakeStrip(c->form, 8, 414, kGraphTop[0]);
  c->Image1[3] = MakeStrip(c->form, 8, 414, kGraphTop[1]);
  for (int i = 0; i < 2; ++i) {
    c->pic1[i] = MakeSurface(kGraphWidth, kGraphHeight, kBlack, kRed);
    c->pic1View[i] = new platform::SurfaceView(*c->pic1[i], c->form);
    c->pic1View[i]->move(kGraphLeft, kGraphTop[i]);
    c->Image1[1 + i] = MakeStrip(c->pic1View[i], 7, 0, 0);
  }

  c->PicTmp[0] = MakeSurface(32, 32, kWindowColour);
  c->PicTmp[1] = MakeSurface(32, 32, kWhite);
  c->DualColor = MakeSurface(32, 32, kButtonFace);
  c->DualColor->SetPicture(DualColorPicture());
  c->DualBlank = MakeSurface(32, 32, kButtonFace);
  c->DualBlank->SetPicture(DualBlankPicture());

  c->Timer1 = new QTimer(c->form);
  c->Timer1->setInterval(500);
  c->Timer1->setTimerType(Qt::PreciseTimer);

  CreateMenu(*c, colours);
  return c;
}

platform::PictureSurface& ScrollScratch(Form1Controls& c, int i) {
  if (!c.pic2[i]) c.pic2[i] = MakeSurface(kGraphWidth, kGraphHeight, kGrey);
  return *c.pic2[i];
}

void SetGraphsAside(Form1Controls& c) {
  for (auto& scratch : c.pic2) scratch.reset();
  for (auto& graph : c.pic1) graph->Compact();
}

}  // namespace window
