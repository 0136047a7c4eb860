<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Somente leitura: %1. Abra-o em um editor de texto para alterá-lo; Esc fecha esta janela.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Não foi possível ler %1: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Apenas os primeiros %1 MB deste arquivo são exibidos.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Preferências...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Ver a melhor do Jogo %1 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Ver a melhor do Jogo %1</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Melhores partidas</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Abrir a pasta de partidas</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajustar à tela</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Aumentar zoom</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Diminuir zoom</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Jogo ajustado à tela</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Zoom da janela: %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>ajustado</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Jogo ajustado à tela</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Mudo</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Sobre...</translation>
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
        <translation>Editar arquivo de configuração</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Configurar teclas</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Zerar recordes</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Tela cheia</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Mostrar tela de abertura</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ocorreu um erro inesperado.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>Não foi possível reproduzir a melhor partida: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Continuar a partida inacabada (Jogo %1, pontuação %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>não pode ser lida</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>não contém nenhuma partida em andamento no final</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>Não é possível continuar a partida inacabada: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>Não foi possível continuar a partida inacabada: %1</translation>
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
        <translation>Uso: hero50 [--help] [--version] [--record ARQUIVO | --replay ARQUIVO]

Liga o minigame. Ele funciona na própria pasta, seja qual for o local de
onde é iniciado: Config.ini, as skins, as páginas do manual, os sons e os
documentos são lidos da pasta onde está o arquivo do programa.

  --record ARQUIVO  joga normalmente e grava a partida em ARQUIVO (um
                    arquivo novo), linha por linha, como um roteiro que o
                    hero-trace também reproduz
  --replay ARQUIVO  reproduz uma partida gravada em velocidade real; as
                    teclas são ignoradas, exceto PAUSE (pausa a reprodução)
                    e Esc; nenhum recorde ou configuração é salvo

Teclas do minigame: as definidas (veja Configurar teclas), F1 Sobre,
F2 Readme, F3 novidades, F4 manual, F12 liga/desliga a tela cheia, Esc sai.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>a tecla &apos;seta para cima&apos;</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>a tecla &apos;seta para baixo&apos;</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>a tecla &apos;seta para a esquerda&apos;</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>a tecla &apos;seta para a direita&apos;</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>a tecla &apos;Alt&apos;</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>a tecla &apos;Ctrl&apos;</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>a tecla &apos;Shift&apos;</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>a &apos;barra de espaço&apos;</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>clique ou pressione %1 para iniciar o Jogo A (segure para ver o recorde)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>clique ou pressione %1 para iniciar o Jogo B (segure para ver o recorde)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>clique ou pressione %1 para ver a hora atual (segure para ver a hora do alarme)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>clique ou pressione %1 para reiniciar o jogo</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>botão desativado</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>clique ou pressione %1</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Reproduzindo %1.</translation>
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
        <translation>baseado no código-fonte cedido</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>pelo projeto do minigame Hero50</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>Baseado em Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Publicado originalmente em 1981</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Jogadores que relataram falhas de tempo</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Os autores de skins da comunidade</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Todos que fizeram uma doação</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Sobre</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Créditos</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Doar</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Menu do jogo</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, pontuação %2, %3 erro</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, pontuação %2, %3 erros</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACL pressionado</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Todos os segmentos acesos</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Hora do alarme</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Relógio</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Jogo A, recorde %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Jogo B, recorde %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Jogo A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Jogo B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Fim de jogo, pontuação %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, pausado</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;CIMA&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;BAIXO&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;ESQUERDA&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;DIREITA&gt;</translation>
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
        <translation>&lt;ESPAÇO&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Jogo A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Jogo B</translation>
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
        <translation>Esquerda</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Direita</translation>
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
        <translation>Botões básicos</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Controles</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- ACEITAR -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Uma tecla escolhida para um controle o aciona mesmo com Ctrl pressionado: Ctrl+P, Ctrl+0, Ctrl++ e Ctrl+- só chegam ao menu com teclas que nenhum controle usa.</translation>
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
        <translation>Preferências</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Som</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Testar</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Silenciar bipes</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Volume</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>Nenhuma saída de som foi escolhida ao iniciar: os bipes estão mudos.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Tela</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>Segmentos &amp;apagados</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajustar à tela</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ e Ctrl+- aumentam e diminuem o zoom, Ctrl+0 volta a 100 %. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Jogo ajustado à tela</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Pausar o jogo com um menu ou diálogo aberto</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Quanto tempo um segmento leva para escurecer e para clarear, como num LCD real (0: na hora)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>&amp;Resposta do LCD</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>&amp;Sombras</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Cada segmento escuro projeta uma sombra suave no refletor sob o vidro</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>&amp;LCD realista</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Sombras ligadas, resposta de %1 ms e segmentos apagados a %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Abaixo de 100 % o minigame fica mais lento, para dar mais tempo de reagir. Uma partida jogada assim não salva recorde; as melhores partidas ficam separadas.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>Veloci&amp;dade</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Continuar partida inacabada ao iniciar</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Uma partida em andamento quando o programa foi fechado continua na próxima vez, pausada onde parou: aperte PAUSE para continuar jogando.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Controle</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Apertar...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Depois aperte o botão no controle (Esc cancela)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>O analógico esquerdo também faz Esquerda e Direita.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Restaurar padrões</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Aceitar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>Não é possível usar controles neste sistema.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>Nenhum controle conectado. Conecte um quando quiser.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Conectado: %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Aperte um botão</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>site:</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>e-mail:</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Escolha skin/tema:</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Saída de som:</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>Sobre este jogo...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jogar</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>escolha primeiro a skin/tema e a saída de som</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Doar</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Mostrar esta tela ao iniciar</translation>
    </message>
</context>
</TS>
