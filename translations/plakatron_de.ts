<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AssemblyMap</name>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 Blatt, %5 Seite, Überlappung %6 %</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 Blatt, %5 Seiten, Überlappung %6 %</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 Blatt %7, %5 Seite, Überlappung %6 %</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 Blatt %7, %5 Seiten, Überlappung %6 %</translation>
    </message>
    <message>
        <source>The poster has no pages to show on an assembly map.</source>
        <translation>Das Poster hat keine Seiten, die ein Montageplan zeigen könnte.</translation>
    </message>
    <message>
        <source>The printable area of the sheet is too small for the assembly map.</source>
        <translation>Der bedruckbare Bereich des Blatts ist zu klein für den Montageplan.</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>The printable area of the sheet is too small for the calibration rulers.</source>
        <translation>Der bedruckbare Bereich des Blatts ist zu klein für die Kalibrierungslineale.</translation>
    </message>
    <message>
        <source>Calibration sheet for %1, %2

Measure each ruler from 0 to its last mark, to the half millimetre,
and type the two lengths where the program asks for them.

Across: %3 mm as sent to the printer
Down: %4 mm as sent to the printer</source>
        <translation>Kalibrierungsblatt für %1, %2

Messen Sie jedes Lineal von 0 bis zum letzten Strich auf einen halben Millimeter genau
und geben Sie die beiden Längen ein, wenn das Programm danach fragt.

Waagerecht: %L3 mm an den Drucker gesendet
Senkrecht: %L4 mm an den Drucker gesendet</translation>
    </message>
</context>
<context>
    <name>DropRules</name>
    <message>
        <source>Only one picture file can be dropped</source>
        <translation>Es kann nur eine Bilddatei abgelegt werden</translation>
    </message>
    <message>
        <source>Not a picture this program reads: %1</source>
        <translation>Kein Bild, das dieses Programm lesen kann: %1</translation>
    </message>
    <message>
        <source>File format not supported!</source>
        <translation>Dateiformat wird nicht unterstützt!</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error: %1 %2</source>
        <translation>Fehler: %1 %2</translation>
    </message>
    <message>
        <source>Code %1</source>
        <translation>Code %1</translation>
    </message>
</context>
<context>
    <name>OpenPicture</name>
    <message>
        <source>Open Picture</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>Unable to load picture &apos;%1&apos;</source>
        <translation>Das Bild „%1“ kann nicht geladen werden</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>PageGeometry</name>
    <message>
        <source>p.%1 put %2 below</source>
        <translation>S.%1, darunter %2</translation>
    </message>
    <message>
        <source>%1 put %2 next</source>
        <translation>%1, daneben %2</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>1 page</source>
        <translation>1 Seite</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n Seite</numerusform>
            <numerusform>%n Seiten</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture sharp at any size</source>
        <translation>%1 ppi auf %2, Bild in jeder Größe scharf</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi (blown up)</source>
        <translation>%1 ppi auf %2, Bild %3 ppi (hochskaliert)</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi</source>
        <translation>%1 ppi auf %2, Bild %3 ppi</translation>
    </message>
    <message>
        <source>%1 px: %2</source>
        <translation>%1 px: %2</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
</context>
<context>
    <name>PageSelection</name>
    <message>
        <source>Source picture: no pages</source>
        <translation>Quellbild: keine Seiten</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, page %3 selected</source>
        <translation>Quellbild: %1 × %2 Seite, Seite %3 ausgewählt</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, page %3 selected</source>
        <translation>Quellbild: %1 × %2 Seiten, Seite %3 ausgewählt</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, no page selected</source>
        <translation>Quellbild: %1 × %2 Seite, keine Seite ausgewählt</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, no page selected</source>
        <translation>Quellbild: %1 × %2 Seiten, keine Seite ausgewählt</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 landscape</source>
        <translation>%1 quer</translation>
    </message>
    <message>
        <source>%1 portrait</source>
        <translation>%1 hoch</translation>
    </message>
