<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>hero::DocumentWindow</name>
    <message>
        <source>Read-only: %1. Open it in a text editor to change it; Esc closes this window.</source>
        <translation>読み取り専用: %1。変更するにはテキストエディターで開いてください。Esc でこのウィンドウを閉じます。</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>[Only the first %1 MB of this file are shown.]</source>
        <translation>[このファイルの最初の %1 MB だけを表示しています。]</translation>
    </message>
</context>
<context>
    <name>hero::GameMenu</name>
    <message>
        <source>Preferences...</source>
        <translation>設定...</translation>
    </message>
    <message>
        <source>Watch best Game %1 (%2)</source>
        <translation>ゲーム%1のベストを再生 (%2)</translation>
    </message>
    <message>
        <source>Watch best Game %1</source>
        <translation>ゲーム%1のベストを再生</translation>
    </message>
    <message>
        <source>Best games</source>
        <translation>ベストプレイ</translation>
    </message>
    <message>
        <source>Open the games folder</source>
        <translation>ゲームフォルダを開く</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>拡大</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>縮小</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>ゲームを画面に合わせて表示</translation>
    </message>
    <message>
        <source>Window zoom: %1</source>
        <translation>ウィンドウ倍率：%1</translation>
    </message>
    <message>
        <source>fit</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Display game fitted to screen</source>
        <translation>ゲームを画面に合わせて表示</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>ミュート</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>バージョン情報...</translation>
    </message>
    <message>
        <source>View &apos;Readme.txt&apos;</source>
        <translation>「Readme.txt」を表示</translation>
    </message>
    <message>
        <source>View &apos;Whatsnew.txt&apos;</source>
        <translation>「Whatsnew.txt」を表示</translation>
    </message>
    <message>
        <source>View manual</source>
        <translation>マニュアルを表示</translation>
    </message>
    <message>
        <source>Edit configuration file</source>
        <translation>設定ファイルを編集</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>キー設定</translation>
    </message>
    <message>
        <source>Reset Hiscores</source>
        <translation>ハイスコアをリセット</translation>
    </message>
    <message>
        <source>Display in fullscreen mode</source>
        <translation>全画面表示</translation>
    </message>
    <message>
        <source>Display splash screen at startup</source>
        <translation>起動時にスプラッシュ画面を表示</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>hero::HeroApplication</name>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>予期しないエラーが発生しました。</translation>
    </message>
</context>
<context>
    <name>hero::HeroProgram</name>
    <message>
        <source>The best game could not be played back: %1</source>
        <translation>ベストプレイを再生できませんでした: %1</translation>
    </message>
    <message>
        <source>Continue the game left unfinished (Game %1, score %2)</source>
        <translation>中断したゲームを再開（ゲーム%1、スコア %2）</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>読み込めません</translation>
    </message>
    <message>
        <source>it holds no game under way at its end</source>
        <translation>最後に進行中のゲームが含まれていません</translation>
    </message>
    <message>
        <source>The game left unfinished cannot be continued: %1</source>
        <translation>中断したゲームは再開できません: %1</translation>
    </message>
    <message>
        <source>The game left unfinished could not be continued: %1</source>
        <translation>中断したゲームを再開できませんでした: %1</translation>
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
        <translation>使い方: hero50 [--help] [--version] [--record FILE | --replay FILE]

携帯ゲーム機を起動します。どこから起動しても自分のフォルダで動作し、
Config.ini、スキン、マニュアルのページ、サウンド、文書はすべて
プログラムファイルのあるフォルダから読み込まれます。

  --record FILE   通常どおりプレイし、ゲームを FILE（新規ファイル）に
                  1行ずつ記録します。hero-trace でも再生できる
                  スクリプト形式です
  --replay FILE   記録したゲームを実際の速さで再生します。PAUSE（再生を
                  一時停止）と Esc 以外のキーは無視され、ハイスコアや
                  設定は保存されません

