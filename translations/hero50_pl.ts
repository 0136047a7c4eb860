<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Tylko do odczytu: %1. Aby wprowadzić zmiany, otwórz plik w edytorze tekstu; Esc zamyka to okno.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Nie udało się odczytać %1: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Pokazano tylko pierwsze %1 MB tego pliku.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Ustawienia...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Obejrzyj najlepszą grę %1 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Obejrzyj najlepszą grę %1</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Najlepsze gry</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Otwórz folder z grami</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Skala</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Dopasuj do ekranu</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Powiększ</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Pomniejsz</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Gra dopasowana do ekranu</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Skala okna: %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>dopasowana</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Gra dopasowana do ekranu</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Wycisz</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>O programie...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>Pokaż plik Readme.txt</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>Pokaż plik Whatsnew.txt</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>Pokaż instrukcję</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>Edytuj plik konfiguracyjny</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Ustawienia klawiszy</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Wyzeruj rekordy</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Tryb pełnoekranowy</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Ekran powitalny przy starcie</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Wystąpił nieoczekiwany błąd.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>Nie udało się odtworzyć najlepszej gry: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Wznów niedokończoną grę (gra %1, wynik %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>nie można odczytać nagrania</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>nagranie nie kończy się trwającą grą</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>Nie można wznowić niedokończonej gry: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>Nie udało się wznowić niedokończonej gry: %1</translation>
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
        <translation>Użycie: hero50 [--help] [--version] [--record PLIK | --replay PLIK]

Uruchamia konsolkę. Działa ona we własnym folderze, skądkolwiek zostanie
uruchomiona: Config.ini, skórki, strony instrukcji, dźwięki i dokumenty
są wczytywane z folderu, w którym znajduje się plik programu.

  --record PLIK   gra jak zwykle i zapisuje rozgrywkę do nowego pliku PLIK,
                  wierszami, jako skrypt odtwarzany także przez hero-trace
  --replay PLIK   odtwarza nagraną grę w rzeczywistym tempie; klawisze są
                  ignorowane z wyjątkiem PAUSE (wstrzymuje odtwarzanie)
                  i Esc; nie zapisuje rekordów ani ustawień

Na konsolce: przypisane klawisze (zob. Ustawienia klawiszy), F1 o programie,
F2 Readme, F3 nowości, F4 instrukcja, F12 pełny ekran wł./wył., Esc wyjście.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>klawisz &apos;strzałka w górę&apos;</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>klawisz &apos;strzałka w dół&apos;</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>klawisz &apos;strzałka w lewo&apos;</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>klawisz &apos;strzałka w prawo&apos;</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>klawisz &apos;Alt&apos;</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>klawisz &apos;Ctrl&apos;</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>klawisz &apos;Shift&apos;</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>&apos;spacja&apos;</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>Kliknij lub naciśnij %1, aby rozpocząć grę A (przytrzymaj, aby zobaczyć rekord)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>Kliknij lub naciśnij %1, aby rozpocząć grę B (przytrzymaj, aby zobaczyć rekord)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>Kliknij lub naciśnij %1, aby zobaczyć godzinę (przytrzymaj, aby zobaczyć godzinę alarmu)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>Kliknij lub naciśnij %1, aby zresetować grę</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>przycisk nieaktywny</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>Kliknij lub naciśnij %1</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Odtwarzanie: %1.</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>Autor symulatora: Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>na podstawie kodu źródłowego</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>z projektu konsolki Hero50</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>Na podstawie gry firmy Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Pierwsze wydanie: 1981</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Graczom za zgłoszenie błędów taktowania</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Autorom skórek ze społeczności</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Wszystkim darczyńcom</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Dzięki:</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Wesprzyj</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Menu gry</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, wynik %2, %3 pudło</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, wynik %2, pudła: %3</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACL wciśnięty</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Wszystkie segmenty zapalone</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Godzina alarmu</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Zegar</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Gra A, rekord %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Gra B, rekord %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Gra A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Gra B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Koniec gry, wynik %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, pauza</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;W GÓRĘ&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;W DÓŁ&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;W LEWO&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;W PRAWO&gt;</translation>
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
        <translation>&lt;SPACJA&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Gra A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Gra B</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>W lewo</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>W prawo</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauza</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Ustawienia klawiszy</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>Główne funkcje</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Sterowanie</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- ZAPISZ -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Klawisz przypisany do funkcji wywołuje ją także z wciśniętym Ctrl: Ctrl+P, Ctrl+0, Ctrl++ i Ctrl+- trafiają do menu tylko z klawiszami nieprzypisanymi do żadnej funkcji.</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>Instrukcja</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Dźwięk</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Wycisz sygnały</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Głośność</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>Przy starcie nie wybrano wyjścia dźwięku: sygnały są wyciszone.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Obraz</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>&amp;Wygaszone segmenty</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Dopasowana</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ i Ctrl+- powiększają i pomniejszają, Ctrl+0 przywraca 100 %. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Skala</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Gra dopasowana do ekranu</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Wstrzymuj grę, gdy otwarte jest menu lub okno</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Czas, w jakim segment ciemnieje i znika, jak na prawdziwym LCD (0: od razu)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>&amp;Reakcja LCD</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>&amp;Cienie segmentów</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Każdy ciemny segment rzuca delikatny cień na odbłyśnik pod szybką</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>Realistyczny &amp;LCD</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Cienie włączone, reakcja %1 ms i wygaszone segmenty na %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Poniżej 100 % konsolka działa wolniej, dając więcej czasu na reakcję. W takim tempie rekordy nie są zapisywane, a najlepsze gry są przechowywane osobno.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>&amp;Tempo gry</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Wznów niedokończoną grę przy starcie</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Gra trwająca w chwili zamknięcia programu jest wznawiana przy następnym uruchomieniu, wstrzymana w miejscu przerwania: naciśnij PAUSE, aby grać dalej.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Gamepad</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Wciśnij...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Następnie wciśnij przycisk na padzie (Esc anuluje)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>Lewa gałka również obsługuje W lewo i W prawo.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Przywróć domyślne</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>Gamepady nie są obsługiwane w tym systemie.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>Nie podłączono gamepada. Można go podłączyć w każdej chwili.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Podłączono: %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Wciśnij przycisk</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>Strona:</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Wybierz skórkę:</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Sterownik dźwięku:</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>O tej grze...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Graj</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>Najpierw wybierz skórkę i sterownik dźwięku</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Wesprzyj</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Pokazuj ten ekran powitalny przy uruchomieniu</translation>
    </message>
</context>
</TS>
