<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>vantrel</name>
    <message>
        <source>Tessary Vantrel (*.zlt)|*.zlt|</source>
        <translation>Tessary Vantrel (*.zlt)|*.zlt|</translation>
    </message>
    <message>
        <source>The file name</source>
        <translation>Der Dateiname</translation>
    </message>
    <message>
        <source>The project could not be saved.

%1</source>
        <translation>Das Projekt konnte nicht gespeichert werden.

%1</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Could not find the BDE Administrator to start.</source>
        <translation>Der BDE-Administrator wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>%1 contains characters that a setup cannot store: %2

Please use only characters of the Western European (Windows-1252) character set.</source>
        <translation>%1 enthält Zeichen, die ein Setup nicht speichern kann: %2

Bitte verwenden Sie nur Zeichen des westeuropäischen Zeichensatzes (Windows-1252).</translation>
    </message>
</context>
<context>
    <name>vantrel::CPSheet</name>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Weiter &gt;</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Fertig stellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>vantrel::CoreText</name>
    <message>
        <source>You must enter an Application name before continuing.</source>
        <translation>Geben Sie einen Anwendungsnamen ein, bevor Sie fortfahren.</translation>
    </message>
    <message>
        <source>The application name cannot contain a comma or a line break.</source>
        <translation>Der Anwendungsname darf weder ein Komma noch einen Zeilenumbruch enthalten.</translation>
    </message>
    <message>
        <source>%1 cannot be longer than %2 characters.</source>
        <translation>%1 darf nicht länger als %2 Zeichen sein.</translation>
    </message>
    <message>
        <source>You must enter a Company name before continuing.</source>
        <translation>Geben Sie einen Firmennamen ein, bevor Sie fortfahren.</translation>
    </message>
    <message>
        <source>Company Name cannot contain any of the following characters:
	/ * ? \ &quot; &lt; &gt; | : ,</source>
        <translation>Der Firmenname darf keines der folgenden Zeichen enthalten:
	/ * ? \ &quot; &lt; &gt; | : ,</translation>
    </message>
    <message>
        <source>You must enter a default directory before continuing.</source>
        <translation>Geben Sie ein Standardverzeichnis ein, bevor Sie fortfahren.</translation>
    </message>
    <message>
        <source>The default directory cannot contain any of the following characters:
	/ * ? &quot; &lt; &gt; | , and no colon but the drive&apos;s.</source>
        <translation>Das Standardverzeichnis darf keines der folgenden Zeichen enthalten:
	/ * ? &quot; &lt; &gt; | , und keinen Doppelpunkt außer dem des Laufwerks.</translation>
    </message>
    <message>
        <source>You must enter a Version before continuing.</source>
        <translation>Geben Sie eine Version ein, bevor Sie fortfahren.</translation>
    </message>
    <message>
        <source>You must enter a destination folder when the default destination directory is not used.</source>
        <translation>Geben Sie einen Zielordner ein, wenn das Standard-Zielverzeichnis nicht verwendet wird.</translation>
    </message>
    <message>
        <source>Enter no more than one slash for directory separator in the Target Folder</source>
        <translation>Verwenden Sie im Zielordner nur einen Schrägstrich als Verzeichnistrenner</translation>
    </message>
    <message>
        <source>The Tessary Application Framework needs the Tessary 9 Runtime.</source>
        <translation>Das Tessary Application Framework benötigt die Tessary 9 Laufzeitumgebung.</translation>
    </message>
    <message>
        <source>The Borland Database Engine is needed while the Tessary 9 Runtime or an SQL Links driver is installed.</source>
        <translation>Die Borland Database Engine wird benötigt, solange die Tessary 9 Laufzeitumgebung oder ein SQL-Links-Treiber installiert wird.</translation>
    </message>
    <message>
        <source>The default language %1 must be one of the selected languages.</source>
        <translation>Die Standardsprache %1 muss eine der ausgewählten Sprachen sein.</translation>
    </message>
    <message>
        <source>Please select at least one writing tool language</source>
        <translation>Wählen Sie mindestens eine Sprache für die Schreibwerkzeuge aus</translation>
    </message>
    <message>
        <source>You must specify a Setup Title to continue.</source>
        <translation>Geben Sie einen Setup-Titel an, um fortzufahren.</translation>
    </message>
    <message>
        <source>You have not selected a font for your title, %1 has been set by default.</source>
        <translation>Sie haben keine Schriftart für den Titel ausgewählt; %1 wurde als Standard eingestellt.</translation>
    </message>
    <message>
        <source>You must specify a Font Size to continue.</source>
        <translation>Geben Sie eine Schriftgröße an, um fortzufahren.</translation>
    </message>
    <message>
        <source>The Font Size must be a whole number from %1 to %2.</source>
        <translation>Die Schriftgröße muss eine ganze Zahl von %1 bis %2 sein.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Please select a folder in the Destination Folders</source>
        <translation>Wählen Sie einen Ordner unter den Zielordnern aus</translation>
    </message>
    <message>
        <source>Please select a directory in the Source Folder</source>
        <translation>Wählen Sie ein Verzeichnis im Quellordner aus</translation>
    </message>
    <message>
        <source>A folder with this name already exists</source>
        <translation>Ein Ordner mit diesem Namen ist bereits vorhanden</translation>
    </message>
    <message>
        <source>A file with this name already exists in this folder</source>
        <translation>In diesem Ordner ist bereits eine Datei mit diesem Namen vorhanden</translation>
    </message>
    <message>
        <source>One or more files already exist in the target folder</source>
        <translation>Eine oder mehrere Dateien sind im Zielordner bereits vorhanden</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not appear to be a font.
 Do you want to add it to the font folder anyway?</source>
        <translation>Die Datei &quot;%1&quot; scheint keine Schriftart zu sein.
 Möchten Sie sie trotzdem dem Schriftartenordner hinzufügen?</translation>
    </message>
    <message>
        <source>Cannot delete root folder</source>
        <translation>Der Stammordner kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>This folder has subfolders
 Are you sure you want to delete</source>
        <translation>Dieser Ordner hat Unterordner.
 Möchten Sie ihn wirklich löschen?</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this folder</source>
        <translation>Möchten Sie diesen Ordner wirklich löschen?</translation>
    </message>
    <message>
        <source>Please select a file to remove</source>
        <translation>Wählen Sie die Datei aus, die entfernt werden soll</translation>
    </message>
    <message>
        <source>Are you sure you want to remove this file</source>
        <translation>Möchten Sie diese Datei wirklich entfernen?</translation>
    </message>
    <message>
        <source>Please select a folder whose files you want to remove</source>
        <translation>Wählen Sie den Ordner aus, dessen Dateien entfernt werden sollen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete all files</source>
        <translation>Möchten Sie wirklich alle Dateien löschen?</translation>
    </message>
    <message>
        <source>Cannot move root folders</source>
        <translation>Stammordner können nicht verschoben werden</translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <translation>Wählen Sie einen Ordner aus</translation>
    </message>
    <message>
        <source>Cannot move folder to itself</source>
        <translation>Ein Ordner kann nicht in sich selbst verschoben werden</translation>
    </message>
    <message>
        <source>Cannot rename root folder</source>
        <translation>Der Stammordner kann nicht umbenannt werden</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; cannot be used: it %2</source>
        <translation>Der Name &quot;%1&quot; kann nicht verwendet werden: er %2</translation>
    </message>
    <message>
        <source>%1: %2 (a folder inside %3)</source>
        <translation>%1: %2 (ein Ordner in %3)</translation>
    </message>
    <message>
        <source>%1: not a regular file or folder</source>
        <translation>%1: weder eine gewöhnliche Datei noch ein Ordner</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1: Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>The file is not one of the application&apos;s files</source>
        <translation>Die Datei gehört nicht zu den Dateien der Anwendung</translation>
    </message>
    <message>
        <source>Unknown target folder %1</source>
        <translation>Unbekannter Zielordner %1</translation>
    </message>
    <message>
        <source>These names cannot be used in a setup, so nothing was added:</source>
        <translation>Diese Namen können in einem Setup nicht verwendet werden, daher wurde nichts hinzugefügt:</translation>
    </message>
    <message>
        <source>%1: its name %2</source>
        <translation>%1: sein Name %2</translation>
    </message>
    <message>
        <source>The path %1 is not text in this system&apos;s encoding</source>
        <translation>Der Pfad %1 ist kein Text in der Zeichenkodierung dieses Systems</translation>
    </message>
    <message>
        <source>The path %1 holds characters that Windows-1252 cannot hold (%2), so a setup cannot name it; move or rename it first</source>
        <translation>Der Pfad %1 enthält Zeichen, die Windows-1252 nicht darstellen kann (%2), daher kann ein Setup ihn nicht benennen; verschieben Sie ihn zuerst oder benennen Sie ihn um</translation>
    </message>
    <message>
        <source>%1 is not below the project&apos;s source folder %2; the files of a project come from one source folder</source>
        <translation>%1 liegt nicht unter dem Quellordner des Projekts %2; die Dateien eines Projekts stammen aus einem einzigen Quellordner</translation>
    </message>
    <message>
        <source>%1 would go to %2 in the set, where %3 goes too; the set can hold only one of them</source>
        <translation>%1 käme im Satz nach %2, wohin auch %3 kommt; der Satz kann nur eine der beiden Dateien aufnehmen</translation>
    </message>
    <message>
        <source>Please select a file</source>
        <translation>Wählen Sie eine Datei aus</translation>
    </message>
    <message>
        <source>You have entered an invalid character for a directory.</source>
        <translation>Sie haben ein ungültiges Zeichen für ein Verzeichnis eingegeben.</translation>
    </message>
    <message>
        <source>You have entered an invalid character for a filename.</source>
        <translation>Sie haben ein ungültiges Zeichen für einen Dateinamen eingegeben.</translation>
    </message>
    <message>
        <source>You should not deselect all operating systems</source>
        <translation>Sie sollten nicht alle Betriebssysteme abwählen</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Größe: %1</translation>
    </message>
    <message>
        <source>The source directory on the set must be the file&apos;s folder below the project&apos;s source folder (%1); otherwise the file is not found when the project is opened again.</source>
        <translation>Das Quellverzeichnis im Satz muss der Ordner der Datei unterhalb des Quellordners des Projekts sein (%1); sonst wird die Datei beim erneuten Öffnen des Projekts nicht gefunden.</translation>
    </message>
    <message>
        <source>The overwrite rule must be one of Always, Never, Check Version, Check Date and Append.</source>
        <translation>Die Überschreibregel muss eine der folgenden sein: Always, Never, Check Version, Check Date oder Append.</translation>
    </message>
    <message>
        <source>The destination folder must be one of %1.</source>
        <translation>Der Zielordner muss einer der folgenden sein: %1.</translation>
    </message>
    <message>
        <source>Only a TrueType font file (.ttf) can be registered as a font.</source>
        <translation>Nur eine TrueType-Schriftdatei (.ttf) kann als Schriftart registriert werden.</translation>
    </message>
    <message>
        <source>The font %1 has no US-English full name to register it under.</source>
        <translation>Die Schriftart %1 hat keinen vollständigen US-englischen Namen, unter dem sie registriert werden könnte.</translation>
    </message>
    <message>
        <source>The destination of a file cannot be changed here.</source>
        <translation>Das Ziel einer Datei kann hier nicht geändert werden.</translation>
    </message>
    <message>
        <source>The file cannot be moved to %1.</source>
        <translation>Die Datei kann nicht nach %1 verschoben werden.</translation>
    </message>
    <message>
        <source>%1: not a readable TrueType font (%2)</source>
        <translation>%1: keine lesbare TrueType-Schriftart (%2)</translation>
    </message>
    <message>
        <source>Browser Error</source>
        <translation>Fehler beim Durchsuchen</translation>
    </message>
    <message>
        <source>Create Confirm</source>
        <translation>Anlegen bestätigen</translation>
    </message>
    <message>
        <source>Create Error</source>
        <translation>Fehler beim Anlegen</translation>
    </message>
    <message>
        <source>Rename Error</source>
        <translation>Fehler beim Umbenennen</translation>
    </message>
    <message>
        <source>Delete Confirm</source>
        <translation>Löschen bestätigen</translation>
    </message>
    <message>
        <source>Delete Error</source>
        <translation>Fehler beim Löschen</translation>
    </message>
    <message>
        <source>A directory cannot contain any of the following characters:
	* ? &quot; &lt; &gt; | ,</source>
        <translation>Ein Verzeichnis darf keines der folgenden Zeichen enthalten:
	* ? &quot; &lt; &gt; | ,</translation>
    </message>
    <message>
        <source>A directory cannot contain any of the following characters:
	/ * ? \ &quot; &lt; &gt; | : ,</source>
        <translation>Ein Verzeichnis darf keines der folgenden Zeichen enthalten:
	/ * ? \ &quot; &lt; &gt; | : ,</translation>
    </message>
    <message>
        <source>A directory cannot contain any of the following characters:
	/ * ? &quot; &lt; &gt; | , :</source>
        <translation>Ein Verzeichnis darf keines der folgenden Zeichen enthalten:
	/ * ? &quot; &lt; &gt; | , :</translation>
    </message>
    <message>
        <source>The chosen directory does not exist. Would you like the setup to create it?</source>
        <translation>Das gewählte Verzeichnis ist nicht vorhanden. Soll es angelegt werden?</translation>
    </message>
    <message>
        <source>The directory could not be created. You may not have write access.</source>
        <translation>Das Verzeichnis konnte nicht angelegt werden. Möglicherweise fehlt Ihnen die Schreibberechtigung.</translation>
    </message>
    <message>
        <source>You have chosen to use drives, you cannot enter UNC paths.</source>
        <translation>Sie haben Laufwerke gewählt; UNC-Pfade können nicht eingegeben werden.</translation>
    </message>
    <message>
        <source>You have chosen to use UNC paths, you must identify your server with two slashes i.e. &apos;\\server1\share1&apos;</source>
        <translation>Sie haben UNC-Pfade gewählt; geben Sie den Server mit zwei Schrägstrichen an, z. B. &apos;\\server1\share1&apos;</translation>
    </message>
    <message>
        <source>You are not allowed to enter removable drives.</source>
        <translation>Wechsellaufwerke dürfen nicht angegeben werden.</translation>
    </message>
    <message>
        <source>The UNC path provided could not be opened because it does not exist.</source>
        <translation>Der angegebene UNC-Pfad konnte nicht geöffnet werden, da er nicht vorhanden ist.</translation>
    </message>
    <message>
        <source>The drive provided could not be accessed because it does not exist.</source>
        <translation>Auf das angegebene Laufwerk konnte nicht zugegriffen werden, da es nicht vorhanden ist.</translation>
    </message>
    <message>
        <source>You do not have access to this drive(directory).</source>
        <translation>Sie haben keinen Zugriff auf dieses Laufwerk (Verzeichnis).</translation>
    </message>
    <message>
        <source>The directory exists, however you do not have write access to this location.</source>
        <translation>Das Verzeichnis ist vorhanden, Sie haben an diesem Ort jedoch keine Schreibberechtigung.</translation>
    </message>
    <message>
        <source>The name you entered already exists.Folder cannot be renamed.</source>
        <translation>Der eingegebene Name ist bereits vorhanden. Der Ordner kann nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>Error: Cannot access the file :(%1)
