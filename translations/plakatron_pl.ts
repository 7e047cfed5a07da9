<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>AssemblyMap</name>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %</source>
        <translation>Plakat %1 × %2: arkusze %3 × %4, stron: %5, zakładka %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %</source>
        <translation>Plakat %1 × %2: arkusze %3 × %4, stron: %5, zakładka %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %</source>
        <translation>Plakat %1 × %2: arkusze %7 %3 × %4, stron: %5, zakładka %6%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %</source>
        <translation>Plakat %1 × %2: arkusze %7 %3 × %4, stron: %5, zakładka %6%</translation>
    </message>
    <message>
        <source>The poster has no pages to show on an assembly map.</source>
        <translation>Plakat nie ma stron, które można by pokazać na planie montażu.</translation>
    </message>
    <message>
        <source>The printable area of the sheet is too small for the assembly map.</source>
        <translation>Obszar wydruku arkusza jest za mały na plan montażu.</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>The printable area of the sheet is too small for the calibration rulers.</source>
        <translation>Obszar wydruku arkusza jest za mały na linijki kalibracyjne.</translation>
    </message>
    <message>
        <source>Calibration sheet for %1, %2

Measure each ruler from 0 to its last mark, to the half millimetre,
and type the two lengths where the program asks for them.

Across: %3 mm as sent to the printer
Down: %4 mm as sent to the printer</source>
        <translation>Arkusz kalibracyjny dla %1, %2

Zmierz każdą linijkę od 0 do ostatniej kreski z dokładnością do pół milimetra
i wpisz obie długości, gdy program o nie poprosi.

W poziomie: %L3 mm wysłane do drukarki
W pionie: %L4 mm wysłane do drukarki</translation>
    </message>
</context>
<context>
    <name>DropRules</name>
    <message>
        <source>Only one picture file can be dropped</source>
        <translation>Można upuścić tylko jeden plik obrazu</translation>
    </message>
    <message>
        <source>Not a picture this program reads: %1</source>
        <translation>To nie jest obraz, który ten program potrafi odczytać: %1</translation>
    </message>
    <message>
        <source>File format not supported!</source>
        <translation>Nieobsługiwany format pliku!</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error: %1 %2</source>
        <translation>Błąd: %1 %2</translation>
    </message>
    <message>
        <source>Code %1</source>
        <translation>Kod %1</translation>
    </message>
</context>
<context>
    <name>OpenPicture</name>
    <message>
        <source>Open Picture</source>
        <translation>Otwórz obraz</translation>
    </message>
    <message>
        <source>Unable to load picture &apos;%1&apos;</source>
        <translation>Nie można wczytać obrazu „%1”</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>Nie można zapisać „%1”: %2</translation>
    </message>
</context>
<context>
    <name>PageGeometry</name>
    <message>
        <source>p.%1 put %2 below</source>
        <translation>s.%1, pod spodem %2</translation>
    </message>
    <message>
        <source>%1 put %2 next</source>
        <translation>%1, obok %2</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>1 page</source>
        <translation>1 strona</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n strona</numerusform>
            <numerusform>%n strony</numerusform>
            <numerusform>%n stron</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture sharp at any size</source>
        <translation>%1 ppi na %2, obraz ostry w każdym rozmiarze</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi (blown up)</source>
        <translation>%1 ppi na %2, obraz %3 ppi (powiększony)</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi</source>
        <translation>%1 ppi na %2, obraz %3 ppi</translation>
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
        <translation>Obraz źródłowy: brak stron</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, page %3 selected</source>
        <translation>Obraz źródłowy: %1 × %2 str., zaznaczona strona %3</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, page %3 selected</source>
        <translation>Obraz źródłowy: %1 × %2 str., zaznaczona strona %3</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, no page selected</source>
        <translation>Obraz źródłowy: %1 × %2 str., nie zaznaczono strony</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, no page selected</source>
        <translation>Obraz źródłowy: %1 × %2 str., nie zaznaczono strony</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 landscape</source>
        <translation>%1 poziomo</translation>
    </message>
    <message>
        <source>%1 portrait</source>
        <translation>%1 pionowo</translation>
    </message>
