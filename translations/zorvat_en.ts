<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Zorvat</name>
    <message>
        <source>Связи</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Показывать связи кубиков отрезками</source>
        <translation>Show the links of cubes as segments</translation>
    </message>
    <message>
        <source>Показывать номера кубиков</source>
        <translation>Show cube numbers</translation>
    </message>
    <message>
        <source>Задать свои номера кубиков</source>
        <translation>Give the cubes numbers of your own</translation>
    </message>
    <message>
        <source>Рисовать кубики</source>
        <translation>Draw cubes</translation>
    </message>
    <message>
        <source>Рисовать жесткое соединение кубиков</source>
        <translation>Draw rigid joints of cubes</translation>
    </message>
    <message>
        <source>Рисовать оси по центру граней</source>
        <translation>Draw axes through face centres</translation>
    </message>
    <message>
        <source>Рисовать реберные шарниры</source>
        <translation>Draw edge hinges</translation>
    </message>
    <message>
        <source>Отменить действие</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Вернуть действие</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Ширина</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Глубина</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Сдвинуть влево</source>
        <translation>Shift left</translation>
    </message>
    <message>
        <source>Сдвинуть вправо</source>
        <translation>Shift right</translation>
    </message>
    <message>
        <source>Сдвинуть вверх</source>
        <translation>Shift up</translation>
    </message>
    <message>
        <source>Сдвинуть вниз</source>
        <translation>Shift down</translation>
    </message>
    <message>
        <source>Сдвинуть в верхний левый угол</source>
        <translation>Shift to the top left corner</translation>
    </message>
    <message>
        <source>Очистить исходную конфигурацию</source>
        <translation>Clear the flat figure</translation>
    </message>
    <message>
        <source>Заполнить габаритный прямоугольник кубиками</source>
        <translation>Fill the bounding rectangle with cubes</translation>
    </message>
    <message>
        <source>Заполнить</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>Очистить задачу</source>
        <translation>Clear the task</translation>
    </message>
    <message>
        <source>Очистить связи</source>
        <translation>Clear links</translation>
    </message>
    <message>
        <source>Кубиков</source>
        <translation>Cubes</translation>
    </message>
    <message>
        <source>Частей</source>
        <translation>Parts</translation>
    </message>
    <message>
        <source>Циклов</source>
        <translation>Cycles</translation>
    </message>
    <message>
        <source>Высота</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Сдвинуть от себя</source>
        <translation>Shift away</translation>
    </message>
    <message>
        <source>Сдвинуть на себя</source>
        <translation>Shift nearer</translation>
    </message>
    <message>
        <source>Сдвинуть в начало координат</source>
        <translation>Shift to the origin</translation>
    </message>
    <message>
        <source>Очистить форму для заполнения</source>
        <translation>Clear the form</translation>
    </message>
    <message>
        <source>Заполнить габаритный параллелепипед формой</source>
        <translation>Fill the bounding box with form cells</translation>
    </message>
    <message>
        <source>Показывать предыдущий слой</source>
        <translation>Show the previous layer</translation>
    </message>
    <message>
        <source>Показывать следующий слой</source>
        <translation>Show the next layer</translation>
    </message>
    <message>
        <source>Количество пустых клеток</source>
        <translation>Number of empty cells</translation>
    </message>
    <message>
        <source>Пустые клетки</source>
        <translation>Empty cells</translation>
    </message>
    <message>
        <source>Показ границ клеток внутри формы</source>
        <translation>Show cell borders inside the form</translation>
    </message>
    <message>
        <source>Автор головоломки: команда Зорват</source>
        <translation>Puzzle author: the Zorvat team</translation>
    </message>
    <message>
        <source>Автор программы: разработчики Зорват, zorvat@example.org</source>
        <translation>Program author: the Zorvat developers, zorvat@example.org</translation>
    </message>
    <message>
        <source>Зайти на сайт </source>
        <translation>Visit the web site </translation>
    </message>
    <message>
        <source>Справка по программе</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Версия 2.0</source>
        <translation>Version 2.0</translation>
    </message>
    <message>
        <source>Весь или выделенный текст в буфер обмена</source>
        <translation>Copy all or the selected text to the clipboard</translation>
    </message>
    <message>
        <source>Справка на английском языке</source>
        <translation>Help in English</translation>
    </message>
    <message>
        <source>Номер кубика</source>
        <translation>Cube number</translation>
    </message>
    <message>
        <source>Занумеровать подряд</source>
        <translation>Number in order</translation>
    </message>
    <message>
        <source>Выделите номер,
потом кликните по кубику</source>
        <translation>Select a number,
