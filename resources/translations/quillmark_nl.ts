<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>CoreText</name>
    <message>
        <source>Sort by Name</source>
        <translation>Sorteren op naam</translation>
    </message>
    <message>
        <source>Sort by GC-Name</source>
        <translation>Sorteren op GC-naam</translation>
    </message>
    <message>
        <source>Sort by Date</source>
        <translation>Sorteren op datum</translation>
    </message>
    <message>
        <source>Sort by Timestamp</source>
        <translation>Sorteren op tijdstempel</translation>
    </message>
    <message>
        <source>Sort by Distance from home</source>
        <translation>Sorteren op afstand tot thuis</translation>
    </message>
    <message>
        <source>Sort by North coordinates</source>
        <translation>Sorteren op noordcoördinaat</translation>
    </message>
    <message>
        <source>Sort by East coordinates</source>
        <translation>Sorteren op oostcoördinaat</translation>
    </message>
    <message>
        <source>Sort by Cache Type</source>
        <translation>Sorteren op cachetype</translation>
    </message>
    <message>
        <source>Sort by &apos;Placed by&apos;</source>
        <translation>Sorteren op &apos;Geplaatst door&apos;</translation>
    </message>
    <message>
        <source>Sort by Date Found</source>
        <translation>Sorteren op vinddatum</translation>
    </message>
    <message>
        <source>Sort by Description</source>
        <translation>Sorteren op beschrijving</translation>
    </message>
    <message>
        <source>Sort by Comment</source>
        <translation>Sorteren op commentaar</translation>
    </message>
    <message>
        <source>Sort by URL Name</source>
        <translation>Sorteren op URL-naam</translation>
    </message>
    <message>
        <source>Sort by Logs</source>
        <translation>Sorteren op logs</translation>
    </message>
    <message>
        <source>Sort by Country</source>
        <translation>Sorteren op land</translation>
    </message>
    <message>
        <source>Sort by State</source>
        <translation>Sorteren op provincie</translation>
    </message>
    <message>
        <source>Sort by Difficulty</source>
        <translation>Sorteren op moeilijkheid</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschrijving</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaar</translation>
    </message>
    <message>
        <source>URL Name</source>
        <translation>URL-naam</translation>
    </message>
    <message>
        <source>Timestamp</source>
        <translation>Tijdstempel</translation>
    </message>
    <message>
        <source>Distance from Home</source>
        <translation>Afstand tot thuis</translation>
    </message>
    <message>
        <source>Date Found</source>
        <translation>Vinddatum</translation>
    </message>
    <message>
        <source>&apos;Placed By&apos;</source>
        <translation>&apos;Geplaatst door&apos;</translation>
    </message>
    <message>
        <source>Logs</source>
        <translation>Logs</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Moeilijkheid</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Provincie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Latitude (N)</source>
        <translation>Breedte (N)</translation>
    </message>
    <message>
        <source>Longitude (E)</source>
        <translation>Lengte (O)</translation>
    </message>
    <message>
        <source>TimeStamp</source>
        <translation>Tijdstempel</translation>
    </message>
    <message>
        <source>Placed by</source>
        <translation>Geplaatst door</translation>
    </message>
    <message>
        <source>Terrain (lower or equal)</source>
        <translation>Terrein (lager of gelijk)</translation>
    </message>
    <message>
        <source>Terrain (higher or equal)</source>
        <translation>Terrein (hoger of gelijk)</translation>
    </message>
    <message>
        <source>Difficulty (lower or equal)</source>
        <translation>Moeilijkheid (lager of gelijk)</translation>
    </message>
    <message>
        <source>Difficulty (higher or equal)</source>
        <translation>Moeilijkheid (hoger of gelijk)</translation>
    </message>
    <message>
        <source>Max distance from home</source>
        <translation>Max. afstand tot thuis</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Container</source>
        <translation>Container</translation>
    </message>
    <message>
        <source>Real caches</source>
        <translation>Echte caches</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>Gevonden</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Gearchiveerd</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>Graden</translation>
    </message>
    <message>
        <source>Degrees, minutes</source>
        <translation>Graden, minuten</translation>
    </message>
    <message>
        <source>Degrees, min, sec</source>
        <translation>Graden, min, sec</translation>
    </message>
    <message>
        <source>RD (dutch grid)</source>
        <translation>RD (Nederlands raster)</translation>
    </message>
    <message>
        <source>Lambert72 (belgian grid)</source>
        <translation>Lambert72 (Belgisch raster)</translation>
    </message>
    <message>
        <source>UTM</source>
        <translation>UTM</translation>
    </message>
    <message>
        <source>ECEF (XYZ)</source>
        <translation>ECEF (XYZ)</translation>
    </message>
    <message>
        <source>Altitude</source>
        <translation>Hoogte</translation>
    </message>
