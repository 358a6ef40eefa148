<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutWindowController</name>
    <message>
        <source>FAQ</source>
        <translation>Häufige Fragen</translation>
    </message>
    <message>
        <source>Acknowledgements</source>
        <translation>Danksagungen</translation>
    </message>
    <message>
        <source>About Velmoran</source>
        <translation>Über Velmoran</translation>
    </message>
    <message>
        <source>A task manager for your iCalendar folders.</source>
        <translation>Eine Aufgabenverwaltung für Ihre iCalendar-Ordner.</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder neuer. Sie wird ohne jede Gewährleistung bereitgestellt.</translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation>Webseite</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>%1 %2 (built with %3)</source>
        <translation>%1 %2 (erstellt mit %3)</translation>
    </message>
</context>
<context>
    <name>AccountSync</name>
    <message>
        <source>Sync</source>
        <translation>Abgleich</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on this computer.</source>
        <translation>Alle Aufgaben von „%1“ wurden auf diesem Rechner gelöscht.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on the server.</source>
        <translation>Alle Aufgaben von „%1“ wurden auf dem Server gelöscht.</translation>
    </message>
    <message>
        <source>Delete them on the server too, so that your other devices lose them as well, or bring them back here? Until you choose, the list is not synced.</source>
        <translation>Sollen sie auch auf dem Server gelöscht werden, damit sie auch auf Ihren anderen Geräten verschwinden, oder sollen sie hierher zurückgeholt werden? Bis Sie sich entscheiden, wird die Liste nicht abgeglichen.</translation>
    </message>
    <message>
        <source>Delete them on this computer too, or send them back to the server? Either way a copy of this computer&apos;s tasks is in %1. Until you choose, the list is not synced.</source>
        <translation>Sollen sie auch auf diesem Rechner gelöscht oder an den Server zurückgeschickt werden? In beiden Fällen liegt eine Kopie der Aufgaben dieses Rechners in %1. Bis Sie sich entscheiden, wird die Liste nicht abgeglichen.</translation>
    </message>
    <message>
        <source>Delete on the Server</source>
        <translation>Auf dem Server löschen</translation>
    </message>
    <message>
        <source>Delete Here Too</source>
        <translation>Auch hier löschen</translation>
    </message>
    <message>
        <source>Bring Them Back</source>
        <translation>Zurückholen</translation>
    </message>
    <message>
        <source>Send Them Back</source>
        <translation>Zurückschicken</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
</context>
<context>
    <name>AccountsGroup</name>
    <message>
        <source>no list chosen</source>
        <translation>keine Liste gewählt</translation>
    </message>
    <message>
        <source>%1 at %2 — %3</source>
        <translation>%1 auf %2 – %3</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Konto hinzufügen …</translation>
    </message>
    <message>
        <source>Choose Lists…</source>
        <translation>Listen auswählen …</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Jetzt abgleichen</translation>
    </message>
    <message>
        <source>Sync With It</source>
        <translation>Damit abgleichen</translation>
    </message>
    <message>
        <source>No account yet: add the CalDAV server your phone or other computers sync with.</source>
        <translation>Noch kein Konto: Fügen Sie den CalDAV-Server hinzu, mit dem Ihr Telefon oder Ihre anderen Rechner abgleichen.</translation>
    </message>
    <message>
        <source>Also syncing with your own vdirsyncer configuration %1, as it is.</source>
        <translation>Außerdem wird mit Ihrer eigenen vdirsyncer-Konfiguration %1 unverändert abgeglichen.</translation>
    </message>
    <message>
        <source>Your own vdirsyncer configuration %1 can be used as it is: its folders become store folders and Velmoran runs &quot;vdirsyncer sync&quot; with it.</source>
        <translation>Ihre eigene vdirsyncer-Konfiguration %1 kann unverändert verwendet werden: deren Ordner werden zu Ablageordnern, und Velmoran führt damit „vdirsyncer sync“ aus.</translation>
    </message>
    <message>
        <source>Remove the account %1?</source>
        <translation>Das Konto %1 entfernen?</translation>
    </message>
    <message>
        <source>Its password is taken out of the secret service and it is no longer synced. The tasks already on this computer stay in %1.</source>
        <translation>Sein Passwort wird aus dem Geheimnisdienst entfernt, und es wird nicht mehr abgeglichen. Die Aufgaben, die bereits auf diesem Rechner sind, bleiben in %1.</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
</context>
<context>
    <name>AddAccountDialog</name>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Add CalDAV Account</source>
        <translation>CalDAV-Konto hinzufügen</translation>
    </message>
    <message>
        <source>Choose Lists to Sync</source>
        <translation>Abzugleichende Listen auswählen</translation>
    </message>
    <message>
        <source>https://example.org/dav/</source>
        <translation>https://example.org/dav/</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>kept in the secret service</source>
        <translation>im Geheimnisdienst aufbewahrt</translation>
    </message>
    <message>
        <source>Ask the Server Again</source>
        <translation>Server erneut fragen</translation>
    </message>
    <message>
        <source>Asking the server…</source>
        <translation>Server wird gefragt …</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and password.</source>
        <translation>Geben Sie die Adresse des Servers, Ihren Benutzernamen und Ihr Passwort ein.</translation>
    </message>
    <message>
        <source>Saving the password in the secret service… If your keyring asks to be unlocked, answer it; Cancel stops waiting.</source>
        <translation>Passwort wird im Geheimnisdienst gespeichert … Falls Ihr Schlüsselbund entsperrt werden möchte, antworten Sie darauf; „Abbrechen“ beendet das Warten.</translation>
    </message>
    <message>
        <source>The server holds no task list or calendar for this user.</source>
        <translation>Der Server enthält für diesen Benutzer keine Aufgabenliste und keinen Kalender.</translation>
    </message>
    <message>
        <source>Choose the lists and calendars to keep on this computer:</source>
        <translation>Wählen Sie die Listen und Kalender, die auf diesem Rechner bleiben sollen:</translation>
    </message>
    <message>
        <source>No longer on the server, so no longer synced: %1. Their tasks stay on this computer.</source>
        <translation>Nicht mehr auf dem Server und daher nicht mehr abgeglichen: %1. Deren Aufgaben bleiben auf diesem Rechner.</translation>
    </message>
    <message>
        <source>The sync configuration could not be written to %1.</source>
        <translation>Die Abgleichkonfiguration konnte nicht nach %1 geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>AddListWindowController</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>List name</source>
        <translation>Listenname</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Add New List</source>
        <translation>Neue Liste hinzufügen</translation>
    </message>
    <message>
        <source>Edit List</source>
        <translation>Liste bearbeiten</translation>
    </message>
    <message>
        <source>The list could not be changed</source>
        <translation>Die Liste konnte nicht geändert werden</translation>
    </message>
    <message>
        <source>The list could not be created</source>
        <translation>Die Liste konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>The task store refused the change.</source>
        <translation>Die Aufgabenablage hat die Änderung abgelehnt.</translation>
    </message>
</context>
<context>
    <name>AddMergedListWindowController</name>
    <message>
        <source>Merged List</source>
        <translation>Sammelliste</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>No priority</source>
        <translation>Keine Priorität</translation>
    </message>
    <message>
        <source>Low priority</source>
        <translation>Niedrige Priorität</translation>
    </message>
    <message>
        <source>Medium priority</source>
        <translation>Mittlere Priorität</translation>
    </message>
    <message>
        <source>High priority</source>
        <translation>Hohe Priorität</translation>
    </message>
    <message>
        <source>Add Smart List</source>
        <translation>Intelligente Liste hinzufügen</translation>
    </message>
    <message>
        <source>Edit List</source>
        <translation>Liste bearbeiten</translation>
    </message>
    <message>
        <source>Type in a name</source>
        <translation>Geben Sie einen Namen ein</translation>
    </message>
    <message>
        <source>Need at least one list</source>
        <translation>Mindestens eine Liste nötig</translation>
    </message>
    <message>
        <source>Need at least one priority</source>
        <translation>Mindestens eine Priorität nötig</translation>
    </message>
</context>
<context>
    <name>AddTagListWindowController</name>
    <message>
        <source>Smart List</source>
        <translation>Intelligente Liste</translation>
    </message>
    <message>
        <source>Tag or search text</source>
        <translation>Schlagwort oder Suchtext</translation>
    </message>
    <message>
        <source>Add Smart List</source>
        <translation>Intelligente Liste hinzufügen</translation>
    </message>
    <message>
        <source>Edit List</source>
        <translation>Liste bearbeiten</translation>
    </message>
</context>
<context>
    <name>AddViewController</name>
    <message>
        <source>New Task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>New Task Added</source>
        <translation>Neue Aufgabe hinzugefügt</translation>
    </message>
</context>
<context>
    <name>AdvancedPage</name>
    <message>
        <source>Smart List</source>
        <translation>Intelligente Liste</translation>
    </message>
    <message>
        <source>Quick Actions</source>
        <translation>Schnellaktionen</translation>
    </message>
    <message>
        <source>Smart Add</source>
        <translation>Intelligente Eingabe</translation>
    </message>
    <message>
        <source>Sync Preferences</source>
        <translation>Einstellungen abgleichen</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Preferences Not Saved</source>
        <translation>Einstellungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Velmoran could not save a change to its preferences: %1. The change holds until Velmoran quits; free some space or fix the folder&apos;s permissions, then change it again.</source>
        <translation>Velmoran konnte eine Änderung seiner Einstellungen nicht speichern: %1. Die Änderung gilt, bis Velmoran beendet wird; schaffen Sie etwas Platz oder korrigieren Sie die Zugriffsrechte des Ordners und ändern Sie sie dann erneut.</translation>
    </message>
</context>
<context>
    <name>AppearancePage</name>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation>Zeitgesteuert</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <source>Huge</source>
        <translation>Sehr groß</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Night Mode</source>
        <translation>Nachtmodus</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Use English Instead of the Desktop&apos;s Language</source>
        <translation>Englisch statt der Sprache der Arbeitsumgebung verwenden</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Takes effect the next time Velmoran starts.</source>
        <translation>Gilt ab dem nächsten Start von Velmoran.</translation>
    </message>
</context>
<context>
    <name>ApplicationInterface</name>
    <message>
        <source>The URL is longer than %1 characters.</source>
        <translation>Die URL ist länger als %1 Zeichen.</translation>
    </message>
    <message>
        <source>Only %1: URLs are accepted.</source>
        <translation>Nur %1:-URLs werden angenommen.</translation>
    </message>
    <message>
        <source>The text is longer than %1 characters.</source>
        <translation>Der Text ist länger als %1 Zeichen.</translation>
    </message>
    <message>
        <source>The text is empty.</source>
        <translation>Der Text ist leer.</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot sync %1: %2</source>
        <translation>%1 kann nicht auf den Datenträger geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 changed while being read</source>
        <translation>%1 wurde während des Lesens geändert</translation>
    </message>
    <message>
        <source>Cannot replace %1: %2</source>
        <translation>%1 kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>Cannot remove %1: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
</context>
<context>
    <name>AutostartEntry</name>
    <message>
        <source>The autostart entry %1 cannot be removed.</source>
        <translation>Der Autostart-Eintrag %1 kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>The autostart folder %1 cannot be created.</source>
        <translation>Der Autostart-Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The autostart entry %1 cannot be written: %2</source>
        <translation>Der Autostart-Eintrag %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CalendarText</name>
    <message>
        <source>its %1 &quot;%2&quot; is not a date</source>
        <translation>sein %1 „%2“ ist kein Datum</translation>
    </message>
    <message>
        <source>the event has no start (DTSTART)</source>
        <translation>der Termin hat keinen Beginn (DTSTART)</translation>
    </message>
    <message>
        <source>the file ends before its END:%1</source>
        <translation>die Datei endet vor seinem END:%1</translation>
    </message>
    <message>
        <source>its END:%1 is missing</source>
        <translation>sein END:%1 fehlt</translation>
    </message>
    <message>
        <source>END:%1 closes BEGIN:%2</source>
        <translation>END:%1 schließt BEGIN:%2</translation>
    </message>
    <message>
        <source>it is not an iCalendar file (no BEGIN:VCALENDAR)</source>
        <translation>es ist keine iCalendar-Datei (kein BEGIN:VCALENDAR)</translation>
    </message>
    <message>
        <source>its UID %1 is another item&apos;s already</source>
        <translation>seine UID %1 gehört schon einem anderen Eintrag</translation>
    </message>
