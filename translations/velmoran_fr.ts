<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutWindowController</name>
    <message>
        <source>FAQ</source>
        <translation>FAQ</translation>
    </message>
    <message>
        <source>Acknowledgements</source>
        <translation>Remerciements</translation>
    </message>
    <message>
        <source>About Velmoran</source>
        <translation>À propos de Velmoran</translation>
    </message>
    <message>
        <source>A task manager for your iCalendar folders.</source>
        <translation>Un gestionnaire de tâches pour vos dossiers iCalendar.</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or later. It comes with no warranty.</source>
        <translation>Logiciel libre sous licence publique générale GNU, version 3 ou ultérieure. Il est fourni sans aucune garantie.</translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>%1 %2 (built with %3)</source>
        <translation>%1 %2 (compilé avec %3)</translation>
    </message>
</context>
<context>
    <name>AccountSync</name>
    <message>
        <source>Sync</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on this computer.</source>
        <translation>Toutes les tâches de «&#xa0;%1&#xa0;» ont été supprimées sur cet ordinateur.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on the server.</source>
        <translation>Toutes les tâches de «&#xa0;%1&#xa0;» ont été supprimées sur le serveur.</translation>
    </message>
    <message>
        <source>Delete them on the server too, so that your other devices lose them as well, or bring them back here? Until you choose, the list is not synced.</source>
        <translation>Les supprimer aussi sur le serveur, pour que vos autres appareils les perdent également, ou les restaurer ici&#x202f;? Tant que vous n&apos;avez pas choisi, la liste n&apos;est pas synchronisée.</translation>
    </message>
    <message>
        <source>Delete them on this computer too, or send them back to the server? Either way a copy of this computer&apos;s tasks is in %1. Until you choose, the list is not synced.</source>
        <translation>Les supprimer aussi sur cet ordinateur, ou les renvoyer au serveur&#x202f;? Dans les deux cas, une copie des tâches de cet ordinateur se trouve dans %1. Tant que vous n&apos;avez pas choisi, la liste n&apos;est pas synchronisée.</translation>
    </message>
    <message>
        <source>Delete on the Server</source>
        <translation>Supprimer sur le serveur</translation>
    </message>
    <message>
        <source>Delete Here Too</source>
        <translation>Supprimer ici aussi</translation>
    </message>
    <message>
        <source>Bring Them Back</source>
        <translation>Les restaurer</translation>
    </message>
    <message>
        <source>Send Them Back</source>
        <translation>Les renvoyer</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
</context>
<context>
    <name>AccountsGroup</name>
    <message>
        <source>no list chosen</source>
        <translation>aucune liste choisie</translation>
    </message>
    <message>
        <source>%1 at %2 — %3</source>
        <translation>%1 sur %2 — %3</translation>
    </message>
    <message>
        <source>Add Account…</source>
        <translation>Ajouter un compte…</translation>
    </message>
    <message>
        <source>Choose Lists…</source>
        <translation>Choisir les listes…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Sync With It</source>
        <translation>L&apos;utiliser pour synchroniser</translation>
    </message>
    <message>
        <source>No account yet: add the CalDAV server your phone or other computers sync with.</source>
        <translation>Aucun compte pour l&apos;instant&#xa0;: ajoutez le serveur CalDAV avec lequel se synchronisent votre téléphone ou vos autres ordinateurs.</translation>
    </message>
    <message>
        <source>Also syncing with your own vdirsyncer configuration %1, as it is.</source>
        <translation>Synchronisation également avec votre propre configuration vdirsyncer %1, telle quelle.</translation>
    </message>
    <message>
        <source>Your own vdirsyncer configuration %1 can be used as it is: its folders become store folders and Velmoran runs &quot;vdirsyncer sync&quot; with it.</source>
        <translation>Votre propre configuration vdirsyncer %1 peut être utilisée telle quelle&#xa0;: ses dossiers deviennent des dossiers de stockage et Velmoran lance «&#xa0;vdirsyncer sync&#xa0;» avec elle.</translation>
    </message>
    <message>
        <source>Remove the account %1?</source>
        <translation>Retirer le compte %1&#x202f;?</translation>
    </message>
    <message>
        <source>Its password is taken out of the secret service and it is no longer synced. The tasks already on this computer stay in %1.</source>
        <translation>Son mot de passe est retiré du service de secrets et il n&apos;est plus synchronisé. Les tâches déjà présentes sur cet ordinateur restent dans %1.</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Comptes</translation>
    </message>
</context>
<context>
    <name>AddAccountDialog</name>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Add CalDAV Account</source>
        <translation>Ajouter un compte CalDAV</translation>
    </message>
    <message>
        <source>Choose Lists to Sync</source>
        <translation>Choisir les listes à synchroniser</translation>
    </message>
    <message>
        <source>https://example.org/dav/</source>
        <translation>https://example.org/dav/</translation>
    </message>
    <message>
        <source>Server:</source>
        <translation>Serveur&#xa0;:</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Nom d&apos;utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>kept in the secret service</source>
        <translation>conservé dans le service de secrets</translation>
    </message>
    <message>
        <source>Ask the Server Again</source>
        <translation>Interroger à nouveau le serveur</translation>
    </message>
    <message>
        <source>Asking the server…</source>
        <translation>Interrogation du serveur…</translation>
    </message>
    <message>
        <source>Enter the server&apos;s address, your user name and password.</source>
        <translation>Saisissez l&apos;adresse du serveur, votre nom d&apos;utilisateur et votre mot de passe.</translation>
    </message>
    <message>
        <source>Saving the password in the secret service… If your keyring asks to be unlocked, answer it; Cancel stops waiting.</source>
        <translation>Enregistrement du mot de passe dans le service de secrets… Si votre trousseau demande à être déverrouillé, répondez-lui&#x202f;; Annuler arrête l&apos;attente.</translation>
    </message>
    <message>
        <source>The server holds no task list or calendar for this user.</source>
        <translation>Le serveur ne contient aucune liste de tâches ni aucun agenda pour cet utilisateur.</translation>
    </message>
    <message>
        <source>Choose the lists and calendars to keep on this computer:</source>
        <translation>Choisissez les listes et les agendas à conserver sur cet ordinateur&#xa0;:</translation>
    </message>
    <message>
        <source>No longer on the server, so no longer synced: %1. Their tasks stay on this computer.</source>
        <translation>Absentes du serveur, donc plus synchronisées&#xa0;: %1. Leurs tâches restent sur cet ordinateur.</translation>
    </message>
    <message>
        <source>The sync configuration could not be written to %1.</source>
        <translation>Impossible d&apos;écrire la configuration de synchronisation dans %1.</translation>
    </message>
</context>
<context>
    <name>AddListWindowController</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>List name</source>
        <translation>Nom de la liste</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Nom&#xa0;:</translation>
    </message>
    <message>
        <source>Add New List</source>
        <translation>Ajouter une nouvelle liste</translation>
    </message>
    <message>
        <source>Edit List</source>
        <translation>Modifier la liste</translation>
    </message>
    <message>
        <source>The list could not be changed</source>
        <translation>Impossible de modifier la liste</translation>
    </message>
    <message>
        <source>The list could not be created</source>
        <translation>Impossible de créer la liste</translation>
    </message>
    <message>
        <source>The task store refused the change.</source>
        <translation>Le stockage des tâches a refusé la modification.</translation>
    </message>
</context>
<context>
    <name>AddMergedListWindowController</name>
    <message>
        <source>Merged List</source>
        <translation>Liste fusionnée</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listes</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>No priority</source>
        <translation>Aucune priorité</translation>
    </message>
    <message>
        <source>Low priority</source>
        <translation>Priorité basse</translation>
    </message>
    <message>
        <source>Medium priority</source>
        <translation>Priorité moyenne</translation>
    </message>
    <message>
        <source>High priority</source>
        <translation>Priorité haute</translation>
    </message>
    <message>
        <source>Add Smart List</source>
        <translation>Ajouter une liste intelligente</translation>
    </message>
    <message>
        <source>Edit List</source>
        <translation>Modifier la liste</translation>
    </message>
    <message>
        <source>Type in a name</source>
        <translation>Saisissez un nom</translation>
    </message>
    <message>
        <source>Need at least one list</source>
        <translation>Au moins une liste est nécessaire</translation>
    </message>
    <message>
        <source>Need at least one priority</source>
        <translation>Au moins une priorité est nécessaire</translation>
    </message>
</context>
<context>
    <name>AddTagListWindowController</name>
    <message>
        <source>Smart List</source>
        <translation>Liste intelligente</translation>
    </message>
    <message>
        <source>Tag or search text</source>
        <translation>Étiquette ou texte à rechercher</translation>
    </message>
    <message>
        <source>Add Smart List</source>
        <translation>Ajouter une liste intelligente</translation>
    </message>
    <message>
        <source>Edit List</source>
        <translation>Modifier la liste</translation>
    </message>
</context>
<context>
    <name>AddViewController</name>
    <message>
        <source>New Task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>New Task Added</source>
        <translation>Nouvelle tâche ajoutée</translation>
    </message>
</context>
<context>
    <name>AdvancedPage</name>
    <message>
        <source>Smart List</source>
        <translation>Liste intelligente</translation>
    </message>
    <message>
        <source>Quick Actions</source>
        <translation>Actions rapides</translation>
    </message>
    <message>
        <source>Smart Add</source>
        <translation>Ajout intelligent</translation>
    </message>
    <message>
        <source>Sync Preferences</source>
        <translation>Synchroniser les préférences</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Preferences Not Saved</source>
        <translation>Préférences non enregistrées</translation>
    </message>
    <message>
        <source>Velmoran could not save a change to its preferences: %1. The change holds until Velmoran quits; free some space or fix the folder&apos;s permissions, then change it again.</source>
        <translation>Velmoran n&apos;a pas pu enregistrer une modification de ses préférences&#xa0;: %1. La modification reste valable jusqu&apos;à la fermeture de Velmoran&#x202f;; libérez de l&apos;espace ou corrigez les droits du dossier, puis modifiez-la à nouveau.</translation>
    </message>
</context>
<context>
    <name>AppearancePage</name>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
    <message>
        <source>Scheduled</source>
        <translation>Programmé</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Huge</source>
        <translation>Très grande</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Taille de police</translation>
    </message>
    <message>
        <source>Night Mode</source>
        <translation>Mode nuit</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>To</source>
        <translation>À</translation>
    </message>
    <message>
        <source>Use English Instead of the Desktop&apos;s Language</source>
        <translation>Utiliser l&apos;anglais au lieu de la langue du bureau</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Takes effect the next time Velmoran starts.</source>
        <translation>Prend effet au prochain démarrage de Velmoran.</translation>
    </message>
</context>
<context>
    <name>ApplicationInterface</name>
    <message>
        <source>The URL is longer than %1 characters.</source>
        <translation>L&apos;URL dépasse %1 caractères.</translation>
    </message>
    <message>
        <source>Only %1: URLs are accepted.</source>
        <translation>Seules les URL %1: sont acceptées.</translation>
    </message>
    <message>
        <source>The text is longer than %1 characters.</source>
        <translation>Le texte dépasse %1 caractères.</translation>
    </message>
    <message>
        <source>The text is empty.</source>
        <translation>Le texte est vide.</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot sync %1: %2</source>
        <translation>Impossible d&apos;écrire %1 sur le disque&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Impossible de créer %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 changed while being read</source>
        <translation>%1 a été modifié pendant sa lecture</translation>
    </message>
    <message>
        <source>Cannot replace %1: %2</source>
        <translation>Impossible de remplacer %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Cannot remove %1: %2</source>
        <translation>Impossible de supprimer %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>AutostartEntry</name>
    <message>
        <source>The autostart entry %1 cannot be removed.</source>
        <translation>Impossible de supprimer l&apos;entrée de démarrage automatique %1.</translation>
    </message>
    <message>
        <source>The autostart folder %1 cannot be created.</source>
        <translation>Impossible de créer le dossier de démarrage automatique %1.</translation>
    </message>
    <message>
        <source>The autostart entry %1 cannot be written: %2</source>
        <translation>Impossible d&apos;écrire l&apos;entrée de démarrage automatique %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>CalendarText</name>
    <message>
        <source>its %1 &quot;%2&quot; is not a date</source>
        <translation>son %1 « %2 » n’est pas une date</translation>
    </message>
    <message>
        <source>the event has no start (DTSTART)</source>
        <translation>l’événement n’a pas de début (DTSTART)</translation>
    </message>
    <message>
        <source>the file ends before its END:%1</source>
        <translation>le fichier se termine avant son END:%1</translation>
    </message>
    <message>
        <source>its END:%1 is missing</source>
        <translation>son END:%1 manque</translation>
    </message>
    <message>
        <source>END:%1 closes BEGIN:%2</source>
        <translation>END:%1 ferme BEGIN:%2</translation>
    </message>
    <message>
        <source>it is not an iCalendar file (no BEGIN:VCALENDAR)</source>
        <translation>ce n’est pas un fichier iCalendar (pas de BEGIN:VCALENDAR)</translation>
    </message>
    <message>
        <source>its UID %1 is another item&apos;s already</source>
        <translation>son UID %1 est déjà celui d’un autre élément</translation>
    </message>