</context>
<context>
    <name>WindowQuestions</name>
    <message>
        <source>Are you sure?</source>
        <translation>Weet u het zeker?</translation>
    </message>
    <message>
        <source>Exit without saving list</source>
        <translation>Afsluiten zonder de lijst op te slaan</translation>
    </message>
    <message>
        <source>Delete waypoint</source>
        <translation>Waypoint verwijderen</translation>
    </message>
    <message>
        <source>Clear the list</source>
        <translation>De lijst wissen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Save Favorite File</source>
        <translation>Favorietenbestand opslaan</translation>
    </message>
    <message>
        <source>FTP Upload GPX</source>
        <translation>GPX uploaden via FTP</translation>
    </message>
    <message>
        <source>Is this name OK?</source>
        <translation>Is deze naam goed?</translation>
    </message>
    <message>
        <source>Send to GPS</source>
        <translation>Naar GPS sturen</translation>
    </message>
</context>
<context>
    <name>quill::ConverterPanel</name>
    <message>
        <source> Input </source>
        <translation> Invoer </translation>
    </message>
    <message>
        <source>Enter Latitude (North coordinate)</source>
        <translation>Geef de breedte (noordcoördinaat)</translation>
    </message>
    <message>
        <source>Enter Longitude (East coordinate)</source>
        <translation>Geef de lengte (oostcoördinaat)</translation>
    </message>
    <message>
        <source>Select default latitude direction</source>
        <translation>Kies de standaardrichting van de breedte</translation>
    </message>
    <message>
        <source>Select default longitude direction</source>
        <translation>Kies de standaardrichting van de lengte</translation>
    </message>
    <message>
        <source>Enter RD coordinates (separated by spaces)</source>
        <translation>Geef RD-coördinaten (gescheiden door spaties)</translation>
    </message>
    <message>
        <source>Enter Lambert72 coordinates (separated by spaces)</source>
        <translation>Geef Lambert72-coördinaten (gescheiden door spaties)</translation>
    </message>
    <message>
        <source>Enter UTM coordinate</source>
        <translation>Geef een UTM-coördinaat</translation>
    </message>
    <message>
        <source>Enter ECEF coordinates (separated by spaces)</source>
        <translation>Geef ECEF-coördinaten (gescheiden door spaties)</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Bereken</translation>
    </message>
    <message>
        <source>Calculate Lat/Lon coordinates</source>
        <translation>Bereken breedte/lengte</translation>
    </message>
    <message>
        <source>Clear input</source>
        <translation>Wis invoer</translation>
    </message>
    <message>
        <source>Clear coordinate inputs</source>
        <translation>Wis de ingevoerde coördinaten</translation>
    </message>
    <message>
        <source>Calc</source>
        <translation>Ber.</translation>
    </message>
    <message>
        <source>Calculate RD coordinates</source>
        <translation>Bereken RD-coördinaten</translation>
    </message>
    <message>
        <source>Calculate Lambert72 coordinates</source>
        <translation>Bereken Lambert72-coördinaten</translation>
    </message>
    <message>
        <source>Calculate UTM coordinates</source>
        <translation>Bereken UTM-coördinaten</translation>
    </message>
    <message>
        <source>Calculate ECEF coordinates</source>
        <translation>Bereken ECEF-coördinaten</translation>
    </message>
    <message>
        <source>Lat</source>
        <translation>Br.</translation>
    </message>
    <message>
        <source>Lon</source>
        <translation>Le.</translation>
    </message>
    <message>
        <source>RD (dutch grid)</source>
        <translation>RD (Nederlands raster)</translation>
    </message>
    <message>
        <source>Lambert72 (belgian grid)</source>
        <translation>Lambert72 (Belgisch raster)</translation>
    </message>
    <message>
        <source>UTM</source>
        <translation>UTM</translation>
    </message>
    <message>
        <source>ECEF (XYZ)</source>
        <translation>ECEF (XYZ)</translation>
    </message>
    <message>
        <source> Results </source>
        <translation> Resultaten </translation>
    </message>
    <message>
        <source>Add to list</source>
        <translation>Toevoegen</translation>
    </message>
    <message>
        <source>Add result to waypoint list</source>
        <translation>Voeg het resultaat toe aan de waypointlijst</translation>
    </message>
    <message>
        <source>Google Maps</source>
        <translation>Google Maps</translation>
    </message>
    <message>
        <source>Show result in Google Maps</source>
        <translation>Toon het resultaat in Google Maps</translation>
    </message>
    <message>
        <source>VE</source>
        <translation>VE</translation>
    </message>