</context>
<context>
    <name>CheckDateRow</name>
    <message>
        <source>Remind Before the Due Time</source>
        <translation>Vor der Fälligkeit erinnern</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>use HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm</source>
        <translation>verwenden Sie HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd oder yyyy-MM-dd HH:mm</translation>
    </message>
    <message>
        <source>no task has the identifier &quot;%1&quot; (see &quot;tasks&quot;)</source>
        <translation>keine Aufgabe hat die Kennung „%1“ (siehe „tasks“)</translation>
    </message>
    <message>
        <source>nothing was added: no title is left once the Smart Add words are taken out, or the store refused the task</source>
        <translation>nichts wurde hinzugefügt: Nach dem Entfernen der Wörter der intelligenten Eingabe bleibt kein Titel übrig, oder die Ablage hat die Aufgabe abgelehnt</translation>
    </message>
    <message>
        <source>nothing was added: the title is empty, or the store refused the task</source>
        <translation>nichts wurde hinzugefügt: Der Titel ist leer, oder die Ablage hat die Aufgabe abgelehnt</translation>
    </message>
    <message>
        <source>not a %1: URL with the command add, smartadd or open</source>
        <translation>keine %1:-URL beim Befehl add, smartadd oder open</translation>
    </message>
    <message>
        <source>the due date &quot;%1&quot; cannot be read; the task has no due date</source>
        <translation>das Fälligkeitsdatum „%1“ kann nicht gelesen werden; die Aufgabe hat kein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>cannot read the due date &quot;%1&quot;; %2</source>
        <translation>das Fälligkeitsdatum „%1“ kann nicht gelesen werden; %2</translation>
    </message>
    <message>
        <source>--due-after %1 is too far in the future</source>
        <translation>--due-after %1 liegt zu weit in der Zukunft</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot;; the task goes into &quot;%2&quot;</source>
        <translation>keine Liste heißt „%1“; die Aufgabe kommt in „%2“</translation>
    </message>
    <message>
        <source>the task could not be completed: %1</source>
        <translation>die Aufgabe konnte nicht erledigt werden: %1</translation>
    </message>
    <message>
        <source>the task could not be deleted: %1</source>
        <translation>die Aufgabe konnte nicht gelöscht werden: %1</translation>
    </message>
    <message>
        <source>cannot read the date &quot;%1&quot;; use YYYY-MM-DD or YYYY-MM-DDTHH:MM</source>
        <translation>das Datum „%1“ kann nicht gelesen werden; verwenden Sie YYYY-MM-DD oder YYYY-MM-DDTHH:MM</translation>
    </message>
    <message>
        <source>%1 is not later than %2</source>
        <translation>%1 liegt nicht nach %2</translation>
    </message>
    <message>
        <source>this command does not use the task store</source>
        <translation>dieser Befehl verwendet die Aufgabenablage nicht</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be deleted: %2</source>
        <translation>„%1“ konnte nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Recently Deleted; &quot;deleted&quot; lists what is.</source>
        <translation>„%1“ ist nicht in „Zuletzt gelöscht“; „deleted“ zeigt, was dort ist.</translation>
    </message>
    <message>
        <source>Restored &quot;%1&quot; into &quot;%2&quot;: its own list no longer exists.</source>
        <translation>„%1“ wurde in „%2“ wiederhergestellt: Die ursprüngliche Liste gibt es nicht mehr.</translation>
    </message>
    <message>
        <source>Restored &quot;%1&quot; into &quot;%2&quot;.</source>
        <translation>„%1“ wurde in „%2“ wiederhergestellt.</translation>
    </message>
    <message>
        <source>Print JSON instead of one line per record.</source>
        <translation>JSON statt einer Zeile pro Datensatz ausgeben.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>A sidebar list type (tasks).</source>
        <translation>Eine Listenart der Seitenleiste (tasks).</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>ART</translation>
    </message>
    <message>
        <source>The tag, merged list or search text of --filter.</source>
        <translation>Das Schlagwort, die Sammelliste oder der Suchtext von --filter.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>Tasks whose title or notes hold every word.</source>
        <translation>Aufgaben, deren Titel oder Notizen jedes Wort enthalten.</translation>
    </message>
    <message>
        <source>The day view of today or of DATE (tasks).</source>
        <translation>Die Tagesansicht von heute oder von DATUM (tasks).</translation>
    </message>
    <message>
        <source>The week view of this week or DATE&apos;s (tasks).</source>
        <translation>Die Wochenansicht dieser Woche oder der Woche von DATUM (tasks).</translation>
    </message>
    <message>
        <source>The month view of this month or DATE&apos;s (tasks).</source>
        <translation>Die Monatsansicht dieses Monats oder des Monats von DATUM (tasks).</translation>
    </message>
    <message>
        <source>The title (add).</source>
        <translation>Der Titel (add).</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>PRIORITY</source>
        <translation>PRIORITÄT</translation>
    </message>
    <message>
        <source>DUE</source>
        <translation>FÄLLIG</translation>
    </message>
    <message>
        <source>Due this many minutes from now (add).</source>
        <translation>Fällig in so vielen Minuten ab jetzt (add).</translation>
    </message>
    <message>
        <source>MINUTES</source>
        <translation>MINUTEN</translation>
    </message>
    <message>
        <source>ON|OFF</source>
        <translation>ON|OFF</translation>
    </message>
    <message>
        <source>The files of the lists that could not be read (lists).</source>
        <translation>Die Dateien der Listen, die nicht gelesen werden konnten (lists).</translation>
    </message>
    <message>
        <source>Delete everything in Recently Deleted for good (deleted).</source>
        <translation>Alles in „Zuletzt gelöscht“ endgültig löschen (deleted).</translation>
    </message>
    <message>
        <source>Pass on the emptying of this list to the other side (sync).</source>
        <translation>Das Leeren dieser Liste an die andere Seite weitergeben (sync).</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>LISTE</translation>
    </message>
    <message>
        <source>Bring the tasks of this emptied list back (sync).</source>
        <translation>Die Aufgaben dieser geleerten Liste zurückholen (sync).</translation>
    </message>
    <message>
        <source>What to do (see above).</source>
        <translation>Was zu tun ist (siehe oben).</translation>
    </message>
    <message>
        <source>command [arguments]</source>
        <translation>Befehl [Argumente]</translation>
    </message>
    <message>
        <source>no command given; see --help</source>
        <translation>kein Befehl angegeben; siehe --help</translation>
    </message>
    <message>
        <source>account takes &quot;add URL USER&quot; or &quot;lists ACCOUNT [LIST...]&quot;</source>
        <translation>account erwartet „add URL BENUTZER“ oder „lists KONTO [LISTE...]“</translation>
    </message>
    <message>
        <source>sync-conflict takes FOLDER LOCAL REMOTE</source>
        <translation>sync-conflict erwartet ORDNER LOKAL ENTFERNT</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;; see --help</source>
        <translation>unbekannter Befehl „%1“; siehe --help</translation>
    </message>
    <message>
        <source>url takes one URL</source>
        <translation>url erwartet eine URL</translation>
    </message>
    <message>
        <source>smartadd takes the text</source>
        <translation>smartadd erwartet den Text</translation>
    </message>
    <message>
        <source>lists takes no arguments</source>
        <translation>lists erwartet keine Argumente</translation>
    </message>
    <message>
        <source>%1 takes one task identifier</source>
        <translation>%1 erwartet eine Aufgabenkennung</translation>
    </message>
    <message>
        <source>events takes two dates, FROM and TO</source>
        <translation>events erwartet zwei Daten, VON und BIS</translation>
    </message>
    <message>
        <source>sync takes no arguments</source>
        <translation>sync erwartet keine Argumente</translation>
    </message>
    <message>
        <source>deleted takes no arguments</source>
        <translation>deleted erwartet keine Argumente</translation>
    </message>
    <message>
        <source>restore takes the identifiers of deleted items</source>
        <translation>restore erwartet die Kennungen gelöschter Einträge</translation>
    </message>
    <message>
        <source>--%1 does not apply to this command</source>
        <translation>--%1 gilt nicht für diesen Befehl</translation>
    </message>
    <message>
        <source>prefs takes &quot;get KEY&quot; or &quot;set KEY JSON-VALUE&quot;</source>
        <translation>prefs erwartet „get SCHLÜSSEL“ oder „set SCHLÜSSEL JSON-WERT“</translation>
    </message>
    <message>
        <source>give the title either as --text or as arguments, not both</source>
        <translation>geben Sie den Titel entweder mit --text oder als Argumente an, nicht beides</translation>
    </message>
    <message>
        <source>add needs a title</source>
        <translation>add braucht einen Titel</translation>
    </message>
    <message>
        <source>--priority takes none, low, medium or high, not &quot;%1&quot;</source>
        <translation>--priority erwartet none, low, medium oder high, nicht „%1“</translation>
    </message>
    <message>
        <source>give either --due or --due-after, not both</source>
        <translation>geben Sie entweder --due oder --due-after an, nicht beides</translation>
    </message>
    <message>
        <source>--due needs a date</source>
        <translation>--due braucht ein Datum</translation>
    </message>
    <message>
        <source>--due-after takes a whole number of minutes, not &quot;%1&quot;</source>
        <translation>--due-after erwartet eine ganze Zahl von Minuten, nicht „%1“</translation>
    </message>
    <message>
        <source>--alarm takes on or off, not &quot;%1&quot;</source>
        <translation>--alarm erwartet on oder off, nicht „%1“</translation>
    </message>
    <message>
        <source>give at most one of --list, --filter, --search, --day, --week and --month</source>
        <translation>geben Sie höchstens eines von --list, --filter, --search, --day, --week und --month an</translation>
    </message>
    <message>
        <source>--list needs a list name</source>
        <translation>--list braucht einen Listennamen</translation>
    </message>
    <message>
        <source>--search needs a text</source>
        <translation>--search braucht einen Text</translation>
    </message>
    <message>
        <source>--filter takes a list type from 0 to 15, not &quot;%1&quot;</source>
        <translation>--filter erwartet eine Listenart von 0 bis 15, nicht „%1“</translation>
    </message>
    <message>
        <source>for one list, use --list NAME</source>
        <translation>für eine Liste verwenden Sie --list NAME</translation>
    </message>
    <message>
        <source>for a search, use --search TEXT</source>
        <translation>für eine Suche verwenden Sie --search TEXT</translation>
    </message>
    <message>
        <source>--tag applies to --filter 8, 9 and 15 only</source>
        <translation>--tag gilt nur für --filter 8, 9 und 15</translation>
    </message>
    <message>
        <source>--filter %1 needs --tag</source>
        <translation>--filter %1 braucht --tag</translation>
    </message>
    <message>
        <source>tasks takes no arguments</source>
        <translation>tasks erwartet keine Argumente</translation>
    </message>
    <message>
        <source>--day, --week and --month take at most one date</source>
        <translation>--day, --week und --month erwarten höchstens ein Datum</translation>
    </message>
    <message>
        <source>cannot read the date &quot;%1&quot;; use YYYY-MM-DD, such as 2026-12-24</source>
        <translation>das Datum „%1“ kann nicht gelesen werden; verwenden Sie YYYY-MM-DD, etwa 2026-12-24</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>eine Zeichenkette</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>ein Array</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>ein Objekt</translation>
    </message>
    <message>
        <source>a value of its own kind</source>
        <translation>ein Wert seiner eigenen Art</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a JSON value (a string needs its quotes: &apos;&quot;08:00&quot;&apos;)</source>
        <translation>„%1“ ist kein JSON-Wert (eine Zeichenkette braucht ihre Anführungszeichen: &apos;&quot;08:00&quot;&apos;)</translation>
    </message>
    <message>
        <source>%1 takes %2</source>
        <translation>%1 erwartet %2</translation>
    </message>
    <message>
        <source>the preferences could not be written</source>
        <translation>die Einstellungen konnten nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the preferences could not be written: %1</source>
        <translation>die Einstellungen konnten nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>To delete the tasks of &quot;%1&quot; on the other side too: velmoran-cli sync --allow-emptied &quot;%1&quot;; to bring them back: velmoran-cli sync --restore-emptied &quot;%1&quot;.</source>
        <translation>Um die Aufgaben von „%1“ auch auf der anderen Seite zu löschen: velmoran-cli sync --allow-emptied &quot;%1&quot;; um sie zurückzuholen: velmoran-cli sync --restore-emptied &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>To choose the lists of %1 again: velmoran-cli account lists %1 LIST...</source>
        <translation>Um die Listen von %1 erneut auszuwählen: velmoran-cli account lists %1 LISTE...</translation>
    </message>
    <message>
        <source>No CalDAV account is set up; add one with &quot;account add URL USER&quot;.</source>
        <translation>Kein CalDAV-Konto ist eingerichtet; fügen Sie eines mit „account add URL BENUTZER“ hinzu.</translation>
    </message>
    <message>
        <source>No synced list is called &quot;%1&quot;.</source>
        <translation>Keine abgeglichene Liste heißt „%1“.</translation>
    </message>
    <message>
        <source>Synced %1: %2</source>
        <translation>%1 abgeglichen: %2</translation>
    </message>
    <message>
        <source>No account is called &quot;%1&quot;; the accounts: %2</source>
        <translation>Kein Konto heißt „%1“; die Konten: %2</translation>
    </message>
    <message>
        <source>%1 (no longer on the server)</source>
        <translation>%1 (nicht mehr auf dem Server)</translation>
    </message>
    <message>
        <source>The server has no list &quot;%1&quot;.</source>
        <translation>Der Server hat keine Liste „%1“.</translation>
    </message>
    <message>
        <source>The sync configuration could not be written to %1.</source>
        <translation>Die Abgleichkonfiguration konnte nicht nach %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 syncs these lists from now on: %2</source>
        <translation>%1 gleicht ab jetzt diese Listen ab: %2</translation>
    </message>
    <message>
        <source>Give the password on standard input.</source>
        <translation>Geben Sie das Passwort auf der Standardeingabe ein.</translation>
    </message>
    <message>
        <source>Added %1 (%2) with the lists: %3</source>
        <translation>%1 (%2) mit diesen Listen hinzugefügt: %3</translation>
    </message>
    <message>
        <source>The conflict could not be settled: %1</source>
        <translation>Der Konflikt konnte nicht beigelegt werden: %1</translation>
    </message>
    <message>
        <source>Kept both versions: &quot;%1&quot; is this computer&apos;s.</source>
        <translation>Beide Fassungen behalten: „%1“ ist die dieses Rechners.</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot; (see &quot;lists&quot;)</source>
        <translation>keine Liste heißt „%1“ (siehe „lists“)</translation>
    </message>
    <message>
        <source>no merged list is called &quot;%1&quot;</source>
        <translation>keine Sammelliste heißt „%1“</translation>
    </message>
    <message>
        <source>that date cannot be shown</source>
        <translation>dieses Datum kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>the tasks could not be read</source>
        <translation>die Aufgaben konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1=&quot;%2&quot; is not an ISO date and time, such as 2026-12-24T10:00</source>
        <translation>%1=&quot;%2&quot; ist kein ISO-Datum mit Uhrzeit wie 2026-12-24T10:00</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n item(s) for good.</source>
        <translation>
            <numerusform>%n Eintrag endgültig gelöscht.</numerusform>
            <numerusform>%n Einträge endgültig gelöscht.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored the list &quot;%1&quot; with %n task(s).</source>
        <translation>
            <numerusform>Die Liste „%1“ mit %n Aufgabe wurde wiederhergestellt.</numerusform>
            <numerusform>Die Liste „%1“ mit %n Aufgaben wurde wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message>
        <source>the task could not be moved: %1</source>
        <translation>die Aufgabe konnte nicht verschoben werden: %1</translation>
    </message>
    <message>
        <source>Subtasks indented under their parents (tasks).</source>
        <translation>Unteraufgaben eingerückt unter ihren übergeordneten Aufgaben (tasks).</translation>
    </message>
    <message>
        <source>The task to be a subtask of (add, move).</source>
        <translation>Die Aufgabe, deren Unteraufgabe sie wird (add, move).</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Make the task one on its own (move).</source>
        <translation>Die Aufgabe eigenständig machen (move).</translation>
    </message>
    <message>
        <source>give either --list or --parent, not both: a subtask is in its parent&apos;s list</source>
        <translation>entweder --list oder --parent angeben, nicht beides: eine Unteraufgabe steht in der Liste ihrer übergeordneten Aufgabe</translation>
    </message>
    <message>
        <source>--parent needs a task identifier</source>
        <translation>--parent braucht eine Aufgabenkennung</translation>
    </message>
    <message>
        <source>move takes either --parent ID or --no-parent</source>
        <translation>move nimmt entweder --parent ID oder --no-parent</translation>
    </message>
    <message>
        <source>move takes one task identifier</source>
        <translation>move nimmt eine Aufgabenkennung</translation>
    </message>
    <message>
        <source>--%1 needs a due date, and the task has none: give --due as well</source>
        <translation>--%1 braucht ein Fälligkeitsdatum, und die Aufgabe hat keines: --due mit angeben</translation>
    </message>
    <message>
        <source>--url &quot;%1&quot; holds no link</source>
        <translation>--url „%1“ enthält keinen Link</translation>
    </message>
    <message>
        <source>--list: no list is called &quot;%1&quot; (see &quot;lists&quot;)</source>
        <translation>--list: keine Liste heißt „%1“ (siehe „lists“)</translation>
    </message>
    <message>
        <source>--due: cannot read the due date &quot;%1&quot;; use HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm</source>
        <translation>--due: das Fälligkeitsdatum „%1“ ist nicht lesbar; HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd oder yyyy-MM-dd HH:mm verwenden</translation>
    </message>
    <message>
        <source>--repeat &quot;%1&quot; is no repeat rule: %2</source>
        <translation>--repeat „%1“ ist keine Wiederholungsregel: %2</translation>
    </message>
    <message>
        <source>--repeat &quot;%1&quot; ends before the due date, so the task would never repeat</source>
        <translation>--repeat „%1“ endet vor dem Fälligkeitsdatum, die Aufgabe würde sich also nie wiederholen</translation>
    </message>
    <message>
        <source>--alarm takes on, off or a date in the forms of --due, not &quot;%1&quot;</source>
        <translation>--alarm nimmt on, off oder ein Datum in den Formen von --due, nicht „%1“</translation>
    </message>
    <message>
        <source>the task was not changed: %1</source>
        <translation>die Aufgabe wurde nicht geändert: %1</translation>
    </message>
    <message>
        <source>give either --%1 or --%2, not both</source>
        <translation>entweder --%1 oder --%2 angeben, nicht beides</translation>
    </message>
    <message>
        <source>The task&apos;s iCalendar file as well (show).</source>
        <translation>Dazu die iCalendar-Datei der Aufgabe (show).</translation>
    </message>
    <message>
        <source>The new title (edit).</source>
        <translation>Der neue Titel (edit).</translation>
    </message>
    <message>
        <source>Take the due date away, with its repeat and time alarms (edit).</source>
        <translation>Das Fälligkeitsdatum entfernen, mit seiner Wiederholung und seinen Zeit-Erinnerungen (edit).</translation>
    </message>
    <message>
        <source>The due time, on the due date&apos;s day (edit).</source>
        <translation>Die Fälligkeitszeit, am Tag des Fälligkeitsdatums (edit).</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Due on the day, without a time of day (edit).</source>
        <translation>Fällig am Tag, ohne Uhrzeit (edit).</translation>
    </message>
    <message>
        <source>The repeat rule, such as FREQ=WEEKLY;BYDAY=MO, or repeat words such as &quot;every Monday&quot; (edit).</source>
        <translation>Die Wiederholungsregel, etwa FREQ=WEEKLY;BYDAY=MO, oder Wiederholungswörter wie „jeden Montag“ (edit).</translation>
    </message>
    <message>
        <source>RULE</source>
        <translation>REGEL</translation>
    </message>
    <message>
        <source>Stop repeating (edit).</source>
        <translation>Nicht mehr wiederholen (edit).</translation>
    </message>
    <message>
        <source>Take the time alarms away (edit).</source>
        <translation>Die Zeit-Erinnerungen entfernen (edit).</translation>
    </message>
    <message>
        <source>--title needs a text</source>
        <translation>--title braucht einen Text</translation>
    </message>
    <message>
        <source>--time takes HH:mm, such as 09:30, not &quot;%1&quot;</source>
        <translation>--time nimmt HH:mm, etwa 09:30, nicht „%1“</translation>
    </message>
    <message>
        <source>--repeat needs a rule</source>
        <translation>--repeat braucht eine Regel</translation>
    </message>
    <message>
        <source>--alarm takes on, off or a date</source>
        <translation>--alarm nimmt on, off oder ein Datum</translation>
    </message>
    <message>
        <source>A link stored with the task (add, edit).</source>
        <translation>Ein mit der Aufgabe gespeicherter Link (add, edit).</translation>
    </message>
    <message>
        <source>Notes (add, edit).</source>
        <translation>Notizen (add, edit).</translation>
    </message>
    <message>
        <source>none, low, medium or high, or 0, 1, 2, 3 (add, edit).</source>
        <translation>none, low, medium oder high bzw. 0, 1, 2, 3 (add, edit).</translation>
    </message>
    <message>
        <source>The due date (add, edit).</source>
        <translation>Das Fälligkeitsdatum (add, edit).</translation>
    </message>
    <message>
        <source>on or off; without it the &quot;alarmOn&quot; preference decides (add). Edit also takes a date in the forms of --due.</source>
        <translation>on oder off; ohne diese Angabe entscheidet die Einstellung „alarmOn“ (add). Edit nimmt auch ein Datum in den Formen von --due.</translation>
    </message>
    <message>
        <source>show takes one task identifier</source>
        <translation>show nimmt eine Aufgabenkennung</translation>
    </message>
    <message>
        <source>edit takes one task identifier</source>
        <translation>edit nimmt eine Aufgabenkennung</translation>
    </message>
    <message>
        <source>edit takes at least one of the options that change a task; see --help</source>
        <translation>edit nimmt mindestens eine der Optionen, die eine Aufgabe ändern; siehe --help</translation>
    </message>
    <message>
        <source>&quot;%1&quot; repeats and is open; each completed occurrence is a task of its own, which &quot;tasks --completed&quot; lists</source>
        <translation>„%1“ wiederholt sich und ist offen; jedes erledigte Vorkommen ist eine eigene Aufgabe, die „tasks --completed“ auflistet</translation>
    </message>
    <message>
        <source>the task could not be reopened: %1</source>
        <translation>die Aufgabe konnte nicht wieder geöffnet werden: %1</translation>
    </message>
    <message>
        <source>the task&apos;s file cannot be read: %1</source>
        <translation>die Datei der Aufgabe ist nicht lesbar: %1</translation>
    </message>
    <message>
        <source>Velmoran without a window: add, list, show, edit, complete and delete tasks, read
events and preferences, using the same task store and preferences as the application.

Commands:
  url URL                   run a velmoran: URL command (add, smartadd, open);
                            &quot;open&quot; prints the task
  add [TITLE]               add a task; takes --text, --list, --url, --notes,
                            --priority, --due, --due-after, --alarm, and
                            --parent ID for a subtask (in its parent&apos;s list)
  smartadd TEXT             add a task from a line in Smart Add syntax
  lists                     the task lists
  lists --problems          the files of the lists that could not be read, and
                            why; exit status 1 when there are any
  tasks                     open tasks of every visible list, or of one
                            --list, --filter or --search; --completed includes
                            completed tasks; --tree indents subtasks under
                            their parents
  tasks --day|--week|--month [DATE]
                            the tasks and then the events the window lists for
                            that day, week or month (DATE YYYY-MM-DD, default
                            today), with the view preferences; completed tasks
                            of the current period follow &quot;showCompleted&quot; unless
                            --completed is given
  show ID                   every field of a task, one per line; --raw adds its
                            iCalendar file as it is stored
  edit ID                   change what the options name and nothing else: --title,
                            --due or --no-due, --time or --no-time, --priority,
                            --list, --notes, --url, --repeat or --no-repeat,
                            --alarm or --no-alarm; refused, with nothing written,
                            when the file changed since it was read
  complete ID               complete a task
  reopen ID                 reopen a completed task (a completed occurrence of a
                            repeating task is reopened as the task of its own it is)
  move ID --parent ID|--no-parent
                            make a task a subtask of another task of its list,
                            or a task on its own
  delete ID                 delete a task (and print it); it goes to Recently
                            Deleted
  deleted                   what Recently Deleted holds, newest first;
                            --empty deletes all of it for good
  restore ID...             puts items of Recently Deleted back
  import FILE...            tasks and events of .ics files, each into a file of
                            its own: tasks into --list (or the default list),
                            events into the first calendar; an item whose UID
                            the store holds is skipped, or replaced with
                            --update; exit status 1 when a broken item was
                            skipped (each named on standard error)
  export                    the open tasks of every list, or of each --list, as
                            one calendar on standard output or into -o FILE;
                            --completed includes completed tasks
  events FROM TO            events between two dates (YYYY-MM-DD or
                            YYYY-MM-DDTHH:MM; a date alone as TO includes that day)
  prefs get KEY             a preference value, as JSON
  prefs set KEY JSON-VALUE  sets a preference (null removes it)
  sync                      syncs the CalDAV accounts once and says what changed;
                            a list emptied on one side waits, left out, until
                            --allow-emptied LIST deletes its tasks on the other
                            side too or --restore-emptied LIST brings them back
  account add URL USER      adds a CalDAV account (password on standard input),
                            syncs all of its lists and adds its store folder
  account lists ACCOUNT [LIST...]
                            the server&apos;s lists for the account, [x] for those
                            synced; with LISTs, syncs those from now on