</context>
<context>
    <name>PictureTypes</name>
    <message>
        <source>Supported formats</source>
        <translation>Unterstützte Formate</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>Poster</name>
    <message>
        <source>%1 wide</source>
        <translation>%1 Breite</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>%1 Höhe</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high.</source>
        <translation>„%1“ ist keine Postergröße: Geben Sie eine Zahl und eine Einheit an (mm, cm, m oder in), etwa 150cm, 1,5m oder 40in high.</translation>
    </message>
    <message>
        <source>A ruler that measures %1 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25.</source>
        <translation>Ein Lineal, das das %L1-Fache seiner Länge misst, ist ein Messfehler und kein Drucker: Eine Kalibrierung liegt zwischen 0,8 und 1,25.</translation>
    </message>
    <message>
        <source>A poster %1 cannot be printed: give a size above 0.</source>
        <translation>Ein Poster mit %1 kann nicht gedruckt werden: Geben Sie eine Größe über 0 an.</translation>
    </message>
    <message>
        <source>A poster %1 needs more pages than a print job holds (%2).</source>
        <translation>Ein Poster mit %1 braucht mehr Seiten, als ein Druckauftrag fassen kann (%2).</translation>
    </message>
    <message>
        <source>A poster %1 needs more than 40 sheets of %2 across, the most a poster has.</source>
        <translation>Ein Poster mit %1 braucht mehr als 40 Blatt %2 nebeneinander, mehr als ein Poster haben kann.</translation>
    </message>
    <message>
        <source>The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.</source>
        <translation>Das Bild ist zu klein für ein Poster mit %1: Ein Blatt würde weniger als 10 seiner Pixel zeigen.</translation>
    </message>
    <message>
        <source>A poster %1 needs %2 pages, more than a print job holds (%3).</source>
        <translation>Ein Poster mit %1 braucht %2 Seiten, mehr als ein Druckauftrag fassen kann (%3).</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>printed to %1</source>
        <translation>gedruckt in %1</translation>
    </message>
    <message>
        <source>sent to %1</source>
        <translation>an %1 gesendet</translation>
    </message>
    <message>
        <source>Printing cancelled: nothing was printed</source>
        <translation>Drucken abgebrochen: Es wurde nichts gedruckt</translation>
    </message>
    <message>
        <source>Printing failed</source>
        <translation>Drucken fehlgeschlagen</translation>
    </message>
    <message>
        <source>Printing the poster</source>
        <translation>Das Poster wird gedruckt</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>Es wurde nichts gedruckt</translation>
    </message>
    <message>
        <source>1 page %1</source>
        <translation>1 Seite %1</translation>
    </message>
    <message numerus="yes">
        <source>%n pages %1</source>
        <translation>
            <numerusform>%n Seite %1</numerusform>
            <numerusform>%n Seiten %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Printing the assembly map</source>
        <translation>Der Montageplan wird gedruckt</translation>
    </message>
    <message>
        <source>Assembly map %1</source>
        <translation>Montageplan %1</translation>
    </message>
    <message>
        <source>Printing the calibration sheet</source>
        <translation>Das Kalibrierungsblatt wird gedruckt</translation>
    </message>
    <message>
        <source>Calibration sheet %1</source>
        <translation>Kalibrierungsblatt %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a length in millimetres.</source>
        <translation>„%1“ ist keine Länge in Millimetern.</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>1 page holds nothing of the picture and is not printed.</source>
        <translation>1 Seite enthält nichts vom Bild und wird nicht gedruckt.</translation>
    </message>
    <message numerus="yes">
        <source>%n pages hold nothing of the picture and are not printed.</source>
        <translation>
            <numerusform>%n Seite enthält nichts vom Bild und wird nicht gedruckt.</numerusform>
            <numerusform>%n Seiten enthalten nichts vom Bild und werden nicht gedruckt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The page chosen holds nothing of the picture: there is nothing to print.</source>
        <translation>Die gewählte Seite enthält nichts vom Bild: Es gibt nichts zu drucken.</translation>
    </message>
    <message numerus="yes">
        <source>The %n pages chosen hold nothing of the picture: there is nothing to print.</source>
        <translation>
            <numerusform>Die %n gewählte Seite enthält nichts vom Bild: Es gibt nichts zu drucken.</numerusform>
            <numerusform>Die %n gewählten Seiten enthalten nichts vom Bild: Es gibt nichts zu drucken.</numerusform>
        </translation>
    </message>
    <message>
        <source>Are you sure you want to print the %1 pages?</source>
        <translation>Möchten Sie die %1 Seiten wirklich drucken?</translation>
    </message>
    <message>
        <source>Printing page %1/%2</source>
        <translation>Seite %1/%2 wird gedruckt</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Seite %1 wird gedruckt</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <source>User interrupt occurred</source>
        <translation>Vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Ungültiger Dateiname oder ungültige Dateinummer</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Ein-/Ausgabefehler des Geräts</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lesen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad oder Datei</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <source>Object variable or With block variable not set</source>
        <translation>Objektvariable oder With-Blockvariable nicht festgelegt</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Druckerfehler</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
