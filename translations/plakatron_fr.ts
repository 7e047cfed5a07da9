<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AssemblyMap</name>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %</source>
        <translation>Affiche %1 × %2&#xa0;: %3 × %4 feuille, %5 page, chevauchement %6&#xa0;%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %</source>
        <translation>Affiche %1 × %2&#xa0;: %3 × %4 feuilles, %5 pages, chevauchement %6&#xa0;%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %</source>
        <translation>Affiche %1 × %2&#xa0;: %3 × %4 feuille %7, %5 page, chevauchement %6&#xa0;%</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %</source>
        <translation>Affiche %1 × %2&#xa0;: %3 × %4 feuilles %7, %5 pages, chevauchement %6&#xa0;%</translation>
    </message>
    <message>
        <source>The poster has no pages to show on an assembly map.</source>
        <translation>L’affiche n’a aucune page à montrer sur un plan d’assemblage.</translation>
    </message>
    <message>
        <source>The printable area of the sheet is too small for the assembly map.</source>
        <translation>La zone imprimable de la feuille est trop petite pour le plan d’assemblage.</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>The printable area of the sheet is too small for the calibration rulers.</source>
        <translation>La zone imprimable de la feuille est trop petite pour les règles d’étalonnage.</translation>
    </message>
    <message>
        <source>Calibration sheet for %1, %2

Measure each ruler from 0 to its last mark, to the half millimetre,
and type the two lengths where the program asks for them.

Across: %3 mm as sent to the printer
Down: %4 mm as sent to the printer</source>
        <translation>Feuille d’étalonnage pour %1, %2

Mesurez chaque règle de 0 à son dernier trait, au demi-millimètre près,
et saisissez les deux longueurs quand le programme les demande.

Horizontale&#xa0;: %L3&#xa0;mm envoyés à l’imprimante
Verticale&#xa0;: %L4&#xa0;mm envoyés à l’imprimante</translation>
    </message>
</context>
<context>
    <name>DropRules</name>
    <message>
        <source>Only one picture file can be dropped</source>
        <translation>Un seul fichier image peut être déposé</translation>
    </message>
    <message>
        <source>Not a picture this program reads: %1</source>
        <translation>Image que ce programme ne sait pas lire&#xa0;: %1</translation>
    </message>
    <message>
        <source>File format not supported!</source>
        <translation>Format de fichier non pris en charge&#xa0;!</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error: %1 %2</source>
        <translation>Erreur&#xa0;: %1 %2</translation>
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
        <translation>Ouvrir une image</translation>
    </message>
    <message>
        <source>Unable to load picture &apos;%1&apos;</source>
        <translation>Impossible de charger l’image «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>Impossible d’écrire «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>PageGeometry</name>
    <message>
        <source>p.%1 put %2 below</source>
        <translation>p.%1, en dessous %2</translation>
    </message>
    <message>
        <source>%1 put %2 next</source>
        <translation>%1, à côté %2</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>1 page</source>
        <translation>1 page</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n page</numerusform>
            <numerusform>%n pages</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture sharp at any size</source>
        <translation>%1 ppp sur %2, image nette à toute taille</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi (blown up)</source>
        <translation>%1 ppp sur %2, image %3 ppp (agrandie)</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi</source>
        <translation>%1 ppp sur %2, image %3 ppp</translation>
    </message>
    <message>
        <source>%1 px: %2</source>
        <translation>%1 px&#xa0;: %2</translation>
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
        <translation>Image source&#xa0;: aucune page</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, page %3 selected</source>
        <translation>Image source&#xa0;: %1 × %2 page, page %3 sélectionnée</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, page %3 selected</source>
        <translation>Image source&#xa0;: %1 × %2 pages, page %3 sélectionnée</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, no page selected</source>
        <translation>Image source&#xa0;: %1 × %2 page, aucune page sélectionnée</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, no page selected</source>
        <translation>Image source&#xa0;: %1 × %2 pages, aucune page sélectionnée</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 landscape</source>
        <translation>%1 paysage</translation>
    </message>
    <message>
        <source>%1 portrait</source>
        <translation>%1 portrait</translation>
    </message>