Due dates (--due): HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm.
Filter types (--filter): 0 all, 1 undated, 2 recurring, 3 location, 4 overdue,
5 high, 6 medium, 7 low priority, 8 tag (--tag WORD), 9 merged list (--tag NAME),
11 today, 12 this week, 13 this month, 15 saved search (--tag TEXT).
Put &quot;--&quot; before a text that starts with a dash.

Environment:
  VELMORAN_NOW     the current date and time for this run (ISO 8601, local time
                   unless an offset is given), e.g. 2026-12-24T10:00
  VELMORAN_STORE   the task store folders, separated by &apos;:&apos;
  XDG_CONFIG_HOME  where the preferences live; XDG_DATA_HOME where the store does

Exit status: 0 done, 1 bad input or a failed change, 2 bad command line.</source>
        <translation>Velmoran ohne Fenster: Aufgaben hinzufügen, auflisten, zeigen, bearbeiten, erledigen und
löschen, Termine und Einstellungen lesen, mit derselben Aufgabenablage und denselben
Einstellungen wie die Anwendung.

Befehle:
  url URL                   einen velmoran:-URL-Befehl ausführen (add, smartadd,
                            open); „open“ gibt die Aufgabe aus
  add [TITEL]               eine Aufgabe hinzufügen; nimmt --text, --list, --url,
                            --notes, --priority, --due, --due-after, --alarm und
                            --parent ID für eine Unteraufgabe (in der Liste der
                            übergeordneten Aufgabe)
  smartadd TEXT             eine Aufgabe aus einer Zeile in der Schreibweise der
                            intelligenten Eingabe hinzufügen
  lists                     die Aufgabenlisten
  lists --problems          die Dateien der Listen, die nicht gelesen werden
                            konnten, und warum; Rückgabewert 1, falls es welche gibt
  tasks                     offene Aufgaben aller sichtbaren Listen oder einer
                            mit --list, --filter oder --search; --completed nimmt
                            erledigte Aufgaben hinzu; --tree rückt Unteraufgaben
                            unter ihren übergeordneten Aufgaben ein
  tasks --day|--week|--month [DATUM]
                            die Aufgaben und danach die Termine, die das Fenster
                            für diesen Tag, diese Woche oder diesen Monat zeigt
                            (DATUM YYYY-MM-DD, Vorgabe heute), mit den
                            Ansichtseinstellungen; erledigte Aufgaben des
                            aktuellen Zeitraums folgen „showCompleted“, außer
                            --completed ist angegeben
  show ID                   alle Felder einer Aufgabe, eines je Zeile; --raw fügt
                            ihre iCalendar-Datei hinzu, wie sie gespeichert ist
  edit ID                   ändern, was die Optionen nennen, und nichts sonst:
                            --title, --due oder --no-due, --time oder --no-time,
                            --priority, --list, --notes, --url, --repeat oder
                            --no-repeat, --alarm oder --no-alarm; abgelehnt, ohne
                            etwas zu schreiben, wenn die Datei sich seit dem Lesen
                            geändert hat
  complete ID               eine Aufgabe erledigen
  reopen ID                 eine erledigte Aufgabe wieder öffnen (ein erledigtes
                            Vorkommen einer sich wiederholenden Aufgabe wird als
                            die eigene Aufgabe geöffnet, die es ist)
  move ID --parent ID|--no-parent
                            eine Aufgabe zur Unteraufgabe einer anderen Aufgabe
                            ihrer Liste machen, oder zu einer eigenständigen
  delete ID                 eine Aufgabe löschen (und ausgeben); sie kommt nach
                            „Zuletzt gelöscht“
  deleted                   was „Zuletzt gelöscht“ enthält, neueste zuerst;
                            --empty löscht alles davon endgültig
  restore ID...             legt Einträge aus „Zuletzt gelöscht“ zurück
  import DATEI...           Aufgaben und Termine aus .ics-Dateien, jeder Eintrag in
                            eine eigene Datei: Aufgaben in --list (oder die
                            Standardliste), Termine in den ersten Kalender; ein
                            Eintrag, dessen UID die Ablage schon hat, wird
                            übersprungen oder mit --update ersetzt; Rückgabewert 1,
                            wenn ein fehlerhafter Eintrag übersprungen wurde (jeder
                            auf der Standardfehlerausgabe genannt)
  export                    die offenen Aufgaben aller Listen oder jeder --list als
                            ein Kalender auf der Standardausgabe oder in -o DATEI;
                            --completed nimmt erledigte Aufgaben hinzu
  events VON BIS            Termine zwischen zwei Daten (YYYY-MM-DD oder
                            YYYY-MM-DDTHH:MM; ein Datum allein als BIS schließt
                            diesen Tag ein)
  prefs get SCHLÜSSEL       der Wert einer Einstellung, als JSON
  prefs set SCHLÜSSEL JSON-WERT
                            setzt eine Einstellung (null entfernt sie)
  sync                      gleicht die CalDAV-Konten einmal ab und meldet, was
                            sich geändert hat; eine auf einer Seite geleerte Liste
                            wartet ausgelassen, bis --allow-emptied LISTE ihre
                            Aufgaben auch auf der anderen Seite löscht oder
                            --restore-emptied LISTE sie zurückholt
  account add URL BENUTZER  fügt ein CalDAV-Konto hinzu (Passwort auf der
                            Standardeingabe), gleicht alle seine Listen ab und
                            fügt seinen Ablageordner hinzu
  account lists KONTO [LISTE...]
                            die Listen des Servers für das Konto, [x] für die
                            abgeglichenen; mit LISTEn werden ab jetzt diese
                            abgeglichen

Fälligkeitsdaten (--due): HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd oder yyyy-MM-dd HH:mm.
Filterarten (--filter): 0 alle, 1 ohne Datum, 2 wiederkehrend, 3 Ort, 4 überfällig,
5 hohe, 6 mittlere, 7 niedrige Priorität, 8 Schlagwort (--tag WORT), 9 Sammelliste
(--tag NAME), 11 heute, 12 diese Woche, 13 dieser Monat, 15 gespeicherte Suche
(--tag TEXT).
Setzen Sie „--“ vor einen Text, der mit einem Bindestrich beginnt.

Umgebung:
  VELMORAN_NOW     das aktuelle Datum und die Uhrzeit für diesen Lauf (ISO 8601,
                   Ortszeit, außer ein Versatz ist angegeben), z. B. 2026-12-24T10:00
  VELMORAN_STORE   die Ordner der Aufgabenablage, getrennt durch „:“
  XDG_CONFIG_HOME  wo die Einstellungen liegen; XDG_DATA_HOME, wo die Ablage liegt

Rückgabewert: 0 erledigt, 1 falsche Eingabe oder fehlgeschlagene Änderung, 2 falsche
Befehlszeile.</translation>
    </message>
    <message>
        <source>The list (tasks, add, edit, import, export).</source>
        <translation>Die Liste (tasks, add, edit, import, export).</translation>
    </message>
    <message>
        <source>Include completed tasks (tasks, export).</source>
        <translation>Erledigte Aufgaben einschließen (tasks, export).</translation>
    </message>
    <message>
        <source>Replace the items the store holds already (import).</source>
        <translation>Einträge ersetzen, die schon in der Ablage sind (import).</translation>
    </message>
    <message>
        <source>The file to write (export).</source>
        <translation>Die zu schreibende Datei (export).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>import takes one or more .ics files</source>
        <translation>import nimmt eine oder mehrere .ics-Dateien</translation>
    </message>
    <message>
        <source>-o needs a file name</source>
        <translation>-o braucht einen Dateinamen</translation>
    </message>
    <message>
        <source>export takes no arguments</source>
        <translation>export nimmt keine Argumente</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot;; nothing was exported</source>
        <translation>keine Liste heißt „%1“; nichts wurde exportiert</translation>
    </message>
    <message>
        <source>there is no list to export</source>
        <translation>es gibt keine Liste zum Exportieren</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>tasks: %1, written to %2</source>
        <translation>Aufgaben: %1, geschrieben nach %2</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot;; nothing was imported</source>
        <translation>keine Liste heißt „%1“; nichts wurde importiert</translation>
    </message>
    <message>
        <source>%1; nothing was imported</source>
        <translation>%1; nichts wurde importiert</translation>
    </message>
    <message>
        <source>tasks: %1, events: %2, added: %3, updated: %4, already present: %5, skipped: %6</source>
        <translation>Aufgaben: %1, Termine: %2, hinzugefügt: %3, aktualisiert: %4, schon vorhanden: %5, übersprungen: %6</translation>
    </message>
</context>
<context>
    <name>CustomRepeatSheet</name>
    <message>
        <source>%@:</source>
        <translation>%@:</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Häufigkeit</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>day(s)</source>
        <translation>Tag(e)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>week(s) on</source>
        <translation>Woche(n) am</translation>
    </message>
    <message>
        <source>month(s)</source>
        <translation>Monat(e)</translation>
    </message>
    <message>
        <source>On Days</source>
        <translation>An Tagen</translation>
    </message>
    <message>
        <source>On Week</source>
        <translation>Am Wochentag</translation>
    </message>
    <message>
        <source>Week of the Month</source>
        <translation>Woche im Monat</translation>
    </message>
    <message>
        <source>Weekday</source>
        <translation>Wochentag</translation>
    </message>
    <message>
        <source>year(s) in</source>
        <translation>Jahr(e) im</translation>
    </message>
    <message>
        <source>Last</source>
        <comment>day of the month</comment>
        <translation>Letzter</translation>
    </message>
    <message>
        <source>1st</source>
        <comment>week of the month</comment>
        <extracomment>The weeks of a month a task repeats in, as in &quot;the 1st Monday&quot; … &quot;the Last Monday&quot;.</extracomment>
        <translation>1.</translation>
    </message>
    <message>
        <source>2nd</source>
        <comment>week of the month</comment>
        <translation>2.</translation>
    </message>
    <message>
        <source>3rd</source>
        <comment>week of the month</comment>
        <translation>3.</translation>
    </message>
    <message>
        <source>4th</source>
        <comment>week of the month</comment>
        <translation>4.</translation>
    </message>
    <message>
        <source>5th</source>
        <comment>week of the month</comment>
        <translation>5.</translation>
    </message>
    <message>
        <source>Last</source>
        <comment>week of the month</comment>
        <translation>Letzter</translation>
    </message>
</context>
<context>
    <name>DataManager</name>
    <message>
        <source>Week %1</source>
        <extracomment>The heading of a week, %1 its number in the year.</extracomment>
        <translation>Woche %1</translation>
    </message>
</context>
<context>
    <name>DateDayAccessible</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Has tasks</source>
        <translation>Hat Aufgaben</translation>
    </message>
    <message>
        <source>Has events</source>
        <translation>Hat Termine</translation>
    </message>
</context>
<context>
    <name>DatePopover</name>
    <message>
        <source>No Time</source>
        <translation>Ohne Uhrzeit</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>DayGraphView</name>
    <message>
        <source>Next 25 Hours</source>
        <translation>Nächste 25 Stunden</translation>
    </message>
    <message>
        <source>No tasks or events</source>
        <translation>Keine Aufgaben oder Termine</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n Aufgabe</numerusform>
            <numerusform>%n Aufgaben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n Termin</numerusform>
            <numerusform>%n Termine</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; next at %2: %3</source>
        <translation>%1; als Nächstes um %2: %3</translation>
    </message>
</context>
<context>
    <name>DefaultPreferences</name>
    <message>
        <source>Home</source>
        <extracomment>A tag of the default sidebar and quick actions, stored once at the first launch.</extracomment>
        <translation>Zuhause</translation>
    </message>
    <message>
        <source>Smart List</source>
        <extracomment>The name of the merged list of the default sidebar, stored once at the first launch.</extracomment>
        <translation>Intelligente Liste</translation>
    </message>
    <message>
        <source>Later</source>
        <extracomment>A tag of the default sidebar, stored once at the first launch.</extracomment>
        <translation>Später</translation>
    </message>
</context>
<context>
    <name>DesktopKeyBindings</name>
    <message>
        <source>Velmoran: Show or Hide the Window</source>
        <translation>Velmoran: Fenster anzeigen oder verbergen</translation>
    </message>
    <message>
        <source>Velmoran: Open the Tray Panel</source>
        <translation>Velmoran: Kurzübersicht öffnen</translation>
    </message>
</context>
<context>
    <name>DesktopShortcutHelp</name>
    <message>
        <source>Wayland lets no program take keys for itself. GNOME can run these shortcuts as its own keyboard shortcuts.</source>
        <translation>Unter Wayland darf kein Programm Tasten für sich beanspruchen. GNOME kann diese Tastenkürzel als eigene Tastenkürzel ausführen.</translation>
    </message>
    <message>
        <source>Remove from GNOME…</source>
        <translation>Aus GNOME entfernen …</translation>
    </message>
    <message>
        <source>Wayland lets no program take keys for itself. Add these lines to your compositor&apos;s configuration:</source>
        <translation>Unter Wayland darf kein Programm Tasten für sich beanspruchen. Fügen Sie diese Zeilen zur Konfiguration Ihres Compositors hinzu:</translation>
    </message>
    <message>
        <source>Other Desktops</source>
        <translation>Andere Arbeitsumgebungen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Record a shortcut above to see its line.</source>
        <translation>Zeichnen Sie oben ein Tastenkürzel auf, um seine Zeile zu sehen.</translation>
    </message>
    <message>
        <source>Add to GNOME Shortcuts…</source>
        <translation>Zu GNOME-Tastenkürzeln hinzufügen …</translation>
    </message>
    <message>
        <source>Update GNOME Shortcuts…</source>
        <translation>GNOME-Tastenkürzel aktualisieren …</translation>
    </message>
    <message>
        <source>GNOME runs %1.</source>
        <translation>GNOME führt %1 aus.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>GNOME&apos;s keyboard shortcuts hold other keys than these: update them.</source>
        <translation>GNOMEs Tastenkürzel enthalten andere Tasten als diese: Aktualisieren Sie sie.</translation>
    </message>
    <message>
        <source>Record a shortcut above first.</source>
        <translation>Zeichnen Sie zuerst oben ein Tastenkürzel auf.</translation>
    </message>
    <message>
        <source>Not in GNOME&apos;s keyboard shortcuts yet.</source>
        <translation>Noch nicht in GNOMEs Tastenkürzeln.</translation>
    </message>
    <message>
        <source>No tray is running, so the tray icon cannot show. GNOME shows it with the extension “AppIndicator and KStatusNotifierItem Support”. Until then the tray panel shortcut and the command “%1” open the panel.</source>
        <translation>Es läuft kein Statusbereich, daher kann das Statussymbol nicht erscheinen. GNOME zeigt es mit der Erweiterung „AppIndicator and KStatusNotifierItem Support“. Bis dahin öffnen das Tastenkürzel der Kurzübersicht und der Befehl „%1“ die Übersicht.</translation>
    </message>
    <message>
        <source>No tray is running, so the tray icon cannot show: add a tray (StatusNotifierItem) to your desktop&apos;s panel or bar. Until then the tray panel shortcut and the command “%1” open the panel.</source>
        <translation>Es läuft kein Statusbereich, daher kann das Statussymbol nicht erscheinen: Fügen Sie der Leiste Ihrer Arbeitsumgebung einen Statusbereich (StatusNotifierItem) hinzu. Bis dahin öffnen das Tastenkürzel der Kurzübersicht und der Befehl „%1“ die Übersicht.</translation>
    </message>
    <message numerus="yes">
        <source>Its shortcut being off, %1 is taken out of the list and cleared.</source>
        <extracomment>%1 names the settings&apos; paths; the number of paths chooses the form.</extracomment>
        <translation>
            <numerusform>Da sein Tastenkürzel ausgeschaltet ist, wird %1 aus der Liste genommen und geleert.</numerusform>
            <numerusform>Da ihre Tastenkürzel ausgeschaltet sind, werden %1 aus der Liste genommen und geleert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Update Velmoran&apos;s shortcuts in GNOME?</source>
        <translation>Velmorans Tastenkürzel in GNOME aktualisieren?</translation>
    </message>
    <message>
        <source>Add Velmoran&apos;s shortcuts to GNOME?</source>
        <translation>Velmorans Tastenkürzel zu GNOME hinzufügen?</translation>
    </message>
    <message>
        <source>Update Shortcuts</source>
        <translation>Tastenkürzel aktualisieren</translation>
    </message>
    <message>
        <source>Add Shortcuts</source>
        <translation>Tastenkürzel hinzufügen</translation>
    </message>
    <message>
        <source>GNOME&apos;s keyboard shortcuts could not be written.</source>
        <translation>GNOMEs Tastenkürzel konnten nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Velmoran will take these paths out of the list “%1” of %2 and clear them:</source>
        <translation>Velmoran wird diese Pfade aus der Liste „%1“ von %2 nehmen und leeren:</translation>
    </message>
    <message>
        <source>The other shortcuts in that list stay as they are.</source>
        <translation>Die anderen Tastenkürzel in dieser Liste bleiben unverändert.</translation>
    </message>
    <message>
        <source>Remove Velmoran&apos;s shortcuts from GNOME?</source>
        <translation>Velmorans Tastenkürzel aus GNOME entfernen?</translation>
    </message>
    <message>
        <source>Remove Shortcuts</source>
        <translation>Tastenkürzel entfernen</translation>
    </message>
    <message>
        <source>Velmoran will write these settings of GNOME:

%1

and add their paths to the list “%2” of %3. The other shortcuts in that list stay as they are.</source>
        <extracomment>%1 are the settings, one paragraph each; %2 the name of the list, %3 the settings&apos; schema.</extracomment>
        <translation>Velmoran wird diese Einstellungen von GNOME schreiben:

%1

und ihre Pfade der Liste „%2“ von %3 hinzufügen. Die anderen Tastenkürzel in dieser Liste bleiben unverändert.</translation>
    </message>
    <message>
        <source>Compositor</source>
        <translation>Compositor</translation>
    </message>
    <message>
        <source>Configuration Lines</source>
        <translation>Konfigurationszeilen</translation>
    </message>
</context>
<context>
    <name>DesktopShortcutNote</name>
    <message>
        <source>To use other keys, change them in System Settings › Shortcuts.</source>
        <translation>Um andere Tasten zu verwenden, ändern Sie sie unter Systemeinstellungen › Kurzbefehle.</translation>
    </message>
    <message>
        <source>To use other keys, change them in your desktop&apos;s keyboard shortcut settings.</source>
        <translation>Um andere Tasten zu verwenden, ändern Sie sie in den Tastenkürzel-Einstellungen Ihrer Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>Asking the desktop for these keys…</source>
        <translation>Arbeitsumgebung wird nach diesen Tasten gefragt …</translation>
    </message>
    <message>
        <source>Desktop shortcut: %1</source>
        <translation>Tastenkürzel der Arbeitsumgebung: %1</translation>
    </message>
    <message>
        <source>not assigned</source>
        <translation>nicht zugewiesen</translation>
    </message>
    <message>
        <source>The desktop could not bind this shortcut.</source>
        <translation>Die Arbeitsumgebung konnte dieses Tastenkürzel nicht zuweisen.</translation>
    </message>