</context>
<context>
    <name>quill::HelpWindow</name>
    <message>
        <source>Quillmark Help</source>
        <translation>Quillmark Help</translation>
    </message>
</context>
<context>
    <name>quill::TDetailsPane</name>
    <message>
        <source>Picture: click to load</source>
        <translation>Afbeelding: klik om te laden</translation>
    </message>
    <message>
        <source>Close the details</source>
        <translation>Details sluiten</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Owner:</source>
        <translation>Eigenaar:</translation>
    </message>
    <message>
        <source>Difficulty:</source>
        <translation>Moeilijkheid:</translation>
    </message>
    <message>
        <source>Terrain:</source>
        <translation>Terrein:</translation>
    </message>
    <message>
        <source>Container:</source>
        <translation>Container:</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Plaats:</translation>
    </message>
    <message>
        <source>Placed:</source>
        <translation>Geplaatst:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Decode</source>
        <translation>Ontcijferen</translation>
    </message>
    <message>
        <source>Hint:</source>
        <translation>Hint:</translation>
    </message>
    <message>
        <source>Waypoints:</source>
        <translation>Waypoints:</translation>
    </message>
    <message>
        <source>Cache</source>
        <translation>Cache</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschrijving</translation>
    </message>
    <message>
        <source>Logs</source>
        <translation>Logs</translation>
    </message>
    <message>
        <source>No waypoint selected</source>
        <translation>Geen waypoint gekozen</translation>
    </message>
    <message>
        <source>No geocaching info</source>
        <translation>Geen geocaching-info</translation>
    </message>
    <message>
        <source>Archived</source>
        <translation>Gearchiveerd</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Uitgeschakeld</translation>
    </message>
    <message>
        <source>Available</source>
        <translation>Beschikbaar</translation>
    </message>
    <message>
        <source>No hint</source>
        <translation>Geen hint</translation>
    </message>
    <message>
        <source>Encode</source>
        <translation>Versleutelen</translation>
    </message>