because it is being used by another process.</source>
        <translation>Fehler: Auf die Datei (%1) kann nicht zugegriffen werden,
da sie von einem anderen Prozess verwendet wird.</translation>
    </message>
    <message>
        <source>Error: Access denied to file:(%1)</source>
        <translation>Fehler: Zugriff auf die Datei (%1) verweigert</translation>
    </message>
    <message>
        <source>Error: deleting the file:%1</source>
        <translation>Fehler beim Löschen der Datei: %1</translation>
    </message>
    <message>
        <source>Error: Cannot access the path :(%1)
because it is being used by another process.</source>
        <translation>Fehler: Auf den Pfad (%1) kann nicht zugegriffen werden,
da er von einem anderen Prozess verwendet wird.</translation>
    </message>
    <message>
        <source>Error: Access denied to the path:(%1)</source>
        <translation>Fehler: Zugriff auf den Pfad (%1) verweigert</translation>
    </message>
    <message>
        <source>Error deleting the path: %1</source>
        <translation>Fehler beim Löschen des Pfads: %1</translation>
    </message>
    <message>
        <source>Error: (%1) could not be renamed.</source>
        <translation>Fehler: (%1) konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete the directory (%1) and all its contents permanently?</source>
        <translation>Möchten Sie das Verzeichnis (%1) und seinen gesamten Inhalt wirklich endgültig löschen?</translation>
    </message>
    <message>
        <source>You shouldn&apos;t be assigning a value to the RootKey %1</source>
        <translation>Dem Stammschlüssel %1 sollte kein Wert zugewiesen werden</translation>
    </message>
    <message>
        <source>You have selected only the RootKey %1.  You should specify a Key or Name, and a Value.</source>
        <translation>Sie haben nur den Stammschlüssel %1 ausgewählt. Geben Sie einen Schlüssel oder Namen und einen Wert an.</translation>
    </message>
    <message>
        <source>You have not specified any target Operating Systems.</source>
        <translation>Sie haben keine Zielbetriebssysteme angegeben.</translation>
    </message>
    <message>
        <source>A value name cannot contain &quot;*&quot;. Please enter the name without it.</source>
        <translation>Ein Wertname darf kein &quot;*&quot; enthalten. Geben Sie den Namen ohne dieses Zeichen ein.</translation>
    </message>
    <message>
        <source>The %1 cannot contain a comma or a line break.</source>
        <translation>%1 darf weder ein Komma noch einen Zeilenumbruch enthalten.</translation>
    </message>
    <message>
        <source>You have not selected a Reg Entry for modification.</source>
        <translation>Sie haben keinen Registrierungseintrag zum Ändern ausgewählt.</translation>
    </message>
    <message>
        <source>Please select a registry key for deletion</source>
        <translation>Wählen Sie den Registrierungsschlüssel aus, der gelöscht werden soll</translation>
    </message>
    <message>
        <source>Are you sure you want to delete this registry entry?