本体のキー: 割り当てたキー（「キー設定」を参照）、F1 バージョン情報、
F2 Readme、F3 更新情報、F4 マニュアル、F12 全画面の切り替え、Esc 終了。
</translation>
    </message>
</context>
<context>
    <name>hero::KeyBindings</name>
    <message>
        <source>&apos;up arrow&apos; key</source>
        <translation>上矢印キー</translation>
    </message>
    <message>
        <source>&apos;down arrow&apos; key</source>
        <translation>下矢印キー</translation>
    </message>
    <message>
        <source>&apos;left arrow&apos; key</source>
        <translation>左矢印キー</translation>
    </message>
    <message>
        <source>&apos;right arrow&apos; key</source>
        <translation>右矢印キー</translation>
    </message>
    <message>
        <source>&apos;alt&apos; key</source>
        <translation>Altキー</translation>
    </message>
    <message>
        <source>&apos;ctrl&apos; key</source>
        <translation>Ctrlキー</translation>
    </message>
    <message>
        <source>&apos;shift&apos; key</source>
        <translation>Shiftキー</translation>
    </message>
    <message>
        <source>&apos;spacebar&apos;</source>
        <translation>スペースキー</translation>
    </message>
    <message>
        <source>click or press %1 to start game A (hold to view highscore)</source>
        <translation>クリックするか%1を押してゲームAを開始（長押しでハイスコアを表示）</translation>
    </message>
    <message>
        <source>click or press %1 to start game B (hold to view highscore)</source>
        <translation>クリックするか%1を押してゲームBを開始（長押しでハイスコアを表示）</translation>
    </message>
    <message>
        <source>click or press %1 to view current time (hold to view alarm time)</source>
        <translation>クリックするか%1を押して現在時刻を表示（長押しでアラーム時刻を表示）</translation>
    </message>
    <message>
        <source>click or press %1 to reset the game</source>
        <translation>クリックするか%1を押してゲームをリセット</translation>
    </message>
    <message>
        <source>button disabled</source>
        <translation>ボタン無効</translation>
    </message>
    <message>
        <source>click or press %1</source>
        <translation>クリックするか%1を押す</translation>
    </message>
</context>
<context>
    <name>hero::ReplayPlayer</name>
    <message>
        <source>Replaying %1.</source>
        <translation>%1 を再生中。</translation>
    </message>
</context>
<context>
    <name>hero::TAboutForm</name>
    <message>
        <source>Simulator written by Quillon</source>
        <translation>シミュレーター制作：Quillon</translation>
    </message>
    <message>
        <source>based on source code provided</source>
        <translation>元のソースコード提供：</translation>
    </message>
    <message>
        <source>by the Hero50 handheld project</source>
        <translation>Hero50携帯ゲーム機プロジェクト</translation>
    </message>
    <message>
        <source>Based on Vantro</source>
        <translation>原作：Vantro</translation>
    </message>
    <message>
        <source>Originaly published in 1981</source>
        <translation>1981年発売</translation>
    </message>
    <message>
        <source>The players who reported the timing faults</source>
        <translation>タイミングの不具合を報告したプレイヤー</translation>
    </message>
    <message>
        <source>The skin authors of the community</source>
        <translation>コミュニティのスキン作者の皆さん</translation>
    </message>
    <message>
        <source>Everybody who sent a donation</source>
        <translation>寄付をくださったすべての方</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Credits:</source>
        <translation>謝辞：</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>寄付する</translation>
    </message>
