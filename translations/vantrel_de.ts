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
        <source>Description :  A floppy setup, using multiple %1 disks, will be created. Once the media is created, copy over the contents of each numbered directory onto seperate disks. To begin installation of the product, double click on setup.exe on the first disk.</source>
        <translation>Beschreibung: Es wird ein Setup auf mehreren %1-Disketten erstellt. Kopieren Sie nach dem Erstellen der Medien den Inhalt jedes nummerierten Verzeichnisses auf eine eigene Diskette. Zum Installieren des Produkts doppelklicken Sie auf der ersten Diskette auf setup.exe.</translation>
    </message>
    <message>
        <source>Description :  A single disk setup will be created since your fileset can fit onto one disk or CD. Once the media is created, copy over all the files and directories onto your disk or CD.  To begin installation from the CD or disk, double click on Setup32.exe.</source>
        <translation>Beschreibung: Es wird ein Setup auf einem einzigen Datenträger erstellt, da Ihre Dateien auf eine Diskette oder CD passen. Kopieren Sie nach dem Erstellen der Medien alle Dateien und Verzeichnisse auf Ihre Diskette oder CD. Zum Starten der Installation doppelklicken Sie auf der CD oder Diskette auf Setup32.exe.</translation>
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
    <message>
        <source>Error</source>
        <translation type="vanished">Fehler</translation>
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