</context>
<context>
    <name>quill::TFormAbout</name>
    <message>
        <source>A position converter and waypoint list for geocachers.</source>
        <translation>Een positieomrekenaar en waypointlijst voor geocachers.</translation>
    </message>
    <message>
        <source>Built %1</source>
        <translation>Gebouwd %1</translation>
    </message>
    <message>
        <source>Data folder: %1</source>
        <translation>Gegevensmap: %1</translation>
    </message>
    <message>
        <source>Licensed under the GNU General Public License, version 3 or later. There is no warranty.</source>
        <translation>Uitgegeven onder de GNU General Public License, versie 3 of later. Er is geen garantie.</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Over %1</translation>
    </message>
</context>
<context>
    <name>quill::TFormApp</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Be&amp;werken</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Extra</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Over Qt</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Beeld</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Kaart</translation>
    </message>
    <message>
        <source>Send to GPS…</source>
        <translation>Naar GPS sturen…</translation>
    </message>
    <message>
        <source>Save Selected…</source>
        <translation>Selectie opslaan…</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>quill::TFormEditItem</name>
    <message>
        <source>Edit</source>
        <translation>Bewerken</translation>
    </message>
    <message>
        <source>North coordinate</source>
        <translation>Noordcoördinaat</translation>
    </message>
    <message>
        <source>East coordinate.</source>
        <translation>Oostcoördinaat.</translation>
    </message>
    <message>
        <source>Name.</source>
        <translation>Naam.</translation>
    </message>
    <message>
        <source>Waypoint type.</source>
        <translation>Waypointtype.</translation>
    </message>
    <message>
        <source>Description. (This may consist of multiple lines.)</source>
        <translation>Beschrijving. (Dit mag uit meerdere regels bestaan.)</translation>
    </message>
    <message>
        <source>URL description.</source>
        <translation>URL-beschrijving.</translation>
    </message>
    <message>
        <source>URL. (If you enter the geocaching code here or in the &apos;Name&apos; or &apos;Url desc&apos; field, it will generate the URL for you).</source>
        <translation>URL. (Geeft u hier of in het veld &apos;Naam&apos; of &apos;URL-beschr.&apos; de geocachingcode, dan wordt de URL voor u gemaakt.)</translation>
    </message>
    <message>
        <source>Comment. (This may consist of multiple lines.)</source>
        <translation>Commentaar. (Dit mag uit meerdere regels bestaan.)</translation>
    </message>
    <message>
        <source>Waypoint Symbol</source>
        <translation>Waypointsymbool</translation>
    </message>
    <message>
        <source>Geocache found or not.</source>
        <translation>Geocache gevonden of niet.</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>Gevonden</translation>
    </message>
    <message>
        <source>Show Cache Info</source>
        <translation>Cache-info tonen</translation>
    </message>
    <message>
        <source>Save GPX</source>
        <translation>GPX opslaan</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Latitude (N)</source>
        <translation>Breedte (N)</translation>
    </message>
    <message>
        <source>Longitude (E)</source>
        <translation>Lengte (O)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>Waypoint type</source>
        <translation>Waypointtype</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschrijving</translation>
    </message>
    <message>
        <source>URL desc</source>
        <translation>URL-beschr.</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaar</translation>
    </message>
    <message>
        <source>Symbol</source>
        <translation>Symbool</translation>
    </message>
    <message>
        <source>Timestamp</source>
        <translation>Tijdstempel</translation>
    </message>
</context>
<context>
    <name>quill::TFormFilter</name>
    <message>
        <source>Filter</source>
        <translation>Filteren</translation>
    </message>
    <message>
        <source>Waypoint type.</source>
        <translation>Waypointtype.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nee</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>quill::TFormHistogram</name>
    <message>
        <source>Histogram</source>
        <translation>Histogram</translation>
    </message>
    <message>
        <source>Special colors</source>
        <translation>Speciale kleuren</translation>
    </message>
</context>
<context>
    <name>quill::TFormLetterInput</name>
    <message>
        <source>Letter frequency</source>
        <translation>Letterfrequentie</translation>
    </message>
    <message>
        <source>Coded text</source>
        <translation>Gecodeerde tekst</translation>
    </message>
    <message>
        <source>Decoded text</source>
        <translation>Gedecodeerde tekst</translation>
    </message>
    <message>
        <source>Show histogram</source>
        <translation>Histogram tonen</translation>
    </message>