</context>
<context>
    <name>CheckDateRow</name>
    <message>
        <source>Remind Before the Due Time</source>
        <translation>Rappeler avant l&apos;heure d&apos;échéance</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>warning: %1</source>
        <translation>avertissement&#xa0;: %1</translation>
    </message>
    <message>
        <source>use HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm</source>
        <translation>utilisez HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd ou yyyy-MM-dd HH:mm</translation>
    </message>
    <message>
        <source>no task has the identifier &quot;%1&quot; (see &quot;tasks&quot;)</source>
        <translation>aucune tâche n&apos;a l&apos;identifiant «&#xa0;%1&#xa0;» (voir «&#xa0;tasks&#xa0;»)</translation>
    </message>
    <message>
        <source>nothing was added: no title is left once the Smart Add words are taken out, or the store refused the task</source>
        <translation>rien n&apos;a été ajouté&#xa0;: il ne reste aucun titre une fois les mots de l&apos;ajout intelligent retirés, ou le stockage a refusé la tâche</translation>
    </message>
    <message>
        <source>nothing was added: the title is empty, or the store refused the task</source>
        <translation>rien n&apos;a été ajouté&#xa0;: le titre est vide, ou le stockage a refusé la tâche</translation>
    </message>
    <message>
        <source>not a %1: URL with the command add, smartadd or open</source>
        <translation>pas une URL %1: avec la commande add, smartadd ou open</translation>
    </message>
    <message>
        <source>the due date &quot;%1&quot; cannot be read; the task has no due date</source>
        <translation>impossible de lire l&apos;échéance «&#xa0;%1&#xa0;»&#x202f;; la tâche n&apos;a pas d&apos;échéance</translation>
    </message>
    <message>
        <source>cannot read the due date &quot;%1&quot;; %2</source>
        <translation>impossible de lire l&apos;échéance «&#xa0;%1&#xa0;»&#x202f;; %2</translation>
    </message>
    <message>
        <source>--due-after %1 is too far in the future</source>
        <translation>--due-after %1 est trop loin dans le futur</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot;; the task goes into &quot;%2&quot;</source>
        <translation>aucune liste ne s&apos;appelle «&#xa0;%1&#xa0;»&#x202f;; la tâche va dans «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>the task could not be completed: %1</source>
        <translation>impossible de terminer la tâche&#xa0;: %1</translation>
    </message>
    <message>
        <source>the task could not be deleted: %1</source>
        <translation>impossible de supprimer la tâche&#xa0;: %1</translation>
    </message>
    <message>
        <source>cannot read the date &quot;%1&quot;; use YYYY-MM-DD or YYYY-MM-DDTHH:MM</source>
        <translation>impossible de lire la date «&#xa0;%1&#xa0;»&#x202f;; utilisez AAAA-MM-JJ ou AAAA-MM-JJTHH:MM</translation>
    </message>
    <message>
        <source>%1 is not later than %2</source>
        <translation>%1 n&apos;est pas postérieur à %2</translation>
    </message>
    <message>
        <source>this command does not use the task store</source>
        <translation>cette commande n&apos;utilise pas le stockage des tâches</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be deleted: %2</source>
        <translation>impossible de supprimer «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Recently Deleted; &quot;deleted&quot; lists what is.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas dans les Suppressions récentes&#x202f;; «&#xa0;deleted&#xa0;» liste leur contenu.</translation>
    </message>
    <message>
        <source>Restored &quot;%1&quot; into &quot;%2&quot;: its own list no longer exists.</source>
        <translation>Restauration de «&#xa0;%1&#xa0;» dans «&#xa0;%2&#xa0;»&#xa0;: sa propre liste n&apos;existe plus.</translation>
    </message>
    <message>
        <source>Restored &quot;%1&quot; into &quot;%2&quot;.</source>
        <translation>Restauration de «&#xa0;%1&#xa0;» dans «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>Print JSON instead of one line per record.</source>
        <translation>Afficher du JSON au lieu d&apos;une ligne par enregistrement.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>A sidebar list type (tasks).</source>
        <translation>Un type de liste de la barre latérale (tasks).</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>TYPE</translation>
    </message>
    <message>
        <source>The tag, merged list or search text of --filter.</source>
        <translation>L&apos;étiquette, la liste fusionnée ou le texte recherché de --filter.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTE</translation>
    </message>
    <message>
        <source>Tasks whose title or notes hold every word.</source>
        <translation>Les tâches dont le titre ou les notes contiennent tous les mots.</translation>
    </message>
    <message>
        <source>The day view of today or of DATE (tasks).</source>
        <translation>La vue du jour d&apos;aujourd&apos;hui ou de DATE (tasks).</translation>
    </message>
    <message>
        <source>The week view of this week or DATE&apos;s (tasks).</source>
        <translation>La vue de la semaine de cette semaine ou de celle de DATE (tasks).</translation>
    </message>
    <message>
        <source>The month view of this month or DATE&apos;s (tasks).</source>
        <translation>La vue du mois de ce mois-ci ou de celui de DATE (tasks).</translation>
    </message>
    <message>
        <source>The title (add).</source>
        <translation>Le titre (add).</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>PRIORITY</source>
        <translation>PRIORITÉ</translation>
    </message>
    <message>
        <source>DUE</source>
        <translation>ÉCHÉANCE</translation>
    </message>
    <message>
        <source>Due this many minutes from now (add).</source>
        <translation>Échéance dans ce nombre de minutes (add).</translation>
    </message>
    <message>
        <source>MINUTES</source>
        <translation>MINUTES</translation>
    </message>
    <message>
        <source>ON|OFF</source>
        <translation>ON|OFF</translation>
    </message>
    <message>
        <source>The files of the lists that could not be read (lists).</source>
        <translation>Les fichiers des listes qui n&apos;ont pas pu être lus (lists).</translation>
    </message>
    <message>
        <source>Delete everything in Recently Deleted for good (deleted).</source>
        <translation>Supprimer définitivement tout le contenu des Suppressions récentes (deleted).</translation>
    </message>
    <message>
        <source>Pass on the emptying of this list to the other side (sync).</source>
        <translation>Reporter le vidage de cette liste de l&apos;autre côté (sync).</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>LISTE</translation>
    </message>
    <message>
        <source>Bring the tasks of this emptied list back (sync).</source>
        <translation>Restaurer les tâches de cette liste vidée (sync).</translation>
    </message>
    <message>
        <source>What to do (see above).</source>
        <translation>Ce qu&apos;il faut faire (voir ci-dessus).</translation>
    </message>
    <message>
        <source>command [arguments]</source>
        <translation>commande [arguments]</translation>
    </message>
    <message>
        <source>no command given; see --help</source>
        <translation>aucune commande indiquée&#x202f;; voir --help</translation>
    </message>
    <message>
        <source>account takes &quot;add URL USER&quot; or &quot;lists ACCOUNT [LIST...]&quot;</source>
        <translation>account attend «&#xa0;add URL UTILISATEUR&#xa0;» ou «&#xa0;lists COMPTE [LISTE...]&#xa0;»</translation>
    </message>
    <message>
        <source>sync-conflict takes FOLDER LOCAL REMOTE</source>
        <translation>sync-conflict attend DOSSIER LOCAL DISTANT</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;; see --help</source>
        <translation>commande inconnue «&#xa0;%1&#xa0;»&#x202f;; voir --help</translation>
    </message>
    <message>
        <source>url takes one URL</source>
        <translation>url attend une URL</translation>
    </message>
    <message>
        <source>smartadd takes the text</source>
        <translation>smartadd attend le texte</translation>
    </message>
    <message>
        <source>lists takes no arguments</source>
        <translation>lists n&apos;attend aucun argument</translation>
    </message>
    <message>
        <source>%1 takes one task identifier</source>
        <translation>%1 attend un identifiant de tâche</translation>
    </message>
    <message>
        <source>events takes two dates, FROM and TO</source>
        <translation>events attend deux dates, DÉBUT et FIN</translation>
    </message>
    <message>
        <source>sync takes no arguments</source>
        <translation>sync n&apos;attend aucun argument</translation>
    </message>
    <message>
        <source>deleted takes no arguments</source>
        <translation>deleted n&apos;attend aucun argument</translation>
    </message>
    <message>
        <source>restore takes the identifiers of deleted items</source>
        <translation>restore attend les identifiants d&apos;éléments supprimés</translation>
    </message>
    <message>
        <source>--%1 does not apply to this command</source>
        <translation>--%1 ne s&apos;applique pas à cette commande</translation>
    </message>
    <message>
        <source>prefs takes &quot;get KEY&quot; or &quot;set KEY JSON-VALUE&quot;</source>
        <translation>prefs attend «&#xa0;get CLÉ&#xa0;» ou «&#xa0;set CLÉ VALEUR-JSON&#xa0;»</translation>
    </message>
    <message>
        <source>give the title either as --text or as arguments, not both</source>
        <translation>indiquez le titre soit avec --text, soit en arguments, pas les deux</translation>
    </message>
    <message>
        <source>add needs a title</source>
        <translation>add nécessite un titre</translation>
    </message>
    <message>
        <source>--priority takes none, low, medium or high, not &quot;%1&quot;</source>
        <translation>--priority attend none, low, medium ou high, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>give either --due or --due-after, not both</source>
        <translation>indiquez soit --due, soit --due-after, pas les deux</translation>
    </message>
    <message>
        <source>--due needs a date</source>
        <translation>--due nécessite une date</translation>
    </message>
    <message>
        <source>--due-after takes a whole number of minutes, not &quot;%1&quot;</source>
        <translation>--due-after attend un nombre entier de minutes, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--alarm takes on or off, not &quot;%1&quot;</source>
        <translation>--alarm attend on ou off, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>give at most one of --list, --filter, --search, --day, --week and --month</source>
        <translation>indiquez au plus une option parmi --list, --filter, --search, --day, --week et --month</translation>
    </message>
    <message>
        <source>--list needs a list name</source>
        <translation>--list nécessite un nom de liste</translation>
    </message>
    <message>
        <source>--search needs a text</source>
        <translation>--search nécessite un texte</translation>
    </message>
    <message>
        <source>--filter takes a list type from 0 to 15, not &quot;%1&quot;</source>
        <translation>--filter attend un type de liste de 0 à 15, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>for one list, use --list NAME</source>
        <translation>pour une seule liste, utilisez --list NOM</translation>
    </message>
    <message>
        <source>for a search, use --search TEXT</source>
        <translation>pour une recherche, utilisez --search TEXTE</translation>
    </message>
    <message>
        <source>--tag applies to --filter 8, 9 and 15 only</source>
        <translation>--tag ne s&apos;applique qu&apos;à --filter 8, 9 et 15</translation>
    </message>
    <message>
        <source>--filter %1 needs --tag</source>
        <translation>--filter %1 nécessite --tag</translation>
    </message>
    <message>
        <source>tasks takes no arguments</source>
        <translation>tasks n&apos;attend aucun argument</translation>
    </message>
    <message>
        <source>--day, --week and --month take at most one date</source>
        <translation>--day, --week et --month attendent au plus une date</translation>
    </message>
    <message>
        <source>cannot read the date &quot;%1&quot;; use YYYY-MM-DD, such as 2026-12-24</source>
        <translation>impossible de lire la date «&#xa0;%1&#xa0;»&#x202f;; utilisez AAAA-MM-JJ, par exemple 2026-12-24</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true ou false</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>un nombre</translation>
    </message>
    <message>
        <source>a string</source>
        <translation>une chaîne</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>un tableau</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>un objet</translation>
    </message>
    <message>
        <source>a value of its own kind</source>
        <translation>une valeur de son propre type</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a JSON value (a string needs its quotes: &apos;&quot;08:00&quot;&apos;)</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une valeur JSON (une chaîne doit avoir ses guillemets&#xa0;: &apos;&quot;08:00&quot;&apos;)</translation>
    </message>
    <message>
        <source>%1 takes %2</source>
        <translation>%1 attend %2</translation>
    </message>
    <message>
        <source>the preferences could not be written</source>
        <translation>impossible d&apos;écrire les préférences</translation>
    </message>
    <message>
        <source>the preferences could not be written: %1</source>
        <translation>impossible d&apos;écrire les préférences&#xa0;: %1</translation>
    </message>
    <message>
        <source>To delete the tasks of &quot;%1&quot; on the other side too: velmoran-cli sync --allow-emptied &quot;%1&quot;; to bring them back: velmoran-cli sync --restore-emptied &quot;%1&quot;.</source>
        <translation>Pour supprimer aussi les tâches de «&#xa0;%1&#xa0;» de l&apos;autre côté&#xa0;: velmoran-cli sync --allow-emptied &quot;%1&quot;&#x202f;; pour les restaurer&#xa0;: velmoran-cli sync --restore-emptied &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>To choose the lists of %1 again: velmoran-cli account lists %1 LIST...</source>
        <translation>Pour choisir à nouveau les listes de %1&#xa0;: velmoran-cli account lists %1 LISTE...</translation>
    </message>
    <message>
        <source>No CalDAV account is set up; add one with &quot;account add URL USER&quot;.</source>
        <translation>Aucun compte CalDAV n&apos;est configuré&#x202f;; ajoutez-en un avec «&#xa0;account add URL UTILISATEUR&#xa0;».</translation>
    </message>
    <message>
        <source>No synced list is called &quot;%1&quot;.</source>
        <translation>Aucune liste synchronisée ne s&apos;appelle «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Synced %1: %2</source>
        <translation>Synchronisation de %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>No account is called &quot;%1&quot;; the accounts: %2</source>
        <translation>Aucun compte ne s&apos;appelle «&#xa0;%1&#xa0;»&#x202f;; les comptes&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 (no longer on the server)</source>
        <translation>%1 (plus sur le serveur)</translation>
    </message>
    <message>
        <source>The server has no list &quot;%1&quot;.</source>
        <translation>Le serveur n&apos;a pas de liste «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The sync configuration could not be written to %1.</source>
        <translation>Impossible d&apos;écrire la configuration de synchronisation dans %1.</translation>
    </message>
    <message>
        <source>%1 syncs these lists from now on: %2</source>
        <translation>%1 synchronise désormais ces listes&#xa0;: %2</translation>
    </message>
    <message>
        <source>Give the password on standard input.</source>
        <translation>Donnez le mot de passe sur l&apos;entrée standard.</translation>
    </message>
    <message>
        <source>Added %1 (%2) with the lists: %3</source>
        <translation>Compte %1 (%2) ajouté avec les listes&#xa0;: %3</translation>
    </message>
    <message>
        <source>The conflict could not be settled: %1</source>
        <translation>Impossible de résoudre le conflit&#xa0;: %1</translation>
    </message>
    <message>
        <source>Kept both versions: &quot;%1&quot; is this computer&apos;s.</source>
        <translation>Les deux versions ont été conservées&#xa0;: «&#xa0;%1&#xa0;» est celle de cet ordinateur.</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot; (see &quot;lists&quot;)</source>
        <translation>aucune liste ne s&apos;appelle «&#xa0;%1&#xa0;» (voir «&#xa0;lists&#xa0;»)</translation>
    </message>
    <message>
        <source>no merged list is called &quot;%1&quot;</source>
        <translation>aucune liste fusionnée ne s&apos;appelle «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>that date cannot be shown</source>
        <translation>impossible d&apos;afficher cette date</translation>
    </message>
    <message>
        <source>the tasks could not be read</source>
        <translation>impossible de lire les tâches</translation>
    </message>
    <message>
        <source>%1=&quot;%2&quot; is not an ISO date and time, such as 2026-12-24T10:00</source>
        <translation>%1=&quot;%2&quot; n&apos;est pas une date et heure ISO, comme 2026-12-24T10:00</translation>
    </message>
    <message numerus="yes">
        <source>Deleted %n item(s) for good.</source>
        <translation>
            <numerusform>%n élément supprimé définitivement.</numerusform>
            <numerusform>%n éléments supprimés définitivement.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored the list &quot;%1&quot; with %n task(s).</source>
        <translation>
            <numerusform>Restauration de la liste «&#xa0;%1&#xa0;» avec %n tâche.</numerusform>
            <numerusform>Restauration de la liste «&#xa0;%1&#xa0;» avec %n tâches.</numerusform>
        </translation>
    </message>
    <message>
        <source>the task could not be moved: %1</source>
        <translation>impossible de déplacer la tâche&#xa0;: %1</translation>
    </message>
    <message>
        <source>Subtasks indented under their parents (tasks).</source>
        <translation>Les sous-tâches en retrait sous leur tâche parente (tasks).</translation>
    </message>
    <message>
        <source>The task to be a subtask of (add, move).</source>
        <translation>La tâche dont elle devient une sous-tâche (add, move).</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Make the task one on its own (move).</source>
        <translation>Fait de la tâche une tâche indépendante (move).</translation>
    </message>
    <message>
        <source>give either --list or --parent, not both: a subtask is in its parent&apos;s list</source>
        <translation>indiquez --list ou --parent, pas les deux&#xa0;: une sous-tâche est dans la liste de sa tâche parente</translation>
    </message>
    <message>
        <source>--parent needs a task identifier</source>
        <translation>--parent demande un identifiant de tâche</translation>
    </message>
    <message>
        <source>move takes either --parent ID or --no-parent</source>
        <translation>move accepte soit --parent ID, soit --no-parent</translation>
    </message>
    <message>
        <source>move takes one task identifier</source>
        <translation>move accepte un identifiant de tâche</translation>
    </message>
    <message>
        <source>--%1 needs a due date, and the task has none: give --due as well</source>
        <translation>--%1 demande une échéance, et la tâche n&apos;en a pas&#xa0;: indiquez aussi --due</translation>
    </message>
    <message>
        <source>--url &quot;%1&quot; holds no link</source>
        <translation>--url «&#xa0;%1&#xa0;» ne contient aucun lien</translation>
    </message>
    <message>
        <source>--list: no list is called &quot;%1&quot; (see &quot;lists&quot;)</source>
        <translation>--list&#xa0;: aucune liste ne s&apos;appelle «&#xa0;%1&#xa0;» (voir «&#xa0;lists&#xa0;»)</translation>
    </message>
    <message>
        <source>--due: cannot read the due date &quot;%1&quot;; use HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm</source>
        <translation>--due&#xa0;: l&apos;échéance «&#xa0;%1&#xa0;» est illisible&#x202f;; utilisez HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd ou yyyy-MM-dd HH:mm</translation>
    </message>
    <message>
        <source>--repeat &quot;%1&quot; is no repeat rule: %2</source>
        <translation>--repeat «&#xa0;%1&#xa0;» n&apos;est pas une règle de répétition&#xa0;: %2</translation>
    </message>
    <message>
        <source>--repeat &quot;%1&quot; ends before the due date, so the task would never repeat</source>
        <translation>--repeat «&#xa0;%1&#xa0;» se termine avant l&apos;échéance, la tâche ne se répéterait donc jamais</translation>
    </message>
    <message>
        <source>--alarm takes on, off or a date in the forms of --due, not &quot;%1&quot;</source>
        <translation>--alarm accepte on, off ou une date sous les formes de --due, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the task was not changed: %1</source>
        <translation>la tâche n&apos;a pas été modifiée&#xa0;: %1</translation>
    </message>
    <message>
        <source>give either --%1 or --%2, not both</source>
        <translation>indiquez --%1 ou --%2, pas les deux</translation>
    </message>
    <message>
        <source>The task&apos;s iCalendar file as well (show).</source>
        <translation>Ainsi que le fichier iCalendar de la tâche (show).</translation>
    </message>
    <message>
        <source>The new title (edit).</source>
        <translation>Le nouveau titre (edit).</translation>
    </message>
    <message>
        <source>Take the due date away, with its repeat and time alarms (edit).</source>
        <translation>Retire l&apos;échéance, avec sa répétition et ses alarmes horaires (edit).</translation>
    </message>
    <message>
        <source>The due time, on the due date&apos;s day (edit).</source>
        <translation>L&apos;heure d&apos;échéance, le jour de l&apos;échéance (edit).</translation>
    </message>
    <message>
        <source>HH:mm</source>
        <translation>HH:mm</translation>
    </message>
    <message>
        <source>Due on the day, without a time of day (edit).</source>
        <translation>Échéance le jour même, sans heure (edit).</translation>
    </message>
    <message>
        <source>The repeat rule, such as FREQ=WEEKLY;BYDAY=MO, or repeat words such as &quot;every Monday&quot; (edit).</source>
        <translation>La règle de répétition, par exemple FREQ=WEEKLY;BYDAY=MO, ou des mots de répétition comme « chaque lundi » (edit).</translation>
    </message>
    <message>
        <source>RULE</source>
        <translation>RÈGLE</translation>
    </message>
    <message>
        <source>Stop repeating (edit).</source>
        <translation>Ne plus répéter (edit).</translation>
    </message>
    <message>
        <source>Take the time alarms away (edit).</source>
        <translation>Retire les alarmes horaires (edit).</translation>
    </message>
    <message>
        <source>--title needs a text</source>
        <translation>--title demande un texte</translation>
    </message>
    <message>
        <source>--time takes HH:mm, such as 09:30, not &quot;%1&quot;</source>
        <translation>--time accepte HH:mm, par exemple 09:30, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--repeat needs a rule</source>
        <translation>--repeat demande une règle</translation>
    </message>
    <message>
        <source>--alarm takes on, off or a date</source>
        <translation>--alarm accepte on, off ou une date</translation>
    </message>
    <message>
        <source>A link stored with the task (add, edit).</source>
        <translation>Un lien enregistré avec la tâche (add, edit).</translation>
    </message>
    <message>
        <source>Notes (add, edit).</source>
        <translation>Les notes (add, edit).</translation>
    </message>
    <message>
        <source>none, low, medium or high, or 0, 1, 2, 3 (add, edit).</source>
        <translation>none, low, medium ou high, ou 0, 1, 2, 3 (add, edit).</translation>
    </message>
    <message>
        <source>The due date (add, edit).</source>
        <translation>L&apos;échéance (add, edit).</translation>
    </message>
    <message>
        <source>on or off; without it the &quot;alarmOn&quot; preference decides (add). Edit also takes a date in the forms of --due.</source>
        <translation>on ou off&#x202f;; sans cette option, la préférence «&#xa0;alarmOn&#xa0;» décide (add). Edit accepte aussi une date sous les formes de --due.</translation>
    </message>
    <message>
        <source>show takes one task identifier</source>
        <translation>show prend un identifiant de tâche</translation>
    </message>
    <message>
        <source>edit takes one task identifier</source>
        <translation>edit prend un identifiant de tâche</translation>
    </message>
    <message>
        <source>edit takes at least one of the options that change a task; see --help</source>
        <translation>edit demande au moins une des options qui modifient une tâche&#x202f;; voir --help</translation>
    </message>
    <message>
        <source>&quot;%1&quot; repeats and is open; each completed occurrence is a task of its own, which &quot;tasks --completed&quot; lists</source>
        <translation>«&#xa0;%1&#xa0;» se répète et est en cours&#x202f;; chaque occurrence terminée est une tâche à part, que «&#xa0;tasks --completed&#xa0;» affiche</translation>
    </message>
    <message>
        <source>the task could not be reopened: %1</source>
        <translation>la tâche n&apos;a pas pu être rouverte&#xa0;: %1</translation>
    </message>
    <message>
        <source>the task&apos;s file cannot be read: %1</source>
        <translation>le fichier de la tâche est illisible&#xa0;: %1</translation>
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
        <translation>Velmoran sans fenêtre&#xa0;: ajouter, lister, afficher, modifier, terminer et supprimer
des tâches, lire les événements et les préférences, avec le même stockage des
tâches et les mêmes préférences que l&apos;application.

Commandes&#xa0;:
  url URL                   exécute une commande d&apos;URL velmoran: (add, smartadd,
                            open)&#x202f;; «&#xa0;open&#xa0;» affiche la tâche
  add [TITRE]               ajoute une tâche&#x202f;; accepte --text, --list, --url,
                            --notes, --priority, --due, --due-after, --alarm, et
                            --parent ID pour une sous-tâche (dans la liste de sa
                            tâche parente)
  smartadd TEXTE            ajoute une tâche à partir d&apos;une ligne en syntaxe
                            d&apos;ajout intelligent
  lists                     les listes de tâches
  lists --problems          les fichiers des listes qui n&apos;ont pas pu être lus,
                            et pourquoi&#x202f;; code de sortie 1 s&apos;il y en a
  tasks                     les tâches en cours de toutes les listes visibles,
                            ou d&apos;une seule --list, --filter ou --search&#x202f;;
                            --completed inclut les tâches terminées&#x202f;;
                            --tree met les sous-tâches en retrait sous leur parente
  tasks --day|--week|--month [DATE]
                            les tâches puis les événements que la fenêtre
                            affiche pour ce jour, cette semaine ou ce mois (DATE
                            AAAA-MM-JJ, aujourd&apos;hui par défaut), avec les
                            préférences d&apos;affichage&#x202f;; les tâches terminées de la
                            période en cours suivent «&#xa0;showCompleted&#xa0;», sauf si
                            --completed est indiqué
  show ID                   tous les champs d&apos;une tâche, un par ligne&#x202f;; --raw
                            ajoute son fichier iCalendar tel qu&apos;il est stocké
  edit ID                   modifie ce que nomment les options et rien d&apos;autre&#xa0;:
                            --title, --due ou --no-due, --time ou --no-time,
                            --priority, --list, --notes, --url, --repeat ou
                            --no-repeat, --alarm ou --no-alarm&#x202f;; refusé, sans rien
                            écrire, si le fichier a changé depuis sa lecture
  complete ID               termine une tâche
  reopen ID                 rouvre une tâche terminée (une occurrence terminée
                            d&apos;une tâche répétée est rouverte comme la tâche à
                            part qu&apos;elle est)
  move ID --parent ID|--no-parent
                            fait d&apos;une tâche une sous-tâche d&apos;une autre tâche
                            de sa liste, ou une tâche indépendante
  delete ID                 supprime une tâche (et l&apos;affiche)&#x202f;; elle va dans
                            les Suppressions récentes
  deleted                   le contenu des Suppressions récentes, du plus
                            récent au plus ancien&#x202f;; --empty supprime tout
                            définitivement
  restore ID...             remet en place des éléments des Suppressions récentes
  import FICHIER...         les tâches et événements de fichiers .ics, chacun dans un
                            fichier à lui : les tâches dans --list (ou la liste par
                            défaut), les événements dans le premier calendrier ; un
                            élément dont le stockage a déjà l’UID est ignoré, ou
                            remplacé avec --update ; code de sortie 1 si un élément
                            défectueux a été ignoré (chacun nommé sur la sortie
                            d’erreur)
  export                    les tâches ouvertes de toutes les listes, ou de chaque
                            --list, en un seul calendrier sur la sortie standard ou
                            dans -o FICHIER ; --completed inclut les tâches terminées
  events DÉBUT FIN          les événements entre deux dates (AAAA-MM-JJ ou
                            AAAA-MM-JJTHH:MM&#x202f;; une date seule comme FIN inclut
                            ce jour)
  prefs get CLÉ             la valeur d&apos;une préférence, en JSON
  prefs set CLÉ VALEUR-JSON
                            définit une préférence (null la supprime)
  sync                      synchronise une fois les comptes CalDAV et indique
                            ce qui a changé&#x202f;; une liste vidée d&apos;un côté attend,
                            mise de côté, jusqu&apos;à ce que --allow-emptied LISTE
                            supprime aussi ses tâches de l&apos;autre côté ou que
                            --restore-emptied LISTE les restaure
  account add URL UTILISATEUR
                            ajoute un compte CalDAV (mot de passe sur l&apos;entrée
                            standard), synchronise toutes ses listes et ajoute
                            son dossier de stockage
  account lists COMPTE [LISTE...]
                            les listes du serveur pour le compte, [x] pour
                            celles qui sont synchronisées&#x202f;; avec des LISTES,
                            synchronise celles-ci désormais

Échéances (--due)&#xa0;: HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd ou yyyy-MM-dd HH:mm.
Types de filtre (--filter)&#xa0;: 0 toutes, 1 sans échéance, 2 récurrentes, 3 lieu,
4 en retard, 5 priorité haute, 6 moyenne, 7 basse, 8 étiquette (--tag MOT),
9 liste fusionnée (--tag NOM), 11 aujourd&apos;hui, 12 cette semaine, 13 ce mois-ci,
15 recherche enregistrée (--tag TEXTE).
Mettez «&#xa0;--&#xa0;» avant un texte qui commence par un tiret.

Environnement&#xa0;:
  VELMORAN_NOW     la date et l&apos;heure actuelles pour cette exécution (ISO 8601,
                   heure locale sauf si un décalage est indiqué), par exemple
                   2026-12-24T10:00
  VELMORAN_STORE   les dossiers de stockage des tâches, séparés par &apos;:&apos;
  XDG_CONFIG_HOME  l&apos;emplacement des préférences&#x202f;; XDG_DATA_HOME celui du
                   stockage

Code de sortie&#xa0;: 0 réussite, 1 saisie incorrecte ou modification échouée,
2 ligne de commande incorrecte.</translation>
    </message>
    <message>
        <source>The list (tasks, add, edit, import, export).</source>
        <translation>La liste (tasks, add, edit, import, export).</translation>
    </message>
    <message>
        <source>Include completed tasks (tasks, export).</source>
        <translation>Inclure les tâches terminées (tasks, export).</translation>
    </message>
    <message>
        <source>Replace the items the store holds already (import).</source>
        <translation>Remplacer les éléments que le stockage contient déjà (import).</translation>
    </message>
    <message>
        <source>The file to write (export).</source>
        <translation>Le fichier à écrire (export).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>import takes one or more .ics files</source>
        <translation>import prend un ou plusieurs fichiers .ics</translation>
    </message>
    <message>
        <source>-o needs a file name</source>
        <translation>-o demande un nom de fichier</translation>
    </message>
    <message>
        <source>export takes no arguments</source>
        <translation>export ne prend pas d’arguments</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot;; nothing was exported</source>
        <translation>aucune liste ne s’appelle « %1 » ; rien n’a été exporté</translation>
    </message>
    <message>
        <source>there is no list to export</source>
        <translation>il n’y a aucune liste à exporter</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d’écrire %1 : %2</translation>
    </message>
    <message>
        <source>tasks: %1, written to %2</source>
        <translation>tâches : %1, écrites dans %2</translation>
    </message>
    <message>
        <source>no list is called &quot;%1&quot;; nothing was imported</source>
        <translation>aucune liste ne s’appelle « %1 » ; rien n’a été importé</translation>
    </message>
    <message>
        <source>%1; nothing was imported</source>
        <translation>%1 ; rien n’a été importé</translation>
    </message>
    <message>
        <source>tasks: %1, events: %2, added: %3, updated: %4, already present: %5, skipped: %6</source>
        <translation>tâches : %1, événements : %2, ajoutés : %3, mis à jour : %4, déjà présents : %5, ignorés : %6</translation>
    </message>
</context>
<context>
    <name>CustomRepeatSheet</name>
    <message>
        <source>%@:</source>
        <translation>%@&#xa0;:</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Répétition personnalisée</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Fréquence</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Quotidienne</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Hebdomadaire</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensuelle</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Annuelle</translation>
    </message>
    <message>
        <source>day(s)</source>
        <translation>jour(s)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>week(s) on</source>
        <translation>semaine(s), les jours</translation>
    </message>
    <message>
        <source>month(s)</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>On Days</source>
        <translation>Les jours</translation>
    </message>
    <message>
        <source>On Week</source>
        <translation>Le</translation>
    </message>
    <message>
        <source>Week of the Month</source>
        <translation>Semaine du mois</translation>
    </message>
    <message>
        <source>Weekday</source>
        <translation>Jour de la semaine</translation>
    </message>
    <message>
        <source>year(s) in</source>
        <translation>an(s), en</translation>
    </message>
    <message>
        <source>Last</source>
        <comment>day of the month</comment>
        <translation>Dernier</translation>
    </message>
    <message>
        <source>1st</source>
        <comment>week of the month</comment>
        <extracomment>The weeks of a month a task repeats in, as in &quot;the 1st Monday&quot; … &quot;the Last Monday&quot;.</extracomment>
        <translation>1er</translation>
    </message>
    <message>
        <source>2nd</source>
        <comment>week of the month</comment>
        <translation>2e</translation>
    </message>
    <message>
        <source>3rd</source>
        <comment>week of the month</comment>
        <translation>3e</translation>
    </message>
    <message>
        <source>4th</source>
        <comment>week of the month</comment>
        <translation>4e</translation>
    </message>
    <message>
        <source>5th</source>
        <comment>week of the month</comment>
        <translation>5e</translation>
    </message>
    <message>
        <source>Last</source>
        <comment>week of the month</comment>
        <translation>dernier</translation>
    </message>
</context>
<context>
    <name>DataManager</name>
    <message>
        <source>Week %1</source>
        <extracomment>The heading of a week, %1 its number in the year.</extracomment>
        <translation>Semaine %1</translation>
    </message>
</context>
<context>
    <name>DateDayAccessible</name>
    <message>
        <source>Today</source>
        <translation>Aujourd’hui</translation>
    </message>
    <message>
        <source>Has tasks</source>
        <translation>A des tâches</translation>
    </message>
    <message>
        <source>Has events</source>
        <translation>A des événements</translation>
    </message>
</context>
<context>
    <name>DatePopover</name>
    <message>
        <source>No Time</source>
        <translation>Sans heure</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>DayGraphView</name>
    <message>
        <source>Next 25 Hours</source>
        <translation>25 prochaines heures</translation>
    </message>
    <message>
        <source>No tasks or events</source>
        <translation>Aucune tâche ni aucun événement</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n tâche</numerusform>
            <numerusform>%n tâches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n événement</numerusform>
            <numerusform>%n événements</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; next at %2: %3</source>
        <translation>%1 ; prochain à %2 : %3</translation>
    </message>
</context>
<context>
    <name>DefaultPreferences</name>
    <message>
        <source>Home</source>
        <extracomment>A tag of the default sidebar and quick actions, stored once at the first launch.</extracomment>
        <translation>Maison</translation>
    </message>
    <message>
        <source>Smart List</source>
        <extracomment>The name of the merged list of the default sidebar, stored once at the first launch.</extracomment>
        <translation>Liste intelligente</translation>
    </message>
    <message>
        <source>Later</source>
        <extracomment>A tag of the default sidebar, stored once at the first launch.</extracomment>
        <translation>PlusTard</translation>
    </message>
</context>
<context>
    <name>DesktopKeyBindings</name>
    <message>
        <source>Velmoran: Show or Hide the Window</source>
        <translation>Velmoran&#xa0;: afficher ou masquer la fenêtre</translation>
    </message>
    <message>
        <source>Velmoran: Open the Tray Panel</source>
        <translation>Velmoran&#xa0;: ouvrir le panneau de la zone de notification</translation>
    </message>
</context>
<context>
    <name>DesktopShortcutHelp</name>
    <message>
        <source>Wayland lets no program take keys for itself. GNOME can run these shortcuts as its own keyboard shortcuts.</source>
        <translation>Wayland ne permet à aucun programme de s&apos;approprier des touches. GNOME peut exécuter ces raccourcis comme ses propres raccourcis clavier.</translation>
    </message>
    <message>
        <source>Remove from GNOME…</source>
        <translation>Retirer de GNOME…</translation>
    </message>
    <message>
        <source>Wayland lets no program take keys for itself. Add these lines to your compositor&apos;s configuration:</source>
        <translation>Wayland ne permet à aucun programme de s&apos;approprier des touches. Ajoutez ces lignes à la configuration de votre compositeur&#xa0;:</translation>
    </message>
    <message>
        <source>Other Desktops</source>
        <translation>Autres bureaux</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Record a shortcut above to see its line.</source>
        <translation>Enregistrez un raccourci ci-dessus pour voir sa ligne.</translation>
    </message>
    <message>
        <source>Add to GNOME Shortcuts…</source>
        <translation>Ajouter aux raccourcis de GNOME…</translation>
    </message>
    <message>
        <source>Update GNOME Shortcuts…</source>
        <translation>Mettre à jour les raccourcis de GNOME…</translation>
    </message>
    <message>
        <source>GNOME runs %1.</source>
        <translation>GNOME exécute %1.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>GNOME&apos;s keyboard shortcuts hold other keys than these: update them.</source>
        <translation>Les raccourcis clavier de GNOME contiennent d&apos;autres touches que celles-ci&#xa0;: mettez-les à jour.</translation>
    </message>
    <message>
        <source>Record a shortcut above first.</source>
        <translation>Enregistrez d&apos;abord un raccourci ci-dessus.</translation>
    </message>
    <message>
        <source>Not in GNOME&apos;s keyboard shortcuts yet.</source>
        <translation>Pas encore dans les raccourcis clavier de GNOME.</translation>
    </message>
    <message>
        <source>No tray is running, so the tray icon cannot show. GNOME shows it with the extension “AppIndicator and KStatusNotifierItem Support”. Until then the tray panel shortcut and the command “%1” open the panel.</source>
        <translation>Aucune zone de notification n&apos;est active, l&apos;icône ne peut donc pas s&apos;afficher. GNOME l&apos;affiche avec l&apos;extension «&#xa0;AppIndicator and KStatusNotifierItem Support&#xa0;». En attendant, le raccourci du panneau de la zone de notification et la commande «&#xa0;%1&#xa0;» ouvrent le panneau.</translation>
    </message>
    <message>
        <source>No tray is running, so the tray icon cannot show: add a tray (StatusNotifierItem) to your desktop&apos;s panel or bar. Until then the tray panel shortcut and the command “%1” open the panel.</source>
        <translation>Aucune zone de notification n&apos;est active, l&apos;icône ne peut donc pas s&apos;afficher&#xa0;: ajoutez une zone de notification (StatusNotifierItem) au tableau de bord ou à la barre de votre bureau. En attendant, le raccourci du panneau de la zone de notification et la commande «&#xa0;%1&#xa0;» ouvrent le panneau.</translation>
    </message>
    <message numerus="yes">
        <source>Its shortcut being off, %1 is taken out of the list and cleared.</source>
        <extracomment>%1 names the settings&apos; paths; the number of paths chooses the form.</extracomment>
        <translation>
            <numerusform>Son raccourci étant désactivé, %1 est retiré de la liste et effacé.</numerusform>
            <numerusform>Leurs raccourcis étant désactivés, %1 sont retirés de la liste et effacés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Update Velmoran&apos;s shortcuts in GNOME?</source>
        <translation>Mettre à jour les raccourcis de Velmoran dans GNOME&#x202f;?</translation>
    </message>
    <message>
        <source>Add Velmoran&apos;s shortcuts to GNOME?</source>
        <translation>Ajouter les raccourcis de Velmoran à GNOME&#x202f;?</translation>
    </message>
    <message>
        <source>Update Shortcuts</source>
        <translation>Mettre à jour les raccourcis</translation>
    </message>
    <message>
        <source>Add Shortcuts</source>
        <translation>Ajouter les raccourcis</translation>
    </message>
    <message>
        <source>GNOME&apos;s keyboard shortcuts could not be written.</source>
        <translation>Impossible d&apos;écrire les raccourcis clavier de GNOME.</translation>
    </message>
    <message>
        <source>Velmoran will take these paths out of the list “%1” of %2 and clear them:</source>
        <translation>Velmoran va retirer ces chemins de la liste «&#xa0;%1&#xa0;» de %2 et les effacer&#xa0;:</translation>
    </message>
    <message>
        <source>The other shortcuts in that list stay as they are.</source>
        <translation>Les autres raccourcis de cette liste restent inchangés.</translation>
    </message>
    <message>
        <source>Remove Velmoran&apos;s shortcuts from GNOME?</source>
        <translation>Retirer les raccourcis de Velmoran de GNOME&#x202f;?</translation>
    </message>
    <message>
        <source>Remove Shortcuts</source>
        <translation>Retirer les raccourcis</translation>
    </message>
    <message>
        <source>Velmoran will write these settings of GNOME:

%1

and add their paths to the list “%2” of %3. The other shortcuts in that list stay as they are.</source>
        <extracomment>%1 are the settings, one paragraph each; %2 the name of the list, %3 the settings&apos; schema.</extracomment>
        <translation>Velmoran va écrire ces paramètres de GNOME&#xa0;:

%1

et ajouter leurs chemins à la liste «&#xa0;%2&#xa0;» de %3. Les autres raccourcis de cette liste restent inchangés.</translation>
    </message>
    <message>
        <source>Compositor</source>
        <translation>Compositeur</translation>
    </message>
    <message>
        <source>Configuration Lines</source>
        <translation>Lignes de configuration</translation>
    </message>
</context>
<context>
    <name>DesktopShortcutNote</name>
    <message>
        <source>To use other keys, change them in System Settings › Shortcuts.</source>
        <translation>Pour utiliser d&apos;autres touches, modifiez-les dans Configuration du système › Raccourcis.</translation>
    </message>
    <message>
        <source>To use other keys, change them in your desktop&apos;s keyboard shortcut settings.</source>
        <translation>Pour utiliser d&apos;autres touches, modifiez-les dans les paramètres des raccourcis clavier de votre bureau.</translation>
    </message>
    <message>
        <source>Asking the desktop for these keys…</source>
        <translation>Demande de ces touches au bureau…</translation>
    </message>
    <message>
        <source>Desktop shortcut: %1</source>
        <translation>Raccourci du bureau&#xa0;: %1</translation>
    </message>
    <message>
        <source>not assigned</source>
        <translation>non attribué</translation>
    </message>
    <message>
        <source>The desktop could not bind this shortcut.</source>
        <translation>Le bureau n&apos;a pas pu attribuer ce raccourci.</translation>
    </message>
</context>
<context>
    <name>DetailEditSession</name>
    <message>
        <source>&quot;%1&quot; was deleted or is no longer in a visible list; what you typed in it was not saved.</source>
        <translation>«&#xa0;%1&#xa0;» a été supprimée ou ne se trouve plus dans une liste visible&#x202f;; ce que vous y avez saisi n&apos;a pas été enregistré.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was deleted or is no longer in a visible list.</source>
        <translation>«&#xa0;%1&#xa0;» a été supprimée ou ne se trouve plus dans une liste visible.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program while you were editing it. Your text is kept here and replaces theirs when you leave the field.</source>
        <translation>«&#xa0;%1&#xa0;» a été modifiée par un autre programme pendant que vous la modifiiez. Votre texte est conservé ici et remplace le sien lorsque vous quittez le champ.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program; this is its new version.</source>
        <translation>«&#xa0;%1&#xa0;» a été modifiée par un autre programme&#x202f;; voici sa nouvelle version.</translation>
    </message>
    <message>
        <source>The change could not be saved.</source>
        <translation>Impossible d&apos;enregistrer la modification.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not opened: links of this kind can run code or hide where they lead.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas ouvert&#xa0;: les liens de ce type peuvent exécuter du code ou masquer leur destination.</translation>
    </message>
    <message>
        <source>Open &quot;%1&quot;? It is opened by the program your desktop chooses for it.</source>
        <translation>Ouvrir «&#xa0;%1&#xa0;»&#x202f;? Il sera ouvert par le programme que votre bureau choisit pour lui.</translation>
    </message>
    <message>
        <source>No program could open &quot;%1&quot;.</source>
        <translation>Aucun programme n&apos;a pu ouvrir «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>DueDateControl</name>
    <message>
        <source>Due Date</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <source>No Time</source>
        <translation>Sans heure</translation>
    </message>
    <message>
        <source>A due date without a time of day</source>
        <translation>Une échéance sans heure</translation>
    </message>
</context>
<context>
    <name>EventStore</name>
    <message>
        <source>another program keeps it locked</source>
        <translation>un autre programme le verrouille</translation>
    </message>
    <message>
        <source>The list folder %1 cannot be changed: %2.</source>
        <translation>Impossible de modifier le dossier de liste %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The store folder %1 cannot be read and written.</source>
        <translation>Impossible de lire et d&apos;écrire dans le dossier de stockage %1.</translation>
    </message>
    <message>
        <source>The store folder %1 cannot be created.</source>
        <translation>Impossible de créer le dossier de stockage %1.</translation>
    </message>
    <message>
        <source>%1 holds no lists but other files; no lists are created in it.</source>
        <translation>%1 ne contient aucune liste mais d&apos;autres fichiers&#x202f;; aucune liste n&apos;y est créée.</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Agenda</translation>
    </message>
    <message>
        <source>No task was given.</source>
        <translation>Aucune tâche n&apos;a été indiquée.</translation>
    </message>
    <message>
        <source>The task &quot;%1&quot; has no list.</source>
        <translation>La tâche «&#xa0;%1&#xa0;» n&apos;a pas de liste.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot move to &quot;%2&quot;: that list is read-only.</source>
        <translation>Impossible de déplacer «&#xa0;%1&#xa0;» vers «&#xa0;%2&#xa0;»&#xa0;: cette liste est en lecture seule.</translation>
    </message>
    <message>
        <source>The list &quot;%1&quot; cannot be changed.</source>
        <translation>Impossible de modifier la liste «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The task was never saved.</source>
        <translation>La tâche n&apos;a jamais été enregistrée.</translation>
    </message>
    <message>
        <source>No list was given.</source>
        <translation>Aucune liste n&apos;a été indiquée.</translation>
    </message>
    <message>
        <source>The list was never saved.</source>
        <translation>La liste n&apos;a jamais été enregistrée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program after it was read; nothing was overwritten, and the new version will be shown.</source>
        <translation>«&#xa0;%1&#xa0;» a été modifiée par un autre programme après sa lecture&#x202f;; rien n&apos;a été écrasé, et la nouvelle version va s&apos;afficher.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2) and is left as it is.</source>
        <translation>Impossible de lire %1 (%2)&#x202f;; il est laissé tel quel.</translation>
    </message>
    <message>
        <source>The list of &quot;%1&quot; does not exist.</source>
        <translation>La liste de «&#xa0;%1&#xa0;» n&apos;existe pas.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer in %2; nothing was changed.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est plus dans %2&#x202f;; rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in the read-only list &quot;%2&quot; and cannot be moved.</source>
        <translation>«&#xa0;%1&#xa0;» se trouve dans la liste en lecture seule «&#xa0;%2&#xa0;» et ne peut pas être déplacée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot move to &quot;%2&quot;: that list is in another store folder (%3), and tasks move only between lists of one folder.</source>
        <translation>Impossible de déplacer «&#xa0;%1&#xa0;» vers «&#xa0;%2&#xa0;»&#xa0;: cette liste se trouve dans un autre dossier de stockage (%3), et les tâches ne se déplacent qu&apos;entre les listes d&apos;un même dossier.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was changed by another program after it was read; it was not deleted.</source>
        <translation>«&#xa0;%1&#xa0;» a été modifiée par un autre programme après sa lecture&#x202f;; elle n&apos;a pas été supprimée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no longer in %2; nothing was deleted.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est plus dans %2&#x202f;; rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>The list is left as it is: %1 cannot be read (%2).</source>
        <translation>La liste est laissée telle quelle&#xa0;: impossible de lire %1 (%2).</translation>
    </message>
    <message>
        <source>The store was opened for reading only.</source>
        <translation>Le stockage a été ouvert en lecture seule.</translation>
    </message>
</context>
<context>
    <name>ExchangeWindows</name>
    <message>
        <source>Import Calendar Files</source>
        <translation>Importer des fichiers de calendrier</translation>
    </message>
    <message>
        <source>Calendar files (*.ics *.ical *.ifb *.icalendar);;All files (*)</source>
        <translation>Fichiers de calendrier (*.ics *.ical *.ifb *.icalendar);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Export Tasks</source>
        <translation>Exporter les tâches</translation>
    </message>
    <message>
        <source>Calendar files (*.ics)</source>
        <translation>Fichiers de calendrier (*.ics)</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Nothing was imported: %1.</source>
        <translation>Rien n’a été importé : %1.</translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>&amp;Lists to export:</source>
        <translation>&amp;Listes à exporter :</translation>
    </message>
    <message>
        <source>Include &amp;completed tasks</source>
        <translation>Inclure les tâches &amp;terminées</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>&amp;Exporter…</translation>
    </message>
    <message>
        <source>Choose at least one list.</source>
        <translation>Choisissez au moins une liste.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 n’a pas pu être écrit : %2</translation>
    </message>
</context>
<context>
    <name>FiltersPage</name>
    <message>
        <source>Visible on Day View</source>
        <translation>Visibles dans la vue du jour</translation>
    </message>
    <message>
        <source>Visible on Week View</source>
        <translation>Visibles dans la vue de la semaine</translation>
    </message>
    <message>
        <source>Visible on Month View</source>
        <translation>Visibles dans la vue du mois</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Tâches sans échéance</translation>
    </message>
    <message>
        <source>Completed Tasks on previous dates</source>
        <translation>Tâches terminées aux dates passées</translation>
    </message>
    <message>
        <source>Calendar Events</source>
        <translation>Événements d&apos;agenda</translation>
    </message>
</context>
<context>
    <name>FreedesktopApplication</name>
    <message>
        <source>There is no action &quot;%1&quot;.</source>
        <translation>Il n&apos;y a pas d&apos;action «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The action &quot;%1&quot; takes no parameter.</source>
        <translation>L&apos;action «&#xa0;%1&#xa0;» n&apos;accepte aucun paramètre.</translation>
    </message>
</context>
<context>
    <name>GeneralPage</name>
    <message>
        <source>Tray</source>
        <translation>Zone de notification</translation>
    </message>
    <message>
        <source>Tray panel shortcut</source>
        <translation>Raccourci du panneau de la zone de notification</translation>
    </message>
    <message>
        <source>Keyboard shortcut</source>
        <translation>Raccourci clavier</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Show Velmoran in the Tray</source>
        <translation>Afficher Velmoran dans la zone de notification</translation>
    </message>
    <message>
        <source>Show Sunday First on Calendar</source>
        <translation>Commencer la semaine le dimanche dans le calendrier</translation>
    </message>
    <message>
        <source>Sound Effects</source>
        <translation>Effets sonores</translation>
    </message>
    <message>
        <source>Current Date</source>
        <translation>Date du jour</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <source>Overdue tasks on</source>
        <translation>Tâches en retard selon</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Inclure</translation>
    </message>
    <message>
        <source>Total Tasks</source>
        <translation>Total des tâches</translation>
    </message>
    <message>
        <source>Launcher badge</source>
        <translation>Badge du lanceur</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Ce mois-ci</translation>
    </message>
    <message>
        <source>Overdue Tasks</source>
        <translation>Tâches en retard</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Tâches sans échéance</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Notifications</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Reporter</translation>
    </message>
    <message>
        <source>How long a snoozed reminder waits before it shows again.</source>
        <translation>Délai avant qu&apos;un rappel reporté ne s&apos;affiche à nouveau.</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Stockage</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Comptes</translation>
    </message>
    <message>
        <source>Ask</source>
        <translation>Demander</translation>
    </message>
    <message>
        <source>Complete All</source>
        <translation>Tout terminer</translation>
    </message>
    <message>
        <source>Complete Only This</source>
        <translation>Terminer celle-ci seulement</translation>
    </message>
    <message>
        <source>When completing a task with open subtasks</source>
        <translation>En terminant une tâche qui a des sous-tâches ouvertes</translation>
    </message>
</context>
<context>
    <name>Global</name>
    <message>
        <source>Yesterday</source>
        <translation>Hier</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Tomorrow</source>
        <translation>Demain</translation>
    </message>
    <message>
        <source>Last Week</source>
        <translation>La semaine dernière</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <source>Next Week</source>
        <translation>La semaine prochaine</translation>
    </message>
    <message>
        <source>Last Month</source>
        <translation>Le mois dernier</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Ce mois-ci</translation>
    </message>
    <message>
        <source>Next Month</source>
        <translation>Le mois prochain</translation>
    </message>
    <message>
        <source>Last Year</source>
        <translation>L&apos;année dernière</translation>
    </message>
    <message>
        <source>Next Year</source>
        <translation>L&apos;année prochaine</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminées</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <source>No Tasks</source>
        <translation>Aucune tâche</translation>
    </message>
    <message>
        <source>One Task</source>
        <translation>Une tâche</translation>
    </message>
    <message>
        <source>Calendar Events</source>
        <translation>Événements d&apos;agenda</translation>
    </message>
    <message>
        <source>%@ %@</source>
        <extracomment>A repeat rule&apos;s interval and its days, as in &quot;Every 2 Weeks&quot; &quot;on Monday&quot;. &quot;%1$@&quot; and &quot;%2$@&quot; name them in another order.</extracomment>
        <translation>%@,%@</translation>
    </message>
    <message>
        <source>on </source>
        <extracomment>Starts the days a task repeats on, as in &quot;Every 2 Weeks on Monday and Friday&quot;.</extracomment>
        <translation> </translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Weekdays</source>
        <translation>En semaine</translation>
    </message>
    <message>
        <source>Weekends</source>
        <translation>Le week-end</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <source>Every Year</source>
        <translation>Tous les ans</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <source>1st</source>
        <translation>1er</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2e</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3e</translation>
    </message>
    <message>
        <source>Last</source>
        <extracomment>The last one in a month, as in &quot;Every Month on Last Friday&quot;.</extracomment>
        <translation>dernier</translation>
    </message>
    <message>
        <source>%ith</source>
        <extracomment>Any other ordinal number, as in &quot;the 4th&quot; day of a month; %i is the number.</extracomment>
        <translation>%ie</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisée</translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) later</source>
        <translation>
            <numerusform>Dans %n jour</numerusform>
            <numerusform>Dans %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) ago</source>
        <translation>
            <numerusform>Il y a %n jour</numerusform>
            <numerusform>Il y a %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Week(s) later</source>
        <translation>
            <numerusform>Dans %n semaine</numerusform>
            <numerusform>Dans %n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Week(s) ago</source>
        <translation>
            <numerusform>Il y a %n semaine</numerusform>
            <numerusform>Il y a %n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Month(s) later</source>
        <translation>
            <numerusform>Dans %n mois</numerusform>
            <numerusform>Dans %n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Month(s) ago</source>
        <translation>
            <numerusform>Il y a %n mois</numerusform>
            <numerusform>Il y a %n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Year(s) later</source>
        <translation>
            <numerusform>Dans %n an</numerusform>
            <numerusform>Dans %n ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Year(s) ago</source>
        <translation>
            <numerusform>Il y a %n an</numerusform>
            <numerusform>Il y a %n ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Task(s)</source>
        <translation>
            <numerusform>%n tâche</numerusform>
            <numerusform>%n tâches</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <extracomment>A week of the month (%1) and a weekday (%2), as in &quot;2nd Monday&quot; or &quot;Last Friday&quot;.</extracomment>
        <translation>le %1 %2</translation>
    </message>
    <message numerus="yes">
        <source>Every %n Day(s)</source>
        <translation>
            <numerusform>Tous les %n jour</numerusform>
            <numerusform>Tous les %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Week(s)</source>
        <translation>
            <numerusform>Toutes les %n semaine</numerusform>
            <numerusform>Toutes les %n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Month(s)</source>
        <translation>
            <numerusform>Tous les %n mois</numerusform>
            <numerusform>Tous les %n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Year(s)</source>
        <translation>
            <numerusform>Tous les %n an</numerusform>
            <numerusform>Tous les %n ans</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 on Weekdays</source>
        <extracomment>%1 is how often, as in &quot;Every 2 Weeks&quot;.</extracomment>
        <translation>%1, en semaine</translation>
    </message>
    <message>
        <source>%1 on Weekends</source>
        <translation>%1, le week-end</translation>
    </message>
    <message>
        <source>Last</source>
        <comment>day of month</comment>
        <extracomment>The last day of a month, as in &quot;Every Month on 15th and Last&quot;.</extracomment>
        <translation>dernier jour</translation>
    </message>
    <message>
        <source>%ist</source>
        <extracomment>An ordinal number ending in 1 from 21 on, as in &quot;the 21st&quot;; %i is the number.</extracomment>
        <translation>%ie</translation>
    </message>
    <message>
        <source>%ind</source>
        <extracomment>An ordinal number ending in 2 from 22 on, as in &quot;the 22nd&quot;; %i is the number.</extracomment>
        <translation>%ie</translation>
    </message>
    <message>
        <source>%ird</source>
        <extracomment>An ordinal number ending in 3 from 23 on, as in &quot;the 23rd&quot;; %i is the number.</extracomment>
        <translation>%ie</translation>
    </message>
