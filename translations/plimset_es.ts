<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>AlertNotification</name>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Show Plimset</source>
        <translation>Mostrar Plimset</translation>
    </message>
</context>
<context>
    <name>AlertTexts</name>
    <message>
        <source>The set time has come.</source>
        <translation>Ha llegado la hora programada.</translation>
    </message>
    <message>
        <source>The countdown ended.</source>
        <translation>El temporizador ha terminado.</translation>
    </message>
    <message>
        <source>Click on the stop button.</source>
        <translation>Pulse el botón de parada.</translation>
    </message>
</context>
<context>
    <name>App</name>
    <message>
        <source>Timeout error. The icon does not appear in the notification area.</source>
        <translation>Tiempo de espera agotado. El icono no aparece en el área de notificación.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Enter the arguments in %1 characters or fewer.</source>
        <translation>Introduzca los argumentos en %1 caracteres como máximo.</translation>
    </message>
    <message>
        <source>The number of arguments is invalid.</source>
        <translation>El número de argumentos no es válido.</translation>
    </message>
    <message>
        <source>Invalid command.</source>
        <translation>Comando no válido.</translation>
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
        <translation>/?     Mostrar este uso en un cuadro de mensaje.

  --toggle     Ocultar o mostrar el Plimset en ejecución como hace
               su atajo (inicia uno si no hay ninguno). Asigne un
               atajo del escritorio a &quot;plimset --toggle&quot; donde el
               atajo no esté disponible.
  --show       Traer al frente el Plimset en ejecución (inicia uno
               si no hay ninguno).
  --hide       Ocultar el Plimset en ejecución en la bandeja o minimizarlo.
  -h, --help   Mostrar este uso y salir.
  --version    Mostrar el nombre y la versión y salir.
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
        <translation>Color del texto</translation>
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
        <translation>Alarma</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>Temporizador</translation>
    </message>
    <message>
        <source>StopWatch</source>
        <translation>Cronómetro</translation>
    </message>
    <message>
        <source>&amp;Always on Top</source>
        <translation>&amp;Siempre encima</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Tipo de letra...</translation>
    </message>
    <message>
        <source>&amp;Background Color...</source>
        <translation>&amp;Color de fondo...</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Opciones...</translation>
    </message>
    <message>
        <source>Add %1 minutes</source>
        <translation>Añadir %1 minutos</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Null</source>
        <translation>(vacío)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Fijar</translation>
    </message>
    <message>
        <source>&amp;Mode</source>
        <translation>&amp;Modo</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimizar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>This desktop does not let a window keep itself on top.</source>
        <translation>Este escritorio no permite que una ventana se mantenga encima.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1. The new settings apply until the program ends.</source>
        <translation>No se pudo guardar la configuración en %1. La nueva configuración se aplica hasta que se cierre el programa.</translation>
    </message>
    <message>
        <source>The hotkey %1 is already in use by another program. Choose another combination.</source>
        <translation>Otro programa ya usa el atajo %1. Elija otra combinación.</translation>
    </message>
    <message>
        <source>File not found.</source>
        <translation>No se encontró el archivo.</translation>
    </message>
    <message>
        <source>Input %1 or more.</source>
        <translation>Introduzca %1 o más.</translation>
    </message>
    <message>
        <source>Do you want to save changes?</source>
        <translation>¿Desea guardar los cambios?</translation>
    </message>
    <message>
        <source>The desktop&apos;s shortcut settings choose the key that works (asked for: %1).</source>
        <translation>La configuración de atajos del escritorio decide qué tecla funciona (solicitada: %1).</translation>
    </message>
    <message>
        <source>This desktop gives programs no global shortcut: bind a key to &quot;plimset --toggle&quot; in its keyboard settings.</source>
        <translation>Este escritorio no ofrece atajos globales a los programas: asigne una tecla a &quot;plimset --toggle&quot; en su configuración de teclado.</translation>
    </message>
    <message>
        <source>Cannot play the file.</source>
        <translation>No se puede reproducir el archivo.</translation>
    </message>
    <message>
        <source>No sound can be played: the sound module (plimset_sound.so) was not found.</source>
        <translation>No se puede reproducir ningún sonido: no se encontró el módulo de sonido (plimset_sound.so).</translation>
    </message>
    <message>
        <source>Stop test play</source>
        <translation>Detener la prueba</translation>
    </message>
    <message>
        <source>Test play</source>
        <translation>Probar reproducción</translation>
    </message>
    <message>
        <source>Media files (all types)</source>
        <translation>Archivos multimedia (todos los tipos)</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>Alarm (min)</source>
        <translation>Alarma (min)</translation>
    </message>
    <message>
        <source>Add Minutes</source>
        <translation>Minutos a añadir</translation>
    </message>
    <message>
        <source>(1-99)</source>
        <translation>(1-99)</translation>
    </message>
    <message>
        <source>CountDown (min) or (min.sec)</source>
        <translation>Temporizador (min) o (min.s)</translation>
    </message>
    <message>
        <source>Repeat at the end</source>
        <translation>Repetir al terminar</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Nothing</source>
        <translation>Nada</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Examinar</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>Pitido</translation>
    </message>
    <message>
        <source>Until end of play</source>
        <translation>Hasta el final de la reproducción</translation>
    </message>
    <message>
        <source>(min) or (min.sec) [0:Indefinite]</source>
        <translation>(min) o (min.s) [0:indefinido]</translation>
    </message>
    <message>
        <source>Ring Duration</source>
        <translation>Duración del sonido</translation>
    </message>
    <message>
        <source>Message Box</source>
        <translation>Ventana de mensaje</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>times</source>
        <translation>veces</translation>
    </message>
    <message>
        <source>Display Duration</source>
        <translation>Duración en pantalla</translation>
    </message>
    <message>
        <source>MessageBox Text</source>
        <translation>Texto del mensaje</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarma</translation>
    </message>
    <message>
        <source>CountDown</source>
        <translation>Temporizador</translation>
    </message>
    <message>
        <source>TaskTray &amp;&amp; TaskBar</source>
        <translation>Área de notificación &amp;&amp; barra de tareas</translation>
    </message>
    <message>
        <source>TaskTray</source>
        <translation>Área de notificación</translation>
    </message>
    <message>
        <source>TaskBar</source>
        <translation>Barra de tareas</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>Show Always</source>
        <translation>Mostrar siempre</translation>
    </message>
    <message>
        <source>Window Size (Pixel)</source>
        <translation>Tamaño de la ventana (píxeles)</translation>
    </message>
    <message>
        <source>&amp;Reflect</source>
        <translation>A&amp;plicar</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ancho</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Alto</translation>
    </message>
    <message>
        <source>Maximum String Length</source>
        <translation>Longitud máxima del texto</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>Ca&amp;mbiar...</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Atajo de teclado</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restablecer valores predeterminados</translation>
    </message>
    <message>
        <source>Window Size, Font, 
and Background Color</source>
        <translation>Tamaño de la ventana, tipo de letra
y color de fondo</translation>
    </message>
    <message>
        <source>All (Window position is not included.)</source>
        <translation>Todo (excepto la posición de la ventana)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>máx. </translation>
    </message>
    <message>
        <source>min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>System Default</source>
        <translation>Predeterminado del sistema</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Inglés</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>Japonés</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Test beep</source>
        <translation>Probar pitido</translation>
    </message>
    <message>
        <source>Saved as the English texts</source>
        <translation>Se guardan como los textos en inglés</translation>
    </message>
</context>
<context>
    <name>PortalGlobalHotkey</name>
    <message>
        <source>Show or hide the Plimset window</source>
        <translation>Mostrar u ocultar la ventana de Plimset</translation>
    </message>
</context>
<context>
    <name>QColorDialog</name>
    <message>
        <source>Select Color</source>
        <translation>Seleccionar color</translation>
    </message>
</context>
<context>
    <name>QFontDialog</name>
    <message>
        <source>Select Font</source>
        <translation>Seleccionar tipo de letra</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimizar</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurar</translation>
    </message>
</context>
</TS>
