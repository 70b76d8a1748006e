<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>App</name>
    <message>
        <source>kFileQuitShortcut</source>
        <translation>Cmd+Q</translation>
    </message>
    <message>
        <source>kFileQuit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>kEditClear</source>
        <translation>&amp;Elimina</translation>
    </message>
    <message>
        <source>kEditUndo</source>
        <translation>&amp;Annulla</translation>
    </message>
    <message>
        <source>kEditCut</source>
        <translation>&amp;Taglia</translation>
    </message>
    <message>
        <source>kEditCopy</source>
        <translation>&amp;Copia</translation>
    </message>
    <message>
        <source>kEditPaste</source>
        <translation>&amp;Incolla</translation>
    </message>
    <message>
        <source>kEditSelectAll</source>
        <translation>&amp;Seleziona tutto</translation>
    </message>
    <message>
        <source>kEdit</source>
        <translation>&amp;Modifica</translation>
    </message>
    <message>
        <source>kWindow</source>
        <translation>Finestra</translation>
    </message>
    <message>
        <source>kFile</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>kFileNew</source>
        <translation>&amp;Nuovo</translation>
    </message>
    <message>
        <source>kFileOpen</source>
        <translation>&amp;Apri...</translation>
    </message>
    <message>
        <source>kFileImportCsv</source>
        <translation>&amp;Importa CSV...</translation>
    </message>
    <message>
        <source>kFileSave</source>
        <translation>&amp;Salva</translation>
    </message>
    <message>
        <source>kFileSaveAs</source>
        <translation>Salva c&amp;on nome...</translation>
    </message>
    <message>
        <source>kFileClose</source>
        <translation>&amp;Chiudi</translation>
    </message>
    <message>
        <source>kFileInfo</source>
        <translation>Informazioni...</translation>
    </message>
    <message>
        <source>kFileUpdates</source>
        <translation>Controlla aggiornamenti...</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>lkUpdates1</source>
        <translation>È disponibile una nuova versione di Lumetra. Vuoi scaricarla?</translation>
    </message>
    <message>
        <source>lkUpdates2</source>
        <translation>Per cercare e scaricare gli aggiornamenti serve una connessione a Internet con il sito di Lumetra.</translation>
    </message>
    <message>
        <source>lkUpdates3</source>
        <translation>Lumetra è aggiornato.</translation>
    </message>
    <message>
        <source>lkUpdates4</source>
        <translation>Stai usando l'ultima versione disponibile.</translation>
    </message>
    <message>
        <source>lkUpdatesError1</source>
        <translation>Lumetra non può cercare aggiornamenti: manca la connessione a Internet.</translation>
    </message>
    <message>
        <source>kFileImport</source>
        <translation>&amp;Importa...</translation>
    </message>
    <message>
        <source>kFileClean</source>
        <translation>Svuota</translation>
    </message>
    <message>
        <source>kFileExportCsv</source>
        <translation>Esporta CSV</translation>
    </message>
    <message>
        <source>kFileDonate</source>
        <translation>Dona</translation>
    </message>
    <message>
        <source>kFileUpdates1</source>
        <translation>Aggiorna</translation>
    </message>
    <message>
        <source>kEditFind</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>kEditDuplicates</source>
        <translation>Duplicati</translation>
    </message>
    <message>
        <source>kEditMarkItems</source>
        <translation>&amp;Marca le righe selezionate</translation>
    </message>
    <message>
        <source>kEditRemoveSelected</source>
        <translation>&amp;Rimuovi le righe selezionate</translation>
    </message>
    <message>
        <source>kEditShowMarked</source>
        <translation>Mostra sulla ma&amp;ppa le righe marcate</translation>
    </message>
    <message>
        <source>kEditOrdinaMarked</source>
        <translation>&amp;Ordina prima le righe marcate</translation>
    </message>
    <message>
        <source>kEditFindReplace</source>
        <translation>Tro&amp;va e sostituisci...</translation>
    </message>
    <message>
        <source>kFileExportKml</source>
        <translation>Esporta KML</translation>
    </message>
    <message>
        <source>lkSaveChangesMessage</source>
        <translation>Vuoi salvare le modifiche a "%1"?</translation>
    </message>
    <message>
        <source>lkSaveChangesExplanation</source>
        <translation>Se non le salvi, le modifiche andranno perse.</translation>
    </message>
    <message>
        <source>lkSave</source>
        <translation>Salva</translation>
    </message>
    <message>
        <source>lkDontSave</source>
        <translation>Non salvare</translation>
    </message>
