<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="it">
<context>
    <name>About</name>
    <message>
        <source>About Kor_Vel</source>
        <translation>About Kor_Vel</translation>
    </message>
    <message>
        <source>Emblema del programma</source>
        <translation>Program emblem</translation>
    </message>
    <message>
        <source>Informazioni sul programma</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Programma di calcolo della retta di carico</source>
        <translation>Load-line calculator</translation>
    </message>
    <message>
        <source>per Tubi Termoionici.</source>
        <translation>for vacuum tubes.</translation>
    </message>
    <message>
        <source>Progetto grafico di uno stadio sulle curve anodiche.</source>
        <translation>Graphic design of one stage over the plate curves.</translation>
    </message>
    <message>
        <source>Versione </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>Adattamento</name>
    <message>
        <source>La tensione di griglia della curva %1 non è un numero.</source>
        <translation>The grid voltage of curve %1 is not a number.</translation>
    </message>
    <message>
        <source>Servono almeno due curve tracciate per adattare il modello.</source>
        <translation>At least two traced curves are needed to fit the model.</translation>
    </message>
    <message>
        <source>Per il pentodo indicare la tensione di schermo &quot;Vg2 (V)=&quot; delle curve.</source>
        <translation>For the pentode, give the screen voltage &quot;Vg2 (V)=&quot; of the curves.</translation>
    </message>
    <message>
        <source>L&apos;adattamento del modello non converge: controllare le curve tracciate e le loro tensioni di griglia.</source>
        <translation>The model fit does not converge: check the traced curves and their grid voltages.</translation>
    </message>
    <message>
        <source>Il grafico della valvola non è tarato: impossibile adattare il modello.</source>
        <translation>The tube&apos;s chart is not calibrated: the model cannot be fitted.</translation>
    </message>
</context>
<context>
    <name>ArchivioModelli</name>
    <message>
        <source>parametri del modello non validi</source>
        <translation>model parameters not valid</translation>
    </message>
</context>
<context>
    <name>BaseDatiValvole</name>
    <message>
        <source>file assente: %1</source>
        <translation>file missing: %1</translation>
    </message>
    <message>
        <source>file non leggibile: %1</source>
        <translation>file not readable: %1</translation>
    </message>
    <message>
        <source>driver SQLite assente</source>
        <translation>SQLite driver missing</translation>
    </message>
    <message>
        <source>driver SQLite senza accesso al motore</source>
        <translation>SQLite driver without access to the engine</translation>
    </message>
    <message>
        <source>%1 non è una tabella</source>
        <translation>%1 is not a table</translation>
    </message>
    <message>
        <source>colonna assente: %1</source>
        <translation>column missing: %1</translation>
    </message>
    <message>
        <source>valore non intero o fuori intervallo nella colonna %1</source>
        <translation>value not an integer or out of range in column %1</translation>
    </message>
    <message>
        <source>valore non numerico nella colonna %1</source>
        <translation>value not a number in column %1</translation>
    </message>
    <message>
        <source>%1 valori per %2 colonne</source>
        <translation>%1 values for %2 columns</translation>
    </message>
</context>
<context>
    <name>Caratteristiche</name>
    <message>
        <source>Tensione Filamento</source>
        <translation>Heater Voltage</translation>
    </message>
    <message>
        <source>Corrente Filamento</source>
        <translation>Heater Current</translation>
    </message>
    <message>
        <source>Tensione MAX Anodica</source>
        <translation>Max Plate Voltage</translation>
    </message>
    <message>
        <source>Corrente MAX Anodica</source>
        <translation>Max Plate Current</translation>
    </message>
    <message>
        <source>Potenza MAX Anodica</source>
        <translation>Max Plate Dissipation</translation>
    </message>
    <message>
        <source>Tensione MAX Schermo</source>
        <translation>Max Screen Voltage</translation>
    </message>
    <message>
        <source>Corrente MAX Schermo</source>
        <translation>Max Screen Current</translation>
    </message>
    <message>
        <source>Potenza MAX Schermo</source>
        <translation>Max Screen Dissipation</translation>
    </message>
</context>
<context>
    <name>CaricatoreValvola</name>
    <message>
        <source>Modello</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Pentodo (Koren)</source>
        <translation>Pentode (Koren)</translation>
    </message>
    <message>
        <source>Triodo (Koren)</source>
        <translation>Triode (Koren)</translation>
    </message>
    <message>
        <source>Fonte modello</source>
        <translation>Model source</translation>
    </message>
    <message>
        <source>Scarto medio</source>
        <translation>Mean residual</translation>
    </message>
    <message>
        <source>Scarto massimo</source>
        <translation>Max residual</translation>
    </message>
    <message>
        <source>Data modello</source>
        <translation>Model date</translation>
    </message>
</context>
<context>
    <name>ComandiArchivio</name>
    <message>
        <source>la base dati dell&apos;archivio non può essere aggiornata</source>
        <translation>the archive&apos;s database cannot be updated</translation>
    </message>
    <message>
        <source>l&apos;archivio non esiste</source>
        <translation>the archive does not exist</translation>
    </message>
    <message>
        <source>libreria zip assente</source>
        <translation>zip library missing</translation>
    </message>
    <message>
        <source>il file non è un archivio zip leggibile</source>
        <translation>the file is not a readable zip archive</translation>
    </message>
    <message>
        <source>l&apos;archivio non contiene la cartella DatiValvole</source>
        <translation>the archive does not hold the DatiValvole folder</translation>
    </message>
    <message>
        <source>voce illeggibile: %1</source>
        <translation>unreadable entry: %1</translation>
    </message>
    <message>
        <source>i file dell&apos;archivio superano il limite di 2 GB</source>
        <translation>the archive&apos;s files exceed the 2 GB limit</translation>
    </message>
    <message>
        <source>spazio su disco insufficiente (servono %1 MB)</source>
        <translation>not enough disk space (%1 MB needed)</translation>
    </message>
    <message>
        <source>impossibile scrivere accanto alla cartella dati</source>
        <translation>cannot write beside the data folder</translation>
    </message>
    <message>
        <source>voce danneggiata: %1</source>
        <translation>damaged entry: %1</translation>
    </message>
    <message>
        <source>l&apos;archivio non contiene la base dati DBValvole.mdb</source>
        <translation>the archive does not hold the database DBValvole.mdb</translation>
    </message>
    <message>
        <source>la base dati dell&apos;archivio non è valida</source>
        <translation>the archive&apos;s database is not valid</translation>
    </message>
    <message>
        <source>impossibile sostituire la cartella DatiValvole</source>
        <translation>cannot replace the DatiValvole folder</translation>
    </message>
    <message>
        <source>File di Ingresso</source>
        <translation>Input File</translation>
    </message>
    <message>
        <source>Impossibile creare il file</source>
        <translation>Cannot create the file</translation>
    </message>
    <message>
        <source>Impossibile inserire oggetti nel file</source>
        <translation>Cannot add items to the file</translation>
    </message>
    <message>
        <source>Archiviazione Completata</source>
        <translation>Archive Complete</translation>
    </message>
    <message>
        <source>File Zip Archivio</source>
        <translation>Zip Archive File</translation>
    </message>
    <message>
        <source>Archivio non importato: %1.
La cartella dati resta invariata.</source>
        <translation>Archive not imported: %1.
The data folder is unchanged.</translation>
    </message>
