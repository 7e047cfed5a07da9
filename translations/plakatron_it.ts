<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>AssemblyMap</name>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 foglio, %5 pagina, sovrapposizione %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 fogli, %5 pagine, sovrapposizione %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 foglio %7, %5 pagina, sovrapposizione %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %</source>
        <translation>Poster %1 × %2: %3 × %4 fogli %7, %5 pagine, sovrapposizione %6%</translation>
    </message>
    <message>
        <source>The poster has no pages to show on an assembly map.</source>
        <translation>Il poster non ha pagine da mostrare in una mappa di montaggio.</translation>
    </message>
    <message>
        <source>The printable area of the sheet is too small for the assembly map.</source>
        <translation>L’area stampabile del foglio è troppo piccola per la mappa di montaggio.</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>The printable area of the sheet is too small for the calibration rulers.</source>
        <translation>L’area stampabile del foglio è troppo piccola per i righelli di calibrazione.</translation>
    </message>
    <message>
        <source>Calibration sheet for %1, %2

Measure each ruler from 0 to its last mark, to the half millimetre,
and type the two lengths where the program asks for them.

Across: %3 mm as sent to the printer
Down: %4 mm as sent to the printer</source>
        <translation>Foglio di calibrazione per %1, %2

Misurate ogni righello da 0 all’ultima tacca, al mezzo millimetro,
e digitate le due lunghezze quando il programma le chiede.

Orizzontale: %L3 mm inviati alla stampante
Verticale: %L4 mm inviati alla stampante</translation>
    </message>
</context>
<context>
    <name>DropRules</name>
    <message>
        <source>Only one picture file can be dropped</source>
        <translation>Si può rilasciare un solo file immagine</translation>
    </message>
    <message>
        <source>Not a picture this program reads: %1</source>
        <translation>Non è un’immagine che questo programma sa leggere: %1</translation>
    </message>
    <message>
        <source>File format not supported!</source>
        <translation>Formato di file non supportato!</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error: %1 %2</source>
        <translation>Errore: %1 %2</translation>
    </message>
    <message>
        <source>Code %1</source>
        <translation>Codice %1</translation>
    </message>
</context>
<context>
    <name>OpenPicture</name>
    <message>
        <source>Open Picture</source>
        <translation>Apri immagine</translation>
    </message>
    <message>
        <source>Unable to load picture &apos;%1&apos;</source>
        <translation>Impossibile caricare l’immagine «%1»</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>Impossibile scrivere «%1»: %2</translation>
    </message>
</context>
<context>
    <name>PageGeometry</name>
    <message>
        <source>p.%1 put %2 below</source>
        <translation>p.%1, sotto %2</translation>
    </message>
    <message>
        <source>%1 put %2 next</source>
        <translation>%1, accanto %2</translation>
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
            <numerusform>%n pagine</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture sharp at any size</source>
        <translation>%1 ppi su %2, immagine nitida a ogni dimensione</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi (blown up)</source>
        <translation>%1 ppi su %2, immagine %3 ppi (ingrandita)</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi</source>
        <translation>%1 ppi su %2, immagine %3 ppi</translation>
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
        <translation>Immagine sorgente: nessuna pagina</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, page %3 selected</source>
        <translation>Immagine sorgente: %1 × %2 pagina, pagina %3 selezionata</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, page %3 selected</source>
        <translation>Immagine sorgente: %1 × %2 pagine, pagina %3 selezionata</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, no page selected</source>
        <translation>Immagine sorgente: %1 × %2 pagina, nessuna pagina selezionata</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, no page selected</source>
        <translation>Immagine sorgente: %1 × %2 pagine, nessuna pagina selezionata</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 landscape</source>
        <translation>%1 orizzontale</translation>
    </message>
    <message>
        <source>%1 portrait</source>
        <translation>%1 verticale</translation>
    </message>
</context>
<context>
    <name>PictureTypes</name>
    <message>
        <source>Supported formats</source>
        <translation>Formati supportati</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tutti i file</translation>
    </message>