</context>
<context>
    <name>GlobalShortcuts</name>
    <message>
        <source>Show or hide the Velmoran window</source>
        <translation>Afficher ou masquer la fenêtre de Velmoran</translation>
    </message>
    <message>
        <source>Open or close the tray panel</source>
        <translation>Ouvrir ou fermer le panneau de la zone de notification</translation>
    </message>
</context>
<context>
    <name>HelpWindowController</name>
    <message>
        <source>Update Note</source>
        <translation>Notes de version</translation>
    </message>
    <message>
        <source>FAQ</source>
        <translation>FAQ</translation>
    </message>
    <message>
        <source>Acknowledgements</source>
        <translation>Remerciements</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Review Velmoran</source>
        <translation>Évaluer Velmoran</translation>
    </message>
    <message>
        <source>Velmoran Help</source>
        <translation>Aide de Velmoran</translation>
    </message>
</context>
<context>
    <name>HourPopover</name>
    <message>
        <source>Hour</source>
        <translation>Heure</translation>
    </message>
</context>
<context>
    <name>HourPopoverContent</name>
    <message>
        <source>Overdue</source>
        <translation>En retard</translation>
    </message>
</context>
<context>
    <name>IcsImport</name>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1 : ignoré : %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; skipped: %3</source>
        <translation>%1 : « %2 » ignoré : %3</translation>
    </message>
    <message>
        <source>%1: there is no such file</source>
        <translation>%1 : ce fichier n’existe pas</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>it shares the file %1 with other items and is left as it is</source>
        <translation>il partage le fichier %1 avec d’autres éléments et reste tel quel</translation>
    </message>
    <message>
        <source>there is no list for tasks</source>
        <translation>il n’y a pas de liste pour les tâches</translation>
    </message>
    <message>
        <source>there is no calendar for events</source>
        <translation>il n’y a pas de calendrier pour les événements</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be changed</source>
        <translation>« %1 » ne peut pas être modifié</translation>
    </message>