</context>
<context>
    <name>ComandiProgetto</name>
    <message>
        <source>Salvataggio Progetto XML</source>
        <translation>Save XML Project</translation>
    </message>
    <message>
        <source>Progetto salvato correttamente</source>
        <translation>Project saved</translation>
    </message>
    <message>
        <source>Errore Salvataggio Progetto</source>
        <translation>Error saving the project</translation>
    </message>
    <message>
        <source>Errore lettura file XML</source>
        <translation>Error reading the XML file</translation>
    </message>
    <message>
        <source>Sigla valvola non presente nel file</source>
        <translation>No tube type in the file</translation>
    </message>
    <message>
        <source>Valvola non presente nel DB</source>
        <translation>Tube not in the database</translation>
    </message>
    <message>
        <source>Salvare il progetto corrente?</source>
        <translation>Save the current project?</translation>
    </message>
</context>
<context>
    <name>ComandiReport</name>
    <message>
        <source>Titolo del progetto</source>
        <translation>Project title</translation>
    </message>
    <message>
        <source>Errore nella generazione del file</source>
        <translation>Error writing the file</translation>
    </message>
    <message>
        <source>Errore pagina HTML non impostata</source>
        <translation>Error: HTML page not set</translation>
    </message>
    <message>
        <source>Errore pagina HTML di base non trovata</source>
        <translation>Error: HTML template page not found</translation>
    </message>
    <message>
        <source>Vuoi visualizzare il risultato?</source>
        <translation>Show the result?</translation>
    </message>
    <message>
        <source>Salvataggio Progetto</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>Salvataggio Grafico</source>
        <translation>Save Chart</translation>
    </message>
    <message>
        <source>Scelta Pagina Progetto HTML</source>
        <translation>HTML Project Page</translation>
    </message>
</context>
<context>
    <name>EsportaSpice</name>
    <message>
        <source>* Modello di valvola %1 (%2)</source>
        <translation>* Tube model %1 (%2)</translation>
    </message>
    <message>
        <source>* Pentodo di Koren; curve tracciate a Vg2 = %1 V</source>
        <translation>* Koren pentode; curves traced at Vg2 = %1 V</translation>
    </message>
    <message>
        <source>* Triodo di Koren con scostamento di griglia Vct</source>
        <translation>* Koren triode with grid offset Vct</translation>
    </message>
    <message>
        <source>* Grafico sorgente: %1</source>
        <translation>* Source plot: %1</translation>
    </message>
    <message>
        <source>* Fonte: %1</source>
        <translation>* Source: %1</translation>
    </message>
    <message>
        <source>* Scarto medio %1 px, scarto massimo %2 px, %3 punti</source>
        <translation>* Mean residual %1 px, max residual %2 px, %3 points</translation>
    </message>
    <message>
        <source>* Data: %1</source>
        <translation>* Date: %1</translation>
    </message>
    <message>
        <source>* Kg1 nella forma Ip = (E1^Ex / Kg1) (1 + sgn E1), il valore pubblicato da Koren;</source>
        <translation>* Kg1 in the form Ip = (E1^Ex / Kg1) (1 + sgn E1), the value Koren publishes;</translation>
    </message>
    <message>
        <source>* nella forma senza il fattore 2, Ip = E1^Ex / Kg1, vale Kg1/2 = %1.</source>
        <translation>* in the form without the factor 2, Ip = E1^Ex / Kg1, it is Kg1/2 = %1.</translation>
    </message>
    <message>
        <source>* Piedini: P placca, S griglia schermo, G griglia controllo, K catodo.</source>
        <translation>* Pins: P plate, S screen grid, G control grid, K cathode.</translation>
    </message>
    <message>
        <source>* Solo la corrente di placca: nessuna corrente di schermo o di griglia.</source>
        <translation>* Plate current only: no screen or grid current.</translation>
    </message>
    <message>
        <source>* Piedini: P placca, G griglia, K catodo.</source>
        <translation>* Pins: P plate, G grid, K cathode.</translation>
    </message>
    <message>
        <source>* Solo la corrente di placca: nessuna corrente di griglia.</source>
        <translation>* Plate current only: no grid current.</translation>
    </message>
</context>
<context>
    <name>FinestraModello</name>
    <message>
        <source>Grafico</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Modello Valvola</source>
        <translation>Tube Model</translation>
    </message>
    <message>
        <source>Triodo (Koren)</source>
        <translation>Triode (Koren)</translation>
    </message>
    <message>
        <source>Pentodo (Koren)</source>
        <translation>Pentode (Koren)</translation>
    </message>
    <message>
        <source>Nessuna curva trovata nel grafico: il grafico è vuoto o contiene solo la griglia.</source>
        <translation>No curve found in the chart: the chart is empty or holds only the grid.</translation>
    </message>
    <message>
        <source>Nessuna curva vicino al punto indicato.</source>
        <translation>No curve near the point given.</translation>
    </message>
    <message>
        <source>Modello salvato</source>
        <translation>Model saved</translation>
    </message>
    <message>
        <source>La valvola ha già un modello salvato. Sostituirlo con il nuovo?</source>
        <translation>The tube already has a saved model. Replace it with the new one?</translation>
    </message>
    <message>
        <source>Modello</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Vg2 (V)=</source>
        <translation>Vg2 (V)=</translation>
    </message>
    <message>
        <source>Vg prima curva (V)=</source>
        <translation>First curve Vg (V)=</translation>
    </message>
    <message>
        <source>Passo Vg (V)=</source>
        <translation>Vg step (V)=</translation>
    </message>
    <message>
        <source>Traccia Curve</source>
        <translation>Trace Curves</translation>
    </message>
    <message>
        <source>Curve tracciate</source>
        <translation>Traced curves</translation>
    </message>
    <message>
        <source>Vg (V)</source>
        <translation>Vg (V)</translation>
    </message>
    <message>
        <source>Punti</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>Scarto (px)</source>
        <translation>Residual (px)</translation>
    </message>
    <message>
        <source>Rimuovi Curva</source>
        <translation>Remove Curve</translation>
    </message>
    <message>
        <source>Unisci Curve</source>
        <translation>Join Curves</translation>
    </message>
    <message>
        <source>Unisce in una curva le due righe selezionate</source>
        <translation>Joins the two selected rows into one curve</translation>
    </message>
    <message>
        <source>Adatta Modello</source>
        <translation>Fit Model</translation>
    </message>
    <message>
        <source>mu=</source>
        <translation>mu=</translation>
    </message>
    <message>
        <source>Ex=</source>
        <translation>Ex=</translation>
    </message>
    <message>
        <source>Kg1=</source>
        <translation>Kg1=</translation>
    </message>
    <message>
        <source>Kp=</source>
        <translation>Kp=</translation>
    </message>
    <message>
        <source>Kvb=</source>
        <translation>Kvb=</translation>
    </message>
    <message>
        <source>Vct=</source>
        <translation>Vct=</translation>
    </message>
    <message>
        <source>Scarto medio (px)=</source>
        <translation>Mean residual (px)=</translation>
    </message>
    <message>
        <source>Scarto massimo (px)=</source>
        <translation>Max residual (px)=</translation>
    </message>
    <message>
        <source>Kg1 nella forma Ip = (E1^Ex / Kg1)(1 + sgn E1),
il valore pubblicato da Koren.</source>
        <translation>Kg1 in the form Ip = (E1^Ex / Kg1)(1 + sgn E1),
the value Koren publishes.</translation>
    </message>
    <message>
        <source>Mostra Modello</source>
        <translation>Show Model</translation>
    </message>
    <message>
        <source>Salva Modello</source>
        <translation>Save Model</translation>
    </message>
    <message>
        <source>Esporta SPICE</source>
        <translation>Export SPICE</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Impossibile salvare il modello: %1</source>
        <translation>Cannot save the model: %1</translation>
    </message>
    <message>
        <source>Modello SPICE (*.inc)|*.inc|</source>
        <translation>SPICE model (*.inc)|*.inc|</translation>
    </message>
    <message>
        <source>Impossibile scrivere il file: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
