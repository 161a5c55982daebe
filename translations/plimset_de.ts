<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AlertNotification</name>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Show Plimset</source>
        <translation>Plimset anzeigen</translation>
    </message>
</context>
<context>
    <name>AlertTexts</name>
    <message>
        <source>The set time has come.</source>
        <translation>Die eingestellte Zeit ist erreicht.</translation>
    </message>
    <message>
        <source>The countdown ended.</source>
        <translation>Der Countdown ist abgelaufen.</translation>
    </message>
    <message>
        <source>Click on the stop button.</source>
        <translation>Klicken Sie auf die Stopp-Schaltfläche.</translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Timeout error. The icon does not appear in the notification area.</source>
        <translation>Zeitüberschreitung. Das Symbol erscheint nicht im Infobereich.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Enter the arguments in %1 characters or fewer.</source>
        <translation>Die Argumente dürfen höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>The number of arguments is invalid.</source>
        <translation>Die Anzahl der Argumente ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid command.</source>
        <translation>Ungültiger Befehl.</translation>
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
        <translation>/?     Diese Hilfe in einem Meldungsfenster anzeigen.

  --toggle     Das laufende Plimset aus- oder einblenden wie sein Tastenkürzel
               (startet eines, wenn keines läuft). Wo das Tastenkürzel fehlt,
               ein Tastenkürzel der Arbeitsumgebung an &quot;plimset --toggle&quot;
               binden.
  --show       Das laufende Plimset in den Vordergrund holen (startet eines,
               wenn keines läuft).
  --hide       Das laufende Plimset ausblenden (Infobereich) oder minimieren.
  -h, --help   Diese Hilfe ausgeben und beenden.
  --version    Name und Version ausgeben und beenden.
</translation>
    </message>
</context>
<context>
    <name>FontChoice</name>
    <message>
        <source>&amp;Color...</source>
        <translation>&amp;Farbe...</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Textfarbe</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>min</source>
        <translation> Min</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>Sek</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Wecker</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>StopWatch</source>
        <translation>Stoppuhr</translation>
    </message>
    <message>
        <source>&amp;Always on Top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Schriftart...</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>&amp;Hintergrundfarbe...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Add %1 minutes</source>
        <translation>%1 Minuten hinzufügen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Zeiten</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modus</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>This desktop does not let a window keep itself on top.</source>
        <translation>Diese Arbeitsumgebung lässt Fenster nicht im Vordergrund bleiben.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. The new settings apply until the program ends.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden. Die neuen Einstellungen gelten, bis das Programm beendet wird.</translation>
    </message>
    <message>
        <source>The hotkey %1 is already in use by another program. Choose another combination.</source>
        <translation>Das Tastenkürzel %1 wird bereits von einem anderen Programm verwendet. Wählen Sie eine andere Kombination.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>Datei nicht gefunden.</translation>
    </message>
    <message>
        <source>Input %1 or more.</source>
        <translation>Bitte %1 oder mehr eingeben.</translation>
    </message>
    <message>
        <source>Do you want to save changes?</source>
        <translation>Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut settings choose the key that works (asked for: %1).</source>
        <translation>Welche Taste wirkt, legen die Tastenkürzel-Einstellungen der Arbeitsumgebung fest (gewünscht: %1).</translation>
    </message>
    <message>
        <source>This desktop gives programs no global shortcut: bind a key to &quot;plimset --toggle&quot; in its keyboard settings.</source>
        <translation>Diese Arbeitsumgebung bietet Programmen keine globalen Tastenkürzel: Weisen Sie &quot;plimset --toggle&quot; in ihren Tastatureinstellungen eine Taste zu.</translation>
    </message>
    <message>
        <source>Cannot play the file.</source>
        <translation>Die Datei kann nicht abgespielt werden.</translation>
    </message>
    <message>
        <source>No sound can be played: the sound module (plimset_sound.so) was not found.</source>
        <translation>Es kann kein Ton abgespielt werden: Das Klangmodul (plimset_sound.so) wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Stop test play</source>
        <translation>Probe anhalten</translation>
    </message>
    <message>
        <source>Test play</source>
        <translation>Probe abspielen</translation>
    </message>
    <message>
        <source>Media files (all types)</source>
        <translation>Mediendateien (alle Typen)</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Alarm (min)</source>
        <translation>Wecker (Min)</translation>
    </message>
    <message>
        <source>Add Minutes</source>
        <translation>Minuten hinzufügen</translation>
    </message>
    <message>
        <source>(1-99)</source>
        <translation>(1-99)</translation>
    </message>
    <message>
        <source>CountDown (min) or (min.sec)</source>
        <translation>Countdown (Min) oder (Min.Sek)</translation>
    </message>
    <message>
        <source>Repeat at the end</source>
        <translation>Am Ende wiederholen</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Nichts</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>Piepton</translation>
    </message>
    <message>
        <source>Until end of play</source>
        <translation>Bis zum Ende der Wiedergabe</translation>
    </message>
    <message>
        <source>(min) or (min.sec) [0:Indefinite]</source>
        <translation>(Min) oder (Min.Sek) [0:Unbegrenzt]</translation>
    </message>
    <message>
        <source>Ring Duration</source>
        <translation>Klingeldauer</translation>
    </message>
    <message>
        <source>Message Box</source>
        <translation>Meldungsfenster</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>times</source>
        <translation>fach</translation>
    </message>
    <message>
        <source>Display Duration</source>
        <translation>Anzeigedauer</translation>
    </message>
    <message>
        <source>MessageBox Text</source>
        <translation>Meldungstext</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Wecker</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>TaskTray &amp;&amp; TaskBar</source>
        <translation>Infobereich &amp;&amp; Taskleiste</translation>
    </message>
    <message>
        <source>TaskTray</source>
        <translation>Infobereich</translation>
    </message>
    <message>
        <source>TaskBar</source>
        <translation>Taskleiste</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Show Always</source>
        <translation>Immer anzeigen</translation>
    </message>
    <message>
        <source>Window Size (Pixel)</source>
        <translation>Fenstergröße (Pixel)</translation>
    </message>
    <message>
        <source>&amp;Reflect</source>
        <translation>Ü&amp;bernehmen</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Maximum String Length</source>
        <translation>Maximale Textlänge</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>Ä&amp;ndern...</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>Window Size, Font, 
and Background Color</source>
        <translation>Fenstergröße, Schriftart
und Hintergrundfarbe</translation>
    </message>
    <message>
        <source>All (Window position is not included.)</source>
        <translation>Alles (außer der Fensterposition)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>max. </translation>
    </message>
    <message>
        <source>min</source>
        <translation> Min</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Systemstandard</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japanisch</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Test beep</source>
        <translation>Piepton testen</translation>
    </message>
    <message>
        <source>Saved as the English texts</source>
        <translation>Als englische Texte gespeichert</translation>
    </message>
</context>
<context>
    <name>PortalGlobalHotkey</name>
    <message>
        <source>Show or hide the Plimset window</source>
        <translation>Plimset-Fenster ein- oder ausblenden</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>Farbe auswählen</translation>
    </message>
</context>
<context>
    <name>QFontDialog</name>
    <message>
        <source>Select Font</source>
        <translation>Schriftart auswählen</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimieren</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
</context>
</TS>
