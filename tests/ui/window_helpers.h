// Helpers for driving the main window in tests: loading a task into it
// through a real task file, finding its controls and pressing the mouse at
// figure or form cell offsets.
#pragma once

#include <QAbstractButton>
#include <QtTest>

#include "editor/cell_geometry.h"
#include "storage/task_file.h"
#include "tests/ui/fake_services.h"
#include "ui/picture.h"

namespace zv::test {

// A file's bytes (empty when it cannot be read), and writing them.
inline QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

inline void LoadTask(WindowFixture& fx, const TaskState& task, const char* name = "loaded.zvt") {
  const QString path = fx.file(name);
  QVERIFY(WriteTaskFile(QFile::encodeName(path).toStdString(), task) == WriteResult::Ok);
  QVERIFY(fx.window->ReadTask(path, true));
}

// Shows and activates the window, so its keyboard shortcuts act.
inline void Activate(TZvForm& w) {
  w.show();
  QApplication::setActiveWindow(&w);
  QVERIFY(QTest::qWaitForWindowActive(&w));
}

template <typename T = QWidget>
T* Control(TZvForm& window, const char* name) {
  T* control = window.findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) qFatal("no control %s", name);
  return control;
}

inline Picture* ImA(TZvForm& w) { return Control<Picture>(w, "ImA"); }
inline Picture* ImB(TZvForm& w) { return Control<Picture>(w, "ImB"); }

// Picture point at offset (t, u) inside figure cell (cx, cy).
inline QPoint FigurePoint(int cx, int cy, int t, int u) {
  return {FigureCellLeft(cx) + t, FigureCellTop(cy) + u};
}

inline FigureCell CellWord(const TZvForm& w, int x, int y) {
  return w.task().figure.Cells[FigureCellIndex(x, y)];
}

inline bool HasBit(const TZvForm& w, int x, int y, int bit) {
  return (CellWord(w, x, y) & BitMask(bit)) != 0;
}

}  // namespace zv::test

// The main() of a window test run at twice the pixel scale, at 96 dpi, as a
// high-density screen shows the window (QTEST_MAIN for scale 2).
#define ZORVAT_TEST_MAIN_AT_SCALE_2(TestClass) \
  int main(int argc, char* argv[]) {           \
    qputenv("QT_SCALE_FACTOR", "2");           \
    QApplication app(argc, argv);              \
    app.setAttribute(Qt::AA_Use96Dpi, true);   \
    TestClass test;                            \
    return QTest::qExec(&test, argc, argv);    \
  }