</context>
<context>
    <name>Grafico</name>
    <message>
        <source>Assente</source>
        <translation>Missing</translation>
    </message>
    <message>
        <source>Non Calcolabile</source>
        <translation>Not Computable</translation>
    </message>
    <message>
        <source>Traccia Potenza massima</source>
        <translation>Draw Max Dissipation</translation>
    </message>
    <message>
        <source>Cancella Potenza massima</source>
        <translation>Delete Max Dissipation</translation>
    </message>
</context>
<context>
    <name>GraficoRisposta</name>
    <message>
        <source>Grafico Risposta</source>
        <translation>Response</translation>
    </message>
    <message>
        <source>Stadio</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>B+ (V)=</source>
        <translation>B+ (V)=</translation>
    </message>
    <message>
        <source>Ra (Ohm)=</source>
        <translation>Ra (Ohm)=</translation>
    </message>
    <message>
        <source>Vg riposo (V)=</source>
        <translation>Vg rest (V)=</translation>
    </message>
    <message>
        <source>Rk (Ohm)=</source>
        <translation>Rk (Ohm)=</translation>
    </message>
    <message>
        <source>Carico successivo (Ohm)=</source>
        <translation>Next load (Ohm)=</translation>
    </message>
    <message>
        <source>Vuoto: nessuno stadio successivo</source>
        <translation>Empty: no next stage</translation>
    </message>
    <message>
        <source>Catodo bypassato</source>
        <translation>Cathode bypassed</translation>
    </message>
    <message>
        <source>Ampiezza ingresso (Vp)=</source>
        <translation>Input amplitude (Vp)=</translation>
    </message>
    <message>
        <source>Risultati</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>gm (mA/V)=</source>
        <translation>gm (mA/V)=</translation>
    </message>
    <message>
        <source>rp (kOhm)=</source>
        <translation>rp (kOhm)=</translation>
    </message>
    <message>
        <source>mu=</source>
        <translation>mu=</translation>
    </message>
    <message>
        <source>Guadagno=</source>
        <translation>Gain=</translation>
    </message>
    <message>
        <source>Uscita (Vpp)=</source>
        <translation>Output (Vpp)=</translation>
    </message>
    <message>
        <source>H2 (%)=</source>
        <translation>H2 (%)=</translation>
    </message>
    <message>
        <source>H3 (%)=</source>
        <translation>H3 (%)=</translation>
    </message>
    <message>
        <source>THD (%)=</source>
        <translation>THD (%)=</translation>
    </message>
    <message>
        <source>Margine ingresso (Vp)=</source>
        <translation>Input margin (Vp)=</translation>
    </message>
    <message>
        <source>Stato del calcolo</source>
        <translation>Calculation status</translation>
    </message>
    <message>
        <source>Salva Immagine</source>
        <translation>Save Picture</translation>
    </message>
    <message>
        <source>Esporta CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Curva di trasferimento</source>
        <translation>Transfer curve</translation>
    </message>
    <message>
        <source>Vg (V)</source>
        <translation>Vg (V)</translation>
    </message>
    <message>
        <source>Va (V)</source>
        <translation>Vp (V)</translation>
    </message>
    <message>
        <source>Retta di carico</source>
        <translation>Load line</translation>
    </message>
    <message>
        <source>Escursione</source>
        <translation>Swing</translation>
    </message>
    <message>
        <source>Oltre il limite</source>
        <translation>Beyond the limit</translation>
    </message>
    <message>
        <source>Punto di lavoro</source>
        <translation>Operating point</translation>
    </message>
    <message>
        <source>Tensione di placca in un periodo</source>
        <translation>Plate voltage over one period</translation>
    </message>
    <message>
        <source>t / periodo</source>
        <translation>t / period</translation>
    </message>
    <message>
        <source>Placca</source>
        <translation>Plate</translation>
    </message>
    <message>
        <source>Armoniche (dB rispetto a H1)</source>
        <translation>Harmonics (dB relative to H1)</translation>
    </message>
    <message>
        <source>dB rispetto a H1</source>
        <translation>dB relative to H1</translation>
    </message>
    <message>
        <source>Il primo limite è la griglia a 0 V.</source>
        <translation>The first limit is the grid at 0 V.</translation>
    </message>
    <message>
        <source>Il primo limite è l&apos;interdizione della corrente di placca.</source>
        <translation>The first limit is the plate current cut-off.</translation>
    </message>
    <message>
        <source>Impossibile salvare l&apos;immagine in %1.</source>
        <translation>Cannot save the picture in %1.</translation>
    </message>
    <message>
        <source>Impossibile esportare il file %1: %2</source>
        <translation>Cannot export the file %1: %2</translation>
    </message>
    <message>
        <source>L&apos;escursione supera il limite: le parti oltre sono in rosso.</source>
        <translation>The swing goes past the limit: the parts beyond it are in red.</translation>
    </message>