</context>
<context>
    <name>quill::TFormList</name>
    <message>
        <source>List</source>
        <translation>Lijst</translation>
    </message>
    <message>
        <source>WordWrap</source>
        <translation>Tekstterugloop</translation>
    </message>
</context>
<context>
    <name>quill::TFormMap</name>
    <message>
        <source>Map</source>
        <translation>Kaart</translation>
    </message>
    <message>
        <source>Fit list</source>
        <translation>Hele lijst</translation>
    </message>
    <message>
        <source>Zoom to every shown waypoint</source>
        <translation>Inzoomen op alle getoonde waypoints</translation>
    </message>
    <message>
        <source>Zoom in (wheel up, +)</source>
        <translation>Inzoomen (wiel omhoog, +)</translation>
    </message>
    <message>
        <source>Zoom out (wheel down, -)</source>
        <translation>Uitzoomen (wiel omlaag, -)</translation>
    </message>
    <message>
        <source>, %1 without a position</source>
        <translation>, %1 zonder positie</translation>
    </message>
    <message>
        <source>, archived</source>
        <translation>, gearchiveerd</translation>
    </message>
    <message>
        <source>, unavailable</source>
        <translation>, niet beschikbaar</translation>
    </message>
    <message>
        <source>D/T %1</source>
        <translation>M/T %1</translation>
    </message>