</context>
<context>
    <name>PictureTypes</name>
    <message>
        <source>Supported formats</source>
        <translation>Formats pris en charge</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
</context>
<context>
    <name>Poster</name>
    <message>
        <source>%1 wide</source>
        <translation>de %1 de large</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>de %1 de haut</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une taille d’affiche&#xa0;: indiquez un nombre et une unité (mm, cm, m ou in), par exemple 150cm, 1,5m ou 40in high.</translation>
    </message>
    <message>
        <source>A ruler that measures %1 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25.</source>
        <translation>Une règle qui mesure %L1&#xa0;fois sa longueur est une erreur de lecture, pas une imprimante&#xa0;: un étalonnage se situe entre 0,8 et 1,25.</translation>
    </message>
    <message>
        <source>A poster %1 cannot be printed: give a size above 0.</source>
        <translation>Une affiche %1 ne peut pas être imprimée&#xa0;: indiquez une taille supérieure à 0.</translation>
    </message>
    <message>
        <source>A poster %1 needs more pages than a print job holds (%2).</source>
        <translation>Une affiche %1 demande plus de pages que n’en contient une tâche d’impression (%2).</translation>
    </message>
    <message>
        <source>A poster %1 needs more than 40 sheets of %2 across, the most a poster has.</source>
        <translation>Une affiche %1 demande plus de 40 feuilles %2 en largeur, le maximum pour une affiche.</translation>
    </message>
    <message>
        <source>The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.</source>
        <translation>L’image est trop petite pour une affiche %1&#xa0;: une feuille en montrerait moins de 10 pixels.</translation>
    </message>
    <message>
        <source>A poster %1 needs %2 pages, more than a print job holds (%3).</source>
        <translation>Une affiche %1 demande %2 pages, plus que n’en contient une tâche d’impression (%3).</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>printed to %1</source>
        <translation>impression dans %1</translation>
    </message>
    <message>
        <source>sent to %1</source>
        <translation>envoi à %1</translation>
    </message>
    <message>
        <source>Printing cancelled: nothing was printed</source>
        <translation>Impression annulée&#xa0;: rien n’a été imprimé</translation>
    </message>
    <message>
        <source>Printing failed</source>
        <translation>Échec de l’impression</translation>
    </message>
    <message>
        <source>Printing the poster</source>
        <translation>Impression de l’affiche</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>Rien n’a été imprimé</translation>
    </message>
    <message>
        <source>1 page %1</source>
        <translation>1 page&#xa0;: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n pages %1</source>
        <translation>
            <numerusform>%n page&#xa0;: %1</numerusform>
            <numerusform>%n pages&#xa0;: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1&#xa0;; %2</translation>
    </message>
    <message>
        <source>Printing the assembly map</source>
        <translation>Impression du plan d’assemblage</translation>
    </message>
    <message>
        <source>Assembly map %1</source>
        <translation>Plan d’assemblage&#xa0;: %1</translation>
    </message>
    <message>
        <source>Printing the calibration sheet</source>
        <translation>Impression de la feuille d’étalonnage</translation>
    </message>
    <message>
        <source>Calibration sheet %1</source>
        <translation>Feuille d’étalonnage&#xa0;: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a length in millimetres.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une longueur en millimètres.</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>1 page holds nothing of the picture and is not printed.</source>
        <translation>Une page ne contient rien de l’image et n’est pas imprimée.</translation>
    </message>
    <message numerus="yes">
        <source>%n pages hold nothing of the picture and are not printed.</source>
        <translation>
            <numerusform>%n page ne contient rien de l’image et n’est pas imprimée.</numerusform>
            <numerusform>%n pages ne contiennent rien de l’image et ne sont pas imprimées.</numerusform>
        </translation>
    </message>
    <message>
        <source>The page chosen holds nothing of the picture: there is nothing to print.</source>
        <translation>La page choisie ne contient rien de l’image&#xa0;: il n’y a rien à imprimer.</translation>
    </message>
    <message numerus="yes">
        <source>The %n pages chosen hold nothing of the picture: there is nothing to print.</source>
        <translation>
            <numerusform>La page choisie ne contient rien de l’image&#xa0;: il n’y a rien à imprimer.</numerusform>
            <numerusform>Les %n pages choisies ne contiennent rien de l’image&#xa0;: il n’y a rien à imprimer.</numerusform>
        </translation>
    </message>
    <message>
        <source>Are you sure you want to print the %1 pages?</source>
        <translation>Voulez-vous vraiment imprimer les %1 pages&#xa0;?</translation>
    </message>
    <message>
        <source>Printing page %1/%2</source>
        <translation>Impression de la page %1/%2</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Impression de la page %1</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Appel de procédure ou argument incorrect</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>L’indice n’appartient pas à la sélection</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Division par zéro</translation>
    </message>
    <message>
        <source>User interrupt occurred</source>
        <translation>Interruption par l’utilisateur</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Type incompatible</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Nom ou numéro de fichier incorrect</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Fichier introuvable</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Erreur d’entrée/sortie du périphérique</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disque plein</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lecture au-delà de la fin du fichier</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission refusée</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Erreur d’accès au chemin ou au fichier</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Chemin introuvable</translation>
    </message>
    <message>
        <source>Object variable or With block variable not set</source>
        <translation>Variable objet ou variable de bloc With non définie</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valeur de propriété non valide</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Image non valide</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Erreur d’imprimante</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Erreur définie par l’application ou par l’objet</translation>
    </message>