</context>
<context>
    <name>DetailEditSession</name>
    <message>
        <source>&quot;%1&quot; was deleted or is no longer in a visible list; what you typed in it was not saved.</source>
        <translation>„%1“ wurde gelöscht oder ist in keiner sichtbaren Liste mehr; was Sie darin eingegeben haben, wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or is no longer in a visible list.</source>
        <translation>„%1“ wurde gelöscht oder ist in keiner sichtbaren Liste mehr.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program while you were editing it. Your text is kept here and replaces theirs when you leave the field.</source>
        <translation>„%1“ wurde von einem anderen Programm geändert, während Sie die Aufgabe bearbeitet haben. Ihr Text bleibt hier erhalten und ersetzt den anderen, wenn Sie das Feld verlassen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program; this is its new version.</source>
        <translation>„%1“ wurde von einem anderen Programm geändert; dies ist die neue Fassung.</translation>
    </message>
    <message>
        <source>The change could not be saved.</source>
        <translation>Die Änderung konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not opened: links of this kind can run code or hide where they lead.</source>
        <translation>„%1“ wird nicht geöffnet: Links dieser Art können Code ausführen oder verbergen, wohin sie führen.</translation>
    </message>
    <message>
        <source>Open &quot;%1&quot;? It is opened by the program your desktop chooses for it.</source>
        <translation>„%1“ öffnen? Der Link wird mit dem Programm geöffnet, das Ihre Arbeitsumgebung dafür wählt.</translation>
    </message>
    <message>
        <source>No program could open &quot;%1&quot;.</source>
        <translation>Kein Programm konnte „%1“ öffnen.</translation>
    </message>
</context>
<context>
    <name>DueDateControl</name>
    <message>
        <source>Due Date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>No Time</source>
        <translation>Ohne Uhrzeit</translation>
    </message>
    <message>
        <source>A due date without a time of day</source>
        <translation>Ein Fälligkeitsdatum ohne Uhrzeit</translation>
    </message>
</context>
<context>
    <name>EventStore</name>
    <message>
        <source>another program keeps it locked</source>
        <translation>ein anderes Programm hält sie gesperrt</translation>
    </message>
    <message>
        <source>The list folder %1 cannot be changed: %2.</source>
        <translation>Der Listenordner %1 kann nicht geändert werden: %2.</translation>
    </message>
    <message>
        <source>The store folder %1 cannot be read and written.</source>
        <translation>Der Ablageordner %1 kann nicht gelesen und beschrieben werden.</translation>
    </message>
    <message>
        <source>The store folder %1 cannot be created.</source>
        <translation>Der Ablageordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 holds no lists but other files; no lists are created in it.</source>
        <translation>%1 enthält keine Listen, aber andere Dateien; darin werden keine Listen angelegt.</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>No task was given.</source>
        <translation>Es wurde keine Aufgabe angegeben.</translation>
    </message>
    <message>
        <source>The task &quot;%1&quot; has no list.</source>
        <translation>Die Aufgabe „%1“ hat keine Liste.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot move to &quot;%2&quot;: that list is read-only.</source>
        <translation>„%1“ kann nicht nach „%2“ verschoben werden: Diese Liste ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The list &quot;%1&quot; cannot be changed.</source>
        <translation>Die Liste „%1“ kann nicht geändert werden.</translation>
    </message>
    <message>
        <source>The task was never saved.</source>
        <translation>Die Aufgabe wurde nie gespeichert.</translation>
    </message>
    <message>
        <source>No list was given.</source>
        <translation>Es wurde keine Liste angegeben.</translation>
    </message>
    <message>
        <source>The list was never saved.</source>
        <translation>Die Liste wurde nie gespeichert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program after it was read; nothing was overwritten, and the new version will be shown.</source>
        <translation>„%1“ wurde nach dem Lesen von einem anderen Programm geändert; nichts wurde überschrieben, und die neue Fassung wird angezeigt.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2) and is left as it is.</source>
        <translation>%1 kann nicht gelesen werden (%2) und bleibt unverändert.</translation>
    </message>
    <message>
        <source>The list of &quot;%1&quot; does not exist.</source>
        <translation>Die Liste von „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer in %2; nothing was changed.</source>
        <translation>„%1“ ist nicht mehr in %2; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in the read-only list &quot;%2&quot; and cannot be moved.</source>
        <translation>„%1“ ist in der schreibgeschützten Liste „%2“ und kann nicht verschoben werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot move to &quot;%2&quot;: that list is in another store folder (%3), and tasks move only between lists of one folder.</source>
        <translation>„%1“ kann nicht nach „%2“ verschoben werden: Diese Liste liegt in einem anderen Ablageordner (%3), und Aufgaben lassen sich nur zwischen Listen desselben Ordners verschieben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program after it was read; it was not deleted.</source>
        <translation>„%1“ wurde nach dem Lesen von einem anderen Programm geändert; die Aufgabe wurde nicht gelöscht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer in %2; nothing was deleted.</source>
        <translation>„%1“ ist nicht mehr in %2; nichts wurde gelöscht.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The list is left as it is: %1 cannot be read (%2).</source>
        <translation>Die Liste bleibt unverändert: %1 kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>The store was opened for reading only.</source>
        <translation>Die Ablage wurde nur zum Lesen geöffnet.</translation>
    </message>
</context>
<context>
    <name>ExchangeWindows</name>
    <message>
        <source>Import Calendar Files</source>
        <translation>Kalenderdateien importieren</translation>
    </message>
    <message>
        <source>Calendar files (*.ics *.ical *.ifb *.icalendar);;All files (*)</source>
        <translation>Kalenderdateien (*.ics *.ical *.ifb *.icalendar);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Export Tasks</source>
        <translation>Aufgaben exportieren</translation>
    </message>
    <message>
        <source>Calendar files (*.ics)</source>
        <translation>Kalenderdateien (*.ics)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Nothing was imported: %1.</source>
        <translation>Nichts wurde importiert: %1.</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>&amp;Lists to export:</source>
        <translation>Zu exportierende &amp;Listen:</translation>
    </message>
    <message>
        <source>Include &amp;completed tasks</source>
        <translation>&amp;Erledigte Aufgaben einschließen</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren …</translation>
    </message>
    <message>
        <source>Choose at least one list.</source>
        <translation>Wählen Sie mindestens eine Liste.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>FiltersPage</name>
    <message>
        <source>Visible on Day View</source>
        <translation>In der Tagesansicht sichtbar</translation>
    </message>
    <message>
        <source>Visible on Week View</source>
        <translation>In der Wochenansicht sichtbar</translation>
    </message>
    <message>
        <source>Visible on Month View</source>
        <translation>In der Monatsansicht sichtbar</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Aufgaben ohne Datum</translation>
    </message>
    <message>
        <source>Completed Tasks on previous dates</source>
        <translation>Erledigte Aufgaben an früheren Tagen</translation>
    </message>
    <message>
        <source>Calendar Events</source>
        <translation>Kalendertermine</translation>
    </message>
</context>
<context>
    <name>FreedesktopApplication</name>
    <message>
        <source>There is no action &quot;%1&quot;.</source>
        <translation>Es gibt keine Aktion „%1“.</translation>
    </message>
    <message>
        <source>The action &quot;%1&quot; takes no parameter.</source>
        <translation>Die Aktion „%1“ nimmt keinen Parameter.</translation>
    </message>
</context>
<context>
    <name>GeneralPage</name>
    <message>
        <source>Tray</source>
        <translation>Statusbereich</translation>
    </message>
    <message>
        <source>Tray panel shortcut</source>
        <translation>Tastenkürzel der Kurzübersicht</translation>
    </message>
    <message>
        <source>Keyboard shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Show Velmoran in the Tray</source>
        <translation>Velmoran im Statusbereich anzeigen</translation>
    </message>
    <message>
        <source>Show Sunday First on Calendar</source>
        <translation>Sonntag als ersten Wochentag im Kalender anzeigen</translation>
    </message>
    <message>
        <source>Sound Effects</source>
        <translation>Klangeffekte</translation>
    </message>
    <message>
        <source>Current Date</source>
        <translation>Aktuelles Datum</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Overdue tasks on</source>
        <translation>Überfälligkeit bezogen auf</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Einbeziehen</translation>
    </message>
    <message>
        <source>Total Tasks</source>
        <translation>Alle Aufgaben</translation>
    </message>
    <message>
        <source>Launcher badge</source>
        <translation>Zähler am Programmsymbol</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Dieser Monat</translation>
    </message>
    <message>
        <source>Overdue Tasks</source>
        <translation>Überfällige Aufgaben</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Aufgaben ohne Datum</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Schlummern</translation>
    </message>
    <message>
        <source>How long a snoozed reminder waits before it shows again.</source>
        <translation>Wie lange eine zurückgestellte Erinnerung wartet, bevor sie erneut erscheint.</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Ablage</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message>
        <source>Ask</source>
        <translation>Nachfragen</translation>
    </message>
    <message>
        <source>Complete All</source>
        <translation>Alle erledigen</translation>
    </message>
    <message>
        <source>Complete Only This</source>
        <translation>Nur diese erledigen</translation>
    </message>
    <message>
        <source>When completing a task with open subtasks</source>
        <translation>Beim Erledigen einer Aufgabe mit offenen Unteraufgaben</translation>
    </message>
</context>
<context>
    <name>Global</name>
    <message>
        <source>Yesterday</source>
        <translation>Gestern</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Morgen</translation>
    </message>
    <message>
        <source>Last Week</source>
        <translation>Letzte Woche</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>Nächste Woche</translation>
    </message>
    <message>
        <source>Last Month</source>
        <translation>Letzter Monat</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Dieser Monat</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>Last Year</source>
        <translation>Letztes Jahr</translation>
    </message>
    <message>
        <source>Next Year</source>
        <translation>Nächstes Jahr</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>No Tasks</source>
        <translation>Keine Aufgaben</translation>
    </message>
    <message>
        <source>One Task</source>
        <translation>Eine Aufgabe</translation>
    </message>
    <message>
        <source>Calendar Events</source>
        <translation>Kalendertermine</translation>
    </message>
    <message>
        <source>%@ %@</source>
        <extracomment>A repeat rule&apos;s interval and its days, as in &quot;Every 2 Weeks&quot; &quot;on Monday&quot;. &quot;%1$@&quot; and &quot;%2$@&quot; name them in another order.</extracomment>
        <translation>%@ %@</translation>
    </message>
    <message>
        <source>on </source>
        <extracomment>Starts the days a task repeats on, as in &quot;Every 2 Weeks on Monday and Friday&quot;.</extracomment>
        <translation>am </translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Weekdays</source>
        <translation>Werktags</translation>
    </message>
    <message>
        <source>Weekends</source>
        <translation>Am Wochenende</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <source>Every Year</source>
        <translation>Jedes Jahr</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>1st</source>
        <translation>1.</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2.</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3.</translation>
    </message>
    <message>
        <source>Last</source>
        <extracomment>The last one in a month, as in &quot;Every Month on Last Friday&quot;.</extracomment>
        <translation>letzten</translation>
    </message>
    <message>
        <source>%ith</source>
        <extracomment>Any other ordinal number, as in &quot;the 4th&quot; day of a month; %i is the number.</extracomment>
        <translation>%i.</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) later</source>
        <translation>
            <numerusform>In %n Tag</numerusform>
            <numerusform>In %n Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) ago</source>
        <translation>
            <numerusform>Vor %n Tag</numerusform>
            <numerusform>Vor %n Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Week(s) later</source>
        <translation>
            <numerusform>In %n Woche</numerusform>
            <numerusform>In %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Week(s) ago</source>
        <translation>
            <numerusform>Vor %n Woche</numerusform>
            <numerusform>Vor %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Month(s) later</source>
        <translation>
            <numerusform>In %n Monat</numerusform>
            <numerusform>In %n Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Month(s) ago</source>
        <translation>
            <numerusform>Vor %n Monat</numerusform>
            <numerusform>Vor %n Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Year(s) later</source>
        <translation>
            <numerusform>In %n Jahr</numerusform>
            <numerusform>In %n Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Year(s) ago</source>
        <translation>
            <numerusform>Vor %n Jahr</numerusform>
            <numerusform>Vor %n Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Task(s)</source>
        <translation>
            <numerusform>%n Aufgabe</numerusform>
            <numerusform>%n Aufgaben</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A week of the month (%1) and a weekday (%2), as in &quot;2nd Monday&quot; or &quot;Last Friday&quot;.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message numerus="yes">
        <source>Every %n Day(s)</source>
        <translation>
            <numerusform>Alle %n Tag</numerusform>
            <numerusform>Alle %n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Week(s)</source>
        <translation>
            <numerusform>Alle %n Woche</numerusform>
            <numerusform>Alle %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Month(s)</source>
        <translation>
            <numerusform>Alle %n Monat</numerusform>
            <numerusform>Alle %n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Year(s)</source>
        <translation>
            <numerusform>Alle %n Jahr</numerusform>
            <numerusform>Alle %n Jahre</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 on Weekdays</source>
        <extracomment>%1 is how often, as in &quot;Every 2 Weeks&quot;.</extracomment>
        <translation>%1 an Werktagen</translation>
    </message>
    <message>
        <source>%1 on Weekends</source>
        <translation>%1 am Wochenende</translation>
    </message>
    <message>
        <source>Last</source>
        <comment>day of month</comment>
        <extracomment>The last day of a month, as in &quot;Every Month on 15th and Last&quot;.</extracomment>
        <translation>letzten Tag</translation>
    </message>
    <message>
        <source>%ist</source>
        <extracomment>An ordinal number ending in 1 from 21 on, as in &quot;the 21st&quot;; %i is the number.</extracomment>
        <translation>%i.</translation>
    </message>
    <message>
        <source>%ind</source>
        <extracomment>An ordinal number ending in 2 from 22 on, as in &quot;the 22nd&quot;; %i is the number.</extracomment>
        <translation>%i.</translation>
    </message>
    <message>
        <source>%ird</source>
        <extracomment>An ordinal number ending in 3 from 23 on, as in &quot;the 23rd&quot;; %i is the number.</extracomment>
        <translation>%i.</translation>
    </message>
</context>
<context>
    <name>GlobalShortcuts</name>
    <message>
        <source>Show or hide the Velmoran window</source>
        <translation>Velmoran-Fenster anzeigen oder verbergen</translation>
    </message>
    <message>
        <source>Open or close the tray panel</source>
        <translation>Kurzübersicht öffnen oder schließen</translation>
    </message>
</context>
<context>
    <name>HelpWindowController</name>
    <message>
        <source>Update Note</source>
        <translation>Neuerungen</translation>
    </message>
    <message>
        <source>FAQ</source>
        <translation>Häufige Fragen</translation>
    </message>
    <message>
        <source>Acknowledgements</source>
        <translation>Danksagungen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Review Velmoran</source>
        <translation>Velmoran bewerten</translation>
    </message>
    <message>
        <source>Velmoran Help</source>
        <translation>Velmoran-Hilfe</translation>
    </message>
</context>
<context>
    <name>HourPopover</name>
    <message>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
</context>
<context>
    <name>HourPopoverContent</name>
    <message>
        <source>Overdue</source>
        <translation>Überfällig</translation>
    </message>
</context>
<context>
    <name>IcsImport</name>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: übersprungen: %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; skipped: %3</source>
        <translation>%1: „%2“ übersprungen: %3</translation>
    </message>
    <message>
        <source>%1: there is no such file</source>
        <translation>%1: diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it shares the file %1 with other items and is left as it is</source>
        <translation>es teilt die Datei %1 mit anderen Einträgen und bleibt, wie es ist</translation>
    </message>
    <message>
        <source>there is no list for tasks</source>
        <translation>es gibt keine Liste für Aufgaben</translation>
    </message>
    <message>
        <source>there is no calendar for events</source>
        <translation>es gibt keinen Kalender für Termine</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be changed</source>
        <translation>„%1“ kann nicht geändert werden</translation>
    </message>
</context>
<context>
    <name>IcsItem</name>
    <message>
        <source>Components are nested too deeply</source>
        <translation>Komponenten sind zu tief verschachtelt</translation>
    </message>
    <message>
        <source>END without BEGIN</source>
        <translation>END ohne BEGIN</translation>
    </message>
    <message>
        <source>END:%1 closes BEGIN:%2</source>
        <translation>END:%1 schließt BEGIN:%2</translation>
    </message>
    <message>
        <source>Text before the first component</source>
        <translation>Text vor der ersten Komponente</translation>
    </message>
    <message>
        <source>BEGIN:%1 is never closed</source>
        <translation>BEGIN:%1 wird nie geschlossen</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Die Datei ist leer</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Tasks: %1. Events: %2. Already in Velmoran: %3.</source>
        <translation>Aufgaben: %1. Termine: %2. Schon in Velmoran: %3.</translation>
    </message>
    <message>
        <source>List for tasks</source>
        <translation>Liste für Aufgaben</translation>
    </message>
    <message>
        <source>&amp;Tasks go to:</source>
        <translation>&amp;Aufgaben kommen in:</translation>
    </message>
    <message>
        <source>Calendar for events</source>
        <translation>Kalender für Termine</translation>
    </message>
    <message>
        <source>&amp;Events go to:</source>
        <translation>&amp;Termine kommen in:</translation>
    </message>
    <message>
        <source>&amp;Skip the items already in Velmoran</source>
        <translation>Einträge, die schon in Velmoran sind, ü&amp;berspringen</translation>
    </message>
    <message>
        <source>&amp;Update them with the imported version</source>
        <translation>Mit der importierten Fassung a&amp;ktualisieren</translation>
    </message>
    <message>
        <source>These items are broken and will be left out:</source>
        <translation>Diese Einträge sind fehlerhaft und werden ausgelassen:</translation>
    </message>
    <message>
        <source>Import progress</source>
        <translation>Fortschritt des Imports</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Added: %1. Updated: %2. Left as they were: %3. Not imported: %4.</source>
        <translation>Hinzugefügt: %1. Aktualisiert: %2. Unverändert gelassen: %3. Nicht importiert: %4.</translation>
    </message>