%1</source>
        <translation>Möchten Sie diesen Registrierungseintrag wirklich löschen?

%1</translation>
    </message>
    <message>
        <source>The Registry editor could not be launched.</source>
        <translation>Der Registrierungs-Editor konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>A Number value must be a whole number from 0 to 4294967295, or 0x and up to eight hex digits (0x0 to 0xFFFFFFFF).</source>
        <translation>Ein Zahlenwert muss eine ganze Zahl von 0 bis 4294967295 sein oder 0x mit bis zu acht Hexadezimalziffern (0x0 bis 0xFFFFFFFF).</translation>
    </message>
    <message>
        <source>The setup already writes this registry entry.</source>
        <translation>Das Setup schreibt diesen Registrierungseintrag bereits.</translation>
    </message>
    <message>
        <source>The entry is too long: its line in the setup script %1.</source>
        <translation>Der Eintrag ist zu lang: Seine Zeile im Setup-Skript %1.</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB; a registry file that large cannot be imported.</source>
        <translation>%1 ist größer als %2 MB; eine so große Registrierungsdatei kann nicht importiert werden.</translation>
    </message>
    <message>
        <source>%1 (it could not be read).</source>
        <translation>%1 (die Datei konnte nicht gelesen werden).</translation>
    </message>
    <message>
        <source>These lines could not be imported:</source>
        <translation>Diese Zeilen konnten nicht importiert werden:</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>Please select a file from the install files list</source>
        <translation>Wählen Sie eine Datei aus der Liste der installierten Dateien aus</translation>
    </message>
    <message>
        <source>Please select a file from the Files tagged for INI updates list</source>
        <translation>Wählen Sie eine Datei aus der Liste „Dateien für INI-Änderungen“ aus</translation>
    </message>
    <message>
        <source>Please select a file from the File Customization list</source>
        <translation>Wählen Sie eine Datei aus der Liste „Anpassung von Dateien“ aus</translation>
    </message>
    <message>
        <source>This entry already exists</source>
        <translation>Dieser Eintrag ist bereits vorhanden</translation>
    </message>
    <message>
        <source>the project installs no file %1</source>
        <translation>das Projekt installiert keine Datei %1</translation>
    </message>
    <message>
        <source>several files are named %1: %2</source>
        <translation>mehrere Dateien heißen %1: %2</translation>
    </message>
    <message>
        <source>You Must enter a Search and Replace string to be modified in your text file.</source>
        <translation>Geben Sie einen Such- und einen Ersetzungstext für die Textdatei ein.</translation>
    </message>
    <message>
        <source>You Must enter a Section, Key and Value to modify in your INI file.</source>
        <translation>Geben Sie einen Abschnitt, einen Schlüssel und einen Wert für die INI-Datei ein.</translation>
    </message>
    <message>
        <source>You should not enter either &apos;[&apos; or &apos;]&apos; in you section name.</source>
        <translation>Geben Sie im Abschnittsnamen weder &apos;[&apos; noch &apos;]&apos; ein.</translation>
    </message>
    <message>
        <source>Command &amp;Line Parameters</source>
        <translation>&amp;Befehlszeilenparameter</translation>
    </message>
    <message>
        <source>Please enter a Shortcut folder name before continuing.</source>
        <translation>Geben Sie einen Namen für den Verknüpfungsordner ein, bevor Sie fortfahren.</translation>
    </message>
    <message>
        <source>You must specify a name for your shortcut.</source>
        <translation>Geben Sie einen Namen für die Verknüpfung an.</translation>
    </message>
    <message>
        <source>You must select a file.</source>
        <translation>Wählen Sie eine Datei aus.</translation>
    </message>
    <message>
        <source>Shortcut already exists.</source>
        <translation>Die Verknüpfung ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>You must select a shortcut to delete.</source>
        <translation>Wählen Sie die Verknüpfung aus, die gelöscht werden soll.</translation>
    </message>
    <message>
        <source>You have not selected a shortcut to modify.</source>
        <translation>Sie haben keine Verknüpfung zum Ändern ausgewählt.</translation>
    </message>
    <message>
        <source>The runtime shortcut needs the Tessary 9 Runtime component.</source>
        <translation>Die Laufzeit-Verknüpfung benötigt die Komponente Tessary 9 Laufzeitumgebung.</translation>
    </message>
    <message>
        <source>This installation has no Tessary 9 Runtime component (TY9Run_Program.kvz in Comps).</source>
        <translation>Diese Installation hat keine Komponente Tessary 9 Laufzeitumgebung (TY9Run_Program.kvz in Comps).</translation>
    </message>
    <message>
        <source>The path to the CFG file is invalid.</source>
        <translation>Der Pfad zur CFG-Datei ist ungültig.</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>%1 is a Windows program; it can be started here only through wine, and wine was not found on the PATH.</source>
        <translation>%1 ist ein Windows-Programm; es kann hier nur über wine gestartet werden, und wine wurde im PATH nicht gefunden.</translation>
    </message>
    <message>
        <source>%1 cannot be run on this system.</source>
        <translation>%1 kann auf diesem System nicht ausgeführt werden.</translation>
    </message>
    <message>
        <source>Custom size...</source>
        <translation>Eigene Größe...</translation>
    </message>
    <message>
        <source>Size of fileset including setup files : %1</source>
        <translation>Größe der Dateien einschließlich Setup-Dateien: %1</translation>
    </message>
    <message>
        <source>Estimated number of disks : %1</source>
        <translation>Geschätzte Anzahl der Datenträger: %1</translation>
    </message>
    <message>
        <source>Components: %1</source>
        <translation>Komponenten: %1</translation>
    </message>
    <message>
        <source>Description :  A single disk setup will be created since your fileset can fit onto one disk or CD. Once the media is created, copy over all the files and directories onto your disk or CD.  To begin installation from the CD or disk, double click on Setup32.exe.</source>
        <translation>Beschreibung: Es wird ein Setup auf einem einzigen Datenträger erstellt, da Ihre Dateien auf eine Diskette oder CD passen. Kopieren Sie nach dem Erstellen der Medien alle Dateien und Verzeichnisse auf Ihre Diskette oder CD. Zum Starten der Installation doppelklicken Sie auf der CD oder Diskette auf Setup32.exe.</translation>
    </message>
    <message>
        <source>Description :  A floppy setup, using multiple %1 disks, will be created. Once the media is created, copy over the contents of each numbered directory onto seperate disks. To begin installation of the product, double click on setup.exe on the first disk.</source>
        <translation>Beschreibung: Es wird ein Setup auf mehreren %1-Disketten erstellt. Kopieren Sie nach dem Erstellen der Medien den Inhalt jedes nummerierten Verzeichnisses auf eine eigene Diskette. Zum Installieren des Produkts doppelklicken Sie auf der ersten Diskette auf setup.exe.</translation>
    </message>
    <message>
        <source>%1 is not a valid destination drive.  Please select a fixed drive.</source>
        <translation>%1 ist kein gültiges Ziellaufwerk. Wählen Sie ein festes Laufwerk.</translation>
    </message>
    <message>
        <source>Destination drive does not exist.</source>
        <translation>Das Ziellaufwerk ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Not enough disk space available on destination drive.</source>
        <translation>Auf dem Ziellaufwerk ist nicht genügend Speicherplatz frei.</translation>
    </message>
    <message>
        <source>Please enter a valid floppy size</source>
        <translation>Geben Sie eine gültige Diskettengröße ein</translation>
    </message>
    <message>
        <source>Custom Floppy Size</source>
        <translation>Benutzerdefinierte Diskettengröße</translation>
    </message>
    <message>
        <source>The media folder %1 %2 %3 (%4). Creating the media there would overwrite or remove the files the set is made from; please choose another folder.</source>
        <translation>Der Medienordner %1 %2 %3 (%4). Wenn die Medien dort erstellt würden, würden die Dateien, aus denen der Satz entsteht, überschrieben oder entfernt; wählen Sie bitte einen anderen Ordner.</translation>
    </message>
    <message>
        <source>There appears to be an existing setup located at :
 %1

Do you wish to remove it before continuing?</source>
        <translation>Unter folgendem Pfad scheint bereits ein Setup vorhanden zu sein:
 %1