</context>
<context>
    <name>plakatron::frmCalibrate</name>
    <message>
        <source>Printer calibration</source>
        <translation>Étalonnage de l’imprimante</translation>
    </message>
    <message>
        <source>Measure the two rulers on the calibration sheet printed on %1, each from 0 to its last mark, and type the lengths in millimetres.</source>
        <translation>Mesurez les deux règles de la feuille d’étalonnage imprimée sur %1, chacune de 0 à son dernier trait, et saisissez les longueurs en millimètres.</translation>
    </message>
    <message>
        <source>Ruler &amp;across (%1 mm sent):</source>
        <translation>Règle &amp;horizontale (%L1&#xa0;mm envoyés)&#xa0;:</translation>
    </message>
    <message>
        <source>Ruler &amp;down (%1 mm sent):</source>
        <translation>Règle &amp;verticale (%L1&#xa0;mm envoyés)&#xa0;:</translation>
    </message>
</context>
<context>
    <name>plakatron::frmHelp</name>
    <message>
        <source>%1 - Instructions</source>
        <translation>%1 – Mode d’emploi</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Mode d’emploi</translation>
    </message>
</context>
<context>
    <name>plakatron::frmMain</name>
    <message>
        <source>Preview:</source>
        <translation>Aperçu&#xa0;:</translation>
    </message>
    <message>
        <source>Preview, empty</source>
        <translation>Aperçu, vide</translation>
    </message>
    <message>
        <source>The instructions are missing: %1</source>
        <translation>Le mode d’emploi est introuvable&#xa0;: %1</translation>
    </message>
    <message>
        <source>The print dialog chose %1 paper: the poster is now laid out for it. Check its size and pages, then print again.</source>
        <translation>La boîte de dialogue d’impression a choisi le papier %1&#xa0;: l’affiche est maintenant mise en page pour lui. Vérifiez sa taille et ses pages, puis relancez l’impression.</translation>
    </message>
    <message>
        <source>On the printer chosen in the print dialog the poster takes other pages. Check its size and pages, then print again.</source>
        <translation>Sur l’imprimante choisie dans la boîte de dialogue d’impression, l’affiche occupe d’autres pages. Vérifiez sa taille et ses pages, puis relancez l’impression.</translation>
    </message>
    <message>
        <source>&amp;Width in %1:</source>
        <translation>&amp;Largeur en %1&#xa0;:</translation>
    </message>
    <message>
        <source>Height in %1:</source>
        <translation>Hauteur en %1&#xa0;:</translation>
    </message>
    <message>
        <source>%1 &amp;X resolution:</source>
        <translation>Résolution &amp;X %1&#xa0;:</translation>
    </message>
    <message>
        <source>Width in %1</source>
        <translation>Largeur en %1</translation>
    </message>
    <message>
        <source>%1 X resolution</source>
        <translation>Résolution X %1</translation>
    </message>
    <message>
        <source>The poster&apos;s height in %1 sheets</source>
        <translation>La hauteur de l’affiche en feuilles %1</translation>
    </message>
    <message>
        <source>Input here the width of the final image in %1 sheets</source>
        <translation>Indiquez ici la largeur de l’image finale en feuilles %1</translation>
    </message>
    <message>
        <source>Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is interpolated while blowing it up. You can see the effect by inserting small values.</source>
        <translation>Résolution en pixels d’une page %1 imprimée, dans le sens de la largeur. Définit le lissage de l’image lors de l’agrandissement. L’effet se voit en saisissant de petites valeurs.</translation>
    </message>
    <message>
        <source>Preview: (page %1)</source>
        <translation>Aperçu&#xa0;: (page %1)</translation>
    </message>
    <message>
        <source>Preview of page %1</source>
        <translation>Aperçu de la page %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>sur %1</translation>
    </message>
    <message>
        <source>The page of the PDF the poster is made from, of %1</source>
        <translation>La page du PDF dont l’affiche est faite, sur %1</translation>
    </message>
    <message>
        <source>Source Picture:</source>
        <translation>Image source&#xa0;:</translation>
    </message>
    <message>
        <source>The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in the preview, the Menu key opens the print menu.</source>
        <translation>L’image avec ses pages. Les flèches, Début et Fin choisissent une page, Entrée ou Espace l’affichent dans l’aperçu, la touche Menu ouvre le menu d’impression.</translation>
    </message>
    <message>
        <source>P&amp;DF page:</source>
        <translation>Page P&amp;DF&#xa0;:</translation>
    </message>
    <message>
        <source>PDF page</source>
        <translation>Page PDF</translation>
    </message>
    <message>
        <source>The selected page as it will be printed. The Menu key opens the print menu.</source>
        <translation>La page sélectionnée telle qu’elle sera imprimée. La touche Menu ouvre le menu d’impression.</translation>
    </message>
    <message>
        <source>Height in A4:</source>
        <translation>Hauteur en A4&#xa0;:</translation>
    </message>
    <message>
        <source>Final image width:</source>
        <translation>Largeur finale&#xa0;:</translation>
    </message>
    <message>
        <source>Final image height:</source>
        <translation>Hauteur finale&#xa0;:</translation>
    </message>
    <message>
        <source>Total pages:</source>
        <translation>Pages au total&#xa0;:</translation>
    </message>
    <message>
        <source>The poster&apos;s height in A4 sheets</source>
        <translation>La hauteur de l’affiche en feuilles A4</translation>
    </message>
    <message>
        <source>The printed poster&apos;s width, overlaps taken off</source>
        <translation>La largeur de l’affiche imprimée, chevauchements déduits</translation>
    </message>
    <message>
        <source>The printed poster&apos;s height, overlaps taken off</source>
        <translation>La hauteur de l’affiche imprimée, chevauchements déduits</translation>
    </message>
    <message>
        <source>The number of sheets the poster is printed on</source>
        <translation>Le nombre de feuilles sur lesquelles l’affiche est imprimée</translation>
    </message>
    <message>
        <source>&amp;Width in A4:</source>
        <translation>&amp;Largeur en A4&#xa0;:</translation>
    </message>
    <message>
        <source>Width in A4</source>
        <translation>Largeur en A4</translation>
    </message>
    <message>
        <source>A4 &amp;X resolution:</source>
        <translation>Résolution &amp;X A4&#xa0;:</translation>
    </message>
    <message>
        <source>A4 X resolution</source>
        <translation>Résolution X A4</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Papier&#xa0;:</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papier</translation>
    </message>
    <message>
        <source>The paper the poster is printed on, and which way it lies</source>
        <translation>Le papier sur lequel l’affiche est imprimée, et son orientation</translation>
    </message>
    <message>
        <source>Poster &amp;size:</source>
        <translation>&amp;Taille de l’affiche&#xa0;:</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Taille de l’affiche</translation>
    </message>
    <message>
        <source>e.g. 150cm</source>
        <translation>p. ex. 150cm</translation>
    </message>
    <message>
        <source>The finished poster&apos;s width (150cm, 1.5m, 60in) or height (40in high) in place of the sheets across; empty for the sheets from the list</source>
        <translation>La largeur de l’affiche finie (150cm, 1,5m, 60in) ou sa hauteur («&#xa0;40in high&#xa0;») à la place des feuilles en largeur&#xa0;; vide pour les feuilles de la liste</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>Prints every page of the poster</source>
        <translation>Imprime toutes les pages de l’affiche</translation>
    </message>
    <message>
        <source>What the last print or drag did</source>
        <translation>Le résultat de la dernière impression ou du dernier glisser-déposer</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>&amp;Ouvrir une image…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>Print pa&amp;ge...</source>
        <translation>Imprimer la pa&amp;ge…</translation>
    </message>
    <message>
        <source>Print assembly &amp;map...</source>
        <translation>Imprimer le plan d’&amp;assemblage…</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Réglages</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet...</source>
        <translation>Imprimer la feuille d’éta&amp;lonnage…</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>&amp;Mode d’emploi</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Print this picture...</source>
        <translation>&amp;Imprimer cette image…</translation>
    </message>
    <message>
        <source>Print resolution %1</source>
        <translation>Résolution d’impression %1</translation>
    </message>
    <message>
        <source>The print&apos;s pixels per inch on the paper, and the picture&apos;s own, marked when it is blown up</source>
        <translation>Les pixels par pouce de l’impression sur le papier, et ceux de l’image, signalés quand elle est agrandie</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSettings</name>
    <message>
        <source>Additional settings</source>
        <translation>Réglages supplémentaires</translation>
    </message>
    <message>
        <source>Image overlap (%)  in consecutive pages:</source>
        <translation>Chevauchement de l’image (%) entre pages voisines&#xa0;:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSplash</name>
    <message>
        <source>Sending cool poster-picture!</source>
        <translation>Voici la photo d’une super affiche&#xa0;!</translation>
    </message>
    <message>
        <source>Make your walls sing with</source>
        <translation>Faites chanter vos murs avec</translation>
    </message>
    <message>
        <source>Poster printer software that simply kicks ass</source>
        <translation>Le logiciel d’impression d’affiches qui déchire</translation>
    </message>
    <message>
        <source>Version %v</source>
        <translation>Version %v</translation>
    </message>
    <message>
        <source>Let us know!</source>
        <translation>Montrez-nous&#xa0;!</translation>
    </message>
    <message>
        <source>If you create a cool poster, please take a picture of it, and submit it to our gallery! - Send the attached picture to this email:</source>
        <translation>Si vous créez une belle affiche, prenez-la en photo et proposez-la à notre galerie&#xa0;! – Envoyez la photo en pièce jointe à cette adresse&#xa0;:</translation>
    </message>
    <message>
        <source>Visit the Gallery</source>
        <translation>Voir la galerie</translation>
    </message>
    <message>
        <source>Visit software homepage</source>
        <translation>Site du logiciel</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Fermer cette fenêtre</translation>
    </message>
</context>
<context>
    <name>plakatron::frmWait</name>
    <message>
        <source>Processing - please wait</source>
        <translation>Veuillez patienter…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stops printing; nothing of the job is printed</source>
        <translation>Arrête l’impression&#xa0;; rien de la tâche n’est imprimé</translation>
    </message>
</context>
</TS>