</context>
<context>
    <name>IntroStorePage</name>
    <message>
        <source>Choose a Folder of Calendars</source>
        <translation>Ordner mit Kalendern auswählen</translation>
    </message>
    <message>
        <source>The folders you already use:</source>
        <translation>Die Ordner, die Sie bereits verwenden:</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ordner hinzufügen …</translation>
    </message>
    <message>
        <source>Velmoran keeps your tasks as lists in folders of iCalendar files, the ones todoman, khal and vdirsyncer use.</source>
        <translation>Velmoran speichert Ihre Aufgaben als Listen in Ordnern mit iCalendar-Dateien – denselben, die todoman, khal und vdirsyncer verwenden.</translation>
    </message>
    <message>
        <source>Velmoran also shows Calendar Events to let you manage your tasks at a glance with your events.</source>
        <translation>Velmoran zeigt auch Kalendertermine, damit Sie Ihre Aufgaben zusammen mit Ihren Terminen auf einen Blick verwalten können.</translation>
    </message>
    <message>
        <source>Velmoran&apos;s own folder (%1)</source>
        <translation>Velmorans eigener Ordner (%1)</translation>
    </message>
    <message>
        <source>Nothing is moved or copied: Velmoran works on the files where they are.</source>
        <translation>Nichts wird verschoben oder kopiert: Velmoran arbeitet mit den Dateien dort, wo sie liegen.</translation>
    </message>
    <message>
        <source>%1 — %2, %3, %4</source>
        <translation>%1 – %2, %3, %4</translation>
    </message>
    <message>
        <source>No folders of vdirsyncer, khal or todoman were found. Velmoran starts with a list &quot;Reminders&quot; and a calendar &quot;Calendar&quot; in its own folder.</source>
        <translation>Es wurden keine Ordner von vdirsyncer, khal oder todoman gefunden. Velmoran beginnt mit einer Liste „Erinnerungen“ und einem Kalender „Kalender“ in seinem eigenen Ordner.</translation>
    </message>
    <message numerus="yes">
        <source>%n list(s)</source>
        <translation>
            <numerusform>%n Liste</numerusform>
            <numerusform>%n Listen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n Aufgabe</numerusform>
            <numerusform>%n Aufgaben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n Termin</numerusform>
            <numerusform>%n Termine</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 — %2, %3, %4 or more</source>
        <extracomment>A folder (%1) and how many lists (%2), tasks (%3) and events (%4) it holds; the search stopped early in the second form.</extracomment>
        <translation>%1 – %2, %3, %4 oder mehr</translation>
    </message>
    <message>
        <source>Found Folders</source>
        <translation>Gefundene Ordner</translation>
    </message>
</context>
<context>
    <name>IntroWindowController</name>
    <message>
        <source>Welcome to Velmoran</source>
        <translation>Willkommen bei Velmoran</translation>
    </message>
    <message>
        <source>Velmoran extends your iCalendar task lists to a Powerful Task Manager. Your tasks become much more powerful and visible with Velmoran.</source>
        <translation>Velmoran macht aus Ihren iCalendar-Aufgabenlisten eine leistungsfähige Aufgabenverwaltung. Mit Velmoran werden Ihre Aufgaben viel mächtiger und sichtbarer.</translation>
    </message>
    <message>
        <source>Where are your tasks?</source>
        <translation>Wo sind Ihre Aufgaben?</translation>
    </message>
    <message>
        <source>Choose the lists you want to see in &apos;Velmoran&apos;</source>
        <translation>Wählen Sie die Listen, die Sie in Velmoran sehen möchten</translation>
    </message>
    <message>
        <source>Are you ready?</source>
        <translation>Sind Sie bereit?</translation>
    </message>
    <message>
        <source>Yes. Great!</source>
        <translation>Ja, prima!</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Velmoran</source>
        <translation>Velmoran</translation>
    </message>
    <message>
        <source>Velmoran needs to read and write %1. Change the folder&apos;s permissions or choose another one.</source>
        <translation>Velmoran muss %1 lesen und schreiben können. Ändern Sie die Zugriffsrechte des Ordners oder wählen Sie einen anderen.</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>The chosen folders hold no task list, and none could be created in %1.</source>
        <translation>Die gewählten Ordner enthalten keine Aufgabenliste, und in %1 konnte keine angelegt werden.</translation>
    </message>
    <message>
        <source>The chosen folders held no task list, so Velmoran created the list &quot;Reminders&quot; in %1.</source>
        <translation>Die gewählten Ordner enthielten keine Aufgabenliste, daher hat Velmoran die Liste „Erinnerungen“ in %1 angelegt.</translation>
    </message>
    <message>
        <source>Default list has been set to &apos;%1&apos;. New tasks you add will go into this list. You can change anytime on settings.</source>
        <translation>Die Standardliste ist jetzt „%1“. Neue Aufgaben kommen in diese Liste. Sie können das jederzeit in den Einstellungen ändern.</translation>
    </message>
    <message>
        <source>Can&apos;t access the list</source>
        <translation>Auf die Liste kann nicht zugegriffen werden</translation>
    </message>
    <message>
        <source>Velmoran could not read the tasks of this list. Check that its folder can be read.</source>
        <translation>Velmoran konnte die Aufgaben dieser Liste nicht lesen. Prüfen Sie, ob ihr Ordner lesbar ist.</translation>
    </message>
    <message>
        <source>All Done!</source>
        <translation>Geschafft!</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
</context>
<context>
    <name>LeftViewController</name>
    <message>
        <source>Add List</source>
        <translation>Liste hinzufügen</translation>
    </message>
    <message>
        <source>Keep Window on Top</source>
        <translation>Fenster im Vordergrund halten</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>The list could not be deleted</source>
        <translation>Die Liste konnte nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Delete List</source>
        <translation>Liste löschen</translation>
    </message>
    <message>
        <source>Delete this list?</source>
        <translation>Diese Liste löschen?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add New &amp;List</source>
        <translation>Neue &amp;Liste hinzufügen</translation>
    </message>
    <message>
        <source>Add New &amp;Tag List</source>
        <translation>Neue &amp;Schlagwortliste hinzufügen</translation>
    </message>
    <message>
        <source>Add New &amp;Merged List</source>
        <translation>Neue S&amp;ammelliste hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Share List</source>
        <translation>Liste &amp;teilen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
</context>
<context>
    <name>ListRowAccessible</name>
    <message>
        <source>Selects this row</source>
        <translation>Wählt diese Zeile aus</translation>
    </message>
</context>
<context>
    <name>ListRowsModel</name>
    <message>
        <source>%1 (checking…)</source>
        <translation>%1 (wird geprüft …)</translation>
    </message>
</context>
<context>
    <name>ListSelectorRow</name>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
</context>
<context>
    <name>ListTitles</name>
    <message>
        <source>All Tasks</source>
        <translation>Alle Aufgaben</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Aufgaben ohne Datum</translation>
    </message>
    <message>
        <source>Recurring Tasks</source>
        <translation>Wiederkehrende Aufgaben</translation>
    </message>
    <message>
        <source>Location-based Tasks</source>
        <translation>Ortsbezogene Aufgaben</translation>
    </message>
    <message>
        <source>Overdue Tasks</source>
        <translation>Überfällige Aufgaben</translation>
    </message>
    <message>
        <source>High Priority Tasks</source>
        <translation>Aufgaben mit hoher Priorität</translation>
    </message>
    <message>
        <source>Mid Priority Tasks</source>
        <translation>Aufgaben mit mittlerer Priorität</translation>
    </message>
    <message>
        <source>Low Priority Tasks</source>
        <translation>Aufgaben mit niedriger Priorität</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
</context>
<context>
    <name>ListsPage</name>
    <message>
        <source>View Calendar Events</source>
        <translation>Kalendertermine anzeigen</translation>
    </message>
    <message>
        <source>Show Dots</source>
        <translation>Punkte anzeigen</translation>
    </message>
    <message>
        <source>Add New List Automatically</source>
        <translation>Neue Listen automatisch hinzufügen</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Manage Lists</source>
        <translation>Listen verwalten</translation>
    </message>
    <message>
        <source>Delete Completed Tasks</source>
        <translation>Erledigte Aufgaben löschen</translation>
    </message>
    <message>
        <source>Add a list</source>
        <translation>Eine Liste hinzufügen</translation>
    </message>
    <message>
        <source>Delete the selected list (hide it first)</source>
        <translation>Die ausgewählte Liste löschen (zuerst ausblenden)</translation>
    </message>
    <message>
        <source>Delete the completed tasks of the selected list</source>
        <translation>Die erledigten Aufgaben der ausgewählten Liste löschen</translation>
    </message>
    <message>
        <source>Drag a list, or press Alt+Up and Alt+Down, to change the order.</source>
        <translation>Ziehen Sie eine Liste oder drücken Sie Alt+Up und Alt+Down, um die Reihenfolge zu ändern.</translation>
    </message>
    <message>
        <source>Can&apos;t access the list</source>
        <translation>Auf die Liste kann nicht zugegriffen werden</translation>
    </message>
    <message>
        <source>Below lists can&apos;t be used in Velmoran at the moment.</source>
        <translation>Die folgenden Listen können in Velmoran derzeit nicht verwendet werden.</translation>
    </message>
    <message>
        <source>Delete this list?</source>
        <translation>Diese Liste löschen?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>The list could not be deleted</source>
        <translation>Die Liste konnte nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Delete completed tasks on this list?</source>
        <translation>Erledigte Aufgaben in dieser Liste löschen?</translation>
    </message>
    <message>
        <source>No List Found</source>
        <translation>Keine Liste gefunden</translation>
    </message>
    <message>
        <source>The new list could not be saved: the store folder cannot be written.</source>
        <translation>Die neue Liste konnte nicht gespeichert werden: Der Ablageordner ist nicht beschreibbar.</translation>
    </message>
</context>
<context>
    <name>LocationPopover</name>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Search an address or a place</source>
        <translation>Nach einer Adresse oder einem Ort suchen</translation>
    </message>
    <message>
        <source>Validity</source>
        <translation>Gültigkeit</translation>
    </message>
    <message>
        <source>When I arrive...</source>
        <translation>Beim Ankommen …</translation>
    </message>
    <message>
        <source>When I leave...</source>
        <translation>Beim Verlassen …</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Places: © OpenStreetMap contributors</source>
        <translation>Orte: © OpenStreetMap-Mitwirkende</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Zuhause</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Arbeit</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
</context>
<context>
    <name>LocationRow</name>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>No Location</source>
        <translation>Kein Ort</translation>
    </message>
    <message>
        <source>When I arrive... %1</source>
        <extracomment>%1 is the place, as in &quot;When I arrive... Office&quot;.</extracomment>
        <translation>Beim Ankommen … %1</translation>
    </message>
    <message>
        <source>When I leave... %1</source>
        <extracomment>%1 is the place, as in &quot;When I leave... Office&quot;.</extracomment>
        <translation>Beim Verlassen … %1</translation>
    </message>
</context>
<context>
    <name>LocationSearch</name>
    <message>
        <source>Location is not valid</source>
        <translation>Ort ist ungültig</translation>
    </message>
    <message>
        <source>validating..</source>
        <translation>wird geprüft …</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;New Task</source>
        <translation>&amp;Neue Aufgabe</translation>
    </message>
    <message>
        <source>New &amp;List…</source>
        <translation>Neue &amp;Liste …</translation>
    </message>
    <message>
        <source>New &amp;Tag List…</source>
        <translation>Neue &amp;Schlagwortliste …</translation>
    </message>
    <message>
        <source>New &amp;Merged List…</source>
        <translation>Neue S&amp;ammelliste …</translation>
    </message>
    <message>
        <source>&amp;Share List…</source>
        <translation>Liste &amp;teilen …</translation>
    </message>
    <message>
        <source>S&amp;ync Now</source>
        <translation>Jetzt a&amp;bgleichen</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>&amp;Fenster schließen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>B&amp;eenden</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Recently D&amp;eleted…</source>
        <translation>&amp;Zuletzt gelöscht …</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Heute</translation>
    </message>
    <message>
        <source>&amp;Day</source>
        <translation>&amp;Tag</translation>
    </message>
    <message>
        <source>&amp;Week</source>
        <translation>&amp;Woche</translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation>&amp;Monat</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Preset Lists</source>
        <translation>&amp;Vorgegebene Listen</translation>
    </message>
    <message>
        <source>Sm&amp;art Lists</source>
        <translation>&amp;Intelligente Listen</translation>
    </message>
    <message>
        <source>&amp;Lists</source>
        <translation>&amp;Listen</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimieren</translation>
    </message>
    <message>
        <source>&amp;Velmoran</source>
        <translation>&amp;Velmoran</translation>
    </message>
    <message>
        <source>Velmoran &amp;Help</source>
        <translation>Velmoran-&amp;Hilfe</translation>
    </message>
    <message>
        <source>What&apos;s &amp;New</source>
        <translation>&amp;Neuerungen</translation>
    </message>
    <message>
        <source>&amp;Rate Velmoran</source>
        <translation>Velmoran &amp;bewerten</translation>
    </message>
    <message>
        <source>&amp;About Velmoran</source>
        <translation>&amp;Über Velmoran</translation>
    </message>
    <message>
        <source>Hide &amp;Completed</source>
        <translation>&amp;Erledigte ausblenden</translation>
    </message>
    <message>
        <source>Show &amp;Completed</source>
        <translation>&amp;Erledigte anzeigen</translation>
    </message>
    <message>
        <source>Hide L&amp;ists</source>
        <translation>Liste&amp;n ausblenden</translation>
    </message>
    <message>
        <source>Show L&amp;ists</source>
        <translation>Liste&amp;n anzeigen</translation>
    </message>
    <message>
        <source>Hide D&amp;etails</source>
        <translation>&amp;Details ausblenden</translation>
    </message>
    <message>
        <source>Show D&amp;etails</source>
        <translation>&amp;Details anzeigen</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren …</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xportieren …</translation>
    </message>
    <message>
        <source>Add Su&amp;btask</source>
        <translation>&amp;Unteraufgabe hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Indent</source>
        <translation>E&amp;inrücken</translation>
    </message>
    <message>
        <source>&amp;Outdent</source>
        <translation>&amp;Ausrücken</translation>
    </message>
</context>
<context>
    <name>MapView</name>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>No position</source>
        <translation>Keine Position</translation>
    </message>
    <message>
        <source>© OpenStreetMap contributors</source>
        <translation>© OpenStreetMap-Mitwirkende</translation>
    </message>
</context>
<context>
    <name>MidViewController</name>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Save Search</source>
        <translation>Suche speichern</translation>
    </message>
    <message>
        <source>Show Lists</source>
        <translation>Listen anzeigen</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Show or Hide Completed</source>
        <translation>Erledigte anzeigen oder ausblenden</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>Task List</source>
        <translation>Aufgabenliste</translation>
    </message>
    <message>
        <source>Hide Completed</source>
        <translation>Erledigte ausblenden</translation>
    </message>
    <message>
        <source>Show Completed</source>
        <translation>Erledigte anzeigen</translation>
    </message>
    <message>
        <source>The task could not be indented</source>
        <translation>Die Aufgabe konnte nicht eingerückt werden</translation>
    </message>
    <message>
        <source>The task could not be outdented</source>
        <translation>Die Aufgabe konnte nicht ausgerückt werden</translation>
    </message>
    <message>
        <source>The task is no longer in the store.</source>
        <translation>Die Aufgabe ist nicht mehr in der Ablage.</translation>
    </message>
    <message>
        <source>The task could not be made a subtask</source>
        <translation>Die Aufgabe konnte nicht zur Unteraufgabe werden</translation>
    </message>
</context>
<context>
    <name>MonthDateView</name>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
</context>
<context>
    <name>NewTaskPage</name>
    <message>
        <source>No Time</source>
        <translation>Ohne Uhrzeit</translation>
    </message>
    <message>
        <source>Default List</source>
        <translation>Standardliste</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Preset Time</source>
        <translation>Vorgabezeit</translation>
    </message>
    <message>
        <source>&apos;No Time&apos; is for due date only. If alarm is turned on, it&apos;ll follow preset time.</source>
        <translation>„Ohne Uhrzeit“ gilt nur für das Fälligkeitsdatum. Ist die Erinnerung eingeschaltet, richtet sie sich nach der Vorgabezeit.</translation>
    </message>
    <message>
        <source>If you set &apos;No Time&apos; with alarm on RECURRING tasks, alarm will change to 12AM on next task if it&apos;s completed on other devices.</source>
        <translation>Wenn Sie bei WIEDERKEHRENDEN Aufgaben „Ohne Uhrzeit“ mit eingeschalteter Erinnerung verwenden, wird die Erinnerung der nächsten Aufgabe auf 0:00 Uhr gesetzt, falls die Aufgabe auf einem anderen Gerät erledigt wird.</translation>
    </message>
    <message>
        <source>Alarm Time</source>
        <translation>Erinnerungszeit</translation>
    </message>
</context>
<context>
    <name>NoListAlert</name>
    <message>
        <source>No List Found</source>
        <translation>Keine Liste gefunden</translation>
    </message>
    <message>
        <source>Check below. 

1. Velmoran needs to read and write the folders of your lists. Check that the store folder exists and belongs to you.

2. Go to &apos;Preferences &gt; Lists&apos;. If you have no lists, add one.</source>
        <translation>Bitte prüfen Sie Folgendes. 

1. Velmoran muss die Ordner Ihrer Listen lesen und schreiben können. Prüfen Sie, ob der Ablageordner existiert und Ihnen gehört.

2. Öffnen Sie „Einstellungen › Listen“. Wenn Sie keine Listen haben, fügen Sie eine hinzu.</translation>
    </message>
</context>
<context>
    <name>NoticeLabel</name>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>NotificationScheduler</name>
    <message>
        <source>Snooze</source>
        <translation>Schlummern</translation>
    </message>
</context>
<context>
    <name>OnOffButton</name>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>%1:</source>
        <extracomment>A field&apos;s label before its control; some languages put a space before the colon.</extracomment>
        <translation>%1:</translation>
    </message>
</context>
<context>
    <name>PanelViewController</name>
    <message>
        <source>Tray Panel</source>
        <translation>Kurzübersicht</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Keep Open</source>
        <translation>Geöffnet lassen</translation>
    </message>
    <message>
        <source>Keep the panel open when it loses the focus</source>
        <translation>Die Übersicht geöffnet lassen, wenn sie den Fokus verliert</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Jetzt abgleichen</translation>
    </message>
    <message>
        <source>Next Tasks</source>
        <translation>Nächste Aufgaben</translation>
    </message>
    <message>
        <source>The task could not be changed: %1</source>
        <translation>Die Aufgabe konnte nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>New Task Added</source>
        <translation>Neue Aufgabe hinzugefügt</translation>
    </message>
</context>
<context>
    <name>PanelWindowController</name>
    <message>
        <source>Velmoran Panel</source>
        <translation>Velmoran-Kurzübersicht</translation>
    </message>
</context>
<context>
    <name>PreferenceObject</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
</context>
<context>
    <name>PriorityRow</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>No Priority</source>
        <translation>Keine Priorität</translation>
    </message>
    <message>
        <source>Low Priority</source>
        <translation>Niedrige Priorität</translation>
    </message>
    <message>
        <source>Medium Priority</source>
        <translation>Mittlere Priorität</translation>
    </message>
    <message>
        <source>High Priority</source>
        <translation>Hohe Priorität</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <source>Meta</source>
        <translation>Meta</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Umschalt</translation>
    </message>