</context>
<context>
    <name>Applicazione</name>
    <message>
        <source>lkAddPoi</source>
        <translation>Aggiungi</translation>
    </message>
    <message>
        <source>lkDescription</source>
        <translation>Descrizione</translation>
    </message>
    <message>
        <source>lkMarked</source>
        <translation>Marcati</translation>
    </message>
    <message>
        <source>lkColDescription</source>
        <translation>Descrizione</translation>
    </message>
    <message>
        <source>lkColLatitude</source>
        <translation>Latitudine</translation>
    </message>
    <message>
        <source>lkColLongitude</source>
        <translation>Longitudine</translation>
    </message>
    <message>
        <source>kNewFileName</source>
        <translation>senza nome</translation>
    </message>
    <message>
        <source>kMenu_CopyDescription</source>
        <translation>Copia descrizione</translation>
    </message>
    <message>
        <source>kMenu_TitleCase</source>
        <translation>Iniziali Maiuscole</translation>
    </message>
    <message>
        <source>kMenu_Upparcase</source>
        <translation>MAIUSCOLO</translation>
    </message>
    <message>
        <source>kMenu_Lowercase</source>
        <translation>minuscolo</translation>
    </message>
    <message>
        <source>kMenu_SendTomTom</source>
        <translation>Invia a TomTom HOME</translation>
    </message>
    <message>
        <source>kMenu_Rangekm</source>
        <translation>Mostra i PDI entro 15 km</translation>
    </message>
    <message>
        <source>kMenu_Delete</source>
        <translation>Elimina riga</translation>
    </message>
    <message>
        <source>kbl_reloadmap</source>
        <translation>Ricarica la mappa</translation>
    </message>
    <message>
        <source>kbl_findmap</source>
        <translation>Cerca sulla mappa l'indirizzo o il numero di telefono</translation>
    </message>
    <message>
        <source>kbl_showmap</source>
        <translation>Mostra i PDI sulla mappa</translation>
    </message>
    <message>
        <source>kbl_markall</source>
        <translation>Marca tutti i PDI</translation>
    </message>
    <message>
        <source>kbl_marknone</source>
        <translation>Togli la marcatura a tutti i PDI</translation>
    </message>
    <message>
        <source>kbl_markinverse</source>
        <translation>Inverti la marcatura</translation>
    </message>
    <message>
        <source>kbl_delete</source>
        <translation>Elimina i PDI marcati</translation>
    </message>
    <message>
        <source>lkReadError</source>
        <translation>Impossibile leggere il file "%1": %2</translation>
    </message>
    <message>
        <source>lkWriteError</source>
        <translation>Impossibile scrivere il file "%1": %2</translation>
    </message>
    <message>
        <source>lkLatin1Replaced</source>
        <translation>%1 descrizioni contenevano caratteri che Windows Latin-1 non può memorizzare; sono state scritte con &quot;?&quot; al loro posto.</translation>
    </message>
    <message>
        <source>lkNoDirectory</source>
        <translation>Nessun elenco telefonico configurato: impostare LUMETRA_DIRECTORY con il suo indirizzo.</translation>
    </message>
</context>
<context>
    <name>DownloadUpdate</name>
    <message>
        <source>lkTitle</source>
        <translation>Download dell'aggiornamento</translation>
    </message>
    <message>
        <source>lkProgress</source>
        <translation>Download in corso...</translation>
    </message>
    <message>
        <source>lkDownloadCompleted</source>
        <translation>L'aggiornamento è stato scaricato ed estratto sulla Scrivania.</translation>
    </message>
    <message>
        <source>lkDownloadError</source>
        <translation>Impossibile scaricare l'aggiornamento</translation>
    </message>
    <message>
        <source>lkDownloadMissing</source>
        <translation>L&apos;aggiornamento non contiene né un&apos;immagine disco né un pacchetto di installazione.</translation>
    </message>
    <message>
        <source>lkSavedIn</source>
        <translation>Si trova nella cartella %1.</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>lkClose</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>lkNoFolder</source>
        <translation>non è possibile creare una cartella in %1</translation>
    </message>
    <message>
        <source>lkNotExpanded</source>
        <translation>non è stato possibile estrarre l&apos;archivio</translation>
    </message>