</context>
<context>
    <name>IcsItem</name>
    <message>
        <source>Components are nested too deeply</source>
        <translation>Les composants sont imbriqués trop profondément</translation>
    </message>
    <message>
        <source>END without BEGIN</source>
        <translation>END sans BEGIN</translation>
    </message>
    <message>
        <source>END:%1 closes BEGIN:%2</source>
        <translation>END:%1 ferme BEGIN:%2</translation>
    </message>
    <message>
        <source>Text before the first component</source>
        <translation>Texte avant le premier composant</translation>
    </message>
    <message>
        <source>BEGIN:%1 is never closed</source>
        <translation>BEGIN:%1 n&apos;est jamais fermé</translation>
    </message>
    <message>
        <source>The file is empty</source>
        <translation>Le fichier est vide</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Tasks: %1. Events: %2. Already in Velmoran: %3.</source>
        <translation>Tâches : %1. Événements : %2. Déjà dans Velmoran : %3.</translation>
    </message>
    <message>
        <source>List for tasks</source>
        <translation>Liste pour les tâches</translation>
    </message>
    <message>
        <source>&amp;Tasks go to:</source>
        <translation>&amp;Tâches vers :</translation>
    </message>
    <message>
        <source>Calendar for events</source>
        <translation>Calendrier pour les événements</translation>
    </message>
    <message>
        <source>&amp;Events go to:</source>
        <translation>&amp;Événements vers :</translation>
    </message>
    <message>
        <source>&amp;Skip the items already in Velmoran</source>
        <translation>&amp;Ignorer les éléments déjà dans Velmoran</translation>
    </message>
    <message>
        <source>&amp;Update them with the imported version</source>
        <translation>&amp;Les mettre à jour avec la version importée</translation>
    </message>
    <message>
        <source>These items are broken and will be left out:</source>
        <translation>Ces éléments sont défectueux et seront laissés de côté :</translation>
    </message>
    <message>
        <source>Import progress</source>
        <translation>Progression de l’importation</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importer</translation>
    </message>
    <message>
        <source>Added: %1. Updated: %2. Left as they were: %3. Not imported: %4.</source>
        <translation>Ajoutés : %1. Mis à jour : %2. Laissés tels quels : %3. Non importés : %4.</translation>
    </message>
</context>
<context>
    <name>IntroStorePage</name>
    <message>
        <source>Choose a Folder of Calendars</source>
        <translation>Choisir un dossier d&apos;agendas</translation>
    </message>
    <message>
        <source>The folders you already use:</source>
        <translation>Les dossiers que vous utilisez déjà&#xa0;:</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ajouter un dossier…</translation>
    </message>
    <message>
        <source>Velmoran keeps your tasks as lists in folders of iCalendar files, the ones todoman, khal and vdirsyncer use.</source>
        <translation>Velmoran conserve vos tâches sous forme de listes dans des dossiers de fichiers iCalendar, ceux qu&apos;utilisent todoman, khal et vdirsyncer.</translation>
    </message>
    <message>
        <source>Velmoran also shows Calendar Events to let you manage your tasks at a glance with your events.</source>
        <translation>Velmoran affiche aussi les événements d&apos;agenda pour que vous gériez d&apos;un coup d&apos;œil vos tâches avec vos événements.</translation>
    </message>
    <message>
        <source>Velmoran&apos;s own folder (%1)</source>
        <translation>Dossier propre à Velmoran (%1)</translation>
    </message>
    <message>
        <source>Nothing is moved or copied: Velmoran works on the files where they are.</source>
        <translation>Rien n&apos;est déplacé ni copié&#xa0;: Velmoran travaille sur les fichiers là où ils se trouvent.</translation>
    </message>
    <message>
        <source>%1 — %2, %3, %4</source>
        <translation>%1 — %2, %3, %4</translation>
    </message>
    <message>
        <source>No folders of vdirsyncer, khal or todoman were found. Velmoran starts with a list &quot;Reminders&quot; and a calendar &quot;Calendar&quot; in its own folder.</source>
        <translation>Aucun dossier de vdirsyncer, khal ou todoman n&apos;a été trouvé. Velmoran commence avec une liste «&#xa0;Rappels&#xa0;» et un agenda «&#xa0;Agenda&#xa0;» dans son propre dossier.</translation>
    </message>
    <message numerus="yes">
        <source>%n list(s)</source>
        <translation>
            <numerusform>%n liste</numerusform>
            <numerusform>%n listes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n tâche</numerusform>
            <numerusform>%n tâches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n événement</numerusform>
            <numerusform>%n événements</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 — %2, %3, %4 or more</source>
        <extracomment>A folder (%1) and how many lists (%2), tasks (%3) and events (%4) it holds; the search stopped early in the second form.</extracomment>
        <translation>%1 — %2, %3, %4 ou plus</translation>
    </message>
    <message>
        <source>Found Folders</source>
        <translation>Dossiers trouvés</translation>
    </message>