Möchten Sie es entfernen, bevor Sie fortfahren?</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder.</source>
        <translation>%1 ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>no installation folder: the registry has no &quot;Install Location&quot;</source>
        <translation>kein Installationsordner: Die Registrierung enthält keinen Wert &quot;Install Location&quot;</translation>
    </message>
    <message>
        <source>the installation folder %1 does not exist</source>
        <translation>der Installationsordner %1 ist nicht vorhanden</translation>
    </message>
    <message>
        <source>the installation folder %1 has no Comps folder: the standard components are missing</source>
        <translation>der Installationsordner %1 hat keinen Ordner Comps: Die Standardkomponenten fehlen</translation>
    </message>
    <message>
        <source>the installation folder %1 has no Distrib/%2: the setup engine is missing</source>
        <translation>der Installationsordner %1 hat kein Distrib/%2: Die Setup-Engine fehlt</translation>
    </message>
    <message>
        <source>cannot open the media folder %1</source>
        <translation>der Medienordner %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>another build is writing to the media folder %1; wait until it has finished</source>
        <translation>ein anderer Erstellvorgang schreibt in den Medienordner %1; warten Sie, bis er beendet ist</translation>
    </message>
    <message>
        <source>Creating the media was cancelled; what was written is removed again</source>
        <translation>Das Erstellen der Medien wurde abgebrochen; was bereits geschrieben wurde, wird wieder entfernt</translation>
    </message>
    <message>
        <source>Creating the media was cancelled; the set in %1 is incomplete and must not be used (left: %2)</source>
        <translation>Das Erstellen der Medien wurde abgebrochen; der Satz in %1 ist unvollständig und darf nicht verwendet werden (übrig: %2)</translation>
    </message>
    <message>
        <source>cannot copy %1</source>
        <translation>kann nicht kopiert werden: %1</translation>
    </message>
    <message>
        <source>cannot create the folder %1: it is a file</source>
        <translation>der Ordner %1 kann nicht angelegt werden: Er ist eine Datei</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot remove the earlier set in %1: %2</source>
        <translation>der frühere Satz in %1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>cannot create a temporary folder in %1</source>
        <translation>in %1 kann kein temporärer Ordner angelegt werden</translation>
    </message>
    <message>
        <source>cannot keep the log %1 in the media folder; the temporary folder stays</source>
        <translation>das Protokoll %1 kann nicht im Medienordner abgelegt werden; der temporäre Ordner bleibt bestehen</translation>
    </message>
    <message>
        <source>cannot remove the temporary folder %1</source>
        <translation>der temporäre Ordner %1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>the setup engine could not use this set: %1</source>
        <translation>die Setup-Engine könnte diesen Satz nicht verwenden: %1</translation>
    </message>
    <message>
        <source>the source name %1 leaves the ship folder</source>
        <translation>der Quellname %1 führt aus dem Versandordner hinaus</translation>
    </message>
    <message>
        <source>two files have the path %1 in the set: %2</source>
        <translation>zwei Dateien haben im Satz den Pfad %1: %2</translation>
    </message>
    <message>
        <source>cannot write comp.kvz in %1</source>
        <translation>comp.kvz kann in %1 nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot write project.kvz in %1</source>
        <translation>project.kvz kann in %1 nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot write license.txt in %1</source>
        <translation>license.txt kann in %1 nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot write release.txt in %1</source>
        <translation>release.txt kann in %1 nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The application name</source>
        <translation>Der Anwendungsname</translation>
    </message>
    <message>
        <source>The company name</source>
        <translation>Der Firmenname</translation>
    </message>
    <message>
        <source>The default directory</source>
        <translation>Das Standardverzeichnis</translation>
    </message>
    <message>
        <source>The version</source>
        <translation>Die Version</translation>
    </message>
    <message>
        <source>The setup title</source>
        <translation>Der Setup-Titel</translation>
    </message>
    <message>
        <source>key</source>
        <translation>Der Schlüssel</translation>
    </message>
    <message>
        <source>name</source>
        <translation>Der Name</translation>
    </message>
    <message>
        <source>value</source>
        <translation>Der Wert</translation>
    </message>
    <message>
        <source>section</source>
        <translation>Der Abschnitt</translation>
    </message>
    <message>
        <source>group name</source>
        <translation>Der Gruppenname</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>Der Ordner</translation>
    </message>
    <message>
        <source>parameters</source>
        <translation>Das Feld Parameter</translation>
    </message>
    <message>
        <source>search text</source>
        <translation>Der Suchtext</translation>
    </message>
    <message>
        <source>replacement</source>
        <translation>Der Ersetzungstext</translation>
    </message>
    <message>
        <source>is empty</source>
        <translation>ist leer</translation>
    </message>
    <message>
        <source>is &quot;%1&quot;</source>
        <translation>ist &quot;%1&quot;</translation>
    </message>
    <message>
        <source>holds a control character</source>
        <translation>enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <source>holds &quot;%1&quot;</source>
        <translation>enthält &quot;%1&quot;</translation>
    </message>
    <message>
        <source>ends with a dot</source>
        <translation>endet mit einem Punkt</translation>
    </message>
    <message>
        <source>ends with a blank</source>
        <translation>endet mit einem Leerzeichen</translation>
    </message>
    <message>
        <source>is a device name of Windows</source>
        <translation>ist ein Gerätename von Windows</translation>
    </message>
    <message>
        <source>holds a comma, which a setup script cannot store</source>
        <translation>enthält ein Komma, das ein Setup-Skript nicht speichern kann</translation>
    </message>
    <message>
        <source>holds a line break, which a setup script cannot store</source>
        <translation>enthält einen Zeilenumbruch, den ein Setup-Skript nicht speichern kann</translation>
    </message>
    <message>
        <source>holds a character that Windows-1252 text cannot hold</source>
        <translation>enthält ein Zeichen, das Windows-1252-Text nicht darstellen kann</translation>
    </message>
    <message>
        <source>&quot;%1&quot; %2</source>
        <translation>&quot;%1&quot; %2</translation>
    </message>
    <message>
        <source>it has no file name</source>
        <translation>sie hat keinen Dateinamen</translation>
    </message>
    <message>
        <source>is %1 characters long; the setup engine reads lines of at most %2 characters</source>
        <translation>ist %1 Zeichen lang; die Setup-Engine liest Zeilen von höchstens %2 Zeichen</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keiner)</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>the file is not below it</source>
        <translation>die Datei liegt nicht darunter</translation>
    </message>
    <message>
        <source>The file %1</source>
        <translation>Die Datei %1</translation>
    </message>
    <message>
        <source>The application&apos;s file %1</source>
        <translation>Die Anwendungsdatei %1</translation>
    </message>
    <message>
        <source>the set&apos;s own file %1</source>
        <translation>die eigene Datei %1 des Satzes</translation>
    </message>
    <message>
        <source>the setup engine&apos;s file %1</source>
        <translation>die Datei %1 der Setup-Engine</translation>
    </message>
    <message>
        <source>the database engine&apos;s configuration file %1</source>
        <translation>die Konfigurationsdatei %1 der Datenbank-Engine</translation>
    </message>
    <message>
        <source>the file %1 of the standard component %2</source>
        <translation>die Datei %1 der Standardkomponente %2</translation>
    </message>
    <message>
        <source>the file is too short</source>
        <translation>die Datei ist zu kurz</translation>
    </message>
    <message>
        <source>the table directory runs past the end of the file</source>
        <translation>das Tabellenverzeichnis reicht über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>the table directory cannot be read</source>
        <translation>das Tabellenverzeichnis kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the name table lies past the end of the file</source>
        <translation>die Namenstabelle liegt hinter dem Dateiende</translation>
    </message>
    <message>
        <source>the name records run past the end of the file</source>
        <translation>die Namenseinträge reichen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>the name records cannot be read</source>
        <translation>die Namenseinträge können nicht gelesen werden</translation>
    </message>
    <message>
        <source>the full name lies past the end of the file</source>
        <translation>der vollständige Name liegt hinter dem Dateiende</translation>
    </message>
    <message>
        <source>it is not written as a registry file line</source>
        <translation>sie ist nicht wie eine Zeile einer Registrierungsdatei geschrieben</translation>
    </message>
    <message>
        <source>it holds characters that a setup script cannot store</source>
        <translation>sie enthält Zeichen, die ein Setup-Skript nicht speichern kann</translation>
    </message>
    <message>
        <source>the key does not begin with a root key such as HKEY_LOCAL_MACHINE</source>
        <translation>der Schlüssel beginnt nicht mit einem Stammschlüssel wie HKEY_LOCAL_MACHINE</translation>
    </message>
    <message>
        <source>removing keys or values cannot be imported</source>
        <translation>das Entfernen von Schlüsseln oder Werten kann nicht importiert werden</translation>
    </message>
    <message>
        <source>not a registry file: it does not begin with &quot;Windows Registry Editor Version 5.00&quot; or &quot;REGEDIT4&quot;.</source>
        <translation>keine Registrierungsdatei: Sie beginnt nicht mit &quot;Windows Registry Editor Version 5.00&quot; oder &quot;REGEDIT4&quot;.</translation>
    </message>
    <message>
        <source>%1: not a registry file: it does not begin with &quot;Windows Registry Editor Version 5.00&quot; or &quot;REGEDIT4&quot;.</source>
        <translation>%1: keine Registrierungsdatei: Sie beginnt nicht mit &quot;Windows Registry Editor Version 5.00&quot; oder &quot;REGEDIT4&quot;.</translation>
    </message>
    <message>
        <source>about %1</source>
        <translation>etwa %1</translation>
    </message>
    <message>
        <source>is</source>
        <translation>ist identisch mit</translation>
    </message>
    <message>
        <source>lies inside</source>
        <translation>liegt innerhalb von</translation>
    </message>
    <message>
        <source>contains</source>
        <translation>ist ein übergeordneter Ordner von</translation>
    </message>
    <message>
        <source>the project&apos;s source folder</source>
        <translation>dem Quellordner des Projekts</translation>
    </message>
    <message>
        <source>the installation folder</source>
        <translation>dem Installationsordner</translation>
    </message>
    <message>
        <source>the folder of the database-engine configuration %1</source>
        <translation>dem Ordner der Konfiguration %1 der Datenbank-Engine</translation>
    </message>
    <message>
        <source>the folder of the file %1</source>
        <translation>dem Ordner der Datei %1</translation>
    </message>
    <message>
        <source>Copying file : %1</source>
        <translation>Datei wird kopiert: %1</translation>
    </message>
    <message>
        <source>%1: is a folder, not a project file</source>
        <translation>%1: ist ein Ordner, keine Projektdatei</translation>
    </message>
    <message>
        <source>the temporary folder cannot be created</source>
        <translation>der temporäre Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1: the project script cannot be written</source>
        <translation>%1: das Projektskript kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1: the component script cannot be written</source>
        <translation>%1: das Komponentenskript kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1: %2 cannot be written: %3</source>
        <translation>%1: %2 kann nicht geschrieben werden: %3</translation>
    </message>
    <message>
        <source>%1: the archive cannot be made: %2</source>
        <translation>%1: das Archiv kann nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>%1: the file was changed by another program after this project was opened or saved; it was not replaced, so that change is kept (open the file again and repeat your changes)</source>
        <translation>%1: Die Datei wurde von einem anderen Programm geändert, nachdem dieses Projekt geöffnet oder gespeichert wurde; sie wurde nicht ersetzt, damit diese Änderung erhalten bleibt (öffnen Sie die Datei erneut und wiederholen Sie Ihre Änderungen)</translation>
    </message>
