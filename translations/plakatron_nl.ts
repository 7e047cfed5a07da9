<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>AssemblyMap</name>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 vel, %5 pagina, overlap %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 vellen, %5 pagina’s, overlap %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 vel %7, %5 pagina, overlap %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 vellen %7, %5 pagina’s, overlap %6%</translation>
    </message>
    <message>
        <source>The poster has no pages to show on an assembly map.</source>
        <translation>De poster heeft geen pagina’s om op een montageplan te tonen.</translation>
    </message>
    <message>
        <source>The printable area of the sheet is too small for the assembly map.</source>
        <translation>Het afdrukbare gebied van het vel is te klein voor het montageplan.</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>The printable area of the sheet is too small for the calibration rulers.</source>
        <translation>Het afdrukbare gebied van het vel is te klein voor de kalibratielinialen.</translation>
    </message>
    <message>
        <source>Calibration sheet for %1, %2

Measure each ruler from 0 to its last mark, to the half millimetre,
and type the two lengths where the program asks for them.

Across: %3 mm as sent to the printer
Down: %4 mm as sent to the printer</source>
        <translation>Kalibratievel voor %1, %2

Meet elke liniaal van 0 tot de laatste streep, op een halve millimeter nauwkeurig,
en typ de twee lengtes in wanneer het programma erom vraagt.

Horizontaal: %L3 mm zoals naar de printer gestuurd
Verticaal: %L4 mm zoals naar de printer gestuurd</translation>
    </message>
</context>
<context>
    <name>DropRules</name>
    <message>
        <source>Only one picture file can be dropped</source>
        <translation>Er kan maar één afbeeldingsbestand worden neergezet</translation>
    </message>
    <message>
        <source>Not a picture this program reads: %1</source>
        <translation>Geen afbeelding die dit programma kan lezen: %1</translation>
    </message>
    <message>
        <source>File format not supported!</source>
        <translation>Bestandsformaat wordt niet ondersteund!</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error: %1 %2</source>
        <translation>Fout: %1 %2</translation>
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
        <translation>Afbeelding openen</translation>
    </message>
    <message>
        <source>Unable to load picture &apos;%1&apos;</source>
        <translation>Kan afbeelding ‘%1’ niet laden</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>Kan ‘%1’ niet schrijven: %2</translation>
    </message>
</context>
<context>
    <name>PageGeometry</name>
    <message>
        <source>p.%1 put %2 below</source>
        <translation>p.%1, eronder %2</translation>
    </message>
    <message>
        <source>%1 put %2 next</source>
        <translation>%1, ernaast %2</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>1 page</source>
        <translation>1 pagina</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n pagina</numerusform>
            <numerusform>%n pagina’s</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture sharp at any size</source>
        <translation>%1 ppi op %2, afbeelding scherp op elk formaat</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi (blown up)</source>
        <translation>%1 ppi op %2, afbeelding %3 ppi (vergroot)</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi</source>
        <translation>%1 ppi op %2, afbeelding %3 ppi</translation>
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
        <translation>Bronafbeelding: geen pagina’s</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, page %3 selected</source>
        <translation>Bronafbeelding: %1 × %2 pagina, pagina %3 geselecteerd</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, page %3 selected</source>
        <translation>Bronafbeelding: %1 × %2 pagina’s, pagina %3 geselecteerd</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, no page selected</source>
        <translation>Bronafbeelding: %1 × %2 pagina, geen pagina geselecteerd</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, no page selected</source>
        <translation>Bronafbeelding: %1 × %2 pagina’s, geen pagina geselecteerd</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 landscape</source>
        <translation>%1 liggend</translation>
    </message>
    <message>
        <source>%1 portrait</source>
        <translation>%1 staand</translation>
    </message>
</context>
<context>
    <name>PictureTypes</name>
    <message>
        <source>Supported formats</source>
        <translation>Ondersteunde formaten</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle bestanden</translation>
    </message>