then click a cube</translation>
    </message>
    <message>
        <source>Потрачено секунд на решение </source>
        <translation>Seconds spent solving </translation>
    </message>
    <message>
        <source>Ожидается еще потратить времени на решение</source>
        <translation>Time still expected for solving</translation>
    </message>
    <message>
        <source>Тупиковых вариантов</source>
        <translation>Dead ends</translation>
    </message>
    <message>
        <source>Найдено решений</source>
        <translation>Solutions found</translation>
    </message>
    <message>
        <source>Первое решение</source>
        <translation>First solution</translation>
    </message>
    <message>
        <source>Предыдущее решение</source>
        <translation>Previous solution</translation>
    </message>
    <message>
        <source>Следующее решение</source>
        <translation>Next solution</translation>
    </message>
    <message>
        <source>Последнее решение</source>
        <translation>Last solution</translation>
    </message>
    <message>
        <source>1 из 1</source>
        <translation>1 of 1</translation>
    </message>
    <message>
        <source>Открыть задачу из файла</source>
        <translation>Open a task from a file</translation>
    </message>
    <message>
        <source>Сохранить задачу в файл</source>
        <translation>Save the task to a file</translation>
    </message>
    <message>
        <source>Текстовая информация о задаче</source>
        <translation>Text about the task</translation>
    </message>
    <message>
        <source>Выбор цвета кубиков</source>
        <translation>Choose the colour of cubes</translation>
    </message>
    <message>
        <source>Информация о задаче</source>
        <translation>About the task</translation>
    </message>
    <message>
        <source>Очистить текст</source>
        <translation>Clear the text</translation>
    </message>
    <message>
        <source>Текст из буфера обмена</source>
        <translation>Text from the clipboard</translation>
    </message>
    <message>
        <source>Длина текста</source>
        <translation>Length of the text</translation>
    </message>
    <message>
        <source>Объёмный вид решения</source>
        <translation>3-D view of the solution</translation>
    </message>
    <message>
        <source>Исходный поворот и масштаб</source>
        <translation>Initial turn and scale</translation>
    </message>
    <message>
        <source>Показывать слои до этого (остальные срезаны)</source>
        <translation>Show the layers up to this one (the others cut away)</translation>
    </message>
    <message>
        <source>Показать, как фигура складывается в решение</source>
        <translation>Show how the figure folds into the solution</translation>
    </message>
    <message>
        <source>Шаг назад</source>
        <translation>Step back</translation>
    </message>
    <message>
        <source>Шаг вперёд</source>
        <translation>Step forward</translation>
    </message>
    <message>
        <source>Ход складывания: от плоской фигуры до решения</source>
        <translation>Course of the fold: from the flat figure to the solution</translation>
    </message>
    <message>
        <source>Скорость: шагов в секунду</source>
        <translation>Speed: steps per second</translation>
    </message>
    <message>
        <source>Проверка складывания…</source>
        <translation>Checking the fold…</translation>
    </message>
    <message>
        <source>Складывается: движение без столкновений найдено (%1 шагов)</source>
        <translation>Foldable: a motion without collisions was found (%1 steps)</translation>
    </message>
    <message>
        <source>Движение складывания не найдено в пределах поиска</source>
        <translation>No folding motion found within the budget</translation>
    </message>
    <message>
        <source>Движение складывания не найдено: в решении ни один шарнир не может повернуться</source>
        <translation>No folding motion found: in the solution no hinge can turn</translation>
    </message>
    <message>
        <source>Движение складывания не найдено: часть %1 не входит в форму</source>
        <translation>No folding motion found: part %1 has no way into the form</translation>
    </message>
    <message>
        <source>Не проверено (замкнутый цикл шарниров)</source>
        <translation>Not checked (closed cycle of hinges)</translation>
    </message>
    <message>
        <source>Не проверено (проверка остановлена)</source>
        <translation>Not checked (the check was stopped)</translation>
    </message>
    <message>
        <source>Проверить в фоне, какие решения складываются; нажать ещё раз — остановить проверку</source>
        <translation>Check in the background which solutions can be folded; press again to stop the check</translation>
    </message>
    <message>
        <source>Складывание</source>
        <translation>Folding</translation>
    </message>
    <message>
        <source>только складывающиеся</source>
        <translation>foldable only</translation>
    </message>
    <message>
        <source>Кнопки просмотра переходят только по решениям, которые складываются</source>
        <translation>The browse buttons step through the foldable solutions only</translation>
    </message>
    <message>
        <source>складывается</source>
        <translation>foldable</translation>
    </message>
    <message>
        <source>движение не найдено</source>
        <translation>no motion found</translation>
    </message>
    <message>
        <source>не проверено</source>
        <translation>not checked</translation>
    </message>
    <message>
        <source>проверено %1 из %2</source>
        <translation>%1 of %2 checked</translation>
    </message>
    <message>
        <source>проверка остановлена: проверено %1 из %2, складываются %3</source>
        <translation>check stopped: %1 of %2 checked, %3 foldable</translation>
    </message>
    <message>
        <source>%1 из %2 складываются</source>
        <translation>%1 of %2 foldable</translation>
    </message>
    <message>
        <source>в простом порядке кубики %1 и %2 сталкиваются на шаге %3 из %4</source>
        <translation>in the plain order cubes %1 and %2 collide at step %3 of %4</translation>
    </message>
    <message>
        <source>Решить</source>
        <translation>Solve</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Редакт.</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Перейти в режим редактирования</source>
        <translation>Return to editing</translation>
    </message>
    <message>
        <source>%1 из %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>Решение</source>
        <translation>Solution</translation>
    </message>
    <message>
        <source>%1 из %2 (%3)</source>
        <translation>%1 of %2 (%3)</translation>
    </message>
    <message>
        <source>Найдено решений: %1, сохранено первых %2</source>
        <translation>Solutions found: %1, the first %2 kept</translation>
    </message>
    <message>
        <source>Решений нет</source>
        <translation>No solutions</translation>
    </message>
    <message>
        <source>Зорват</source>
        <translation>Zorvat</translation>
    </message>
    <message>
        <source>Зорват (%1)</source>
        <translation>Zorvat (%1)</translation>
    </message>
    <message>
        <source>Количество кубиков не должно быть больше 254</source>
        <translation>There must be no more than 254 cubes</translation>
    </message>
    <message>
        <source>Добавление кубиков невозможно</source>
        <translation>Cubes cannot be added</translation>
    </message>
    <message>
        <source>Операция невозможна</source>
        <translation>The operation is impossible</translation>
    </message>
    <message>
        <source>Открыть задачу</source>
        <translation>Open task</translation>
    </message>
    <message>
        <source>Сохранить задачу</source>
        <translation>Save task</translation>
    </message>
    <message>
        <source>Сохранять?</source>
        <translation>Save?</translation>
    </message>
    <message>
        <source>Файл уже существует</source>
        <translation>The file already exists</translation>
    </message>
    <message>
        <source>Файл сохранён под именем %1</source>
        <translation>The file was kept as %1</translation>
    </message>
    <message>
        <source>Файл не удалось переименовать; при выходе он не будет перезаписан</source>
        <translation>The file could not be renamed; it will not be overwritten at exit</translation>
    </message>
    <message>
        <source>Настройки не записаны</source>
        <translation>The settings were not written</translation>
    </message>
    <message>
        <source>Задача не записана</source>
        <translation>The task was not written</translation>
    </message>
    <message>
        <source>Сохранить задачу в другой файл перед выходом? «Отмена» — продолжить работу.</source>
        <translation>Save the task to another file before quitting? &quot;Cancel&quot; goes on working.</translation>
    </message>
    <message>
        <source>В исходной фигуре меньше 2 кубиков</source>
        <translation>The flat figure has fewer than 2 cubes</translation>
    </message>
    <message>
        <source>В исходной фигуре больше 254 кубиков</source>
        <translation>The flat figure has more than 254 cubes</translation>
    </message>
    <message>
        <source>Кубики %1 и %2 должны быть жестко связаны</source>
        <translation>Cubes %1 and %2 must be joined rigidly</translation>
    </message>
    <message>
        <source>Кубики %1 и %2 не могут быть шарнирно связаны</source>
        <translation>Cubes %1 and %2 cannot be hinged</translation>
    </message>
    <message>
        <source>В форме больше 254 кубиков</source>
        <translation>The form has more than 254 cells</translation>
    </message>
    <message>
        <source>В форме на %1 меньше кубиков, чем в условии</source>
        <translation>The form has %1 cells fewer than there are cubes</translation>
    </message>
    <message>
        <source>В форме на %1 больше кубиков, чем в условии</source>
        <translation>The form has %1 cells more than there are cubes</translation>
    </message>
    <message>
        <source>Ошибка в файле задачи</source>
        <translation>Error in the task file</translation>
    </message>
    <message>
        <source>Версия файла решений более новая, чем у программы</source>
        <translation>The result file is of a newer version than the program</translation>
    </message>
    <message>
        <source>Ошибка в файле решений</source>
        <translation>Error in the result file</translation>
    </message>
    <message>
        <source>Решения в файле не подходят к его задаче</source>
        <translation>The solutions in the file do not fit its task</translation>
    </message>
    <message>
        <source>Невозможно считать файл</source>
        <translation>Cannot read the file</translation>
    </message>
    <message>
        <source>Неправильный заголовок файла задачи</source>
        <translation>Wrong task file header</translation>
    </message>
    <message>
        <source>Версия файла задачи более новая, чем у программы</source>
        <translation>The task file is of a newer version than the program</translation>
    </message>
    <message>
        <source>Невозможно записать файл</source>
        <translation>Cannot write the file</translation>
    </message>
    <message>
        <source>Файл не найден</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Программа «Зорват» помогает составлять и решать головоломки на упаковку, детали которых собраны из единичных кубиков. Соседние кубики могут быть скреплены жёстко или соединены шарнирами: шарнир может проходить вдоль общего ребра кубиков или по оси через центр их общей грани. Детали нужно уложить в заданную форму; форма может состоять из нескольких слоёв и может содержать больше клеток, чем есть кубиков. В исходном положении все кубики лежат в одном слое. Они могут образовывать несколько связных частей, а связи внутри части могут замыкаться в циклы. Если в задаче есть циклы, программа не проверяет, можно ли получить найденную укладку из исходной фигуры непрерывным движением.</source>
        <translation>Zorvat helps you compose and solve packing puzzles whose pieces are made of unit cubes. Neighbouring cubes can be joined rigidly or by hinges: a hinge runs either along the edge the two cubes share or on the axis through the centre of the face they share. The pieces must be packed into a given form; the form may have several layers and may hold more cells than there are cubes. In the starting position all cubes lie in one layer. They may make up several connected parts, and the links within a part may close into cycles. When the task has cycles, the program does not check whether the packing it finds can be reached from the flat figure by a continuous movement.</translation>
    </message>
    <message>
        <source>Редактирование</source>
        <translation>Editing</translation>
    </message>
    <message>
        <source>Левая половина окна — исходная фигура. Её ширину и глубину задают поля над рисунком (не больше 30 клеток); кнопка заполнения ставит кубики во все клетки габаритного прямоугольника. Четыре кнопки выбирают, что рисует мышь: кубики, жёсткие соединения, оси через центры граней или шарниры на рёбрах. В режимах рисования связей правая кнопка мыши по-прежнему ставит и стирает кубики. Нажатие на пустую клетку ставит кубик, нажатие на кубик стирает его; если провести мышью с нажатой кнопкой, так же изменятся все клетки на пути. Жёсткие соединения и оси через центры граней тоже можно рисовать протягиванием через несколько кубиков, а шарниры на рёбрах ставятся по одному. Какое именно ребро или какая ось получится, зависит от того, в какой части клетки находится курсор: связь ставится к той стороне или к тому углу клетки, которые ближе к курсору. Повторное нажатие на то же место убирает связь. Между двумя кубиками может быть только одна связь, поэтому новая связь убирает все другие связи между теми же кубиками. Флажок «Связи» показывает связи отрезками между центрами кубиков.