</context>
<context>
    <name>plakatron::frmCalibrate</name>
    <message>
        <source>Printer calibration</source>
        <translation>Druckerkalibrierung</translation>
    </message>
    <message>
        <source>Measure the two rulers on the calibration sheet printed on %1, each from 0 to its last mark, and type the lengths in millimetres.</source>
        <translation>Messen Sie die beiden Lineale auf dem Kalibrierungsblatt, das auf %1 gedruckt wurde, jeweils von 0 bis zum letzten Strich, und geben Sie die Längen in Millimetern ein.</translation>
    </message>
    <message>
        <source>Ruler &amp;across (%1 mm sent):</source>
        <translation>&amp;Waagerechtes Lineal (%L1 mm gesendet):</translation>
    </message>
    <message>
        <source>Ruler &amp;down (%1 mm sent):</source>
        <translation>&amp;Senkrechtes Lineal (%L1 mm gesendet):</translation>
    </message>
</context>
<context>
    <name>plakatron::frmHelp</name>
    <message>
        <source>%1 - Instructions</source>
        <translation>%1 – Anleitung</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Anleitung</translation>
    </message>
</context>
<context>
    <name>plakatron::frmMain</name>
    <message>
        <source>Preview:</source>
        <translation>Vorschau:</translation>
    </message>
    <message>
        <source>Preview, empty</source>
        <translation>Vorschau, leer</translation>
    </message>
    <message>
        <source>The instructions are missing: %1</source>
        <translation>Die Anleitung fehlt: %1</translation>
    </message>
    <message>
        <source>The print dialog chose %1 paper: the poster is now laid out for it. Check its size and pages, then print again.</source>
        <translation>Im Druckdialog wurde Papier %1 gewählt: Das Poster ist jetzt dafür eingerichtet. Prüfen Sie Größe und Seiten und drucken Sie dann erneut.</translation>
    </message>
    <message>
        <source>On the printer chosen in the print dialog the poster takes other pages. Check its size and pages, then print again.</source>
        <translation>Auf dem im Druckdialog gewählten Drucker belegt das Poster andere Seiten. Prüfen Sie Größe und Seiten und drucken Sie dann erneut.</translation>
    </message>
    <message>
        <source>&amp;Width in %1:</source>
        <translation>&amp;Breite in %1:</translation>
    </message>
    <message>
        <source>Height in %1:</source>
        <translation>Höhe in %1:</translation>
    </message>
    <message>
        <source>%1 &amp;X resolution:</source>
        <translation>%1-&amp;X-Auflösung:</translation>
    </message>
    <message>
        <source>Width in %1</source>
        <translation>Breite in %1</translation>
    </message>
    <message>
        <source>%1 X resolution</source>
        <translation>%1-X-Auflösung</translation>
    </message>
    <message>
        <source>The poster&apos;s height in %1 sheets</source>
        <translation>Die Höhe des Posters in %1-Blättern</translation>
    </message>
    <message>
        <source>Input here the width of the final image in %1 sheets</source>
        <translation>Geben Sie hier die Breite des fertigen Bildes in %1-Blättern ein</translation>
    </message>
    <message>
        <source>Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is interpolated while blowing it up. You can see the effect by inserting small values.</source>
        <translation>Pixelauflösung einer %1-Druckseite in der Breite. Legt fest, wie glatt das Bild beim Vergrößern interpoliert wird. Die Wirkung sehen Sie, wenn Sie kleine Werte eingeben.</translation>
    </message>
    <message>
        <source>Preview: (page %1)</source>
        <translation>Vorschau: (Seite %1)</translation>
    </message>
    <message>
        <source>Preview of page %1</source>
        <translation>Vorschau von Seite %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>The page of the PDF the poster is made from, of %1</source>
        <translation>Die Seite des PDF, aus der das Poster entsteht, von %1</translation>
    </message>
    <message>
        <source>Source Picture:</source>
        <translation>Quellbild:</translation>
    </message>
    <message>
        <source>The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in the preview, the Menu key opens the print menu.</source>
        <translation>Das Bild mit seinen Seiten. Pfeiltasten, Pos1 und Ende wählen eine Seite, Eingabe oder Leertaste zeigen sie in der Vorschau, die Menütaste öffnet das Druckmenü.</translation>
    </message>
    <message>
        <source>P&amp;DF page:</source>
        <translation>PDF-S&amp;eite:</translation>
    </message>
    <message>
        <source>PDF page</source>
        <translation>PDF-Seite</translation>
    </message>
    <message>
        <source>The selected page as it will be printed. The Menu key opens the print menu.</source>
        <translation>Die ausgewählte Seite, wie sie gedruckt wird. Die Menütaste öffnet das Druckmenü.</translation>
    </message>
    <message>
        <source>Height in A4:</source>
        <translation>Höhe in A4:</translation>
    </message>
    <message>
        <source>Final image width:</source>
        <translation>Posterbreite:</translation>
    </message>
    <message>
        <source>Final image height:</source>
        <translation>Posterhöhe:</translation>
    </message>
    <message>
        <source>Total pages:</source>
        <translation>Seiten gesamt:</translation>
    </message>
    <message>
        <source>The poster&apos;s height in A4 sheets</source>
        <translation>Die Höhe des Posters in A4-Blättern</translation>
    </message>
    <message>
        <source>The printed poster&apos;s width, overlaps taken off</source>
        <translation>Die Breite des gedruckten Posters ohne Überlappungen</translation>
    </message>
    <message>
        <source>The printed poster&apos;s height, overlaps taken off</source>
        <translation>Die Höhe des gedruckten Posters ohne Überlappungen</translation>
    </message>
    <message>
        <source>The number of sheets the poster is printed on</source>
        <translation>Die Anzahl der Blätter, auf die das Poster gedruckt wird</translation>
    </message>
    <message>
        <source>&amp;Width in A4:</source>
        <translation>&amp;Breite in A4:</translation>
    </message>
    <message>
        <source>Width in A4</source>
        <translation>Breite in A4</translation>
    </message>
    <message>
        <source>A4 &amp;X resolution:</source>
        <translation>A4-&amp;X-Auflösung:</translation>
    </message>
    <message>
        <source>A4 X resolution</source>
        <translation>A4-X-Auflösung</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Papier:</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>The paper the poster is printed on, and which way it lies</source>
        <translation>Das Papier, auf das das Poster gedruckt wird, und wie es liegt</translation>
    </message>
    <message>
        <source>Poster &amp;size:</source>
        <translation>Poster&amp;größe:</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Postergröße</translation>
    </message>
    <message>
        <source>e.g. 150cm</source>
        <translation>z. B. 150cm</translation>
    </message>
    <message>
        <source>The finished poster&apos;s width (150cm, 1.5m, 60in) or height (40in high) in place of the sheets across; empty for the sheets from the list</source>
        <translation>Die Breite des fertigen Posters (150cm, 1,5m, 60in) oder seine Höhe („40in high“) statt der Blätter nebeneinander; leer für die Blätter aus der Liste</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Prints every page of the poster</source>
        <translation>Druckt alle Seiten des Posters</translation>
    </message>
    <message>
        <source>What the last print or drag did</source>
        <translation>Was der letzte Druck oder das letzte Ziehen bewirkt hat</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>Bild &amp;öffnen…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Print pa&amp;ge...</source>
        <translation>&amp;Seite drucken…</translation>
    </message>
    <message>
        <source>Print assembly &amp;map...</source>
        <translation>&amp;Montageplan drucken…</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet...</source>
        <translation>&amp;Kalibrierungsblatt drucken…</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Anleitung</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Print this picture...</source>
        <translation>Dieses Bild &amp;drucken…</translation>
    </message>
    <message>
        <source>Print resolution %1</source>
        <translation>Druckauflösung %1</translation>
    </message>
    <message>
        <source>The print&apos;s pixels per inch on the paper, and the picture&apos;s own, marked when it is blown up</source>
        <translation>Die Pixel pro Zoll des Drucks auf dem Papier und die des Bildes, markiert, wenn es hochskaliert wird</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSettings</name>
    <message>
        <source>Additional settings</source>
        <translation>Weitere Einstellungen</translation>
    </message>
    <message>
        <source>Image overlap (%)  in consecutive pages:</source>
        <translation>Bildüberlappung (%) benachbarter Seiten:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSplash</name>
    <message>
        <source>Sending cool poster-picture!</source>
        <translation>Hier kommt ein cooles Poster-Foto!</translation>
    </message>
    <message>
        <source>Make your walls sing with</source>
        <translation>Bringen Sie Ihre Wände zum Klingen mit</translation>
    </message>
    <message>
        <source>Poster printer software that simply kicks ass</source>
        <translation>Posterdruck-Software, die einfach rockt</translation>
    </message>
    <message>
        <source>Version %v</source>
        <translation>Version %v</translation>
    </message>
    <message>
        <source>Let us know!</source>
        <translation>Zeigen Sie es uns!</translation>
    </message>
    <message>
        <source>If you create a cool poster, please take a picture of it, and submit it to our gallery! - Send the attached picture to this email:</source>
        <translation>Wenn Sie ein cooles Poster gemacht haben, fotografieren Sie es und schicken Sie es für unsere Galerie! – Senden Sie das Foto als Anhang an diese Adresse:</translation>
    </message>
    <message>
        <source>Visit the Gallery</source>
        <translation>Zur Galerie</translation>
    </message>
    <message>
        <source>Visit software homepage</source>
        <translation>Zur Homepage</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Fenster schließen</translation>
    </message>
</context>
<context>
    <name>plakatron::frmWait</name>
    <message>
        <source>Processing - please wait</source>
        <translation>Bitte warten …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stops printing; nothing of the job is printed</source>
        <translation>Bricht das Drucken ab; vom Auftrag wird nichts gedruckt</translation>
    </message>
</context>
</TS>
