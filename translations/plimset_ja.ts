<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AlertNotification</name>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Show Plimset</source>
        <translation>Plimset を表示</translation>
    </message>
</context>
<context>
    <name>AlertTexts</name>
    <message>
        <source>The set time has come.</source>
        <translation>設定した時間になりました。</translation>
    </message>
    <message>
        <source>The countdown ended.</source>
        <translation>カウントダウンが終了しました。</translation>
    </message>
    <message>
        <source>Click on the stop button.</source>
        <translation>停止ボタンを押して下さい。</translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Timeout error. The icon does not appear in the notification area.</source>
        <translation>通知領域にアイコンを登録出来ませんでした。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Enter the arguments in %1 characters or fewer.</source>
        <translation>引数は%1文字以内で入力して下さい。</translation>
    </message>
    <message>
        <source>The number of arguments is invalid.</source>
        <translation>引数の数が不正です。</translation>
    </message>
    <message>
        <source>Invalid command.</source>
        <translation>不正なコマンドです。</translation>
    </message>
</context>
<context>
    <name>EarlyOptions</name>
    <message>
        <source>/?     Show this usage in a message box.

  --toggle     Hide or show the running Plimset as its hotkey does
               (start one where none runs). Bind a desktop
               shortcut to &quot;plimset --toggle&quot; where the hotkey
               cannot be had.
  --show       Bring the running Plimset to the front (start one
               where none runs).
  --hide       Hide the running Plimset to the tray, or minimize it.
  -h, --help   Print this usage and exit.
  --version    Print the name and version and exit.
</source>
        <translation>/?     Show this usage in a message box.

  --toggle     Hide or show the running Plimset as its hotkey does
               (start one where none runs). Bind a desktop
               shortcut to &quot;plimset --toggle&quot; where the hotkey
               cannot be had.
  --show       Bring the running Plimset to the front (start one
               where none runs).
  --hide       Hide the running Plimset to the tray, or minimize it.
  -h, --help   Print this usage and exit.
  --version    Print the name and version and exit.
</translation>
    </message>
