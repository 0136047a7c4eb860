<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Только для чтения: %1. Чтобы изменить файл, откройте его в текстовом редакторе; Esc закрывает это окно.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Показаны только первые %1 МБ этого файла.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Повтор лучшей игры %1 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Повтор лучшей игры %1</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Лучшие игры</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Открыть папку с играми</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Вписать в экран</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Увеличить</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Уменьшить</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Игра по размеру экрана</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Масштаб окна: %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>по экрану</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Игра по размеру экрана</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Без звука</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>О программе...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>Просмотр «Readme.txt»</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>Просмотр «Whatsnew.txt»</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>Просмотр руководства</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>Изменить файл конфигурации</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Настройка клавиш</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Сбросить рекорды</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Полноэкранный режим</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Заставка при запуске</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Произошла непредвиденная ошибка.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>Не удалось воспроизвести лучшую игру: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Продолжить прерванную игру (игра %1, счёт %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>файл не удаётся прочитать</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>в конце записи нет незаконченной игры</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>Прерванную игру нельзя продолжить: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>Не удалось продолжить прерванную игру: %1</translation>
    </message>
    <message>
        <source>Usage: hero50 [--help] [--version] [--record FILE | --replay FILE]

Starts the handheld. It works in its own folder, wherever it is started
from: Config.ini, the skins, the manual pages, the samples and the documents
are read from the folder the program file is in.

  --record FILE   plays as usual and writes the game to FILE (a new file),
                  line by line, as a script that hero-trace plays too
  --replay FILE   plays a recorded game back at real speed; the keys are
                  ignored but PAUSE (holds the playback) and Esc; no high
                  score or setting is stored

Keys on the handheld: the bound keys (see Key settings), F1 about, F2 Readme,
F3 what is new, F4 manual, F12 full screen on or off, Esc quits.
</source>
        <translation>Использование: hero50 [--help] [--version] [--record ФАЙЛ | --replay ФАЙЛ]

Запускает карманную игру. Она работает в своей папке, откуда бы её ни
запустили: Config.ini, скины, страницы руководства, звуки и документы
читаются из папки, где лежит файл программы.

  --record ФАЙЛ   обычная игра, которая записывается в ФАЙЛ (новый файл)
                  строка за строкой как сценарий, понятный и hero-trace
  --replay ФАЙЛ   воспроизводит записанную игру в реальном темпе; клавиши
                  не действуют, кроме PAUSE (приостанавливает показ) и Esc;
                  рекорды и настройки не сохраняются

Клавиши устройства: назначенные клавиши (см. «Настройка клавиш»),
F1 о программе, F2 Readme, F3 что нового, F4 руководство, F12 полноэкранный
режим вкл./выкл., Esc выход.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>клавишу «стрелка вверх»</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>клавишу «стрелка вниз»</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>клавишу «стрелка влево»</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>клавишу «стрелка вправо»</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>клавишу Alt</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>клавишу Ctrl</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>клавишу Shift</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>пробел</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>Щёлкните или нажмите %1, чтобы начать игру A (удерживайте, чтобы увидеть рекорд)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>Щёлкните или нажмите %1, чтобы начать игру B (удерживайте, чтобы увидеть рекорд)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>Щёлкните или нажмите %1, чтобы увидеть текущее время (удерживайте, чтобы увидеть время будильника)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>Щёлкните или нажмите %1, чтобы сбросить игру</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>Кнопка отключена</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>Щёлкните или нажмите %1</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Воспроизведение записи %1.</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>Симулятор написал Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>на основе исходного кода</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>проекта карманной игры Hero50</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>По мотивам игры Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Впервые выпущена в 1981 году</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Игроки, сообщившие о сбоях тайминга</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Авторы скинов из сообщества</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Все, кто прислал пожертвование</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Спасибо:</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Поддержать</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Меню игры</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, счёт %2, промахов: %3</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, счёт %2, промахов: %3</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>Кнопка ACL нажата</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Горят все сегменты</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Время будильника</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Часы</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Игра A, рекорд %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Игра B, рекорд %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Игра A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Игра B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Игра окончена, счёт %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, пауза</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;ВВЕРХ&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;ВНИЗ&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;ВЛЕВО&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;ВПРАВО&gt;</translation>
    </message>
    <message>
        <source>&lt;ALT&gt;</source>
        <translation>&lt;ALT&gt;</translation>
    </message>
    <message>
        <source>&lt;CTRL&gt;</source>
        <translation>&lt;CTRL&gt;</translation>
    </message>
    <message>
        <source>&lt;SHIFT&gt;</source>
        <translation>&lt;SHIFT&gt;</translation>
    </message>
    <message>
        <source>&lt;SPACEBAR&gt;</source>
        <translation>&lt;ПРОБЕЛ&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Игра A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Игра B</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Настройка клавиш</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>Общие кнопки</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Игровые кнопки</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- ПРИНЯТЬ -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Назначенная кнопке клавиша работает и при нажатом Ctrl: Ctrl+P, Ctrl+0, Ctrl++ и Ctrl+- вызывают команды меню, только если эти клавиши не назначены кнопкам.</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Звук</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Отключить звук</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Громкость</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>При запуске не был выбран вывод звука: сигналы не слышны.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Экран</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>&amp;Погасшие сегменты</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Вписать в экран</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ и Ctrl+- увеличивают и уменьшают масштаб, Ctrl+0 возвращает 100 %. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Масштаб</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Игра по размеру экрана</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Пауза, пока открыто меню или диалог</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Сколько времени сегмент темнеет и гаснет, как на настоящем ЖКИ (0: мгновенно)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>&amp;Отклик ЖКИ</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>Тени &amp;сегментов</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Каждый тёмный сегмент отбрасывает мягкую тень на отражатель под стеклом</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>Настоящий &amp;ЖКИ</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Тени включены, отклик %1 мс, погасшие сегменты на %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Ниже 100 % устройство работает медленнее, и на реакцию остаётся больше времени. В такой игре рекорд не сохраняется, а её лучшие игры хранятся отдельно.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>С&amp;корость игры</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Продолжать прерванную игру при запуске</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Игра, которая шла при закрытии программы, продолжится при следующем запуске с того же места на паузе: нажмите PAUSE, чтобы играть дальше.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Геймпад</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Нажать...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Затем нажмите кнопку на геймпаде (Esc — отмена)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>Левый стик тоже работает как Влево и Вправо.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Принять</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>Геймпады в этой системе не поддерживаются.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>Геймпад не подключён. Его можно подключить в любой момент.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Подключено: %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Нажмите кнопку</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>Сайт:</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Скин/тема:</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Драйвер звука:</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>Об этой игре...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Играть</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>Сначала выберите скин/тему и драйвер звука</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Поддержать</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Показывать эту заставку при запуске</translation>
    </message>
</context>
</TS>