</context>
<context>
    <name>PictureTypes</name>
    <message>
        <source>Supported formats</source>
        <translation>Obsługiwane formaty</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Wszystkie pliki</translation>
    </message>
</context>
<context>
    <name>Poster</name>
    <message>
        <source>%1 wide</source>
        <translation>o szerokości %1</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>o wysokości %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high.</source>
        <translation>„%1” nie jest rozmiarem plakatu: podaj liczbę i jednostkę (mm, cm, m lub in), np. 150cm, 1,5m lub 40in high.</translation>
    </message>
    <message>
        <source>A ruler that measures %1 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25.</source>
        <translation>Linijka, której pomiar wynosi %L1 jej długości, to błąd odczytu, a nie drukarka: kalibracja mieści się między 0,8 a 1,25.</translation>
    </message>
    <message>
        <source>A poster %1 cannot be printed: give a size above 0.</source>
        <translation>Plakatu %1 nie można wydrukować: podaj rozmiar większy od 0.</translation>
    </message>
    <message>
        <source>A poster %1 needs more pages than a print job holds (%2).</source>
        <translation>Plakat %1 wymaga więcej stron, niż mieści zadanie drukowania (%2).</translation>
    </message>
    <message>
        <source>A poster %1 needs more than 40 sheets of %2 across, the most a poster has.</source>
        <translation>Plakat %1 wymaga ponad 40 arkuszy %2 w poziomie, a to maksimum dla plakatu.</translation>
    </message>
    <message>
        <source>The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.</source>
        <translation>Obraz jest za mały na plakat %1: arkusz pokazałby mniej niż 10 jego pikseli.</translation>
    </message>
    <message>
        <source>A poster %1 needs %2 pages, more than a print job holds (%3).</source>
        <translation>Plakat %1 wymaga stron: %2, czyli więcej, niż mieści zadanie drukowania (%3).</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>printed to %1</source>
        <translation>wydrukowano do %1</translation>
    </message>
    <message>
        <source>sent to %1</source>
        <translation>wysłano do %1</translation>
    </message>
    <message>
        <source>Printing cancelled: nothing was printed</source>
        <translation>Drukowanie anulowane: nic nie wydrukowano</translation>
    </message>
    <message>
        <source>Printing failed</source>
        <translation>Drukowanie nie powiodło się</translation>
    </message>
    <message>
        <source>Printing the poster</source>
        <translation>Drukowanie plakatu</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>Nic nie wydrukowano</translation>
    </message>
    <message>
        <source>1 page %1</source>
        <translation>1 strona: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n pages %1</source>
        <translation>
            <numerusform>%n strona: %1</numerusform>
            <numerusform>%n strony: %1</numerusform>
            <numerusform>%n stron: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Printing the assembly map</source>
        <translation>Drukowanie planu montażu</translation>
    </message>
    <message>
        <source>Assembly map %1</source>
        <translation>Plan montażu: %1</translation>
    </message>
    <message>
        <source>Printing the calibration sheet</source>
        <translation>Drukowanie arkusza kalibracyjnego</translation>
    </message>
    <message>
        <source>Calibration sheet %1</source>
        <translation>Arkusz kalibracyjny: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a length in millimetres.</source>
        <translation>„%1” nie jest długością w milimetrach.</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>1 page holds nothing of the picture and is not printed.</source>
        <translation>1 strona nie zawiera nic z obrazu i nie zostanie wydrukowana.</translation>
    </message>
    <message numerus="yes">
        <source>%n pages hold nothing of the picture and are not printed.</source>
        <translation>
            <numerusform>%n strona nie zawiera nic z obrazu i nie zostanie wydrukowana.</numerusform>
            <numerusform>%n strony nie zawierają nic z obrazu i nie zostaną wydrukowane.</numerusform>
            <numerusform>%n stron nie zawiera nic z obrazu i nie zostanie wydrukowanych.</numerusform>
        </translation>
    </message>
    <message>
        <source>The page chosen holds nothing of the picture: there is nothing to print.</source>
        <translation>Wybrana strona nie zawiera nic z obrazu: nie ma czego drukować.</translation>
    </message>
    <message numerus="yes">
        <source>The %n pages chosen hold nothing of the picture: there is nothing to print.</source>
        <translation>
            <numerusform>Wybrana %n strona nie zawiera nic z obrazu: nie ma czego drukować.</numerusform>
            <numerusform>Wybrane %n strony nie zawierają nic z obrazu: nie ma czego drukować.</numerusform>
            <numerusform>Wybrane %n stron nie zawiera nic z obrazu: nie ma czego drukować.</numerusform>
        </translation>
    </message>
    <message>
        <source>Are you sure you want to print the %1 pages?</source>
        <translation>Czy na pewno wydrukować wszystkie strony (%1)?</translation>
    </message>
    <message>
        <source>Printing page %1/%2</source>
        <translation>Drukowanie strony %1/%2</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Drukowanie strony %1</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Nieprawidłowe wywołanie procedury lub argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Przepełnienie</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Brak pamięci</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Indeks poza zakresem</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Dzielenie przez zero</translation>
    </message>
    <message>
        <source>User interrupt occurred</source>
        <translation>Przerwane przez użytkownika</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Niezgodność typów</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Nieprawidłowa nazwa lub numer pliku</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Nie znaleziono pliku</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Błąd wejścia/wyjścia urządzenia</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Dysk pełny</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Odczyt poza końcem pliku</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Brak uprawnień</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Błąd dostępu do ścieżki lub pliku</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Nie znaleziono ścieżki</translation>
    </message>
    <message>
        <source>Object variable or With block variable not set</source>
        <translation>Nie ustawiono zmiennej obiektowej lub zmiennej bloku With</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Nieprawidłowa wartość właściwości</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Nieprawidłowy obraz</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Błąd drukarki</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Błąd zdefiniowany przez aplikację lub obiekt</translation>
    </message>