</context>
<context>
    <name>IntroWindowController</name>
    <message>
        <source>Welcome to Velmoran</source>
        <translation>Bienvenue dans Velmoran</translation>
    </message>
    <message>
        <source>Velmoran extends your iCalendar task lists to a Powerful Task Manager. Your tasks become much more powerful and visible with Velmoran.</source>
        <translation>Velmoran fait de vos listes de tâches iCalendar un gestionnaire de tâches puissant. Avec Velmoran, vos tâches gagnent en efficacité et en visibilité.</translation>
    </message>
    <message>
        <source>Where are your tasks?</source>
        <translation>Où sont vos tâches&#x202f;?</translation>
    </message>
    <message>
        <source>Choose the lists you want to see in &apos;Velmoran&apos;</source>
        <translation>Choisissez les listes que vous voulez voir dans Velmoran</translation>
    </message>
    <message>
        <source>Are you ready?</source>
        <translation>Prêt à commencer&#x202f;?</translation>
    </message>
    <message>
        <source>Yes. Great!</source>
        <translation>Oui, c&apos;est parti&#x202f;!</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Velmoran</source>
        <translation>Velmoran</translation>
    </message>
    <message>
        <source>Velmoran needs to read and write %1. Change the folder&apos;s permissions or choose another one.</source>
        <translation>Velmoran doit pouvoir lire et écrire dans %1. Modifiez les droits du dossier ou choisissez-en un autre.</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>The chosen folders hold no task list, and none could be created in %1.</source>
        <translation>Les dossiers choisis ne contiennent aucune liste de tâches, et aucune n&apos;a pu être créée dans %1.</translation>
    </message>
    <message>
        <source>The chosen folders held no task list, so Velmoran created the list &quot;Reminders&quot; in %1.</source>
        <translation>Les dossiers choisis ne contenaient aucune liste de tâches&#xa0;: Velmoran a donc créé la liste «&#xa0;Rappels&#xa0;» dans %1.</translation>
    </message>
    <message>
        <source>Default list has been set to &apos;%1&apos;. New tasks you add will go into this list. You can change anytime on settings.</source>
        <translation>La liste par défaut est désormais «&#xa0;%1&#xa0;». Les nouvelles tâches que vous ajoutez iront dans cette liste. Vous pouvez la changer à tout moment dans les préférences.</translation>
    </message>
    <message>
        <source>Can&apos;t access the list</source>
        <translation>Impossible d&apos;accéder à la liste</translation>
    </message>
    <message>
        <source>Velmoran could not read the tasks of this list. Check that its folder can be read.</source>
        <translation>Velmoran n&apos;a pas pu lire les tâches de cette liste. Vérifiez que son dossier est lisible.</translation>
    </message>
    <message>
        <source>All Done!</source>
        <translation>Tout est prêt&#x202f;!</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listes</translation>
    </message>
</context>
<context>
    <name>LeftViewController</name>
    <message>
        <source>Add List</source>
        <translation>Ajouter une liste</translation>
    </message>
    <message>
        <source>Keep Window on Top</source>
        <translation>Garder la fenêtre au premier plan</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listes</translation>
    </message>
    <message>
        <source>The list could not be deleted</source>
        <translation>Impossible de supprimer la liste</translation>
    </message>
    <message>
        <source>Delete List</source>
        <translation>Supprimer la liste</translation>
    </message>
    <message>
        <source>Delete this list?</source>
        <translation>Supprimer cette liste&#x202f;?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Add New &amp;List</source>
        <translation>Ajouter une nouvelle &amp;liste</translation>
    </message>
    <message>
        <source>Add New &amp;Tag List</source>
        <translation>Ajouter une nouvelle liste par &amp;étiquette</translation>
    </message>
    <message>
        <source>Add New &amp;Merged List</source>
        <translation>Ajouter une nouvelle liste &amp;fusionnée</translation>
    </message>
    <message>
        <source>&amp;Share List</source>
        <translation>&amp;Partager la liste</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Modifier</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
</context>
<context>
    <name>ListRowAccessible</name>
    <message>
        <source>Selects this row</source>
        <translation>Sélectionne cette ligne</translation>
    </message>
</context>
<context>
    <name>ListRowsModel</name>
    <message>
        <source>%1 (checking…)</source>
        <translation>%1 (vérification…)</translation>
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
        <translation>Toutes les tâches</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Tâches sans échéance</translation>
    </message>
    <message>
        <source>Recurring Tasks</source>
        <translation>Tâches récurrentes</translation>
    </message>
    <message>
        <source>Location-based Tasks</source>
        <translation>Tâches liées à un lieu</translation>
    </message>
    <message>
        <source>Overdue Tasks</source>
        <translation>Tâches en retard</translation>
    </message>
    <message>
        <source>High Priority Tasks</source>
        <translation>Tâches de priorité haute</translation>
    </message>
    <message>
        <source>Mid Priority Tasks</source>
        <translation>Tâches de priorité moyenne</translation>
    </message>
    <message>
        <source>Low Priority Tasks</source>
        <translation>Tâches de priorité basse</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Recherche</translation>
    </message>
</context>
<context>
    <name>ListsPage</name>
    <message>
        <source>View Calendar Events</source>
        <translation>Afficher les événements d&apos;agenda</translation>
    </message>
    <message>
        <source>Show Dots</source>
        <translation>Afficher les points</translation>
    </message>
    <message>
        <source>Add New List Automatically</source>
        <translation>Ajouter automatiquement les nouvelles listes</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Rappels</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Agendas</translation>
    </message>
    <message>
        <source>Manage Lists</source>
        <translation>Gérer les listes</translation>
    </message>
    <message>
        <source>Delete Completed Tasks</source>
        <translation>Supprimer les tâches terminées</translation>
    </message>
    <message>
        <source>Add a list</source>
        <translation>Ajouter une liste</translation>
    </message>
    <message>
        <source>Delete the selected list (hide it first)</source>
        <translation>Supprimer la liste sélectionnée (masquez-la d&apos;abord)</translation>
    </message>
    <message>
        <source>Delete the completed tasks of the selected list</source>
        <translation>Supprimer les tâches terminées de la liste sélectionnée</translation>
    </message>
    <message>
        <source>Drag a list, or press Alt+Up and Alt+Down, to change the order.</source>
        <translation>Faites glisser une liste, ou appuyez sur Alt+Up et Alt+Down, pour changer l&apos;ordre.</translation>
    </message>
    <message>
        <source>Can&apos;t access the list</source>
        <translation>Impossible d&apos;accéder à la liste</translation>
    </message>
    <message>
        <source>Below lists can&apos;t be used in Velmoran at the moment.</source>
        <translation>Les listes ci-dessous ne peuvent pas être utilisées dans Velmoran pour le moment.</translation>
    </message>
    <message>
        <source>Delete this list?</source>
        <translation>Supprimer cette liste&#x202f;?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>The list could not be deleted</source>
        <translation>Impossible de supprimer la liste</translation>
    </message>
    <message>
        <source>Delete completed tasks on this list?</source>
        <translation>Supprimer les tâches terminées de cette liste&#x202f;?</translation>
    </message>
    <message>
        <source>No List Found</source>
        <translation>Aucune liste trouvée</translation>
    </message>
    <message>
        <source>The new list could not be saved: the store folder cannot be written.</source>
        <translation>Impossible d&apos;enregistrer la nouvelle liste&#xa0;: le dossier de stockage n&apos;est pas accessible en écriture.</translation>
    </message>
</context>
<context>
    <name>LocationPopover</name>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Search an address or a place</source>
        <translation>Rechercher une adresse ou un lieu</translation>
    </message>
    <message>
        <source>Validity</source>
        <translation>Validité</translation>
    </message>
    <message>
        <source>When I arrive...</source>
        <translation>En arrivant…</translation>
    </message>
    <message>
        <source>When I leave...</source>
        <translation>En partant…</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Places: © OpenStreetMap contributors</source>
        <translation>Lieux&#xa0;: © contributeurs d&apos;OpenStreetMap</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Domicile</translation>
    </message>
    <message>
        <source>Work</source>
        <translation>Travail</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
</context>
<context>
    <name>LocationRow</name>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>No Location</source>
        <translation>Aucun lieu</translation>
    </message>
    <message>
        <source>When I arrive... %1</source>
        <extracomment>%1 is the place, as in &quot;When I arrive... Office&quot;.</extracomment>
        <translation>En arrivant… %1</translation>
    </message>
    <message>
        <source>When I leave... %1</source>
        <extracomment>%1 is the place, as in &quot;When I leave... Office&quot;.</extracomment>
        <translation>En partant… %1</translation>
    </message>
</context>
<context>
    <name>LocationSearch</name>
    <message>
        <source>Location is not valid</source>
        <translation>Le lieu n&apos;est pas valide</translation>
    </message>
    <message>
        <source>validating..</source>
        <translation>vérification…</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;New Task</source>
        <translation>&amp;Nouvelle tâche</translation>
    </message>
    <message>
        <source>New &amp;List…</source>
        <translation>Nouvelle &amp;liste…</translation>
    </message>
    <message>
        <source>New &amp;Tag List…</source>
        <translation>Nouvelle liste par &amp;étiquette…</translation>
    </message>
    <message>
        <source>New &amp;Merged List…</source>
        <translation>Nouvelle liste f&amp;usionnée…</translation>
    </message>
    <message>
        <source>&amp;Share List…</source>
        <translation>&amp;Partager la liste…</translation>
    </message>
    <message>
        <source>S&amp;ync Now</source>
        <translation>&amp;Synchroniser maintenant</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>&amp;Fermer la fenêtre</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Recently D&amp;eleted…</source>
        <translation>Suppressions ré&amp;centes…</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Préférences…</translation>
    </message>
    <message>
        <source>&amp;Today</source>
        <translation>&amp;Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>&amp;Day</source>
        <translation>&amp;Jour</translation>
    </message>
    <message>
        <source>&amp;Week</source>
        <translation>&amp;Semaine</translation>
    </message>
    <message>
        <source>&amp;Month</source>
        <translation>&amp;Mois</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>&amp;Preset Lists</source>
        <translation>Listes &amp;prédéfinies</translation>
    </message>
    <message>
        <source>Sm&amp;art Lists</source>
        <translation>Listes &amp;intelligentes</translation>
    </message>
    <message>
        <source>&amp;Lists</source>
        <translation>&amp;Listes</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Réduire</translation>
    </message>
    <message>
        <source>&amp;Velmoran</source>
        <translation>&amp;Velmoran</translation>
    </message>
    <message>
        <source>Velmoran &amp;Help</source>
        <translation>&amp;Aide de Velmoran</translation>
    </message>
    <message>
        <source>What&apos;s &amp;New</source>
        <translation>&amp;Nouveautés</translation>
    </message>
    <message>
        <source>&amp;Rate Velmoran</source>
        <translation>É&amp;valuer Velmoran</translation>
    </message>
    <message>
        <source>&amp;About Velmoran</source>
        <translation>À &amp;propos de Velmoran</translation>
    </message>
    <message>
        <source>Hide &amp;Completed</source>
        <translation>Masquer les tâches &amp;terminées</translation>
    </message>
    <message>
        <source>Show &amp;Completed</source>
        <translation>Afficher les tâches &amp;terminées</translation>
    </message>
    <message>
        <source>Hide L&amp;ists</source>
        <translation>Masquer l&amp;es listes</translation>
    </message>
    <message>
        <source>Show L&amp;ists</source>
        <translation>Afficher l&amp;es listes</translation>
    </message>
    <message>
        <source>Hide D&amp;etails</source>
        <translation>Masquer les &amp;détails</translation>
    </message>
    <message>
        <source>Show D&amp;etails</source>
        <translation>Afficher les &amp;détails</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importer…</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xporter…</translation>
    </message>
    <message>
        <source>Add Su&amp;btask</source>
        <translation>Ajouter une sous-&amp;tâche</translation>
    </message>
    <message>
        <source>&amp;Indent</source>
        <translation>Aug&amp;menter le retrait</translation>
    </message>
    <message>
        <source>&amp;Outdent</source>
        <translation>&amp;Diminuer le retrait</translation>
    </message>
</context>
<context>
    <name>MapView</name>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>No position</source>
        <translation>Aucune position</translation>
    </message>
    <message>
        <source>© OpenStreetMap contributors</source>
        <translation>© contributeurs d&apos;OpenStreetMap</translation>
    </message>
</context>
<context>
    <name>MidViewController</name>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Save Search</source>
        <translation>Enregistrer la recherche</translation>
    </message>
    <message>
        <source>Show Lists</source>
        <translation>Afficher les listes</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>Show or Hide Completed</source>
        <translation>Afficher ou masquer les tâches terminées</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Task List</source>
        <translation>Liste de tâches</translation>
    </message>
    <message>
        <source>Hide Completed</source>
        <translation>Masquer les tâches terminées</translation>
    </message>
    <message>
        <source>Show Completed</source>
        <translation>Afficher les tâches terminées</translation>
    </message>
    <message>
        <source>The task could not be indented</source>
        <translation>Le retrait de la tâche n&apos;a pas pu être augmenté</translation>
    </message>
    <message>
        <source>The task could not be outdented</source>
        <translation>Le retrait de la tâche n&apos;a pas pu être diminué</translation>
    </message>
    <message>
        <source>The task is no longer in the store.</source>
        <translation>La tâche n&apos;est plus dans le stockage.</translation>
    </message>
    <message>
        <source>The task could not be made a subtask</source>
        <translation>La tâche n&apos;a pas pu devenir une sous-tâche</translation>
    </message>
</context>
<context>
    <name>MonthDateView</name>
    <message>
        <source>Month</source>
        <translation>Mois</translation>
    </message>
</context>
<context>
    <name>NewTaskPage</name>
    <message>
        <source>No Time</source>
        <translation>Sans heure</translation>
    </message>
    <message>
        <source>Default List</source>
        <translation>Liste par défaut</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <source>Preset Time</source>
        <translation>Heure prédéfinie</translation>
    </message>
    <message>
        <source>&apos;No Time&apos; is for due date only. If alarm is turned on, it&apos;ll follow preset time.</source>
        <translation>«&#xa0;Sans heure&#xa0;» ne concerne que l&apos;échéance. Si le rappel est activé, il suit l&apos;heure prédéfinie.</translation>
    </message>
    <message>
        <source>If you set &apos;No Time&apos; with alarm on RECURRING tasks, alarm will change to 12AM on next task if it&apos;s completed on other devices.</source>
        <translation>Si vous choisissez «&#xa0;Sans heure&#xa0;» avec un rappel sur des tâches RÉCURRENTES, le rappel de la tâche suivante passera à minuit si la tâche est terminée sur un autre appareil.</translation>
    </message>
    <message>
        <source>Alarm Time</source>
        <translation>Heure du rappel</translation>
    </message>
</context>
<context>
    <name>NoListAlert</name>
    <message>
        <source>No List Found</source>
        <translation>Aucune liste trouvée</translation>
    </message>
    <message>
        <source>Check below. 

1. Velmoran needs to read and write the folders of your lists. Check that the store folder exists and belongs to you.

2. Go to &apos;Preferences &gt; Lists&apos;. If you have no lists, add one.</source>
        <translation>Vérifiez les points suivants. 

1. Velmoran doit pouvoir lire et écrire dans les dossiers de vos listes. Vérifiez que le dossier de stockage existe et qu&apos;il vous appartient.

2. Allez dans «&#xa0;Préférences &gt; Listes&#xa0;». Si vous n&apos;avez aucune liste, ajoutez-en une.</translation>
    </message>
</context>
<context>
    <name>NoticeLabel</name>
    <message>
        <source>Notice</source>
        <translation>Remarque</translation>
    </message>
</context>
<context>
    <name>NotificationScheduler</name>
    <message>
        <source>Snooze</source>
        <translation>Reporter</translation>
    </message>
</context>
<context>
    <name>OnOffButton</name>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>%1:</source>
        <extracomment>A field&apos;s label before its control; some languages put a space before the colon.</extracomment>
        <translation>%1&#xa0;:</translation>
    </message>
</context>
<context>
    <name>PanelViewController</name>
    <message>
        <source>Tray Panel</source>
        <translation>Panneau de la zone de notification</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Keep Open</source>
        <translation>Garder ouvert</translation>
    </message>
    <message>
        <source>Keep the panel open when it loses the focus</source>
        <translation>Garder le panneau ouvert lorsqu&apos;il perd le focus</translation>
    </message>
    <message>
        <source>Sync Now</source>
        <translation>Synchroniser maintenant</translation>
    </message>
    <message>
        <source>Next Tasks</source>
        <translation>Prochaines tâches</translation>
    </message>
    <message>
        <source>The task could not be changed: %1</source>
        <translation>Impossible de modifier la tâche&#xa0;: %1</translation>
    </message>
    <message>
        <source>New Task Added</source>
        <translation>Nouvelle tâche ajoutée</translation>
    </message>
</context>
<context>
    <name>PanelWindowController</name>
    <message>
        <source>Velmoran Panel</source>
        <translation>Panneau de Velmoran</translation>
    </message>
</context>
<context>
    <name>PreferenceObject</name>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listes</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filtres</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Apparence</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
</context>
<context>
    <name>PriorityRow</name>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>No Priority</source>
        <translation>Aucune priorité</translation>
    </message>
    <message>
        <source>Low Priority</source>
        <translation>Priorité basse</translation>
    </message>
    <message>
        <source>Medium Priority</source>
        <translation>Priorité moyenne</translation>
    </message>
    <message>
        <source>High Priority</source>
        <translation>Priorité haute</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorité</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <source>Meta</source>
        <translation>Méta</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Alt</source>
        <translation>Alt</translation>
    </message>
    <message>
        <source>Shift</source>
        <translation>Maj</translation>
    </message>
</context>
<context>
    <name>QuickAction</name>
    <message>
        <source>Unsupported Action</source>
        <translation>Action non prise en charge</translation>
    </message>
    <message>
        <source>Clear Due Date</source>
        <translation>Effacer l&apos;échéance</translation>
    </message>
    <message>
        <source>Today</source>
        <extracomment>A quick action that moves the task&apos;s due date to today.</extracomment>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Now</source>
        <extracomment>A quick action that makes the task due at the current time.</extracomment>
        <translation>Maintenant</translation>
    </message>
    <message>
        <source>After</source>
        <extracomment>A quick action that completes a repeating task and starts its next one from today.</extracomment>
        <translation>Après</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>Retirer %1</translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation>Ajouter %1</translation>
    </message>
    <message>
        <source>Switch %1 to %2</source>
        <translation>Remplacer %1 par %2</translation>
    </message>
    <message numerus="yes">
        <source>+%n Minute(s)</source>
        <translation>
            <numerusform>+%n minute</numerusform>
            <numerusform>+%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Minute(s)</source>
        <translation>
            <numerusform>-%n minute</numerusform>
            <numerusform>-%n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Hour(s)</source>
        <translation>
            <numerusform>+%n heure</numerusform>
            <numerusform>+%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Hour(s)</source>
        <translation>
            <numerusform>-%n heure</numerusform>
            <numerusform>-%n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Day(s)</source>
        <translation>
            <numerusform>+%n jour</numerusform>
            <numerusform>+%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Day(s)</source>
        <translation>
            <numerusform>-%n jour</numerusform>
            <numerusform>-%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Week(s)</source>
        <translation>
            <numerusform>+%n semaine</numerusform>
            <numerusform>+%n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Week(s)</source>
        <translation>
            <numerusform>-%n semaine</numerusform>
            <numerusform>-%n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Month(s)</source>
        <translation>
            <numerusform>+%n mois</numerusform>
            <numerusform>+%n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Month(s)</source>
        <translation>
            <numerusform>-%n mois</numerusform>
            <numerusform>-%n mois</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuickActionMenu</name>
    <message>
        <source>Mark as Incomplete</source>
        <translation>Marquer comme non terminée</translation>
    </message>
    <message>
        <source>Mark as Completed</source>
        <translation>Marquer comme terminée</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Masquer les détails</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Afficher les détails</translation>
    </message>
    <message>
        <source>Move to List</source>
        <translation>Déplacer vers la liste</translation>
    </message>
    <message>
        <source>Set Priority</source>
        <translation>Définir la priorité</translation>
    </message>
    <message>
        <source>None</source>
        <comment>priority</comment>
        <translation>Aucune</translation>
    </message>