</context>
<context>
    <name>QuickAction</name>
    <message>
        <source>Unsupported Action</source>
        <translation>Nicht unterstützte Aktion</translation>
    </message>
    <message>
        <source>Clear Due Date</source>
        <translation>Fälligkeitsdatum entfernen</translation>
    </message>
    <message>
        <source>Today</source>
        <extracomment>A quick action that moves the task&apos;s due date to today.</extracomment>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Now</source>
        <extracomment>A quick action that makes the task due at the current time.</extracomment>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>After</source>
        <extracomment>A quick action that completes a repeating task and starts its next one from today.</extracomment>
        <translation>Heute erledigen</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>%1 hinzufügen</translation>
    </message>
    <message>
        <source>Switch %1 to %2</source>
        <translation>%1 durch %2 ersetzen</translation>
    </message>
    <message numerus="yes">
        <source>+%n Minute(s)</source>
        <translation>
            <numerusform>+%n Minute</numerusform>
            <numerusform>+%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Minute(s)</source>
        <translation>
            <numerusform>-%n Minute</numerusform>
            <numerusform>-%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Hour(s)</source>
        <translation>
            <numerusform>+%n Stunde</numerusform>
            <numerusform>+%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Hour(s)</source>
        <translation>
            <numerusform>-%n Stunde</numerusform>
            <numerusform>-%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Day(s)</source>
        <translation>
            <numerusform>+%n Tag</numerusform>
            <numerusform>+%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Day(s)</source>
        <translation>
            <numerusform>-%n Tag</numerusform>
            <numerusform>-%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Week(s)</source>
        <translation>
            <numerusform>+%n Woche</numerusform>
            <numerusform>+%n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Week(s)</source>
        <translation>
            <numerusform>-%n Woche</numerusform>
            <numerusform>-%n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Month(s)</source>
        <translation>
            <numerusform>+%n Monat</numerusform>
            <numerusform>+%n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Month(s)</source>
        <translation>
            <numerusform>-%n Monat</numerusform>
            <numerusform>-%n Monate</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuickActionMenu</name>
    <message>
        <source>Mark as Incomplete</source>
        <translation>Als nicht erledigt markieren</translation>
    </message>
    <message>
        <source>Mark as Completed</source>
        <translation>Als erledigt markieren</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Details ausblenden</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message>
        <source>Move to List</source>
        <translation>In Liste verschieben</translation>
    </message>
    <message>
        <source>Set Priority</source>
        <translation>Priorität festlegen</translation>
    </message>
    <message>
        <source>None</source>
        <comment>priority</comment>
        <translation>Keine</translation>
    </message>
</context>
<context>
    <name>QuickActionRowsModel</name>
    <message>
        <source>This version cannot perform this action; it is kept as stored.</source>
        <translation>Diese Version kann diese Aktion nicht ausführen; sie bleibt wie gespeichert erhalten.</translation>
    </message>
</context>
<context>
    <name>QuickActionSettings</name>
    <message>
        <source>Unsupported Action</source>
        <translation>Nicht unterstützte Aktion</translation>
    </message>
    <message>
        <source>Clear Due Date</source>
        <translation>Fälligkeitsdatum entfernen</translation>
    </message>
    <message>
        <source>Today</source>
        <extracomment>A quick action that moves the task&apos;s due date to today.</extracomment>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Now</source>
        <extracomment>A quick action that makes the task due at the current time.</extracomment>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>After</source>
        <extracomment>A quick action that completes a repeating task and starts its next one from today.</extracomment>
        <translation>Heute erledigen</translation>
    </message>
</context>
<context>
    <name>QuickActionSheet</name>
    <message>
        <source>Combination of &apos;Move to Today&apos; and &apos;Completed&apos;. When it&apos;s recurring task, completing by this will make next task based from today. (Normally it&apos;s made according to due date)</source>
        <translation>Kombination aus „Auf heute verschieben“ und „Erledigt“. Bei einer wiederkehrenden Aufgabe richtet sich die nächste Aufgabe dann nach dem heutigen Tag (sonst nach dem Fälligkeitsdatum).</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Quick Action</source>
        <translation>Schnellaktion</translation>
    </message>
    <message>
        <source>Clear Due Date</source>
        <translation>Fälligkeitsdatum entfernen</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Schlagwort</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Wort wechseln</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Heute erledigen</translation>
    </message>
    <message>
        <source>#tag, or a word</source>
        <translation>#Schlagwort oder ein Wort</translation>
    </message>
    <message>
        <source>Switch word %1</source>
        <translation>Wechselwort %1</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>Entfällt</translation>
    </message>
</context>
<context>
    <name>QuickActionsTab</name>
    <message>
        <source>Add a quick action</source>
        <translation>Eine Schnellaktion hinzufügen</translation>
    </message>
    <message>
        <source>Delete the selected quick action</source>
        <translation>Die ausgewählte Schnellaktion löschen</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
    <message>
        <source>Quick Actions are shown when you right-click a task.</source>
        <translation>Schnellaktionen werden angezeigt, wenn Sie mit der rechten Maustaste auf eine Aufgabe klicken.</translation>
    </message>
    <message>
        <source>A set saved on the &apos;Sync Preferences&apos; tab carries them to your other computers.</source>
        <translation>Ein im Reiter „Einstellungen abgleichen“ gespeicherter Satz überträgt sie auf Ihre anderen Rechner.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Add Tag on</source>
        <translation>Schlagwort hinzufügen in</translation>
    </message>
    <message>
        <source>Drag an action, or press Alt+Up and Alt+Down, to change the menu order. Double-click one to change it.</source>
        <translation>Ziehen Sie eine Aktion oder drücken Sie Alt+Up und Alt+Down, um die Reihenfolge im Menü zu ändern. Doppelklicken Sie auf eine, um sie zu ändern.</translation>
    </message>
    <message>
        <source>Quick Actions</source>
        <translation>Schnellaktionen</translation>
    </message>
</context>
<context>
    <name>QuickAddForm</name>
    <message>
        <source>Clear Due Date</source>
        <translation>Fälligkeitsdatum entfernen</translation>
    </message>
    <message>
        <source>Undo Smart Add</source>
        <translation>Intelligente Eingabe rückgängig machen</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Neue Aufgabe</translation>
    </message>
    <message>
        <source>Add Task</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>No Due Date</source>
        <translation>Kein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Smart Add</source>
        <translation>Intelligente Eingabe</translation>
    </message>
    <message>
        <source>Subtask of “%1”</source>
        <translation>Unteraufgabe von „%1“</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>↻ %1</source>
        <translation>↻ %1</translation>
    </message>
</context>
<context>
    <name>QuickAddSession</name>
    <message>
        <source>“%1” is gone; the task went to “%2”.</source>
        <translation>„%1“ gibt es nicht mehr; die Aufgabe kam in „%2“.</translation>
    </message>
    <message>
        <source>Type a title for the task.</source>
        <translation>Geben Sie einen Titel für die Aufgabe ein.</translation>
    </message>
    <message>
        <source>The task could not be saved: %1</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>The parent task is no longer in the store.</source>
        <translation>Die übergeordnete Aufgabe ist nicht mehr in der Ablage.</translation>
    </message>
</context>
<context>
    <name>RecentlyDeleted</name>
    <message>
        <source>%1 exists already.</source>
        <translation>%1 existiert bereits.</translation>
    </message>
    <message>
        <source>%1 cannot be kept: %2.</source>
        <translation>%1 kann nicht aufbewahrt werden: %2.</translation>
    </message>
    <message>
        <source>The folder for deleted items, %1, cannot be created.</source>
        <translation>Der Ordner für gelöschte Einträge, %1, kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The folder for deleted items, %1, cannot be written: %2.</source>
        <translation>Der Ordner für gelöschte Einträge, %1, kann nicht beschrieben werden: %2.</translation>
    </message>
    <message>
        <source>No free name for a deleted item in %1.</source>
        <translation>Kein freier Name für einen gelöschten Eintrag in %1.</translation>
    </message>
    <message>
        <source>The deleted item cannot be kept in %1: %2.</source>
        <translation>Der gelöschte Eintrag kann nicht in %1 aufbewahrt werden: %2.</translation>
    </message>
    <message>
        <source>The deleted list cannot be kept in %1.</source>
        <translation>Die gelöschte Liste kann nicht in %1 aufbewahrt werden.</translation>
    </message>
    <message>
        <source>It is no longer in Recently Deleted: another program restored or deleted it.</source>
        <translation>Der Eintrag ist nicht mehr in „Zuletzt gelöscht“: Ein anderes Programm hat ihn wiederhergestellt oder gelöscht.</translation>
    </message>
    <message>
        <source>It cannot be taken out of %1: %2.</source>
        <translation>Der Eintrag kann nicht aus %1 genommen werden: %2.</translation>
    </message>
    <message>
        <source>There is no deleted task &quot;%1&quot;.</source>
        <translation>Es gibt keine gelöschte Aufgabe „%1“.</translation>
    </message>
    <message>
        <source>There is no deleted list &quot;%1&quot;.</source>
        <translation>Es gibt keine gelöschte Liste „%1“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be restored: a file named %2 is already in its list.</source>
        <translation>„%1“ kann nicht wiederhergestellt werden: Eine Datei namens %2 liegt bereits in ihrer Liste.</translation>
    </message>
    <message>
        <source>The list &quot;%1&quot; cannot be restored: a file named %2 is already in its folder.</source>
        <translation>Die Liste „%1“ kann nicht wiederhergestellt werden: Eine Datei namens %2 liegt bereits in ihrem Ordner.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>There is no deleted item &quot;%1&quot;.</source>
        <translation>Es gibt keinen gelöschten Eintrag „%1“.</translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedItems</name>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>„%1“: %2</translation>
    </message>
    <message>
        <source>the store is not open.</source>
        <translation>die Ablage ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; went into &quot;%2&quot;: its own list no longer exists.</source>
        <translation>„%1“ kam in „%2“: Die ursprüngliche Liste gibt es nicht mehr.</translation>
    </message>
    <message>
        <source>The list &quot;%1&quot; came back in another folder: its own folder is no longer one of the store&apos;s.</source>
        <translation>Die Liste „%1“ wurde in einem anderen Ordner wiederhergestellt: Ihr eigener Ordner gehört nicht mehr zur Ablage.</translation>
    </message>
    <message>
        <source>They leave Recently Deleted, and their files are deleted. You cannot undo this action.</source>
        <translation>Sie verlassen „Zuletzt gelöscht“, und ihre Dateien werden gelöscht. Diese Aktion kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Nothing was deleted recently.</source>
        <translation>Zuletzt wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Velmoran</source>
        <translation>Velmoran</translation>
    </message>
    <message>
        <source>Another program</source>
        <translation>Ein anderes Programm</translation>
    </message>
    <message>
        <source>Sync</source>
        <extracomment>Who deleted the item: the sync with a CalDAV account.</extracomment>
        <translation>Abgleich</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Untitled list</source>
        <translation>Unbenannte Liste</translation>
    </message>
    <message>
        <source>Untitled task</source>
        <translation>Unbenannte Aufgabe</translation>
    </message>
    <message>
        <source>The record of this item was lost; what shows was read from its files.</source>
        <translation>Die Aufzeichnung zu diesem Eintrag ging verloren; was angezeigt wird, wurde aus seinen Dateien gelesen.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Von</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be restored:</source>
        <translation>
            <numerusform>%n Eintrag konnte nicht wiederhergestellt werden:</numerusform>
            <numerusform>%n Einträge konnten nicht wiederhergestellt werden:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be deleted:</source>
        <translation>
            <numerusform>%n Eintrag konnte nicht gelöscht werden:</numerusform>
            <numerusform>%n Einträge konnten nicht gelöscht werden:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n item(s) for good?</source>
        <translation>
            <numerusform>%n Eintrag endgültig löschen?</numerusform>
            <numerusform>%n Einträge endgültig löschen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>List with %n task(s)</source>
        <translation>
            <numerusform>Liste mit %n Aufgabe</numerusform>
            <numerusform>Liste mit %n Aufgaben</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedPolicy</name>
    <message>
        <source>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept until you delete them there.</source>
        <translation>Die Liste und ihre Aufgaben kommen nach „Zuletzt gelöscht“ (Bearbeiten → Zuletzt gelöscht …) und bleiben dort, bis Sie sie dort löschen.</translation>
    </message>
    <message>
        <source>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept until you delete them there.</source>
        <translation>Die erledigten Aufgaben kommen nach „Zuletzt gelöscht“ (Bearbeiten → Zuletzt gelöscht …) und bleiben dort, bis Sie sie dort löschen.</translation>
    </message>
    <message numerus="yes">
        <source>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day(s).</source>
        <translation>
            <numerusform>Die Liste und ihre Aufgaben kommen nach „Zuletzt gelöscht“ (Bearbeiten → Zuletzt gelöscht …) und werden dort %n Tag lang aufbewahrt.</numerusform>
            <numerusform>Die Liste und ihre Aufgaben kommen nach „Zuletzt gelöscht“ (Bearbeiten → Zuletzt gelöscht …) und werden dort %n Tage lang aufbewahrt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day(s).</source>
        <translation>
            <numerusform>Die erledigten Aufgaben kommen nach „Zuletzt gelöscht“ (Bearbeiten → Zuletzt gelöscht …) und werden dort %n Tag lang aufbewahrt.</numerusform>
            <numerusform>Die erledigten Aufgaben kommen nach „Zuletzt gelöscht“ (Bearbeiten → Zuletzt gelöscht …) und werden dort %n Tage lang aufbewahrt.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedWindow</name>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Delete Now</source>
        <translation>Jetzt löschen</translation>
    </message>
    <message>
        <source>Recently Deleted</source>
        <translation>Zuletzt gelöscht</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Recurrence</name>
    <message>
        <source>%1 has a value that is not a number: &quot;%2&quot;</source>
        <translation>%1 hat einen Wert, der keine Zahl ist: „%2“</translation>
    </message>
    <message>
        <source>%1 has a value out of range: %2</source>
        <translation>%1 hat einen Wert außerhalb des zulässigen Bereichs: %2</translation>
    </message>
    <message>
        <source>BYDAY has an unknown weekday: &quot;%1&quot;</source>
        <translation>BYDAY hat einen unbekannten Wochentag: „%1“</translation>
    </message>
    <message>
        <source>BYDAY has a week number out of range: &quot;%1&quot;</source>
        <translation>BYDAY hat eine Wochennummer außerhalb des zulässigen Bereichs: „%1“</translation>
    </message>
    <message>
        <source>UNTIL is not a valid date: &quot;%1&quot;</source>
        <translation>UNTIL ist kein gültiges Datum: „%1“</translation>
    </message>
    <message>
        <source>Unknown frequency &quot;%1&quot;</source>
        <translation>Unbekannte Häufigkeit „%1“</translation>
    </message>
    <message>
        <source>%1 must be a positive number, not &quot;%2&quot;</source>
        <translation>%1 muss eine positive Zahl sein, nicht „%2“</translation>
    </message>
    <message>
        <source>WKST has an unknown weekday: &quot;%1&quot;</source>
        <translation>WKST hat einen unbekannten Wochentag: „%1“</translation>
    </message>
    <message>
        <source>Unknown rule part &quot;%1&quot;</source>
        <translation>Unbekannter Regelteil „%1“</translation>
    </message>
    <message>
        <source>%1=%2 is not supported</source>
        <translation>%1=%2 wird nicht unterstützt</translation>
    </message>
    <message>
        <source>A rule cannot have both COUNT and UNTIL</source>
        <translation>Eine Regel kann nicht zugleich COUNT und UNTIL haben</translation>
    </message>
    <message>
        <source>BYWEEKNO is only allowed in yearly rules</source>
        <translation>BYWEEKNO ist nur in jährlichen Regeln erlaubt</translation>
    </message>
    <message>
        <source>BYYEARDAY is not allowed in daily, weekly or monthly rules</source>
        <translation>BYYEARDAY ist in täglichen, wöchentlichen und monatlichen Regeln nicht erlaubt</translation>
    </message>
    <message>
        <source>BYMONTHDAY is not allowed in weekly rules</source>
        <translation>BYMONTHDAY ist in wöchentlichen Regeln nicht erlaubt</translation>
    </message>
    <message>
        <source>Numbered weekdays are only allowed in monthly and yearly rules without week numbers</source>
        <translation>Nummerierte Wochentage sind nur in monatlichen und jährlichen Regeln ohne Wochennummern erlaubt</translation>
    </message>
    <message>
        <source>Malformed rule part &quot;%1&quot;</source>
        <translation>Fehlerhafter Regelteil „%1“</translation>
    </message>
    <message>
        <source>Rule part &quot;%1&quot; appears twice</source>
        <translation>Der Regelteil „%1“ kommt zweimal vor</translation>
    </message>
    <message>
        <source>Rule part &quot;%1&quot; has no value</source>
        <translation>Der Regelteil „%1“ hat keinen Wert</translation>
    </message>
    <message>
        <source>The rule has no FREQ</source>
        <translation>Die Regel hat kein FREQ</translation>
    </message>
    <message>
        <source>Tasks cannot repeat more often than once a day</source>
        <translation>Aufgaben können sich nicht öfter als einmal am Tag wiederholen</translation>
    </message>
    <message>
        <source>Tasks cannot repeat at several times of the day</source>
        <translation>Aufgaben können sich nicht zu mehreren Tageszeiten wiederholen</translation>
    </message>
</context>
<context>
    <name>RepeatEditor</name>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>End Repeat</source>
        <translation>Wiederholung endet</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>End on Date</source>
        <translation>Am Datum</translation>
    </message>
    <message>
        <source>End after occurrences</source>
        <translation>Nach Anzahl</translation>
    </message>
    <message>
        <source>Number of Occurrences</source>
        <translation>Anzahl der Wiederholungen</translation>
    </message>
    <message>
        <source>time(s)</source>
        <translation>Mal</translation>
    </message>
    <message>
        <source>End Repeat Date</source>
        <translation>Enddatum der Wiederholung</translation>
    </message>
    <message>
        <source>The repeat ends before the due date.</source>
        <translation>Die Wiederholung endet vor dem Fälligkeitsdatum.</translation>
    </message>
    <message>
        <source>Weekdays</source>
        <translation>Werktags</translation>
    </message>
    <message>
        <source>Weekends</source>
        <translation>Am Wochenende</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Jede Woche</translation>
    </message>
    <message>
        <source>Every 2 Weeks</source>
        <translation>Alle 2 Wochen</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <source>Every Year</source>
        <translation>Jedes Jahr</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Joins the months before the last one, as in &quot;January, March and May&quot;.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <extracomment>A repeat rule (%1) and the months it falls in (%2), as in &quot;Every 2 Months in January and March&quot;.</extracomment>
        <translation>%1 im %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <extracomment>The months before the last one (%1) and the last one (%2), as in &quot;January, March and May&quot;.</extracomment>
        <translation>%1 und %2</translation>
    </message>
</context>
<context>
    <name>RepeatPhraseStage</name>
    <message numerus="yes">
        <source>%1, %n time(s)</source>
        <translation>
            <numerusform>%1, %n-mal</numerusform>
            <numerusform>%1, %n-mal</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, until %2</source>
        <translation>%1, bis %2</translation>
    </message>
</context>
<context>
    <name>ReplaceFileContents</name>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>ReviewLink</name>
    <message>
        <source>Rate Velmoran</source>
        <translation>Velmoran bewerten</translation>
    </message>
    <message>
        <source>No program here opens the review page.</source>
        <translation>Kein Programm auf diesem Rechner öffnet die Bewertungsseite.</translation>
    </message>
    <message>
        <source>You can rate Velmoran at %1.</source>
        <translation>Sie können Velmoran unter %1 bewerten.</translation>
    </message>
