#include "window/form_controls.h"

#include <algorithm>

#include "window/pictures.h"

namespace window {
namespace {

using platform::Label;
using platform::Rect;

constexpr platform::Colour kBlack = 0x000000;
constexpr platform::Colour kWhite = 0xFFFFFF;

// The platform's default dialog font.
platform::Font DialogFont(bool bold = false) { return {"MS Sans Serif", 8.25, bold}; }

Label* MakeLabel(platform::FormWindow& form, const char* caption, const Rect& place, bool bold = false) {
  Label* label = form.AddLabel(place, caption);
  label->SetFont(DialogFont(bold));
  label->SetAlignment(platform::TextAlign::TopLeft);
  return label;
}

// The clock and the "Current Usage" heading carry the white setting as their background,
// with dark centred text, so they read as two small display panels.
void MakeWhitePanel(Label* label) {
  label->SetBackColor(kWhite);
  label->SetForeColor(kBlack);
  label->SetAlignment(platform::TextAlign::Centre);
}

// Widens a label to the right where its widest text would not fit the design width in the
// font this desktop provides, so values such as "100.00 %" are not cut off. Where the window's
// edge leaves too little room, the label moves left just enough to keep one blank column
// before the edge; height and top stay.
void FitWidth(Label* label, const char* widest) {
  const Rect place = label->Geometry();
  const int needed = label->TextWidth(widest) + 1;
  if (needed <= place.width) return;
  const int left = std::min(place.x, kClientWidth - 1 - needed);
  label->SetGeometry({std::max(0, left), place.y, needed, place.height});
}

platform::ImageBox* MakeStrip(platform::Container& parent, int columns, int x, int y) {
  return parent.AddImage({x, y, columns, kGraphHeight}, ScaleStripPicture(columns));
}

void CreateMenu(Form1Controls& c, const ColourEntries& colours) {
  c.mnuFile = std::make_unique<platform::PopupMenu>(*c.form, "popup");
  c.mnuSpacer00 = c.mnuFile->AddItem("Tray Icon Color");
  c.mnuSpacer00->SetEnabled(false);
  for (int i = 0; i < 7; ++i) {
    c.mnuCOLOR[i] = c.mnuFile->AddItem(colours.captions[i]);
    c.mnuCOLOR[i]->SetCheckable(true);
    c.mnuCOLOR[i]->SetChecked(i == colours.checked);
  }
  c.mnuSpacer0 = c.mnuFile->AddSeparator();
  c.ShowAvgUsage = c.mnuFile->AddItem("Show Usage");
  c.mnuSpacer1 = c.mnuFile->AddSeparator();
  c.mnuExit = c.mnuFile->AddItem("Exit Zelmaro");
}

}  // namespace

Form1Controls::~Form1Controls() {
  // The picture boxes show the graphs, so the window goes before the graphs; the menu goes
  // before the window that owns it.
  mnuFile.reset();
  form.reset();
}

std::unique_ptr<Form1Controls> CreateForm1Controls(const ColourEntries& colours) {
  auto c = std::make_unique<Form1Controls>();
  c->form = std::make_unique<platform::FormWindow>("Dual Core CPU Usage - Average and Current", kClientWidth,
                                                   kClientHeight);
  platform::FormWindow& form = *c->form;
  c->windowIcon = WindowIconPicture();
  form.SetIcon(c->windowIcon);

  // Created first, so it is first in the tab order (no other control takes focus).
  c->BtnReSet = form.AddPushButton({kBtnReSetLeft, 21, 81, 33}, "Reset Avg");
  c->BtnReSet->SetToolTip("Reset Average Usage");
  c->BtnReSet->SetFont(DialogFont());

  const char* heading = "CPU 0             CPU 1";
  c->Label2 = MakeLabel(form, "00:00:00", {53, 9, 55, 13});
  MakeWhitePanel(c->Label2);
  c->Label4 = MakeLabel(form, "Current Usage", {318, 9, 69, 13});
  MakeWhitePanel(c->Label4);
  c->Label1 = MakeLabel(form, heading, {18, 30, 125, 13}, true);
  c->Label3 = MakeLabel(form, heading, {292, 30, 125, 13}, true);
  c->cpu0avg = MakeLabel(form, "0%", {21, 48, 41, 13});
  c->cpu1avg = MakeLabel(form, "0%", {107, 48, 41, 13});
  c->Label6 = MakeLabel(form, "0%", {293, 48, 41, 13});
  c->Label5 = MakeLabel(form, "0%", {380, 48, 41, 13});
  FitWidth(c->Label4, "Current Usage");
  for (Label* value : {c->cpu0avg, c->cpu1avg, c->Label6, c->Label5}) FitWidth(value, "100.00 %");

  // The 8-column strips beside the graphs go in first so that each graph, created after
  // it, covers the strip's first column with its own last one.
  c->Image1[0] = MakeStrip(form, 8, 414, kGraphTop[0]);
  c->Image1[3] = MakeStrip(form, 8, 414, kGraphTop[1]);
  for (int i = 0; i < 2; ++i) {
    c->pic1[i] = std::make_unique<GraphPicture>(kGraphWidth, kGraphHeight, kBlack);
    c->pic1View[i] = form.AddPictureBox(kGraphLeft, kGraphTop[i], c->pic1[i]->Image());
    c->Image1[1 + i] = MakeStrip(*c->pic1View[i], 7, 0, 0);
  }

  c->Timer1 = std::make_unique<platform::Timer>(500);

  CreateMenu(*c, colours);
  return c;
}

void ShowGraphs(Form1Controls& c) {
  for (platform::PictureBox* view : c.pic1View) view->PixelsChanged();
}

void SetGraphsAside(Form1Controls& c) {
  for (auto& graph : c.pic1) graph->Compact();
}

}  // namespace window
