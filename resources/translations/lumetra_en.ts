<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>App</name>
    <message>
        <source>kFileQuitShortcut</source>
        <translation>Cmd+Q</translation>
    </message>
    <message>
        <source>kFileQuit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>kEditClear</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>kEditUndo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>kEditCut</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>kEditCopy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>kEditPaste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>kEditSelectAll</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>kEdit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>kWindow</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>kFile</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>kFileNew</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>kFileOpen</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>kFileImportCsv</source>
        <translation>Import Csv...</translation>
    </message>
    <message>
        <source>kFileSave</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>kFileSaveAs</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>kFileClose</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>kFileInfo</source>
        <translation>Info...</translation>
    </message>
    <message>
        <source>kFileUpdates</source>
        <translation>Check updates...</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>lkUpdates1</source>
        <translation>A new version of Lumetra is available. Do you want to download it?</translation>
    </message>
    <message>
        <source>lkUpdates2</source>
        <translation>Checking for and downloading updates needs an Internet connection to the Lumetra web site.</translation>
    </message>
    <message>
        <source>lkUpdates3</source>
        <translation>Lumetra is up to date.</translation>
    </message>
    <message>
        <source>lkUpdates4</source>
        <translation>You are using the latest version available.</translation>
    </message>
    <message>
        <source>lkUpdatesError1</source>
        <translation>Lumetra cannot check for updates: there is no Internet connection.</translation>
    </message>
    <message>
        <source>kFileImport</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>kFileClean</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>kFileExportCsv</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>kFileDonate</source>
        <translation>Donate</translation>
    </message>
    <message>
        <source>kFileUpdates1</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>kEditFind</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>kEditDuplicates</source>
        <translation>Duplicates</translation>
    </message>
    <message>
        <source>kEditMarkItems</source>
        <translation>&amp;Mark Selected Rows</translation>
    </message>
    <message>
        <source>kEditRemoveSelected</source>
        <translation>&amp;Remove Selected Rows</translation>
    </message>
    <message>
        <source>kEditShowMarked</source>
        <translation>&amp;Show Marked Rows on Map</translation>
    </message>
    <message>
        <source>kEditOrdinaMarked</source>
        <translation>S&amp;ort Marked Rows First</translation>
    </message>
    <message>
        <source>kEditFindReplace</source>
        <translation>&amp;Find and Replace...</translation>
    </message>
    <message>
        <source>kFileExportKml</source>
        <translation>Export KML</translation>
    </message>
    <message>
        <source>lkSaveChangesMessage</source>
        <translation>Do you want to save the changes to "%1"?</translation>
    </message>
    <message>
        <source>lkSaveChangesExplanation</source>
        <translation>Your changes will be lost if you don't save them.</translation>
    </message>
    <message>
        <source>lkSave</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>lkDontSave</source>
        <translation>Don't Save</translation>
    </message>
</context>
<context>
    <name>Applicazione</name>
    <message>
        <source>lkAddPoi</source>
        <translation>Add POI</translation>
    </message>
    <message>
        <source>lkDescription</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>lkMarked</source>
        <translation>Marked</translation>
    </message>
    <message>
        <source>lkColDescription</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>lkColLatitude</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>lkColLongitude</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>kNewFileName</source>
        <translation>senza nome</translation>
    </message>
    <message>
        <source>kMenu_CopyDescription</source>
        <translation>Copy Description</translation>
    </message>
    <message>
        <source>kMenu_TitleCase</source>
        <translation>Title Case</translation>
    </message>
    <message>
        <source>kMenu_Upparcase</source>
        <translation>UPPERCASE</translation>
    </message>
    <message>
        <source>kMenu_Lowercase</source>
        <translation>lowercase</translation>
    </message>
    <message>
        <source>kMenu_SendTomTom</source>
        <translation>Send to TomTom HOME</translation>
    </message>
    <message>
        <source>kMenu_Rangekm</source>
        <translation>Show POIs within 15 km</translation>
    </message>
    <message>
        <source>kMenu_Delete</source>
        <translation>Delete Row</translation>
    </message>
    <message>
        <source>kbl_reloadmap</source>
        <translation>Reload the map</translation>
    </message>
    <message>
        <source>kbl_findmap</source>
        <translation>Find the address or phone number on the map</translation>
    </message>
    <message>
        <source>kbl_showmap</source>
        <translation>Show the POIs on the map</translation>
    </message>
    <message>
        <source>kbl_markall</source>
        <translation>Mark all POIs</translation>
    </message>
    <message>
        <source>kbl_marknone</source>
        <translation>Unmark all POIs</translation>
    </message>
    <message>
        <source>kbl_markinverse</source>
        <translation>Invert the marks</translation>
    </message>
    <message>
        <source>kbl_delete</source>
        <translation>Delete the marked POIs</translation>
    </message>
    <message>
        <source>lkReadError</source>
        <translation>The file "%1" could not be read: %2</translation>
    </message>
    <message>
        <source>lkWriteError</source>
        <translation>The file "%1" could not be written: %2</translation>
    </message>
    <message>
        <source>lkLatin1Replaced</source>
        <translation>%1 descriptions held characters that Windows Latin-1 cannot store; they were written with &quot;?&quot; in their place.</translation>
    </message>
    <message>
        <source>lkNoDirectory</source>
        <translation>No telephone directory is configured: set LUMETRA_DIRECTORY to its address.</translation>
    </message>
