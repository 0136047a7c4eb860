<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Schreibgeschützt: %1. Zum Ändern in einem Texteditor öffnen; Esc schließt dieses Fenster.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Nur die ersten %1 MB dieser Datei werden angezeigt.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Bestes Spiel %1 ansehen (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Bestes Spiel %1 ansehen</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Beste Spiele</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Ordner der Spiele öffnen</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Spiel bildschirmfüllend zeigen</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Fensterzoom: %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>eingepasst</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Spiel bildschirmfüllend zeigen</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Info...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>Readme.txt anzeigen</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>Whatsnew.txt anzeigen</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>Anleitung anzeigen</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>Konfigurationsdatei bearbeiten</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Tastenbelegung</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Highscores zurücksetzen</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Im Vollbildmodus anzeigen</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Startbildschirm anzeigen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>Das beste Spiel konnte nicht abgespielt werden: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Unbeendetes Spiel fortsetzen (Spiel %1, Punkte: %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>die Aufzeichnung ist nicht lesbar</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>die Aufzeichnung endet nicht mit einem laufenden Spiel</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>Das unbeendete Spiel kann nicht fortgesetzt werden: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>Das unbeendete Spiel konnte nicht fortgesetzt werden: %1</translation>
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
        <translation>Aufruf: hero50 [--help] [--version] [--record DATEI | --replay DATEI]

Startet das Handheld. Es arbeitet in seinem eigenen Ordner, egal von wo aus
es gestartet wird: Config.ini, die Skins, die Seiten der Anleitung, die
Klänge und die Dokumente werden aus dem Ordner der Programmdatei gelesen.

  --record DATEI  spielt wie gewohnt und schreibt das Spiel Zeile für Zeile
                  in eine neue DATEI, als Skript, das auch hero-trace abspielt
  --replay DATEI  spielt ein aufgezeichnetes Spiel in Echtzeit ab; Tasten außer
                  PAUSE (hält die Wiedergabe an) und Esc werden ignoriert;
                  weder Highscores noch Einstellungen werden gespeichert

Tasten am Handheld: die belegten Tasten (siehe Tastenbelegung), F1 Info,
F2 Readme, F3 Neuigkeiten, F4 Anleitung, F12 Vollbild an/aus, Esc beendet.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>Taste &apos;Pfeil oben&apos;</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>Taste &apos;Pfeil unten&apos;</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>Taste &apos;Pfeil links&apos;</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>Taste &apos;Pfeil rechts&apos;</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>Taste &apos;Alt&apos;</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>Taste &apos;Strg&apos;</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>Taste &apos;Umschalt&apos;</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>&apos;Leertaste&apos;</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>Klicken oder %1 drücken, um Spiel A zu starten (halten zeigt den Highscore)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>Klicken oder %1 drücken, um Spiel B zu starten (halten zeigt den Highscore)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>Klicken oder %1 drücken, um die Uhrzeit zu sehen (halten zeigt die Weckzeit)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>Klicken oder %1 drücken, um das Spiel zurückzusetzen</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>Taste ohne Funktion</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>Klicken oder %1 drücken</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Wiedergabe von %1.</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>Simulator von Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>auf Grundlage von Quellcode</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>des Hero50-Handheld-Projekts</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>Nach dem Original von Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Erstmals erschienen 1981</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Die Spieler, die Timingfehler meldeten</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Die Skin-Autoren der Community</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Alle, die etwas gespendet haben</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Dank an:</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Spenden</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Spielmenü</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, Punktestand %2, %3 Fehler</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, Punktestand %2, %3 Fehler</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACL gedrückt</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Alle Segmente leuchten</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Weckzeit</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Uhr</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Spiel A, Highscore %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Spiel B, Highscore %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Spiel A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Spiel B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Spiel vorbei, Punktestand %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, pausiert</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;PFEIL OBEN&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;PFEIL UNTEN&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;PFEIL LINKS&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;PFEIL RECHTS&gt;</translation>
    </message>
    <message>
        <source>&lt;ALT&gt;</source>
        <translation>&lt;ALT&gt;</translation>
    </message>
    <message>
        <source>&lt;CTRL&gt;</source>
        <translation>&lt;STRG&gt;</translation>
    </message>
    <message>
        <source>&lt;SHIFT&gt;</source>
        <translation>&lt;UMSCHALT&gt;</translation>
    </message>
    <message>
        <source>&lt;SPACEBAR&gt;</source>
        <translation>&lt;LEERTASTE&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Spiel A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Spiel B</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Tastenbelegung</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>Haupttasten</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Spielsteuerung</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- OK -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Eine zugewiesene Taste löst ihre Funktion auch bei gedrückter Strg-Taste aus: Ctrl+P, Ctrl+0, Ctrl++ und Ctrl+- erreichen das Menü nur mit Tasten, die keiner Funktion zugewiesen sind.</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>Anleitung</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Töne stummschalten</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Lautstärke</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>Beim Start wurde keine Tonausgabe gewählt: Die Töne bleiben stumm.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>&amp;Inaktive Segmente</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ und Ctrl+- vergrößern und verkleinern, Ctrl+0 stellt 100 % wieder her. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Spiel bildschirmfüllend zeigen</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Spiel anhalten, solange ein Menü oder Dialog offen ist</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Wie lange ein Segment zum Abdunkeln und Aufhellen braucht, wie bei einem echten LCD (0: sofort)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>LCD-&amp;Reaktion</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>Segment&amp;schatten</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Jedes dunkle Segment wirft einen weichen Schatten auf den Reflektor unter dem Glas</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>Echtes LC&amp;D</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Schatten an, Reaktionszeit %1 ms und inaktive Segmente bei %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Unter 100 % läuft das Handheld langsamer, damit mehr Zeit zum Reagieren bleibt. So gespielt wird kein Highscore gespeichert; die besten Spiele werden getrennt aufbewahrt.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>Spiel&amp;tempo</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Unbeendetes Spiel beim Start fortsetzen</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Ein Spiel, das beim Beenden des Programms lief, geht beim nächsten Start an derselben Stelle pausiert weiter: PAUSE drücken, um weiterzuspielen.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Gamepad</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Drücken...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Dann die Taste am Gamepad drücken (Esc bricht ab)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>Der linke Stick steuert auch Links und Rechts.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>Gamepads sind auf diesem System nicht nutzbar.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>Kein Gamepad verbunden – einfach jederzeit anschließen.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Verbunden: %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Taste drücken</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Skin wählen:</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Audiotreiber wählen:</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>Über dieses Spiel...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Spielen</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>Bitte zuerst Skin und Audiotreiber wählen</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Spenden</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Diesen Startbildschirm beim Programmstart anzeigen</translation>
    </message>
</context>
</TS>