</context>
<context>
    <name>KORVEL</name>
    <message>
        <source>Base dati assente, vuoi caricarla?</source>
        <translation>The database is missing. Load it?</translation>
    </message>
    <message>
        <source>Calcolatore Retta di Carico</source>
        <translation>Load Line Calculator</translation>
    </message>
    <message>
        <source>Selezionare per tracciamento retta</source>
        <translation>Select to draw the load line</translation>
    </message>
    <message>
        <source>Retta</source>
        <translation>Load Line</translation>
    </message>
    <message>
        <source>Selezionare per tracciamento punto di lavoro</source>
        <translation>Select to place the operating point</translation>
    </message>
    <message>
        <source>P.to di Lavoro</source>
        <translation>Op. Point</translation>
    </message>
    <message>
        <source>Punto di lavoro</source>
        <translation>Operating point</translation>
    </message>
    <message>
        <source>Selezionare per tracciamento punto per calcolo gain</source>
        <translation>Select to place the point for the gain</translation>
    </message>
    <message>
        <source>P.to Gain</source>
        <translation>Gain Point</translation>
    </message>
    <message>
        <source>Punto per calcolo gain</source>
        <translation>Point for the gain</translation>
    </message>
    <message>
        <source>Massima potenza dissipabile</source>
        <translation>Max plate dissipation</translation>
    </message>
    <message>
        <source>Schema dello stadio</source>
        <translation>Stage schematic</translation>
    </message>
    <message>
        <source>Valvola:</source>
        <translation>Tube:</translation>
    </message>
    <message>
        <source>Riga della valvola caricata</source>
        <translation>Row of the loaded tube</translation>
    </message>
    <message>
        <source>Curva Caratteristica</source>
        <translation>Plate Curves</translation>
    </message>
    <message>
        <source>Dati Informativi</source>
        <translation>Tube Data</translation>
    </message>
    <message>
        <source>Archivio Valvole</source>
        <translation>Tube Database</translation>
    </message>
    <message>
        <source>Massimo I</source>
        <translation>Max I</translation>
    </message>
    <message>
        <source>Coordinate massimo asse Y</source>
        <translation>Coordinates of the Y axis maximum</translation>
    </message>
    <message>
        <source>X=</source>
        <translation>X=</translation>
    </message>
    <message>
        <source>Y=</source>
        <translation>Y=</translation>
    </message>
    <message>
        <source>I=</source>
        <translation>I=</translation>
    </message>
    <message>
        <source>Mouse</source>
        <translation>Mouse</translation>
    </message>
    <message>
        <source>Posizione corrente asse Y</source>
        <translation>Current position, Y axis</translation>
    </message>
    <message>
        <source>Origine</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>Coordinate origine degli assi</source>
        <translation>Coordinates of the axes origin</translation>
    </message>
    <message>
        <source>Posizione corrente asse X</source>
        <translation>Current position, X axis</translation>
    </message>
    <message>
        <source>V=</source>
        <translation>V=</translation>
    </message>
    <message>
        <source>Massimo V</source>
        <translation>Max V</translation>
    </message>
    <message>
        <source>Coordinate massimo asse X</source>
        <translation>Coordinates of the X axis maximum</translation>
    </message>
    <message>
        <source>Y0=</source>
        <translation>Y0=</translation>
    </message>
    <message>
        <source>X0=</source>
        <translation>X0=</translation>
    </message>
    <message>
        <source>V0=</source>
        <translation>V0=</translation>
    </message>
    <message>
        <source>I0=</source>
        <translation>I0=</translation>
    </message>
    <message>
        <source>Y1=</source>
        <translation>Y1=</translation>
    </message>
    <message>
        <source>X1=</source>
        <translation>X1=</translation>
    </message>
    <message>
        <source>V1=</source>
        <translation>V1=</translation>
    </message>
    <message>
        <source>I1=</source>
        <translation>I1=</translation>
    </message>
    <message>
        <source>YG=</source>
        <translation>YG=</translation>
    </message>
    <message>
        <source>XG=</source>
        <translation>XG=</translation>
    </message>
    <message>
        <source>VA=</source>
        <translation>Vp=</translation>
    </message>
    <message>
        <source>IA=</source>
        <translation>Ip=</translation>
    </message>
    <message>
        <source>Vb=</source>
        <translation>Vb=</translation>
    </message>
    <message>
        <source>Yu=</source>
        <translation>Yu=</translation>
    </message>
    <message>
        <source>Xu=</source>
        <translation>Xu=</translation>
    </message>
    <message>
        <source>Vu=</source>
        <translation>Vu=</translation>
    </message>
    <message>
        <source>Iu=</source>
        <translation>Iu=</translation>
    </message>
    <message>
        <source>Vg=</source>
        <translation>Vg=</translation>
    </message>
    <message>
        <source>Inserire la Tensione di griglia del punto</source>
        <translation>Enter the point&apos;s grid voltage</translation>
    </message>
    <message>
        <source>Componenti</source>
        <translation>Components</translation>
    </message>
    <message>
        <source>Calcolo componenti</source>
        <translation>Component calculation</translation>
    </message>
    <message>
        <source>R.Anodica=</source>
        <translation>Plate Load=</translation>
    </message>
    <message>
        <source>R.Catodica=</source>
        <translation>R.Cathode=</translation>
    </message>
    <message>
        <source>C.Bypass=</source>
        <translation>C.Bypass=</translation>
    </message>
    <message>
        <source>R.Equiv.Tubo=</source>
        <translation>R.Equiv.Tube=</translation>
    </message>
    <message>
        <source>Guadagno=</source>
        <translation>Gain=</translation>
    </message>
    <message>
        <source>Per ricalcolare la retta, inserire il nuovo valore</source>
        <translation>To recalculate the load line, enter the new value</translation>
    </message>
    <message>
        <source>Va/Ia al punto di lavoro (non è la resistenza interna rp)</source>
        <translation>Vp/Ip at the operating point (not the plate resistance rp)</translation>
    </message>
    <message>
        <source>Potenza Massima</source>
        <translation>Max Dissipation</translation>
    </message>
    <message>
        <source>PMax(mW)=</source>
        <translation>PMax(mW)=</translation>
    </message>
    <message>
        <source>Schema</source>
        <translation>Schematic</translation>
    </message>
    <message>
        <source>Dati Caratteristici</source>
        <translation>Tube Ratings</translation>
    </message>
    <message>
        <source>Immagine File:</source>
        <translation>Picture File:</translation>
    </message>
    <message>
        <source>Piedinatura File:</source>
        <translation>Pin-out File:</translation>
    </message>
    <message>
        <source>Curva File:</source>
        <translation>Curves File:</translation>
    </message>
    <message>
        <source>&amp;Lingua</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>La scelta vale dal prossimo avvio</source>
        <translation>The choice applies from the next start</translation>
    </message>
    <message>
        <source>KOR_VEL sarà in inglese dal prossimo avvio.</source>
        <translation>KOR_VEL will be in English from the next start.</translation>
    </message>
    <message>
        <source>KOR_VEL sarà in italiano dal prossimo avvio.</source>
        <translation>KOR_VEL sarà in italiano dal prossimo avvio.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Leggi Progetto</source>
        <translation>&amp;Open Project...</translation>
    </message>
    <message>
        <source>Sal&amp;va Progetto</source>
        <translation>&amp;Save Project...</translation>
    </message>
    <message>
        <source>&amp;Stampa</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Progetto</source>
        <translation>&amp;Project</translation>
    </message>
    <message>
        <source>&amp;Diagramma</source>
        <translation>&amp;Diagram</translation>
    </message>
    <message>
        <source>&amp;Esportazione</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <source>Progetto &amp;PDF</source>
        <translation>Project as &amp;PDF</translation>
    </message>
    <message>
        <source>Progetto &amp;HTML</source>
        <translation>Project as &amp;HTML</translation>
    </message>
    <message>
        <source>Diagramma &amp;JPEG</source>
        <translation>Diagram as &amp;JPEG</translation>
    </message>
    <message>
        <source>&amp;Diagramma HTML</source>
        <translation>&amp;Diagram as HTML</translation>
    </message>
    <message>
        <source>&amp;Importa Archivio ZIP</source>
        <translation>&amp;Import ZIP Archive</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Traccia Potenza MAX.</source>
        <translation>Draw Max Dissipation</translation>
    </message>
    <message>
        <source>Co&amp;mpleta Retta</source>
        <translation>Co&amp;mplete Load Line</translation>
    </message>
    <message>
        <source>&amp;Calcolo Componenti</source>
        <translation>&amp;Calculate Components</translation>
    </message>
    <message>
        <source>Ria&amp;lcola e disegna Retta</source>
        <translation>Reca&amp;lculate and Draw Load Line</translation>
    </message>
    <message>
        <source>&amp;Grafico Risposta</source>
        <translation>&amp;Response</translation>
    </message>
    <message>
        <source>&amp;Cancella</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Retta</source>
        <translation>&amp;Load Line</translation>
    </message>
    <message>
        <source>&amp;Punto Lavoro</source>
        <translation>&amp;Operating Point</translation>
    </message>
    <message>
        <source>Punto &amp;Gain</source>
        <translation>&amp;Gain Point</translation>
    </message>
    <message>
        <source>&amp;Retta Calcolata</source>
        <translation>&amp;Calculated Load Line</translation>
    </message>
    <message>
        <source>R&amp;icarica Curva</source>
        <translation>Re&amp;load Curves</translation>
    </message>
    <message>
        <source>Mostra Modello</source>
        <translation>Show Model</translation>
    </message>
    <message>
        <source>Utilità</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Ricarica Base &amp;Dati</source>
        <translation>Reload &amp;Database</translation>
    </message>
    <message>
        <source>Inserisci &amp;Nuova Valvola</source>
        <translation>Enter &amp;New Tube</translation>
    </message>
    <message>
        <source>Crea Archivio ZIP</source>
        <translation>Create ZIP Archive</translation>
    </message>
    <message>
        <source>&amp;Modello Valvola...</source>
        <translation>Tube &amp;Model...</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>A&amp;bout</translation>
    </message>
    <message>
        <source>Ricarica Valvola: </source>
        <translation>Reload Tube: </translation>
    </message>
    <message>
        <source>Stadio &amp;Finale...</source>
        <translation>&amp;Output Stage...</translation>
    </message>