</context>
<context>
    <name>DownloadUpdate</name>
    <message>
        <source>lkTitle</source>
        <translation>Downloading Update</translation>
    </message>
    <message>
        <source>lkProgress</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>lkDownloadCompleted</source>
        <translation>The update has been downloaded and unpacked on your Desktop.</translation>
    </message>
    <message>
        <source>lkDownloadError</source>
        <translation>The update could not be downloaded</translation>
    </message>
    <message>
        <source>lkDownloadMissing</source>
        <translation>The update holds no disk image or installer package.</translation>
    </message>
    <message>
        <source>lkSavedIn</source>
        <translation>It is in the folder %1.</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>lkClose</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>lkNoFolder</source>
        <translation>no folder for it can be made in %1</translation>
    </message>
    <message>
        <source>lkNotExpanded</source>
        <translation>the archive could not be expanded</translation>
    </message>
</context>
<context>
    <name>AboutDialog</name>
    <message>
        <source>lkVersion</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>lkClose</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>lkCopyright</source>
        <translation>© 2026 Lumetra developers</translation>
    </message>
    <message>
        <source>lkMapData</source>
        <translation>Map data © OpenStreetMap contributors</translation>
    </message>
</context>
<context>
    <name>SearchDialog</name>
    <message>
        <source>lkTitle</source>
        <translation>Find and Replace</translation>
    </message>
    <message>
        <source>lkFind</source>
        <translation>Find:</translation>
    </message>
    <message>
        <source>lkReplaceWith</source>
        <translation>Replace with:</translation>
    </message>
    <message>
        <source>lkCheckMarked</source>
        <translation>Marked POIs only</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>lkSearch</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>lkNext</source>
        <translation>Find Next</translation>
    </message>
    <message>
        <source>lkReplace</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>lkReplaceAll</source>
        <translation>Replace All</translation>
    </message>
    <message>
        <source>lkComboReplace</source>
        <translation>Description|Latitude|Longitude</translation>
    </message>
    <message>
        <source>lkElementNotFound</source>
        <translation>Text not found.</translation>
    </message>
    <message>
        <source>lkWordNotFound</source>
        <translation>The text was not found: nothing was replaced.</translation>
    </message>
    <message>
        <source>lkReplaceOk1</source>
        <translation>The text was replaced in 1 POI.</translation>
    </message>
    <message>
        <source>lkReplaceOk2</source>
        <translation>The text was replaced in [N] POIs.</translation>
    </message>
    <message>
        <source>lkCellsKept</source>
        <translation>Left unchanged: [N]. The result would not be a coordinate: a number from -90 to 90 for a latitude, from -180 to 180 for a longitude.</translation>
    </message>
    <message>
        <source>lkNotCoordinate</source>
        <translation>Not a coordinate: the cell was left unchanged.</translation>
    </message>
</context>
<context>
    <name>DuplicateDialog</name>
    <message>
        <source>lkTitle</source>
        <translation>Find Duplicates</translation>
    </message>
    <message>
        <source>lkFind</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>lkCancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>lk_desc</source>
        <translation>Max. distance (km):</translation>
    </message>
</context>
<context>
    <name>CsvFiles</name>
    <message>
        <source>lkLinesSkipped</source>
        <translation>Lines not imported: %1. Their longitude or latitude is not a number within -180..180 or -90..90 (a header line, or the two columns swapped, for one).</translation>
    </message>