</context>
<context>
    <name>RightViewController</name>
    <message>
        <source>Mail Link</source>
        <translation>E-Mail-Link</translation>
    </message>
    <message>
        <source>Show in Mail</source>
        <translation>In E-Mail-Programm zeigen</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>End Repeat</source>
        <translation>Wiederholung endet</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Priorities</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL öffnen</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Details ausblenden</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>No Task Selected</source>
        <translation>Keine Aufgabe ausgewählt</translation>
    </message>
    <message>
        <source>No Due Date</source>
        <translation>Kein Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>No Alarm</source>
        <translation>Keine Erinnerung</translation>
    </message>
    <message>
        <source>At Due Time</source>
        <translation>Zur Fälligkeit</translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) Before</source>
        <translation>
            <numerusform>%n Tag vorher</numerusform>
            <numerusform>%n Tage vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Hour(s) Before</source>
        <translation>
            <numerusform>%n Stunde vorher</numerusform>
            <numerusform>%n Stunden vorher</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Minute(s) Before</source>
        <translation>
            <numerusform>%n Minute vorher</numerusform>
            <numerusform>%n Minuten vorher</numerusform>
        </translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Unteraufgabe hinzufügen</translation>
    </message>
</context>
<context>
    <name>SecretStore</name>
    <message>
        <source>The program secret-tool could not be started (%1). Install the package libsecret-tools.</source>
        <translation>Das Programm secret-tool konnte nicht gestartet werden (%1). Installieren Sie das Paket libsecret-tools.</translation>
    </message>
    <message>
        <source>The secret service did not answer.</source>
        <translation>Der Geheimnisdienst hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The password cannot be kept: no secret service (such as GNOME Keyring or KWallet) is running on this desktop, or it refused. The account is not saved, because a password is never written into a file.</source>
        <translation>Das Passwort kann nicht aufbewahrt werden: In dieser Arbeitsumgebung läuft kein Geheimnisdienst (wie GNOME-Schlüsselbund oder KWallet), oder er hat abgelehnt. Das Konto wird nicht gespeichert, weil ein Passwort nie in eine Datei geschrieben wird.</translation>
    </message>
</context>
<context>
    <name>ShareMenu</name>
    <message>
        <source>Save List</source>
        <translation>Liste speichern</translation>
    </message>
    <message>
        <source>Text (*.txt);;Web Page (*.html)</source>
        <translation>Text (*.txt);;Webseite (*.html)</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <source>The list could not be saved to %1: %2</source>
        <translation>Die Liste konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Email…</source>
        <translation>&amp;E-Mail …</translation>
    </message>
    <message>
        <source>&amp;Save to File…</source>
        <translation>In &amp;Datei speichern …</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Remove this shortcut</source>
        <translation>Dieses Tastenkürzel entfernen</translation>
    </message>
    <message>
        <source>This shortcut is already set.</source>
        <translation>Dieses Tastenkürzel ist bereits festgelegt.</translation>
    </message>
    <message>
        <source>A shortcut needs a key with at least one of Ctrl, Alt, Shift or Super.</source>
        <translation>Ein Tastenkürzel braucht eine Taste zusammen mit mindestens einer der Tasten Strg, Alt, Umschalt oder Super.</translation>
    </message>
    <message>
        <source>%1 is already used by another program. Choose another shortcut.</source>
        <translation>%1 wird bereits von einem anderen Programm verwendet. Wählen Sie ein anderes Tastenkürzel.</translation>
    </message>
</context>
<context>
    <name>SidebarLayout</name>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
</context>
<context>
    <name>SignedAmountRow</name>
    <message>
        <source>Number</source>
        <translation>Zahl</translation>
    </message>
</context>
<context>
    <name>SmartAddRuleSheet</name>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>Entfällt</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Smart Add Rule</source>
        <translation>Regel der intelligenten Eingabe</translation>
    </message>
    <message>
        <source>Type in a word to trigger this rule</source>
        <translation>Geben Sie ein Wort ein, das diese Regel auslöst</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Fälligkeitsdatum</translation>
    </message>
    <message>
        <source>Due Time</source>
        <translation>Fälligkeitszeit</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>On</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Word:</source>
        <translation>Wort:</translation>
    </message>
    <message>
        <source>Sets:</source>
        <translation>Setzt:</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Übernehmen</translation>
    </message>