</context>
<context>
    <name>KOR_MANUALE</name>
    <message>
        <source>Documentazione</source>
        <translation>Documentation</translation>
    </message>
    <message>
        <source>Comandi del visualizzatore</source>
        <translation>Viewer commands</translation>
    </message>
    <message>
        <source>Pagina precedente</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Pagina corrente</source>
        <translation>Current page</translation>
    </message>
    <message>
        <source>Pagina successiva</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Riduci</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Ingrandisci</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Larghezza pagina</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>Adatta alla larghezza della finestra</source>
        <translation>Fit to the window width</translation>
    </message>
    <message>
        <source>Pagina intera</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>Mostra una pagina intera</source>
        <translation>Show a whole page</translation>
    </message>
    <message>
        <source>Impossibile aprire il documento:
</source>
        <translation>Cannot open the document:
</translation>
    </message>
    <message>
        <source>Visualizzatore PDF non disponibile.
</source>
        <translation>PDF viewer not available.
</translation>
    </message>
    <message>
        <source>Pagina %1 di %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>Nuovo_Dispositivo</name>
    <message>
        <source>Caricamento nuova Valvola</source>
        <translation>Enter New Tube</translation>
    </message>
    <message>
        <source>Inserimento parametri</source>
        <translation>Enter rating</translation>
    </message>
    <message>
        <source>File Curve</source>
        <translation>Curves File</translation>
    </message>
    <message>
        <source>Immagini e PDF (*.gif *.jpg *.jpeg *.png *.bmp *.tif *.tiff *.pdf)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.tif;*.tiff;*.pdf|gif (*.gif)|*.gif|jpg (*.jpg *.jpeg)|*.jpg;*.jpeg|png (*.png)|*.png|bmp (*.bmp)|*.bmp|tiff (*.tif *.tiff)|*.tif;*.tiff|pdf (*.pdf)|*.pdf|Generico (*.*)|*.*|</source>
        <translation>Pictures and PDF (*.gif *.jpg *.jpeg *.png *.bmp *.tif *.tiff *.pdf)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.tif;*.tiff;*.pdf|gif (*.gif)|*.gif|jpg (*.jpg *.jpeg)|*.jpg;*.jpeg|png (*.png)|*.png|bmp (*.bmp)|*.bmp|tiff (*.tif *.tiff)|*.tif;*.tiff|pdf (*.pdf)|*.pdf|All files (*.*)|*.*|</translation>
    </message>
    <message>
        <source>File Immagine</source>
        <translation>Picture File</translation>
    </message>
    <message>
        <source>jpg (*.jpg)|*.jpg|gif (*.gif)|*.gif|Generico (*.*)|*.*|</source>
        <translation>jpg (*.jpg)|*.jpg|gif (*.gif)|*.gif|All files (*.*)|*.*|</translation>
    </message>
    <message>
        <source>File Piedinatura</source>
        <translation>Pin-out File</translation>
    </message>
    <message>
        <source>gif (*.gif)|*.gif|jpg (*.jpg)|*.jpg|Generico (*.*)|*.*|</source>
        <translation>gif (*.gif)|*.gif|jpg (*.jpg)|*.jpg|All files (*.*)|*.*|</translation>
    </message>
    <message>
        <source>Divisione della griglia</source>
        <translation>Grid division</translation>
    </message>
    <message>
        <source>Una divisione della griglia con la taratura impostata: in rosso se non è un numero tondo</source>
        <translation>One grid division with the calibration set: red when it is not a round number</translation>
    </message>
    <message>
        <source>Aggancia alla griglia</source>
        <translation>Snap to Grid</translation>
    </message>
    <message>
        <source>Impossibile leggere la pagina %1 del file PDF.</source>
        <translation>Cannot read page %1 of the PDF file.</translation>
    </message>
    <message>
        <source>Impossibile preparare l&apos;immagine ritagliata.</source>
        <translation>Cannot prepare the cropped picture.</translation>
    </message>
    <message>
        <source>Curve caratteristiche</source>
        <translation>Plate curves</translation>
    </message>
    <message>
        <source>Clic sinistro: menu dei punti di taratura</source>
        <translation>Left click: calibration points menu</translation>
    </message>
    <message>
        <source>Immagine</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Piedinatura</source>
        <translation>Pin-out</translation>
    </message>
    <message>
        <source>Sigla USA</source>
        <translation>US Type</translation>
    </message>
    <message>
        <source>Sigla EURO</source>
        <translation>EU Type</translation>
    </message>
    <message>
        <source>Modo</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>File Originale Curve</source>
        <translation>Original Curves File</translation>
    </message>
    <message>
        <source>File Originale Immagine</source>
        <translation>Original Picture File</translation>
    </message>
    <message>
        <source>File Originale Piedinatura</source>
        <translation>Original Pin-out File</translation>
    </message>
    <message>
        <source>Corrente massima X</source>
        <translation>Max current X</translation>
    </message>
    <message>
        <source>Corrente massima Y</source>
        <translation>Max current Y</translation>
    </message>
    <message>
        <source>Corrente massima I</source>
        <translation>Max current I</translation>
    </message>
    <message>
        <source>Tensione massima X</source>
        <translation>Max voltage X</translation>
    </message>
    <message>
        <source>Tensione massima Y</source>
        <translation>Max voltage Y</translation>
    </message>
    <message>
        <source>Tensione massima V</source>
        <translation>Max voltage V</translation>
    </message>
    <message>
        <source>Origine X</source>
        <translation>Origin X</translation>
    </message>
    <message>
        <source>Origine Y</source>
        <translation>Origin Y</translation>
    </message>
    <message>
        <source>Posizione X</source>
        <translation>Position X</translation>
    </message>
    <message>
        <source>Posizione V</source>
        <translation>Position V</translation>
    </message>
    <message>
        <source>Posizione Y</source>
        <translation>Position Y</translation>
    </message>
    <message>
        <source>Posizione I</source>
        <translation>Position I</translation>
    </message>
    <message>
        <source>Posizione corrente asse X</source>
        <translation>Current position, X axis</translation>
    </message>
    <message>
        <source>Posizione corrente asse Y</source>
        <translation>Current position, Y axis</translation>
    </message>
    <message>
        <source>PMax(mW)=</source>
        <translation>PMax(mW)=</translation>
    </message>
    <message>
        <source>Massimo I</source>
        <translation>Max I</translation>
    </message>
    <message>
        <source>Coordinate massimo asse Y</source>
        <translation>Coordinates of the Y axis maximum</translation>
    </message>
    <message>
        <source>Massimo V</source>
        <translation>Max V</translation>
    </message>
    <message>
        <source>Coordinate massimo asse X</source>
        <translation>Coordinates of the X axis maximum</translation>
    </message>
    <message>
        <source>Origine</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>Coordinate origine degli assi</source>
        <translation>Coordinates of the axes origin</translation>
    </message>
    <message>
        <source>Posizione</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Posizione corrente del mouse</source>
        <translation>Current mouse position</translation>
    </message>
    <message>
        <source>Potenza Massima</source>
        <translation>Max Dissipation</translation>
    </message>
    <message>
        <source>Massima potenza dissipabile</source>
        <translation>Max plate dissipation</translation>
    </message>
    <message>
        <source>Caratteristiche</source>
        <translation>Ratings</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nuova Valvola</source>
        <translation>&amp;New Tube</translation>
    </message>
    <message>
        <source>Carica Cur&amp;ve</source>
        <translation>Load Cur&amp;ves</translation>
    </message>
    <message>
        <source>Carica &amp;Immagine</source>
        <translation>Load &amp;Picture</translation>
    </message>
    <message>
        <source>Carica &amp;Piedinatura</source>
        <translation>Load Pi&amp;n-out</translation>
    </message>
    <message>
        <source>&amp;Salva DB</source>
        <translation>&amp;Save to Database</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>A&amp;bout</translation>
    </message>
    <message>
        <source>Punti di taratura</source>
        <translation>Calibration points</translation>
    </message>
    <message>
        <source>Set Corrente massima</source>
        <translation>Set Max Current</translation>
    </message>
    <message>
        <source>Set Origine</source>
        <translation>Set Origin</translation>
    </message>
    <message>
        <source>Set Tensione Massima</source>
        <translation>Set Max Voltage</translation>
    </message>
    <message>
        <source>Traccia Potenza massima</source>
        <translation>Draw Max Dissipation</translation>
    </message>
    <message>
        <source>Sposta manualmente</source>
        <translation>Move by Hand</translation>
    </message>
    <message>
        <source>Esistono già:
%1
Sostituirli?</source>
        <translation>These already exist:
%1
Replace them?</translation>
    </message>
</context>
<context>
    <name>PaginePdf</name>
    <message>
        <source>Il file PDF %1 non contiene pagine.</source>
        <translation>The PDF file %1 has no pages.</translation>
    </message>
    <message>
        <source>Il file PDF %1 è protetto da password: non è possibile leggerlo.</source>
        <translation>The PDF file %1 is password protected: it cannot be read.</translation>
    </message>
    <message>
        <source>Impossibile aprire il file %1.</source>
        <translation>Cannot open the file %1.</translation>
    </message>
    <message>
        <source>Il file %1 è danneggiato o non è un PDF leggibile.</source>
        <translation>The file %1 is damaged or is not a readable PDF.</translation>
    </message>
    <message>
        <source>Questa versione del programma non legge i file PDF.</source>
        <translation>This version of the program does not read PDF files.</translation>
    </message>
</context>
<context>
    <name>PiattaformaQt</name>
    <message>
        <source>Sì</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>pag. %1</source>
        <translation>page %1</translation>
    </message>
    <message>
        <source>di %1</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>Valvola:</source>
        <translation>Tube:</translation>
    </message>
    <message>
        <source>Guadagno</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>R.Equiv.Tubo=</source>
        <translation>R.Equiv.Tube=</translation>
    </message>
    <message>
        <source>R.Anodica=</source>
        <translation>Plate Load=</translation>
    </message>
    <message>
        <source>R.Catodica=</source>
        <translation>R.Cathode=</translation>
    </message>
    <message>
        <source>C.Bypass=</source>
        <translation>C.Bypass=</translation>
    </message>
    <message>
        <source>Modello della valvola</source>
        <translation>Tube Model</translation>
    </message>
    <message>
        <source>Parametri</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Origine</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>Fonte</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Scarto medio (px)=</source>
        <translation>Mean residual (px)=</translation>
    </message>
    <message>
        <source>Scarto massimo (px)=</source>
        <translation>Max residual (px)=</translation>
    </message>
    <message>
        <source>Punti adattati</source>
        <translation>Points fitted</translation>
    </message>
    <message>
        <source>Scarto</source>
        <translation>Residual</translation>
    </message>
    <message>
        <source>non misurato</source>
        <translation>not measured</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Curve caratteristiche con il modello</source>
        <translation>Plate curves with the model</translation>
    </message>
    <message>
        <source>Kg1 nella forma Ip = (E1^Ex / Kg1)(1 + sgn E1).</source>
        <translation>Kg1 in the form Ip = (E1^Ex / Kg1)(1 + sgn E1).</translation>
    </message>
    <message>
        <source>Risposta dello stadio</source>
        <translation>Stage Response</translation>
    </message>
    <message>
        <source>nessuno</source>
        <translation>none</translation>
    </message>
    <message>
        <source>sì</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>Stadio finale</source>
        <translation>Output Stage</translation>
    </message>
    <message>
        <source>Ingressi</source>
        <translation>Inputs</translation>
    </message>
    <message>
        <source>Risultati</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Punto di Lavoro</source>
        <translation>Operating Point</translation>
    </message>
</context>
<context>
    <name>Ricalcolo</name>
    <message>
        <source>Parametri ricalcolo</source>
        <translation>Recalculation Parameters</translation>
    </message>
    <message>
        <source>Parametri  Anodica</source>
        <translation>Plate Parameters</translation>
    </message>
    <message>
        <source>VA=</source>
        <translation>Vp=</translation>
    </message>
    <message>
        <source>IA=</source>
        <translation>Ip=</translation>
    </message>
    <message>
        <source>Componenti</source>
        <translation>Components</translation>
    </message>
    <message>
        <source>Calcolo componenti</source>
        <translation>Component calculation</translation>
    </message>
    <message>
        <source>R.Anodica=</source>
        <translation>Plate Load=</translation>
    </message>
    <message>
        <source>R.Dinamica=</source>
        <translation>R.Dynamic=</translation>
    </message>
    <message>
        <source>Per ricalcolare la retta, inserire il nuovo valore</source>
        <translation>To recalculate the load line, enter the new value</translation>
    </message>
    <message>
        <source>Ricalcola</source>
        <translation>Recalculate</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RispostaStadio</name>
    <message>
        <source>%1 non contiene un numero.</source>
        <translation>%1 does not hold a number.</translation>
    </message>
    <message>
        <source>Carico successivo (Ohm)= non contiene un numero.</source>
        <translation>Next load (Ohm)= does not hold a number.</translation>
    </message>
    <message>
        <source>B+ (V)= deve essere maggiore di zero.</source>
        <translation>B+ (V)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Ra (Ohm)= deve essere maggiore di zero.</source>
        <translation>Ra (Ohm)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Rk (Ohm)= deve essere maggiore di zero.</source>
        <translation>Rk (Ohm)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Carico successivo (Ohm)= deve essere maggiore di zero.</source>
        <translation>Next load (Ohm)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Vg riposo (V)= non può essere positiva: la griglia condurrebbe già a riposo.</source>
        <translation>Vg rest (V)= cannot be positive: the grid would already conduct at rest.</translation>
    </message>
    <message>
        <source>Ampiezza ingresso (Vp)= deve essere maggiore di zero.</source>
        <translation>Input amplitude (Vp)= must be greater than zero.</translation>
    </message>
    <message>
        <source>I valori portano il calcolo fuori campo.</source>
        <translation>The values take the calculation out of range.</translation>
    </message>
    <message>
        <source>B+ non supera la tensione del punto di lavoro: con questa griglia la valvola non conduce.</source>
        <translation>B+ does not exceed the voltage of the operating point: with this grid bias the tube does not conduct.</translation>
    </message>
    <message>
        <source>B+ non supera la tensione del punto di lavoro.</source>
        <translation>B+ does not exceed the voltage of the operating point.</translation>
    </message>
    <message>
        <source>Il modello non dà pendenza nel punto di lavoro.</source>
        <translation>The model gives no transconductance at the operating point.</translation>
    </message>
    <message>
        <source>Il modello non dà una soluzione per questa ampiezza.</source>
        <translation>The model gives no solution for this amplitude.</translation>
    </message>
    <message>
        <source>L&apos;uscita non ha fondamentale: la valvola resta interdetta.</source>
        <translation>The output has no fundamental: the tube stays cut off.</translation>
    </message>
    <message>
        <source>Ampiezza ingresso (Vp)= è troppo piccola per calcolare le armoniche.</source>
        <translation>Input amplitude (Vp)= is too small to calculate the harmonics.</translation>
    </message>
    <message>
        <source>Il modello non raggiunge né 0 V di griglia né l&apos;interdizione.</source>
        <translation>The model reaches neither 0 V at the grid nor cut-off.</translation>
    </message>
    <message>
        <source>Il modello non dà una soluzione lungo la retta di carico.</source>
        <translation>The model gives no solution along the load line.</translation>
    </message>
    <message>
        <source>Nessun risultato da esportare.</source>
        <translation>No result to export.</translation>
    </message>