</context>
<context>
    <name>vantrel::FilePropSheet</name>
    <message>
        <source>Properties for </source>
        <translation>Eigenschaften von </translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Attributes</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Source Directory on CD</source>
        <translation>Quellverzeichnis auf der CD</translation>
    </message>
    <message>
        <source>Destination folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Operating Systems</source>
        <translation>Betriebssysteme</translation>
    </message>
    <message>
        <source>Destination Directory</source>
        <translation>Zielverzeichnis</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>File Attributes</source>
        <translation>Dateiattribute</translation>
    </message>
    <message>
        <source>Font File</source>
        <translation>Schriftdatei</translation>
    </message>
    <message>
        <source>Property pages</source>
        <translation>Eigenschaftsseiten</translation>
    </message>
    <message>
        <source>&amp;Source:</source>
        <translation>&amp;Quelle:</translation>
    </message>
    <message>
        <source>Source &amp;Directory on CD:</source>
        <translation>Quell&amp;verzeichnis auf der CD:</translation>
    </message>
    <message>
        <source>Source &amp;File:</source>
        <translation>Quell&amp;datei:</translation>
    </message>
    <message>
        <source>Full Source &amp;Path:</source>
        <translation>Vollständiger Quell&amp;pfad:</translation>
    </message>
    <message>
        <source>&amp;Destination Folder:</source>
        <translation>&amp;Zielordner:</translation>
    </message>
    <message>
        <source>De&amp;stination Directory:</source>
        <translation>Ziel&amp;verzeichnis:</translation>
    </message>
    <message>
        <source>&amp;Filename:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>&amp;Full Destination Path:</source>
        <translation>Vollständiger Ziel&amp;pfad:</translation>
    </message>
    <message>
        <source>&amp;Overwrite:</source>
        <translation>&amp;Überschreiben:</translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archiv</translation>
    </message>
    <message>
        <source>&amp;Hidden</source>
        <translation>&amp;Versteckt</translation>
    </message>
    <message>
        <source>&amp;Read Only</source>
        <translation>Schreib&amp;geschützt</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>&amp;Temporary</source>
        <translation>&amp;Temporär</translation>
    </message>
    <message>
        <source>&amp;Typeface name:</source>
        <translation>Name der Schrift&amp;art:</translation>
    </message>
    <message>
        <source>&amp;Register Font</source>
        <translation>Schriftart &amp;registrieren</translation>
    </message>
    <message>
        <source>&amp;Merge Reg File</source>
        <translation>Reg-Datei &amp;zusammenführen</translation>
    </message>
    <message>
        <source>&amp;Self registering file</source>
        <translation>&amp;Selbstregistrierende Datei</translation>
    </message>
</context>
<context>
    <name>vantrel::WCustPage</name>
    <message>
        <source>Install Files</source>
        <translation>Installierte Dateien</translation>
    </message>
    <message>
        <source>Files of the project</source>
        <translation>Dateien des Projekts</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Abschnitt</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Search For</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>Replace With</source>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Add an INI entry for the chosen file</source>
        <translation>INI-Eintrag für die gewählte Datei hinzufügen</translation>
    </message>
    <message>
        <source>Remove the chosen INI entry</source>
        <translation>Gewählten INI-Eintrag entfernen</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Change the chosen INI entry</source>
        <translation>Gewählten INI-Eintrag ändern</translation>
    </message>
    <message>
        <source>Add a text replacement for the chosen file</source>
        <translation>Textersetzung für die gewählte Datei hinzufügen</translation>
    </message>
    <message>
        <source>Remove the chosen text replacement</source>
        <translation>Gewählte Textersetzung entfernen</translation>
    </message>
    <message>
        <source>Change the chosen text replacement</source>
        <translation>Gewählte Textersetzung ändern</translation>
    </message>
    <message>
        <source>Files of the project:</source>
        <translation>Dateien des Projekts:</translation>
    </message>
    <message>
        <source>Text File Customization</source>
        <translation>Anpassung von Textdateien</translation>
    </message>
    <message>
        <source>Choose an installed file, then add the INI entries the setup writes into it or the texts it replaces in it.</source>
        <translation>Wählen Sie eine installierte Datei und fügen Sie dann die INI-Einträge hinzu, die das Setup in sie schreibt, oder die Texte, die es in ihr ersetzt.</translation>
    </message>
    <message>
        <source>Files tagged for INI updates:</source>
        <translation>Dateien für INI-Änderungen:</translation>
    </message>
    <message>
        <source>File Customization:</source>
        <translation>Anpassung von Dateien:</translation>
    </message>
</context>
<context>
    <name>vantrel::WCustomisationDialog</name>
    <message>
        <source>Filename:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Operating systems</source>
        <translation>Betriebssysteme</translation>
    </message>
    <message>
        <source>Profile String Properties</source>
        <translation>Eigenschaften des Profileintrags</translation>
    </message>
    <message>
        <source>Text File Customization Properties</source>
        <translation>Eigenschaften der Textdatei-Anpassung</translation>
    </message>
