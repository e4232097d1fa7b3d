// The menu of a tray icon, for hosts that show an icon's menu themselves: a column of entries
// (text entries, which may be disabled or carry a check mark, and separator lines), each with
// what to run when the user chooses it there. Whoever keeps the menu sets its entries again
// whenever they change; hosts are told what changed.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

namespace platform {

struct TrayMenuEntry {
  int id = 0;       // above 0; the same for as long as the entry is in the menu
  QString caption;  // '&' marks the mnemonic ("&&" a literal '&'); unused for a separator
  bool separator = false;
  bool enabled = true;
  bool checkable = false;
  bool checked = false;
  std::function<void()> activate;  // run from the event loop, after the host's request
};

class TrayMenu : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  void SetEntries(std::vector<TrayMenuEntry> entries);
  const std::vector<TrayMenuEntry>& Entries() const { return entries_; }
  const TrayMenuEntry* Find(int id) const;  // null when no entry has that id

 signals:
  void Changed();

 private:
  std::vector<TrayMenuEntry> entries_;
};

}  // namespace platform