</context>
<context>
    <name>AboutDialog</name>
    <message>
        <source>lkVersion</source>
        <translation>Versione</translation>
    </message>
    <message>
        <source>lkClose</source>
        <translation>Chiudi</translation>
    </message>
    <message>
        <source>lkCopyright</source>
        <translation>© 2026 gli sviluppatori di Lumetra</translation>
    </message>
    <message>
        <source>lkMapData</source>
        <translation>Dati mappa © contributori di OpenStreetMap</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>lkTitle</source>
        <translation>Trova e sostituisci</translation>
    </message>
    <message>
        <source>lkFind</source>
        <translation>Trova:</translation>
    </message>
    <message>
        <source>lkReplaceWith</source>
        <translation>Sostituisci con:</translation>
    </message>
    <message>
        <source>lkCheckMarked</source>
        <translation>Solo PDI marcati</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>lkSearch</source>
        <translation>Trova</translation>
    </message>
    <message>
        <source>lkNext</source>
        <translation>Trova successivo</translation>
    </message>
    <message>
        <source>lkReplace</source>
        <translation>Sostituisci</translation>
    </message>
    <message>
        <source>lkReplaceAll</source>
        <translation>Sostituisci tutto</translation>
    </message>
    <message>
        <source>lkComboReplace</source>
        <translation>Descrizione|Latitudine|Longitudine</translation>
    </message>
    <message>
        <source>lkElementNotFound</source>
        <translation>Testo non trovato.</translation>
    </message>
    <message>
        <source>lkWordNotFound</source>
        <translation>Testo non trovato: nessuna sostituzione eseguita.</translation>
    </message>
    <message>
        <source>lkReplaceOk1</source>
        <translation>Testo sostituito in 1 PDI.</translation>
    </message>
    <message>
        <source>lkReplaceOk2</source>
        <translation>Testo sostituito in [N] PDI.</translation>
    </message>
    <message>
        <source>lkCellsKept</source>
        <translation>Lasciate invariate: [N]. Il risultato non sarebbe una coordinata: un numero da -90 a 90 per la latitudine, da -180 a 180 per la longitudine.</translation>
    </message>
    <message>
        <source>lkNotCoordinate</source>
        <translation>Non è una coordinata: la cella è rimasta invariata.</translation>
    </message>
</context>
<context>
    <name>DuplicateDialog</name>
    <message>
        <source>lkTitle</source>
        <translation>Cerca duplicati</translation>
    </message>
    <message>
        <source>lkFind</source>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>lk_desc</source>
        <translation>Distanza max. (km):</translation>
    </message>
</context>
<context>
    <name>CsvFiles</name>
    <message>
        <source>lkLinesSkipped</source>
        <translation>Righe non importate: %1. La loro longitudine o latitudine non è un numero compreso tra -180 e 180 o tra -90 e 90 (per esempio una riga di intestazione, o le due colonne scambiate).</translation>
    </message>
</context>
<context>
    <name>Ov2Files</name>
    <message>
        <source>lkNotCoordinates</source>
        <translation>Righe con una latitudine che non è un numero compreso tra -90 e 90, o una longitudine che non è un numero compreso tra -180 e 180: %1. Il file non è stato salvato; la prima di queste righe è selezionata.</translation>
    </message>
    <message>
        <source>lkPartlyOpened</source>
        <translation>Impossibile leggere il file "%1" fino alla fine: %2. I %3 PDI letti prima sono mostrati in un documento senza nome, così che nessun salvataggio possa metterli al posto del file.</translation>
    </message>
    <message>
        <source>lkPartlyImported</source>
        <translation>Impossibile leggere il file "%1" fino alla fine: %2. Sono stati aggiunti solo i %3 PDI letti prima.</translation>
    </message>