</context>
<context>
    <name>QuickActionRowsModel</name>
    <message>
        <source>This version cannot perform this action; it is kept as stored.</source>
        <translation>Cette version ne peut pas exécuter cette action&#x202f;; elle est conservée telle qu&apos;enregistrée.</translation>
    </message>
</context>
<context>
    <name>QuickActionSettings</name>
    <message>
        <source>Unsupported Action</source>
        <translation>Action non prise en charge</translation>
    </message>
    <message>
        <source>Clear Due Date</source>
        <translation>Effacer l&apos;échéance</translation>
    </message>
    <message>
        <source>Today</source>
        <extracomment>A quick action that moves the task&apos;s due date to today.</extracomment>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Now</source>
        <extracomment>A quick action that makes the task due at the current time.</extracomment>
        <translation>Maintenant</translation>
    </message>
    <message>
        <source>After</source>
        <extracomment>A quick action that completes a repeating task and starts its next one from today.</extracomment>
        <translation>Après</translation>
    </message>
</context>
<context>
    <name>QuickActionSheet</name>
    <message>
        <source>Combination of &apos;Move to Today&apos; and &apos;Completed&apos;. When it&apos;s recurring task, completing by this will make next task based from today. (Normally it&apos;s made according to due date)</source>
        <translation>Combinaison de «&#xa0;Déplacer à aujourd&apos;hui&#xa0;» et «&#xa0;Terminée&#xa0;». Pour une tâche récurrente, la terminer ainsi crée la tâche suivante à partir d&apos;aujourd&apos;hui (et non, comme d&apos;habitude, à partir de l&apos;échéance).</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>heures</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Quick Action</source>
        <translation>Action rapide</translation>
    </message>
    <message>
        <source>Clear Due Date</source>
        <translation>Effacer l&apos;échéance</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Maintenant</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Étiquette</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Alterner</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Après</translation>
    </message>
    <message>
        <source>#tag, or a word</source>
        <translation>#étiquette, ou un mot</translation>
    </message>
    <message>
        <source>Switch word %1</source>
        <translation>Mot à alterner %1</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>Sans objet</translation>
    </message>
</context>
<context>
    <name>QuickActionsTab</name>
    <message>
        <source>Add a quick action</source>
        <translation>Ajouter une action rapide</translation>
    </message>
    <message>
        <source>Delete the selected quick action</source>
        <translation>Supprimer l&apos;action rapide sélectionnée</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
    <message>
        <source>Quick Actions are shown when you right-click a task.</source>
        <translation>Les actions rapides s&apos;affichent lorsque vous faites un clic droit sur une tâche.</translation>
    </message>
    <message>
        <source>A set saved on the &apos;Sync Preferences&apos; tab carries them to your other computers.</source>
        <translation>Un jeu enregistré dans l&apos;onglet «&#xa0;Synchroniser les préférences&#xa0;» les transporte vers vos autres ordinateurs.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Add Tag on</source>
        <translation>Ajouter l&apos;étiquette dans</translation>
    </message>
    <message>
        <source>Drag an action, or press Alt+Up and Alt+Down, to change the menu order. Double-click one to change it.</source>
        <translation>Faites glisser une action, ou appuyez sur Alt+Up et Alt+Down, pour changer l&apos;ordre du menu. Double-cliquez sur une action pour la modifier.</translation>
    </message>
    <message>
        <source>Quick Actions</source>
        <translation>Actions rapides</translation>
    </message>
</context>
<context>
    <name>QuickAddForm</name>
    <message>
        <source>Clear Due Date</source>
        <translation>Effacer l&apos;échéance</translation>
    </message>
    <message>
        <source>Undo Smart Add</source>
        <translation>Annuler l&apos;ajout intelligent</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>New Task</source>
        <translation>Nouvelle tâche</translation>
    </message>
    <message>
        <source>Add Task</source>
        <translation>Ajouter la tâche</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>No Due Date</source>
        <translation>Sans échéance</translation>
    </message>
    <message>
        <source>Smart Add</source>
        <translation>Ajout intelligent</translation>
    </message>
    <message>
        <source>Subtask of “%1”</source>
        <translation>Sous-tâche de «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répétition</translation>
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
        <translation>«&#xa0;%1&#xa0;» n&apos;existe plus&#x202f;; la tâche a été placée dans «&#xa0;%2&#xa0;».</translation>
    </message>
    <message>
        <source>Type a title for the task.</source>
        <translation>Saisissez un titre pour la tâche.</translation>
    </message>
    <message>
        <source>The task could not be saved: %1</source>
        <translation>Impossible d&apos;enregistrer la tâche&#xa0;: %1</translation>
    </message>
    <message>
        <source>The parent task is no longer in the store.</source>
        <translation>La tâche parente n&apos;est plus dans le stockage.</translation>
    </message>
</context>
<context>
    <name>RecentlyDeleted</name>
    <message>
        <source>%1 exists already.</source>
        <translation>%1 existe déjà.</translation>
    </message>
    <message>
        <source>%1 cannot be kept: %2.</source>
        <translation>Impossible de conserver %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The folder for deleted items, %1, cannot be created.</source>
        <translation>Impossible de créer le dossier des éléments supprimés, %1.</translation>
    </message>
    <message>
        <source>The folder for deleted items, %1, cannot be written: %2.</source>
        <translation>Impossible d&apos;écrire dans le dossier des éléments supprimés, %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>No free name for a deleted item in %1.</source>
        <translation>Aucun nom libre pour un élément supprimé dans %1.</translation>
    </message>
    <message>
        <source>The deleted item cannot be kept in %1: %2.</source>
        <translation>Impossible de conserver l&apos;élément supprimé dans %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The deleted list cannot be kept in %1.</source>
        <translation>Impossible de conserver la liste supprimée dans %1.</translation>
    </message>
    <message>
        <source>It is no longer in Recently Deleted: another program restored or deleted it.</source>
        <translation>Il n&apos;est plus dans les Suppressions récentes&#xa0;: un autre programme l&apos;a restauré ou supprimé.</translation>
    </message>
    <message>
        <source>It cannot be taken out of %1: %2.</source>
        <translation>Impossible de le retirer de %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>There is no deleted task &quot;%1&quot;.</source>
        <translation>Il n&apos;y a pas de tâche supprimée «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>There is no deleted list &quot;%1&quot;.</source>
        <translation>Il n&apos;y a pas de liste supprimée «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be restored: a file named %2 is already in its list.</source>
        <translation>Impossible de restaurer «&#xa0;%1&#xa0;»&#xa0;: un fichier nommé %2 se trouve déjà dans sa liste.</translation>
    </message>
    <message>
        <source>The list &quot;%1&quot; cannot be restored: a file named %2 is already in its folder.</source>
        <translation>Impossible de restaurer la liste «&#xa0;%1&#xa0;»&#xa0;: un fichier nommé %2 se trouve déjà dans son dossier.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>There is no deleted item &quot;%1&quot;.</source>
        <translation>Il n&apos;y a pas d&apos;élément supprimé «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedItems</name>
    <message>
        <source>&quot;%1&quot;: %2</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>the store is not open.</source>
        <translation>le stockage n&apos;est pas ouvert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; went into &quot;%2&quot;: its own list no longer exists.</source>
        <translation>«&#xa0;%1&#xa0;» a été restaurée dans «&#xa0;%2&#xa0;»&#xa0;: sa propre liste n&apos;existe plus.</translation>
    </message>
    <message>
        <source>The list &quot;%1&quot; came back in another folder: its own folder is no longer one of the store&apos;s.</source>
        <translation>La liste «&#xa0;%1&#xa0;» a été restaurée dans un autre dossier&#xa0;: son propre dossier ne fait plus partie du stockage.</translation>
    </message>
    <message>
        <source>They leave Recently Deleted, and their files are deleted. You cannot undo this action.</source>
        <translation>Ils quittent les Suppressions récentes et leurs fichiers sont supprimés. Cette action est irréversible.</translation>
    </message>
    <message>
        <source>Nothing was deleted recently.</source>
        <translation>Rien n&apos;a été supprimé récemment.</translation>
    </message>
    <message>
        <source>Velmoran</source>
        <translation>Velmoran</translation>
    </message>
    <message>
        <source>Another program</source>
        <translation>Un autre programme</translation>
    </message>
    <message>
        <source>Sync</source>
        <extracomment>Who deleted the item: the sync with a CalDAV account.</extracomment>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Untitled list</source>
        <translation>Liste sans titre</translation>
    </message>
    <message>
        <source>Untitled task</source>
        <translation>Tâche sans titre</translation>
    </message>
    <message>
        <source>The record of this item was lost; what shows was read from its files.</source>
        <translation>La trace de cet élément a été perdue&#x202f;; ce qui s&apos;affiche a été lu depuis ses fichiers.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Supprimé le</translation>
    </message>
    <message>
        <source>By</source>
        <translation>Par</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be restored:</source>
        <translation>
            <numerusform>%n élément n&apos;a pas pu être restauré&#xa0;:</numerusform>
            <numerusform>%n éléments n&apos;ont pas pu être restaurés&#xa0;:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be deleted:</source>
        <translation>
            <numerusform>%n élément n&apos;a pas pu être supprimé&#xa0;:</numerusform>
            <numerusform>%n éléments n&apos;ont pas pu être supprimés&#xa0;:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n item(s) for good?</source>
        <translation>
            <numerusform>Supprimer définitivement %n élément&#x202f;?</numerusform>
            <numerusform>Supprimer définitivement %n éléments&#x202f;?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>List with %n task(s)</source>
        <translation>
            <numerusform>Liste avec %n tâche</numerusform>
            <numerusform>Liste avec %n tâches</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedPolicy</name>
    <message>
        <source>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept until you delete them there.</source>
        <translation>La liste et ses tâches vont dans les Suppressions récentes (Édition → Suppressions récentes…), où elles sont conservées jusqu&apos;à ce que vous les y supprimiez.</translation>
    </message>
    <message>
        <source>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept until you delete them there.</source>
        <translation>Les tâches terminées vont dans les Suppressions récentes (Édition → Suppressions récentes…), où elles sont conservées jusqu&apos;à ce que vous les y supprimiez.</translation>
    </message>
    <message numerus="yes">
        <source>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day(s).</source>
        <translation>
            <numerusform>La liste et ses tâches vont dans les Suppressions récentes (Édition → Suppressions récentes…), où elles sont conservées %n jour.</numerusform>
            <numerusform>La liste et ses tâches vont dans les Suppressions récentes (Édition → Suppressions récentes…), où elles sont conservées %n jours.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day(s).</source>
        <translation>
            <numerusform>Les tâches terminées vont dans les Suppressions récentes (Édition → Suppressions récentes…), où elles sont conservées %n jour.</numerusform>
            <numerusform>Les tâches terminées vont dans les Suppressions récentes (Édition → Suppressions récentes…), où elles sont conservées %n jours.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedWindow</name>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Delete Now</source>
        <translation>Supprimer maintenant</translation>
    </message>
    <message>
        <source>Recently Deleted</source>
        <translation>Suppressions récentes</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>Recurrence</name>
    <message>
        <source>%1 has a value that is not a number: &quot;%2&quot;</source>
        <translation>%1 a une valeur qui n&apos;est pas un nombre&#xa0;: «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>%1 has a value out of range: %2</source>
        <translation>%1 a une valeur hors limites&#xa0;: %2</translation>
    </message>
    <message>
        <source>BYDAY has an unknown weekday: &quot;%1&quot;</source>
        <translation>BYDAY a un jour de la semaine inconnu&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>BYDAY has a week number out of range: &quot;%1&quot;</source>
        <translation>BYDAY a un numéro de semaine hors limites&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>UNTIL is not a valid date: &quot;%1&quot;</source>
        <translation>UNTIL n&apos;est pas une date valide&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Unknown frequency &quot;%1&quot;</source>
        <translation>Fréquence inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1 must be a positive number, not &quot;%2&quot;</source>
        <translation>%1 doit être un nombre positif, pas «&#xa0;%2&#xa0;»</translation>
    </message>
    <message>
        <source>WKST has an unknown weekday: &quot;%1&quot;</source>
        <translation>WKST a un jour de la semaine inconnu&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Unknown rule part &quot;%1&quot;</source>
        <translation>Partie de règle inconnue «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1=%2 is not supported</source>
        <translation>%1=%2 n&apos;est pas pris en charge</translation>
    </message>
    <message>
        <source>A rule cannot have both COUNT and UNTIL</source>
        <translation>Une règle ne peut pas avoir à la fois COUNT et UNTIL</translation>
    </message>
    <message>
        <source>BYWEEKNO is only allowed in yearly rules</source>
        <translation>BYWEEKNO n&apos;est autorisé que dans les règles annuelles</translation>
    </message>
    <message>
        <source>BYYEARDAY is not allowed in daily, weekly or monthly rules</source>
        <translation>BYYEARDAY n&apos;est pas autorisé dans les règles quotidiennes, hebdomadaires ou mensuelles</translation>
    </message>
    <message>
        <source>BYMONTHDAY is not allowed in weekly rules</source>
        <translation>BYMONTHDAY n&apos;est pas autorisé dans les règles hebdomadaires</translation>
    </message>
    <message>
        <source>Numbered weekdays are only allowed in monthly and yearly rules without week numbers</source>
        <translation>Les jours de la semaine numérotés ne sont autorisés que dans les règles mensuelles et annuelles sans numéro de semaine</translation>
    </message>
    <message>
        <source>Malformed rule part &quot;%1&quot;</source>
        <translation>Partie de règle mal formée «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Rule part &quot;%1&quot; appears twice</source>
        <translation>La partie de règle «&#xa0;%1&#xa0;» apparaît deux fois</translation>
    </message>
    <message>
        <source>Rule part &quot;%1&quot; has no value</source>
        <translation>La partie de règle «&#xa0;%1&#xa0;» n&apos;a pas de valeur</translation>
    </message>
    <message>
        <source>The rule has no FREQ</source>
        <translation>La règle n&apos;a pas de FREQ</translation>
    </message>
    <message>
        <source>Tasks cannot repeat more often than once a day</source>
        <translation>Les tâches ne peuvent pas se répéter plus d&apos;une fois par jour</translation>
    </message>
    <message>
        <source>Tasks cannot repeat at several times of the day</source>
        <translation>Les tâches ne peuvent pas se répéter à plusieurs heures de la journée</translation>
    </message>
</context>
<context>
    <name>RepeatEditor</name>
    <message>
        <source>Repeat</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>End Repeat</source>
        <translation>Fin de la répétition</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>End on Date</source>
        <translation>Se termine à une date</translation>
    </message>
    <message>
        <source>End after occurrences</source>
        <translation>Se termine après un nombre d&apos;occurrences</translation>
    </message>
    <message>
        <source>Number of Occurrences</source>
        <translation>Nombre d&apos;occurrences</translation>
    </message>
    <message>
        <source>time(s)</source>
        <translation>fois</translation>
    </message>
    <message>
        <source>End Repeat Date</source>
        <translation>Date de fin de la répétition</translation>
    </message>
    <message>
        <source>The repeat ends before the due date.</source>
        <translation>La répétition se termine avant l&apos;échéance.</translation>
    </message>
    <message>
        <source>Weekdays</source>
        <translation>En semaine</translation>
    </message>
    <message>
        <source>Weekends</source>
        <translation>Le week-end</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <source>Every 2 Weeks</source>
        <translation>Toutes les 2 semaines</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <source>Every Year</source>
        <translation>Tous les ans</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisée</translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Joins the months before the last one, as in &quot;January, March and May&quot;.</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <extracomment>A repeat rule (%1) and the months it falls in (%2), as in &quot;Every 2 Months in January and March&quot;.</extracomment>
        <translation>%1, en %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <extracomment>The months before the last one (%1) and the last one (%2), as in &quot;January, March and May&quot;.</extracomment>
        <translation>%1 et %2</translation>
    </message>
</context>
<context>
    <name>RepeatPhraseStage</name>
    <message numerus="yes">
        <source>%1, %n time(s)</source>
        <translation>
            <numerusform>%1, %n fois</numerusform>
            <numerusform>%1, %n fois</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, until %2</source>
        <translation>%1, jusqu’au %2</translation>
    </message>
</context>
<context>
    <name>ReplaceFileContents</name>
    <message>
        <source>the folder %1 cannot be created</source>
        <translation>impossible de créer le dossier %1</translation>
    </message>
</context>
<context>
    <name>ReviewLink</name>
    <message>
        <source>Rate Velmoran</source>
        <translation>Évaluer Velmoran</translation>
    </message>
    <message>
        <source>No program here opens the review page.</source>
        <translation>Aucun programme ne peut ouvrir ici la page d&apos;évaluation.</translation>
    </message>
    <message>
        <source>You can rate Velmoran at %1.</source>
        <translation>Vous pouvez évaluer Velmoran sur %1.</translation>
    </message>
</context>
<context>
    <name>RightViewController</name>
    <message>
        <source>Mail Link</source>
        <translation>Lien de courriel</translation>
    </message>
    <message>
        <source>Show in Mail</source>
        <translation>Afficher dans la messagerie</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminée</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Répétition</translation>
    </message>
    <message>
        <source>End Repeat</source>
        <translation>Fin de la répétition</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Lieu</translation>
    </message>
    <message>
        <source>Priorities</source>
        <translation>Priorités</translation>
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
        <translation>Notes</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Détails</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>Ouvrir l&apos;URL</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Masquer les détails</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>No Task Selected</source>
        <translation>Aucune tâche sélectionnée</translation>
    </message>
    <message>
        <source>No Due Date</source>
        <translation>Sans échéance</translation>
    </message>
    <message>
        <source>No Alarm</source>
        <translation>Aucun rappel</translation>
    </message>
    <message>
        <source>At Due Time</source>
        <translation>À l&apos;heure d&apos;échéance</translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) Before</source>
        <translation>
            <numerusform>%n jour avant</numerusform>
            <numerusform>%n jours avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Hour(s) Before</source>
        <translation>
            <numerusform>%n heure avant</numerusform>
            <numerusform>%n heures avant</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Minute(s) Before</source>
        <translation>
            <numerusform>%n minute avant</numerusform>
            <numerusform>%n minutes avant</numerusform>
        </translation>
    </message>
    <message>
        <source>Add Subtask</source>
        <translation>Ajouter une sous-tâche</translation>
    </message>