</context>
<context>
    <name>Poster</name>
    <message>
        <source>%1 wide</source>
        <translation>van %1 breed</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>van %1 hoog</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high.</source>
        <translation>‘%1’ is geen postergrootte: geef een getal en een eenheid (mm, cm, m of in), zoals 150cm, 1,5m of 40in high.</translation>
    </message>
    <message>
        <source>A ruler that measures %1 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25.</source>
        <translation>Een liniaal die %L1 keer zijn lengte meet, is verkeerd afgelezen en geen printer: een kalibratie ligt tussen 0,8 en 1,25.</translation>
    </message>
    <message>
        <source>A poster %1 cannot be printed: give a size above 0.</source>
        <translation>Een poster %1 kan niet worden afgedrukt: geef een grootte boven 0.</translation>
    </message>
    <message>
        <source>A poster %1 needs more pages than a print job holds (%2).</source>
        <translation>Een poster %1 heeft meer pagina’s nodig dan een afdruktaak bevat (%2).</translation>
    </message>
    <message>
        <source>A poster %1 needs more than 40 sheets of %2 across, the most a poster has.</source>
        <translation>Een poster %1 heeft meer dan 40 vellen %2 naast elkaar nodig, het maximum voor een poster.</translation>
    </message>
    <message>
        <source>The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.</source>
        <translation>De afbeelding is te klein voor een poster %1: een vel zou minder dan 10 van haar pixels tonen.</translation>
    </message>
    <message>
        <source>A poster %1 needs %2 pages, more than a print job holds (%3).</source>
        <translation>Een poster %1 heeft %2 pagina’s nodig, meer dan een afdruktaak bevat (%3).</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>printed to %1</source>
        <translation>afgedrukt naar %1</translation>
    </message>
    <message>
        <source>sent to %1</source>
        <translation>verzonden naar %1</translation>
    </message>
    <message>
        <source>Printing cancelled: nothing was printed</source>
        <translation>Afdrukken geannuleerd: er is niets afgedrukt</translation>
    </message>
    <message>
        <source>Printing failed</source>
        <translation>Afdrukken mislukt</translation>
    </message>
    <message>
        <source>Printing the poster</source>
        <translation>De poster wordt afgedrukt</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>Er is niets afgedrukt</translation>
    </message>
    <message>
        <source>1 page %1</source>
        <translation>1 pagina %1</translation>
    </message>
    <message numerus="yes">
        <source>%n pages %1</source>
        <translation>
            <numerusform>%n pagina %1</numerusform>
            <numerusform>%n pagina’s %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Printing the assembly map</source>
        <translation>Het montageplan wordt afgedrukt</translation>
    </message>
    <message>
        <source>Assembly map %1</source>
        <translation>Montageplan %1</translation>
    </message>
    <message>
        <source>Printing the calibration sheet</source>
        <translation>Het kalibratievel wordt afgedrukt</translation>
    </message>
    <message>
        <source>Calibration sheet %1</source>
        <translation>Kalibratievel %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a length in millimetres.</source>
        <translation>‘%1’ is geen lengte in millimeters.</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>1 page holds nothing of the picture and is not printed.</source>
        <translation>1 pagina bevat niets van de afbeelding en wordt niet afgedrukt.</translation>
    </message>
    <message numerus="yes">
        <source>%n pages hold nothing of the picture and are not printed.</source>
        <translation>
            <numerusform>%n pagina bevat niets van de afbeelding en wordt niet afgedrukt.</numerusform>
            <numerusform>%n pagina’s bevatten niets van de afbeelding en worden niet afgedrukt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The page chosen holds nothing of the picture: there is nothing to print.</source>
        <translation>De gekozen pagina bevat niets van de afbeelding: er is niets af te drukken.</translation>
    </message>
    <message numerus="yes">
        <source>The %n pages chosen hold nothing of the picture: there is nothing to print.</source>
        <translation>
            <numerusform>De %n gekozen pagina bevat niets van de afbeelding: er is niets af te drukken.</numerusform>
            <numerusform>De %n gekozen pagina’s bevatten niets van de afbeelding: er is niets af te drukken.</numerusform>
        </translation>
    </message>
    <message>
        <source>Are you sure you want to print the %1 pages?</source>
        <translation>Weet u zeker dat u de %1 pagina’s wilt afdrukken?</translation>
    </message>
    <message>
        <source>Printing page %1/%2</source>
        <translation>Pagina %1/%2 wordt afgedrukt</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Pagina %1 wordt afgedrukt</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ongeldige procedureaanroep of ongeldig argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overloop</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Onvoldoende geheugen</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index valt buiten het bereik</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Deling door nul</translation>
    </message>
    <message>
        <source>User interrupt occurred</source>
        <translation>Onderbroken door de gebruiker</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen komen niet overeen</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Ongeldige bestandsnaam of ongeldig bestandsnummer</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Bestand niet gevonden</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>I/O-fout van apparaat</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Schijf vol</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lezen voorbij het einde van het bestand</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Toegang geweigerd</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fout bij toegang tot pad of bestand</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pad niet gevonden</translation>
    </message>
    <message>
        <source>Object variable or With block variable not set</source>
        <translation>Objectvariabele of With-blokvariabele is niet ingesteld</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ongeldige eigenschapswaarde</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ongeldige afbeelding</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Printerfout</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Door toepassing of object gedefinieerde fout</translation>
    </message>