</context>
<context>
    <name>SmartAddSettings</name>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Due Time %1</source>
        <translation>Fälligkeitszeit %1</translation>
    </message>
    <message>
        <source>Alarm On</source>
        <translation>Erinnerung ein</translation>
    </message>
    <message>
        <source>Alarm Off</source>
        <translation>Erinnerung aus</translation>
    </message>
    <message>
        <source>Due Date - %1</source>
        <translation>Fälligkeitsdatum – %1</translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Day(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum +%n Tag</numerusform>
            <numerusform>Fälligkeitsdatum +%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Day(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum -%n Tag</numerusform>
            <numerusform>Fälligkeitsdatum -%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Week(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum +%n Woche</numerusform>
            <numerusform>Fälligkeitsdatum +%n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Week(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum -%n Woche</numerusform>
            <numerusform>Fälligkeitsdatum -%n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Month(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum +%n Monat</numerusform>
            <numerusform>Fälligkeitsdatum +%n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Month(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum -%n Monat</numerusform>
            <numerusform>Fälligkeitsdatum -%n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Year(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum +%n Jahr</numerusform>
            <numerusform>Fälligkeitsdatum +%n Jahre</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Year(s)</source>
        <translation>
            <numerusform>Fälligkeitsdatum -%n Jahr</numerusform>
            <numerusform>Fälligkeitsdatum -%n Jahre</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SmartAddTab</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Due Date (M/dd)</source>
        <translation>Fälligkeitsdatum (M/dd)</translation>
    </message>
    <message>
        <source>Due Date (dd/M)</source>
        <translation>Fälligkeitsdatum (dd/M)</translation>
    </message>
    <message>
        <source>Due Time (24-hour)</source>
        <translation>Fälligkeitszeit (24 Stunden)</translation>
    </message>
    <message>
        <source>Due Time (a/p)</source>
        <translation>Fälligkeitszeit (a/p)</translation>
    </message>
    <message>
        <source>Due Time (hour)</source>
        <translation>Fälligkeitszeit (Stunde)</translation>
    </message>
    <message>
        <source>Due Time (hour a/p)</source>
        <translation>Fälligkeitszeit (Stunde a/p)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorität</translation>
    </message>
    <message>
        <source>Due Time (am/pm)</source>
        <translation>Fälligkeitszeit (am/pm)</translation>
    </message>
    <message>
        <source>Due Time (hour am/pm)</source>
        <translation>Fälligkeitszeit (Stunde am/pm)</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Smart Add</source>
        <translation>Intelligente Eingabe</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Wort</translation>
    </message>
    <message>
        <source>Sets</source>
        <translation>Setzt</translation>
    </message>
    <message>
        <source>Add a word rule</source>
        <translation>Eine Wortregel hinzufügen</translation>
    </message>
    <message>
        <source>Delete the selected word rule</source>
        <translation>Die ausgewählte Wortregel löschen</translation>
    </message>
    <message>
        <source>Try a line, e.g. !! Call Anna tomorrow 3p</source>
        <translation>Probieren Sie eine Zeile, z. B. !! Anna morgen 15:00 anrufen</translation>
    </message>
    <message>
        <source>Not understood by this version; kept as stored</source>
        <translation>Von dieser Version nicht verstanden; bleibt wie gespeichert erhalten</translation>
    </message>
    <message>
        <source>Type in a word to trigger this rule</source>
        <translation>Geben Sie ein Wort ein, das diese Regel auslöst</translation>
    </message>
    <message>
        <source>A rule needs a word that is more than spaces.</source>
        <translation>Eine Regel braucht ein Wort, das nicht nur aus Leerzeichen besteht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already triggers a rule</source>
        <translation>„%1“ löst bereits eine Regel aus</translation>
    </message>
    <message>
        <source>Change that rule, or choose another word.</source>
        <translation>Ändern Sie diese Regel oder wählen Sie ein anderes Wort.</translation>
    </message>
    <message>
        <source>Type a line above to see what Smart Add makes of it.</source>
        <translation>Geben Sie oben eine Zeile ein, um zu sehen, was die intelligente Eingabe daraus macht.</translation>
    </message>
    <message>
        <source>Nothing would be added: no title is left.</source>
        <translation>Nichts würde hinzugefügt: Es bleibt kein Titel übrig.</translation>
    </message>
    <message>
        <source>Title: %1</source>
        <translation>Titel: %1</translation>
    </message>
    <message>
        <source>Due: %1</source>
        <translation>Fällig: %1</translation>
    </message>
    <message>
        <source>Due: %1 at %2</source>
        <translation>Fällig: %1 um %2</translation>
    </message>
    <message>
        <source>Due: none</source>
        <translation>Fällig: nie</translation>
    </message>
    <message>
        <source>Priority: %1</source>
        <translation>Priorität: %1</translation>
    </message>
    <message>
        <source>List: %1</source>
        <translation>Liste: %1</translation>
    </message>
    <message>
        <source>List: &quot;%1&quot; matches no shown list</source>
        <translation>Liste: „%1“ passt zu keiner angezeigten Liste</translation>
    </message>
    <message>
        <source>Alarm: on</source>
        <translation>Erinnerung: ein</translation>
    </message>
    <message>
        <source>Alarm: off</source>
        <translation>Erinnerung: aus</translation>
    </message>
    <message>
        <source>Due Date (d.M.)</source>
        <extracomment>The examples are German dates; keep them as they are.</extracomment>
        <translation>Fälligkeitsdatum (d.M.)</translation>
    </message>
    <message>
        <source>Due Time (German)</source>
        <extracomment>The examples are German times; keep them as they are.</extracomment>
        <translation>Fälligkeitszeit (Deutsch)</translation>
    </message>
    <message>
        <source>Due Time (French)</source>
        <extracomment>The examples are French times; keep them as they are.</extracomment>
        <translation>Fälligkeitszeit (Französisch)</translation>
    </message>
    <message>
        <source>What Smart Add Reads</source>
        <translation>Was die intelligente Eingabe erkennt</translation>
    </message>
    <message>
        <source>Word Rules</source>
        <translation>Wortregeln</translation>
    </message>
    <message>
        <source>Sample Line</source>
        <translation>Probezeile</translation>
    </message>
    <message>
        <source>Read repeats (“every Monday”)</source>
        <translation>Wiederholungen lesen („jeden Montag“)</translation>
    </message>
    <message>
        <source>Repeats: %1</source>
        <translation>Wiederholung: %1</translation>
    </message>
</context>
<context>
    <name>SmartListRowsModel</name>
    <message>
        <source>All Tasks</source>
        <translation>Alle Aufgaben</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Aufgaben ohne Datum</translation>
    </message>
    <message>
        <source>Recurring Tasks</source>
        <translation>Wiederkehrende Aufgaben</translation>
    </message>
    <message>
        <source>Location-based Tasks</source>
        <translation>Ortsbezogene Aufgaben</translation>
    </message>
    <message>
        <source>Overdue Tasks</source>
        <translation>Überfällige Aufgaben</translation>
    </message>
    <message>
        <source>High Priority Tasks</source>
        <translation>Aufgaben mit hoher Priorität</translation>
    </message>
    <message>
        <source>Mid Priority Tasks</source>
        <translation>Aufgaben mit mittlerer Priorität</translation>
    </message>
    <message>
        <source>Low Priority Tasks</source>
        <translation>Aufgaben mit niedriger Priorität</translation>
    </message>
    <message>
        <source>#%1</source>
        <translation>#%1</translation>
    </message>
    <message>
        <source>Merged list</source>
        <translation>Sammelliste</translation>
    </message>
    <message>
        <source>Tag list</source>
        <translation>Schlagwortliste</translation>
    </message>
    <message>
        <source>Saved search</source>
        <translation>Gespeicherte Suche</translation>
    </message>
</context>
<context>
    <name>SmartListTab</name>
    <message>
        <source>Add a tag list or a merged list</source>
        <translation>Eine Schlagwortliste oder Sammelliste hinzufügen</translation>
    </message>
    <message>
        <source>Delete the selected smart list</source>
        <translation>Die ausgewählte intelligente Liste löschen</translation>
    </message>
    <message>
        <source>Drag a smart list, or press Alt+Up and Alt+Down, to change the order. Double-click one to change it.</source>
        <translation>Ziehen Sie eine intelligente Liste oder drücken Sie Alt+Up und Alt+Down, um die Reihenfolge zu ändern. Doppelklicken Sie auf eine, um sie zu ändern.</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add New &amp;Tag List</source>
        <translation>Neue &amp;Schlagwortliste hinzufügen</translation>
    </message>
    <message>
        <source>Add New &amp;Merged List</source>
        <translation>Neue S&amp;ammelliste hinzufügen</translation>
    </message>
    <message>
        <source>Smart Lists</source>
        <translation>Intelligente Listen</translation>
    </message>
    <message>
        <source>Toggle</source>
        <comment>a preset list&apos;s box</comment>
        <translation>Umschalten</translation>
    </message>
    <message>
        <source>Shows or hides the list in the sidebar</source>
        <translation>Blendet die Liste in der Seitenleiste ein oder aus</translation>
    </message>
</context>
<context>
    <name>SmartListWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add Smart List</source>
        <translation>Intelligente Liste hinzufügen</translation>
    </message>
</context>
<context>
    <name>StatusItem</name>
    <message>
        <source>Velmoran</source>
        <translation>Velmoran</translation>
    </message>
    <message>
        <source>Velmoran (%1)</source>
        <translation>Velmoran (%1)</translation>
    </message>
    <message>
        <source>Show &amp;Panel</source>
        <translation>&amp;Kurzübersicht anzeigen</translation>
    </message>
    <message>
        <source>&amp;Open Velmoran</source>
        <translation>&amp;Velmoran öffnen</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>Jetzt a&amp;bgleichen</translation>
    </message>
    <message>
        <source>&amp;Quit Velmoran</source>
        <translation>Velmoran b&amp;eenden</translation>
    </message>
</context>
<context>
    <name>StoreFoldersGroup</name>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>kein Ordner</translation>
    </message>
    <message>
        <source>cannot be read or written</source>
        <translation>nicht les- oder beschreibbar</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ordner hinzufügen …</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Set by the VELMORAN_STORE environment variable, which takes precedence; change it there.</source>
        <translation>Festgelegt durch die Umgebungsvariable VELMORAN_STORE, die Vorrang hat; ändern Sie sie dort.</translation>
    </message>
    <message>
        <source>Folders of iCalendar files, one sub-folder per list or calendar, as vdirsyncer, khal and todoman keep them.</source>
        <translation>Ordner mit iCalendar-Dateien, ein Unterordner pro Liste oder Kalender, so wie vdirsyncer, khal und todoman sie führen.</translation>
    </message>
    <message>
        <source>Velmoran&apos;s own folder. Add a vdirsyncer, khal or todoman folder to work on its lists and calendars.</source>
        <translation>Velmorans eigener Ordner. Fügen Sie einen Ordner von vdirsyncer, khal oder todoman hinzu, um mit dessen Listen und Kalendern zu arbeiten.</translation>
    </message>
    <message>
        <source>Choose a folder of lists and calendars</source>
        <translation>Einen Ordner mit Listen und Kalendern auswählen</translation>
    </message>
    <message>
        <source>This folder can&apos;t be used</source>
        <translation>Dieser Ordner kann nicht verwendet werden</translation>
    </message>
    <message numerus="yes">
        <source>%n list(s) and calendar(s)</source>
        <translation>
            <numerusform>%n Liste oder Kalender</numerusform>
            <numerusform>%n Listen und Kalender</numerusform>
        </translation>
    </message>
    <message>
        <source>Store Folders</source>
        <translation>Ablageordner</translation>
    </message>
</context>
<context>
    <name>SubtaskCommands</name>
    <message>
        <source>Add Subtask</source>
        <translation>Unteraufgabe hinzufügen</translation>
    </message>
    <message>
        <source>Indent</source>
        <translation>Einrücken</translation>
    </message>
    <message>
        <source>Outdent</source>
        <translation>Ausrücken</translation>
    </message>
    <message>
        <source>There is no task above this one to make it a subtask of.</source>
        <translation>Über dieser Aufgabe steht keine, deren Unteraufgabe sie werden könnte.</translation>
    </message>
    <message>
        <source>The task is not a subtask.</source>
        <translation>Die Aufgabe ist keine Unteraufgabe.</translation>
    </message>
    <message>
        <source>A task cannot be a subtask of itself or of one of its subtasks.</source>
        <translation>Eine Aufgabe kann nicht Unteraufgabe ihrer selbst oder einer ihrer Unteraufgaben sein.</translation>
    </message>
</context>
<context>
    <name>SubtaskCompletionQuestion</name>
    <message>
        <source>Complete Subtasks?</source>
        <translation>Unteraufgaben erledigen?</translation>
    </message>
    <message numerus="yes">
        <source>“%1” has %n open subtask(s).</source>
        <translation>
            <numerusform>„%1“ hat %n offene Unteraufgabe.</numerusform>
            <numerusform>„%1“ hat %n offene Unteraufgaben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Complete its subtasks with it, or only the task itself?</source>
        <translation>Ihre Unteraufgaben mit erledigen oder nur die Aufgabe selbst?</translation>
    </message>
    <message>
        <source>Complete All</source>
        <translation>Alle erledigen</translation>
    </message>
    <message>
        <source>Complete Only This</source>
        <translation>Nur diese erledigen</translation>
    </message>
    <message>
        <source>Remember my choice</source>
        <translation>Meine Wahl merken</translation>
    </message>
</context>
<context>
    <name>SubtaskFolding</name>
    <message>
        <source>The subtasks could not be hidden</source>
        <translation>Die Unteraufgaben konnten nicht ausgeblendet werden</translation>
    </message>
    <message>
        <source>The subtasks could not be shown</source>
        <translation>Die Unteraufgaben konnten nicht eingeblendet werden</translation>
    </message>
</context>
<context>
    <name>SubtaskOperations</name>
    <message>
        <source>Remove from Parent Task</source>
        <translation>Lösen von der übergeordneten Aufgabe</translation>
    </message>
    <message>
        <source>Make Subtask</source>
        <translation>Umwandeln in eine Unteraufgabe</translation>
    </message>
    <message>
        <source>The task is no longer in the store.</source>
        <translation>Die Aufgabe ist nicht mehr in der Ablage.</translation>
    </message>
    <message>
        <source>The parent task is no longer in the store.</source>
        <translation>Die übergeordnete Aufgabe ist nicht mehr in der Ablage.</translation>
    </message>
    <message>
        <source>A subtask must be in the list of its parent task.</source>
        <translation>Eine Unteraufgabe muss in der Liste ihrer übergeordneten Aufgabe stehen.</translation>
    </message>
    <message>
        <source>A task cannot be a subtask of itself or of one of its subtasks.</source>
        <translation>Eine Aufgabe kann nicht Unteraufgabe ihrer selbst oder einer ihrer Unteraufgaben sein.</translation>
    </message>
    <message>
        <source>Complete with Subtasks</source>
        <translation>Erledigen mit Unteraufgaben</translation>
    </message>
    <message>
        <source>Delete with Subtasks</source>
        <translation>Löschen mit Unteraufgaben</translation>
    </message>
</context>
<context>
    <name>SyncReport</name>
    <message>
        <source>The server refused the user name or password. Check them, or enter the password again in the account.</source>
        <translation>Der Server hat den Benutzernamen oder das Passwort abgelehnt. Prüfen Sie beides oder geben Sie das Passwort im Konto erneut ein.</translation>
    </message>
    <message>
        <source>The server does not let this user in there (403 Forbidden). Check the address, and the user&apos;s rights on the server.</source>
        <translation>Der Server lässt diesen Benutzer dort nicht zu (403 Forbidden). Prüfen Sie die Adresse und die Rechte des Benutzers auf dem Server.</translation>
    </message>
    <message>
        <source>The server refused changes to &quot;%1&quot; (403 Forbidden): the list is read-only for this user. The changes stay on this computer; ask the list&apos;s owner for the right to change it, or move the tasks to another list.</source>
        <translation>Der Server hat Änderungen an „%1“ abgelehnt (403 Forbidden): Die Liste ist für diesen Benutzer schreibgeschützt. Die Änderungen bleiben auf diesem Rechner; bitten Sie den Eigentümer der Liste um das Recht, sie zu ändern, oder verschieben Sie die Aufgaben in eine andere Liste.</translation>
    </message>
    <message>
        <source>The server cannot be reached. Check the address and the network.</source>
        <translation>Der Server ist nicht erreichbar. Prüfen Sie die Adresse und das Netzwerk.</translation>
    </message>
    <message>
        <source>The address does not lead to a CalDAV server.</source>
        <translation>Die Adresse führt zu keinem CalDAV-Server.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate is not trusted, or it does not speak HTTPS.</source>
        <translation>Dem Zertifikat des Servers wird nicht vertraut, oder er spricht kein HTTPS.</translation>
    </message>
    <message>
        <source>The server did not answer in time.</source>
        <translation>Der Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>A task was changed both here and on the server and could not be merged; both versions are unchanged.</source>
        <translation>Eine Aufgabe wurde sowohl hier als auch auf dem Server geändert und konnte nicht zusammengeführt werden; beide Fassungen bleiben unverändert.</translation>
    </message>
    <message>
        <source>A list chosen for syncing no longer exists on the server. Choose the account&apos;s lists again.</source>
        <translation>Eine zum Abgleich gewählte Liste existiert auf dem Server nicht mehr. Wählen Sie die Listen des Kontos erneut aus.</translation>
    </message>
    <message>
        <source>The password could not be read from the secret service. Unlock the keyring or enter the password again.</source>
        <translation>Das Passwort konnte nicht aus dem Geheimnisdienst gelesen werden. Entsperren Sie den Schlüsselbund oder geben Sie das Passwort erneut ein.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on this computer. To be safe nothing was deleted on the server; choose whether to delete the tasks there too.</source>
        <translation>Alle Aufgaben von „%1“ wurden auf diesem Rechner gelöscht. Zur Sicherheit wurde auf dem Server nichts gelöscht; entscheiden Sie, ob die Aufgaben auch dort gelöscht werden sollen.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on the server. To be safe nothing was deleted here; choose whether to delete the tasks here too.</source>
        <translation>Alle Aufgaben von „%1“ wurden auf dem Server gelöscht. Zur Sicherheit wurde hier nichts gelöscht; entscheiden Sie, ob die Aufgaben auch hier gelöscht werden sollen.</translation>
    </message>
    <message>
        <source>Syncing was stopped before it finished. What was synced is kept; the next sync goes on from there.</source>
        <translation>Der Abgleich wurde vor dem Ende angehalten. Was abgeglichen wurde, bleibt erhalten; der nächste Abgleich macht dort weiter.</translation>
    </message>
    <message>
        <source>vdirsyncer was ended from outside (signal %1) before the sync finished. What was synced is kept; sync again to finish.</source>
        <translation>vdirsyncer wurde von außen beendet (Signal %1), bevor der Abgleich fertig war. Was abgeglichen wurde, bleibt erhalten; gleichen Sie erneut ab, um ihn abzuschließen.</translation>
    </message>
    <message>
        <source>vdirsyncer failed without saying why. Nothing is lost by it; sync again.</source>
        <translation>vdirsyncer ist ohne Angabe von Gründen fehlgeschlagen. Dadurch geht nichts verloren; gleichen Sie erneut ab.</translation>
    </message>
    <message>
        <source>vdirsyncer failed: %1 Sync again; if it fails again, the details hold vdirsyncer&apos;s own words.</source>
        <translation>vdirsyncer ist fehlgeschlagen: %1 Gleichen Sie erneut ab; schlägt es wieder fehl, stehen in den Details die eigenen Worte von vdirsyncer.</translation>
    </message>
    <message numerus="yes">
        <source>%n received</source>
        <translation>
            <numerusform>%n empfangen</numerusform>
            <numerusform>%n empfangen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sent</source>
        <translation>
            <numerusform>%n gesendet</numerusform>
            <numerusform>%n gesendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n deleted here</source>
        <translation>
            <numerusform>%n hier gelöscht</numerusform>
            <numerusform>%n hier gelöscht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n deleted on the server</source>
        <translation>
            <numerusform>%n auf dem Server gelöscht</numerusform>
            <numerusform>%n auf dem Server gelöscht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n changed on both sides, both kept</source>
        <translation>
            <numerusform>%n auf beiden Seiten geändert, beide behalten</numerusform>
            <numerusform>%n auf beiden Seiten geändert, jeweils beide behalten</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to change</source>
        <translation>Nichts zu ändern</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no longer exists on the server and was left out; its tasks stay on this computer. Choose the account&apos;s lists again.</source>
        <translation>„%1“ existiert auf dem Server nicht mehr und wurde ausgelassen; ihre Aufgaben bleiben auf diesem Rechner. Wählen Sie die Listen des Kontos erneut aus.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on this computer. The list is left out of syncing until you choose whether to delete its tasks on the server too or to bring them back here.</source>
        <translation>Alle Aufgaben von „%1“ wurden auf diesem Rechner gelöscht. Die Liste bleibt vom Abgleich ausgenommen, bis Sie entscheiden, ob ihre Aufgaben auch auf dem Server gelöscht oder hierher zurückgeholt werden.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on the server; a copy of this computer&apos;s tasks is in %2. The list is left out of syncing until you choose whether to delete them here too or to send them back.</source>
        <translation>Alle Aufgaben von „%1“ wurden auf dem Server gelöscht; eine Kopie der Aufgaben dieses Rechners liegt in %2. Die Liste bleibt vom Abgleich ausgenommen, bis Sie entscheiden, ob sie auch hier gelöscht oder zurückgeschickt werden.</translation>
    </message>
    <message>
        <source>The tasks of &quot;%1&quot; were deleted on the server too.</source>
        <translation>Die Aufgaben von „%1“ wurden auch auf dem Server gelöscht.</translation>
    </message>
    <message>
        <source>The tasks of &quot;%1&quot; were deleted here too; a copy is in %2.</source>
        <translation>Die Aufgaben von „%1“ wurden auch hier gelöscht; eine Kopie liegt in %2.</translation>
    </message>
</context>
<context>
    <name>SyncScheduler</name>
    <message>
        <source>Syncing… (%1 of %2 lists)</source>
        <translation>Abgleich läuft … (%1 von %2 Listen)</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Abgleich läuft …</translation>
    </message>
    <message>
        <source>Not synced yet</source>
        <translation>Noch nicht abgeglichen</translation>
    </message>
    <message>
        <source>Synced at %1: %2</source>
        <translation>Abgeglichen um %1: %2</translation>
    </message>
    <message>
        <source>Sync failed at %1: %2</source>
        <translation>Abgleich um %1 fehlgeschlagen: %2</translation>
    </message>
</context>
<context>
    <name>SyncSetup</name>
    <message>
        <source>&quot;%1&quot; is not a web address (https://…).</source>
        <translation>„%1“ ist keine Webadresse (https://…).</translation>
    </message>
    <message>
        <source>Velmoran: %1 at %2</source>
        <translation>Velmoran: %1 auf %2</translation>
    </message>
    <message>
        <source>The account could not be saved in %1.</source>
        <translation>Das Konto konnte nicht in %1 gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>SyncTab</name>
    <message>
        <source>Save Current Preferences</source>
        <translation>Aktuelle Einstellungen speichern</translation>
    </message>
    <message>
        <source>Load…</source>
        <translation>Laden …</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Sets are kept in one file in the sync folder. Point it at a folder that Nextcloud, Syncthing or another file-sync service carries, and load a set saved on another computer.</source>
        <translation>Sätze werden in einer Datei im Abgleichordner aufbewahrt. Legen Sie ihn in einen Ordner, den Nextcloud, Syncthing oder ein anderer Dateiabgleichdienst überträgt, und laden Sie einen auf einem anderen Rechner gespeicherten Satz.</translation>
    </message>
    <message>
        <source>Sync Folder</source>
        <translation>Abgleichordner</translation>
    </message>
    <message>
        <source>VELMORAN_SYNC_DIR names the folder for this run</source>
        <translation>VELMORAN_SYNC_DIR bestimmt den Ordner für diesen Lauf</translation>
    </message>
    <message>
        <source>Unknown device</source>
        <translation>Unbekanntes Gerät</translation>
    </message>
    <message>
        <source>Are you sure you want to change preferences to this one?</source>
        <translation>Möchten Sie die Einstellungen wirklich durch diese ersetzen?</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Loaded the preferences saved on %1.</source>
        <translation>Die am %1 gespeicherten Einstellungen wurden geladen.</translation>
    </message>
    <message>
        <source>Loaded the preferences saved on %1. Not found here, so left out: %2.</source>
        <translation>Die am %1 gespeicherten Einstellungen wurden geladen. Hier nicht gefunden und daher ausgelassen: %2.</translation>
    </message>
    <message>
        <source>Choose the Sync Folder</source>
        <translation>Abgleichordner auswählen</translation>
    </message>
    <message>
        <source>Saved Sets</source>
        <translation>Gespeicherte Sätze</translation>
    </message>
</context>
<context>
    <name>TaskListAssembly</name>
    <message>
        <source>%1. %2</source>
        <translation>%1. %2</translation>
    </message>
</context>
<context>
    <name>TaskListDelegate</name>
    <message>
        <source>Calendar Events</source>
        <translation>Kalendertermine</translation>
    </message>
    <message>
        <source>No Tasks</source>
        <translation>Keine Aufgaben</translation>
    </message>
</context>
<context>
    <name>TaskListModel</name>
    <message>
        <source>No Tasks</source>
        <translation>Keine Aufgaben</translation>
    </message>
    <message>
        <source>Calendar Events</source>
        <translation>Kalendertermine</translation>
    </message>
</context>
<context>
    <name>TaskListPresenter</name>
    <message>
        <source>The task could not be reopened</source>
        <translation>Die Aufgabe konnte nicht wieder geöffnet werden</translation>
    </message>
    <message>
        <source>The task could not be completed</source>
        <translation>Die Aufgabe konnte nicht erledigt werden</translation>
    </message>
    <message>
        <source>The task could not be deleted</source>
        <translation>Die Aufgabe konnte nicht gelöscht werden</translation>
    </message>
</context>
<context>
    <name>TaskOperations</name>
    <message>
        <source>The task is no longer in the store.</source>
        <translation>Die Aufgabe ist nicht mehr in der Ablage.</translation>
    </message>
    <message>
        <source>The store is not open.</source>
        <translation>Die Ablage ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Completion Change</source>
        <translation>Änderung des Erledigt-Status</translation>
    </message>
    <message>
        <source>Delete Task</source>
        <translation>Löschen der Aufgabe</translation>
    </message>
</context>
<context>
    <name>TaskRowContent</name>
    <message>
        <source>Mail Link</source>
        <translation>E-Mail-Link</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>Überfällig</translation>
    </message>
    <message>
        <source>High Priority</source>
        <translation>Hohe Priorität</translation>
    </message>
    <message>
        <source>Medium Priority</source>
        <translation>Mittlere Priorität</translation>
    </message>
    <message>
        <source>Low Priority</source>
        <translation>Niedrige Priorität</translation>
    </message>
    <message>
        <source>Completed %1</source>
        <translation>Erledigt %1</translation>
    </message>
    <message>
        <source>Due %1</source>
        <translation>Fällig %1</translation>
    </message>
    <message>
        <source>Subtask of %1</source>
        <translation>Unteraufgabe von %1</translation>
    </message>
    <message>
        <source>Subtasks done: %1 of %2</source>
        <translation>Erledigte Unteraufgaben: %1 von %2</translation>
    </message>
    <message>
        <source>Expanded</source>
        <translation>Aufgeklappt</translation>
    </message>
    <message>
        <source>Collapsed</source>
        <translation>Zugeklappt</translation>
    </message>
</context>
<context>
    <name>TaskTableView</name>
    <message>
        <source>Complete</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <source>Reopen</source>
        <translation>Wieder öffnen</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message>
        <source>Marks the task as completed</source>
        <translation>Markiert die Aufgabe als erledigt</translation>
    </message>
    <message>
        <source>Marks the task as not completed</source>
        <translation>Markiert die Aufgabe als nicht erledigt</translation>
    </message>
    <message>
        <source>Shows the details of this row</source>
        <translation>Zeigt die Details dieser Zeile</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Aufklappen</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Zuklappen</translation>
    </message>
    <message>
        <source>Shows the subtasks of the task</source>
        <translation>Zeigt die Unteraufgaben der Aufgabe</translation>
    </message>
    <message>
        <source>Hides the subtasks of the task</source>
        <translation>Blendet die Unteraufgaben der Aufgabe aus</translation>
    </message>
</context>
<context>
    <name>UnreadableFile</name>
    <message>
        <source>larger than %1 MB</source>
        <translation>größer als %1 MB</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>not an iCalendar file: %1</source>
        <translation>keine iCalendar-Datei: %1</translation>
    </message>
</context>
<context>
    <name>UnreadableFilesBar</name>
    <message>
        <source>Files that could not be read</source>
        <translation>Dateien, die nicht gelesen werden konnten</translation>
    </message>
    <message>
        <source>Show Files…</source>
        <translation>Dateien anzeigen …</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) in your lists could not be read.</source>
        <translation>
            <numerusform>%n Datei in Ihren Listen konnte nicht gelesen werden.</numerusform>
            <numerusform>%n Dateien in Ihren Listen konnten nicht gelesen werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UnreadableFilesDialog</name>
    <message>
        <source>Files That Could Not Be Read</source>
        <translation>Dateien, die nicht gelesen werden konnten</translation>
    </message>
    <message>
        <source>These files in your lists are not shown. They are left as they are: fix or remove them in their folder.</source>
        <translation>Diese Dateien in Ihren Listen werden nicht angezeigt. Sie bleiben unverändert: Korrigieren oder entfernen Sie sie in ihrem Ordner.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Files that could not be read</source>
        <translation>Dateien, die nicht gelesen werden konnten</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
</context>
<context>
    <name>UrlRow</name>
    <message>
        <source>No URL</source>
        <translation>Keine URL</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Open URL (Ctrl+Return)</source>
        <translation>URL öffnen (Strg+Return)</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL öffnen</translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>Share List</source>
        <translation>Liste teilen</translation>
    </message>
    <message>
        <source>The task store refused the change.</source>
        <translation>Die Aufgabenablage hat die Änderung abgelehnt.</translation>
    </message>
    <message>
        <source>The task could not be moved</source>
        <translation>Die Aufgabe konnte nicht verschoben werden</translation>
    </message>
</context>
<context>
    <name>WeekDateView</name>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
</context>
<context>
    <name>WindowController</name>
    <message>
        <source>&amp;Undo</source>
        <extracomment>%1 names what is undone, as in &quot;Undo Delete Task&quot;.</extracomment>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>%1 names what is redone, as in &quot;Redo Delete Task&quot;.</extracomment>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
</context>
<context>
    <name>store::EventStore</name>
    <message>
        <source>A task removed from %1 cannot be kept in Recently Deleted: %2</source>
        <translation>Eine aus %1 entfernte Aufgabe kann nicht in „Zuletzt gelöscht“ aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Recently Deleted.</source>
        <translation>„%1“ ist nicht in „Zuletzt gelöscht“.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be restored: the task is in the store already (%2).</source>
        <translation>„%1“ kann nicht wiederhergestellt werden: Die Aufgabe ist bereits in der Ablage (%2).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be restored: there is no list to put it in.</source>
        <translation>„%1“ kann nicht wiederhergestellt werden: Es gibt keine Liste, in die sie kommen kann.</translation>
    </message>
    <message>
        <source>VELMORAN_STORE names &quot;%1&quot;, which is not a full path; give every folder from / (folders are separated by &apos;:&apos;)</source>
        <translation>VELMORAN_STORE nennt „%1“, was kein vollständiger Pfad ist; geben Sie jeden Ordner ab / an (Ordner werden durch „:“ getrennt)</translation>
    </message>
</context>
<context>
    <name>store::IcsItem</name>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
</context>
<context>
    <name>velmoran</name>
    <message>
        <source>A task manager for the desktop.</source>
        <translation>Eine Aufgabenverwaltung für die Arbeitsumgebung.</translation>
    </message>
    <message>
        <source>Add the selected (else the copied) text as a task.</source>
        <translation>Den ausgewählten (sonst den kopierten) Text als Aufgabe hinzufügen.</translation>
    </message>
    <message>
        <source>Start without opening the window (at login).</source>
        <translation>Starten, ohne das Fenster zu öffnen (bei der Anmeldung).</translation>
    </message>
    <message>
        <source>Bring the window to the front, or close it when it is in front (the first shortcut).</source>
        <translation>Das Fenster in den Vordergrund holen oder es schließen, wenn es vorn ist (das erste Tastenkürzel).</translation>
    </message>
    <message>
        <source>Open the tray panel, or close it when it is open (the second shortcut).</source>
        <translation>Die Kurzübersicht öffnen oder sie schließen, wenn sie geöffnet ist (das zweite Tastenkürzel).</translation>
    </message>
    <message>
        <source>Open the window for a new task.</source>
        <translation>Das Fenster für eine neue Aufgabe öffnen.</translation>
    </message>
    <message>
        <source>velmoran: URLs to open.</source>
        <translation>Zu öffnende velmoran:-URLs.</translation>
    </message>
    <message>
        <source>a URL</source>
        <translation>eine URL</translation>
    </message>
    <message>
        <source>%1 cannot be combined with %2; give one of them.</source>
        <translation>%1 kann nicht mit %2 kombiniert werden; geben Sie eines von beiden an.</translation>
    </message>
    <message>
        <source>the running instance refused the request: %1</source>
        <translation>die laufende Instanz hat die Anfrage abgelehnt: %1</translation>
    </message>
    <message>
        <source>no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session</source>
        <translation>keine grafische Anzeige (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt); starten Sie Velmoran aus einer grafischen Sitzung heraus</translation>
    </message>
    <message>
        <source>nothing is selected or copied; no task was added</source>
        <translation>nichts ist ausgewählt oder kopiert; es wurde keine Aufgabe hinzugefügt</translation>
    </message>
</context>
</TS>
