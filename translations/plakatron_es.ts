<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AssemblyMap</name>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheet, %5 page, overlap %6 %</source>
        <translation>Póster %1 × %2: %3 × %4 hoja, %5 página, solapamiento %6 %</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 sheets, %5 pages, overlap %6 %</source>
        <translation>Póster %1 × %2: %3 × %4 hojas, %5 páginas, solapamiento %6 %</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheet, %5 page, overlap %6 %</source>
        <translation>Póster %1 × %2: %3 × %4 hoja %7, %5 página, solapamiento %6 %</translation>
    </message>
    <message>
        <source>Poster %1 × %2: %3 × %4 %7 sheets, %5 pages, overlap %6 %</source>
        <translation>Póster %1 × %2: %3 × %4 hojas %7, %5 páginas, solapamiento %6 %</translation>
    </message>
    <message>
        <source>The poster has no pages to show on an assembly map.</source>
        <translation>El póster no tiene páginas que mostrar en un plano de montaje.</translation>
    </message>
    <message>
        <source>The printable area of the sheet is too small for the assembly map.</source>
        <translation>El área imprimible de la hoja es demasiado pequeña para el plano de montaje.</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>The printable area of the sheet is too small for the calibration rulers.</source>
        <translation>El área imprimible de la hoja es demasiado pequeña para las reglas de calibración.</translation>
    </message>
    <message>
        <source>Calibration sheet for %1, %2

Measure each ruler from 0 to its last mark, to the half millimetre,
and type the two lengths where the program asks for them.

Across: %3 mm as sent to the printer
Down: %4 mm as sent to the printer</source>
        <translation>Hoja de calibración para %1, %2

Mida cada regla desde 0 hasta su última marca, con precisión de medio milímetro,
y escriba las dos longitudes cuando el programa se las pida.

Horizontal: %L3 mm enviados a la impresora
Vertical: %L4 mm enviados a la impresora</translation>
    </message>
</context>
<context>
    <name>DropRules</name>
    <message>
        <source>Only one picture file can be dropped</source>
        <translation>Solo se puede soltar un archivo de imagen</translation>
    </message>
    <message>
        <source>Not a picture this program reads: %1</source>
        <translation>No es una imagen que este programa pueda leer: %1</translation>
    </message>
    <message>
        <source>File format not supported!</source>
        <translation>¡Formato de archivo no admitido!</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Error: %1 %2</source>
        <translation>Error: %1 %2</translation>
    </message>
    <message>
        <source>Code %1</source>
        <translation>Código %1</translation>
    </message>
</context>
<context>
    <name>OpenPicture</name>
    <message>
        <source>Open Picture</source>
        <translation>Abrir imagen</translation>
    </message>
    <message>
        <source>Unable to load picture &apos;%1&apos;</source>
        <translation>No se puede cargar la imagen «%1»</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Cannot write &apos;%1&apos;: %2</source>
        <translation>No se puede escribir «%1»: %2</translation>
    </message>
</context>
<context>
    <name>PageGeometry</name>
    <message>
        <source>p.%1 put %2 below</source>
        <translation>p.%1, debajo %2</translation>
    </message>
    <message>
        <source>%1 put %2 next</source>
        <translation>%1, al lado %2</translation>
    </message>
</context>
<context>
    <name>PageLayout</name>
    <message>
        <source>1 page</source>
        <translation>1 página</translation>
    </message>
    <message numerus="yes">
        <source>%n pages</source>
        <translation>
            <numerusform>%n página</numerusform>
            <numerusform>%n páginas</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture sharp at any size</source>
        <translation>%1 ppp en %2, imagen nítida a cualquier tamaño</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi (blown up)</source>
        <translation>%1 ppp en %2, imagen %3 ppp (ampliada)</translation>
    </message>
    <message>
        <source>%1 ppi on %2, picture %3 ppi</source>
        <translation>%1 ppp en %2, imagen %3 ppp</translation>
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
        <translation>Imagen de origen: sin páginas</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, page %3 selected</source>
        <translation>Imagen de origen: %1 × %2 página, página %3 seleccionada</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, page %3 selected</source>
        <translation>Imagen de origen: %1 × %2 páginas, página %3 seleccionada</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 page, no page selected</source>
        <translation>Imagen de origen: %1 × %2 página, ninguna página seleccionada</translation>
    </message>
    <message>
        <source>Source picture: %1 × %2 pages, no page selected</source>
        <translation>Imagen de origen: %1 × %2 páginas, ninguna página seleccionada</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 landscape</source>
        <translation>%1 horizontal</translation>
    </message>
    <message>
        <source>%1 portrait</source>
        <translation>%1 vertical</translation>
    </message>