</context>
<context>
    <name>Poster</name>
    <message>
        <source>%1 wide</source>
        <translation>largo %1</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>alto %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high.</source>
        <translation>«%1» non è una dimensione di poster: indicate un numero e un’unità (mm, cm, m o in), per esempio 150cm, 1,5m o 40in high.</translation>
    </message>
    <message>
        <source>A ruler that measures %1 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25.</source>
        <translation>Un righello che misura %L1 volte la sua lunghezza è un errore di lettura, non una stampante: una calibrazione sta tra 0,8 e 1,25.</translation>
    </message>
    <message>
        <source>A poster %1 cannot be printed: give a size above 0.</source>
        <translation>Un poster %1 non si può stampare: indicate una dimensione maggiore di 0.</translation>
    </message>
    <message>
        <source>A poster %1 needs more pages than a print job holds (%2).</source>
        <translation>Un poster %1 richiede più pagine di quante ne contenga un lavoro di stampa (%2).</translation>
    </message>
    <message>
        <source>A poster %1 needs more than 40 sheets of %2 across, the most a poster has.</source>
        <translation>Un poster %1 richiede più di 40 fogli %2 in larghezza, il massimo per un poster.</translation>
    </message>
    <message>
        <source>The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.</source>
        <translation>L’immagine è troppo piccola per un poster %1: un foglio ne mostrerebbe meno di 10 pixel.</translation>
    </message>
    <message>
        <source>A poster %1 needs %2 pages, more than a print job holds (%3).</source>
        <translation>Un poster %1 richiede %2 pagine, più di quante ne contenga un lavoro di stampa (%3).</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>printed to %1</source>
        <translation>stampa su %1</translation>
    </message>
    <message>
        <source>sent to %1</source>
        <translation>invio a %1</translation>
    </message>
    <message>
        <source>Printing cancelled: nothing was printed</source>
        <translation>Stampa annullata: non è stato stampato nulla</translation>
    </message>
    <message>
        <source>Printing failed</source>
        <translation>Stampa non riuscita</translation>
    </message>
    <message>
        <source>Printing the poster</source>
        <translation>Stampa del poster</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>Non è stato stampato nulla</translation>
    </message>
    <message>
        <source>1 page %1</source>
        <translation>1 pagina: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n pages %1</source>
        <translation>
            <numerusform>%n pagina: %1</numerusform>
            <numerusform>%n pagine: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Printing the assembly map</source>
        <translation>Stampa della mappa di montaggio</translation>
    </message>
    <message>
        <source>Assembly map %1</source>
        <translation>Mappa di montaggio: %1</translation>
    </message>
    <message>
        <source>Printing the calibration sheet</source>
        <translation>Stampa del foglio di calibrazione</translation>
    </message>
    <message>
        <source>Calibration sheet %1</source>
        <translation>Foglio di calibrazione: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a length in millimetres.</source>
        <translation>«%1» non è una lunghezza in millimetri.</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>1 page holds nothing of the picture and is not printed.</source>
        <translation>1 pagina non contiene nulla dell’immagine e non viene stampata.</translation>
    </message>
    <message numerus="yes">
        <source>%n pages hold nothing of the picture and are not printed.</source>
        <translation>
            <numerusform>%n pagina non contiene nulla dell’immagine e non viene stampata.</numerusform>
            <numerusform>%n pagine non contengono nulla dell’immagine e non vengono stampate.</numerusform>
        </translation>
    </message>
    <message>
        <source>The page chosen holds nothing of the picture: there is nothing to print.</source>
        <translation>La pagina scelta non contiene nulla dell’immagine: non c’è nulla da stampare.</translation>
    </message>
    <message numerus="yes">
        <source>The %n pages chosen hold nothing of the picture: there is nothing to print.</source>
        <translation>
            <numerusform>La %n pagina scelta non contiene nulla dell’immagine: non c’è nulla da stampare.</numerusform>
            <numerusform>Le %n pagine scelte non contengono nulla dell’immagine: non c’è nulla da stampare.</numerusform>
        </translation>
    </message>
    <message>
        <source>Are you sure you want to print the %1 pages?</source>
        <translation>Stampare davvero le %1 pagine?</translation>
    </message>
    <message>
        <source>Printing page %1/%2</source>
        <translation>Stampa della pagina %1/%2</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Stampa della pagina %1</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chiamata di routine o argomento non validi</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria esaurita</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Indice non compreso nell’intervallo</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Divisione per zero</translation>
    </message>
    <message>
        <source>User interrupt occurred</source>
        <translation>Interruzione da parte dell’utente</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Tipo non corrispondente</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Nome o numero di file non valido</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>File non trovato</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Errore di I/O della periferica</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco pieno</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lettura oltre la fine del file</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permesso negato</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Errore di accesso al percorso o al file</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Percorso non trovato</translation>
    </message>
    <message>
        <source>Object variable or With block variable not set</source>
        <translation>Variabile oggetto o variabile del blocco With non impostata</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valore di proprietà non valido</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Immagine non valida</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Errore della stampante</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Errore definito dall’applicazione o dall’oggetto</translation>
    </message>