</context>
<context>
    <name>Ritaglia_Grafico</name>
    <message>
        <source>Ritaglia Grafico</source>
        <translation>Crop Chart</translation>
    </message>
    <message>
        <source>Immagine da ritagliare</source>
        <translation>Picture to crop</translation>
    </message>
    <message>
        <source>Trascinare con il tasto sinistro un rettangolo attorno al grafico</source>
        <translation>Drag a rectangle around the chart with the left button</translation>
    </message>
    <message>
        <source>Trascinare un rettangolo attorno al grafico: assi, numeri e curve.</source>
        <translation>Drag a rectangle around the chart: axes, numbers and curves.</translation>
    </message>
    <message>
        <source>Raddrizza</source>
        <translation>Straighten</translation>
    </message>
    <message>
        <source>Raddrizzatura</source>
        <translation>Straightening</translation>
    </message>
    <message>
        <source>Raddrizzato di %1°</source>
        <translation>Straightened by %1°</translation>
    </message>
    <message>
        <source>Ruota a sinistra</source>
        <translation>Rotate Left</translation>
    </message>
    <message>
        <source>Ruota a destra</source>
        <translation>Rotate Right</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tutta l&apos;immagine</source>
        <translation>Whole Picture</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nessun grafico trovato in questa pagina: trascinare un rettangolo attorno al grafico</source>
        <translation>No chart found on this page: drag a rectangle around the chart</translation>
    </message>