</context>
<context>
    <name>SecretStore</name>
    <message>
        <source>The program secret-tool could not be started (%1). Install the package libsecret-tools.</source>
        <translation>Impossible de lancer le programme secret-tool (%1). Installez le paquet libsecret-tools.</translation>
    </message>
    <message>
        <source>The secret service did not answer.</source>
        <translation>Le service de secrets n&apos;a pas répondu.</translation>
    </message>
    <message>
        <source>The password cannot be kept: no secret service (such as GNOME Keyring or KWallet) is running on this desktop, or it refused. The account is not saved, because a password is never written into a file.</source>
        <translation>Impossible de conserver le mot de passe&#xa0;: aucun service de secrets (comme le trousseau de GNOME ou KWallet) n&apos;est actif sur ce bureau, ou il a refusé. Le compte n&apos;est pas enregistré, car un mot de passe n&apos;est jamais écrit dans un fichier.</translation>
    </message>
</context>
<context>
    <name>ShareMenu</name>
    <message>
        <source>Save List</source>
        <translation>Enregistrer la liste</translation>
    </message>
    <message>
        <source>Text (*.txt);;Web Page (*.html)</source>
        <translation>Texte (*.txt);;Page web (*.html)</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation>Tâches</translation>
    </message>
    <message>
        <source>The list could not be saved to %1: %2</source>
        <translation>Impossible d&apos;enregistrer la liste dans %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Email…</source>
        <translation>Co&amp;urriel…</translation>
    </message>
    <message>
        <source>&amp;Save to File…</source>
        <translation>&amp;Enregistrer dans un fichier…</translation>
    </message>
</context>
<context>
    <name>ShortcutRecorder</name>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Remove this shortcut</source>
        <translation>Supprimer ce raccourci</translation>
    </message>
    <message>
        <source>This shortcut is already set.</source>
        <translation>Ce raccourci est déjà défini.</translation>
    </message>
    <message>
        <source>A shortcut needs a key with at least one of Ctrl, Alt, Shift or Super.</source>
        <translation>Un raccourci nécessite une touche avec au moins l&apos;une des touches Ctrl, Alt, Maj ou Super.</translation>
    </message>
    <message>
        <source>%1 is already used by another program. Choose another shortcut.</source>
        <translation>%1 est déjà utilisé par un autre programme. Choisissez un autre raccourci.</translation>
    </message>
</context>
<context>
    <name>SidebarLayout</name>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
</context>
<context>
    <name>SignedAmountRow</name>
    <message>
        <source>Number</source>
        <translation>Nombre</translation>
    </message>
</context>
<context>
    <name>SmartAddRuleSheet</name>
    <message>
        <source>Days</source>
        <translation>jours</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>semaines</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>mois</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>années</translation>
    </message>
    <message>
        <source>N/A</source>
        <translation>Sans objet</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Smart Add Rule</source>
        <translation>Règle d&apos;ajout intelligent</translation>
    </message>
    <message>
        <source>Type in a word to trigger this rule</source>
        <translation>Saisissez un mot qui déclenche cette règle</translation>
    </message>
    <message>
        <source>Due Date</source>
        <translation>Échéance</translation>
    </message>
    <message>
        <source>Due Time</source>
        <translation>Heure d&apos;échéance</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Rappel</translation>
    </message>
    <message>
        <source>On</source>
        <translation>activé</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>désactivé</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Word:</source>
        <translation>Mot&#xa0;:</translation>
    </message>
    <message>
        <source>Sets:</source>
        <translation>Définit&#xa0;:</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
</context>
<context>
    <name>SmartAddSettings</name>
    <message>
        <source>Sunday</source>
        <translation>dimanche</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>lundi</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>mardi</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>mercredi</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>jeudi</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>vendredi</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>samedi</translation>
    </message>
    <message>
        <source>Due Time %1</source>
        <translation>Heure d&apos;échéance %1</translation>
    </message>
    <message>
        <source>Alarm On</source>
        <translation>Rappel activé</translation>
    </message>
    <message>
        <source>Alarm Off</source>
        <translation>Rappel désactivé</translation>
    </message>
    <message>
        <source>Due Date - %1</source>
        <translation>Échéance - %1</translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Day(s)</source>
        <translation>
            <numerusform>Échéance +%n jour</numerusform>
            <numerusform>Échéance +%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Day(s)</source>
        <translation>
            <numerusform>Échéance -%n jour</numerusform>
            <numerusform>Échéance -%n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Week(s)</source>
        <translation>
            <numerusform>Échéance +%n semaine</numerusform>
            <numerusform>Échéance +%n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Week(s)</source>
        <translation>
            <numerusform>Échéance -%n semaine</numerusform>
            <numerusform>Échéance -%n semaines</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Month(s)</source>
        <translation>
            <numerusform>Échéance +%n mois</numerusform>
            <numerusform>Échéance +%n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Month(s)</source>
        <translation>
            <numerusform>Échéance -%n mois</numerusform>
            <numerusform>Échéance -%n mois</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Year(s)</source>
        <translation>
            <numerusform>Échéance +%n an</numerusform>
            <numerusform>Échéance +%n ans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Year(s)</source>
        <translation>
            <numerusform>Échéance -%n an</numerusform>
            <numerusform>Échéance -%n ans</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SmartAddTab</name>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Due Date (M/dd)</source>
        <translation>Échéance (M/dd)</translation>
    </message>
    <message>
        <source>Due Date (dd/M)</source>
        <translation>Échéance (dd/M)</translation>
    </message>
    <message>
        <source>Due Time (24-hour)</source>
        <translation>Heure d&apos;échéance (24 h)</translation>
    </message>
    <message>
        <source>Due Time (a/p)</source>
        <translation>Heure d&apos;échéance (a/p)</translation>
    </message>
    <message>
        <source>Due Time (hour)</source>
        <translation>Heure d&apos;échéance (heure)</translation>
    </message>
    <message>
        <source>Due Time (hour a/p)</source>
        <translation>Heure d&apos;échéance (heure a/p)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Priorité</translation>
    </message>
    <message>
        <source>Due Time (am/pm)</source>
        <translation>Heure d&apos;échéance (am/pm)</translation>
    </message>
    <message>
        <source>Due Time (hour am/pm)</source>
        <translation>Heure d&apos;échéance (heure am/pm)</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Haute</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Basse</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Smart Add</source>
        <translation>Ajout intelligent</translation>
    </message>
    <message>
        <source>Word</source>
        <translation>Mot</translation>
    </message>
    <message>
        <source>Sets</source>
        <translation>Définit</translation>
    </message>
    <message>
        <source>Add a word rule</source>
        <translation>Ajouter une règle de mot</translation>
    </message>
    <message>
        <source>Delete the selected word rule</source>
        <translation>Supprimer la règle de mot sélectionnée</translation>
    </message>
    <message>
        <source>Try a line, e.g. !! Call Anna tomorrow 3p</source>
        <translation>Essayez une ligne, par exemple !! Appeler Anna demain 15h</translation>
    </message>
    <message>
        <source>Not understood by this version; kept as stored</source>
        <translation>Non comprise par cette version&#x202f;; conservée telle qu&apos;enregistrée</translation>
    </message>
    <message>
        <source>Type in a word to trigger this rule</source>
        <translation>Saisissez un mot qui déclenche cette règle</translation>
    </message>
    <message>
        <source>A rule needs a word that is more than spaces.</source>
        <translation>Une règle a besoin d&apos;un mot qui ne soit pas fait que d&apos;espaces.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already triggers a rule</source>
        <translation>«&#xa0;%1&#xa0;» déclenche déjà une règle</translation>
    </message>
    <message>
        <source>Change that rule, or choose another word.</source>
        <translation>Modifiez cette règle, ou choisissez un autre mot.</translation>
    </message>
    <message>
        <source>Type a line above to see what Smart Add makes of it.</source>
        <translation>Saisissez une ligne ci-dessus pour voir ce qu&apos;en fait l&apos;ajout intelligent.</translation>
    </message>
    <message>
        <source>Nothing would be added: no title is left.</source>
        <translation>Rien ne serait ajouté&#xa0;: il ne reste aucun titre.</translation>
    </message>
    <message>
        <source>Title: %1</source>
        <translation>Titre&#xa0;: %1</translation>
    </message>
    <message>
        <source>Due: %1</source>
        <translation>Échéance&#xa0;: %1</translation>
    </message>
    <message>
        <source>Due: %1 at %2</source>
        <translation>Échéance&#xa0;: %1 à %2</translation>
    </message>
    <message>
        <source>Due: none</source>
        <translation>Échéance&#xa0;: aucune</translation>
    </message>
    <message>
        <source>Priority: %1</source>
        <translation>Priorité&#xa0;: %1</translation>
    </message>
    <message>
        <source>List: %1</source>
        <translation>Liste&#xa0;: %1</translation>
    </message>
    <message>
        <source>List: &quot;%1&quot; matches no shown list</source>
        <translation>Liste&#xa0;: «&#xa0;%1&#xa0;» ne correspond à aucune liste affichée</translation>
    </message>
    <message>
        <source>Alarm: on</source>
        <translation>Rappel&#xa0;: activé</translation>
    </message>
    <message>
        <source>Alarm: off</source>
        <translation>Rappel&#xa0;: désactivé</translation>
    </message>
    <message>
        <source>Due Date (d.M.)</source>
        <extracomment>The examples are German dates; keep them as they are.</extracomment>
        <translation>Échéance (d.M.)</translation>
    </message>
    <message>
        <source>Due Time (German)</source>
        <extracomment>The examples are German times; keep them as they are.</extracomment>
        <translation>Heure d&apos;échéance (allemand)</translation>
    </message>
    <message>
        <source>Due Time (French)</source>
        <extracomment>The examples are French times; keep them as they are.</extracomment>
        <translation>Heure d&apos;échéance (français)</translation>
    </message>
    <message>
        <source>What Smart Add Reads</source>
        <translation>Ce que l&apos;ajout intelligent reconnaît</translation>
    </message>
    <message>
        <source>Word Rules</source>
        <translation>Règles de mots</translation>
    </message>
    <message>
        <source>Sample Line</source>
        <translation>Ligne d&apos;essai</translation>
    </message>
    <message>
        <source>Read repeats (“every Monday”)</source>
        <translation>Lire les répétitions (« chaque lundi »)</translation>
    </message>
    <message>
        <source>Repeats: %1</source>
        <translation>Répétition : %1</translation>
    </message>
</context>
<context>
    <name>SmartListRowsModel</name>
    <message>
        <source>All Tasks</source>
        <translation>Toutes les tâches</translation>
    </message>
    <message>
        <source>Undated Tasks</source>
        <translation>Tâches sans échéance</translation>
    </message>
    <message>
        <source>Recurring Tasks</source>
        <translation>Tâches récurrentes</translation>
    </message>
    <message>
        <source>Location-based Tasks</source>
        <translation>Tâches liées à un lieu</translation>
    </message>
    <message>
        <source>Overdue Tasks</source>
        <translation>Tâches en retard</translation>
    </message>
    <message>
        <source>High Priority Tasks</source>
        <translation>Tâches de priorité haute</translation>
    </message>
    <message>
        <source>Mid Priority Tasks</source>
        <translation>Tâches de priorité moyenne</translation>
    </message>
    <message>
        <source>Low Priority Tasks</source>
        <translation>Tâches de priorité basse</translation>
    </message>
    <message>
        <source>#%1</source>
        <translation>#%1</translation>
    </message>
    <message>
        <source>Merged list</source>
        <translation>Liste fusionnée</translation>
    </message>
    <message>
        <source>Tag list</source>
        <translation>Liste par étiquette</translation>
    </message>
    <message>
        <source>Saved search</source>
        <translation>Recherche enregistrée</translation>
    </message>
</context>
<context>
    <name>SmartListTab</name>
    <message>
        <source>Add a tag list or a merged list</source>
        <translation>Ajouter une liste par étiquette ou une liste fusionnée</translation>
    </message>
    <message>
        <source>Delete the selected smart list</source>
        <translation>Supprimer la liste intelligente sélectionnée</translation>
    </message>
    <message>
        <source>Drag a smart list, or press Alt+Up and Alt+Down, to change the order. Double-click one to change it.</source>
        <translation>Faites glisser une liste intelligente, ou appuyez sur Alt+Up et Alt+Down, pour changer l&apos;ordre. Double-cliquez sur une liste pour la modifier.</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add New &amp;Tag List</source>
        <translation>Ajouter une nouvelle liste par &amp;étiquette</translation>
    </message>
    <message>
        <source>Add New &amp;Merged List</source>
        <translation>Ajouter une nouvelle liste &amp;fusionnée</translation>
    </message>
    <message>
        <source>Smart Lists</source>
        <translation>Listes intelligentes</translation>
    </message>
    <message>
        <source>Toggle</source>
        <comment>a preset list&apos;s box</comment>
        <translation>Basculer</translation>
    </message>
    <message>
        <source>Shows or hides the list in the sidebar</source>
        <translation>Affiche ou masque la liste dans la barre latérale</translation>
    </message>
</context>
<context>
    <name>SmartListWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Add Smart List</source>
        <translation>Ajouter une liste intelligente</translation>
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
        <translation>Afficher le &amp;panneau</translation>
    </message>
    <message>
        <source>&amp;Open Velmoran</source>
        <translation>&amp;Ouvrir Velmoran</translation>
    </message>
    <message>
        <source>&amp;Sync Now</source>
        <translation>&amp;Synchroniser maintenant</translation>
    </message>
    <message>
        <source>&amp;Quit Velmoran</source>
        <translation>&amp;Quitter Velmoran</translation>
    </message>
</context>
<context>
    <name>StoreFoldersGroup</name>
    <message>
        <source>missing</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>pas un dossier</translation>
    </message>
    <message>
        <source>cannot be read or written</source>
        <translation>illisible ou non modifiable</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ajouter un dossier…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Set by the VELMORAN_STORE environment variable, which takes precedence; change it there.</source>
        <translation>Défini par la variable d&apos;environnement VELMORAN_STORE, qui est prioritaire&#x202f;; modifiez-la.</translation>
    </message>
    <message>
        <source>Folders of iCalendar files, one sub-folder per list or calendar, as vdirsyncer, khal and todoman keep them.</source>
        <translation>Dossiers de fichiers iCalendar, un sous-dossier par liste ou agenda, tels que vdirsyncer, khal et todoman les conservent.</translation>
    </message>
    <message>
        <source>Velmoran&apos;s own folder. Add a vdirsyncer, khal or todoman folder to work on its lists and calendars.</source>
        <translation>Dossier propre à Velmoran. Ajoutez un dossier de vdirsyncer, khal ou todoman pour travailler sur ses listes et ses agendas.</translation>
    </message>
    <message>
        <source>Choose a folder of lists and calendars</source>
        <translation>Choisir un dossier de listes et d&apos;agendas</translation>
    </message>
    <message>
        <source>This folder can&apos;t be used</source>
        <translation>Ce dossier ne peut pas être utilisé</translation>
    </message>
    <message numerus="yes">
        <source>%n list(s) and calendar(s)</source>
        <translation>
            <numerusform>%n liste ou agenda</numerusform>
            <numerusform>%n listes et agendas</numerusform>
        </translation>
    </message>
    <message>
        <source>Store Folders</source>
        <translation>Dossiers de stockage</translation>
    </message>
</context>
<context>
    <name>SubtaskCommands</name>
    <message>
        <source>Add Subtask</source>
        <translation>Ajouter une sous-tâche</translation>
    </message>
    <message>
        <source>Indent</source>
        <translation>Augmenter le retrait</translation>
    </message>
    <message>
        <source>Outdent</source>
        <translation>Diminuer le retrait</translation>
    </message>
    <message>
        <source>There is no task above this one to make it a subtask of.</source>
        <translation>Aucune tâche au-dessus de celle-ci ne peut la recevoir comme sous-tâche.</translation>
    </message>
    <message>
        <source>The task is not a subtask.</source>
        <translation>La tâche n&apos;est pas une sous-tâche.</translation>
    </message>
    <message>
        <source>A task cannot be a subtask of itself or of one of its subtasks.</source>
        <translation>Une tâche ne peut pas être une sous-tâche d&apos;elle-même ni d&apos;une de ses sous-tâches.</translation>
    </message>
</context>
<context>
    <name>SubtaskCompletionQuestion</name>
    <message>
        <source>Complete Subtasks?</source>
        <translation>Terminer les sous-tâches&#x202f;?</translation>
    </message>
    <message numerus="yes">
        <source>“%1” has %n open subtask(s).</source>
        <translation>
            <numerusform>«&#xa0;%1&#xa0;» a %n sous-tâche ouverte.</numerusform>
            <numerusform>«&#xa0;%1&#xa0;» a %n sous-tâches ouvertes.</numerusform>
        </translation>
    </message>
    <message>
        <source>Complete its subtasks with it, or only the task itself?</source>
        <translation>Terminer aussi ses sous-tâches, ou seulement la tâche elle-même&#x202f;?</translation>
    </message>
    <message>
        <source>Complete All</source>
        <translation>Tout terminer</translation>
    </message>
    <message>
        <source>Complete Only This</source>
        <translation>Terminer celle-ci seulement</translation>
    </message>
    <message>
        <source>Remember my choice</source>
        <translation>Mémoriser mon choix</translation>
    </message>
</context>
<context>
    <name>SubtaskFolding</name>
    <message>
        <source>The subtasks could not be hidden</source>
        <translation>Impossible de masquer les sous-tâches</translation>
    </message>
    <message>
        <source>The subtasks could not be shown</source>
        <translation>Impossible d&apos;afficher les sous-tâches</translation>
    </message>
</context>
<context>
    <name>SubtaskOperations</name>
    <message>
        <source>Remove from Parent Task</source>
        <translation>le détachement de la tâche parente</translation>
    </message>
    <message>
        <source>Make Subtask</source>
        <translation>la transformation en sous-tâche</translation>
    </message>
    <message>
        <source>The task is no longer in the store.</source>
        <translation>La tâche n&apos;est plus dans le stockage.</translation>
    </message>
    <message>
        <source>The parent task is no longer in the store.</source>
        <translation>La tâche parente n&apos;est plus dans le stockage.</translation>
    </message>
    <message>
        <source>A subtask must be in the list of its parent task.</source>
        <translation>Une sous-tâche doit être dans la liste de sa tâche parente.</translation>
    </message>
    <message>
        <source>A task cannot be a subtask of itself or of one of its subtasks.</source>
        <translation>Une tâche ne peut pas être une sous-tâche d&apos;elle-même ni d&apos;une de ses sous-tâches.</translation>
    </message>
    <message>
        <source>Complete with Subtasks</source>
        <translation>l&apos;achèvement avec les sous-tâches</translation>
    </message>
    <message>
        <source>Delete with Subtasks</source>
        <translation>la suppression avec les sous-tâches</translation>
    </message>