</context>
<context>
    <name>plakatron::frmCalibrate</name>
    <message>
        <source>Printer calibration</source>
        <translation>Calibrazione della stampante</translation>
    </message>
    <message>
        <source>Measure the two rulers on the calibration sheet printed on %1, each from 0 to its last mark, and type the lengths in millimetres.</source>
        <translation>Misurate i due righelli del foglio di calibrazione stampato su %1, ciascuno da 0 all’ultima tacca, e digitate le lunghezze in millimetri.</translation>
    </message>
    <message>
        <source>Ruler &amp;across (%1 mm sent):</source>
        <translation>Righello &amp;orizzontale (%L1 mm inviati):</translation>
    </message>
    <message>
        <source>Ruler &amp;down (%1 mm sent):</source>
        <translation>Righello &amp;verticale (%L1 mm inviati):</translation>
    </message>
</context>
<context>
    <name>plakatron::frmHelp</name>
    <message>
        <source>%1 - Instructions</source>
        <translation>%1 – Istruzioni</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Istruzioni</translation>
    </message>
</context>
<context>
    <name>plakatron::frmMain</name>
    <message>
        <source>Preview:</source>
        <translation>Anteprima:</translation>
    </message>
    <message>
        <source>Preview, empty</source>
        <translation>Anteprima, vuota</translation>
    </message>
    <message>
        <source>The instructions are missing: %1</source>
        <translation>Mancano le istruzioni: %1</translation>
    </message>
    <message>
        <source>The print dialog chose %1 paper: the poster is now laid out for it. Check its size and pages, then print again.</source>
        <translation>Nella finestra di stampa è stata scelta la carta %1: ora il poster è impaginato per essa. Controllate dimensioni e pagine, poi stampate di nuovo.</translation>
    </message>
    <message>
        <source>On the printer chosen in the print dialog the poster takes other pages. Check its size and pages, then print again.</source>
        <translation>Sulla stampante scelta nella finestra di stampa il poster occupa altre pagine. Controllate dimensioni e pagine, poi stampate di nuovo.</translation>
    </message>
    <message>
        <source>&amp;Width in %1:</source>
        <translation>&amp;Larghezza in %1:</translation>
    </message>
    <message>
        <source>Height in %1:</source>
        <translation>Altezza in %1:</translation>
    </message>
    <message>
        <source>%1 &amp;X resolution:</source>
        <translation>Risoluzione &amp;X %1:</translation>
    </message>
    <message>
        <source>Width in %1</source>
        <translation>Larghezza in %1</translation>
    </message>
    <message>
        <source>%1 X resolution</source>
        <translation>Risoluzione X %1</translation>
    </message>
    <message>
        <source>The poster&apos;s height in %1 sheets</source>
        <translation>L’altezza del poster in fogli %1</translation>
    </message>
    <message>
        <source>Input here the width of the final image in %1 sheets</source>
        <translation>Indicate qui la larghezza dell’immagine finale in fogli %1</translation>
    </message>
    <message>
        <source>Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is interpolated while blowing it up. You can see the effect by inserting small values.</source>
        <translation>Risoluzione in pixel di una pagina %1 stampata, in larghezza. Definisce quanto l’immagine viene interpolata in modo uniforme durante l’ingrandimento. L’effetto si vede inserendo valori piccoli.</translation>
    </message>
    <message>
        <source>Preview: (page %1)</source>
        <translation>Anteprima: (pagina %1)</translation>
    </message>
    <message>
        <source>Preview of page %1</source>
        <translation>Anteprima della pagina %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>di %1</translation>
    </message>
    <message>
        <source>The page of the PDF the poster is made from, of %1</source>
        <translation>La pagina del PDF da cui nasce il poster, di %1</translation>
    </message>
    <message>
        <source>Source Picture:</source>
        <translation>Immagine sorgente:</translation>
    </message>
    <message>
        <source>The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in the preview, the Menu key opens the print menu.</source>
        <translation>L’immagine con le sue pagine. Frecce, Home e Fine scelgono una pagina, Invio o Spazio la mostrano nell’anteprima, il tasto Menu apre il menu di stampa.</translation>
    </message>
    <message>
        <source>P&amp;DF page:</source>
        <translation>Pagina P&amp;DF:</translation>
    </message>
    <message>
        <source>PDF page</source>
        <translation>Pagina PDF</translation>
    </message>
    <message>
        <source>The selected page as it will be printed. The Menu key opens the print menu.</source>
        <translation>La pagina selezionata come verrà stampata. Il tasto Menu apre il menu di stampa.</translation>
    </message>
    <message>
        <source>Height in A4:</source>
        <translation>Altezza in A4:</translation>
    </message>
    <message>
        <source>Final image width:</source>
        <translation>Larghezza finale:</translation>
    </message>
    <message>
        <source>Final image height:</source>
        <translation>Altezza finale:</translation>
    </message>
    <message>
        <source>Total pages:</source>
        <translation>Pagine totali:</translation>
    </message>
    <message>
        <source>The poster&apos;s height in A4 sheets</source>
        <translation>L’altezza del poster in fogli A4</translation>
    </message>
    <message>
        <source>The printed poster&apos;s width, overlaps taken off</source>
        <translation>La larghezza del poster stampato, tolte le sovrapposizioni</translation>
    </message>
    <message>
        <source>The printed poster&apos;s height, overlaps taken off</source>
        <translation>L’altezza del poster stampato, tolte le sovrapposizioni</translation>
    </message>
    <message>
        <source>The number of sheets the poster is printed on</source>
        <translation>Il numero di fogli su cui viene stampato il poster</translation>
    </message>
    <message>
        <source>&amp;Width in A4:</source>
        <translation>&amp;Larghezza in A4:</translation>
    </message>
    <message>
        <source>Width in A4</source>
        <translation>Larghezza in A4</translation>
    </message>
    <message>
        <source>A4 &amp;X resolution:</source>
        <translation>Risoluzione &amp;X A4:</translation>
    </message>
    <message>
        <source>A4 X resolution</source>
        <translation>Risoluzione X A4</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Carta:</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Carta</translation>
    </message>
    <message>
        <source>The paper the poster is printed on, and which way it lies</source>
        <translation>La carta su cui viene stampato il poster e il suo orientamento</translation>
    </message>
    <message>
        <source>Poster &amp;size:</source>
        <translation>Dimensioni p&amp;oster:</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Dimensioni poster</translation>
    </message>
    <message>
        <source>e.g. 150cm</source>
        <translation>es. 150cm</translation>
    </message>
    <message>
        <source>The finished poster&apos;s width (150cm, 1.5m, 60in) or height (40in high) in place of the sheets across; empty for the sheets from the list</source>
        <translation>La larghezza del poster finito (150cm, 1,5m, 60in) o la sua altezza («40in high») al posto dei fogli in larghezza; vuoto per i fogli dell’elenco</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Stampa</translation>
    </message>
    <message>
        <source>Prints every page of the poster</source>
        <translation>Stampa tutte le pagine del poster</translation>
    </message>
    <message>
        <source>What the last print or drag did</source>
        <translation>L’esito dell’ultima stampa o dell’ultimo trascinamento</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>&amp;Apri immagine…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Stampa</translation>
    </message>
    <message>
        <source>Print pa&amp;ge...</source>
        <translation>Stampa &amp;pagina…</translation>
    </message>
    <message>
        <source>Print assembly &amp;map...</source>
        <translation>Stampa &amp;mappa di montaggio…</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Impostazioni</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet...</source>
        <translation>Stampa foglio di &amp;calibrazione…</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>Istr&amp;uzioni</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>I&amp;nformazioni</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>&amp;Print this picture...</source>
        <translation>&amp;Stampa questa immagine…</translation>
    </message>
    <message>
        <source>Print resolution %1</source>
        <translation>Risoluzione di stampa %1</translation>
    </message>
    <message>
        <source>The print&apos;s pixels per inch on the paper, and the picture&apos;s own, marked when it is blown up</source>
        <translation>I pixel per pollice della stampa sulla carta e quelli dell’immagine, segnalati quando viene ingrandita</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSettings</name>
    <message>
        <source>Additional settings</source>
        <translation>Altre impostazioni</translation>
    </message>
    <message>
        <source>Image overlap (%)  in consecutive pages:</source>
        <translation>Sovrapposizione immagine (%) tra pagine vicine:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Chiudi</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSplash</name>
    <message>
        <source>Sending cool poster-picture!</source>
        <translation>Ecco la foto di un poster fantastico!</translation>
    </message>
    <message>
        <source>Make your walls sing with</source>
        <translation>Fate cantare le vostre pareti con</translation>
    </message>
    <message>
        <source>Poster printer software that simply kicks ass</source>
        <translation>Il programma per stampare poster che spacca</translation>
    </message>
    <message>
        <source>Version %v</source>
        <translation>Versione %v</translation>
    </message>
    <message>
        <source>Let us know!</source>
        <translation>Fatecelo sapere!</translation>
    </message>
    <message>
        <source>If you create a cool poster, please take a picture of it, and submit it to our gallery! - Send the attached picture to this email:</source>
        <translation>Se create un poster fantastico, fotografatelo e proponetelo per la nostra galleria! – Inviate la foto allegata a questo indirizzo:</translation>
    </message>
    <message>
        <source>Visit the Gallery</source>
        <translation>Visita la galleria</translation>
    </message>
    <message>
        <source>Visit software homepage</source>
        <translation>Sito del programma</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Chiudi questa finestra</translation>
    </message>
</context>
<context>
    <name>plakatron::frmWait</name>
    <message>
        <source>Processing - please wait</source>
        <translation>Elaborazione – attendere</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>Stops printing; nothing of the job is printed</source>
        <translation>Interrompe la stampa; non viene stampato nulla del lavoro</translation>
    </message>
</context>
</TS>