</context>
<context>
    <name>Scelta_Pagina</name>
    <message>
        <source>Pagina</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Pagine</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Scegliere la pagina con le curve:</source>
        <translation>Choose the page with the curves:</translation>
    </message>
    <message>
        <source>Pagina %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>StadioFinale</name>
    <message>
        <source>Va riposo (V)=</source>
        <translation>Vp at rest (V)=</translation>
    </message>
    <message>
        <source>Ia riposo (mA)=</source>
        <translation>Ip at rest (mA)=</translation>
    </message>
    <message>
        <source>Pa riposo (W)=</source>
        <translation>Plate diss. at rest (W)=</translation>
    </message>
    <message>
        <source>Pa riposo (% max)=</source>
        <translation>Plate diss. at rest (% max)=</translation>
    </message>
    <message>
        <source>Rk (Ohm)=</source>
        <translation>Rk (Ohm)=</translation>
    </message>
    <message>
        <source>Potenza Rk (W)=</source>
        <translation>Rk power (W)=</translation>
    </message>
    <message>
        <source>Potenza uscita (W)=</source>
        <translation>Output power (W)=</translation>
    </message>
    <message>
        <source>Potenza massima (W)=</source>
        <translation>Maximum power (W)=</translation>
    </message>
    <message>
        <source>Rendimento (%)=</source>
        <translation>Efficiency (%)=</translation>
    </message>
    <message>
        <source>Pa media (W)=</source>
        <translation>Avg plate diss. (W)=</translation>
    </message>
    <message>
        <source>H2 (%)=</source>
        <translation>H2 (%)=</translation>
    </message>
    <message>
        <source>H3 (%)=</source>
        <translation>H3 (%)=</translation>
    </message>
    <message>
        <source>H4 (%)=</source>
        <translation>H4 (%)=</translation>
    </message>
    <message>
        <source>H5 (%)=</source>
        <translation>H5 (%)=</translation>
    </message>
    <message>
        <source>THD (%)=</source>
        <translation>THD (%)=</translation>
    </message>
    <message>
        <source>rp (Ohm)=</source>
        <translation>rp (Ohm)=</translation>
    </message>
    <message>
        <source>Fattore di smorzamento=</source>
        <translation>Damping factor=</translation>
    </message>
    <message>
        <source>Spostamento polarizzazione (V)=</source>
        <translation>Bias shift (V)=</translation>
    </message>
    <message>
        <source>Rapporto spire=</source>
        <translation>Turns ratio=</translation>
    </message>
    <message>
        <source>B+ (V)=</source>
        <translation>B+ (V)=</translation>
    </message>
    <message>
        <source>Vg2 (V)=</source>
        <translation>Vg2 (V)=</translation>
    </message>
    <message>
        <source>Presa UL (%)=</source>
        <translation>UL tap (%)=</translation>
    </message>
    <message>
        <source>Impedenza primario (Ohm)=</source>
        <translation>Primary impedance (Ohm)=</translation>
    </message>
    <message>
        <source>Resistenza DC primario (Ohm)=</source>
        <translation>Primary DC resistance (Ohm)=</translation>
    </message>
    <message>
        <source>Vg riposo (V)=</source>
        <translation>Grid bias (V)=</translation>
    </message>
    <message>
        <source>Ampiezza ingresso (Vp)=</source>
        <translation>Input amplitude (Vp)=</translation>
    </message>
    <message>
        <source>Carico altoparlante (Ohm)=</source>
        <translation>Speaker load (Ohm)=</translation>
    </message>
    <message>
        <source>Stadio Finale</source>
        <translation>Output Stage</translation>
    </message>
    <message>
        <source>Stadio</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>Topologia</source>
        <translation>Topology</translation>
    </message>
    <message>
        <source>Single Ended</source>
        <translation>Single Ended</translation>
    </message>
    <message>
        <source>Push-Pull</source>
        <translation>Push-Pull</translation>
    </message>
    <message>
        <source>Collegamento</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Triodo</source>
        <translation>Triode</translation>
    </message>
    <message>
        <source>Pentodo</source>
        <translation>Pentode</translation>
    </message>
    <message>
        <source>Ultralineare</source>
        <translation>Ultralinear</translation>
    </message>
    <message>
        <source>Single Ended: placca-B+; Push-Pull: placca-placca (Raa)</source>
        <translation>Single Ended: plate to B+; Push-Pull: plate to plate (Raa)</translation>
    </message>
    <message>
        <source>Polarizzazione</source>
        <translation>Bias</translation>
    </message>
    <message>
        <source>Fissa</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>Catodica</source>
        <translation>Cathode</translation>
    </message>
    <message>
        <source>Risultati</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Classe=</source>
        <translation>Class=</translation>
    </message>
    <message>
        <source>Stato del calcolo</source>
        <translation>Calculation status</translation>
    </message>
    <message>
        <source>Traccia su grafico</source>
        <translation>Draw on chart</translation>
    </message>
    <message>
        <source>Cancella</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Salva Immagine</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>Esporta CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>Chiudi</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Caratteristiche di placca</source>
        <translation>Plate characteristics</translation>
    </message>
    <message>
        <source>Va (V)</source>
        <translation>Vp (V)</translation>
    </message>
    <message>
        <source>Ia (mA)</source>
        <translation>Ip (mA)</translation>
    </message>
    <message>
        <source>Pa max</source>
        <translation>Max plate diss.</translation>
    </message>
    <message>
        <source>Retta composita</source>
        <translation>Composite load line</translation>
    </message>
    <message>
        <source>Retta di carico</source>
        <translation>Load line</translation>
    </message>
    <message>
        <source>Escursione</source>
        <translation>Swing</translation>
    </message>
    <message>
        <source>Oltre 0 V di griglia</source>
        <translation>Past 0 V grid</translation>
    </message>
    <message>
        <source>Punto di lavoro</source>
        <translation>Operating point</translation>
    </message>
    <message>
        <source>Tensione primario e correnti di placca in un periodo</source>
        <translation>Primary voltage and plate currents over one period</translation>
    </message>
    <message>
        <source>t / periodo</source>
        <translation>t / period</translation>
    </message>
    <message>
        <source>V primario (V)</source>
        <translation>Primary V (V)</translation>
    </message>
    <message>
        <source>Primario</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>Ia tubo 1</source>
        <translation>Ip tube 1</translation>
    </message>
    <message>
        <source>Ia tubo 2</source>
        <translation>Ip tube 2</translation>
    </message>
    <message>
        <source>Armoniche (dB rispetto a H1)</source>
        <translation>Harmonics (dB relative to H1)</translation>
    </message>
    <message>
        <source>dB rispetto a H1</source>
        <translation>dB relative to H1</translation>
    </message>
    <message>
        <source>dB</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>L&apos;escursione supera 0 V di griglia (in rosso): il modello non ha corrente di griglia.</source>
        <translation>The swing goes past 0 V on the grid (in red): the model has no grid current.</translation>
    </message>
    <message>
        <source>A riposo la placca dissipa più della sua potenza massima.</source>
        <translation>At rest the plate dissipates more than its maximum rating.</translation>
    </message>
    <message>
        <source>Curve di placca da %1 V a %2 V di griglia, passo %3 V.</source>
        <translation>Plate curves from %1 V to %2 V grid, in %3 V steps.</translation>
    </message>
    <message>
        <source>La retta cade fuori dagli assi del grafico.</source>
        <translation>The line falls outside the chart&apos;s axes.</translation>
    </message>
    <message>
        <source>Impossibile salvare l&apos;immagine in %1.</source>
        <translation>Cannot save the image to %1.</translation>
    </message>
    <message>
        <source>Impossibile esportare il file %1: %2</source>
        <translation>Cannot export the file %1: %2</translation>
    </message>
    <message>
        <source>I valori portano il calcolo fuori campo.</source>
        <translation>The values take the calculation out of range.</translation>
    </message>
    <message>
        <source>B+ (V)= deve essere maggiore di zero.</source>
        <translation>B+ (V)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Impedenza primario (Ohm)= deve essere maggiore di zero.</source>
        <translation>Primary impedance (Ohm)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Resistenza DC primario (Ohm)= non può essere negativa.</source>
        <translation>Primary DC resistance (Ohm)= cannot be negative.</translation>
    </message>
    <message>
        <source>Vg riposo (V)= non può essere positiva: la griglia condurrebbe già a riposo.</source>
        <translation>Vg rest (V)= cannot be positive: the grid would already conduct at rest.</translation>
    </message>
    <message>
        <source>Ampiezza ingresso (Vp)= deve essere maggiore di zero.</source>
        <translation>Input amplitude (Vp)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Carico altoparlante (Ohm)= deve essere maggiore di zero.</source>
        <translation>Speaker load (Ohm)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Vg2 (V)= deve essere maggiore di zero.</source>
        <translation>Vg2 (V)= must be greater than zero.</translation>
    </message>
    <message>
        <source>Presa UL (%)= deve stare fra 0 e 100.</source>
        <translation>UL tap (%)= must lie between 0 and 100.</translation>
    </message>
    <message>
        <source>B+ non supera la tensione di polarizzazione: la valvola non ha tensione di placca.</source>
        <translation>B+ does not exceed the bias voltage: the tube has no plate voltage.</translation>
    </message>
    <message>
        <source>Con questa griglia la valvola non conduce a riposo: il punto di lavoro non ha corrente.</source>
        <translation>With this grid bias the tube does not conduct at rest: the operating point has no current.</translation>
    </message>
    <message>
        <source>La resistenza DC del primario porta la placca sotto il catodo.</source>
        <translation>The primary&apos;s DC resistance takes the plate below the cathode.</translation>
    </message>
    <message>
        <source>Il modello non dà pendenza nel punto di lavoro.</source>
        <translation>The model gives no transconductance at the operating point.</translation>
    </message>
    <message>
        <source>Il modello non dà una soluzione per questa ampiezza.</source>
        <translation>The model gives no solution for this amplitude.</translation>
    </message>
    <message>
        <source>L&apos;uscita non ha fondamentale: la valvola resta interdetta.</source>
        <translation>The output has no fundamental: the tube stays cut off.</translation>
    </message>
    <message>
        <source>Il modello non dà una soluzione alla massima ampiezza.</source>
        <translation>The model gives no solution at full drive.</translation>
    </message>
    <message>
        <source>%1 non contiene un numero.</source>
        <translation>%1 does not hold a number.</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>AB</source>
        <translation>AB</translation>
    </message>
    <message>
        <source>A (taglio)</source>
        <translation>A (cut-off)</translation>
    </message>
    <message>
        <source>Nessun risultato da esportare.</source>
        <translation>No result to export.</translation>
    </message>
</context>
<context>
    <name>Vedi_Schema</name>
    <message>
        <source>Schema: </source>
        <translation>Schematic: </translation>
    </message>
</context>
<context>
    <name>Velmora</name>
    <message>
        <source>Base dati Già Presente</source>
        <translation>Database Already Present</translation>
    </message>
    <message>
        <source>Base dati Caricata</source>
        <translation>Database Loaded</translation>
    </message>
    <message>
        <source>Base dati non caricata da DatiValvole.zip: %1</source>
        <translation>Database not loaded from DatiValvole.zip: %1</translation>
    </message>
    <message>
        <source>Accesso Data base assente, vuoi procedere alla installazione?</source>
        <translation>No database access. Go on with the installation?</translation>
    </message>
</context>
<context>
    <name>analisi_grafico</name>
    <message>
        <source>Divisione: %1 V; %2 mA</source>
        <translation>Division: %1 V; %2 mA</translation>
    </message>
</context>
<context>
    <name>nuova_valvola</name>
    <message>
        <source>Nome Valvola assente</source>
        <translation>Tube name missing</translation>
    </message>
    <message>
        <source>Curva Assente</source>
        <translation>Curves missing</translation>
    </message>
    <message>
        <source>Corrente Massima Assente</source>
        <translation>Max current missing</translation>
    </message>
    <message>
        <source>Tensione Massima Assente</source>
        <translation>Max voltage missing</translation>
    </message>
    <message>
        <source>Origine Assente</source>
        <translation>Origin missing</translation>
    </message>
    <message>
        <source>Valvola inserita nel DB</source>
        <translation>Tube entered into the database</translation>
    </message>
    <message>
        <source>Errore inserimento Valvola nel DB</source>
        <translation>Error entering the tube into the database</translation>
    </message>
    <message>
        <source>Nome Valvola non valido per un nome di file: non deve contenere &quot;/&quot;, &quot;\&quot; o caratteri di controllo, né essere &quot;.&quot; o &quot;..&quot;</source>
        <translation>Tube name not valid as a file name: it must not contain &quot;/&quot;, &quot;\&quot; or control characters, nor be &quot;.&quot; or &quot;..&quot;</translation>
    </message>
</context>
</TS>