</context>
<context>
    <name>PictureTypes</name>
    <message>
        <source>Supported formats</source>
        <translation>Formatos admitidos</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
</context>
<context>
    <name>Poster</name>
    <message>
        <source>%1 wide</source>
        <translation>de %1 de ancho</translation>
    </message>
    <message>
        <source>%1 high</source>
        <translation>de %1 de alto</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a poster size: give a number and a unit (mm, cm, m or in), such as 150cm, 1.5m or 40in high.</source>
        <translation>«%1» no es un tamaño de póster: indique un número y una unidad (mm, cm, m o in), como 150cm, 1,5m o 40in high.</translation>
    </message>
    <message>
        <source>A ruler that measures %1 times its length is a misreading, not a printer: a calibration lies between 0.8 and 1.25.</source>
        <translation>Una regla que mide %L1 veces su longitud es un error de lectura, no una impresora: una calibración está entre 0,8 y 1,25.</translation>
    </message>
    <message>
        <source>A poster %1 cannot be printed: give a size above 0.</source>
        <translation>Un póster %1 no se puede imprimir: indique un tamaño mayor que 0.</translation>
    </message>
    <message>
        <source>A poster %1 needs more pages than a print job holds (%2).</source>
        <translation>Un póster %1 necesita más páginas de las que admite un trabajo de impresión (%2).</translation>
    </message>
    <message>
        <source>A poster %1 needs more than 40 sheets of %2 across, the most a poster has.</source>
        <translation>Un póster %1 necesita más de 40 hojas %2 a lo ancho, el máximo para un póster.</translation>
    </message>
    <message>
        <source>The picture is too small for a poster %1: a sheet would show fewer than 10 of its pixels.</source>
        <translation>La imagen es demasiado pequeña para un póster %1: una hoja mostraría menos de 10 de sus píxeles.</translation>
    </message>
    <message>
        <source>A poster %1 needs %2 pages, more than a print job holds (%3).</source>
        <translation>Un póster %1 necesita %2 páginas, más de las que admite un trabajo de impresión (%3).</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>printed to %1</source>
        <translation>impresión en %1</translation>
    </message>
    <message>
        <source>sent to %1</source>
        <translation>envío a %1</translation>
    </message>
    <message>
        <source>Printing cancelled: nothing was printed</source>
        <translation>Impresión cancelada: no se imprimió nada</translation>
    </message>
    <message>
        <source>Printing failed</source>
        <translation>La impresión falló</translation>
    </message>
    <message>
        <source>Printing the poster</source>
        <translation>Imprimiendo el póster</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>No se imprimió nada</translation>
    </message>
    <message>
        <source>1 page %1</source>
        <translation>1 página: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n pages %1</source>
        <translation>
            <numerusform>%n página: %1</numerusform>
            <numerusform>%n páginas: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; %2</source>
        <translation>%1; %2</translation>
    </message>
    <message>
        <source>Printing the assembly map</source>
        <translation>Imprimiendo el plano de montaje</translation>
    </message>
    <message>
        <source>Assembly map %1</source>
        <translation>Plano de montaje: %1</translation>
    </message>
    <message>
        <source>Printing the calibration sheet</source>
        <translation>Imprimiendo la hoja de calibración</translation>
    </message>
    <message>
        <source>Calibration sheet %1</source>
        <translation>Hoja de calibración: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a length in millimetres.</source>
        <translation>«%1» no es una longitud en milímetros.</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>1 page holds nothing of the picture and is not printed.</source>
        <translation>1 página no contiene nada de la imagen y no se imprime.</translation>
    </message>
    <message numerus="yes">
        <source>%n pages hold nothing of the picture and are not printed.</source>
        <translation>
            <numerusform>%n página no contiene nada de la imagen y no se imprime.</numerusform>
            <numerusform>%n páginas no contienen nada de la imagen y no se imprimen.</numerusform>
        </translation>
    </message>
    <message>
        <source>The page chosen holds nothing of the picture: there is nothing to print.</source>
        <translation>La página elegida no contiene nada de la imagen: no hay nada que imprimir.</translation>
    </message>
    <message numerus="yes">
        <source>The %n pages chosen hold nothing of the picture: there is nothing to print.</source>
        <translation>
            <numerusform>La %n página elegida no contiene nada de la imagen: no hay nada que imprimir.</numerusform>
            <numerusform>Las %n páginas elegidas no contienen nada de la imagen: no hay nada que imprimir.</numerusform>
        </translation>
    </message>
    <message>
        <source>Are you sure you want to print the %1 pages?</source>
        <translation>¿Seguro que quiere imprimir las %1 páginas?</translation>
    </message>
    <message>
        <source>Printing page %1/%2</source>
        <translation>Imprimiendo la página %1/%2</translation>
    </message>
    <message>
        <source>Printing page %1</source>
        <translation>Imprimiendo la página %1</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Llamada a procedimiento o argumento no válidos</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Desbordamiento</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Subíndice fuera del intervalo</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>División por cero</translation>
    </message>
    <message>
        <source>User interrupt occurred</source>
        <translation>Interrumpido por el usuario</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>No coinciden los tipos</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Nombre o número de archivo incorrecto</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>No se encontró el archivo</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>Error de E/S del dispositivo</translation>
    </message>
    <message>
        <source>Disk full</source>
        <translation>Disco lleno</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Lectura más allá del final del archivo</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permiso denegado</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Error de acceso a la ruta o al archivo</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>No se encontró la ruta</translation>
    </message>
    <message>
        <source>Object variable or With block variable not set</source>
        <translation>Variable de objeto o de bloque With no establecida</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valor de propiedad no válido</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Imagen no válida</translation>
    </message>
    <message>
        <source>Printer error</source>
        <translation>Error de impresora</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Error definido por la aplicación o por el objeto</translation>
    </message>