</context>
<context>
    <name>hero::TForm1</name>
    <message>
        <source>Game menu</source>
        <translation>ゲームメニュー</translation>
    </message>
    <message>
        <source>%1, score %2, %3 miss</source>
        <translation>%1、スコア %2、ミス %3</translation>
    </message>
    <message>
        <source>%1, score %2, %3 misses</source>
        <translation>%1、スコア %2、ミス %3</translation>
    </message>
    <message>
        <source>ACL held</source>
        <translation>ACLを押下中</translation>
    </message>
    <message>
        <source>Every segment lit</source>
        <translation>全セグメント点灯</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>アラーム時刻</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>時計</translation>
    </message>
    <message>
        <source>Game A, best score %1</source>
        <translation>ゲームA、ハイスコア %1</translation>
    </message>
    <message>
        <source>Game B, best score %1</source>
        <translation>ゲームB、ハイスコア %1</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>ゲームA</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>ゲームB</translation>
    </message>
    <message>
        <source>Game over, score %1</source>
        <translation>ゲームオーバー、スコア %1</translation>
    </message>
    <message>
        <source>, paused</source>
        <translation>、一時停止中</translation>
    </message>
</context>
<context>
    <name>hero::TKeysForm</name>
    <message>
        <source>&lt;UP ARROW&gt;</source>
        <translation>&lt;上矢印キー&gt;</translation>
    </message>
    <message>
        <source>&lt;DOWN ARROW&gt;</source>
        <translation>&lt;下矢印キー&gt;</translation>
    </message>
    <message>
        <source>&lt;LEFT ARROW&gt;</source>
        <translation>&lt;左矢印キー&gt;</translation>
    </message>
    <message>
        <source>&lt;RIGHT ARROW&gt;</source>
        <translation>&lt;右矢印キー&gt;</translation>
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
        <translation>&lt;スペース&gt;</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>ゲームA</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>ゲームB</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>ポーズ</translation>
    </message>
    <message>
        <source>Key settings</source>
        <translation>キー設定</translation>
    </message>
    <message>
        <source>Main operations</source>
        <translation>基本操作</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>ゲーム操作</translation>
    </message>
    <message>
        <source>- ACCEPT -</source>
        <translation>- 決定 -</translation>
    </message>
    <message>
        <source>A key chosen for a control works it even with Ctrl held: Ctrl+P, Ctrl+0, Ctrl++ and Ctrl+- reach the menu only with keys no control uses.</source>
        <translation>操作に割り当てたキーは Ctrl を押したままでも有効です。Ctrl+P、Ctrl+0、Ctrl++、Ctrl+- がメニューに届くのは、どの操作にも使われていないキーの場合だけです。</translation>
    </message>
</context>
<context>
    <name>hero::TManualForm</name>
    <message>
        <source>Manual</source>
        <translation>マニュアル</translation>
    </message>
