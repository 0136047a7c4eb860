<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>Lecture seule : %1. Ouvrez-le dans un éditeur de texte pour le modifier ; Esc ferme cette fenêtre.</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[Seuls les %1 premiers Mo de ce fichier sont affichés.]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>Préférences...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>Revoir le record du Jeu %1 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>Revoir le record du Jeu %1</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>Meilleures parties</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>Ouvrir le dossier des parties</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajusté à l&apos;écran</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Adapter le jeu à l&apos;écran</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>Zoom de la fenêtre : %1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>ajusté</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>Adapter le jeu à l&apos;écran</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>À propos...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>Afficher &apos;Readme.txt&apos;</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>Afficher &apos;Whatsnew.txt&apos;</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>Afficher le manuel</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>Modifier la configuration</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Configurer les touches</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>Effacer les records</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>Afficher en plein écran</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>Écran d&apos;accueil au démarrage</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Une erreur inattendue s&apos;est produite.</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>Impossible de rejouer la meilleure partie : %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>Reprendre la partie inachevée (Jeu %1, score %2)</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>le fichier est illisible</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>le fichier ne contient aucune partie en cours à sa fin</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>La partie inachevée ne peut pas être reprise : %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>La partie inachevée n&apos;a pas pu être reprise : %1</translation>
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
        <translation>Usage : hero50 [--help] [--version] [--record FICHIER | --replay FICHIER]

Lance la console. Elle fonctionne dans son propre dossier, d&apos;où qu&apos;on la
lance : Config.ini, les skins, les pages du manuel, les sons et les documents
sont lus dans le dossier où se trouve le fichier du programme.

  --record FICHIER  joue normalement et enregistre la partie dans FICHIER
                    (un nouveau fichier), ligne par ligne, sous forme de
                    script que hero-trace sait aussi jouer
  --replay FICHIER  rejoue une partie enregistrée à vitesse réelle ; les
                    touches sont ignorées sauf PAUSE (suspend la lecture) et
                    Esc ; aucun record ni réglage n&apos;est enregistré

Touches de la console : les touches attribuées (voir Configurer les touches),
F1 à propos, F2 Readme, F3 nouveautés, F4 manuel, F12 plein écran ou non,
Esc quitte.
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>la touche &apos;flèche haut&apos;</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>la touche &apos;flèche bas&apos;</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>la touche &apos;flèche gauche&apos;</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>la touche &apos;flèche droite&apos;</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>la touche &apos;Alt&apos;</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>la touche &apos;Ctrl&apos;</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>la touche &apos;Maj&apos;</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>la &apos;barre d&apos;espace&apos;</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>cliquez ou appuyez sur %1 pour lancer le Jeu A (maintenez pour voir le record)</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>cliquez ou appuyez sur %1 pour lancer le Jeu B (maintenez pour voir le record)</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>cliquez ou appuyez sur %1 pour voir l&apos;heure (maintenez pour voir l&apos;heure de l&apos;alarme)</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>cliquez ou appuyez sur %1 pour réinitialiser le jeu</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>bouton désactivé</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>cliquez ou appuyez sur %1</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>Lecture de %1.</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>Simulateur écrit par Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>d&apos;après le code source fourni</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>par le projet de console Hero50</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>D&apos;après le jeu de Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>Publié à l&apos;origine en 1981</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>Les joueurs ayant signalé les décalages</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>Les auteurs de skins de la communauté</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>Tous ceux qui ont fait un don</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>Merci :</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Faire un don</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>Menu du jeu</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1, score %2, %3 raté</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1, score %2, ratés : %3</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACL maintenu</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>Tous les segments allumés</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Heure de l&apos;alarme</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Horloge</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>Jeu A, meilleur score %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>Jeu B, meilleur score %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Jeu A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Jeu B</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>Partie terminée, score %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>, en pause</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;FL. HAUT&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;FL. BAS&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;FL. GAUCHE&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;FL. DROITE&gt;</translation>
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
        <translation>&lt;MAJ&gt;</translation>
    </message>
    <message>
        <source>&lt;SPACEBAR&gt;</source>
        <translation>&lt;ESPACE&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Jeu A</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Jeu B</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Gauche</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Droite</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>Configuration des touches</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>Fonctions</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- VALIDER -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>Une touche attribuée à une commande la déclenche même avec Ctrl enfoncé : Ctrl+P, Ctrl+0, Ctrl++ et Ctrl+- n&apos;ouvrent le menu qu&apos;avec des touches attribuées à aucune commande.</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Essai</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>Couper les bips</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>&amp;Volume</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>Aucune sortie audio choisie au démarrage : les bips sont muets.</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>Segments é&amp;teints</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>Ajusté à l&apos;écran</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ et Ctrl+- agrandissent et réduisent, Ctrl+0 revient à 100 %. </translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>Adapter le jeu à l&apos;écran</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>Pause du jeu pendant les menus et les dialogues</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>Temps que met un segment à s&apos;assombrir et à s&apos;effacer, comme sur un vrai LCD (0 : immédiat)</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>&amp;Réponse LCD</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>&amp;Ombres des segments</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>Chaque segment sombre projette une ombre douce sur le réflecteur sous la vitre</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>&amp;LCD réaliste</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>Ombres activées, réponse de %1 ms et segments éteints à %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>Sous 100 %, la console tourne plus lentement pour laisser plus de temps pour réagir. Une partie jouée ainsi n&apos;enregistre aucun record ; ses meilleures parties sont gardées à part.</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>Vite&amp;sse</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>Reprendre une partie inachevée au démarrage</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>Une partie en cours à la fermeture du programme reprend au démarrage suivant, en pause là où elle s&apos;était arrêtée : appuyez sur PAUSE pour continuer.</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>Manette</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>Appuyer...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>Puis appuyez sur le bouton de la manette (Esc pour annuler)</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>Le stick gauche commande aussi Gauche et Droite.</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>Manettes non disponibles sur ce système.</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>Aucune manette connectée. Branchez-en une à tout moment.</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>Connecté : %1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>Pressez un bouton</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>Site :</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>E-mail :</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>Skin/thème :</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>Pilote audio :</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>À propos de ce jeu...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Jouer</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>choisissez d&apos;abord le skin/thème et le pilote audio</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>Faire un don</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>Afficher cet écran d&apos;accueil au démarrage</translation>
    </message>
</context>
</TS>