</context>
<context>
    <name>vantrel::WFilesPage</name>
    <message>
        <source>Files for Distribution</source>
        <translation>Dateien für die Verteilung</translation>
    </message>
    <message>
        <source>Source Folder</source>
        <translation>Quellordner</translation>
    </message>
    <message>
        <source>Destination Folders</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>Source folder</source>
        <translation>Quellordner</translation>
    </message>
    <message>
        <source>Bro&amp;wse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Source files</source>
        <translation>Quelldateien</translation>
    </message>
    <message>
        <source>Add the selected file or folder</source>
        <translation>Gewählte Datei oder gewählten Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Add all files of the selected folder</source>
        <translation>Alle Dateien des gewählten Ordners hinzufügen</translation>
    </message>
    <message>
        <source>Destination folders</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>A&amp;dd Folder</source>
        <translation>&amp;Ordner hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Remove File</source>
        <translation>Datei &amp;entfernen</translation>
    </message>
    <message>
        <source>Remove &amp;All Files</source>
        <translation>Alle Dateien en&amp;tfernen</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>E&amp;igenschaften...</translation>
    </message>
    <message>
        <source>The chosen directory does not exist.</source>
        <translation>Das gewählte Verzeichnis existiert nicht.</translation>
    </message>
    <message>
        <source>Please wait while the source folder is read</source>
        <translation>Bitte warten, der Quellordner wird gelesen</translation>
    </message>
    <message>
        <source>Please select a directory</source>
        <translation>Bitte wählen Sie ein Verzeichnis</translation>
    </message>
    <message>
        <source>Please wait while transferring data</source>
        <translation>Bitte warten, die Daten werden übertragen</translation>
    </message>
    <message>
        <source>The name</source>
        <translation>Der Name</translation>
    </message>
    <message>
        <source>Add &amp;Folder</source>
        <translation>&amp;Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>E&amp;igenschaften</translation>
    </message>
    <message>
        <source>&amp;Cut</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Ein&amp;fügen</translation>
    </message>
    <message>
        <source>Select the files you want to distribute from the source files folder to the destination folder.</source>
        <translation>Wählen Sie im Quellordner die Dateien, die Sie verteilen möchten, und legen Sie sie in den Zielordner.</translation>
    </message>
    <message>
        <source>Empty folders are kept while the wizard runs; the project file keeps only folders that hold files.</source>
        <translation>Leere Ordner bleiben erhalten, solange der Assistent läuft; die Projektdatei speichert nur Ordner, die Dateien enthalten.</translation>
    </message>
</context>
<context>
    <name>vantrel::WFolderBrowser</name>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>&amp;Persönlicher Ordner</translation>
    </message>
    <message>
        <source>Your home folder</source>
        <translation>Ihr persönlicher Ordner</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>&amp;Neuer Ordner</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>A folder name</source>
        <translation>Ein Ordnername</translation>
    </message>
</context>
<context>
    <name>vantrel::WHelpWindow</name>
    <message>
        <source> Help</source>
        <translation> – Hilfe</translation>
    </message>
    <message>
        <source>&lt;h2&gt;%1&lt;/h2&gt;&lt;p&gt;The help topic %2 could not be found.&lt;/p&gt;&lt;p&gt;The help pages are installed in the folder &lt;tt&gt;help/Zlt9en.hlp&lt;/tt&gt; beside the program.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;%1&lt;/h2&gt;&lt;p&gt;Das Hilfethema %2 wurde nicht gefunden.&lt;/p&gt;&lt;p&gt;Die Hilfeseiten werden im Ordner &lt;tt&gt;help/Zlt9en.hlp&lt;/tt&gt; neben dem Programm installiert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Help topic</source>
        <translation>Hilfethema</translation>
    </message>
</context>
<context>
    <name>vantrel::WIniEntryDialog</name>
    <message>
        <source>&amp;Section Name:</source>
        <translation>&amp;Abschnittsname:</translation>
    </message>
    <message>
        <source>Key N&amp;ame:</source>
        <translation>&amp;Schlüsselname:</translation>
    </message>
    <message>
        <source>Key &amp;Value:</source>
        <translation>Schlüssel&amp;wert:</translation>
    </message>
    <message>
        <source>The section</source>
        <translation>Der Abschnitt</translation>
    </message>
    <message>
        <source>The key</source>
        <translation>Der Schlüssel</translation>
    </message>
    <message>
        <source>The value</source>
        <translation>Der Wert</translation>
    </message>
</context>
<context>
    <name>vantrel::WPage</name>
    <message>
        <source>Would you like to save your changes before exiting?</source>
        <translation>Möchten Sie Ihre Änderungen vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>Are you sure you want to exit?</source>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>The file name</source>
        <translation>Der Dateiname</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageBDECfg</name>
    <message>
        <source>BDE Configuration</source>
        <translation>BDE-Konfiguration</translation>
    </message>
    <message>
        <source>Use de&amp;fault configuration file</source>
        <translation>&amp;Standard-Konfigurationsdatei verwenden</translation>
    </message>
    <message>
        <source>Select a c&amp;ustom configuration file</source>
        <translation>&amp;Eigene Konfigurationsdatei wählen</translation>
    </message>
    <message>
        <source>Update CF&amp;G file:</source>
        <translation>CF&amp;G-Datei aktualisieren:</translation>
    </message>
    <message>
        <source>Selec&amp;t...</source>
        <translation>&amp;Auswählen...</translation>
    </message>
    <message>
        <source>SQL Links</source>
        <translation>SQL Links</translation>
    </message>
    <message>
        <source>Launch BD&amp;E...</source>
        <translation>BDE s&amp;tarten...</translation>
    </message>
    <message>
        <source>No installation folder is known, so %1 is not available.</source>
        <translation>Es ist kein Installationsordner bekannt, daher ist %1 nicht verfügbar.</translation>
    </message>
    <message>
        <source>%1 is not in %2.</source>
        <translation>%1 ist nicht in %2 vorhanden.</translation>
    </message>
    <message>
        <source>Configuration files (*.CFG)|*.CFG|All Files (*.*)|*.*|</source>
        <translation>Konfigurationsdateien (*.CFG)|*.CFG|Alle Dateien (*.*)|*.*|</translation>
    </message>
    <message>
        <source>The configuration file name</source>
        <translation>Der Name der Konfigurationsdatei</translation>
    </message>
    <message>
        <source>  Do you wish to use the default CNF file?</source>
        <translation>  Möchten Sie die Standard-CNF-Datei verwenden?</translation>
    </message>
    <message>
        <source>If your application requires, you can specify an updated configuration file
[IDAPI.CNF/IDAPI.CFG] so that it can be merged during the client install.</source>
        <translation>Wenn Ihre Anwendung es erfordert, können Sie eine aktualisierte Konfigurationsdatei
[IDAPI.CNF/IDAPI.CFG] angeben, die bei der Client-Installation eingefügt wird.</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageBackground</name>
    <message>
        <source>Configure Setup Background</source>
        <translation>Setup-Hintergrund gestalten</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Font size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>Font style</source>
        <translation>Schriftschnitt</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Setup &amp;title:</source>
        <translation>Setup-&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Schriftart:</translation>
    </message>
    <message>
        <source>Si&amp;ze:</source>
        <translation>&amp;Größe:</translation>
    </message>
    <message>
        <source>St&amp;yle:</source>
        <translation>Sc&amp;hnitt:</translation>
    </message>
    <message>
        <source>Ali&amp;gnment:</source>
        <translation>&amp;Ausrichtung:</translation>
    </message>
    <message>
        <source>Choose the colour of the title</source>
        <translation>Farbe des Titels wählen</translation>
    </message>
    <message>
        <source>Title colour</source>
        <translation>Titelfarbe</translation>
    </message>
    <message>
        <source>Red gradient</source>
        <translation>Roter Farbverlauf</translation>
    </message>
    <message>
        <source>Blue gradient</source>
        <translation>Blauer Farbverlauf</translation>
    </message>
    <message>
        <source>Green gradient</source>
        <translation>Grüner Farbverlauf</translation>
    </message>
    <message>
        <source>Font colour:</source>
        <translation>Schriftfarbe:</translation>
    </message>
    <message>
        <source>Background colour:</source>
        <translation>Hintergrundfarbe:</translation>
    </message>
    <message>
        <source>The setup title</source>
        <translation>Der Setup-Titel</translation>
    </message>
    <message>
        <source>To show a picture instead of the gradient, give the setup team 16- and 256-colour bitmaps for 640 x 480, 800 x 600, 1024 x 768, 1152 x 864 and 1280 x 1024.</source>
        <translation>Um statt des Farbverlaufs ein Bild zu zeigen, geben Sie dem Setup-Team Bitmaps mit 16 und 256 Farben für 640 x 480, 800 x 600, 1024 x 768, 1152 x 864 und 1280 x 1024.</translation>
    </message>
    <message>
        <source>The font name and size may only hold characters of the Western European (Windows-1252) character set.</source>
        <translation>Schriftname und -größe dürfen nur Zeichen des westeuropäischen Zeichensatzes (Windows-1252) enthalten.</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageFinish</name>
    <message>
        <source>Create Distribution Media</source>
        <translation>Verteilungsmedien erstellen</translation>
    </message>
    <message>
        <source>Media distribution folder:</source>
        <translation>Ordner für die Verteilungsmedien:</translation>
    </message>
    <message>
        <source>Media folder</source>
        <translation>Medienordner</translation>
    </message>
    <message>
        <source>Bro&amp;wse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Media size:</source>
        <translation>Mediengröße:</translation>
    </message>
    <message>
        <source>Size of the medium</source>
        <translation>Größe des Mediums</translation>
    </message>
    <message>
        <source>Custom size:</source>
        <translation>Eigene Größe:</translation>
    </message>
    <message>
        <source>Custom size</source>
        <translation>Eigene Größe</translation>
    </message>
    <message>
        <source>Larger</source>
        <translation>Größer</translation>
    </message>
    <message>
        <source>Smaller</source>
        <translation>Kleiner</translation>
    </message>
    <message>
        <source>Unit of the custom size</source>
        <translation>Einheit der eigenen Größe</translation>
    </message>
    <message>
        <source>&amp;Save Project</source>
        <translation>Projekt &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Create Media</source>
        <translation>Medien &amp;erstellen</translation>
    </message>
    <message>
        <source>&amp;Test Setup</source>
        <translation>Setup &amp;testen</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>The result of Create Media and Test Setup appears here.</source>
        <translation>Hier erscheint das Ergebnis von „Medien erstellen“ und „Setup testen“.</translation>
    </message>
    <message>
        <source>&amp;Open Media Folder</source>
        <translation>Medienordner &amp;öffnen</translation>
    </message>
    <message>
        <source>&amp;Verify Media</source>
        <translation>Medien &amp;prüfen</translation>
    </message>
    <message>
        <source>Would you like to save your changes before exiting?</source>
        <translation>Möchten Sie Ihre Änderungen vor dem Beenden speichern?</translation>
    </message>
    <message>
        <source>CD</source>
        <translation>CD</translation>
    </message>
    <message>
        <source>Floppy disk</source>
        <translation>Diskette</translation>
    </message>
    <message>
        <source>Please select a directory</source>
        <translation>Bitte wählen Sie ein Verzeichnis</translation>
    </message>
    <message>
        <source>