</context>
<context>
    <name>FontChoice</name>
    <message>
        <source>&amp;Color...</source>
        <translation>&amp;Color...</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Text color</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>min</source>
        <translation>分</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>アラーム</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>カウントダウン</translation>
    </message>
    <message>
        <source>StopWatch</source>
        <translation>ストップウォッチ</translation>
    </message>
    <message>
        <source>&amp;Always on Top</source>
        <translation>常に手前に表示(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>フォント(&amp;F)...</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>背景色(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>オプション(&amp;O)...</translation>
    </message>
    <message>
        <source>Add %1 minutes</source>
        <translation>Add %1 minutes</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>Null</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Set</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>This desktop does not let a window keep itself on top.</source>
        <translation>This desktop does not let a window keep itself on top.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. The new settings apply until the program ends.</source>
        <translation>設定をファイル %1 に保存できませんでした。新しい設定はこの実行中だけ有効です。</translation>
    </message>
    <message>
        <source>The hotkey %1 is already in use by another program. Choose another combination.</source>
        <translation>ホットキー %1 は他のプログラムが使用しています。別の組み合わせを選んで下さい。</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>ファイルがありません。</translation>
    </message>
    <message>
        <source>Input %1 or more.</source>
        <translation> %1以上を入力して下さい。</translation>
    </message>
    <message>
        <source>Do you want to save changes?</source>
        <translation>更新してもよろしいですか?</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut settings choose the key that works (asked for: %1).</source>
        <translation>使えるキーはデスクトップのショートカット設定で決まります（希望: %1）。</translation>
    </message>
    <message>
        <source>This desktop gives programs no global shortcut: bind a key to &quot;plimset --toggle&quot; in its keyboard settings.</source>
        <translation>このデスクトップではグローバルショートカットが使えません。キーボード設定で plimset --toggle にキーを割り当ててください。</translation>
    </message>
    <message>
        <source>Cannot play the file.</source>
        <translation>ファイルを再生できません。</translation>
    </message>
    <message>
        <source>No sound can be played: the sound module (plimset_sound.so) was not found.</source>
        <translation>音を再生できません。サウンドモジュール (plimset_sound.so) が見つかりません。</translation>
    </message>
    <message>
        <source>Stop test play</source>
        <translation>テスト再生を停止</translation>
    </message>
    <message>
        <source>Test play</source>
        <translation>テスト再生</translation>
    </message>
    <message>
        <source>Media files (all types)</source>
        <translation>メディア ファイル (すべての種類)</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>すべてのファイル</translation>
    </message>
    <message>
        <source>Alarm (min)</source>
        <translation>アラーム (分)</translation>
    </message>
    <message>
        <source>Add Minutes</source>
        <translation>追加する分数</translation>
    </message>
    <message>
        <source>(1-99)</source>
        <translation>(1-99)</translation>
    </message>
    <message>
        <source>CountDown (min) or (min.sec)</source>
        <translation>カウントダウン (分) または (分．秒)</translation>
    </message>
    <message>
        <source>Repeat at the end</source>
        <translation>終了時に自動で繰り返す</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>サウンド</translation>
    </message>
    <message>
        <source>System</source>
        <translation>システム</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>参照(&amp;B)</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>ビープ</translation>
    </message>
    <message>
        <source>Until end of play</source>
        <translation>再生終了まで</translation>
    </message>
    <message>
        <source>(min) or (min.sec) [0:Indefinite]</source>
        <translation>(分) または (分．秒) [0:無期限]</translation>
    </message>
    <message>
        <source>Ring Duration</source>
        <translation>鳴音持続時間</translation>
    </message>
    <message>
        <source>Message Box</source>
        <translation>メッセージボックス</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大きさ</translation>
    </message>
    <message>
        <source>times</source>
        <translation>倍</translation>
    </message>
    <message>
        <source>Display Duration</source>
        <translation>表示持続時間</translation>
    </message>
    <message>
        <source>MessageBox Text</source>
        <translation>メッセージボックスのテキスト</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>アラーム</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>カウントダウン</translation>
    </message>
    <message>
        <source>TaskTray &amp;&amp; TaskBar</source>
        <translation>タスクトレイ ＆ タスクバー</translation>
    </message>
    <message>
        <source>TaskTray</source>
        <translation>タスクトレイ</translation>
    </message>
    <message>
        <source>TaskBar</source>
        <translation>タスクバー</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
    <message>
        <source>Show Always</source>
        <translation>状況を常に表示</translation>
    </message>
    <message>
        <source>Window Size (Pixel)</source>
        <translation>ウィンドウの大きさ （ピクセル）</translation>
    </message>
    <message>
        <source>&amp;Reflect</source>
        <translation>反映(&amp;R)</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>横幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Maximum String Length</source>
        <translation>最大文字列長</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>変更(&amp;C)...</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>ホットキー</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>表示言語</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>規定値に戻す</translation>
    </message>
    <message>
        <source>Window Size, Font, 
and Background Color</source>
        <translation>ウィンドウの大きさ、フォント、
および背景色</translation>
    </message>
    <message>
        <source>All (Window position is not included.)</source>
        <translation>すべて (ウィンドウの位置を除く)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>決定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>キャンセル(&amp;C)</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>min</source>
        <translation>分</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>システムの既定値</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英語</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日本語</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Test beep</source>
        <translation>テストビープ</translation>
    </message>
    <message>
        <source>Saved as the English texts</source>
        <translation>英語のテキストとして保存されます</translation>
    </message>
</context>
<context>
    <name>PortalGlobalHotkey</name>
    <message>
        <source>Show or hide the Plimset window</source>
        <translation>Show or hide the Plimset window</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>色を選択</translation>
    </message>
</context>
<context>
    <name>QFontDialog</name>
    <message>
        <source>Select Font</source>
        <translation>フォントの選択</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>最小化(&amp;N)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>元のサイズに戻す(&amp;R)</translation>
    </message>
</context>
</TS>