</context>
<context>
    <name>Ov2Reason</name>
    <message>
        <source>lkArgument</source>
        <translation>una descrizione è troppo lunga per un record, o una posizione è oltre quanto un file OV2 può contenere</translation>
    </message>
    <message>
        <source>lkOpen</source>
        <translation>impossibile aprire il file (non esiste, non è un file normale o non è leggibile)</translation>
    </message>
    <message>
        <source>lkRead</source>
        <translation>la lettura del file si è interrotta</translation>
    </message>
    <message>
        <source>lkRecordType</source>
        <translation>tipo di record sconosciuto al byte %1</translation>
    </message>
    <message>
        <source>lkTruncated</source>
        <translation>il record al byte %1 va oltre la fine del file</translation>
    </message>
    <message>
        <source>lkLength</source>
        <translation>il record al byte %1 è troppo corto per il suo tipo</translation>
    </message>
    <message>
        <source>lkUnterminated</source>
        <translation>la descrizione del record al byte %1 non termina all'interno del record</translation>
    </message>
    <message>
        <source>lkWrite</source>
        <translation>la scrittura non è riuscita; il file che c'era non è stato modificato</translation>
    </message>
    <message>
        <source>lkIncomplete</source>
        <translation>alcuni punti di interesse non sono stati accettati e il file ne sarebbe privo</translation>
    </message>
    <message>
        <source>lkNoMemory</source>
        <translation>memoria insufficiente</translation>
    </message>
    <message>
        <source>lkLimit</source>
        <translation>più di 2147483647 punti di interesse</translation>
    </message>
    <message>
        <source>lkUnknown</source>
        <translation>errore %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>lkFilesArgument</source>
        <translation>File OV2 da aprire, una finestra ciascuno.</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>lkCheckFailed</source>
        <translation>La verifica degli aggiornamenti non è riuscita.</translation>
    </message>
    <message>
        <source>lkNotAVersion</source>
        <translation>la risposta del server non è un numero di versione</translation>
    </message>
    <message>
        <source>lkNoServer</source>
        <translation>il server degli aggiornamenti non è raggiungibile: non ne è configurato nessuno (LUMETRA_SERVER)</translation>
    </message>
</context>
<context>
    <name>NetworkText</name>
    <message>
        <source>lkPageFailed</source>
        <translation>Impossibile caricare la pagina %1: %2.</translation>
    </message>
    <message>
        <source>lkServerAnswered</source>
        <translation>il server ha risposto con lo stato HTTP %1</translation>
    </message>
    <message>
        <source>lkNoAnswer</source>
        <translation>il server non ha risposto entro %1 secondi</translation>
    </message>
    <message>
        <source>lkRefused</source>
        <translation>il server ha rifiutato la connessione</translation>
    </message>
    <message>
        <source>lkHostNotFound</source>
        <translation>il nome del server è sconosciuto</translation>
    </message>
    <message>
        <source>lkClosed</source>
        <translation>il server ha chiuso la connessione prima della fine della risposta</translation>
    </message>
    <message>
        <source>lkCutShort</source>
        <translation>il trasferimento si è interrotto prima della fine</translation>
    </message>
    <message>
        <source>lkTimedOut</source>
        <translation>il server non ha risposto in tempo</translation>
    </message>
    <message>
        <source>lkOffline</source>
        <translation>non c&apos;è connessione di rete</translation>
    </message>
    <message>
        <source>lkTooLarge</source>
        <translation>la risposta è troppo grande</translation>
    </message>
    <message>
        <source>lkCannotWrite</source>
        <translation>impossibile scrivere il file %1</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>lkNotRegular</source>
        <translation>non è un file normale (per esempio una cartella, un dispositivo o una pipe)</translation>
    </message>
</context>
<context>
    <name>MapPageTexts</name>
    <message>
        <source>lkLanguage</source>
        <translation>it</translation>
    </message>
    <message>
        <source>lkNotFound</source>
        <translation>Nessun indirizzo trovato per: </translation>
    </message>
    <message>
        <source>lkUnreachable</source>
        <translation>Il servizio di ricerca degli indirizzi non è raggiungibile.</translation>
    </message>
    <message>
        <source>lkAttribution</source>
        <translation>© contributori di %1</translation>
    </message>
</context>
</TS>
