<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>AlertNotification</name>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Show Plimset</source>
        <translation>显示 Plimset</translation>
    </message>
</context>
<context>
    <name>AlertTexts</name>
    <message>
        <source>The set time has come.</source>
        <translation>设定的时间到了。</translation>
    </message>
    <message>
        <source>The countdown ended.</source>
        <translation>倒计时已结束。</translation>
    </message>
    <message>
        <source>Click on the stop button.</source>
        <translation>请点击停止按钮。</translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Timeout error. The icon does not appear in the notification area.</source>
        <translation>超时错误。图标未出现在通知区域中。</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Enter the arguments in %1 characters or fewer.</source>
        <translation>请将参数控制在 %1 个字符以内。</translation>
    </message>
    <message>
        <source>The number of arguments is invalid.</source>
        <translation>参数个数无效。</translation>
    </message>
    <message>
        <source>Invalid command.</source>
        <translation>无效的命令。</translation>
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
        <translation>/?     在消息框中显示此用法。

  --toggle     像热键一样隐藏或显示正在运行的 Plimset
               （若没有正在运行的则启动一个）。
               无法使用热键时，请为 &quot;plimset --toggle&quot;
               绑定一个桌面快捷键。
  --show       将正在运行的 Plimset 置于前台
               （若没有正在运行的则启动一个）。
  --hide       将正在运行的 Plimset 隐藏到通知区域，或将其最小化。
  -h, --help   显示此用法并退出。
  --version    显示名称和版本并退出。
</translation>
    </message>
</context>
<context>
    <name>FontChoice</name>
    <message>
        <source>&amp;Color...</source>
        <translation>颜色(&amp;C)...</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>文字颜色</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>min</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>闹钟</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>倒计时</translation>
    </message>
    <message>
        <source>StopWatch</source>
        <translation>秒表</translation>
    </message>
    <message>
        <source>&amp;Always on Top</source>
        <translation>总在最前(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>字体(&amp;F)...</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>背景颜色(&amp;B)...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>选项(&amp;O)...</translation>
    </message>
    <message>
        <source>Add %1 minutes</source>
        <translation>增加 %1 分钟</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>（空）</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>预设(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>模式(&amp;M)</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>This desktop does not let a window keep itself on top.</source>
        <translation>此桌面不允许窗口保持在最前。</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. The new settings apply until the program ends.</source>
        <translation>无法将设置保存到 %1。新设置在程序结束前有效。</translation>
    </message>
    <message>
        <source>The hotkey %1 is already in use by another program. Choose another combination.</source>
        <translation>热键 %1 已被其他程序占用。请选择其他组合。</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>找不到文件。</translation>
    </message>
    <message>
        <source>Input %1 or more.</source>
        <translation>请输入不小于 %1 的值。</translation>
    </message>
    <message>
        <source>Do you want to save changes?</source>
        <translation>是否保存更改？</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut settings choose the key that works (asked for: %1).</source>
        <translation>实际生效的按键由桌面的快捷键设置决定（请求的按键：%1）。</translation>
    </message>
    <message>
        <source>This desktop gives programs no global shortcut: bind a key to &quot;plimset --toggle&quot; in its keyboard settings.</source>
        <translation>此桌面不向程序提供全局快捷键：请在其键盘设置中为 &quot;plimset --toggle&quot; 指定一个按键。</translation>
    </message>
    <message>
        <source>Cannot play the file.</source>
        <translation>无法播放该文件。</translation>
    </message>
    <message>
        <source>No sound can be played: the sound module (plimset_sound.so) was not found.</source>
        <translation>无法播放声音：找不到声音模块 (plimset_sound.so)。</translation>
    </message>
    <message>
        <source>Stop test play</source>
        <translation>停止试听</translation>
    </message>
    <message>
        <source>Test play</source>
        <translation>试听</translation>
    </message>
    <message>
        <source>Media files (all types)</source>
        <translation>媒体文件 (所有类型)</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <source>Alarm (min)</source>
        <translation>闹钟 (分钟)</translation>
    </message>
    <message>
        <source>Add Minutes</source>
        <translation>增加的分钟数</translation>
    </message>
    <message>
        <source>(1-99)</source>
        <translation>(1-99)</translation>
    </message>
    <message>
        <source>CountDown (min) or (min.sec)</source>
        <translation>倒计时 (分钟) 或 (分.秒)</translation>
    </message>
    <message>
        <source>Repeat at the end</source>
        <translation>结束时重复</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>声音</translation>
    </message>
    <message>
        <source>System</source>
        <translation>系统</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>无</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>浏览(&amp;B)</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>蜂鸣</translation>
    </message>
    <message>
        <source>Until end of play</source>
        <translation>直到播放结束</translation>
    </message>
    <message>
        <source>(min) or (min.sec) [0:Indefinite]</source>
        <translation>(分钟) 或 (分.秒) [0:无限期]</translation>
    </message>
    <message>
        <source>Ring Duration</source>
        <translation>响铃时长</translation>
    </message>
    <message>
        <source>Message Box</source>
        <translation>消息框</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>times</source>
        <translation>倍</translation>
    </message>
    <message>
        <source>Display Duration</source>
        <translation>显示时长</translation>
    </message>
    <message>
        <source>MessageBox Text</source>
        <translation>消息框文本</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>闹钟</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>倒计时</translation>
    </message>
    <message>
        <source>TaskTray &amp;&amp; TaskBar</source>
        <translation>通知区域 &amp;&amp; 任务栏</translation>
    </message>
    <message>
        <source>TaskTray</source>
        <translation>通知区域</translation>
    </message>
    <message>
        <source>TaskBar</source>
        <translation>任务栏</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Show Always</source>
        <translation>始终显示</translation>
    </message>
    <message>
        <source>Window Size (Pixel)</source>
        <translation>窗口大小 (像素)</translation>
    </message>
    <message>
        <source>&amp;Reflect</source>
        <translation>应用(&amp;R)</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>Maximum String Length</source>
        <translation>最大文本长度</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>更改(&amp;H)...</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>热键</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>恢复默认值</translation>
    </message>
    <message>
        <source>Window Size, Font, 
and Background Color</source>
        <translation>窗口大小、字体
和背景颜色</translation>
    </message>
    <message>
        <source>All (Window position is not included.)</source>
        <translation>全部 (不包括窗口位置)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最多</translation>
    </message>
    <message>
        <source>min</source>
        <translation>分钟</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>系统默认</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>日语</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>选项</translation>
    </message>
    <message>
        <source>Test beep</source>
        <translation>测试蜂鸣</translation>
    </message>
    <message>
        <source>Saved as the English texts</source>
        <translation>保存为英文文本</translation>
    </message>
</context>
<context>
    <name>PortalGlobalHotkey</name>
    <message>
        <source>Show or hide the Plimset window</source>
        <translation>显示或隐藏 Plimset 窗口</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>选择颜色</translation>
    </message>
</context>
<context>
    <name>QFontDialog</name>
    <message>
        <source>Select Font</source>
        <translation>选择字体</translation>
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
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>还原(&amp;R)</translation>
    </message>
</context>
</TS>