</context>
<context>
    <name>hero::TPreferencesForm</name>
    <message>
        <source>Preferences</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>サウンド</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>試聴</translation>
    </message>
    <message>
        <source>Mute the beeps</source>
        <translation>ビープ音を消す</translation>
    </message>
    <message>
        <source>&amp;Volume</source>
        <translation>音量(&amp;V)</translation>
    </message>
    <message>
        <source>No sound output was chosen at start: the beeps are silent.</source>
        <translation>起動時にサウンド出力が選ばれなかったため、ビープ音は鳴りません。</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>&amp;Unlit segments</source>
        <translation>消灯セグメント(&amp;U)</translation>
    </message>
    <message>
        <source>Fit to screen</source>
        <translation>画面に合わせる</translation>
    </message>
    <message>
        <source>Ctrl++ and Ctrl+- zoom in and out, Ctrl+0 back to 100 %. </source>
        <translation>Ctrl++ と Ctrl+- で拡大・縮小、Ctrl+0 で 100 % に戻ります。</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>倍率(&amp;Z)</translation>
    </message>
    <message>
        <source>Display game fitted to the screen</source>
        <translation>ゲームを画面に合わせて表示</translation>
    </message>
    <message>
        <source>Pause the game while a menu or dialog is open</source>
        <translation>メニューやダイアログを開いている間は一時停止</translation>
    </message>
    <message>
        <source>How long a segment takes to darken and to clear, as on a real LCD (0: at once)</source>
        <translation>本物の液晶のように、セグメントが暗くなるまでと消えるまでにかかる時間（0：即時）</translation>
    </message>
    <message>
        <source>LCD &amp;response</source>
        <translation>液晶応答速度(&amp;R)</translation>
    </message>
    <message>
        <source>Segment s&amp;hadows</source>
        <translation>セグメントの影(&amp;H)</translation>
    </message>
    <message>
        <source>Each dark segment casts a soft shadow on the reflector beneath the glass</source>
        <translation>暗いセグメントが、ガラスの下の反射板にやわらかい影を落とします</translation>
    </message>
    <message>
        <source>Realistic &amp;LCD</source>
        <translation>リアルな液晶(&amp;L)</translation>
    </message>
    <message>
        <source>Shadows on, a response of %1 ms and unlit segments at %2 %</source>
        <translation>影あり、応答速度 %1 ms、消灯セグメント %2 %</translation>
    </message>
    <message>
        <source>Below 100 % the handheld runs slower, for more time to react. A game played so stores no high score; its best games are kept apart.</source>
        <translation>100 % 未満では本体の動きが遅くなり、反応する時間が増えます。この速度で遊んだゲームはハイスコアに記録されず、ベストプレイも別に保存されます。</translation>
    </message>
    <message>
        <source>Game &amp;speed</source>
        <translation>ゲーム速度(&amp;S)</translation>
    </message>
    <message>
        <source>Continue an unfinished game at start</source>
        <translation>起動時に中断したゲームを再開</translation>
    </message>
    <message>
        <source>A game under way when the program ended goes on at the next start, paused where it was left: press PAUSE to play on.</source>
        <translation>プログラム終了時に進行中だったゲームは、次回起動時に中断した場所から一時停止の状態で続きます。PAUSE を押すと再開します。</translation>
    </message>
    <message>
        <source>Gamepad</source>
        <translation>ゲームパッド</translation>
    </message>
    <message>
        <source>Press...</source>
        <translation>入力...</translation>
    </message>
    <message>
        <source>Then press the button on the pad (Esc gives up)</source>
        <translation>続けてパッドのボタンを押してください（Esc で中止）</translation>
    </message>
    <message>
        <source>The left stick also works Left and Right.</source>
        <translation>左スティックでも左右に移動できます。</translation>
    </message>
    <message>
        <source>Restore defaults</source>
        <translation>初期設定に戻す</translation>
    </message>
    <message>
        <source>Accept</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Gamepads cannot be used on this system.</source>
        <translation>このシステムではゲームパッドを使用できません。</translation>
    </message>
    <message>
        <source>No gamepad is connected. Plug one in at any time.</source>
        <translation>ゲームパッドが接続されていません。いつでも接続できます。</translation>
    </message>
    <message>
        <source>Connected: %1</source>
        <translation>接続中：%1</translation>
    </message>
    <message>
        <source>Press a button</source>
        <translation>ボタンを押して</translation>
    </message>
</context>
<context>
    <name>hero::TSplashForm</name>
    <message>
        <source>website:</source>
        <translation>サイト：</translation>
    </message>
    <message>
        <source>email:</source>
        <translation>メール：</translation>
    </message>
    <message>
        <source>Select skin/theme:</source>
        <translation>スキン/テーマ：</translation>
    </message>
    <message>
        <source>Select sound driver:</source>
        <translation>サウンドドライバ：</translation>
    </message>
    <message>
        <source>About this game...</source>
        <translation>このゲームについて...</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>プレイ</translation>
    </message>
    <message>
        <source>please select skin/theme and sound driver first</source>
        <translation>先にスキン/テーマとサウンドドライバを選択してください</translation>
    </message>
    <message>
        <source>Donate</source>
        <translation>寄付する</translation>
    </message>
    <message>
        <source>Display this splash screen at startup</source>
        <translation>起動時にこのスプラッシュ画面を表示</translation>
    </message>
</context>
</TS>