</context>
<context>
    <name>plakatron::frmCalibrate</name>
    <message>
        <source>Printer calibration</source>
        <translation>Printerkalibratie</translation>
    </message>
    <message>
        <source>Measure the two rulers on the calibration sheet printed on %1, each from 0 to its last mark, and type the lengths in millimetres.</source>
        <translation>Meet de twee linialen op het kalibratievel dat op %1 is afgedrukt, elk van 0 tot de laatste streep, en typ de lengtes in millimeters.</translation>
    </message>
    <message>
        <source>Ruler &amp;across (%1 mm sent):</source>
        <translation>&amp;Horizontale liniaal (%L1 mm gestuurd):</translation>
    </message>
    <message>
        <source>Ruler &amp;down (%1 mm sent):</source>
        <translation>&amp;Verticale liniaal (%L1 mm gestuurd):</translation>
    </message>
</context>
<context>
    <name>plakatron::frmHelp</name>
    <message>
        <source>%1 - Instructions</source>
        <translation>%1 – Handleiding</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Handleiding</translation>
    </message>
</context>
<context>
    <name>plakatron::frmMain</name>
    <message>
        <source>Preview:</source>
        <translation>Voorbeeld:</translation>
    </message>
    <message>
        <source>Preview, empty</source>
        <translation>Voorbeeld, leeg</translation>
    </message>
    <message>
        <source>The instructions are missing: %1</source>
        <translation>De handleiding ontbreekt: %1</translation>
    </message>
    <message>
        <source>The print dialog chose %1 paper: the poster is now laid out for it. Check its size and pages, then print again.</source>
        <translation>In het afdrukvenster is papier %1 gekozen: de poster is er nu voor ingedeeld. Controleer de grootte en de pagina’s en druk daarna opnieuw af.</translation>
    </message>
    <message>
        <source>On the printer chosen in the print dialog the poster takes other pages. Check its size and pages, then print again.</source>
        <translation>Op de printer die in het afdrukvenster is gekozen, beslaat de poster andere pagina’s. Controleer de grootte en de pagina’s en druk daarna opnieuw af.</translation>
    </message>
    <message>
        <source>&amp;Width in %1:</source>
        <translation>Br&amp;eedte in %1:</translation>
    </message>
    <message>
        <source>Height in %1:</source>
        <translation>Hoogte in %1:</translation>
    </message>
    <message>
        <source>%1 &amp;X resolution:</source>
        <translation>%1-&amp;X-resolutie:</translation>
    </message>
    <message>
        <source>Width in %1</source>
        <translation>Breedte in %1</translation>
    </message>
    <message>
        <source>%1 X resolution</source>
        <translation>%1-X-resolutie</translation>
    </message>
    <message>
        <source>The poster&apos;s height in %1 sheets</source>
        <translation>De hoogte van de poster in %1-vellen</translation>
    </message>
    <message>
        <source>Input here the width of the final image in %1 sheets</source>
        <translation>Geef hier de breedte van de uiteindelijke afbeelding op in %1-vellen</translation>
    </message>
    <message>
        <source>Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is interpolated while blowing it up. You can see the effect by inserting small values.</source>
        <translation>Pixelresolutie van één afgedrukte %1-pagina in de breedte. Bepaalt hoe vloeiend de afbeelding bij het vergroten wordt geïnterpoleerd. Het effect ziet u door kleine waarden in te voeren.</translation>
    </message>
    <message>
        <source>Preview: (page %1)</source>
        <translation>Voorbeeld: (pagina %1)</translation>
    </message>
    <message>
        <source>Preview of page %1</source>
        <translation>Voorbeeld van pagina %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>van %1</translation>
    </message>
    <message>
        <source>The page of the PDF the poster is made from, of %1</source>
        <translation>De pagina van de pdf waarvan de poster gemaakt wordt, van %1</translation>
    </message>
    <message>
        <source>Source Picture:</source>
        <translation>Bronafbeelding:</translation>
    </message>
    <message>
        <source>The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in the preview, the Menu key opens the print menu.</source>
        <translation>De afbeelding met haar pagina’s. Pijltoetsen, Home en End kiezen een pagina, Enter of spatie toont die in het voorbeeld, de menutoets opent het afdrukmenu.</translation>
    </message>
    <message>
        <source>P&amp;DF page:</source>
        <translation>P&amp;DF-pagina:</translation>
    </message>
    <message>
        <source>PDF page</source>
        <translation>Pdf-pagina</translation>
    </message>
    <message>
        <source>The selected page as it will be printed. The Menu key opens the print menu.</source>
        <translation>De geselecteerde pagina zoals die wordt afgedrukt. De menutoets opent het afdrukmenu.</translation>
    </message>
    <message>
        <source>Height in A4:</source>
        <translation>Hoogte in A4:</translation>
    </message>
    <message>
        <source>Final image width:</source>
        <translation>Uiteindelijke breedte:</translation>
    </message>
    <message>
        <source>Final image height:</source>
        <translation>Uiteindelijke hoogte:</translation>
    </message>
    <message>
        <source>Total pages:</source>
        <translation>Aantal pagina’s:</translation>
    </message>
    <message>
        <source>The poster&apos;s height in A4 sheets</source>
        <translation>De hoogte van de poster in A4-vellen</translation>
    </message>
    <message>
        <source>The printed poster&apos;s width, overlaps taken off</source>
        <translation>De breedte van de afgedrukte poster, zonder overlappingen</translation>
    </message>
    <message>
        <source>The printed poster&apos;s height, overlaps taken off</source>
        <translation>De hoogte van de afgedrukte poster, zonder overlappingen</translation>
    </message>
    <message>
        <source>The number of sheets the poster is printed on</source>
        <translation>Het aantal vellen waarop de poster wordt afgedrukt</translation>
    </message>
    <message>
        <source>&amp;Width in A4:</source>
        <translation>Br&amp;eedte in A4:</translation>
    </message>
    <message>
        <source>Width in A4</source>
        <translation>Breedte in A4</translation>
    </message>
    <message>
        <source>A4 &amp;X resolution:</source>
        <translation>A4-&amp;X-resolutie:</translation>
    </message>
    <message>
        <source>A4 X resolution</source>
        <translation>A4-X-resolutie</translation>
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
        <translation>Het papier waarop de poster wordt afgedrukt, en hoe het ligt</translation>
    </message>
    <message>
        <source>Poster &amp;size:</source>
        <translation>Poster&amp;formaat:</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Posterformaat</translation>
    </message>
    <message>
        <source>e.g. 150cm</source>
        <translation>bijv. 150cm</translation>
    </message>
    <message>
        <source>The finished poster&apos;s width (150cm, 1.5m, 60in) or height (40in high) in place of the sheets across; empty for the sheets from the list</source>
        <translation>De breedte van de afgewerkte poster (150cm, 1,5m, 60in) of de hoogte (‘40in high’) in plaats van de vellen naast elkaar; leeg voor de vellen uit de lijst</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Afdrukken</translation>
    </message>
    <message>
        <source>Prints every page of the poster</source>
        <translation>Drukt alle pagina’s van de poster af</translation>
    </message>
    <message>
        <source>What the last print or drag did</source>
        <translation>Wat de laatste afdruk of sleepactie deed</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>Afbeelding ope&amp;nen…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Afdrukken</translation>
    </message>
    <message>
        <source>Print pa&amp;ge...</source>
        <translation>&amp;Pagina afdrukken…</translation>
    </message>
    <message>
        <source>Print assembly &amp;map...</source>
        <translation>&amp;Montageplan afdrukken…</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Instellingen</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet...</source>
        <translation>&amp;Kalibratievel afdrukken…</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Handleiding</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Over</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>A&amp;fsluiten</translation>
    </message>
    <message>
        <source>&amp;Print this picture...</source>
        <translation>Deze afbeelding &amp;afdrukken…</translation>
    </message>
    <message>
        <source>Print resolution %1</source>
        <translation>Afdrukresolutie %1</translation>
    </message>
    <message>
        <source>The print&apos;s pixels per inch on the paper, and the picture&apos;s own, marked when it is blown up</source>
        <translation>De pixels per inch van de afdruk op het papier en die van de afbeelding, gemarkeerd als die wordt vergroot</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSettings</name>
    <message>
        <source>Additional settings</source>
        <translation>Extra instellingen</translation>
    </message>
    <message>
        <source>Image overlap (%)  in consecutive pages:</source>
        <translation>Overlapping (%) tussen opeenvolgende pagina’s:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSplash</name>
    <message>
        <source>Sending cool poster-picture!</source>
        <translation>Hier is een foto van een gave poster!</translation>
    </message>
    <message>
        <source>Make your walls sing with</source>
        <translation>Laat uw muren zingen met</translation>
    </message>
    <message>
        <source>Poster printer software that simply kicks ass</source>
        <translation>Posterafdruksoftware die gewoon keihard rockt</translation>
    </message>
    <message>
        <source>Version %v</source>
        <translation>Versie %v</translation>
    </message>
    <message>
        <source>Let us know!</source>
        <translation>Laat het ons zien!</translation>
    </message>
    <message>
        <source>If you create a cool poster, please take a picture of it, and submit it to our gallery! - Send the attached picture to this email:</source>
        <translation>Hebt u een gave poster gemaakt? Maak er een foto van en stuur die in voor onze galerie! – Stuur de foto als bijlage naar dit adres:</translation>
    </message>
    <message>
        <source>Visit the Gallery</source>
        <translation>Naar de galerie</translation>
    </message>
    <message>
        <source>Visit software homepage</source>
        <translation>Naar de website</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Dit venster sluiten</translation>
    </message>
</context>
<context>
    <name>plakatron::frmWait</name>
    <message>
        <source>Processing - please wait</source>
        <translation>Bezig – even geduld</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Stops printing; nothing of the job is printed</source>
        <translation>Stopt het afdrukken; van de taak wordt niets afgedrukt</translation>
    </message>
</context>
</TS>