</context>
<context>
    <name>quill::TFormNaam</name>
    <message>
        <source>Name</source>
        <translation>Naam</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>quill::TFormOptions</name>
    <message>
        <source>Options</source>
        <translation>Opties</translation>
    </message>
    <message>
        <source> Main settings </source>
        <translation> Algemeen </translation>
    </message>
    <message>
        <source>Warning when deleting waypoint</source>
        <translation>Waarschuwen bij verwijderen van waypoint</translation>
    </message>
    <message>
        <source>Warning when exiting without saving</source>
        <translation>Waarschuwen bij afsluiten zonder opslaan</translation>
    </message>
    <message>
        <source>Include Geocaching Info</source>
        <translation>Geocaching-info meenemen</translation>
    </message>
    <message>
        <source>Weblink: use real cache website for waypoints</source>
        <translation>Weblink: echte cachewebsite voor waypoints</translation>
    </message>
    <message>
        <source> Coordinates </source>
        <translation> Coördinaten </translation>
    </message>
    <message>
        <source>North</source>
        <translation>Noord</translation>
    </message>
    <message>
        <source>South</source>
        <translation>Zuid</translation>
    </message>
    <message>
        <source>Default Latitude:</source>
        <translation>Standaardbreedte:</translation>
    </message>
    <message>
        <source>East</source>
        <translation>Oost</translation>
    </message>
    <message>
        <source>West</source>
        <translation>West</translation>
    </message>
    <message>
        <source>Default Longitude:</source>
        <translation>Standaardlengte:</translation>
    </message>
    <message>
        <source>Set home coordinates for sorting and filtering</source>
        <translation>Thuiscoördinaten voor sorteren en filteren</translation>
    </message>
    <message>
        <source>Home Coordinates</source>
        <translation>Thuiscoördinaten</translation>
    </message>
    <message>
        <source> Google Maps </source>
        <translation> Google Maps </translation>
    </message>
    <message>
        <source>Zoomlevel</source>
        <translation>Zoomniveau</translation>
    </message>
    <message>
        <source>Set zoomlevel for Google Maps. </source>
        <translation>Zoomniveau voor Google Maps. </translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standaard</translation>
    </message>
    <message>
        <source>Select favorite default view mode</source>
        <translation>Kies de standaardweergave</translation>
    </message>
    <message>
        <source>View mode</source>
        <translation>Weergave</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Kaart</translation>
    </message>
    <message>
        <source>Satellite</source>
        <translation>Satelliet</translation>
    </message>
    <message>
        <source>Hybrid</source>
        <translation>Hybride</translation>
    </message>
    <message>
        <source> Expert Settings </source>
        <translation> Voor gevorderden </translation>
    </message>
    <message>
        <source>Set Favorite File</source>
        <translation>Favorietenbestand kiezen</translation>
    </message>
    <message>
        <source>Set Archive File</source>
        <translation>Archiefbestand kiezen</translation>
    </message>
    <message>
        <source>Skip check when list is empty</source>
        <translation>Niet vragen bij een lege lijst</translation>
    </message>
    <message>
        <source>Warning when saving favorites list</source>
        <translation>Waarschuwen bij opslaan van favorietenlijst</translation>
    </message>
    <message>
        <source>Warning when saving favorites list on FTP</source>
        <translation>Waarschuwen bij opslaan van favorieten op FTP</translation>
    </message>
    <message>
        <source>Show Archived and Disabled in list</source>
        <translation>Gearchiveerd en uitgeschakeld in lijst tonen</translation>
    </message>
    <message>
        <source>ExportTxt Mode</source>
        <translation>Exportformaat TXT</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Gebruiker</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Wachtwoord</translation>
    </message>
    <message>
        <source>Remote dir</source>
        <translation>Externe map</translation>
    </message>
    <message>
        <source>Remote filename</source>
        <translation>Externe bestandsnaam</translation>
    </message>
    <message>
        <source>Proxy</source>
        <translation>Proxy</translation>
    </message>
    <message>
        <source>Proxy port</source>
        <translation>Proxypoort</translation>
    </message>
    <message>
        <source>Passive</source>
        <translation>Passief</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Waypoint files (*.gpx)</source>
        <translation>Waypointbestanden (*.gpx)</translation>
    </message>
    <message>
        <source>Waypoint files (*.txt)</source>
        <translation>Waypointbestanden (*.txt)</translation>
    </message>
    <message>
        <source> Map </source>
        <translation> Kaart </translation>
    </message>
    <message>
        <source>Address of the map tiles with {z}, {x} and {y}; empty for no tiles</source>
        <translation>Adres van de kaarttegels met {z}, {x} en {y}; leeg voor geen tegels</translation>
    </message>
    <message>
        <source>Tile address</source>
        <translation>Tegeladres</translation>
    </message>
    <message>
        <source>Shown on the map, as the tile server asks</source>
        <translation>Getoond op de kaart, zoals de tegelserver vraagt</translation>
    </message>
    <message>
        <source>Attribution</source>
        <translation>Bronvermelding</translation>
    </message>
    <message>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>Disk space kept for map tiles; 0 keeps none</source>
        <translation>Schijfruimte voor kaarttegels; 0 bewaart niets</translation>
    </message>
    <message>
        <source>Tile cache</source>
        <translation>Tegelcache</translation>
    </message>
</context>
<context>
    <name>quill::TFormSearch</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
</context>
<context>
    <name>quill::TFormSelectWpAddMode</name>
    <message>
        <source>Duplicate name found in list</source>
        <translation>Dubbele naam gevonden in lijst</translation>
    </message>
    <message>
        <source>Select an action</source>
        <translation>Kies een actie</translation>
    </message>
    <message>
        <source>Keep Original Waypoint</source>
        <translation>Origineel waypoint houden</translation>
    </message>
    <message>
        <source>Replace Waypoint</source>
        <translation>Waypoint vervangen</translation>
    </message>
    <message>
        <source>Allow Duplicate Names</source>
        <translation>Dubbele namen toestaan</translation>
    </message>
