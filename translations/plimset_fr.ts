<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AlertNotification</name>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Show Plimset</source>
        <translation>Afficher Plimset</translation>
    </message>
</context>
<context>
    <name>AlertTexts</name>
    <message>
        <source>The set time has come.</source>
        <translation>L’heure réglée est arrivée.</translation>
    </message>
    <message>
        <source>The countdown ended.</source>
        <translation>Le minuteur est terminé.</translation>
    </message>
    <message>
        <source>Click on the stop button.</source>
        <translation>Cliquez sur le bouton d’arrêt.</translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Timeout error. The icon does not appear in the notification area.</source>
        <translation>Délai dépassé. L’icône n’apparaît pas dans la zone de notification.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Enter the arguments in %1 characters or fewer.</source>
        <translation>Saisissez les arguments en %1 caractères au plus.</translation>
    </message>
    <message>
        <source>The number of arguments is invalid.</source>
        <translation>Le nombre d’arguments n’est pas valide.</translation>
    </message>
    <message>
        <source>Invalid command.</source>
        <translation>Commande non valide.</translation>
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
        <translation>/?     Afficher cette aide dans une boîte de message.

  --toggle     Masquer ou afficher le Plimset en cours comme le fait
               son raccourci (en lance un s’il n’y en a pas). Associez
               un raccourci du bureau à &quot;plimset --toggle&quot; là où le
               raccourci n’est pas disponible.
  --show       Mettre le Plimset en cours au premier plan (en lance
               un s’il n’y en a pas).
  --hide       Masquer le Plimset en cours (zone de notification) ou le réduire.
  -h, --help   Afficher cette aide et quitter.
  --version    Afficher le nom et la version et quitter.
</translation>
    </message>
</context>
<context>
    <name>FontChoice</name>
    <message>
        <source>&amp;Color...</source>
        <translation>&amp;Couleur...</translation>
    </message>
    <message>
        <source>Text color</source>
        <translation>Couleur du texte</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>Minuteur</translation>
    </message>
    <message>
        <source>StopWatch</source>
        <translation>Chronomètre</translation>
    </message>
    <message>
        <source>&amp;Always on Top</source>
        <translation>&amp;Toujours au premier plan</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Police...</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>&amp;Couleur de fond...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>Add %1 minutes</source>
        <translation>Ajouter %1 minutes</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>(vide)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Régler</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>This desktop does not let a window keep itself on top.</source>
        <translation>Ce bureau ne permet pas à une fenêtre de rester au premier plan.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. The new settings apply until the program ends.</source>
        <translation>Impossible d’enregistrer les paramètres dans %1. Les nouveaux paramètres s’appliquent jusqu’à la fermeture du programme.</translation>
    </message>
    <message>
        <source>The hotkey %1 is already in use by another program. Choose another combination.</source>
        <translation>Le raccourci %1 est déjà utilisé par un autre programme. Choisissez une autre combinaison.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>Fichier introuvable.</translation>
    </message>
    <message>
        <source>Input %1 or more.</source>
        <translation>Saisissez %1 ou plus.</translation>
    </message>
    <message>
        <source>Do you want to save changes?</source>
        <translation>Voulez-vous enregistrer les modifications&#xa0;?</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut settings choose the key that works (asked for: %1).</source>
        <translation>Les réglages des raccourcis du bureau choisissent la touche utilisée (demandée&#xa0;: %1).</translation>
    </message>
    <message>
        <source>This desktop gives programs no global shortcut: bind a key to &quot;plimset --toggle&quot; in its keyboard settings.</source>
        <translation>Ce bureau n’offre pas de raccourci global aux programmes&#xa0;: associez une touche à &quot;plimset --toggle&quot; dans ses paramètres du clavier.</translation>
    </message>
    <message>
        <source>Cannot play the file.</source>
        <translation>Impossible de lire le fichier.</translation>
    </message>
    <message>
        <source>No sound can be played: the sound module (plimset_sound.so) was not found.</source>
        <translation>Aucun son ne peut être joué&#xa0;: le module audio (plimset_sound.so) est introuvable.</translation>
    </message>
    <message>
        <source>Stop test play</source>
        <translation>Arrêter l’essai</translation>
    </message>
    <message>
        <source>Test play</source>
        <translation>Écouter un essai</translation>
    </message>
    <message>
        <source>Media files (all types)</source>
        <translation>Fichiers multimédias (tous types)</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>Alarm (min)</source>
        <translation>Alarme (min)</translation>
    </message>
    <message>
        <source>Add Minutes</source>
        <translation>Minutes à ajouter</translation>
    </message>
    <message>
        <source>(1-99)</source>
        <translation>(1-99)</translation>
    </message>
    <message>
        <source>CountDown (min) or (min.sec)</source>
        <translation>Minuteur (min) ou (min.s)</translation>
    </message>
    <message>
        <source>Repeat at the end</source>
        <translation>Répéter à la fin</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>Bip</translation>
    </message>
    <message>
        <source>Until end of play</source>
        <translation>Jusqu’à la fin de la lecture</translation>
    </message>
    <message>
        <source>(min) or (min.sec) [0:Indefinite]</source>
        <translation>(min) ou (min.s) [0:illimité]</translation>
    </message>
    <message>
        <source>Ring Duration</source>
        <translation>Durée de sonnerie</translation>
    </message>
    <message>
        <source>Message Box</source>
        <translation>Fenêtre de message</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>times</source>
        <translation>fois</translation>
    </message>
    <message>
        <source>Display Duration</source>
        <translation>Durée d’affichage</translation>
    </message>
    <message>
        <source>MessageBox Text</source>
        <translation>Texte du message</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>Minuteur</translation>
    </message>
    <message>
        <source>TaskTray &amp;&amp; TaskBar</source>
        <translation>Zone de notification &amp;&amp; barre des tâches</translation>
    </message>
    <message>
        <source>TaskTray</source>
        <translation>Zone de notification</translation>
    </message>
    <message>
        <source>TaskBar</source>
        <translation>Barre des tâches</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Show Always</source>
        <translation>Toujours afficher</translation>
    </message>
    <message>
        <source>Window Size (Pixel)</source>
        <translation>Taille de la fenêtre (pixels)</translation>
    </message>
    <message>
        <source>&amp;Reflect</source>
        <translation>Appl&amp;iquer</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Maximum String Length</source>
        <translation>Longueur maximale du texte</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>&amp;Modifier...</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Raccourci clavier</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restaurer les valeurs par défaut</translation>
    </message>
    <message>
        <source>Window Size, Font, 
and Background Color</source>
        <translation>Taille de la fenêtre, police
et couleur de fond</translation>
    </message>
    <message>
        <source>All (Window position is not included.)</source>
        <translation>Tout (sauf la position de la fenêtre)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>max. </translation>
    </message>
    <message>
        <source>min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Langue du système</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japonais</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Test beep</source>
        <translation>Tester le bip</translation>
    </message>
    <message>
        <source>Saved as the English texts</source>
        <translation>Enregistrés comme textes anglais</translation>
    </message>
</context>
<context>
    <name>PortalGlobalHotkey</name>
    <message>
        <source>Show or hide the Plimset window</source>
        <translation>Afficher ou masquer la fenêtre de Plimset</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>Choisir une couleur</translation>
    </message>
</context>
<context>
    <name>QFontDialog</name>
    <message>
        <source>Select Font</source>
        <translation>Choisir une police</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Ré&amp;duire</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
</context>
</TS>