</context>
<context>
    <name>plakatron::frmCalibrate</name>
    <message>
        <source>Printer calibration</source>
        <translation>Calibración de la impresora</translation>
    </message>
    <message>
        <source>Measure the two rulers on the calibration sheet printed on %1, each from 0 to its last mark, and type the lengths in millimetres.</source>
        <translation>Mida las dos reglas de la hoja de calibración impresa en %1, cada una desde 0 hasta su última marca, y escriba las longitudes en milímetros.</translation>
    </message>
    <message>
        <source>Ruler &amp;across (%1 mm sent):</source>
        <translation>Regla &amp;horizontal (%L1 mm enviados):</translation>
    </message>
    <message>
        <source>Ruler &amp;down (%1 mm sent):</source>
        <translation>Regla &amp;vertical (%L1 mm enviados):</translation>
    </message>
</context>
<context>
    <name>plakatron::frmHelp</name>
    <message>
        <source>%1 - Instructions</source>
        <translation>%1 – Instrucciones</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instrucciones</translation>
    </message>
</context>
<context>
    <name>plakatron::frmMain</name>
    <message>
        <source>Preview:</source>
        <translation>Vista previa:</translation>
    </message>
    <message>
        <source>Preview, empty</source>
        <translation>Vista previa, vacía</translation>
    </message>
    <message>
        <source>The instructions are missing: %1</source>
        <translation>Faltan las instrucciones: %1</translation>
    </message>
    <message>
        <source>The print dialog chose %1 paper: the poster is now laid out for it. Check its size and pages, then print again.</source>
        <translation>En el diálogo de impresión se eligió papel %1: el póster se ha distribuido ahora para él. Compruebe su tamaño y sus páginas y vuelva a imprimir.</translation>
    </message>
    <message>
        <source>On the printer chosen in the print dialog the poster takes other pages. Check its size and pages, then print again.</source>
        <translation>En la impresora elegida en el diálogo de impresión el póster ocupa otras páginas. Compruebe su tamaño y sus páginas y vuelva a imprimir.</translation>
    </message>
    <message>
        <source>&amp;Width in %1:</source>
        <translation>Anc&amp;ho en %1:</translation>
    </message>
    <message>
        <source>Height in %1:</source>
        <translation>Alto en %1:</translation>
    </message>
    <message>
        <source>%1 &amp;X resolution:</source>
        <translation>Resolución &amp;X de %1:</translation>
    </message>
    <message>
        <source>Width in %1</source>
        <translation>Ancho en %1</translation>
    </message>
    <message>
        <source>%1 X resolution</source>
        <translation>Resolución X de %1</translation>
    </message>
    <message>
        <source>The poster&apos;s height in %1 sheets</source>
        <translation>La altura del póster en hojas %1</translation>
    </message>
    <message>
        <source>Input here the width of the final image in %1 sheets</source>
        <translation>Indique aquí el ancho de la imagen final en hojas %1</translation>
    </message>
    <message>
        <source>Pixel resolution of one %1 printer page in the width dimension. Defines how smooth the image is interpolated while blowing it up. You can see the effect by inserting small values.</source>
        <translation>Resolución en píxeles de una página impresa %1 a lo ancho. Define la suavidad con que se interpola la imagen al ampliarla. El efecto se aprecia con valores pequeños.</translation>
    </message>
    <message>
        <source>Preview: (page %1)</source>
        <translation>Vista previa: (página %1)</translation>
    </message>
    <message>
        <source>Preview of page %1</source>
        <translation>Vista previa de la página %1</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>de %1</translation>
    </message>
    <message>
        <source>The page of the PDF the poster is made from, of %1</source>
        <translation>La página del PDF con la que se hace el póster, de %1</translation>
    </message>
    <message>
        <source>Source Picture:</source>
        <translation>Imagen de origen:</translation>
    </message>
    <message>
        <source>The picture with its pages. Arrow keys, Home and End select a page, Enter or Space shows it in the preview, the Menu key opens the print menu.</source>
        <translation>La imagen con sus páginas. Las flechas, Inicio y Fin eligen una página, Intro o Espacio la muestran en la vista previa, la tecla Menú abre el menú de impresión.</translation>
    </message>
    <message>
        <source>P&amp;DF page:</source>
        <translation>Página P&amp;DF:</translation>
    </message>
    <message>
        <source>PDF page</source>
        <translation>Página PDF</translation>
    </message>
    <message>
        <source>The selected page as it will be printed. The Menu key opens the print menu.</source>
        <translation>La página seleccionada tal como se imprimirá. La tecla Menú abre el menú de impresión.</translation>
    </message>
    <message>
        <source>Height in A4:</source>
        <translation>Alto en A4:</translation>
    </message>
    <message>
        <source>Final image width:</source>
        <translation>Ancho final:</translation>
    </message>
    <message>
        <source>Final image height:</source>
        <translation>Alto final:</translation>
    </message>
    <message>
        <source>Total pages:</source>
        <translation>Páginas en total:</translation>
    </message>
    <message>
        <source>The poster&apos;s height in A4 sheets</source>
        <translation>La altura del póster en hojas A4</translation>
    </message>
    <message>
        <source>The printed poster&apos;s width, overlaps taken off</source>
        <translation>El ancho del póster impreso, descontados los solapamientos</translation>
    </message>
    <message>
        <source>The printed poster&apos;s height, overlaps taken off</source>
        <translation>El alto del póster impreso, descontados los solapamientos</translation>
    </message>
    <message>
        <source>The number of sheets the poster is printed on</source>
        <translation>El número de hojas en que se imprime el póster</translation>
    </message>
    <message>
        <source>&amp;Width in A4:</source>
        <translation>Anc&amp;ho en A4:</translation>
    </message>
    <message>
        <source>Width in A4</source>
        <translation>Ancho en A4</translation>
    </message>
    <message>
        <source>A4 &amp;X resolution:</source>
        <translation>Resolución &amp;X de A4:</translation>
    </message>
    <message>
        <source>A4 X resolution</source>
        <translation>Resolución X de A4</translation>
    </message>
    <message>
        <source>&amp;Paper:</source>
        <translation>&amp;Papel:</translation>
    </message>
    <message>
        <source>Paper</source>
        <translation>Papel</translation>
    </message>
    <message>
        <source>The paper the poster is printed on, and which way it lies</source>
        <translation>El papel en que se imprime el póster y su orientación</translation>
    </message>
    <message>
        <source>Poster &amp;size:</source>
        <translation>&amp;Tamaño del póster:</translation>
    </message>
    <message>
        <source>Poster size</source>
        <translation>Tamaño del póster</translation>
    </message>
    <message>
        <source>e.g. 150cm</source>
        <translation>p. ej. 150cm</translation>
    </message>
    <message>
        <source>The finished poster&apos;s width (150cm, 1.5m, 60in) or height (40in high) in place of the sheets across; empty for the sheets from the list</source>
        <translation>El ancho del póster terminado (150cm, 1,5m, 60in) o su alto («40in high») en lugar de las hojas a lo ancho; vacío para las hojas de la lista</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
    <message>
        <source>Prints every page of the poster</source>
        <translation>Imprime todas las páginas del póster</translation>
    </message>
    <message>
        <source>What the last print or drag did</source>
        <translation>El resultado de la última impresión o del último arrastre</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>&amp;Abrir imagen…</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>Print pa&amp;ge...</source>
        <translation>Imprimir &amp;página…</translation>
    </message>
    <message>
        <source>Print assembly &amp;map...</source>
        <translation>Imprimir plano de &amp;montaje…</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Configuración</translation>
    </message>
    <message>
        <source>Print &amp;calibration sheet...</source>
        <translation>Imprimir hoja de ca&amp;libración…</translation>
    </message>
    <message>
        <source>&amp;Instructions</source>
        <translation>I&amp;nstrucciones</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ace&amp;rca de</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Print this picture...</source>
        <translation>&amp;Imprimir esta imagen…</translation>
    </message>
    <message>
        <source>Print resolution %1</source>
        <translation>Resolución de impresión %1</translation>
    </message>
    <message>
        <source>The print&apos;s pixels per inch on the paper, and the picture&apos;s own, marked when it is blown up</source>
        <translation>Los píxeles por pulgada de la impresión en el papel y los de la imagen, marcados cuando se amplía</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSettings</name>
    <message>
        <source>Additional settings</source>
        <translation>Configuración adicional</translation>
    </message>
    <message>
        <source>Image overlap (%)  in consecutive pages:</source>
        <translation>Solapamiento de la imagen (%) entre páginas contiguas:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>plakatron::frmSplash</name>
    <message>
        <source>Sending cool poster-picture!</source>
        <translation>¡Ahí va la foto de un póster genial!</translation>
    </message>
    <message>
        <source>Make your walls sing with</source>
        <translation>Haga cantar sus paredes con</translation>
    </message>
    <message>
        <source>Poster printer software that simply kicks ass</source>
        <translation>El programa para imprimir pósteres que simplemente lo peta</translation>
    </message>
    <message>
        <source>Version %v</source>
        <translation>Versión %v</translation>
    </message>
    <message>
        <source>Let us know!</source>
        <translation>¡Cuéntenoslo!</translation>
    </message>
    <message>
        <source>If you create a cool poster, please take a picture of it, and submit it to our gallery! - Send the attached picture to this email:</source>
        <translation>Si crea un póster genial, hágale una foto y envíela a nuestra galería. – Envíe la foto adjunta a esta dirección:</translation>
    </message>
    <message>
        <source>Visit the Gallery</source>
        <translation>Ver la galería</translation>
    </message>
    <message>
        <source>Visit software homepage</source>
        <translation>Web del programa</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Cerrar esta ventana</translation>
    </message>
</context>
<context>
    <name>plakatron::frmWait</name>
    <message>
        <source>Processing - please wait</source>
        <translation>Procesando… espere</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Stops printing; nothing of the job is printed</source>
        <translation>Detiene la impresión; no se imprime nada del trabajo</translation>
    </message>
</context>
</TS>