Log: %1</source>
        <translation>

Protokoll: %1</translation>
    </message>
    <message>
        <source>The media were created in %1.</source>
        <translation>Die Medien wurden in %1 erstellt.</translation>
    </message>
    <message>
        <source>The media were not created completely: %1</source>
        <translation>Die Medien wurden nicht vollständig erstellt: %1</translation>
    </message>
    <message>
        <source>There is no folder for the test run.</source>
        <translation>Es gibt keinen Ordner für den Testlauf.</translation>
    </message>
    <message>
        <source>Test run of %1%2:

</source>
        <translation>Testlauf von %1%2:

</translation>
    </message>
    <message>
        <source>

The setup engine ended with exit status %1.</source>
        <translation>

Das Setup-Programm endete mit dem Exit-Status %1.</translation>
    </message>
    <message>
        <source>
The temporary folder %1 could not be removed completely.</source>
        <translation>
Der temporäre Ordner %1 konnte nicht vollständig entfernt werden.</translation>
    </message>
    <message>
        <source>

Verify: </source>
        <translation>

Prüfung: </translation>
    </message>
    <message>
        <source>the set is sound (%1 file record%2 checked).</source>
        <translation>der Satz ist in Ordnung (%1 Dateieintrag/-einträge%2 geprüft).</translation>
    </message>
    <message>
        <source>%1 problem%2 found:</source>
        <translation>%1 Problem(e)%2 gefunden:</translation>
    </message>
    <message>
        <source>Check the media just created without installing them: the scripts, every file of the components with its size, and every archive</source>
        <translation>Die soeben erstellten Medien prüfen, ohne sie zu installieren: die Skripte, jede Datei der Komponenten mit ihrer Größe und jedes Archiv</translation>
    </message>
    <message>
        <source>The existing setup in %1 is kept, so no media were created. Choose another folder for the new media.</source>
        <translation>Das vorhandene Setup in %1 bleibt erhalten, daher wurden keine Medien erstellt. Wählen Sie einen anderen Ordner für die neuen Medien.</translation>
    </message>
    <message>
        <source>The existing setup in %1 could not be removed completely.</source>
        <translation>Das vorhandene Setup in %1 konnte nicht vollständig entfernt werden.</translation>
    </message>
    <message>
        <source>
Copy each numbered folder onto a disk of its own.</source>
        <translation>
Kopieren Sie jeden nummerierten Ordner auf eine eigene Diskette.</translation>
    </message>
    <message>
        <source>The setup engine could not be started: there is no runnable %1 among the engine files of %2.</source>
        <translation>Das Setup-Programm konnte nicht gestartet werden: Unter den Programmdateien von %2 gibt es kein ausführbares %1.</translation>
    </message>
    <message>
        <source>Components and description</source>
        <translation>Komponenten und Beschreibung</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageLicense</name>
    <message>
        <source>License Agreement and Release Notes</source>
        <translation>Lizenzvereinbarung und Versionshinweise</translation>
    </message>
    <message>
        <source>Text shown</source>
        <translation>Angezeigter Text</translation>
    </message>
    <message>
        <source>Include &amp;License Agreement</source>
        <translation>&amp;Lizenzvereinbarung aufnehmen</translation>
    </message>
    <message>
        <source>Include &amp;Release Notes</source>
        <translation>&amp;Versionshinweise aufnehmen</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Import &amp;Text File...</source>
        <translation>&amp;Textdatei importieren...</translation>
    </message>
    <message>
        <source>The license agreement</source>
        <translation>Die Lizenzvereinbarung</translation>
    </message>
    <message>
        <source>Text Files (*.txt) | *.txt| All Files (*.*)|*.*|</source>
        <translation>Textdateien (*.txt) | *.txt| Alle Dateien (*.*)|*.*|</translation>
    </message>
    <message>
        <source>The file could not be read.

%1</source>
        <translation>Die Datei konnte nicht gelesen werden.

%1</translation>
    </message>
    <message>
        <source>The file</source>
        <translation>Die Datei</translation>
    </message>
    <message>
        <source>License Agreement or Release Notes</source>
        <translation>Lizenzvereinbarung oder Versionshinweise</translation>
    </message>
    <message>
        <source>License Agreement</source>
        <translation>Lizenzvereinbarung</translation>
    </message>
    <message>
        <source>Release Notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>You have not entered any text for the %1.

Would you like to continue anyways?</source>
        <translation>Sie haben keinen Text für %1 eingegeben.

Möchten Sie trotzdem fortfahren?</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageRegKeys</name>
    <message>
        <source>Registry entries</source>
        <translation>Registrierungseinträge</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Root Key</source>
        <translation>Stammschlüssel</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Key Name</source>
        <translation>Schlüsselname</translation>
    </message>
    <message>
        <source>Key Value</source>
        <translation>Schlüsselwert</translation>
    </message>
    <message>
        <source>&amp;Registry Editor...</source>
        <translation>&amp;Registrierungs-Editor...</translation>
    </message>
    <message>
        <source>&amp;Import .reg...</source>
        <translation>.reg &amp;importieren...</translation>
    </message>
    <message>
        <source>&amp;Add Key...</source>
        <translation>Schlüssel &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Modify Key...</source>
        <translation>Schlüssel ä&amp;ndern...</translation>
    </message>
    <message>
        <source>&amp;Delete Key</source>
        <translation>Schlüssel &amp;löschen</translation>
    </message>
    <message>
        <source>Import Registry File</source>
        <translation>Registrierungsdatei importieren</translation>
    </message>
    <message>
        <source>Registry files (*.reg)|*.reg|All Files (*.*)|*.*|</source>
        <translation>Registrierungsdateien (*.reg)|*.reg|Alle Dateien (*.*)|*.*|</translation>
    </message>
    <message>
        <source>1 registry entry was imported.</source>
        <translation>1 Registrierungseintrag wurde importiert.</translation>
    </message>
    <message>
        <source>%1 registry entries were imported.</source>
        <translation>%1 Registrierungseinträge wurden importiert.</translation>
    </message>
    <message>
        <source>Registry Settings</source>
        <translation>Registrierungseinstellungen</translation>
    </message>
    <message>
        <source>Enter the registry keys and values that the setup writes on the target machine, or import them from a registry file.</source>
        <translation>Geben Sie die Registrierungsschlüssel und -werte ein, die das Setup auf dem Zielrechner schreibt, oder importieren Sie sie aus einer Registrierungsdatei.</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageShortCuts</name>
    <message>
        <source>&amp;Group Name:</source>
        <translation>&amp;Gruppenname:</translation>
    </message>
    <message>
        <source>Application files</source>
        <translation>Anwendungsdateien</translation>
    </message>
    <message>
        <source>Shortcuts</source>
        <translation>Verknüpfungen</translation>
    </message>
    <message>
        <source>Applicaton &amp;Files:</source>
        <translation>Anwendungs&amp;dateien:</translation>
    </message>
    <message>
        <source>&amp;Shortcuts:</source>
        <translation>&amp;Verknüpfungen:</translation>
    </message>
    <message>
        <source>&amp;Add Shortcut...</source>
        <translation>Verknüpfung &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>Add &amp;Runtime Shortcut</source>
        <translation>&amp;Laufzeit-Verknüpfung hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Delete Shortcut</source>
        <translation>Verknüpfung lö&amp;schen</translation>
    </message>
    <message>
        <source>&amp;Properties...</source>
        <translation>E&amp;igenschaften...</translation>
    </message>
    <message>
        <source>The group name</source>
        <translation>Der Gruppenname</translation>
    </message>
    <message>
        <source>Shortcuts and Shortcut Folder</source>
        <translation>Verknüpfungen und Verknüpfungsordner</translation>
    </message>
    <message>
        <source>Here you can select which forms and/or scripts can have a shortcut on the Start menu.</source>
        <translation>Hier wählen Sie, welche Formulare und/oder Skripte eine Verknüpfung im Startmenü erhalten.</translation>
    </message>