Шарнир на ребре у левого или верхнего кубика лежит на верхней грани слоя, у правого или нижнего — на нижней; нажатие у другого кубика переносит его.

Кубики нумеруются подряд по строкам, но номера можно задать и свои. Нажмите кнопку «№»: откроется окно со списком номеров. Выделите в нём номер и щёлкните по кубику — кубик получит этот номер (а кубик, у которого этот номер был, получит прежний номер щёлкнутого), и выделение перейдёт на следующий номер. Можно и провести мышью по кубикам: они получат номера по порядку. Кнопка «Занумеровать подряд» возвращает обычную нумерацию.

Правая половина окна — форма для заполнения. Её ширина, глубина и число слоёв (до 10) задаются полями над рисунком; слои нарисованы один под другим, первый сверху. Нажатие на клетку включает её в форму или исключает из неё, протягивание мышью меняет так же все клетки на пути. Кнопка заполнения включает в форму весь габаритный параллелепипед. Кнопки предыдущего и следующего слоя показывают, где в соседних слоях есть клетки формы. Обычно в форме должно быть ровно столько клеток, сколько кубиков; если отметить флажок «Пустые клетки», клеток может быть больше, и лишние останутся пустыми.

Строка сообщений объясняет, почему задачу пока нельзя решать. Имя файла текущей задачи показано в заголовке окна.
Каждое изменение фигуры и формы (клетки, заполнение, очистка, размеры, сдвиги, флажок «Пустые клетки») отменяет кнопка отмены или Ctrl+Z и возвращает кнопка возврата, Ctrl+Shift+Z или Ctrl+Y; отмена идёт в том порядке, в каком делались изменения, и помнит до 499 шагов. Если сдвинуть фигуру или форму некуда, строка сообщений объясняет почему.</source>
        <translation>The left half of the window is the flat figure. Its width and depth are set by the fields above the picture (at most 30 cells); the fill button puts cubes into every cell of the bounding rectangle. Four buttons choose what the mouse draws: cubes, rigid joints, axes through face centres or hinges on edges. In the link drawing modes the right mouse button still sets and erases cubes. A press on an empty cell sets a cube, a press on a cube erases it; drag with the button held down and every cell along the way changes the same way. Rigid joints and face-centre axes can also be drawn by dragging across several cubes, while edge hinges are set one at a time. Which edge or axis you get depends on where in the cell the cursor is: the link goes to the side or the corner of the cell nearest to the cursor. Pressing the same place again removes the link. Two cubes can share only one link, so a new link removes every other link between the same cubes. The "Links" box shows the links as segments between cube centres.