</context>
<context>
    <name>quill::TFormSendToGps</name>
    <message>
        <source>Send to GPS</source>
        <translation>Naar GPS sturen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Vernieuwen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Device:</source>
        <translation>Apparaat:</translation>
    </message>
    <message>
        <source>File name:</source>
        <translation>Bestandsnaam:</translation>
    </message>
    <message>
        <source>Waypoints:</source>
        <translation>Waypoints:</translation>
    </message>
    <message>
        <source>No GPS receiver found: plug one in and mount it, then Refresh.</source>
        <translation>Geen GPS-ontvanger gevonden: sluit er een aan en koppel hem, kies dan Vernieuwen.</translation>
    </message>
    <message>
        <source>No waypoints to send.</source>
        <translation>Geen waypoints om te sturen.</translation>
    </message>
</context>
<context>
    <name>quill::TFormSerialSetup</name>
    <message>
        <source>Serial port</source>
        <translation>Seriële poort</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Poort</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Databits</source>
        <translation>Databits</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Pariteit</translation>
    </message>
    <message>
        <source>Stopbits</source>
        <translation>Stopbits</translation>
    </message>
    <message>
        <source>Flow ctrl</source>
        <translation>Flowcontrole</translation>
    </message>
</context>
<context>
    <name>quill::TListCommands</name>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Search Next</source>
        <translation>Volgende zoeken</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filteren</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Hernoemen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sorteren</translation>
    </message>
    <message>
        <source>Rename Waypoints</source>
        <translation>Waypoints hernoemen</translation>
    </message>
    <message>
        <source>Filter Waypoints</source>
        <translation>Waypoints filteren</translation>
    </message>
</context>
<context>
    <name>quill::TListEditCommands</name>
    <message>
        <source>Undo</source>
        <translation>Ongedaan maken</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Opnieuw</translation>
    </message>
</context>
<context>
    <name>quill::TListPanel</name>
    <message>
        <source> Waypoint List </source>
        <translation> Waypointlijst </translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>(Filtered)</source>
        <translation>(Gefilterd)</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Load waypoint files</source>
        <translation>Waypointbestanden laden</translation>
    </message>
    <message>
        <source>Fav</source>
        <translation>Fav</translation>
    </message>
    <message>
        <source>Ftp</source>
        <translation>Ftp</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
    <message>
        <source>Save the waypoint list</source>
        <translation>De waypointlijst opslaan</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Lijst wissen</translation>
    </message>
    <message>
        <source>Sort the waypoint list</source>
        <translation>De waypointlijst sorteren</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filteren</translation>
    </message>
    <message>
        <source>Show All</source>
        <translation>Alles tonen</translation>
    </message>
    <message>
        <source>Show the entire waypoint list. This cancels any filtering.</source>
        <translation>Toon de hele waypointlijst. Dit heft elk filter op.</translation>
    </message>
    <message>
        <source>Web Link</source>
        <translation>Weblink</translation>
    </message>
    <message>
        <source>Open the cache&apos;s page on the web site</source>
        <translation>Open de pagina van de cache op de website</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokaal</translation>
    </message>
    <message>
        <source>Open webpage from local GPX data.</source>
        <translation>Open een webpagina uit de lokale GPX-gegevens.</translation>
    </message>
    <message>
        <source>Google Earth</source>
        <translation>Google Earth</translation>
    </message>
    <message>
        <source>Show waypoints on Google Earth</source>
        <translation>Toon de waypoints in Google Earth</translation>
    </message>
    <message>
        <source>Archive Waypoint</source>
        <translation>Waypoint archiveren</translation>
    </message>
    <message>
        <source>4th Column</source>
        <translation>4e kolom</translation>
    </message>
    <message>
        <source>5th Column</source>
        <translation>5e kolom</translation>
    </message>
</context>
<context>
    <name>quill::TMapWidget</name>
    <message>
        <source>%1 waypoints: click to zoom in</source>
        <translation>%1 waypoints: klik om in te zoomen</translation>
    </message>
</context>
<context>
    <name>quill::TSaveFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 bestaat al.