</context>
<context>
    <name>Ov2Files</name>
    <message>
        <source>lkNotCoordinates</source>
        <translation>Rows whose latitude is not a number within -90..90, or whose longitude is not one within -180..180: %1. The file was not saved; the first of those rows is selected.</translation>
    </message>
    <message>
        <source>lkPartlyOpened</source>
        <translation>The file "%1" could not be read to its end: %2. The %3 POIs read before are shown as an untitled document, so that no save can put them in the file's place.</translation>
    </message>
    <message>
        <source>lkPartlyImported</source>
        <translation>The file "%1" could not be read to its end: %2. Only the %3 POIs read before were added.</translation>
    </message>
</context>
<context>
    <name>Ov2Reason</name>
    <message>
        <source>lkArgument</source>
        <translation>a description is too long for a record, or a position lies beyond what an OV2 file holds</translation>
    </message>
    <message>
        <source>lkOpen</source>
        <translation>the file cannot be opened (it is missing, not a regular file or not readable)</translation>
    </message>
    <message>
        <source>lkRead</source>
        <translation>reading the file failed part way</translation>
    </message>
    <message>
        <source>lkRecordType</source>
        <translation>unknown record type at byte %1</translation>
    </message>
    <message>
        <source>lkTruncated</source>
        <translation>the record at byte %1 runs past the end of the file</translation>
    </message>
    <message>
        <source>lkLength</source>
        <translation>the record at byte %1 is too short for its type</translation>
    </message>
    <message>
        <source>lkUnterminated</source>
        <translation>the description of the record at byte %1 does not end inside its record</translation>
    </message>
    <message>
        <source>lkWrite</source>
        <translation>writing failed; the file that was there is unchanged</translation>
    </message>
    <message>
        <source>lkIncomplete</source>
        <translation>some POIs could not be stored, so the file would lack them</translation>
    </message>
    <message>
        <source>lkNoMemory</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>lkLimit</source>
        <translation>more than 2147483647 POIs</translation>
    </message>
    <message>
        <source>lkUnknown</source>
        <translation>error %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>lkFilesArgument</source>
        <translation>OV2 files to open, one window each.</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>lkCheckFailed</source>
        <translation>The check for updates failed.</translation>
    </message>
    <message>
        <source>lkNotAVersion</source>
        <translation>the server&apos;s answer is not a version number</translation>
    </message>
    <message>
        <source>lkNoServer</source>
        <translation>the update server cannot be reached: none is configured (LUMETRA_SERVER)</translation>
    </message>
</context>
<context>
    <name>NetworkText</name>
    <message>
        <source>lkPageFailed</source>
        <translation>The page %1 could not be loaded: %2.</translation>
    </message>
    <message>
        <source>lkServerAnswered</source>
        <translation>the server answered with HTTP status %1</translation>
    </message>
    <message>
        <source>lkNoAnswer</source>
        <translation>the server gave no answer within %1 seconds</translation>
    </message>
    <message>
        <source>lkRefused</source>
        <translation>the server refused the connection</translation>
    </message>
    <message>
        <source>lkHostNotFound</source>
        <translation>the server&apos;s name is unknown</translation>
    </message>
    <message>
        <source>lkClosed</source>
        <translation>the server closed the connection before the answer was complete</translation>
    </message>
    <message>
        <source>lkCutShort</source>
        <translation>the transfer was cut short</translation>
    </message>
    <message>
        <source>lkTimedOut</source>
        <translation>the server did not answer in time</translation>
    </message>
    <message>
        <source>lkOffline</source>
        <translation>there is no network connection</translation>
    </message>
    <message>
        <source>lkTooLarge</source>
        <translation>the answer is too large</translation>
    </message>
    <message>
        <source>lkCannotWrite</source>
        <translation>the file %1 cannot be written</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>lkNotRegular</source>
        <translation>it is not a regular file (a folder, a device or a pipe, for one)</translation>
    </message>
</context>
<context>
    <name>MapPageTexts</name>
    <message>
        <source>lkLanguage</source>
        <translation>en</translation>
    </message>
    <message>
        <source>lkNotFound</source>
        <translation>No address found for: </translation>
    </message>
    <message>
        <source>lkUnreachable</source>
        <translation>The address search service cannot be reached.</translation>
    </message>
    <message>
        <source>lkAttribution</source>
        <translation>© %1 contributors</translation>
    </message>
</context>
</TS>