An edge hinge pressed near the left or upper cube lies on the upper face of the layer, near the right or lower one on the lower face; a press near the other cube moves it there.

Cubes are numbered row by row, but you can give them numbers of your own. Press the "№" button: a window with the list of numbers opens. Select a number in it and click a cube: the cube gets that number (and the cube that had it gets the clicked cube's old number), and the selection moves on to the next number. You can also drag the mouse across cubes: they get the numbers in order. The "Number in order" button brings back the usual numbering.

The right half of the window is the form to fill. Its width, depth and number of layers (up to 10) are set by the fields above the picture; the layers are drawn one below the other, the first at the top. A press on a cell adds it to the form or takes it out, and dragging changes every cell along the way the same way. The fill button puts the whole bounding box into the form. The previous and next layer buttons show where the neighbouring layers have form cells. Normally the form must have exactly as many cells as there are cubes; tick "Empty cells" and it may have more, the spare ones staying empty.

The message line explains why the task cannot be solved yet. The name of the current task file is shown in the window's title.
Every change of the figure and the form (cells, fill, clear, sizes, shifts, the empty-cells switch) is undone by the undo button or Ctrl+Z and redone by the redo button, Ctrl+Shift+Z or Ctrl+Y; undo goes back in the order the changes were made and remembers up to 499 steps. When the figure or the form cannot be shifted, the message line says why.</translation>
    </message>
    <message>
        <source>Масштаб и окно</source>
        <translation>Zoom and the window</translation>
    </message>
    <message>
        <source>Ctrl+колесо мыши над рисунком, Ctrl+= и Ctrl+- увеличивают и уменьшают оба рисунка; Ctrl+0 подбирает масштаб, при котором фигура и форма видны целиком. Все места, куда можно нажать, растут и уменьшаются вместе с клетками. Границу между половинами окна можно перетащить мышью; она остаётся на месте, когда меняются размеры задачи, а когда меняется размер окна, обе половины растут вместе с ним. Окна описания, нумерации и справки в первый раз открываются рядом с главным окном, а потом там, где их оставили.</source>
        <translation>Ctrl+mouse wheel over a picture, Ctrl+= and Ctrl+- make both pictures larger and smaller; Ctrl+0 picks the zoom at which the whole figure and the whole form are visible. Every place you can press grows and shrinks with the cells. The border between the two halves of the window can be dragged with the mouse; it stays where it is when the task's sizes change, and when the window is resized both halves grow with it. The description, numbering and help windows open beside the main window the first time, and later where you left them.</translation>
    </message>
    <message>
        <source>Сохранение и открытие файлов</source>
        <translation>Saving and opening files</translation>
    </message>
    <message>
        <source>Задачи сохраняются в файлы с расширением zvt (кнопка сохранения, F2 или Ctrl+S) и открываются из них (кнопка открытия, F3 или Ctrl+O). В файл записываются фигура, форма и описание задачи, но не решения. При выходе из программы текущее состояние сохраняется в файл Current.zvt в папке данных программы (см. «Где программа хранит файлы») и при следующем запуске открывается снова. Чтобы выйти, ничего не сохраняя, нажмите Shift+F11. Файл задачи можно указать в командной строке при запуске (параметр «-» начинает с пустой задачи) или перетащить его мышью в окно программы.
Если в задаче есть изменения, которых нет ни в одном файле, открытие файла, перетаскивание и файл в командной строке сначала спрашивают, сохранить ли их. Когда сеанс работы в системе завершается (сигналы SIGTERM и SIGHUP), программа закрывается без вопросов и сохраняет всё, как при обычном выходе, вместе с ходом идущего поиска.</source>
        <translation>Tasks are saved to files with the extension zvt (the save button, F2 or Ctrl+S) and opened from them (the open button, F3 or Ctrl+O). A file holds the figure, the form and the task's description, but not the solutions. When you quit the program, the current state is saved to the file Current.zvt in the program's data folder (see "Where the program keeps its files") and opened again at the next start. To quit without saving anything, press Shift+F11. A task file can be named on the command line at start (the parameter "-" starts with an empty task) or dragged into the program's window with the mouse.
When the task has changes that no file holds, opening a file, dropping one and a file on the command line first ask whether to save them. When the session ends (the signals SIGTERM and SIGHUP), the program closes without questions and saves everything as at an ordinary exit, a running search's progress included.</translation>
    </message>
    <message>
        <source>Решение и просмотр решений</source>
        <translation>Solving and browsing solutions</translation>
    </message>
    <message>
        <source>Кнопка «Решить» доступна, когда в задаче нет ошибок. Программа перебирает все способы уложить детали в форму так, чтобы все связи были соблюдены, и сохраняет не больше 10000 решений. Повторное нажатие на кнопку во время поиска останавливает его. Решения, которые переходят друг в друга при одной из 48 симметрий пространства (поворотах и зеркальных отражениях), считаются одинаковыми, и остаётся только одно из них. Номера кубиков при сравнении не учитываются: два решения, в которых совпадают все связи, но различаются номера, считаются симметричными. Пустые клетки при сравнении тоже не учитываются.
Поиск пропускает ветви, дающие лишь копии найденного (симметрии, повороты кубика вокруг оси, обмен одинаковыми деталями) или заведомо без решений, поэтому число тупиков относится к выполненному поиску; решения и их порядок от этого не меняются.
Остановленный поиск можно продолжить: под кнопкой появляется кнопка «Продолжить», и поиск идёт дальше с того места, где остановился; найденные решения, их порядок и число будут те же, что и без остановки. Место остановки хранится, пока задача не изменена, и записывается в файл Current.zvu рядом с Current.zvt, так что продолжить можно и после следующего запуска; во время поиска ход поиска записывается туда и каждые десять минут. Если закрыть программу во время поиска, она спросит, сохранить ли ход поиска. Файл хода поиска (расширение zvu; такие файлы пишет и zorvat-cli solve --checkpoint) открывается так же, как файл задачи: программа покажет его задачу, найденные решения и кнопку «Продолжить». Файл решений (расширение zvr; его пишут zorvat-cli solve --result и zorvat-cli merge --result) открывается так же и сразу показывает свою задачу с сохранёнными решениями и их числами, без нового поиска.

Кнопки со стрелками листают найденные решения. В решении в каждой клетке формы стоит номер кубика, который туда попал, а жёсткие соединения и шарниры по осям граней нарисованы на своих местах. Щелчок по клетке формы или по кубику с тем же номером в фигуре выделяет её, повторный щелчок снимает выделение; выделение сохраняется при переходе к другому решению. У выделенной клетки светло-зелёным отмечены кубики, связанные с ней шарнирами, а синими чёрточками и точками — шарниры на её рёбрах. Ось на горизонтальном ребре нижней грани рисуется внутри выделенного кубика, а ось на ребре верхней грани — снаружи, в связанном кубике; для связей с кубиками соседних слоёв чёрточка рисуется в связанном кубике. Нижним считается слой с большим номером. Синий квадрат в клетках над и под выделенной показывает, где она лежит в соседних слоях. Кнопка «Редакт.» возвращает к редактированию задачи.
Справа от прошедшего времени показано, сколько ещё ждать; пока этой оценке нельзя доверять, там стоит «—». Остановленный поиск пишет «Остановлено, найдено N» или «1 из N, остановлено»: это ещё не ответ, сколько решений у задачи. Если при запуске файл Current.zvu повреждён или относится к другой задаче, программа переименовывает его (Current.damaged-….zvu, Current.other-….zvu), сообщает новое имя, и этот файл можно открыть.</source>
        <translation>The "Solve" button is available when the task has no errors. The program tries every way to pack the pieces into the form so that all links are kept, and stores at most 10000 solutions. Pressing the button again during the search stops it. Solutions that turn into one another under one of the 48 symmetries of space (rotations and mirror images) count as the same, and only one of them is kept. Cube numbers are not compared: two solutions with all links alike but different numbers count as symmetric. Empty cells are not compared either.
The search skips branches that can only give copies of what was found (symmetries, turns of a cube about an axis, exchanges of identical pieces) or that surely hold no solutions, so the number of dead ends belongs to the search that ran; the solutions and their order do not change.
A stopped search can be continued: the "Continue" button appears under the button, and the search goes on from where it stopped; the solutions found, their order and their number are those of a search without a stop. The place where it stopped is kept until the task is changed, and is written to the file Current.zvu beside Current.zvt, so it can also be continued after the next start; during a search its progress is written there every ten minutes too. If you close the program during a search, it asks whether to keep the search's progress. A file of a search's progress (extension zvu; zorvat-cli solve --checkpoint writes such files too) opens like a task file: the program shows its task, the solutions found and the "Continue" button. A result file (extension zvr; zorvat-cli solve --result and zorvat-cli merge --result write them) opens the same way and shows its task with the stored solutions and their counts at once, without a new search.

The arrow buttons step through the solutions found. In a solution every form cell shows the number of the cube that landed in it, and rigid joints and face-axis hinges are drawn in place. A click on a form cell, or on the cube with the same number in the figure, selects it; a second click clears the selection; the selection stays when you step to another solution. Around the selected cell, the cubes hinged to it are marked light green, and the hinges on its edges blue with bars and dots. An axis on a horizontal edge of the lower face is drawn inside the selected cube, an axis on an edge of the upper face outside it, in the hinged cube; for links to cubes of the neighbouring layers the bar is drawn in the hinged cube. The lower layer is the one with the larger number. A blue square in the cells above and below the selected one shows where it lies in the neighbouring layers. The "Edit" button returns to editing the task.
Beside the elapsed time stands how long the search is still expected to take; while that estimate cannot be trusted it reads "—". A stopped search reads "Stopped, N found" or "1 of N, stopped": that is no answer yet to how many solutions the task has. When Current.zvu is damaged or belongs to another task at start, the program renames it (Current.damaged-….zvu, Current.other-….zvu), tells the new name, and that file can be opened.</translation>
    </message>
    <message>
        <source>Объёмный вид и складывание</source>
        <translation>The 3-D view and the fold</translation>
    </message>
    <message>
        <source>В просмотре решений кнопка «3D» показывает решение объёмно. Перетаскивание мышью поворачивает его, колесо приближает и удаляет, щелчок по кубику выделяет его клетку, как в форме; кнопка исходного вида возвращает поворот и масштаб. Поле слоёв срезает слои выше выбранного. Кнопки и ползунок под рисунком показывают, как плоская фигура складывается в решение: воспроизведение, шаг назад и вперёд, ход складывания и скорость. Строка под рисунком и строка под результатами поиска называют итог проверки складывания. «Складывается»: найдено движение, в котором никакие два кубика не заходят друг в друга (его и показывает анимация, шарниры поворачиваются и частично); части входят в форму по очереди, каждая прямо вдоль оси. Проверка учитывает люфт настоящей головоломки: кубик, вращающийся вокруг своей оси (на линии поворачиваемого осевого шарнира), выходит из своей клетки на 0,207 ребра, но настоящие кубики скруглены, а шнур поддаётся, поэтому такой кубик может вдавиться в соседа до 0,21 ребра; все остальные пары кубиков проверяются точно. «Движение не найдено»: в пределах поиска, или решение заперто (ни один шарнир не может повернуться), или часть не входит в форму; добавлены кубики, которые первыми сталкиваются в простом порядке. «Не проверено»: должен двигаться замкнутый цикл шарниров, или проверка остановлена. Команда zorvat-cli solve --foldable проверяет так все решения. Кнопка «Складывание» под результатами поиска проверяет в фоне все сохранённые решения, окно при этом работает; рядом виден ход проверки («проверено 3 из 5»), а по её окончании — «3 из 5 складываются»; итог показанного решения стоит сразу за его номером: ✓ складывается, ✗ движение не найдено, ? не проверено (подсказка называет его словами). Повторное нажатие останавливает проверку: найденное остаётся, остальные решения помечены «не проверено». Флажок «только складывающиеся» заставляет кнопки просмотра переходить только по решениям, которые складываются.</source>
        <translation>While browsing solutions, the "3D" button shows the solution in three dimensions. Dragging with the mouse turns it, the wheel moves it nearer and farther, and a click on a cube selects its cell as in the form; the reset button brings back the first turn and zoom. The layer field cuts off the layers above the chosen one. The buttons and the slider under the picture show how the flat figure folds into the solution: play, a step back and forth, the fold's progress and its speed. The line under the picture and the line under the search results give the fold check's verdict. "Foldable": a motion was found in which no two cubes go into each other (the animation plays it, hinges turning part way too); the parts go into the form one after another, each straight along an axis. The check allows the play of a real puzzle: a cube spinning about its own axis (on the line of a turning face-axis hinge) reaches out of its cell by 0.207 of an edge, but real cubes are rounded and the string gives, so such a cube may press into a neighbour by up to 0.21 of an edge; every other pair of cubes is checked exactly. "No folding motion found": within the budget, or the solution is locked (no hinge can turn), or a part has no way into the form; the cubes that collide first in the plain order are added. "Not checked": a closed cycle of hinges would have to move, or the check was stopped. The command zorvat-cli solve --foldable checks every solution this way. The "Folding" button under the search results checks every stored solution in the background while the window stays usable; beside it stands the check's progress ("3 of 5 checked"), and once it has ended, "3 of 5 foldable"; the shown solution's mark stands right after its number: ✓ foldable, ✗ no motion found, ? not checked (its tooltip says it in words). Pressing it again stops the check: what was found stays, and the other solutions are marked "not checked". The "foldable only" box makes the browse buttons step through the foldable solutions only.</translation>
    </message>
    <message>
        <source>Рисунки и модели</source>
        <translation>Pictures and models</translation>
    </message>
    <message>
        <source>Кнопка рисунков (в полосе слоёв формы и в просмотре решений) сохраняет рисунок фигуры, слоёв формы или лист решений (с какого по какое, не больше 100 на листе) в файл SVG или PNG, а в просмотре решений — и инструкцию по складыванию (PDF или SVG): развёртку и шаги найденного движения с отмеченными шарнирами. Без найденного движения инструкции нет. Кнопка сохранения в объёмном виде записывает показанное решение как модель STL или OBJ или как рисунок PNG или SVG. Перед тем как заменить существующий файл, программа спрашивает.</source>
        <translation>The pictures button (in the form's layer strip and while browsing solutions) saves a picture of the figure, of the form's layers or a sheet of solutions (from one to another, at most 100 on a sheet) to an SVG or PNG file, and while browsing solutions also the fold instructions (PDF or SVG): the flat figure and the steps of the found motion with their hinges marked. Without a found motion there are no instructions. The save button of the 3-D view writes the shown solution as an STL or OBJ model or as a PNG or SVG picture. Before it replaces an existing file, the program asks.</translation>
    </message>
    <message>
        <source>Где программа хранит файлы</source>
        <translation>Where the program keeps its files</translation>
    </message>
    <message>
        <source>Настройки (Zorvat.ini), последняя задача (Current.zvt) и ход остановленного поиска (Current.zvu) лежат в папке данных программы: в папке из переменной окружения ZORVAT_HOME, если она задана; иначе в папке самой программы, если программа не установлена в систему и в эту папку можно писать; иначе в ~/.config/zorvat (или $XDG_CONFIG_HOME/zorvat). Там же остаются файлы, которые программа не смогла прочитать при запуске и переименовала: Current.damaged-….zvt, Current.newer-….zvt, Current.damaged-….zvu и Current.other-….zvu.</source>
        <translation>The settings (Zorvat.ini), the last task (Current.zvt) and a stopped search's progress (Current.zvu) live in the program's data folder: the folder named by the environment variable ZORVAT_HOME, when it is set; else the program's own folder, when the program is not installed in the system and that folder can be written; else ~/.config/zorvat (or $XDG_CONFIG_HOME/zorvat). Files the program could not read at start and renamed stay there too: Current.damaged-….zvt, Current.newer-….zvt, Current.damaged-….zvu and Current.other-….zvu.</translation>
    </message>
    <message>
        <source>Шарнир на ребре верхней грани</source>
        <translation>Edge hinge on the upper face</translation>
    </message>
    <message>
        <source>Шарнир на ребре нижней грани</source>
        <translation>Edge hinge on the lower face</translation>
    </message>
    <message>
        <source>Сохранить решение: модель STL или OBJ, рисунок PNG или SVG, веб-страницу HTML</source>
        <translation>Save the solution: an STL or OBJ model, a PNG or SVG picture, an HTML web page</translation>
    </message>
    <message>
        <source>Размер модели: длина ребра кубика в единицах файла (например, мм)</source>
        <translation>Model size: the length of a cube&apos;s edge in the file&apos;s units (millimetres, say)</translation>
    </message>
    <message>
        <source>Сохранить решение</source>
        <translation>Save solution</translation>
    </message>
    <message>
        <source>Новая задача</source>
        <translation>New task</translation>
    </message>
    <message>
        <source>Сохранить изменения в задаче?</source>
        <translation>Save the changes to the task?</translation>
    </message>
    <message>
        <source>Прошло, с</source>
        <translation>Elapsed, s</translation>
    </message>
    <message>
        <source>с</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Осталось, с</source>
        <translation>Remaining, s</translation>
    </message>
    <message>
        <source>ост.</source>
        <translation>rem.</translation>
    </message>
    <message>
        <source>Тупиков</source>
        <translation>Dead ends</translation>
    </message>
    <message>
        <source>туп.</source>
        <translation>dead</translation>
    </message>
    <message>
        <source>Решений</source>
        <translation>Solutions</translation>
    </message>
    <message>
        <source>реш.</source>
        <translation>sol.</translation>
    </message>
    <message>
        <source>Продолжить</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Продолжить остановленный поиск с того места, где он остановлен</source>
        <translation>Go on with the stopped search from where it stopped</translation>
    </message>
    <message>
        <source>Поиск ещё идёт</source>
        <translation>The search is still running</translation>
    </message>
    <message>
        <source>Сохранить ход поиска, чтобы продолжить его при следующем запуске? «Отмена» — продолжить поиск.</source>
        <translation>Keep the search's progress to go on with it at the next start? "Cancel" goes on searching.</translation>
    </message>
    <message>
        <source>Ход поиска не сохранён; найденные решения можно просмотреть</source>
        <translation>The search's progress was not kept; the solutions found can be browsed</translation>
    </message>
    <message>
        <source>Ошибка в файле хода поиска</source>
        <translation>The file of the search's progress is damaged</translation>
    </message>
    <message>
        <source>Файл хода поиска записан более новой версией программы</source>
        <translation>The file of the search's progress was written by a newer version of the program</translation>
    </message>
    <message>
        <source>Ход поиска относится к другой задаче; сначала откройте её файл</source>
        <translation>The search's progress belongs to another task; open that task's file first</translation>
    </message>
    <message>
        <source>Остановлено, найдено %1</source>
        <translation>Stopped, %1 found</translation>
    </message>
    <message>
        <source>%1 из %2, остановлено</source>
        <translation>%1 of %2, stopped</translation>
    </message>
    <message>
        <source>Поиск остановлен до конца; «Продолжить» ищет дальше</source>
        <translation>The search was stopped before its end; "Continue" searches on</translation>
    </message>
    <message>
        <source>Сдвигать нечего: поле пусто</source>
        <translation>Nothing to shift: the grid is empty</translation>
    </message>
    <message>
        <source>Сдвиг невозможен: в этом направлении нет места; увеличьте размер поля</source>
        <translation>Cannot shift: there is no room that way; make the grid larger</translation>
    </message>
    <message>
        <source>Ход поиска, сохранённый при выходе, относится к другой задаче</source>
        <translation>The search's progress kept at the last exit belongs to another task</translation>
    </message>
    <message>
        <source>Файл сохранён под именем %1; его можно открыть кнопкой открытия задачи</source>
        <translation>The file was kept as %1; it can be opened with the open button</translation>
    </message>
    <message>
        <source>Ход поиска записан другой версией программы и не подходит к этой</source>
        <translation>The search's progress was written by another version of the program and does not fit this one</translation>
    </message>
    <message>
        <source>Это одна часть поиска, разделённого на части; части соединяет команда zorvat-cli merge</source>
        <translation>This is one part of a search split into parts; the command zorvat-cli merge joins the parts</translation>
    </message>
    <message>
        <source>Сохранить рисунок: фигуру, слои формы или лист решений (SVG или PNG), инструкцию по складыванию (PDF или SVG)</source>
        <translation>Save a picture: the figure, the form layers or a sheet of solutions (SVG or PNG), the fold instructions (PDF or SVG)</translation>
    </message>
    <message>
        <source>Фигура…</source>
        <translation>Figure…</translation>
    </message>
    <message>
        <source>Слои формы…</source>
        <translation>Form layers…</translation>
    </message>
    <message>
        <source>Лист решений…</source>
        <translation>Sheet of solutions…</translation>
    </message>
    <message>
        <source>Инструкция по складыванию…</source>
        <translation>Fold instructions…</translation>
    </message>
    <message>
        <source>Сохранить инструкцию по складыванию</source>
        <translation>Save the fold instructions</translation>
    </message>
    <message>
        <source>У решения %1 нет найденного движения складывания, инструкции нет. %2</source>
        <translation>Solution %1 has no found folding motion, so there are no instructions. %2</translation>
    </message>
    <message>
        <source>Решение %1 ложится в форму без поворота шарниров, инструкции нет.</source>
        <translation>Solution %1 goes into the form without turning a hinge, so there are no instructions.</translation>
    </message>
    <message>
        <source>Проверка складывания решения %1 для инструкции…</source>
        <translation>Checking how solution %1 folds, for the instructions…</translation>
    </message>
    <message>
        <source>Проверка складывания остановлена, инструкция не сохранена.</source>
        <translation>The fold check was stopped; no instructions were saved.</translation>
    </message>
    <message>
        <source>%1 — решение %2</source>
        <translation>%1 — solution %2</translation>
    </message>
    <message>
        <source>На каждом шаге кубики, которые движутся, в цвете; поворачиваемые шарниры отмечены оранжевым и названы номерами их кубиков, с углом после шага.</source>
        <translation>Each step: the cubes that move in colour, the hinges that turn marked orange and named by their cubes' numbers, with their angle after the step.</translation>
    </message>
    <message>
        <source>Развёртка</source>
        <translation>Flat figure</translation>
    </message>
    <message>
        <source>Шаг %1</source>
        <translation>Step %1</translation>
    </message>
    <message>
        <source>Часть %1 идёт в форму</source>
        <translation>Part %1 goes into the form</translation>
    </message>
    <message>
        <source>Лист %1 из %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Сохранить рисунок фигуры</source>
        <translation>Save the figure's picture</translation>
    </message>
    <message>
        <source>Сохранить рисунок слоёв формы</source>
        <translation>Save the form layers' picture</translation>
    </message>
    <message>
        <source>Сохранить лист решений</source>
        <translation>Save a sheet of solutions</translation>
    </message>
    <message>
        <source>Лист решений</source>
        <translation>Sheet of solutions</translation>
    </message>
    <message>
        <source>Решения с</source>
        <translation>Solutions from</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>На одном листе не больше %1 решений</source>
        <translation>At most %1 solutions on one sheet</translation>
    </message>
    <message>
        <source>Неизвестный тип файла</source>
        <translation>Unknown file type</translation>
    </message>
    <message>
        <source>Сохранить можно в файлы %1</source>
        <translation>Files that can be saved: %1</translation>
    </message>
    <message>
        <source>Строка %1, столбец %2</source>
        <translation>Line %1, column %2</translation>
    </message>
    <message>
        <source>Варианты: каждая замена одной связи фигуры и её решения</source>
        <translation>Variants: every change of one link of the figure, and its solutions</translation>
    </message>
    <message>
        <source>нет связи</source>
        <translation>no link</translation>
    </message>
    <message>
        <source>жёсткая связь</source>
        <translation>rigid joint</translation>
    </message>
    <message>
        <source>шарнир по оси грани</source>
        <translation>face-axis hinge</translation>
    </message>
    <message>
        <source>шарнир по горизонтальному ребру 1</source>
        <translation>hinge on horizontal edge 1</translation>
    </message>
    <message>
        <source>шарнир по горизонтальному ребру 2</source>
        <translation>hinge on horizontal edge 2</translation>
    </message>
    <message>
        <source>шарнир по вертикальному ребру 1</source>
        <translation>hinge on vertical edge 1</translation>
    </message>
    <message>
        <source>шарнир по вертикальному ребру 2</source>
        <translation>hinge on vertical edge 2</translation>
    </message>
    <message>
        <source>нет решений</source>
        <translation>none</translation>
    </message>
    <message>
        <source>единственное</source>
        <translation>unique</translation>
    </message>
    <message>
        <source>несколько</source>
        <translation>several</translation>
    </message>
    <message>
        <source>не решён</source>
        <translation>not settled</translation>
    </message>
    <message>
        <source>недопустим</source>
        <translation>invalid</translation>
    </message>
    <message>
        <source>Варианты</source>
        <translation>Variants</translation>
    </message>
    <message>
        <source>Решено вариантов: %1 из %2</source>
        <translation>Variants solved: %1 of %2</translation>
    </message>
    <message>
        <source>Остановлено: решено %1 из %2</source>
        <translation>Stopped: %1 of %2 solved</translation>
    </message>
    <message>
        <source>Готово: единственных %1 из %2</source>
        <translation>Done: %1 of %2 unique</translation>
    </message>
    <message>
        <source>кубики %1-%2: %3 → %4</source>
        <translation>cubes %1-%2: %3 → %4</translation>
    </message>
    <message>
        <source>Запустить</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Решить каждый вариант задачи, в котором одна или две связи фигуры заменены другими или убраны</source>
        <translation>Solve every variant of the task with one or two links of the figure changed or removed</translation>
    </message>
    <message>
        <source>Одна связь</source>
        <translation>One link</translation>
    </message>
    <message>
        <source>Две связи</source>
        <translation>Two links</translation>
    </message>
    <message>
        <source>Сколько связей фигуры меняет каждый вариант</source>
        <translation>How many links of the figure each variant changes</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Замена</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Вердикт</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Время, с</source>
        <translation>Time, s</translation>
    </message>
    <message>
        <source>Двойной щелчок вносит замену в задачу</source>
        <translation>A double click makes the change in the task</translation>
    </message>
    <message>
        <source>Поиск не нашёл решений, тупиков: %1</source>
        <translation>The search found none, dead ends: %1</translation>
    </message>
    <message>
        <source>Блок из кубиков %1 нигде не помещается в форме</source>
        <translation>The block of cubes %1 fits nowhere in the form</translation>
    </message>
    <message>
        <source>Часть из кубиков %1 нельзя уложить в форму, сохранив шарниры</source>
        <translation>The part of cubes %1 cannot be packed into the form with its hinges kept</translation>
    </message>
    <message>
        <source>Клетку формы %1 не может занять ни один кубик</source>
        <translation>No cube can fill the form cell %1</translation>
    </message>
    <message>
        <source>Клеток формы, которые не может занять ни один кубик: %1, а пустыми остаются только %2</source>
        <translation>Form cells no cube can fill: %1, but only %2 stay empty</translation>
    </message>
    <message>
        <source>Шахматная раскраска: блоки не могут покрыть %1 тёмных и %2 светлых клеток формы</source>
        <translation>Checkerboard colouring: the blocks cannot cover the form's %1 dark and %2 light cells</translation>
    </message>
    <message>
        <source>Кнопка «V» под кнопками сдвига формы открывает окно «Варианты». Кнопка «Запустить» решает каждый вариант задачи, в котором одна связь фигуры (или две, если выбрано «Две связи») заменена другой (жёсткой связью, шарниром по оси грани или по любому общему ребру двух кубиков) или убрана; поиск в каждом варианте останавливается на втором решении, так что вердикт — «нет решений», «единственное» или «несколько». Варианты решаются в фоне, главное окно остаётся доступным; «Остановить» прекращает поиск. Таблицу можно сортировать щелчком по заголовку столбца, а двойной щелчок по строке вносит её замену в задачу обычным действием, которое можно отменить. Если решений нет, под результатами поиска написано почему, когда это видно из простого довода: блок или часть, которые нигде не помещаются в форме, клетка формы, которую не может занять ни один кубик, или шахматная раскраска.</source>
        <translation>The "V" button under the form's shift buttons opens the "Variants" window. "Run" solves every variant of the task with one link of the figure (or two, with "Two links" chosen) changed to another (a rigid joint, a face-axis hinge or a hinge on any edge the two cubes share) or removed; each variant's search stops at its second solution, so the verdict is "none", "unique" or "several". The variants are solved in the background and the main window stays usable; "Stop" ends the search. A click on a column's header sorts the table, and a double click on a row makes its change in the task as an ordinary edit that can be undone. When there is no solution, a line under the search results says why, when a simple argument shows it: a block or a part that fits nowhere in the form, a form cell no cube can fill, or the checkerboard colouring.</translation>
    </message>
</context>
</TS>
