<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Sola lettura: %1. Aprilo in un editor di testo per modificarlo; Esc chiude questa finestra.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Impossibile leggere %1: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Vengono mostrati solo i primi %1 MB di questo file.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Preferenze...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Rivedi record Gioco %1 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Rivedi record Gioco %1</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Migliori partite</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Apri la cartella delle partite</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Adatta allo schermo</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Ingrandisci</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Riduci</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Adatta il gioco allo schermo</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Zoom finestra: %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>adattato</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Adatta il gioco allo schermo</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Disattiva audio</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Informazioni...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>Mostra &apos;Readme.txt&apos;</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>Mostra &apos;Whatsnew.txt&apos;</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>Mostra il manuale</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>Modifica la configurazione</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Impostazioni tasti</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Azzera i record</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Mostra a schermo intero</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Schermata iniziale all&apos;avvio</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Si è verificato un errore imprevisto.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>Impossibile rivedere la miglior partita: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Riprendi la partita interrotta (Gioco %1, punteggio %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>il file non è leggibile</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>alla fine del file non c&apos;è alcuna partita in corso</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>Impossibile riprendere la partita interrotta: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>Non è stato possibile riprendere la partita interrotta: %1</translation>
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
        <translation>Uso: hero50 [--help] [--version] [--record FILE | --replay FILE]

Avvia la console. Lavora nella propria cartella, da dovunque venga avviata:
Config.ini, le skin, le pagine del manuale, i suoni e i documenti vengono
letti dalla cartella in cui si trova il file del programma.

  --record FILE   gioca normalmente e scrive la partita in FILE (un nuovo
                  file), riga per riga, come script che anche hero-trace
                  sa eseguire
  --replay FILE   riproduce una partita registrata a velocità reale; i tasti
                  sono ignorati tranne PAUSE (sospende la riproduzione) ed
                  Esc; nessun record né impostazione viene salvato

Tasti della console: i tasti assegnati (vedi Impostazioni tasti), F1
informazioni, F2 Readme, F3 novità, F4 manuale, F12 schermo intero sì/no,
Esc esce.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>il tasto &apos;freccia su&apos;</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>il tasto &apos;freccia giù&apos;</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>il tasto &apos;freccia sinistra&apos;</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>il tasto &apos;freccia destra&apos;</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>il tasto &apos;Alt&apos;</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>il tasto &apos;Ctrl&apos;</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>il tasto &apos;Maiusc&apos;</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>la &apos;barra spaziatrice&apos;</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>fai clic o premi %1 per avviare il Gioco A (tieni premuto per vedere il record)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>fai clic o premi %1 per avviare il Gioco B (tieni premuto per vedere il record)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>fai clic o premi %1 per vedere l&apos;ora (tieni premuto per vedere l&apos;ora della sveglia)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>fai clic o premi %1 per azzerare il gioco</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>pulsante disattivato</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>fai clic o premi %1</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Riproduzione di %1.</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>Simulatore scritto da Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>basato sul codice sorgente</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>fornito dal progetto Hero50</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>Basato sul gioco di Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Pubblicato in origine nel 1981</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Chi ha segnalato gli errori di timing</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Gli autori delle skin della comunità</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Tutti quelli che hanno donato</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Informazioni</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Crediti:</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Dona</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Menu di gioco</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, punteggio %2, %3 errore</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, punteggio %2, %3 errori</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACL premuto</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Tutti i segmenti accesi</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Ora della sveglia</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Orologio</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Gioco A, record %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Gioco B, record %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Gioco A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Gioco B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Fine partita, punteggio %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, in pausa</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;FRECCIA SU&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;FRECCIA GIÙ&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;FRECCIA SX&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;FRECCIA DX&gt;</translation>
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
        <translation>&lt;MAIUSC&gt;</translation>
    </message>
    <message>
        <source>&lt;SPACEBAR&gt;</source>
        <translation>&lt;SPAZIO&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Gioco A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Gioco B</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Ora</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Sinistra</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Destra</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Impostazioni tasti</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>Funzioni</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Comandi</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- ACCETTA -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Un tasto assegnato a un comando lo attiva anche tenendo premuto Ctrl: Ctrl+P, Ctrl+0, Ctrl++ e Ctrl+- aprono il menu solo con tasti non usati da alcun comando.</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>Manuale</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>Preferenze</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Prova</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Silenzia i bip</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Volume</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>Nessuna uscita audio scelta all&apos;avvio: i bip sono muti.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Schermo</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>Segmenti &amp;spenti</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Adattato</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ e Ctrl+- ingrandiscono e riducono, Ctrl+0 torna al 100 %. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Adatta il gioco allo schermo</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Metti in pausa con un menu o una finestra aperti</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Tempo che un segmento impiega a scurirsi e a schiarirsi, come su un vero LCD (0: subito)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>&amp;Risposta LCD</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>&amp;Ombre dei segmenti</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Ogni segmento scuro proietta un&apos;ombra morbida sul riflettore sotto il vetro</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>&amp;LCD realistico</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Ombre attive, risposta di %1 ms e segmenti spenti al %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Sotto il 100 % la console va più lenta, per avere più tempo per reagire. Una partita giocata così non salva alcun record; le sue migliori partite sono tenute a parte.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>Veloci&amp;tà</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Riprendi una partita interrotta all&apos;avvio</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Una partita in corso alla chiusura del programma riprende all&apos;avvio successivo, in pausa dove era rimasta: premi PAUSE per continuare.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Gamepad</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Premi...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Poi premi il pulsante sul gamepad (Esc per annullare)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>Anche lo stick sinistro comanda Sinistra e Destra.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Valori predefiniti</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Accetta</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>Gamepad non supportati su questo sistema.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>Nessun gamepad collegato. Collegane uno quando vuoi.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Collegato: %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Premi un pulsante</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>Sito:</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Skin/tema:</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Driver audio:</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>Informazioni su questo gioco...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Gioca</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>scegli prima skin/tema e driver audio</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Dona</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Mostra questa schermata all&apos;avvio</translation>
    </message>
</context>
</TS>
