// The reference for what a tray meter built the ordinary Qt way costs: a QSystemTrayIcon whose
// 32 x 32 picture of two bars (processors 0 and 1) is drawn with QPainter every 500 ms.
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <array>

namespace {

struct Times {
  quint64 busy = 0, total = 0;
};

// Processors 0 and 1 from /proc/stat; a missing line leaves its entry at zero.
std::array<Times, 2> ReadTimes() {
  std::array<Times, 2> t{};
  QFile f(QStringLiteral("/proc/stat"));
  if (!f.open(QIODevice::ReadOnly)) return t;
  for (const QByteArray& line : f.readAll().split('\n')) {
    for (int i = 0; i < 2; ++i) {
      if (!line.startsWith("cpu" + QByteArray::number(i) + ' ')) continue;
      const QList<QByteArray> fields = line.simplified().split(' ');
      quint64 total = 0;
      for (int k = 1; k < fields.size() && k <= 8; ++k) total += fields[k].toULongLong();
      const quint64 idle = fields.size() > 5 ? fields[4].toULongLong() + fields[5].toULongLong() : 0;
      t[i] = {total - idle, total};
    }
  }
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QSystemTrayIcon tray;
  std::array<Times, 2> last = ReadTimes();
  auto redraw = [&] {
    const std::array<Times, 2> now = ReadTimes();
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(0, 0, 15, 32, Qt::black);
    p.fillRect(17, 0, 15, 32, Qt::black);
    for (int i = 0; i < 2; ++i) {
      const quint64 dt = now[i].total - last[i].total;
      const double usage = dt > 0 ? 100.0 * double(now[i].busy - last[i].busy) / double(dt) : 0.0;
      const int h = qRound(29 * usage / 100);
      p.fillRect(i * 17 + 2, 31 - h, 13, h, Qt::green);
    }
    p.end();
    last = now;
    tray.setIcon(QIcon(pixmap));
  };
  redraw();
  tray.setToolTip(QStringLiteral("Qt tray reference"));
  tray.show();
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, redraw);
  timer.start(500);
  return app.exec();
}
