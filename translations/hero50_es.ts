<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Solo lectura: %1. Ábrelo en un editor de texto para cambiarlo; Esc cierra esta ventana.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Solo se muestran los primeros %1 MB de este archivo.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Preferencias...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Ver la mejor del Juego %1 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Ver la mejor del Juego %1</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Mejores partidas</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Abrir la carpeta de partidas</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajustar a la pantalla</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Ampliar</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Reducir</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Juego ajustado a la pantalla</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Zoom de ventana: %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>ajustado</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Juego ajustado a pantalla</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Silenciar</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Acerca de...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>Ver &apos;Readme.txt&apos;</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>Ver &apos;Whatsnew.txt&apos;</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>Ver manual</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>Editar archivo de configuración</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Configurar teclas</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Borrar récords</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Mostrar pantalla de inicio</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Se produjo un error inesperado.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>No se pudo reproducir la mejor partida: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Continuar la partida sin terminar (Juego %1, puntuación %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>al final no contiene ninguna partida en curso</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>No se puede continuar la partida sin terminar: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>No se pudo continuar la partida sin terminar: %1</translation>
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
        <translation>Uso: hero50 [--help] [--version] [--record ARCHIVO | --replay ARCHIVO]

Enciende la consola. Trabaja en su propia carpeta, se inicie desde donde se
inicie: Config.ini, las skins, las páginas del manual, los sonidos y los
documentos se leen de la carpeta en la que está el archivo del programa.

  --record ARCHIVO  juega como siempre y escribe la partida en ARCHIVO (un
                    archivo nuevo), línea a línea, como un guion que
                    hero-trace también reproduce
  --replay ARCHIVO  reproduce una partida grabada a velocidad real; se
                    ignoran las teclas salvo PAUSE (detiene la reproducción)
                    y Esc; no se guarda ningún récord ni ajuste

Teclas de la consola: las asignadas (ver Configurar teclas), F1 Acerca de,
F2 Readme, F3 novedades, F4 manual, F12 activa o quita la pantalla completa,
Esc sale.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>la tecla &apos;flecha arriba&apos;</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>la tecla &apos;flecha abajo&apos;</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>la tecla &apos;flecha izquierda&apos;</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>la tecla &apos;flecha derecha&apos;</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>la tecla &apos;Alt&apos;</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>la tecla &apos;Ctrl&apos;</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>la tecla &apos;Mayús&apos;</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>la &apos;barra espaciadora&apos;</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>haz clic o pulsa %1 para empezar el Juego A (mantén pulsado para ver el récord)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>haz clic o pulsa %1 para empezar el Juego B (mantén pulsado para ver el récord)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>haz clic o pulsa %1 para ver la hora (mantén pulsado para ver la hora de la alarma)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>haz clic o pulsa %1 para reiniciar el juego</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>botón desactivado</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>haz clic o pulsa %1</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Reproduciendo %1.</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>Simulador escrito por Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>basado en el código fuente</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>del proyecto de consola Hero50</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>Basado en Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Publicado originalmente en 1981</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Quienes informaron de fallos de tiempo</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Los autores de skins de la comunidad</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Todos los que enviaron un donativo</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Gracias:</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Donar</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Menú del juego</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, puntuación %2, %3 fallo</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, puntuación %2, %3 fallos</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACL pulsado</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Todos los segmentos encendidos</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Hora de la alarma</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Reloj</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Juego A, récord %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Juego B, récord %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Juego A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Juego B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Fin de la partida, puntuación %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, en pausa</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;ARRIBA&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;ABAJO&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;IZQUIERDA&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;DERECHA&gt;</translation>
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
        <translation>&lt;MAYÚS&gt;</translation>
    </message>
    <message>
        <source>&lt;SPACEBAR&gt;</source>
        <translation>&lt;ESPACIO&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Juego A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Juego B</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Izquierda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Derecha</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Configurar teclas</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>Botones básicos</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Controles</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- ACEPTAR -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Una tecla asignada a un control lo acciona aunque se mantenga Ctrl pulsado: Ctrl+P, Ctrl+0, Ctrl++ y Ctrl+- solo llegan al menú con teclas que ningún control use.</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Probar</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Silenciar pitidos</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Volumen</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>No se eligió salida de sonido al iniciar: los pitidos no suenan.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Pantalla</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>Segmentos &amp;apagados</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajustar a la pantalla</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ y Ctrl+- amplían y reducen, Ctrl+0 vuelve al 100 %. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Juego ajustado a la pantalla</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Pausar la partida con un menú o diálogo abierto</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Cuánto tarda un segmento en oscurecerse y en aclararse, como en un LCD real (0: al instante)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>&amp;Respuesta LCD</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>&amp;Sombras</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Cada segmento oscuro proyecta una sombra suave sobre el reflector bajo el cristal</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>&amp;LCD realista</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Sombras activadas, respuesta de %1 ms y segmentos apagados al %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Por debajo del 100 % la consola va más lenta, para tener más tiempo de reacción. Una partida jugada así no guarda récord; sus mejores partidas se guardan aparte.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>Veloci&amp;dad</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Continuar la partida sin terminar al iniciar</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Una partida en curso al cerrar el programa sigue en el siguiente inicio, en pausa donde se dejó: pulsa PAUSE para seguir jugando.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Mando</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Pulsar...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Luego pulsa el botón en el mando (Esc cancela)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>Izquierda y Derecha también con el stick izquierdo.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Restablecer valores</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>No se pueden usar mandos en este sistema.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>No hay ningún mando conectado. Conecta uno cuando quieras.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Conectado: %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Pulsa un botón</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>web:</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>correo:</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Elige skin/tema:</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Salida de sonido:</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>Acerca de este juego...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jugar</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>elige primero la skin/tema y la salida de sonido</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Donar</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Mostrar esta pantalla al iniciar</translation>
    </message>
</context>
</TS>