Wilt u het vervangen?</translation>
    </message>
</context>
<context>
    <name>quill::TToolCommands</name>
    <message>
        <source>Letter frequency…</source>
        <translation>Letterfrequentie…</translation>
    </message>
    <message>
        <source>GPS receiver…</source>
        <translation>GPS-ontvanger…</translation>
    </message>
    <message>
        <source>Stop GPS receiver</source>
        <translation>GPS-ontvanger stoppen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opties</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Over</translation>
    </message>
</context>
<context>
    <name>quill::TUlkStatusBar</name>
    <message>
        <source>Geocaching info not loaded: turn on &quot;Include Geocaching Info&quot; in Tools &gt; Options</source>
        <translation>Geocaching-info niet geladen: zet "Geocaching-info meenemen" aan in Extra &gt; Opties</translation>
    </message>
    <message>
        <source>Error saving settings</source>
        <translation>Fout bij opslaan van de instellingen</translation>
    </message>
    <message>
        <source>GPS receiver stopped</source>
        <translation>GPS-ontvanger gestopt</translation>
    </message>
    <message>
        <source>Busy...</source>
        <translation>Bezig...</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Klaar!</translation>
    </message>
    <message>
        <source>Already connected!</source>
        <translation>Al verbonden!</translation>
    </message>
    <message>
        <source>Invalid host!</source>
        <translation>Ongeldige host!</translation>
    </message>
    <message>
        <source>Invalid user!</source>
        <translation>Ongeldige gebruiker!</translation>
    </message>
    <message>
        <source>Invalid password!</source>
        <translation>Ongeldig wachtwoord!</translation>
    </message>
    <message>
        <source>Invalid folder!</source>
        <translation>Ongeldige map!</translation>
    </message>
    <message>
        <source>Invalid file name!</source>
        <translation>Ongeldige bestandsnaam!</translation>
    </message>
    <message>
        <source>Invalid proxy!</source>
        <translation>Ongeldige proxy!</translation>
    </message>
    <message>
        <source>Connection Failed!</source>
        <translation>Verbinding mislukt!</translation>
    </message>
    <message>
        <source>Authentication Failed!</source>
        <translation>Aanmelden mislukt!</translation>
    </message>
    <message>
        <source>Failure! (Rename)</source>
        <translation>Mislukt! (Hernoemen)</translation>
    </message>
    <message>
        <source>Favorite file not loaded!</source>
        <translation>Favorietenbestand niet geladen!</translation>
    </message>
    <message>
        <source>Error opening file</source>
        <translation>Fout bij openen van bestand</translation>
    </message>
    <message>
        <source>Error loading file</source>
        <translation>Fout bij laden van bestand</translation>
    </message>
    <message>
        <source>Error saving file</source>
        <translation>Fout bij opslaan van bestand</translation>
    </message>
    <message>
        <source>Unknown Extension</source>
        <translation>Onbekende extensie</translation>
    </message>
    <message>
        <source>Invalid name</source>
        <translation>Ongeldige naam</translation>
    </message>
    <message>
        <source>No waypoints selected</source>
        <translation>Geen waypoints geselecteerd</translation>
    </message>
    <message>
        <source>Position out of range</source>
        <translation>Positie buiten bereik</translation>
    </message>
    <message>
        <source>Not a position</source>
        <translation>Geen positie</translation>
    </message>
    <message>
        <source>Not a web link</source>
        <translation>Geen weblink</translation>
    </message>
    <message>
        <source>Cache page template missing</source>
        <translation>Sjabloon van de cachepagina ontbreekt</translation>
    </message>
    <message>
        <source>Cannot write the cache page</source>
        <translation>Kan de cachepagina niet schrijven</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Opgeslagen in %1</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>Kan %1 niet schrijven</translation>
    </message>
    <message>
        <source>Nothing could open %1</source>
        <translation>Niets kon %1 openen</translation>
    </message>
</context>
</TS>