</context>
<context>
    <name>SyncReport</name>
    <message>
        <source>The server refused the user name or password. Check them, or enter the password again in the account.</source>
        <translation>Le serveur a refusé le nom d&apos;utilisateur ou le mot de passe. Vérifiez-les, ou saisissez à nouveau le mot de passe dans le compte.</translation>
    </message>
    <message>
        <source>The server does not let this user in there (403 Forbidden). Check the address, and the user&apos;s rights on the server.</source>
        <translation>Le serveur n&apos;autorise pas l&apos;accès à cet utilisateur à cet endroit (403 Forbidden). Vérifiez l&apos;adresse et les droits de l&apos;utilisateur sur le serveur.</translation>
    </message>
    <message>
        <source>The server refused changes to &quot;%1&quot; (403 Forbidden): the list is read-only for this user. The changes stay on this computer; ask the list&apos;s owner for the right to change it, or move the tasks to another list.</source>
        <translation>Le serveur a refusé les modifications de «&#xa0;%1&#xa0;» (403 Forbidden)&#xa0;: la liste est en lecture seule pour cet utilisateur. Les modifications restent sur cet ordinateur&#x202f;; demandez au propriétaire de la liste le droit de la modifier, ou déplacez les tâches vers une autre liste.</translation>
    </message>
    <message>
        <source>The server cannot be reached. Check the address and the network.</source>
        <translation>Le serveur est injoignable. Vérifiez l&apos;adresse et le réseau.</translation>
    </message>
    <message>
        <source>The address does not lead to a CalDAV server.</source>
        <translation>L&apos;adresse ne mène pas à un serveur CalDAV.</translation>
    </message>
    <message>
        <source>The server&apos;s certificate is not trusted, or it does not speak HTTPS.</source>
        <translation>Le certificat du serveur n&apos;est pas approuvé, ou le serveur ne parle pas HTTPS.</translation>
    </message>
    <message>
        <source>The server did not answer in time.</source>
        <translation>Le serveur n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>A task was changed both here and on the server and could not be merged; both versions are unchanged.</source>
        <translation>Une tâche a été modifiée à la fois ici et sur le serveur et n&apos;a pas pu être fusionnée&#x202f;; les deux versions sont inchangées.</translation>
    </message>
    <message>
        <source>A list chosen for syncing no longer exists on the server. Choose the account&apos;s lists again.</source>
        <translation>Une liste choisie pour la synchronisation n&apos;existe plus sur le serveur. Choisissez à nouveau les listes du compte.</translation>
    </message>
    <message>
        <source>The password could not be read from the secret service. Unlock the keyring or enter the password again.</source>
        <translation>Impossible de lire le mot de passe dans le service de secrets. Déverrouillez le trousseau ou saisissez à nouveau le mot de passe.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on this computer. To be safe nothing was deleted on the server; choose whether to delete the tasks there too.</source>
        <translation>Toutes les tâches de «&#xa0;%1&#xa0;» ont été supprimées sur cet ordinateur. Par sécurité, rien n&apos;a été supprimé sur le serveur&#x202f;; choisissez s&apos;il faut y supprimer aussi les tâches.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on the server. To be safe nothing was deleted here; choose whether to delete the tasks here too.</source>
        <translation>Toutes les tâches de «&#xa0;%1&#xa0;» ont été supprimées sur le serveur. Par sécurité, rien n&apos;a été supprimé ici&#x202f;; choisissez s&apos;il faut supprimer aussi les tâches ici.</translation>
    </message>
    <message>
        <source>Syncing was stopped before it finished. What was synced is kept; the next sync goes on from there.</source>
        <translation>La synchronisation a été arrêtée avant la fin. Ce qui a été synchronisé est conservé&#x202f;; la prochaine synchronisation reprendra à partir de là.</translation>
    </message>
    <message>
        <source>vdirsyncer was ended from outside (signal %1) before the sync finished. What was synced is kept; sync again to finish.</source>
        <translation>vdirsyncer a été arrêté de l&apos;extérieur (signal %1) avant la fin de la synchronisation. Ce qui a été synchronisé est conservé&#x202f;; synchronisez à nouveau pour terminer.</translation>
    </message>
    <message>
        <source>vdirsyncer failed without saying why. Nothing is lost by it; sync again.</source>
        <translation>vdirsyncer a échoué sans en donner la raison. Rien n&apos;est perdu&#x202f;; synchronisez à nouveau.</translation>
    </message>
    <message>
        <source>vdirsyncer failed: %1 Sync again; if it fails again, the details hold vdirsyncer&apos;s own words.</source>
        <translation>vdirsyncer a échoué&#xa0;: %1 Synchronisez à nouveau&#x202f;; en cas de nouvel échec, les détails contiennent les messages de vdirsyncer.</translation>
    </message>
    <message numerus="yes">
        <source>%n received</source>
        <translation>
            <numerusform>%n reçu</numerusform>
            <numerusform>%n reçus</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sent</source>
        <translation>
            <numerusform>%n envoyé</numerusform>
            <numerusform>%n envoyés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n deleted here</source>
        <translation>
            <numerusform>%n supprimé ici</numerusform>
            <numerusform>%n supprimés ici</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n deleted on the server</source>
        <translation>
            <numerusform>%n supprimé sur le serveur</numerusform>
            <numerusform>%n supprimés sur le serveur</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n changed on both sides, both kept</source>
        <translation>
            <numerusform>%n modifié des deux côtés, deux versions conservées</numerusform>
            <numerusform>%n modifiés des deux côtés, deux versions conservées</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to change</source>
        <translation>Rien à modifier</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no longer exists on the server and was left out; its tasks stay on this computer. Choose the account&apos;s lists again.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;existe plus sur le serveur et a été mise de côté&#x202f;; ses tâches restent sur cet ordinateur. Choisissez à nouveau les listes du compte.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on this computer. The list is left out of syncing until you choose whether to delete its tasks on the server too or to bring them back here.</source>
        <translation>Toutes les tâches de «&#xa0;%1&#xa0;» ont été supprimées sur cet ordinateur. La liste est exclue de la synchronisation jusqu&apos;à ce que vous choisissiez de supprimer aussi ses tâches sur le serveur ou de les restaurer ici.</translation>
    </message>
    <message>
        <source>Every task of &quot;%1&quot; was deleted on the server; a copy of this computer&apos;s tasks is in %2. The list is left out of syncing until you choose whether to delete them here too or to send them back.</source>
        <translation>Toutes les tâches de «&#xa0;%1&#xa0;» ont été supprimées sur le serveur&#x202f;; une copie des tâches de cet ordinateur se trouve dans %2. La liste est exclue de la synchronisation jusqu&apos;à ce que vous choisissiez de les supprimer ici aussi ou de les renvoyer.</translation>
    </message>
    <message>
        <source>The tasks of &quot;%1&quot; were deleted on the server too.</source>
        <translation>Les tâches de «&#xa0;%1&#xa0;» ont aussi été supprimées sur le serveur.</translation>
    </message>
    <message>
        <source>The tasks of &quot;%1&quot; were deleted here too; a copy is in %2.</source>
        <translation>Les tâches de «&#xa0;%1&#xa0;» ont aussi été supprimées ici&#x202f;; une copie se trouve dans %2.</translation>
    </message>
</context>
<context>
    <name>SyncScheduler</name>
    <message>
        <source>Syncing… (%1 of %2 lists)</source>
        <translation>Synchronisation… (%1 listes sur %2)</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Synchronisation…</translation>
    </message>
    <message>
        <source>Not synced yet</source>
        <translation>Pas encore synchronisé</translation>
    </message>
    <message>
        <source>Synced at %1: %2</source>
        <translation>Synchronisé à %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Sync failed at %1: %2</source>
        <translation>Échec de la synchronisation à %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>SyncSetup</name>
    <message>
        <source>&quot;%1&quot; is not a web address (https://…).</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas une adresse web (https://…).</translation>
    </message>
    <message>
        <source>Velmoran: %1 at %2</source>
        <translation>Velmoran&#xa0;: %1 sur %2</translation>
    </message>
    <message>
        <source>The account could not be saved in %1.</source>
        <translation>Impossible d&apos;enregistrer le compte dans %1.</translation>
    </message>
</context>
<context>
    <name>SyncTab</name>
    <message>
        <source>Save Current Preferences</source>
        <translation>Enregistrer les préférences actuelles</translation>
    </message>
    <message>
        <source>Load…</source>
        <translation>Charger…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Appareil</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Sets are kept in one file in the sync folder. Point it at a folder that Nextcloud, Syncthing or another file-sync service carries, and load a set saved on another computer.</source>
        <translation>Les jeux sont conservés dans un seul fichier du dossier de synchronisation. Choisissez un dossier que Nextcloud, Syncthing ou un autre service de synchronisation de fichiers transporte, et chargez un jeu enregistré sur un autre ordinateur.</translation>
    </message>
    <message>
        <source>Sync Folder</source>
        <translation>Dossier de synchronisation</translation>
    </message>
    <message>
        <source>VELMORAN_SYNC_DIR names the folder for this run</source>
        <translation>VELMORAN_SYNC_DIR désigne le dossier pour cette exécution</translation>
    </message>
    <message>
        <source>Unknown device</source>
        <translation>Appareil inconnu</translation>
    </message>
    <message>
        <source>Are you sure you want to change preferences to this one?</source>
        <translation>Voulez-vous vraiment remplacer les préférences par celles-ci&#x202f;?</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>Loaded the preferences saved on %1.</source>
        <translation>Préférences enregistrées sur %1 chargées.</translation>
    </message>
    <message>
        <source>Loaded the preferences saved on %1. Not found here, so left out: %2.</source>
        <translation>Préférences enregistrées sur %1 chargées. Introuvables ici, donc ignorées&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Choose the Sync Folder</source>
        <translation>Choisir le dossier de synchronisation</translation>
    </message>
    <message>
        <source>Saved Sets</source>
        <translation>Ensembles enregistrés</translation>
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
        <translation>Événements d&apos;agenda</translation>
    </message>
    <message>
        <source>No Tasks</source>
        <translation>Aucune tâche</translation>
    </message>
</context>
<context>
    <name>TaskListModel</name>
    <message>
        <source>No Tasks</source>
        <translation>Aucune tâche</translation>
    </message>
    <message>
        <source>Calendar Events</source>
        <translation>Événements d&apos;agenda</translation>
    </message>
</context>
<context>
    <name>TaskListPresenter</name>
    <message>
        <source>The task could not be reopened</source>
        <translation>Impossible de rouvrir la tâche</translation>
    </message>
    <message>
        <source>The task could not be completed</source>
        <translation>Impossible de terminer la tâche</translation>
    </message>
    <message>
        <source>The task could not be deleted</source>
        <translation>Impossible de supprimer la tâche</translation>
    </message>
</context>
<context>
    <name>TaskOperations</name>
    <message>
        <source>The task is no longer in the store.</source>
        <translation>La tâche n&apos;est plus dans le stockage.</translation>
    </message>
    <message>
        <source>The store is not open.</source>
        <translation>Le stockage n&apos;est pas ouvert.</translation>
    </message>
    <message>
        <source>Completion Change</source>
        <translation>le changement d&apos;état de la tâche</translation>
    </message>
    <message>
        <source>Delete Task</source>
        <translation>la suppression de la tâche</translation>
    </message>
</context>
<context>
    <name>TaskRowContent</name>
    <message>
        <source>Mail Link</source>
        <translation>Lien de courriel</translation>
    </message>
    <message>
        <source>Overdue</source>
        <translation>En retard</translation>
    </message>
    <message>
        <source>High Priority</source>
        <translation>Priorité haute</translation>
    </message>
    <message>
        <source>Medium Priority</source>
        <translation>Priorité moyenne</translation>
    </message>
    <message>
        <source>Low Priority</source>
        <translation>Priorité basse</translation>
    </message>
    <message>
        <source>Completed %1</source>
        <translation>Terminée %1</translation>
    </message>
    <message>
        <source>Due %1</source>
        <translation>Échéance %1</translation>
    </message>
    <message>
        <source>Subtask of %1</source>
        <translation>Sous-tâche de %1</translation>
    </message>
    <message>
        <source>Subtasks done: %1 of %2</source>
        <translation>Sous-tâches terminées&#xa0;: %1 sur %2</translation>
    </message>
    <message>
        <source>Expanded</source>
        <translation>Développé</translation>
    </message>
    <message>
        <source>Collapsed</source>
        <translation>Réduit</translation>
    </message>
</context>
<context>
    <name>TaskTableView</name>
    <message>
        <source>Complete</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Reopen</source>
        <translation>Rouvrir</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Afficher les détails</translation>
    </message>
    <message>
        <source>Marks the task as completed</source>
        <translation>Marque la tâche comme terminée</translation>
    </message>
    <message>
        <source>Marks the task as not completed</source>
        <translation>Marque la tâche comme non terminée</translation>
    </message>
    <message>
        <source>Shows the details of this row</source>
        <translation>Affiche les détails de cette ligne</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Développer</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Shows the subtasks of the task</source>
        <translation>Affiche les sous-tâches de la tâche</translation>
    </message>
    <message>
        <source>Hides the subtasks of the task</source>
        <translation>Masque les sous-tâches de la tâche</translation>
    </message>
</context>
<context>
    <name>UnreadableFile</name>
    <message>
        <source>larger than %1 MB</source>
        <translation>plus de %1 Mo</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>illisible&#xa0;: %1</translation>
    </message>
    <message>
        <source>not an iCalendar file: %1</source>
        <translation>pas un fichier iCalendar&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>UnreadableFilesBar</name>
    <message>
        <source>Files that could not be read</source>
        <translation>Fichiers illisibles</translation>
    </message>
    <message>
        <source>Show Files…</source>
        <translation>Afficher les fichiers…</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) in your lists could not be read.</source>
        <translation>
            <numerusform>%n fichier de vos listes n&apos;a pas pu être lu.</numerusform>
            <numerusform>%n fichiers de vos listes n&apos;ont pas pu être lus.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UnreadableFilesDialog</name>
    <message>
        <source>Files That Could Not Be Read</source>
        <translation>Fichiers illisibles</translation>
    </message>
    <message>
        <source>These files in your lists are not shown. They are left as they are: fix or remove them in their folder.</source>
        <translation>Ces fichiers de vos listes ne sont pas affichés. Ils sont laissés tels quels&#xa0;: corrigez-les ou supprimez-les dans leur dossier.</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Files that could not be read</source>
        <translation>Fichiers illisibles</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
</context>
<context>
    <name>UrlRow</name>
    <message>
        <source>No URL</source>
        <translation>Aucune URL</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Open URL (Ctrl+Return)</source>
        <translation>Ouvrir l&apos;URL (Ctrl+Return)</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>Ouvrir l&apos;URL</translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>Share List</source>
        <translation>Partager la liste</translation>
    </message>
    <message>
        <source>The task store refused the change.</source>
        <translation>Le stockage des tâches a refusé la modification.</translation>
    </message>
    <message>
        <source>The task could not be moved</source>
        <translation>La tâche n&apos;a pas pu être déplacée</translation>
    </message>
</context>
<context>
    <name>WeekDateView</name>
    <message>
        <source>Week</source>
        <translation>Semaine</translation>
    </message>
</context>
<context>
    <name>WindowController</name>
    <message>
        <source>&amp;Undo</source>
        <extracomment>%1 names what is undone, as in &quot;Undo Delete Task&quot;.</extracomment>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Annuler %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <extracomment>%1 names what is redone, as in &quot;Redo Delete Task&quot;.</extracomment>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir %1</translation>
    </message>
</context>
<context>
    <name>store::EventStore</name>
    <message>
        <source>A task removed from %1 cannot be kept in Recently Deleted: %2</source>
        <translation>Une tâche retirée de %1 ne peut pas être conservée dans les Suppressions récentes&#xa0;: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Recently Deleted.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas dans les Suppressions récentes.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be restored: the task is in the store already (%2).</source>
        <translation>Impossible de restaurer «&#xa0;%1&#xa0;»&#xa0;: la tâche est déjà dans le stockage (%2).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be restored: there is no list to put it in.</source>
        <translation>Impossible de restaurer «&#xa0;%1&#xa0;»&#xa0;: il n&apos;y a aucune liste où la placer.</translation>
    </message>
    <message>
        <source>VELMORAN_STORE names &quot;%1&quot;, which is not a full path; give every folder from / (folders are separated by &apos;:&apos;)</source>
        <translation>VELMORAN_STORE désigne «&#xa0;%1&#xa0;», qui n&apos;est pas un chemin complet&#x202f;; indiquez chaque dossier depuis / (les dossiers sont séparés par &apos;:&apos;)</translation>
    </message>
</context>
<context>
    <name>store::IcsItem</name>
    <message>
        <source>Reminder</source>
        <translation>Rappel</translation>
    </message>
</context>
<context>
    <name>velmoran</name>
    <message>
        <source>A task manager for the desktop.</source>
        <translation>Un gestionnaire de tâches pour le bureau.</translation>
    </message>
    <message>
        <source>Add the selected (else the copied) text as a task.</source>
        <translation>Ajouter le texte sélectionné (sinon le texte copié) comme tâche.</translation>
    </message>
    <message>
        <source>Start without opening the window (at login).</source>
        <translation>Démarrer sans ouvrir la fenêtre (à l&apos;ouverture de session).</translation>
    </message>
    <message>
        <source>Bring the window to the front, or close it when it is in front (the first shortcut).</source>
        <translation>Mettre la fenêtre au premier plan, ou la fermer si elle y est déjà (le premier raccourci).</translation>
    </message>
    <message>
        <source>Open the tray panel, or close it when it is open (the second shortcut).</source>
        <translation>Ouvrir le panneau de la zone de notification, ou le fermer s&apos;il est ouvert (le second raccourci).</translation>
    </message>
    <message>
        <source>Open the window for a new task.</source>
        <translation>Ouvrir la fenêtre d&apos;une nouvelle tâche.</translation>
    </message>
    <message>
        <source>velmoran: URLs to open.</source>
        <translation>URL velmoran: à ouvrir.</translation>
    </message>
    <message>
        <source>a URL</source>
        <translation>une URL</translation>
    </message>
    <message>
        <source>%1 cannot be combined with %2; give one of them.</source>
        <translation>%1 ne peut pas être combiné avec %2&#x202f;; indiquez l&apos;un des deux.</translation>
    </message>
    <message>
        <source>the running instance refused the request: %1</source>
        <translation>l&apos;instance en cours d&apos;exécution a refusé la demande&#xa0;: %1</translation>
    </message>
    <message>
        <source>no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session</source>
        <translation>aucun affichage graphique (ni DISPLAY ni WAYLAND_DISPLAY n&apos;est défini)&#x202f;; lancez-le depuis une session de bureau</translation>
    </message>
    <message>
        <source>nothing is selected or copied; no task was added</source>
        <translation>rien n&apos;est sélectionné ni copié&#x202f;; aucune tâche n&apos;a été ajoutée</translation>
    </message>
</context>
</TS>