</context>
<context>
    <name>vantrel::WPageWelcome</name>
    <message>
        <source>Welcome to the Tessary 9 Vantrel</source>
        <translation>Willkommen bei Tessary 9 Vantrel</translation>
    </message>
    <message>
        <source>&amp;Start a New Project</source>
        <translation>Neues Projekt &amp;beginnen</translation>
    </message>
    <message>
        <source>&amp;Open an Existing Project</source>
        <translation>Vorhandenes Projekt ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Continue Current Project</source>
        <translation>Aktuelles Projekt fort&amp;setzen</translation>
    </message>
    <message>
        <source>Project file</source>
        <translation>Projektdatei</translation>
    </message>
    <message>
        <source>Selec&amp;t...</source>
        <translation>&amp;Auswählen...</translation>
    </message>
    <message>
        <source>Please wait reading your project file.</source>
        <translation>Bitte warten, Ihre Projektdatei wird gelesen.</translation>
    </message>
    <message>
        <source>You must choose a distribution project file to continue.</source>
        <translation>Um fortzufahren, müssen Sie eine Projektdatei wählen.</translation>
    </message>
    <message>
        <source>The project path</source>
        <translation>Der Projektpfad</translation>
    </message>
    <message>
        <source>Unable to open the previous project file. Try again.</source>
        <translation>Die Projektdatei lässt sich nicht öffnen. Versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>There was a problem in reading the Project. Try Again.</source>
        <translation>Beim Lesen des Projekts ist ein Problem aufgetreten. Versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>This wizard builds the installation set of your Tessary application. Start a new project, open a project you saved before, or continue with the project you are working on.</source>
        <translation>Dieser Assistent erstellt den Installationssatz Ihrer Tessary-Anwendung. Beginnen Sie ein neues Projekt, öffnen Sie ein gespeichertes Projekt oder setzen Sie das Projekt fort, an dem Sie gerade arbeiten.</translation>
    </message>
    <message>
        <source>You may have changed some settings in your current project.  Would you like to save your settings before continuing?</source>
        <translation>Sie haben möglicherweise Einstellungen im aktuellen Projekt geändert.  Möchten Sie Ihre Einstellungen speichern, bevor Sie fortfahren?</translation>
    </message>
</context>
<context>
    <name>vantrel::WProgressDialog</name>
    <message>
        <source>Creating Media</source>
        <translation>Medien werden erstellt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Wird abgebrochen...</translation>
    </message>
</context>
<context>
    <name>vantrel::WProject</name>
    <message>
        <source>Your Application Information</source>
        <translation>Angaben zu Ihrer Anwendung</translation>
    </message>
    <message>
        <source>&amp;Application name:</source>
        <translation>&amp;Anwendungsname:</translation>
    </message>
    <message>
        <source>&amp;Version:</source>
        <translation>&amp;Version:</translation>
    </message>
    <message>
        <source>Co&amp;mpany name:</source>
        <translation>&amp;Firmenname:</translation>
    </message>
    <message>
        <source>Use default &amp;destination directory</source>
        <translation>S&amp;tandard-Zielverzeichnis verwenden</translation>
    </message>
    <message>
        <source>Destination base folder</source>
        <translation>Basisordner des Ziels</translation>
    </message>
    <message>
        <source>Destination folder</source>
        <translation>Zielordner</translation>
    </message>
    <message>
        <source>= &lt;Target Folder&gt;</source>
        <translation>= &lt;Target Folder&gt;</translation>
    </message>
    <message>
        <source>Default directory on this machine:</source>
        <translation>Standardverzeichnis auf diesem Rechner:</translation>
    </message>
    <message>
        <source>The application name</source>
        <translation>Der Anwendungsname</translation>
    </message>
    <message>
        <source>The version</source>
        <translation>Die Version</translation>
    </message>
    <message>
        <source>The company name</source>
        <translation>Der Firmenname</translation>
    </message>
    <message>
        <source>The destination folder</source>
        <translation>Der Zielordner</translation>
    </message>
</context>
<context>
    <name>vantrel::WProjectDir</name>
    <message>
        <source>Setup Options</source>
        <translation>Setup-Optionen</translation>
    </message>
    <message>
        <source>Components</source>
        <translation>Komponenten</translation>
    </message>
    <message>
        <source>Tessary Application &amp;Framework</source>
        <translation>Tessary &amp;Application Framework</translation>
    </message>
    <message>
        <source>Tessary 9 &amp;Runtime</source>
        <translation>Tessary 9 &amp;Laufzeitumgebung</translation>
    </message>
    <message>
        <source>&amp;Uninstaller</source>
        <translation>&amp;Deinstallationsprogramm</translation>
    </message>
    <message>
        <source>Borland &amp;Database Engine</source>
        <translation>Borland Data&amp;base Engine</translation>
    </message>
    <message>
        <source>Include &amp;Writing Tools</source>
        <translation>&amp;Schreibwerkzeuge aufnehmen</translation>
    </message>
    <message>
        <source>Proofreading languages</source>
        <translation>Korrektursprachen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Default &amp;Language:</source>
        <translation>Standards&amp;prache:</translation>
    </message>
    <message>
        <source>Default language</source>
        <translation>Standardsprache</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alle a&amp;uswählen</translation>
    </message>
    <message>
        <source>&amp;Select None</source>
        <translation>&amp;Keine auswählen</translation>
    </message>
    <message>
        <source>%1 is missing from %2.</source>
        <translation>%1 fehlt in %2.</translation>
    </message>
    <message>
        <source>No writing-tool language scripts (LX9_*.kvz) in %1.</source>
        <translation>Keine Sprachskripte für Schreibwerkzeuge (LX9_*.kvz) in %1.</translation>
    </message>
    <message>
        <source>The framework needs the runtime.</source>
        <translation>Das Framework benötigt die Laufzeitumgebung.</translation>
    </message>
    <message>
        <source>The runtime or a chosen SQL Links driver needs the database engine.</source>
        <translation>Die Laufzeitumgebung oder ein gewählter SQL-Links-Treiber benötigt die Database Engine.</translation>
    </message>
    <message>
        <source>The writing tools need the runtime.</source>
        <translation>Die Schreibwerkzeuge benötigen die Laufzeitumgebung.</translation>
    </message>
</context>
<context>
    <name>vantrel::WRegKeyDialog</name>
    <message>
        <source>Root key</source>
        <translation>Stammschlüssel</translation>
    </message>
    <message>
        <source>Data type</source>
        <translation>Datentyp</translation>
    </message>
    <message>
        <source>&amp;Root Key:</source>
        <translation>&amp;Stammschlüssel:</translation>
    </message>
    <message>
        <source>&amp;Key:</source>
        <translation>Sch&amp;lüssel:</translation>
    </message>
    <message>
        <source>N&amp;ame:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>&amp;Wert:</translation>
    </message>
    <message>
        <source>Data type:</source>
        <translation>Datentyp:</translation>
    </message>
    <message>
        <source>Operating systems</source>
        <translation>Betriebssysteme</translation>
    </message>
    <message>
        <source>Registry Key Properties</source>
        <translation>Eigenschaften des Registrierungsschlüssels</translation>
    </message>
</context>
<context>
    <name>vantrel::WShortcutDialog</name>
    <message>
        <source>Shortcut folder</source>
        <translation>Verknüpfungsordner</translation>
    </message>
    <message>
        <source>Shortcut to:</source>
        <translation>Verknüpfung mit:</translation>
    </message>
    <message>
        <source>Shortcut &amp;Folder:</source>
        <translation>Verknüpfungs&amp;ordner:</translation>
    </message>
    <message>
        <source>&amp;Additional Shortcut Directories:</source>
        <translation>&amp;Weitere Verknüpfungsverzeichnisse:</translation>
    </message>
    <message>
        <source>Shortcut &amp;Name:</source>
        <translation>Verknüpfungs&amp;name:</translation>
    </message>
    <message>
        <source>Shortcut Properties</source>
        <translation>Eigenschaften der Verknüpfung</translation>
    </message>
</context>
<context>
    <name>vantrel::WTextReplacementDialog</name>
    <message>
        <source>&amp;Search For:</source>
        <translation>&amp;Suchen nach:</translation>
    </message>
    <message>
        <source>&amp;Replace With:</source>
        <translation>&amp;Ersetzen durch:</translation>
    </message>
    <message>
        <source>The search text</source>
        <translation>Der Suchtext</translation>
    </message>
    <message>
        <source>The replacement</source>
        <translation>Der Ersatztext</translation>
    </message>
</context>
</TS>