</context>
<context>
    <name>plakatron::frmCalibrate</name>
    <message>
        <source>Printer calibration</source>
        <translation>Kalibracja drukarki</translation>
    </message>
    <message>
        <source>Measure the two rulers on the calibration sheet printed on %1, each from 0 to its last mark, and type the lengths in millimetres.</source>
        <translation>Zmierz obie linijki na arkuszu kalibracyjnym wydrukowanym na %1, każdą od 0 do ostatniej kreski, i wpisz długości w milimetrach.</translation>
    </message>
    <message>
        <source>Ruler &amp;across (%1 mm sent):</source>
        <translation>Linijka &amp;pozioma (wysłano %L1 mm):</translation>
    </message>
    <message>
        <source>Ruler &amp;down (%1 mm sent):</source>
        <translation>Linijka p&amp;ionowa (wysłano %L1 mm):</translation>
    </message>
</context>
<context>
    <name>plakatron::frmHelp</name>
    <message>
        <source>%1 - Instructions</source>
        <translation>%1 – Instrukcja</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instrukcja</translation>
    </message>
</context>
<context>
    <name>plakatron::frmMain</name>
    <message>
        <source>Preview:</source>
        <translation>Podgląd:</translation>
    </message>
    <message>
        <source>Preview, empty</source>
        <translation>Podgląd, pusty</translation>
    </message>
    <message>
        <source>The instructions are missing: %1</source>
        <translation>Brak instrukcji: %1</translation>
    </message>
    <message>
        <source>The print dialog chose %1 paper: the poster is now laid out for it. Check its size and pages, then print again.</source>
        <translation>W oknie drukowania wybrano papier %1: plakat jest teraz do niego rozplanowany. Sprawdź rozmiar i strony, a potem wydrukuj ponownie.</translation>
    </message>
    <message>
        <source>On the printer chosen in the print dialog the poster takes other pages. Check its size and pages, then print again.</source>
        <translation>Na drukarce wybranej w oknie drukowania plakat zajmuje inne strony. Sprawdź rozmiar i strony, a potem wydrukuj ponownie.</translation>
    </message>
    <message>
        <source>&amp;Width in %1:</source>
        <translation>&amp;Szerokość w %1:</translation>
    </message>
    <message>
        <source>Height in %1:</source>
        <translation>Wysokość w %1:</translation>
    </message>
    <message>
        <source>%1 &amp;X resolution:</source>
        <translation>Rozdzielczość &amp;X %1:</translation>
    </message>
    <message>
        <source>Width in %1</source>
        <translation>Szerokość w %1</translation>
    </message>
    <message>
        <source>%1 X resolution</source>
        <translation>Rozdzielczość X %1</translation>
    </message>
    <message>
        <source>The poster&apos;s height in %1 sheets</source>
        <translation>Wysokość plakatu w arkuszach %1</translation>
    </message>
    <message>
        <source>Input here the width of the final image in %1 sheets</source>
        <translation>Wpisz tu szerokość gotowego obrazu w arkuszach %1</translation>
    </message>
    <message>
        <source>Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is interpolated while blowing it up. You can see the effect by inserting small values.</source>
        <translation>Rozdzielczość w pikselach jednej drukowanej strony %1 w poziomie. Określa, jak gładko obraz jest interpolowany przy powiększaniu. Efekt widać po wpisaniu małych wartości.</translation>
    </message>
    <message>
        <source>Preview: (page %1)</source>
        <translation>Podgląd: (strona %1)</translation>
    </message>
    <message>
        <source>Preview of page %1</source>
        <translation>Podgląd strony %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>z %1</translation>
    </message>
    <message>
        <source>The page of the PDF the poster is made from, of %1</source>
        <translation>Strona pliku PDF, z której powstaje plakat, z %1</translation>
    </message>
    <message>
        <source>Source Picture:</source>
        <translation>Obraz źródłowy:</translation>
    </message>
    <message>
        <source>The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in the preview, the Menu key opens the print menu.</source>
        <translation>Obraz z jego stronami. Strzałki, Home i End wybierają stronę, Enter lub spacja pokazują ją w podglądzie, klawisz Menu otwiera menu drukowania.</translation>
    </message>
    <message>
        <source>P&amp;DF page:</source>
        <translation>Strona P&amp;DF:</translation>
    </message>
    <message>
        <source>PDF page</source>
        <translation>Strona PDF</translation>
    </message>
    <message>
        <source>The selected page as it will be printed. The Menu key opens the print menu.</source>
        <translation>Zaznaczona strona tak, jak zostanie wydrukowana. Klawisz Menu otwiera menu drukowania.</translation>
    </message>
    <message>
        <source>Height in A4:</source>
        <translation>Wysokość w A4:</translation>
    </message>
    <message>
        <source>Final image width:</source>
        <translation>Szerokość plakatu:</translation>
    </message>
    <message>
        <source>Final image height:</source>
        <translation>Wysokość plakatu:</translation>
    </message>
    <message>
        <source>Total pages:</source>
        <translation>Liczba stron:</translation>
    </message>
    <message>
        <source>The poster&apos;s height in A4 sheets</source>
        <translation>Wysokość plakatu w arkuszach A4</translation>
    </message>
    <message>
        <source>The printed poster&apos;s width, overlaps taken off</source>
        <translation>Szerokość wydrukowanego plakatu bez zakładek</translation>
    </message>
    <message>
        <source>The printed poster&apos;s height, overlaps taken off</source>
        <translation>Wysokość wydrukowanego plakatu bez zakładek</translation>
    </message>
    <message>
        <source>The number of sheets the poster is printed on</source>
        <translation>Liczba arkuszy, na których drukowany jest plakat</translation>
    </message>
    <message>
        <source>&amp;Width in A4:</source>
        <translation>&amp;Szerokość w A4:</translation>
    </message>
    <message>
        <source>Width in A4</source>
        <translation>Szerokość w A4</translation>
    </message>
    <message>
        <source>A4 &amp;X resolution:</source>
        <translation>Rozdzielczość &amp;X A4:</translation>
    </message>
    <message>
        <source>A4 X resolution</source>
        <translation>Rozdzielczość X A4</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>P&amp;apier:</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>The paper the poster is printed on, and which way it lies</source>
        <translation>Papier, na którym drukowany jest plakat, i jego ułożenie</translation>
    </message>
    <message>
        <source>Poster &amp;size:</source>
        <translation>&amp;Rozmiar plakatu:</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Rozmiar plakatu</translation>
    </message>
    <message>
        <source>e.g. 150cm</source>
        <translation>np. 150cm</translation>
    </message>
    <message>
        <source>The finished poster&apos;s width (150cm, 1.5m, 60in) or height (40in high) in place of the sheets across; empty for the sheets from the list</source>
        <translation>Szerokość gotowego plakatu (150cm, 1,5m, 60in) lub jego wysokość („40in high”) zamiast liczby arkuszy w poziomie; puste – arkusze z listy</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drukuj</translation>
    </message>
    <message>
        <source>Prints every page of the poster</source>
        <translation>Drukuje wszystkie strony plakatu</translation>
    </message>
    <message>
        <source>What the last print or drag did</source>
        <translation>Wynik ostatniego drukowania lub przeciągania</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>&amp;Otwórz obraz…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drukuj</translation>
    </message>
    <message>
        <source>Print pa&amp;ge...</source>
        <translation>Drukuj &amp;stronę…</translation>
    </message>
    <message>
        <source>Print assembly &amp;map...</source>
        <translation>Drukuj &amp;plan montażu…</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Ustawienia</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet...</source>
        <translation>Drukuj arkusz &amp;kalibracyjny…</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Instrukcja</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>O progr&amp;amie</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Zakoń&amp;cz</translation>
    </message>
    <message>
        <source>&amp;Print this picture...</source>
        <translation>&amp;Drukuj ten obraz…</translation>
    </message>
    <message>
        <source>Print resolution %1</source>
        <translation>Rozdzielczość wydruku %1</translation>
    </message>
    <message>
        <source>The print&apos;s pixels per inch on the paper, and the picture&apos;s own, marked when it is blown up</source>
        <translation>Piksele na cal wydruku na papierze i piksele obrazu, z oznaczeniem, gdy jest powiększany</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSettings</name>
    <message>
        <source>Additional settings</source>
        <translation>Dodatkowe ustawienia</translation>
    </message>
    <message>
        <source>Image overlap (%)  in consecutive pages:</source>
        <translation>Zakładka obrazu (%) między sąsiednimi stronami:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSplash</name>
    <message>
        <source>Sending cool poster-picture!</source>
        <translation>Przesyłam zdjęcie świetnego plakatu!</translation>
    </message>
    <message>
        <source>Make your walls sing with</source>
        <translation>Niech Twoje ściany śpiewają dzięki</translation>
    </message>
    <message>
        <source>Poster printer software that simply kicks ass</source>
        <translation>Program do drukowania plakatów, który po prostu wymiata</translation>
    </message>
    <message>
        <source>Version %v</source>
        <translation>Wersja %v</translation>
    </message>
    <message>
        <source>Let us know!</source>
        <translation>Pochwal się!</translation>
    </message>
    <message>
        <source>If you create a cool poster, please take a picture of it, and submit it to our gallery! - Send the attached picture to this email:</source>
        <translation>Jeśli zrobisz świetny plakat, zrób mu zdjęcie i zgłoś je do naszej galerii! – Wyślij załączone zdjęcie na ten adres:</translation>
    </message>
    <message>
        <source>Visit the Gallery</source>
        <translation>Zobacz galerię</translation>
    </message>
    <message>
        <source>Visit software homepage</source>
        <translation>Strona programu</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Zamknij to okno</translation>
    </message>
</context>
<context>
    <name>plakatron::frmWait</name>
    <message>
        <source>Processing - please wait</source>
        <translation>Przetwarzanie – proszę czekać</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Stops printing; nothing of the job is printed</source>
        <translation>Przerywa drukowanie; nic z zadania nie zostanie wydrukowane</translation>
    </message>
</context>
</TS>
