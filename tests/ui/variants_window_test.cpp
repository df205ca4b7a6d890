// The variants window driven from the main window: a run on the current
// task fills the table with every variant (of one link, or of two with
// DepthCB), a stop ends a long run early with the variants done so far, and
// a double click on a row makes that variant's change in the task as one
// edit that UndoBt takes back.
#include "ui/variants_window.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "tests/support/task_builder.h"
#include "tests/ui/fake_services.h"
#include "tests/ui/window_helpers.h"
#include "ui/zv_form.h"

namespace zv {

using test::Control;
using test::WindowFixture;

class VariantsWindowTest : public QObject {
  Q_OBJECT

  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }

  void Load(const char* example) {
    TaskState task;
    QVERIFY(ReadTaskFile(std::string(ZORVAT_EXAMPLES) + "/" + example, task) == ReadResult::Ok);
    test::LoadTask(*fx_, task);
  }
  TVariantsForm* Open() {
    QTest::mouseClick(Control<QAbstractButton>(W(), "VariantsBt"), Qt::LeftButton);
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<TVariantsForm*>(w); form != nullptr && form->isVisible())
        return QTest::qWaitForWindowExposed(form) ? form : nullptr;
    return nullptr;
  }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    QVERIFY(fx_->StartShown());
  }
  void cleanup() {
    fx_->CloseWithoutSaving();
    delete fx_;
  }

  void stopEndsALongRunWithTheVariantsDone() {
    Load("king_snake.zvt");  // 64 cubes: each variant's search is long
    TVariantsForm* form = Open();
    QVERIFY(form != nullptr);
    QTest::mouseClick(form->RunBt, Qt::LeftButton);
    QVERIFY(form->running());
    QVERIFY(!form->RunBt->isEnabled());
    QTest::mouseClick(form->StopBt, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form->RunBt->isEnabled(), 60000);
    QVERIFY(!form->running());
    QVERIFY(form->ProgressL->text().startsWith(QStringLiteral("Остановлено")));
    const int total = static_cast<int>(ListLinkVariants(W().task().figure, {}).size());
    QVERIFY(form->VariantsT->rowCount() < total);
  }

  void runListsEveryVariantAndADoubleClickAppliesOneUndoably() {
    Load("hinge_ring.zvt");
    const TaskState before = W().task();
    TVariantsForm* form = Open();
    QVERIFY(form != nullptr);
    QTest::mouseClick(form->RunBt, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form->RunBt->isEnabled(), 120000);
    const std::vector<LinkVariant> variants = ListLinkVariants(before.figure, {});
    QCOMPARE(form->VariantsT->rowCount(), static_cast<int>(variants.size()));
    // Sorted by verdict, the row's own variant is still the one applied.
    form->VariantsT->sortByColumn(1, Qt::DescendingOrder);
    const auto index = form->VariantsT->item(2, 0)->data(Qt::UserRole).toULongLong();
    const QRect cell = form->VariantsT->visualItemRect(form->VariantsT->item(2, 0));
    QVERIFY(form->VariantsT->viewport()->rect().contains(cell.center()));
    QSignalSpy chosen(form, &TVariantsForm::variantChosen);
    // An item view takes a double click on the item its press chose.
    QTest::mousePress(form->VariantsT->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(form->VariantsT->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(chosen.count(), 1);
    FigureState expected = before.figure;
    QVERIFY(ApplyLinkVariant(expected, variants[index]));
    QVERIFY(W().task().figure == expected);
    QVERIFY(!(expected == before.figure));
    QTest::mouseClick(Control<QAbstractButton>(W(), "UndoBt"), Qt::LeftButton);
    QVERIFY(W().task().figure == before.figure);
  }

  void depthTwoChangesTwoLinksInOneEdit() {
    TaskState t = test::MakeTask({"##", "#."}, {{"##", "#."}});  // three cubes in an L, linked in a chain
    test::SetLink(t, 1, 0, RigidX);
    test::SetLink(t, 0, 1, AxisY);
    test::LoadTask(*fx_, t);
    const TaskState before = W().task();
    TVariantsForm* form = Open();
    QVERIFY(form != nullptr);
    form->DepthCB->setCurrentIndex(1);
    QTest::mouseClick(form->RunBt, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(form->RunBt->isEnabled(), 120000);
    const std::vector<LinkVariant> variants = ListLinkVariants(before.figure, {.depth = 2});
    QCOMPARE(form->VariantsT->rowCount(), static_cast<int>(variants.size()));
    const auto index = form->VariantsT->item(0, 0)->data(Qt::UserRole).toULongLong();
    QCOMPARE(variants[index].changes.size(), 2u);
    const QRect cell = form->VariantsT->visualItemRect(form->VariantsT->item(0, 0));
    QTest::mousePress(form->VariantsT->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(form->VariantsT->viewport(), Qt::LeftButton, {}, cell.center());
    FigureState expected = before.figure;
    QVERIFY(ApplyLinkVariant(expected, variants[index]));
    QVERIFY(W().task().figure == expected);
    QTest::mouseClick(Control<QAbstractButton>(W(), "UndoBt"), Qt::LeftButton);
    QVERIFY(W().task().figure == before.figure);
  }
};

}  // namespace zv

QTEST_MAIN(zv::VariantsWindowTest)
#include "variants_window_test.moc"
