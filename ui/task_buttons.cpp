// The task buttons of the main window (ui/task_buttons.h).
#include "ui/task_buttons.h"

#include <QStyle>
#include <QToolButton>

#include "ui/controls.h"
#include "ui/tr.h"
#include "ui/window_texts.h"

namespace zv {

TaskButtons::TaskButtons(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ButtonsAP"));
  setGeometry(2, kMainStripRow[0], 5 * kGlyphPitch, 22);
  QStyle* s = style();
  OpenBt = MakeButton(this, "OpenBt", QT_TRANSLATE_NOOP("Zorvat", "Открыть задачу из файла"), 0, 0, 22, 22);
  OpenBt->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  SaveBt = MakeButton(this, "SaveBt", QT_TRANSLATE_NOOP("Zorvat", "Сохранить задачу в файл"), kGlyphPitch, 0,
                      22, 22);
  SaveBt->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  HelpBt = MakeButton(this, "HelpBt", QT_TRANSLATE_NOOP("Zorvat", "Справка по программе"), 2 * kGlyphPitch, 0,
                      22, 22, "?");
  TextBt = MakeButton(this, "TextBt", QT_TRANSLATE_NOOP("Zorvat", "Текстовая информация о задаче"),
                      3 * kGlyphPitch, 0, 22, 22, "T", true);
  ChooseColBt = MakeButton(this, "ChooseColBt", QT_TRANSLATE_NOOP("Zorvat", "Выбор цвета кубиков"),
                           4 * kGlyphPitch, 0, 22, 22);
  NewBt = MakeButton(parent, "NewBt", kNewTaskTitle, 260, kMainStripRow[0], 22, 22);
  NewBt->setIcon(s->standardIcon(QStyle::SP_FileIcon));
}

}  // namespace zv
