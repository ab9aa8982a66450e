<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>About</name>
    <message>
        <source>About Quillon</source>
        <translation>Über Quillon</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Quillon %1&lt;/h3&gt;&lt;p&gt;A calculator for a laboratory packed-bed absorber in which ammonia is absorbed from air into water.&lt;/p&gt;&lt;p&gt;Licence: proprietary; all rights reserved.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Quillon %1&lt;/h3&gt;&lt;p&gt;Ein Rechenprogramm für einen Labor-Füllkörperabsorber, in dem Ammoniak aus Luft in Wasser absorbiert wird.&lt;/p&gt;&lt;p&gt;Lizenz: proprietär; alle Rechte vorbehalten.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>Über &amp;Qt</translation>
    </message>
</context>
<context>
    <name>AnalysisWindow</name>
    <message>
        <source>&amp;Weight by the uncertainties</source>
        <translation>Nach den Unsicherheiten &amp;gewichten</translation>
    </message>
    <message>
        <source>Series Analysis</source>
        <translation>Auswertung der Messreihe</translation>
    </message>
    <message>
        <source>Weights each run by 1/u² of its ln MTC, when every run in the fit has an uncertainty</source>
        <translation>Gewichtet jeden Versuch mit 1/u² seines ln MTC, wenn jeder Versuch der Anpassung eine Unsicherheit hat</translation>
    </message>
    <message>
        <source>&amp;Copy Picture</source>
        <translation>Bild &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Save Picture…</source>
        <translation>Bild &amp;speichern…</translation>
    </message>
    <message>
        <source>The coefficient of Quillon&apos;s NTU sum, or of the Colburn NTU; the uncertainties are the first&apos;s</source>
        <translation>Der Koeffizient aus Quillons NTU-Summe oder aus der Colburn-NTU; die Unsicherheiten sind die des ersten</translation>
    </message>
    <message>
        <source>C&amp;oefficient:</source>
        <translation>K&amp;oeffizient:</translation>
    </message>
</context>
<context>
    <name>ChartPicture</name>
    <message>
        <source>Copy Picture</source>
        <translation>Bild kopieren</translation>
    </message>
    <message>
        <source>Save Picture…</source>
        <translation>Bild speichern…</translation>
    </message>
</context>
<context>
    <name>ClassSummary</name>
    <message>
        <source>gas exponent</source>
        <translation>Gasexponent</translation>
    </message>
    <message>
        <source>water exponent</source>
        <translation>Wasserexponent</translation>
    </message>
    <message>
        <source>agrees</source>
        <translation>stimmt</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <source>no results</source>
        <translation>keine Ergebnisse</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>People</source>
        <translation>Personen</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Versuche</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Excluded</source>
        <translation>Ausgeschlossen</translation>
    </message>
    <message>
        <source>With findings</source>
        <translation>Mit Befunden</translation>
    </message>
    <message>
        <source>Runs in fit</source>
        <translation>Versuche im Fit</translation>
    </message>
    <message>
        <source>a</source>
        <translation>a</translation>
    </message>
    <message>
        <source>a, 95 % low</source>
        <translation>a, 95 % unten</translation>
    </message>
    <message>
        <source>a, 95 % high</source>
        <translation>a, 95 % oben</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>m, 95 % low</source>
        <translation>m, 95 % unten</translation>
    </message>
    <message>
        <source>m, 95 % high</source>
        <translation>m, 95 % oben</translation>
    </message>
    <message>
        <source>n</source>
        <translation>n</translation>
    </message>
    <message>
        <source>n, 95 % low</source>
        <translation>n, 95 % unten</translation>
    </message>
    <message>
        <source>n, 95 % high</source>
        <translation>n, 95 % oben</translation>
    </message>
    <message>
        <source>R²</source>
        <translation>R²</translation>
    </message>
    <message>
        <source>Weighted</source>
        <translation>Gewichtet</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>Outside the class</source>
        <translation>Außerhalb des Kurses</translation>
    </message>
    <message>
        <source>Why unweighted</source>
        <translation>Warum ungewichtet</translation>
    </message>
    <message>
        <source>unreadable: %1</source>
        <translation>nicht lesbar: %1</translation>
    </message>
</context>
<context>
    <name>ClassWindow</name>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Class Summary</source>
        <translation>Kursübersicht</translation>
    </message>
    <message>
        <source>&amp;Copy Table</source>
        <translation>Tabelle &amp;kopieren</translation>
    </message>
    <message>
        <source>Gas exponent m</source>
        <translation>Gasexponent m</translation>
    </message>
    <message>
        <source>Water exponent n</source>
        <translation>Wasserexponent n</translation>
    </message>
    <message>
        <source>%1 over %2 files: median %3, quartiles %4 to %5, range %6 to %7</source>
        <translation>%1 über %2 Dateien: Median %3, Quartile %4 bis %5, Spannweite %6 bis %7</translation>
    </message>
    <message>
        <source>%1: fewer than four files have it; no spread.</source>
        <translation>%1: Weniger als vier Dateien haben ihn; keine Streuung.</translation>
    </message>
    <message>
        <source>No file lies outside the class.</source>
        <translation>Keine Datei liegt außerhalb des Kurses.</translation>
    </message>
    <message>
        <source>Outside the class by more than 1.5 interquartile ranges: %1</source>
        <translation>Um mehr als 1,5 Quartilsabstände außerhalb des Kurses: %1</translation>
    </message>
    <message>
        <source>Not read: %1</source>
        <translation>Nicht gelesen: %1</translation>
    </message>
</context>
<context>
    <name>Findings</name>
    <message>
        <source>The gas flow is not above 0.</source>
        <translation>Der Gasstrom ist nicht größer als 0.</translation>
    </message>
    <message>
        <source>The water flow is not above 0.</source>
        <translation>Der Wasserstrom ist nicht größer als 0.</translation>
    </message>
    <message>
        <source>A mole fraction, y1 or x1, is below 0.</source>
        <translation>Ein Stoffmengenanteil, y1 oder x1, ist kleiner als 0.</translation>
    </message>
    <message>
        <source>The gas leaves as rich in NH3 as it came, or richer (y2 ≥ y1): nothing is absorbed.</source>
        <translation>Das Gas verlässt die Kolonne mit so viel NH3, wie es hatte, oder mehr (y2 ≥ y1): Es wird nichts absorbiert.</translation>
    </message>
    <message>
        <source>x1 is at or beyond the water&apos;s equilibrium with the entering gas (x1 · m ≥ y1), which counter-current contact cannot reach.</source>
        <translation>x1 liegt am oder jenseits des Gleichgewichts des Wassers mit dem eintretenden Gas (x1 · m ≥ y1), das der Gegenstrom nicht erreichen kann.</translation>
    </message>
    <message>
        <source>The driving force changes sign between the limits: the integral the NTU sum stands for does not exist.</source>
        <translation>Die treibende Kraft wechselt zwischen den Grenzen das Vorzeichen: Das Integral, für das die NTU-Summe steht, existiert nicht.</translation>
    </message>
    <message>
        <source>The run has no column temperature: its equilibrium is the table&apos;s at 30 °C.</source>
        <translation>Der Versuch hat keine Kolonnentemperatur: Sein Gleichgewicht ist das der Tabelle bei 30 °C.</translation>
    </message>
    <message>
        <source>The column temperature is outside 5–50 °C, where the equilibrium&apos;s scaling with temperature is not checked.</source>
        <translation>Die Kolonnentemperatur liegt außerhalb von 5–50 °C, wo die Umrechnung des Gleichgewichts auf die Temperatur nicht geprüft ist.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Quillon NH3 Absorber</source>
        <translation>Quillon NH3-Absorber</translation>
    </message>
    <message>
        <source>Unit Operations Laboratory</source>
        <translation>Labor für Grundoperationen</translation>
    </message>
    <message>
        <source>All rights reserved</source>
        <translation>Alle Rechte vorbehalten</translation>
    </message>
    <message>
        <source>This Software is intended for use on the Gas Absorption Equipment at Veradon University College of Engineering Unit Operations Laboratory.</source>
        <translation>Diese Software ist für die Gasabsorptionsanlage im Labor für Grundoperationen des Veradon University College of Engineering bestimmt.</translation>
    </message>
    <message>
        <source>This software assumes that the H20 is not recycled and that the entering H20 does not contain any NH3. This is Designed for Dilute Gas Mixtures </source>
        <translation>Die Software nimmt an, dass das Wasser nicht im Kreislauf geführt wird und das zulaufende Wasser kein NH3 enthält. Ausgelegt für verdünnte Gasgemische.</translation>
    </message>
    <message>
        <source>Gas Inlet</source>
        <translation>Gaseintritt</translation>
    </message>
    <message>
        <source>Gas Flowrate</source>
        <translation>Gasstrom</translation>
    </message>
    <message>
        <source>%NH3</source>
        <translation>%NH3</translation>
    </message>
    <message>
        <source>Gas Inlet %NH3</source>
        <translation>Gaseintritt %NH3</translation>
    </message>
    <message>
        <source>Water Inlet</source>
        <translation>Wassereintritt</translation>
    </message>
    <message>
        <source>H20 Flowrate</source>
        <translation>Wasserstrom</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Mole Fraction of NH3</source>
        <translation>Stoffmengenanteil NH3</translation>
    </message>
    <message>
        <source>%NH3 at Air Outlet</source>
        <translation>%NH3 am Luftaustritt</translation>
    </message>
    <message>
        <source>NTU</source>
        <translation>NTU</translation>
    </message>
    <message>
        <source>K- Calculator</source>
        <translation>K-Rechner</translation>
    </message>
    <message>
        <source>Height of Packing (meters)</source>
        <translation>Füllkörperhöhe (Meter)</translation>
    </message>
    <message>
        <source>Find MTC</source>
        <translation>K ermitteln</translation>
    </message>
    <message>
        <source>Mass Transfer Coefficient</source>
        <translation>Stoffübergangskoeffizient</translation>
    </message>
    <message>
        <source>Water Outlet</source>
        <translation>Wasseraustritt</translation>
    </message>
    <message>
        <source>Water Outlet %NH3</source>
        <translation>Wasseraustritt %NH3</translation>
    </message>
    <message>
        <source>Quillon</source>
        <translation>Quillon</translation>
    </message>
    <message>
        <source>NH3 mole fraction, not a percentage: %1 for 2 %</source>
        <translation>NH3-Stoffmengenanteil, kein Prozentwert: %1 für 2 %</translation>
    </message>
    <message>
        <source>&amp;Graph</source>
        <translation>&amp;Diagramm</translation>
    </message>
    <message>
        <source>Start Graphin!</source>
        <translation>Diagramm zeichnen</translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation>FEHLER</translation>
    </message>
    <message>
        <source>Uncertainties: %v of %m runs</source>
        <translation>Unsicherheiten: %v von %m Versuchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stops computing the uncertainties</source>
        <translation>Beendet die Berechnung der Unsicherheiten</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Operating Line</source>
        <translation>Arbeitsgerade</translation>
    </message>
    <message>
        <source>Equilibrium Line</source>
        <translation>Gleichgewicht</translation>
    </message>
    <message>
        <source>Graph thingy of the equilibrium line and operating line...</source>
        <translation>Diagramm der Gleichgewichtskurve und der Arbeitsgeraden</translation>
    </message>
    <message>
        <source>Data Error</source>
        <translation>Datenfehler</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Division by zero</source>
        <translation>Division durch null</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Invalid operation</source>
        <translation>Ungültige Operation</translation>
    </message>
    <message>
        <source>Arithmetic fault</source>
        <translation>Rechenfehler</translation>
    </message>
    <message>
        <source>Invalid Data</source>
        <translation>Ungültige Daten</translation>
    </message>
    <message>
        <source>Not a number</source>
        <translation>Keine Zahl</translation>
    </message>
    <message>
        <source>%1 is empty. Type a number.</source>
        <translation>%1 ist leer. Geben Sie eine Zahl ein.</translation>
    </message>
    <message>
        <source>Number too large</source>
        <translation>Zahl zu groß</translation>
    </message>
    <message>
        <source>%1 holds &quot;%2&quot;, which is too large a number.</source>
        <translation>%1 enthält „%2“, eine zu große Zahl.</translation>
    </message>
    <message>
        <source>%1 holds &quot;%2&quot;, which is not a number.</source>
        <translation>%1 enthält „%2“, das ist keine Zahl.</translation>
    </message>
    <message>
        <source>%1. The calculation was stopped at that step.</source>
        <translation>%1. Die Berechnung wurde an dieser Stelle abgebrochen.</translation>
    </message>
    <message>
        <source>%1. Drawing stopped there; the chart shows what was drawn before.</source>
        <translation>%1. Das Zeichnen wurde dort abgebrochen; das Diagramm zeigt, was bis dahin gezeichnet war.</translation>
    </message>
</context>
<context>
    <name>MethodWindow</name>
    <message>
        <source>Method and Data</source>
        <translation>Methode und Daten</translation>
    </message>
    <message>
        <source>&lt;h2&gt;What Quillon computes&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Was Quillon berechnet&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;The inputs&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Die Eingaben&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Both compositions are NH3 mole fractions, not percentages: type %1 for 2 % NH3. y1 is the fraction in the entering gas and x1 the fraction in the leaving water. Both flows are in the series&apos; flow unit (mol/s unless the Runs window names another): the balance takes only their ratio, and Find MTC the gas flow itself, so the coefficient is in that unit per m³. The gas flow is the air without its NH3, the water flow the water. The height of packing is in metres.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Beide Zusammensetzungen sind NH3-Stoffmengenanteile (Molanteile), keine Prozentwerte: Für 2 % NH3 geben Sie %1 ein. y1 ist der Anteil im eintretenden Gas, x1 der Anteil im austretenden Wasser. Beide Ströme sind in der Stromeinheit der Messreihe angegeben (mol/s, sofern das Fenster Versuche keine andere nennt): Die Bilanz nimmt nur ihr Verhältnis, „K ermitteln“ den Gasstrom selbst, sodass der Koeffizient in dieser Einheit je m³ steht. Der Gasstrom ist die Luft ohne ihr NH3, der Wasserstrom das Wasser. Die Füllkörperhöhe wird in Metern angegeben.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Calculate&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Berechnen&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The run is refused unless y1, x1 and both flows differ from 0, y1 is at most %1 and x1 is less than 1. The equilibrium point (x*, y*) is the first row of the table below whose x is greater than y1, or the last row for y1 up to %1; its slope is m = y*/x*.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ein Versuch wird nur angenommen, wenn y1, x1 und beide Ströme von 0 verschieden sind, y1 höchstens %1 und x1 kleiner als 1 ist. Der Gleichgewichtspunkt (x*, y*) ist die erste Zeile der Tabelle unten, deren x größer als y1 ist, bei y1 bis %1 die letzte Zeile; seine Steigung ist m = y*/x*.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The NH3 balance over the column, in mole ratios, gives the leaving-gas fraction:&lt;br&gt;Y2 = y1/(1 − y1) − x1/(1 − x1) · L/G, &amp;nbsp; y2 = Y2/(Y2 + 1),&lt;br&gt;with L the water flow and G the gas flow. The run is refused unless y2, rounded to 4 decimals, lies strictly between 0 and 1.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die NH3-Bilanz über die Kolonne in Molverhältnissen (Beladungen) ergibt den Anteil im austretenden Gas:&lt;br&gt;Y2 = y1/(1 − y1) − x1/(1 − x1) · L/G, &amp;nbsp; y2 = Y2/(Y2 + 1),&lt;br&gt;mit L dem Wasserstrom und G dem Gasstrom. Der Versuch wird nur angenommen, wenn y2, auf 4 Nachkommastellen gerundet, echt zwischen 0 und 1 liegt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Find MTC&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;K ermitteln&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The mass-transfer coefficient is K = NTU · G / (z · A), with z the height of packing and A = 0.05² × 3.1416 m² the cross-section of the laboratory column. It needs a height, an NTU and a gas flow all greater than 0, from the last completed Calculate.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Stoffübergangskoeffizient ist K = NTU · G / (z · A), mit z der Füllkörperhöhe und A = 0,05² × 3,1416 m² dem Querschnitt der Laborkolonne. Er braucht eine Höhe, eine NTU und einen Gasstrom, alle größer als 0, aus dem letzten vollständigen „Berechnen“.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Assumptions&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Annahmen&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The gas mixture is dilute, the entering water holds no NH3, and the water is not recycled.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Das Gasgemisch ist verdünnt, das zulaufende Wasser enthält kein NH3, und das Wasser wird nicht im Kreislauf geführt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Equilibrium data&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Gleichgewichtsdaten&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;NH3 partial pressures over aqueous ammonia at 30 °C, converted to gas mole fractions as y* = p / 760 mmHg.&lt;/p&gt;</source>
        <translation>&lt;p&gt;NH3-Partialdrücke über wässriger Ammoniaklösung bei 30 °C, umgerechnet in Stoffmengenanteile im Gas als y* = p / 760 mmHg.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;table cellspacing=0 cellpadding=3 border=1&gt;&lt;tr&gt;&lt;th&gt;Row&lt;/th&gt;&lt;th&gt;x&lt;/th&gt;&lt;th&gt;y*&lt;/th&gt;&lt;/tr&gt;%1&lt;/table&gt;</source>
        <translation>&lt;table cellspacing=0 cellpadding=3 border=1&gt;&lt;tr&gt;&lt;th&gt;Zeile&lt;/th&gt;&lt;th&gt;x&lt;/th&gt;&lt;th&gt;y*&lt;/th&gt;&lt;/tr&gt;%1&lt;/table&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The number of transfer units is a left-end rectangle sum over %1 equal steps. Its variable is the scaled gas fraction Y = 29/17 · y (29/17 is the ratio of the molar masses of air and NH3), from Y&lt;sub&gt;lo&lt;/sub&gt; = 29/17 · y2 to Y&lt;sub&gt;hi&lt;/sub&gt; = 29/17 · y1 in steps Δ = (Y&lt;sub&gt;hi&lt;/sub&gt; − Y&lt;sub&gt;lo&lt;/sub&gt;) / %1. With the flow ratio r = G/L, the slope m and f = 1 − m · r, every step adds&lt;br&gt;|Δ / (a · Y + b)|, &amp;nbsp; a = 1 − r · f, &amp;nbsp; b = Y&lt;sub&gt;lo&lt;/sub&gt; · f,&lt;br&gt;for Y = Y&lt;sub&gt;lo&lt;/sub&gt;, Y&lt;sub&gt;lo&lt;/sub&gt; + Δ, …, Y&lt;sub&gt;lo&lt;/sub&gt; + (%1 − 1) · Δ.&lt;/p&gt;&lt;p&gt;The sum is the rectangle rule for the integral of dY / |a · Y + b| from Y&lt;sub&gt;lo&lt;/sub&gt; to Y&lt;sub&gt;hi&lt;/sub&gt;; where a · Y + b keeps its sign between the limits, that integral is |ln((a · Y&lt;sub&gt;hi&lt;/sub&gt; + b) / (a · Y&lt;sub&gt;lo&lt;/sub&gt; + b)) / a|, and the sum agrees with it to about six digits. It is not the integral of dy / (y − y*) along the operating line that textbooks give, and the two numbers differ.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Zahl der Übertragungseinheiten ist eine Summe nach der linken Rechteckregel über %1 gleiche Schritte. Ihre Variable ist der skalierte Gasanteil Y = 29/17 · y (29/17 ist das Verhältnis der molaren Massen von Luft und NH3), von Y&lt;sub&gt;lo&lt;/sub&gt; = 29/17 · y2 bis Y&lt;sub&gt;hi&lt;/sub&gt; = 29/17 · y1 in Schritten Δ = (Y&lt;sub&gt;hi&lt;/sub&gt; − Y&lt;sub&gt;lo&lt;/sub&gt;) / %1. Mit dem Stromverhältnis r = G/L, der Steigung m und f = 1 − m · r addiert jeder Schritt&lt;br&gt;|Δ / (a · Y + b)|, &amp;nbsp; a = 1 − r · f, &amp;nbsp; b = Y&lt;sub&gt;lo&lt;/sub&gt; · f,&lt;br&gt;für Y = Y&lt;sub&gt;lo&lt;/sub&gt;, Y&lt;sub&gt;lo&lt;/sub&gt; + Δ, …, Y&lt;sub&gt;lo&lt;/sub&gt; + (%1 − 1) · Δ.&lt;/p&gt;&lt;p&gt;Die Summe ist die Rechteckregel für das Integral von dY / |a · Y + b| von Y&lt;sub&gt;lo&lt;/sub&gt; bis Y&lt;sub&gt;hi&lt;/sub&gt;; wo a · Y + b zwischen den Grenzen sein Vorzeichen behält, ist dieses Integral |ln((a · Y&lt;sub&gt;hi&lt;/sub&gt; + b) / (a · Y&lt;sub&gt;lo&lt;/sub&gt; + b)) / a|, und die Summe stimmt auf etwa sechs Stellen damit überein. Sie ist nicht das Integral von dy / (y − y*) entlang der Arbeitsgeraden aus den Lehrbüchern, und die beiden Zahlen unterscheiden sich.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Quillon&apos;s NTU and the textbook&apos;s&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Quillons NTU und die des Lehrbuchs&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;For a dilute gas and straight lines, textbooks give the overall gas-phase NTU by the Colburn equation:&lt;br&gt;NTU&lt;sub&gt;OG&lt;/sub&gt; = ln[(1 − 1/A) · y1/y2 + 1/A] / (1 − 1/A), &amp;nbsp; A = L / (m · G),&lt;br&gt;and y1/y2 − 1 when A = 1. Quillon&apos;s NTU is the sum above, in closed form |ln((a · Y&lt;sub&gt;hi&lt;/sub&gt; + b) / (a · Y&lt;sub&gt;lo&lt;/sub&gt; + b)) / a|. The two integrate different things: the textbook integrates dy / (y − y*) along the operating line, in mole fractions; Quillon sums dY / |a · Y + b| over the gas fraction scaled by 29/17. So the same run gives two numbers: example A (y1 %1, x1 %2, both flows 1) has NTU %3 here and %4 by the Colburn equation. The runs table, the CSV export and the report show both; the mass-transfer coefficient is always made from Quillon&apos;s own NTU.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Für ein verdünntes Gas und gerade Linien geben Lehrbücher die gasseitige Gesamt-NTU mit der Colburn-Gleichung an:&lt;br&gt;NTU&lt;sub&gt;OG&lt;/sub&gt; = ln[(1 − 1/A) · y1/y2 + 1/A] / (1 − 1/A), &amp;nbsp; A = L / (m · G),&lt;br&gt;und y1/y2 − 1 für A = 1. Quillons NTU ist die obige Summe, geschlossen |ln((a · Y&lt;sub&gt;hi&lt;/sub&gt; + b) / (a · Y&lt;sub&gt;lo&lt;/sub&gt; + b)) / a|. Beide integrieren Verschiedenes: Das Lehrbuch integriert dy / (y − y*) entlang der Arbeitsgeraden in Stoffmengenanteilen; Quillon summiert dY / |a · Y + b| über den mit 29/17 skalierten Gasanteil. Derselbe Versuch ergibt daher zwei Zahlen: Beispiel A (y1 %1, x1 %2, beide Ströme 1) hat hier die NTU %3 und nach der Colburn-Gleichung %4. Die Versuchstabelle, der CSV-Export und der Bericht zeigen beide; der Stoffübergangskoeffizient entsteht immer aus Quillons eigener NTU.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Uncertainty of the coefficient&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Unsicherheit des Koeffizienten&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;In the Runs window, give the standard uncertainties of the inputs for the whole series (the flows relative, %1 for 2 %; y1, x1 and the height absolute), and any run&apos;s own with Run Uncertainties…. Each coefficient then shows MTC ± U with U = 2 u (k = 2) and its 95 % coverage interval, by the Monte Carlo method of JCGM 101: normally distributed inputs are drawn until the interval is stable to two significant digits, each draw evaluating the NTU in closed form. The run&apos;s report adds the first-order error budget of the GUM: each input&apos;s sensitivity coefficient and its share of the variance. The draws start from a fixed seed, so a run shows the same digits every time. Where the driving force changes sign the closed form does not exist, and no uncertainty is given.&lt;/p&gt;&lt;p&gt;A run given as readings may have uncertainties of its readings (in the series file: each burette volume in mL, each standard solution&apos;s molarity and each meter&apos;s reading relative, each temperature in K, the column&apos;s included where the equilibrium is taken at it, and each gas meter&apos;s pressure in kPa). They replace the uncertainties of the inputs the readings give: the budget lists each reading, carried through its conversions into the coefficient, and the Monte Carlo draws the readings, so that y1 and the gas flow from one air meter move together.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Geben Sie im Fenster Versuche die Standardunsicherheiten der Eingaben für die ganze Messreihe an (die Ströme relativ, %1 für 2 %; y1, x1 und die Höhe absolut) und die eigenen eines Versuchs mit Unsicherheiten des Versuchs…. Jeder Koeffizient zeigt dann MTC ± U mit U = 2 u (k = 2) und sein 95-%-Überdeckungsintervall nach dem Monte-Carlo-Verfahren von JCGM 101: Normalverteilte Eingaben werden gezogen, bis das Intervall auf zwei signifikante Stellen stabil ist; jede Ziehung wertet die NTU in geschlossener Form aus. Der Bericht des Versuchs ergänzt das Unsicherheitsbudget erster Ordnung nach GUM: den Sensitivitätskoeffizienten jeder Eingabe und ihren Anteil an der Varianz. Die Ziehungen beginnen mit einem festen Startwert, sodass ein Versuch jedes Mal dieselben Ziffern zeigt. Wo die treibende Kraft das Vorzeichen wechselt, gibt es die geschlossene Form nicht, und es wird keine Unsicherheit angegeben.&lt;/p&gt;&lt;p&gt;Ein aus Ablesungen gegebener Versuch kann Unsicherheiten seiner Ablesungen haben (in der Messreihendatei: jedes Bürettenvolumen in mL, die Konzentration jeder Maßlösung und die Ablesung jedes Zählers relativ, jede Temperatur in K, die der Kolonne eingeschlossen, wo das Gleichgewicht bei ihr genommen wird, und den Druck jedes Gaszählers in kPa). Sie ersetzen die Unsicherheiten der Eingaben, die die Ablesungen liefern: Das Budget nennt jede Ablesung, durch ihre Umrechnungen bis in den Koeffizienten getragen, und das Monte-Carlo-Verfahren zieht die Ablesungen, sodass y1 und der Gasstrom aus einem Luftzähler gemeinsam schwanken.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Runs with findings&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Versuche mit Befunden&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A run whose results cannot describe an absorber (a flow not above 0, a negative fraction, a gas leaving richer than it came, water beyond its equilibrium with the entering gas, or a driving force that changes sign) is computed as any other, marked with a warning, and left out of the series&apos; analysis until you clear its Excluded mark.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ein Versuch, dessen Ergebnisse keinen Absorber beschreiben können (ein Strom nicht über 0, ein negativer Anteil, ein Gas, das reicher austritt als es eintrat, Wasser jenseits seines Gleichgewichts mit dem eintretenden Gas oder eine treibende Kraft, die das Vorzeichen wechselt), wird wie jeder andere berechnet, mit einer Warnung markiert und bleibt außerhalb der Auswertung der Messreihe, bis Sie seine Markierung Ausgeschlossen entfernen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Series analysis&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Auswertung der Messreihe&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Report ▸ Show Series Analysis fits the power law MTC = a · G&lt;sup&gt;m&lt;/sup&gt; · L&lt;sup&gt;n&lt;/sup&gt; to the coefficients of the runs in the analysis, by least squares on ln MTC = ln a + m ln G + n ln L, weighted by 1/u(ln MTC)² where every such run has an uncertainty. It gives m and n with their standard errors and 95 % confidence intervals (Student t at the residual degrees of freedom), R² and the runs used, and draws the coefficient against each flow on log–log axes with the fitted lines. An exponent whose flow has the same value in every run cannot be told and is left out; with collinear flows or too few runs there is no fit, and the window says why.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Bericht ▸ Auswertung der Messreihe anzeigen passt das Potenzgesetz MTC = a · G&lt;sup&gt;m&lt;/sup&gt; · L&lt;sup&gt;n&lt;/sup&gt; an die Koeffizienten der Versuche der Auswertung an, nach der Methode der kleinsten Quadrate für ln MTC = ln a + m ln G + n ln L, gewichtet mit 1/u(ln MTC)², wenn jeder solche Versuch eine Unsicherheit hat. Es gibt m und n mit ihren Standardfehlern und 95-%-Konfidenzintervallen (Student-t bei den Freiheitsgraden der Residuen), R² und die verwendeten Versuche an und zeichnet den Koeffizienten gegen jeden Strom in doppelt logarithmischen Achsen mit den angepassten Geraden. Ein Exponent, dessen Strom in jedem Versuch denselben Wert hat, lässt sich nicht bestimmen und wird weggelassen; bei kollinearen Strömen oder zu wenigen Versuchen gibt es keine Anpassung, und das Fenster sagt, warum.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Files&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Dateien&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;File ▸ Open reads series files and CSV files of at most %1 MiB and %2 runs. It refuses a series file nested more than %3 levels deep, with an object of more than %7 members or holding a text longer than %4 MiB, and a CSV file with more than %5 rows, more than %6 columns or a cell longer than %4 MiB, naming the line and column where the limit is passed.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Datei ▸ Öffnen liest Messreihendateien und CSV-Dateien von höchstens %1 MiB und %2 Versuchen. Es weist eine Messreihendatei zurück, die tiefer als %3 Ebenen verschachtelt ist, ein Objekt mit mehr als %7 Einträgen hat oder einen Text von mehr als %4 MiB enthält, und eine CSV-Datei mit mehr als %5 Zeilen, mehr als %6 Spalten oder einer Zelle von mehr als %4 MiB, und nennt Zeile und Spalte, an der die Grenze überschritten wird.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Every number of a CSV file is read with one decimal separator: the one its numbers show, such as the point in 0.02 or the comma in 0,5, or, where none shows it, a point in a file separated by commas and a comma in one separated by semicolons. A number that would need a guess, such as 1,500 in a file with decimal points, 1.500 in one with decimal commas or in a tab-separated file where no number shows the separator, or a number with group separators, is not read: the file is refused at its line and column, with what to write instead. A word processor&apos;s minus sign (−) is read as a minus.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Alle Zahlen einer CSV-Datei werden mit demselben Dezimaltrennzeichen gelesen: dem, das ihre Zahlen zeigen, etwa dem Punkt in 0.02 oder dem Komma in 0,5, oder, wo keine Zahl es zeigt, mit einem Punkt in einer durch Kommas getrennten Datei und einem Komma in einer durch Semikolons getrennten. Eine Zahl, die geraten werden müsste, etwa 1,500 in einer Datei mit Dezimalpunkten, 1.500 in einer mit Dezimalkommas oder in einer durch Tabulatoren getrennten Datei, in der keine Zahl das Trennzeichen zeigt, oder eine Zahl mit Tausendertrennzeichen, wird nicht gelesen: Die Datei wird mit Zeile und Spalte dieser Zahl zurückgewiesen, und die Meldung sagt, was stattdessen zu schreiben ist. Das Minuszeichen einer Textverarbeitung (−) wird als Minus gelesen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A CSV file&apos;s header names its columns in English or German, in any case, with spaces, _ or - between the words and a unit after the name in parentheses or brackets or after &quot; / &quot;: y1 (also y in, y ein, Molenbruch Gas), x1 (x out, x aus, Molenbruch Wasser), gas flow (gas flow rate, air flow, Gasstrom, Gasdurchsatz, Luftstrom), water flow (water flow rate, liquid flow, Wasserstrom, Wasserdurchsatz, Flüssigkeitsstrom), packing height (height, packed height, bed height, Packungshöhe, Höhe, Schütthöhe, Füllhöhe, Füllkörperhöhe) and label (name, Bezeichnung). A file that is not UTF-8 is read as Windows-1252, as Excel saves CSV in Western Europe, and a notice says so.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Kopfzeile einer CSV-Datei benennt ihre Spalten auf Deutsch oder Englisch, in beliebiger Groß- und Kleinschreibung, mit Leerzeichen, _ oder - zwischen den Wörtern und einer Einheit nach dem Namen in runden oder eckigen Klammern oder nach &quot; / &quot;: y1 (auch y ein, y in, Molenbruch Gas), x1 (x aus, x out, Molenbruch Wasser), Gasstrom (Gasdurchsatz, Luftstrom, gas flow, gas flow rate, air flow), Wasserstrom (Wasserdurchsatz, Flüssigkeitsstrom, water flow, water flow rate, liquid flow), Füllkörperhöhe (Packungshöhe, Höhe, Schütthöhe, Füllhöhe, packing height, height, packed height, bed height) und Bezeichnung (label, name). Eine Datei, die nicht UTF-8 ist, wird als Windows-1252 gelesen, wie Excel CSV in Westeuropa speichert, und ein Hinweis sagt es.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Import Runs adds the runs of a series file or a CSV file to the series that is open, as one step that Undo takes back; the series&apos; title, people, date, notes, flow unit and uncertainties stay as they are. Open starts a new series from the file.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Versuche importieren fügt die Versuche einer Messreihendatei oder einer CSV-Datei der geöffneten Messreihe hinzu, als ein Schritt, den Rückgängig zurücknimmt; Titel, Personen, Datum, Notizen, Stromeinheit und Unsicherheiten der Messreihe bleiben, wie sie sind. Öffnen beginnt mit der Datei eine neue Messreihe.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;HOG and the Colburn coefficient&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;HOG und der Colburn-Koeffizient&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The height of a transfer unit is HOG = z / NTU. The Colburn coefficient is the coefficient&apos;s formula with the NTU of the Colburn equation above (A. P. Colburn, Trans. AIChE 35, 211, 1939): K&lt;sub&gt;C&lt;/sub&gt; = NTU&lt;sub&gt;OG&lt;/sub&gt; · G / (z · A), and its HOG is z / NTU&lt;sub&gt;OG&lt;/sub&gt;. The runs table, the reports and the CSV export (hog, mtc_colburn, hog_colburn) show them, and the series analysis fits either coefficient. The uncertainties are those of Quillon&apos;s coefficient, so a fit of the Colburn coefficient is unweighted.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Höhe einer Übertragungseinheit ist HOG = z / NTU. Der Colburn-Koeffizient ist die Formel des Koeffizienten mit der NTU der obigen Colburn-Gleichung (A. P. Colburn, Trans. AIChE 35, 211, 1939): K&lt;sub&gt;C&lt;/sub&gt; = NTU&lt;sub&gt;OG&lt;/sub&gt; · G / (z · A), und seine HOG ist z / NTU&lt;sub&gt;OG&lt;/sub&gt;. Die Versuchstabelle, die Berichte und der CSV-Export (hog, mtc_colburn, hog_colburn) zeigen sie, und die Auswertung der Messreihe passt jeden der beiden Koeffizienten an. Die Unsicherheiten sind die von Quillons Koeffizient, daher ist eine Anpassung des Colburn-Koeffizienten ungewichtet.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;The equilibrium at the column&apos;s temperature&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Das Gleichgewicht bei der Kolonnentemperatur&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The table is the equilibrium at 30 °C. The series option Equilibrium: at each run&apos;s temperature scales its y* to each run&apos;s column temperature T: y*(T) = y*(30 °C) · exp(%1 K · (1/303.15 K − 1/T)), the van &apos;t Hoff temperature dependence of NH3&apos;s Henry&apos;s-law solubility, d ln H / d(1/T) = %1 K (R. Sander, Compilation of Henry&apos;s law constants (version 4.0) for water as solvent, Atmos. Chem. Phys. 15, 4399–4981, 2015). The factor is %2 at 20 °C and %3 at 40 °C; nothing else of the calculation changes. A run without a temperature keeps the table&apos;s equilibrium, and one outside 5–50 °C is marked: both are findings. As tabulated at 30 °C, the default, is the calculation as ever, and switching back gives every number as before.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Tabelle ist das Gleichgewicht bei 30 °C. Die Option der Messreihe Gleichgewicht: bei der Temperatur jedes Versuchs rechnet ihr y* auf die Kolonnentemperatur T jedes Versuchs um: y*(T) = y*(30 °C) · exp(%1 K · (1/303,15 K − 1/T)), die Temperaturabhängigkeit der Henry-Löslichkeit von NH3 nach van ’t Hoff, d ln H / d(1/T) = %1 K (R. Sander, Compilation of Henry&apos;s law constants (version 4.0) for water as solvent, Atmos. Chem. Phys. 15, 4399–4981, 2015). Der Faktor ist %2 bei 20 °C und %3 bei 40 °C; sonst ändert sich an der Rechnung nichts. Ein Versuch ohne Temperatur behält das Gleichgewicht der Tabelle, und einer außerhalb von 5–50 °C wird markiert: beides sind Befunde. Wie tabelliert bei 30 °C, die Voreinstellung, ist die Rechnung wie immer, und das Zurückschalten gibt jede Zahl wie zuvor.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Runs given as the lab&apos;s readings&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;Versuche aus den Messwerten des Labors&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A run may keep its titration and meter readings; each reading given replaces the input it gives, and opening a file computes those inputs again. x1 from a titration of the leaving water: n(NH3) = z · c(acid) · (V(acid) − V(blank)), or z · c(acid) · V(acid) − c(base) · V(base) in a back-titration, with z the protons per acid molecule (1 for HCl, 2 for H2SO4); c = n / V(sample); x1 = c / (c + (ρ − c · M(NH3)) / M(H2O)), M(NH3) = 17.031 g/mol, M(H2O) = 18.015 g/mol, ρ the sample&apos;s density in g/L or water&apos;s at its temperature by Kell&apos;s correlation (G. S. Kell, J. Chem. Eng. Data 20 (1975) 97). Check: 10.00 mL of sample, 0.1000 M HCl, 12.40 mL, no blank and ρ = 997.0 g/L give c = 0.1240 mol/L and x1 = 0.0022403.&lt;/p&gt;&lt;p&gt;A gas meter&apos;s volumetric reading Q at the meter&apos;s temperature T and pressure P gives n = P · Q / (R · T) as an ideal gas, R = 8.314462618 J/(mol·K) (CODATA 2018); a water meter&apos;s gives n = ρ(T) · Q / M(H2O); a mass flow in kg/h is divided by the molar mass (air 28.9644 g/mol, U.S. Standard Atmosphere 1976). A meter&apos;s calibration table is interpolated linearly, and a reading outside it is refused. The balance works in mole ratios, so its gas flow is the air without its NH3, which the air meter gives; with an NH3 meter beside it, y1 = n(NH3) / (n(NH3) + n(air)).&lt;/p&gt;&lt;p&gt;The flow unit is a unit when it is mol/s, mmol/s, mol/min, mol/h or kmol/h: changing it to another of these converts every run&apos;s flows, and the coefficient with them. Any other text only labels the numbers.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ein Versuch kann seine Titration und seine Zählerstände behalten; jeder angegebene Messwert ersetzt die Eingabe, die er ergibt, und beim Öffnen einer Datei werden diese Eingaben neu berechnet. x1 aus einer Titration des austretenden Wassers: n(NH3) = z · c(Säure) · (V(Säure) − V(Blindwert)), bei einer Rücktitration z · c(Säure) · V(Säure) − c(Base) · V(Base), mit z den Protonen je Säuremolekül (1 für HCl, 2 für H2SO4); c = n / V(Probe); x1 = c / (c + (ρ − c · M(NH3)) / M(H2O)), M(NH3) = 17,031 g/mol, M(H2O) = 18,015 g/mol, ρ die Dichte der Probe in g/L oder die des Wassers bei ihrer Temperatur nach der Korrelation von Kell (G. S. Kell, J. Chem. Eng. Data 20 (1975) 97). Probe: 10,00 mL Probe, 0,1000 M HCl, 12,40 mL, kein Blindwert und ρ = 997,0 g/L ergeben c = 0,1240 mol/L und x1 = 0,0022403.&lt;/p&gt;&lt;p&gt;Der Volumenstrom Q eines Gaszählers bei dessen Temperatur T und Druck P ergibt als ideales Gas n = P · Q / (R · T), R = 8,314462618 J/(mol·K) (CODATA 2018); der eines Wasserzählers n = ρ(T) · Q / M(H2O); ein Massenstrom in kg/h wird durch die molare Masse geteilt (Luft 28,9644 g/mol, U.S. Standard Atmosphere 1976). Die Kalibriertabelle eines Zählers wird linear interpoliert, ein Wert außerhalb wird abgelehnt. Die Bilanz rechnet mit Molverhältnissen, ihr Gasstrom ist also die Luft ohne ihr NH3, die der Luftzähler angibt; mit einem NH3-Zähler daneben ist y1 = n(NH3) / (n(NH3) + n(Luft)).&lt;/p&gt;&lt;p&gt;Die Durchflusseinheit ist eine Einheit, wenn sie mol/s, mmol/s, mol/min, mol/h oder kmol/h lautet: Ein Wechsel zu einer anderen davon rechnet die Ströme aller Versuche um, und den Koeffizienten mit ihnen. Jeder andere Text beschriftet die Zahlen nur.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A column of the column temperature in °C is read too: temperature (column temperature, temp, Temperatur, Kolonnentemperatur, Säulentemperatur).&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine Spalte mit der Kolonnentemperatur in °C wird ebenfalls gelesen: temperature (column temperature, temp, Temperatur, Kolonnentemperatur, Säulentemperatur).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A run&apos;s readings have columns of their own, named as Export names them: %1. German names are read too: Probenvolumen, Säurekonzentration (Säuremolarität), Säureverbrauch, Blindwert, Laugenkonzentration (Basenkonzentration), Laugenverbrauch (Basenverbrauch), Protonen, Dichte, Probentemperatur, Gaszähler (Luftzähler), NH3-Zähler (Ammoniakzähler), Wasserzähler, Zählertemperatur and Druck (Luftdruck). A back-titration gives the base&apos;s molarity and its volume to the end point, both, and its blank is not used; a row with one of the two is refused.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Ablesungen eines Versuchs haben eigene Spalten, benannt wie Export sie benennt: %1. Deutsche Namen werden ebenso gelesen: Probenvolumen, Säurekonzentration (Säuremolarität), Säureverbrauch, Blindwert, Laugenkonzentration (Basenkonzentration), Laugenverbrauch (Basenverbrauch), Protonen, Dichte, Probentemperatur, Gaszähler (Luftzähler), NH3-Zähler (Ammoniakzähler), Wasserzähler, Zählertemperatur und Druck (Luftdruck). Eine Rücktitration gibt die Laugenkonzentration und den Laugenverbrauch bis zum Endpunkt an, beide, und ihr Blindwert wird nicht verwendet; eine Zeile mit nur einem der beiden wird abgelehnt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A meter read on a scale, as a rotameter&apos;s divisions, takes the lab&apos;s calibration chart: type it in the run&apos;s Readings… dialog under the meter, as rows scale=flow separated by semicolons, the flow in the unit chosen beside the meter (%1), or give it in the series file. The meter&apos;s reading is then a scale reading.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ein Zähler, der auf einer Skala abgelesen wird, etwa die Teilstriche eines Rotameters, nimmt die Kalibriertabelle des Labors: Geben Sie sie im Dialog Messwerte… des Versuchs unter dem Zähler als Zeilen Skala=Durchfluss ein, durch Semikolons getrennt, den Durchfluss in der neben dem Zähler gewählten Einheit (%1), oder geben Sie sie in der Messreihendatei an. Die Ablesung des Zählers ist dann ein Skalenwert.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>Readings</name>
    <message>
        <source>&amp;Sample volume (mL):</source>
        <translation>&amp;Probenvolumen (mL):</translation>
    </message>
    <message>
        <source>Acid &amp;molarity (mol/L):</source>
        <translation>Säure&amp;konzentration (mol/L):</translation>
    </message>
    <message>
        <source>&amp;Acid to the end point (mL):</source>
        <translation>Säure&amp;verbrauch bis zum Endpunkt (mL):</translation>
    </message>
    <message>
        <source>&amp;Blank (mL):</source>
        <translation>&amp;Blindwert (mL):</translation>
    </message>
    <message>
        <source>Base molarit&amp;y (mol/L):</source>
        <translation>La&amp;ugenkonzentration (mol/L):</translation>
    </message>
    <message>
        <source>Base &amp;volume to the end point (mL):</source>
        <translation>Laugenverbrau&amp;ch bis zum Endpunkt (mL):</translation>
    </message>
    <message>
        <source>&amp;Protons per acid molecule:</source>
        <translation>Protone&amp;n je Säuremolekül:</translation>
    </message>
    <message>
        <source>Sample &amp;density (g/L, empty: water&apos;s):</source>
        <translation>&amp;Dichte der Probe (g/L, leer: die des Wassers):</translation>
    </message>
    <message>
        <source>Sample &amp;temperature (°C):</source>
        <translation>Proben&amp;temperatur (°C):</translation>
    </message>
    <message>
        <source>A&amp;ir meter:</source>
        <translation>&amp;Luftzähler:</translation>
    </message>
    <message>
        <source>&amp;NH3 meter:</source>
        <translation>N&amp;H3-Zähler:</translation>
    </message>
    <message>
        <source>&amp;Water meter:</source>
        <translation>&amp;Wasserzähler:</translation>
    </message>
    <message>
        <source>Meters&apos; t&amp;emperature (°C):</source>
        <translation>&amp;Zählertemperatur (°C):</translation>
    </message>
    <message>
        <source>Meters&apos; p&amp;ressure (kPa):</source>
        <translation>D&amp;ruck an den Zählern (kPa):</translation>
    </message>
    <message>
        <source>Type a number for &quot;%1&quot;.</source>
        <translation>Geben Sie eine Zahl für „%1“ ein.</translation>
    </message>
    <message>
        <source>y1</source>
        <translation>y1</translation>
    </message>
    <message>
        <source>x1</source>
        <translation>x1</translation>
    </message>
    <message>
        <source>gas flow</source>
        <translation>Gasstrom</translation>
    </message>
    <message>
        <source>water flow</source>
        <translation>Wasserstrom</translation>
    </message>
    <message>
        <source>The readings give no input.</source>
        <translation>Die Messwerte ergeben keine Eingabe.</translation>
    </message>
    <message>
        <source>Gives %1.</source>
        <translation>Ergibt %1.</translation>
    </message>
    <message>
        <source>Sample volume (mL)</source>
        <translation>Probenvolumen (mL)</translation>
    </message>
    <message>
        <source>Acid molarity (mol/L)</source>
        <translation>Säurekonzentration (mol/L)</translation>
    </message>
    <message>
        <source>Acid volume (mL)</source>
        <translation>Säureverbrauch (mL)</translation>
    </message>
    <message>
        <source>Blank (mL)</source>
        <translation>Blindwert (mL)</translation>
    </message>
    <message>
        <source>Base molarity (mol/L)</source>
        <translation>Laugenkonzentration (mol/L)</translation>
    </message>
    <message>
        <source>Base volume (mL)</source>
        <translation>Laugenverbrauch (mL)</translation>
    </message>
    <message>
        <source>Sample temperature (°C)</source>
        <translation>Probentemperatur (°C)</translation>
    </message>
    <message>
        <source>Air meter: reading</source>
        <translation>Luftzähler: Ablesung</translation>
    </message>
    <message>
        <source>Air meter: temperature (°C)</source>
        <translation>Luftzähler: Temperatur (°C)</translation>
    </message>
    <message>
        <source>Air meter: pressure (kPa)</source>
        <translation>Luftzähler: Druck (kPa)</translation>
    </message>
    <message>
        <source>NH3 meter: reading</source>
        <translation>NH3-Zähler: Ablesung</translation>
    </message>
    <message>
        <source>NH3 meter: temperature (°C)</source>
        <translation>NH3-Zähler: Temperatur (°C)</translation>
    </message>
    <message>
        <source>NH3 meter: pressure (kPa)</source>
        <translation>NH3-Zähler: Druck (kPa)</translation>
    </message>
    <message>
        <source>Water meter: reading</source>
        <translation>Wasserzähler: Ablesung</translation>
    </message>
    <message>
        <source>Water meter: temperature (°C)</source>
        <translation>Wasserzähler: Temperatur (°C)</translation>
    </message>
    <message>
        <source>Column temperature (°C)</source>
        <translation>Kolonnentemperatur (°C)</translation>
    </message>
    <message>
        <source>B&amp;urette ± (mL):</source>
        <translation>Bürett&amp;e ± (mL):</translation>
    </message>
    <message>
        <source>Acid and base mo&amp;larity ± (%):</source>
        <translation>K&amp;onzentration der Maßlösungen ± (%):</translation>
    </message>
    <message>
        <source>Meters&apos; readin&amp;gs ± (% of the reading):</source>
        <translation>Zählerablesun&amp;gen ± (% der Ablesung):</translation>
    </message>
    <message>
        <source>T&amp;hermometer ± (K):</source>
        <translation>Ther&amp;mometer ± (K):</translation>
    </message>
    <message>
        <source>Bar&amp;ometer ± (kPa):</source>
        <translation>B&amp;arometer ± (kPa):</translation>
    </message>
    <message>
        <source>Standard uncertainties of the readings, each of every reading of its kind; empty: none.</source>
        <translation>Standardunsicherheiten der Ablesungen, jede für jede Ablesung ihrer Art; leer: keine.</translation>
    </message>
    <message>
        <source>Type an uncertainty of 0 or more for &quot;%1&quot;, or leave it empty.</source>
        <translation>Geben Sie für „%1“ eine Unsicherheit von 0 oder mehr ein oder lassen Sie das Feld leer.</translation>
    </message>
    <message>
        <source>Type the readings the uncertainties belong to, or empty them.</source>
        <translation>Geben Sie die Ablesungen ein, zu denen die Unsicherheiten gehören, oder leeren Sie die Unsicherheiten.</translation>
    </message>
    <message>
        <source>Type each row of &quot;%1&quot; as scale=flow, the rows separated by &quot;;&quot;, as in %2: &quot;%3&quot; has no &quot;=&quot;.</source>
        <translation>Geben Sie jede Zeile von „%1“ als Skala=Durchfluss ein, die Zeilen durch „;“ getrennt, wie in %2: „%3“ hat kein „=“.</translation>
    </message>
    <message>
        <source>Type a number on each side of &quot;=&quot; in &quot;%1&quot;, as in %2; check &quot;%3&quot;.</source>
        <translation>Geben Sie in „%1“ auf beiden Seiten von „=“ eine Zahl ein, wie in %2; prüfen Sie „%3“.</translation>
    </message>
    <message>
        <source>Check &quot;%1&quot;: %2.</source>
        <translation>Prüfen Sie „%1“: %2.</translation>
    </message>
    <message>
        <source>Air meter &amp;calibration (scale = flow):</source>
        <translation>Kalibr&amp;ierung des Luftzählers (Skala = Durchfluss):</translation>
    </message>
    <message>
        <source>NH&amp;3 meter calibration (scale = flow):</source>
        <translation>Kalibrierung des NH3-Zählers (Skala = Durch&amp;fluss):</translation>
    </message>
    <message>
        <source>Water meter calibration (scale = &amp;flow):</source>
        <translation>Kalibrierung des Wa&amp;sserzählers (Skala = Durchfluss):</translation>
    </message>
    <message>
        <source>Type the reading of &quot;%1&quot;, or empty &quot;%2&quot;.</source>
        <translation>Geben Sie die Ablesung von „%1“ ein oder leeren Sie „%2“.</translation>
    </message>
</context>
<context>
    <name>ReadingsDialog</name>
    <message>
        <source>Readings of run %1</source>
        <translation>Messwerte von Versuch %1</translation>
    </message>
    <message>
        <source>The run&apos;s titration and meter readings replace the inputs they give. Empty every field to type the inputs again.</source>
        <translation>Die Titration und die Zählerstände des Versuchs ersetzen die Eingaben, die sie ergeben. Leeren Sie alle Felder, um die Eingaben wieder einzutippen.</translation>
    </message>
    <message>
        <source>No readings: the run&apos;s inputs are typed.</source>
        <translation>Keine Messwerte: Die Eingaben des Versuchs sind eingetippt.</translation>
    </message>
</context>
<context>
    <name>RunChart</name>
    <message>
        <source>x, NH3 mole fraction in the water</source>
        <translation>x, NH3-Stoffmengenanteil im Wasser</translation>
    </message>
    <message>
        <source>y, NH3 mole fraction in the gas</source>
        <translation>y, NH3-Stoffmengenanteil im Gas</translation>
    </message>
    <message>
        <source>Equilibrium curve (NH3 in water, 30 °C)</source>
        <translation>Gleichgewichtskurve (NH3 in Wasser, 30 °C)</translation>
    </message>
    <message>
        <source>Operating line of run %1</source>
        <translation>Arbeitsgerade von Versuch %1</translation>
    </message>
    <message>
        <source>bottom (x1, y1)</source>
        <translation>Sumpf (x1, y1)</translation>
    </message>
    <message>
        <source>top (0, y2)</source>
        <translation>Kopf (0, y2)</translation>
    </message>
</context>
<context>
    <name>RunPdf</name>
    <message>
        <source>Inputs</source>
        <translation>Eingaben</translation>
    </message>
    <message>
        <source>NH3 mole fraction of the entering gas, y1</source>
        <translation>NH3-Stoffmengenanteil im eintretenden Gas, y1</translation>
    </message>
    <message>
        <source>NH3 mole fraction of the leaving water, x1</source>
        <translation>NH3-Stoffmengenanteil im austretenden Wasser, x1</translation>
    </message>
    <message>
        <source>Gas flow rate</source>
        <translation>Gasstrom</translation>
    </message>
    <message>
        <source>Water flow rate</source>
        <translation>Wasserstrom</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>As shown</source>
        <translation>Angezeigt</translation>
    </message>
    <message>
        <source>Full precision</source>
        <translation>Volle Genauigkeit</translation>
    </message>
    <message>
        <source>NH3 mole fraction in equilibrium, y*</source>
        <translation>NH3-Stoffmengenanteil im Gleichgewicht, y*</translation>
    </message>
    <message>
        <source>NH3 mole fraction at the air outlet, y2</source>
        <translation>NH3-Stoffmengenanteil am Luftaustritt, y2</translation>
    </message>
    <message>
        <source>Number of transfer units, NTU</source>
        <translation>Zahl der Übertragungseinheiten, NTU</translation>
    </message>
    <message>
        <source>Height of packing (m)</source>
        <translation>Füllkörperhöhe (m)</translation>
    </message>
    <message>
        <source>Mass-transfer coefficient</source>
        <translation>Stoffübergangskoeffizient</translation>
    </message>
    <message>
        <source>Mass-transfer coefficient: not found for this run (Find MTC).</source>
        <translation>Stoffübergangskoeffizient: für diesen Versuch nicht ermittelt (K ermitteln).</translation>
    </message>
    <message>
        <source>Balance and integration</source>
        <translation>Bilanz und Integration</translation>
    </message>
    <message>
        <source>Equilibrium x used</source>
        <translation>Verwendetes x*</translation>
    </message>
    <message>
        <source>Equilibrium y* used</source>
        <translation>Verwendetes y*</translation>
    </message>
    <message>
        <source>Slope y*/x</source>
        <translation>Steigung y*/x</translation>
    </message>
    <message>
        <source>Flow factor</source>
        <translation>Mengenstromfaktor</translation>
    </message>
    <message>
        <source>Outlet mole ratio</source>
        <translation>Molverhältnis am Austritt</translation>
    </message>
    <message>
        <source>y2</source>
        <translation>y2</translation>
    </message>
    <message>
        <source>Upper limit, 29/17 · y1</source>
        <translation>Obere Grenze, 29/17 · y1</translation>
    </message>
    <message>
        <source>Lower limit, 29/17 · y2</source>
        <translation>Untere Grenze, 29/17 · y2</translation>
    </message>
    <message>
        <source>Step width</source>
        <translation>Schrittweite</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>Equilibrium data</source>
        <translation>Gleichgewichtsdaten</translation>
    </message>
    <message>
        <source>Row</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y*</source>
        <translation>y*</translation>
    </message>
    <message>
        <source>NH3 partial pressures over aqueous ammonia at 30 °C, as y* = p / 760 mmHg. The row in bold is the one used.</source>
        <translation>NH3-Partialdrücke über wässriger Ammoniaklösung bei 30 °C, als y* = p / 760 mmHg. Die fett gedruckte Zeile wurde verwendet.</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Methode</translation>
    </message>
    <message>
        <source>Quillon run %1</source>
        <translation>Quillon-Versuch %1</translation>
    </message>
    <message>
        <source>Quillon %1</source>
        <translation>Quillon %1</translation>
    </message>
    <message>
        <source>NH3 absorption in a packed column: run %1</source>
        <translation>NH3-Absorption in einer Füllkörperkolonne: Versuch %1</translation>
    </message>
    <message>
        <source>Written %1 by Quillon %2</source>
        <translation>Erstellt am %1 mit Quillon %2</translation>
    </message>
    <message>
        <source>The NH3 balance over the column, in mole ratios, gives the leaving-gas fraction y2 from y1, x1 and the ratio of the flows. The number of transfer units is a left-end rectangle sum over %1 equal steps Δ of the scaled gas fraction Y = 29/17 · y (29/17 being the ratio of the molar masses of air and NH3), from Ylo = 29/17 · y2 to Yhi = 29/17 · y1: NTU = Σ |Δ / (a · Y + b)| for Y = Ylo, Ylo + Δ, …, with a = 1 − r · f, b = Ylo · f, f = 1 − m · r, r the gas flow ÷ the water flow and m = y*/x of the equilibrium point used. This is the rectangle rule for the integral of dY / |a · Y + b| from Ylo to Yhi, which is |ln((a · Yhi + b) / (a · Ylo + b)) / a| where a · Y + b keeps its sign; it is not the integral of dy / (y − y*) along the operating line. The mass-transfer coefficient is mtc = NTU × gas flow ÷ (height × 0.05² × 3.1416 m²), the cross-section of the laboratory column. Assumptions: the gas mixture is dilute, the entering water holds no NH3, and the water is not recycled.</source>
        <translation>Die NH3-Bilanz über die Kolonne in Molverhältnissen ergibt den Anteil y2 im austretenden Gas aus y1, x1 und dem Verhältnis der Ströme. Die Zahl der Übertragungseinheiten ist eine Summe nach der linken Rechteckregel über %1 gleiche Schritte Δ des skalierten Gasanteils Y = 29/17 · y (29/17 ist das Verhältnis der molaren Massen von Luft und NH3), von Ylo = 29/17 · y2 bis Yhi = 29/17 · y1: NTU = Σ |Δ / (a · Y + b)| für Y = Ylo, Ylo + Δ, …, mit a = 1 − r · f, b = Ylo · f, f = 1 − m · r, r = Gasstrom ÷ Wasserstrom und m = y*/x des verwendeten Gleichgewichtspunkts. Das ist die Rechteckregel für das Integral von dY / |a · Y + b| von Ylo bis Yhi, das |ln((a · Yhi + b) / (a · Ylo + b)) / a| ist, wo a · Y + b sein Vorzeichen behält; es ist nicht das Integral von dy / (y − y*) entlang der Arbeitsgeraden. Der Stoffübergangskoeffizient ist mtc = NTU × Gasstrom ÷ (Höhe × 0,05² × 3,1416 m²), mit 0,05² × 3,1416 m² als Querschnitt der Laborkolonne. Annahmen: Das Gasgemisch ist verdünnt, das zulaufende Wasser enthält kein NH3, und das Wasser wird nicht im Kreislauf geführt.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1/m³</source>
        <translation>%1/m³</translation>
    </message>
    <message>
        <source>Warning: these results cannot describe an absorber.</source>
        <translation>Warnung: Diese Ergebnisse können keinen Absorber beschreiben.</translation>
    </message>
    <message>
        <source>NTU by the Colburn equation (%1 % from NTU)</source>
        <translation>NTU nach der Colburn-Gleichung (%1 % gegenüber NTU)</translation>
    </message>
    <message>
        <source>y1</source>
        <translation>y1</translation>
    </message>
    <message>
        <source>x1</source>
        <translation>x1</translation>
    </message>
    <message>
        <source>Uncertainty of the mass-transfer coefficient</source>
        <translation>Unsicherheit des Stoffübergangskoeffizienten</translation>
    </message>
    <message>
        <source>Monte Carlo: mean of the coefficients drawn</source>
        <translation>Monte Carlo: Mittel der gezogenen Koeffizienten</translation>
    </message>
    <message>
        <source>Monte Carlo: standard uncertainty u</source>
        <translation>Monte Carlo: Standardunsicherheit u</translation>
    </message>
    <message>
        <source>Expanded uncertainty U = 2 u (k = 2)</source>
        <translation>Erweiterte Unsicherheit U = 2 u (k = 2)</translation>
    </message>
    <message>
        <source>95 % coverage interval: low end</source>
        <translation>95-%-Überdeckungsintervall: untere Grenze</translation>
    </message>
    <message>
        <source>95 % coverage interval: high end</source>
        <translation>95-%-Überdeckungsintervall: obere Grenze</translation>
    </message>
    <message>
        <source>NTU: standard uncertainty u</source>
        <translation>NTU: Standardunsicherheit u</translation>
    </message>
    <message>
        <source>%1 draws of normally distributed inputs, until the interval was stable to two significant digits.</source>
        <translation>%1 Ziehungen normalverteilter Eingaben, bis das Intervall auf zwei signifikante Stellen stabil war.</translation>
    </message>
    <message>
        <source>Error budget (first-order propagation)</source>
        <translation>Unsicherheitsbudget (Fortpflanzung erster Ordnung)</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Uncertainty</source>
        <translation>Unsicherheit</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>Sensitivität</translation>
    </message>
    <message>
        <source>Share (%)</source>
        <translation>Anteil (%)</translation>
    </message>
    <message>
        <source>First-order standard uncertainty u of the coefficient</source>
        <translation>Standardunsicherheit u des Koeffizienten, erste Ordnung</translation>
    </message>
    <message>
        <source>The sensitivity is the change of the coefficient per unit change of the input, by central differences; the share is the input&apos;s part of the coefficient&apos;s variance. Both methods evaluate the NTU in closed form, the integral that the sum above approximates.</source>
        <translation>Die Sensitivität ist die Änderung des Koeffizienten je Einheit Änderung der Eingabe, aus zentralen Differenzen; der Anteil ist der Teil der Eingabe an der Varianz des Koeffizienten. Beide Verfahren werten die NTU in geschlossener Form aus, das Integral, das die obige Summe nähert.</translation>
    </message>
    <message>
        <source>Run %1: uncertainty</source>
        <translation>Versuch %1: Unsicherheit</translation>
    </message>
    <message>
        <source>NH3 partial pressures over aqueous ammonia at 30 °C, as y* = p / 760 mmHg.</source>
        <translation>NH3-Partialdrücke über wässrigem Ammoniak bei 30 °C, als y* = p / 760 mmHg.</translation>
    </message>
    <message>
        <source>Expanded uncertainty U (k = 2): ± %1; 95 % interval %2 to %3 (page %4)</source>
        <translation>Erweiterte Unsicherheit U (k = 2): ± %1; 95-%-Intervall %2 bis %3 (Seite %4)</translation>
    </message>
    <message>
        <source>No expanded uncertainty U: %1</source>
        <translation>Keine erweiterte Unsicherheit U: %1</translation>
    </message>
    <message>
        <source>Equilibrium at each run&apos;s temperature T: the table&apos;s y* × exp(%1 K · (1/303.15 K − 1/T)), the van &apos;t Hoff temperature dependence of NH3&apos;s Henry&apos;s-law solubility (%2).</source>
        <translation>Gleichgewicht bei der Temperatur T jedes Versuchs: y* der Tabelle × exp(%1 K · (1/303,15 K − 1/T)), die Temperaturabhängigkeit der Henry-Löslichkeit von NH3 nach van ’t Hoff (%2).</translation>
    </message>
    <message>
        <source>Equilibrium: as tabulated at 30 °C.</source>
        <translation>Gleichgewicht: wie tabelliert bei 30 °C.</translation>
    </message>
    <message>
        <source>Column temperature of the equilibrium (°C)</source>
        <translation>Kolonnentemperatur des Gleichgewichts (°C)</translation>
    </message>
    <message>
        <source>HOG = height ÷ NTU; the Colburn coefficient and its HOG take the Colburn equation&apos;s NTU instead.</source>
        <translation>HOG = Höhe ÷ NTU; der Colburn-Koeffizient und seine HOG nehmen stattdessen die NTU der Colburn-Gleichung.</translation>
    </message>
    <message>
        <source>; by the Colburn NTU: coefficient %1, HOG %2 m</source>
        <translation>; mit der Colburn-NTU: Koeffizient %1, HOG %2 m</translation>
    </message>
    <message>
        <source>HOG = height ÷ NTU: %1 m</source>
        <translation>HOG = Höhe ÷ NTU: %1 m</translation>
    </message>
    <message>
        <source>%1 (from the readings)</source>
        <translation>%1 (aus den Messwerten)</translation>
    </message>
    <message>
        <source>Column temperature: %1 °C; equilibrium %2</source>
        <translation>Kolonnentemperatur: %1 °C; Gleichgewicht %2</translation>
    </message>
    <message>
        <source>Run %1: readings</source>
        <translation>Versuch %1: Messwerte</translation>
    </message>
</context>
<context>
    <name>RunsModel</name>
    <message>
        <source>Run</source>
        <translation>Versuch</translation>
    </message>
    <message>
        <source>y1 (gas in)</source>
        <translation>y1 (Gas ein)</translation>
    </message>
    <message>
        <source>x1 (water out)</source>
        <translation>x1 (Wasser aus)</translation>
    </message>
    <message>
        <source>Gas flow</source>
        <translation>Gasstrom</translation>
    </message>
    <message>
        <source>Water flow</source>
        <translation>Wasserstrom</translation>
    </message>
    <message>
        <source>Equilibrium x</source>
        <translation>Gleichgewichts-x</translation>
    </message>
    <message>
        <source>Equilibrium y*</source>
        <translation>Gleichgewichts-y*</translation>
    </message>
    <message>
        <source>y2 (gas out)</source>
        <translation>y2 (Gas aus)</translation>
    </message>
    <message>
        <source>NTU</source>
        <translation>NTU</translation>
    </message>
    <message>
        <source>Packing height (m)</source>
        <translation>Füllkörperhöhe (m)</translation>
    </message>
    <message>
        <source>Mass-transfer coefficient</source>
        <translation>Stoffübergangskoeffizient</translation>
    </message>
    <message>
        <source>Add run</source>
        <translation>Versuch hinzufügen</translation>
    </message>
    <message>
        <source>Find MTC</source>
        <translation>Koeffizient bestimmen</translation>
    </message>
    <message>
        <source>Delete runs</source>
        <translation>Versuche löschen</translation>
    </message>
    <message>
        <source>Edit the series</source>
        <translation>Messreihe bearbeiten</translation>
    </message>
    <message>
        <source>excluded</source>
        <translation>ausgeschlossen</translation>
    </message>
    <message>
        <source>Not completed: %1</source>
        <translation>Nicht abgeschlossen: %1</translation>
    </message>
    <message>
        <source>Edit a label</source>
        <translation>Bezeichnung bearbeiten</translation>
    </message>
    <message>
        <source>Exclude a run</source>
        <translation>Versuch ausschließen</translation>
    </message>
    <message>
        <source>Include a run</source>
        <translation>Versuch einbeziehen</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Excluded</source>
        <translation>Ausgeschlossen</translation>
    </message>
    <message>
        <source>%1/m³</source>
        <translation>%1/m³</translation>
    </message>
    <message>
        <source>NTU (Colburn)</source>
        <translation>NTU (Colburn)</translation>
    </message>
    <message>
        <source>%1 ± %2</source>
        <translation>%1 ± %2</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>Edit the uncertainties</source>
        <translation>Unsicherheiten bearbeiten</translation>
    </message>
    <message>
        <source>Edit a run&apos;s uncertainties</source>
        <translation>Unsicherheiten eines Versuchs bearbeiten</translation>
    </message>
    <message>
        <source>Left out of the analysis for its findings; clear the mark to take it in.</source>
        <translation>Wegen seiner Befunde nicht in der Auswertung; entfernen Sie die Markierung, um ihn aufzunehmen.</translation>
    </message>
    <message>
        <source>MTC ± U (k = 2)</source>
        <translation>MTC ± U (k = 2)</translation>
    </message>
    <message>
        <source>MTC 95 % interval</source>
        <translation>MTC 95-%-Intervall</translation>
    </message>
    <message>
        <source>Being computed</source>
        <translation>Wird berechnet</translation>
    </message>
    <message>
        <source>Not given: %1</source>
        <translation>Nicht angegeben: %1</translation>
    </message>
    <message>
        <source>Monte Carlo, %1 draws: u = %2, 95 % of the coefficients from %3 to %4</source>
        <translation>Monte Carlo, %1 Ziehungen: u = %2, 95 % der Koeffizienten von %3 bis %4</translation>
    </message>
    <message>
        <source>not computed</source>
        <translation>nicht berechnet</translation>
    </message>
    <message>
        <source>Cancelled: computed for the next export or report, or when the run or the uncertainties change</source>
        <translation>Abgebrochen: wird für den nächsten Export oder Bericht berechnet, oder wenn sich der Versuch oder die Unsicherheiten ändern</translation>
    </message>
    <message>
        <source>Import runs</source>
        <translation>Versuche importieren</translation>
    </message>
    <message>
        <source>no coefficient</source>
        <translation>kein Koeffizient</translation>
    </message>
    <message>
        <source>no uncertainties given</source>
        <translation>keine Unsicherheiten</translation>
    </message>
    <message>
        <source>The run has no coefficient: give its packing height</source>
        <translation>Der Versuch hat keinen Koeffizienten: geben Sie seine Füllkörperhöhe an</translation>
    </message>
    <message>
        <source>No input of this run has an uncertainty: give the series&apos; uncertainties, or the run&apos;s own with Run Uncertainties…</source>
        <translation>Keine Eingabe dieses Versuchs hat eine Unsicherheit: geben Sie die Unsicherheiten der Messreihe an oder die eigenen des Versuchs mit Unsicherheiten des Versuchs…</translation>
    </message>
    <message>
        <source>no U: %1</source>
        <translation>kein U: %1</translation>
    </message>
    <message>
        <source>Correct a run&apos;s input</source>
        <translation>Eingabe eines Versuchs korrigieren</translation>
    </message>
    <message>
        <source>Column temperature (°C)</source>
        <translation>Kolonnentemperatur (°C)</translation>
    </message>
    <message>
        <source>HOG (m)</source>
        <translation>HOG (m)</translation>
    </message>
    <message>
        <source>MTC (Colburn)</source>
        <translation>MTC (Colburn)</translation>
    </message>
    <message>
        <source>HOG (Colburn) (m)</source>
        <translation>HOG (Colburn) (m)</translation>
    </message>
    <message>
        <source>at each run&apos;s temperature (van &apos;t Hoff, 4200 K)</source>
        <translation>bei der Temperatur jedes Versuchs (van ’t Hoff, 4200 K)</translation>
    </message>
    <message>
        <source>as tabulated at 30 °C</source>
        <translation>wie tabelliert bei 30 °C</translation>
    </message>
    <message>
        <source>Colburn coefficient</source>
        <translation>Colburn-Koeffizient</translation>
    </message>
    <message>
        <source>Quillon&apos;s coefficient</source>
        <translation>Quillons Koeffizient</translation>
    </message>
    <message>
        <source>Column temperature</source>
        <translation>Kolonnentemperatur</translation>
    </message>
    <message>
        <source>%1 is not a column temperature. Type it in °C, above −273.15, or empty the cell for none.</source>
        <translation>%1 ist keine Kolonnentemperatur. Geben Sie sie in °C über −273,15 ein, oder leeren Sie die Zelle für keine.</translation>
    </message>
    <message>
        <source>Change the equilibrium</source>
        <translation>Gleichgewicht ändern</translation>
    </message>
    <message>
        <source>Edit a run&apos;s readings</source>
        <translation>Messwerte eines Versuchs bearbeiten</translation>
    </message>
    <message>
        <source>Edit a run&apos;s temperature</source>
        <translation>Temperatur eines Versuchs bearbeiten</translation>
    </message>
    <message>
        <source>Change the flow unit</source>
        <translation>Stromeinheit ändern</translation>
    </message>
</context>
<context>
    <name>RunsWindow</name>
    <message>
        <source>Save &amp;Report…</source>
        <translation>&amp;Bericht speichern…</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Versuche</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Save as C&amp;SV…</source>
        <translation>Als C&amp;SV speichern…</translation>
    </message>
    <message>
        <source>The one-page PDF report of the current run</source>
        <translation>Der einseitige PDF-Bericht des ausgewählten Versuchs</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>&amp;People:</source>
        <translation>&amp;Personen:</translation>
    </message>
    <message>
        <source>D&amp;ate:</source>
        <translation>D&amp;atum:</translation>
    </message>
    <message>
        <source>the day of the experiment</source>
        <translation>der Tag des Versuchs</translation>
    </message>
    <message>
        <source>&amp;Flow unit:</source>
        <translation>&amp;Stromeinheit:</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Notizen:</translation>
    </message>
    <message>
        <source>Run &amp;Uncertainties…</source>
        <translation>&amp;Unsicherheiten des Versuchs…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The current run&apos;s own standard uncertainties</source>
        <translation>Die eigenen Standardunsicherheiten des aktuellen Versuchs</translation>
    </message>
    <message>
        <source>Uncertainties: %v of %m runs</source>
        <translation>Unsicherheiten: %v von %m Versuchen</translation>
    </message>
    <message>
        <source>Standard uncertainties of every run&apos;s inputs, unless a run has its own; an empty field is none</source>
        <translation>Standardunsicherheiten der Eingaben jedes Versuchs, sofern ein Versuch keine eigenen hat; ein leeres Feld bedeutet keine</translation>
    </message>
    <message>
        <source>Standard uncertainties:</source>
        <translation>Standardunsicherheiten:</translation>
    </message>
    <message>
        <source>Uncertainties of run %1</source>
        <translation>Unsicherheiten von Versuch %1</translation>
    </message>
    <message>
        <source>The run&apos;s own standard uncertainties; an empty field takes the series&apos; value shown in it.</source>
        <translation>Die eigenen Standardunsicherheiten des Versuchs; ein leeres Feld übernimmt den darin gezeigten Wert der Messreihe.</translation>
    </message>
    <message>
        <source>Where the equilibrium points come from: the table at 30 °C, or its y* scaled by exp(4200 K · (1/303.15 K − 1/T)) to each run&apos;s column temperature</source>
        <translation>Woher die Gleichgewichtspunkte kommen: die Tabelle bei 30 °C oder ihr y*, mit exp(4200 K · (1/303,15 K − 1/T)) auf die Kolonnentemperatur jedes Versuchs umgerechnet</translation>
    </message>
    <message>
        <source>&amp;Equilibrium:</source>
        <translation>&amp;Gleichgewicht:</translation>
    </message>
    <message>
        <source>Readin&amp;gs…</source>
        <translation>&amp;Messwerte…</translation>
    </message>
    <message>
        <source>The current run&apos;s titration and meter readings</source>
        <translation>Titration und Zählerstände des gewählten Versuchs</translation>
    </message>
    <message>
        <source>Show the column &amp;temperature, HOG and Colburn columns</source>
        <translation>Spalten für Kolonnen&amp;temperatur, HOG und Colburn zeigen</translation>
    </message>
    <message>
        <source>Show the readings co&amp;lumns</source>
        <translation>Messwertspalten &amp;zeigen</translation>
    </message>
</context>
<context>
    <name>Saving</name>
    <message>
        <source>Not saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>%1 could not be saved:
%2</source>
        <translation>%1 konnte nicht gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Soll die Datei ersetzt werden?</translation>
    </message>
    <message>
        <source>%1 could not be made, so nothing was saved.</source>
        <translation>%1 konnte nicht erstellt werden; es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>The PDF report</source>
        <translation>Der PDF-Bericht</translation>
    </message>
    <message>
        <source>The table of runs</source>
        <translation>Die Tabelle der Versuche</translation>
    </message>
    <message>
        <source>The picture</source>
        <translation>Das Bild</translation>
    </message>
    <message>
        <source>The series report</source>
        <translation>Der Bericht der Messreihe</translation>
    </message>
    <message>
        <source>The uncertainties were not computed, so nothing was saved.</source>
        <translation>Die Unsicherheiten wurden nicht berechnet, daher wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Include a page per run</source>
        <translation>Eine Seite je Versuch anfügen</translation>
    </message>
</context>
<context>
    <name>Series</name>
    <message>
        <source>a string</source>
        <translation>ein Text</translation>
    </message>
    <message>
        <source>an array</source>
        <translation>eine Liste</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>ein Objekt</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>eine Zahl</translation>
    </message>
    <message>
        <source>an integer</source>
        <translation>eine ganze Zahl</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>column %1 has no name, ignored</source>
        <translation>Spalte %1 hat keinen Namen, übergangen</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; ignored: Quillon does not read it</source>
        <translation>Spalte „%1“ übergangen: Quillon liest sie nicht</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; ignored: it repeats %2</source>
        <translation>Spalte „%1“ übergangen: Sie wiederholt %2</translation>
    </message>
    <message>
        <source>skipped: blank line</source>
        <translation>übersprungen: leere Zeile</translation>
    </message>
    <message>
        <source>skipped: no values</source>
        <translation>übersprungen: keine Werte</translation>
    </message>
    <message>
        <source>skipped: %1 fields where the header has %2</source>
        <translation>übersprungen: %1 Felder, wo die Kopfzeile %2 hat</translation>
    </message>
    <message>
        <source>skipped: a line before the header</source>
        <translation>übersprungen: eine Zeile vor der Kopfzeile</translation>
    </message>
    <message>
        <source>skipped: no %1</source>
        <translation>übersprungen: %1 fehlt</translation>
    </message>
    <message>
        <source>skipped: %1 &quot;%2&quot; is not a number</source>
        <translation>übersprungen: %1 „%2“ ist keine Zahl</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot;, kept as it is</source>
        <translation>unbekannter Schlüssel „%1“, unverändert behalten</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in 1 run, kept as it is</source>
        <translation>unbekannter Schlüssel „%1“ in 1 Versuch, unverändert behalten</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in %2 runs, kept as it is</source>
        <translation>unbekannter Schlüssel „%1“ in %2 Versuchen, unverändert behalten</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in the results of 1 run, ignored: results are recomputed</source>
        <translation>unbekannter Schlüssel „%1“ in den Ergebnissen von 1 Versuch, übergangen: Ergebnisse werden neu berechnet</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in the results of %2 runs, ignored: results are recomputed</source>
        <translation>unbekannter Schlüssel „%1“ in den Ergebnissen von %2 Versuchen, übergangen: Ergebnisse werden neu berechnet</translation>
    </message>
    <message>
        <source>the file is empty; expected a header naming %1, %2, %3 and %4</source>
        <translation>die Datei ist leer; erwartet wird eine Kopfzeile mit %1, %2, %3 und %4</translation>
    </message>
    <message>
        <source>expected text in UTF-8 or Windows-1252; save the file as &quot;CSV UTF-8&quot;</source>
        <translation>erwartet wird Text in UTF-8 oder Windows-1252; speichern Sie die Datei als „CSV UTF-8“</translation>
    </message>
    <message>
        <source>not UTF-8; the file is read as Windows-1252 (Western European), as Excel saves CSV</source>
        <translation>nicht UTF-8; die Datei wird als Windows-1252 (westeuropäisch) gelesen, wie Excel CSV speichert</translation>
    </message>
    <message>
        <source>the header has no %5 column; expected columns %1, %2, %3 and %4</source>
        <translation>der Kopfzeile fehlt die Spalte %5; erwartet werden die Spalten %1, %2, %3 und %4</translation>
    </message>
    <message>
        <source>the header has no %5 columns; expected columns %1, %2, %3 and %4</source>
        <translation>der Kopfzeile fehlen die Spalten %5; erwartet werden die Spalten %1, %2, %3 und %4</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; %3</source>
        <translation>%1 „%2“ %3</translation>
    </message>
    <message>
        <source>no run in the file: every row was skipped, the first at line %1 (%2)</source>
        <translation>kein Versuch in der Datei: Jede Zeile wurde übersprungen, die erste in Zeile %1 (%2)</translation>
    </message>
    <message>
        <source>no run in the file: it has a header but no rows</source>
        <translation>kein Versuch in der Datei: Sie hat eine Kopfzeile, aber keine Zeilen</translation>
    </message>
    <message>
        <source>this quoted field is never closed; expected a &quot;</source>
        <translation>dieses Feld in Anführungszeichen wird nie geschlossen; erwartet wird ein &quot;</translation>
    </message>
    <message>
        <source>more than %1 rows; Quillon reads at most %1 rows of a CSV file</source>
        <translation>mehr als %1 Zeilen; Quillon liest höchstens %1 Zeilen einer CSV-Datei</translation>
    </message>
    <message>
        <source>more than %1 cells in a line; Quillon reads at most %1 columns</source>
        <translation>mehr als %1 Zellen in einer Zeile; Quillon liest höchstens %1 Spalten</translation>
    </message>
    <message>
        <source>a cell of more than %1 bytes; Quillon reads cells of at most 1 MiB</source>
        <translation>eine Zelle von mehr als %1 Bytes; Quillon liest Zellen von höchstens 1 MiB</translation>
    </message>
    <message>
        <source>has a space as a group separator; write it without one, as %1</source>
        <translation>hat ein Leerzeichen als Tausendertrennzeichen; schreiben Sie sie ohne, als %1</translation>
    </message>
    <message>
        <source>has an apostrophe as a group separator; write it without one, as %1</source>
        <translation>hat einen Apostroph als Tausendertrennzeichen; schreiben Sie sie ohne, als %1</translation>
    </message>
    <message>
        <source>has a comma as a group separator; write it without one, as %1</source>
        <translation>hat ein Komma als Tausendertrennzeichen; schreiben Sie sie ohne, als %1</translation>
    </message>
    <message>
        <source>has a point as a group separator; write it without one, as %1</source>
        <translation>hat einen Punkt als Tausendertrennzeichen; schreiben Sie sie ohne, als %1</translation>
    </message>
    <message>
        <source>has a point and a comma; write it without a group separator and with a decimal comma, as %1</source>
        <translation>hat einen Punkt und ein Komma; schreiben Sie sie ohne Tausendertrennzeichen und mit Dezimalkomma, als %1</translation>
    </message>
    <message>
        <source>has a point and a comma; write it without a group separator and with a decimal point, as %1</source>
        <translation>hat einen Punkt und ein Komma; schreiben Sie sie ohne Tausendertrennzeichen und mit Dezimalpunkt, als %1</translation>
    </message>
    <message>
        <source>could mean %1, and no other number in this file shows its decimal separator; write the one you mean</source>
        <translation>kann %1 bedeuten, und keine andere Zahl dieser Datei zeigt ihr Dezimaltrennzeichen; schreiben Sie die gemeinte</translation>
    </message>
    <message>
        <source>has a comma, but this file&apos;s numbers use a decimal point; write %1</source>
        <translation>hat ein Komma, aber die Zahlen dieser Datei haben einen Dezimalpunkt; schreiben Sie %1</translation>
    </message>
    <message>
        <source>has a point, but this file&apos;s numbers use a decimal comma; write %1</source>
        <translation>hat einen Punkt, aber die Zahlen dieser Datei haben ein Dezimalkomma; schreiben Sie %1</translation>
    </message>
    <message>
        <source>the file goes on past %1 bytes; Quillon reads files of at most 64 MiB</source>
        <translation>die Datei ist länger als %1 Bytes; Quillon liest Dateien von höchstens 64 MiB</translation>
    </message>
    <message>
        <source>more than %1 runs; Quillon reads at most %1 runs in a file</source>
        <translation>mehr als %1 Versuche; Quillon liest höchstens %1 Versuche aus einer Datei</translation>
    </message>
    <message>
        <source>syntax error: unexpected end of input</source>
        <translation>Syntaxfehler: Der Text endet unerwartet</translation>
    </message>
    <message>
        <source>syntax error: invalid literal; last read: &apos;%1&apos;</source>
        <translation>Syntaxfehler: ungültiges Wort; zuletzt gelesen: „%1“</translation>
    </message>
    <message>
        <source>syntax error: invalid string; last read: &apos;%1&apos;</source>
        <translation>Syntaxfehler: ungültiger Text; zuletzt gelesen: „%1“</translation>
    </message>
    <message>
        <source>syntax error: invalid number; last read: &apos;%1&apos;</source>
        <translation>Syntaxfehler: ungültige Zahl; zuletzt gelesen: „%1“</translation>
    </message>
    <message>
        <source>syntax error: unexpected &apos;%1&apos;</source>
        <translation>Syntaxfehler: unerwartetes „%1“</translation>
    </message>
    <message>
        <source>syntax error: unexpected value</source>
        <translation>Syntaxfehler: unerwarteter Wert</translation>
    </message>
    <message>
        <source>expected JSON text</source>
        <translation>erwartet wird JSON-Text</translation>
    </message>
    <message>
        <source>the number %1 is too large; expected a finite number</source>
        <translation>die Zahl %1 ist zu groß; erwartet wird eine endliche Zahl</translation>
    </message>
    <message>
        <source>more than %1 members in an object; Quillon reads at most %1</source>
        <translation>mehr als %1 Einträge in einem Objekt; Quillon liest höchstens %1</translation>
    </message>
    <message>
        <source>arrays and objects nested more than %1 deep; Quillon reads at most %1 levels</source>
        <translation>Listen und Objekte tiefer als %1 Ebenen verschachtelt; Quillon liest höchstens %1 Ebenen</translation>
    </message>
    <message>
        <source>a string of more than %1 bytes; Quillon reads strings of at most 1 MiB</source>
        <translation>ein Text von mehr als %1 Bytes; Quillon liest Texte von höchstens 1 MiB</translation>
    </message>
    <message>
        <source>expected an object with &quot;format&quot;, &quot;version&quot; and &quot;runs&quot;, found %1</source>
        <translation>erwartet wird ein Objekt mit „format“, „version“ und „runs“, gefunden: %1</translation>
    </message>
    <message>
        <source>expected &quot;quillon-series&quot; for &quot;format&quot;, found %1</source>
        <translation>erwartet wird „quillon-series“ für „format“, gefunden: %1</translation>
    </message>
    <message>
        <source>expected &quot;quillon-series&quot; for &quot;format&quot;, found no &quot;format&quot;</source>
        <translation>erwartet wird „quillon-series“ für „format“, aber „format“ fehlt</translation>
    </message>
    <message>
        <source>written by a newer Quillon (format version %1); this one reads version %2</source>
        <translation>von einem neueren Quillon geschrieben (Formatversion %1); dieses liest Version %2</translation>
    </message>
    <message>
        <source>expected format version %1, found %2</source>
        <translation>erwartet wird Formatversion %1, gefunden: %2</translation>
    </message>
    <message>
        <source>expected an object for a run, found %1</source>
        <translation>erwartet wird ein Objekt für einen Versuch, gefunden: %1</translation>
    </message>
    <message>
        <source>expected %1 for &quot;%2&quot;, found %3</source>
        <translation>erwartet wird %1 für „%2“, gefunden: %3</translation>
    </message>
    <message>
        <source>expected %1 for &quot;%2&quot;, but the file has no &quot;%2&quot;</source>
        <translation>erwartet wird %1 für „%2“, aber der Datei fehlt „%2“</translation>
    </message>
    <message>
        <source>expected %1 for &quot;%2&quot;, but the run has no &quot;%2&quot;</source>
        <translation>erwartet wird %1 für „%2“, aber dem Versuch fehlt „%2“</translation>
    </message>
    <message>
        <source>expected %1 for &quot;%2&quot;, but the results have no &quot;%2&quot;</source>
        <translation>erwartet wird %1 für „%2“, aber den Ergebnissen fehlt „%2“</translation>
    </message>
    <message>
        <source>expected completed, invalid_data, invalid_operation, division_by_zero or overflow for &quot;outcome&quot;, found %1</source>
        <translation>erwartet wird completed, invalid_data, invalid_operation, division_by_zero oder overflow für „outcome“, gefunden: %1</translation>
    </message>
    <message>
        <source>expected gas_flow_rel, water_flow_rel, y1, x1 or packing_height in &quot;uncertainty&quot;, found &quot;%1&quot;</source>
        <translation>erwartet wird gas_flow_rel, water_flow_rel, y1, x1 oder packing_height in „uncertainty“, gefunden: „%1“</translation>
    </message>
    <message>
        <source>expected an uncertainty of 0 or more for &quot;%1&quot;, found %2</source>
        <translation>erwartet wird eine Unsicherheit von 0 oder mehr für „%1“, gefunden: %2</translation>
    </message>
    <message>
        <source>no run has a coefficient</source>
        <translation>kein Versuch hat einen Koeffizienten</translation>
    </message>
    <message>
        <source>every run with a coefficient is excluded</source>
        <translation>jeder Versuch mit einem Koeffizienten ist ausgeschlossen</translation>
    </message>
    <message>
        <source>no run has positive flows and a positive coefficient</source>
        <translation>kein Versuch hat positive Ströme und einen positiven Koeffizienten</translation>
    </message>
    <message>
        <source>all runs have one gas flow and one water flow</source>
        <translation>alle Versuche haben denselben Gasstrom und denselben Wasserstrom</translation>
    </message>
    <message>
        <source>%1 runs are too few for %2 parameters: at least %3 are needed</source>
        <translation>%1 Versuche sind zu wenige für %2 Parameter: Es werden mindestens %3 gebraucht</translation>
    </message>
    <message>
        <source>the gas and water flows are collinear in logarithms</source>
        <translation>Gas- und Wasserstrom sind in den Logarithmen kollinear</translation>
    </message>
    <message>
        <source>the flows vary too little to fit an exponent</source>
        <translation>die Ströme ändern sich zu wenig, um einen Exponenten anzupassen</translation>
    </message>
    <message>
        <source>the logarithms of the runs cannot be fitted</source>
        <translation>die Logarithmen der Versuche lassen sich nicht anpassen</translation>
    </message>
    <message>
        <source>all runs have one gas flow</source>
        <translation>alle Versuche haben denselben Gasstrom</translation>
    </message>
    <message>
        <source>all runs have one water flow</source>
        <translation>alle Versuche haben denselben Wasserstrom</translation>
    </message>
    <message>
        <source>not computed</source>
        <translation>nicht berechnet</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>the run has no packing height</source>
        <translation>der Versuch hat keine Füllkörperhöhe</translation>
    </message>
    <message>
        <source>the run does not complete: %1</source>
        <translation>der Versuch wird nicht vollständig berechnet: %1</translation>
    </message>
    <message>
        <source>the driving force changes sign between the limits</source>
        <translation>die treibende Kraft wechselt zwischen den Grenzen das Vorzeichen</translation>
    </message>
    <message>
        <source>the run has no coefficient</source>
        <translation>der Versuch hat keinen Koeffizienten</translation>
    </message>
    <message>
        <source>no input has an uncertainty</source>
        <translation>keine Eingabe hat eine Unsicherheit</translation>
    </message>
    <message>
        <source>the coefficient has no value on either side of an input</source>
        <translation>der Koeffizient hat auf keiner Seite einer Eingabe einen Wert</translation>
    </message>
    <message>
        <source>the model has no value for %1 of %2 draws, more than 1 %</source>
        <translation>das Modell hat für %1 von %2 Ziehungen keinen Wert, mehr als 1 %</translation>
    </message>
    <message>
        <source>no draw was made within the largest number of draws</source>
        <translation>innerhalb der größten Zahl von Ziehungen wurde keine Ziehung gemacht</translation>
    </message>
    <message>
        <source>gas_flow</source>
        <translation>Gasstrom</translation>
    </message>
    <message>
        <source>water_flow</source>
        <translation>Wasserstrom</translation>
    </message>
    <message>
        <source>packing_height</source>
        <translation>Packungshöhe</translation>
    </message>
    <message>
        <source>label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>the reading &quot;%1&quot; must be greater than 0</source>
        <translation>der Messwert „%1“ muss größer als 0 sein</translation>
    </message>
    <message>
        <source>the reading &quot;%1&quot; must be 0 or more</source>
        <translation>der Messwert „%1“ muss 0 oder größer sein</translation>
    </message>
    <message>
        <source>the acid to the end point is less than the blank; type the blank&apos;s volume or 0</source>
        <translation>der Säureverbrauch bis zum Endpunkt ist kleiner als der Blindwert; geben Sie das Volumen des Blindwerts oder 0 ein</translation>
    </message>
    <message>
        <source>the base titrated all the acid added or more; check the back-titration&apos;s volumes</source>
        <translation>die Base hat die gesamte vorgelegte Säure oder mehr titriert; prüfen Sie die Volumina der Rücktitration</translation>
    </message>
    <message>
        <source>a back-titration needs both the base&apos;s molarity and its volume to the end point; give both, or neither for a direct titration</source>
        <translation>eine Rücktitration braucht die Laugenkonzentration und den Laugenverbrauch bis zum Endpunkt, beide; geben Sie beide an oder keinen für eine direkte Titration</translation>
    </message>
    <message>
        <source>protons per acid molecule must be 1 (HCl), 2 (H2SO4) or 3, not %1</source>
        <translation>Protonen je Säuremolekül müssen 1 (HCl), 2 (H2SO4) oder 3 sein, nicht %1</translation>
    </message>
    <message>
        <source>the temperature &quot;%1&quot; must lie between 0 and 150 °C</source>
        <translation>die Temperatur „%1“ muss zwischen 0 und 150 °C liegen</translation>
    </message>
    <message>
        <source>the NH3 found would weigh as much as the sample; check the titration</source>
        <translation>das gefundene NH3 wöge so viel wie die Probe; prüfen Sie die Titration</translation>
    </message>
    <message>
        <source>a calibration table needs at least two rows</source>
        <translation>eine Kalibriertabelle braucht mindestens zwei Zeilen</translation>
    </message>
    <message>
        <source>row %1 of the calibration table must have a higher reading and flow than the row before</source>
        <translation>Zeile %1 der Kalibriertabelle muss einen höheren Skalenwert und Durchfluss haben als die Zeile davor</translation>
    </message>
    <message>
        <source>the reading lies outside its meter&apos;s calibration table</source>
        <translation>der Messwert liegt außerhalb der Kalibriertabelle seines Zählers</translation>
    </message>
    <message>
        <source>the flow unit &quot;%1&quot; is a label only; choose mol/s, mmol/s, mol/min, mol/h or kmol/h for flows from readings</source>
        <translation>die Durchflusseinheit „%1“ ist nur eine Beschriftung; wählen Sie mol/s, mmol/s, mol/min, mol/h oder kmol/h für Ströme aus Messwerten</translation>
    </message>
    <message>
        <source>an NH3 meter needs an air meter to give y1</source>
        <translation>ein NH3-Zähler braucht einen Luftzähler, um y1 zu ergeben</translation>
    </message>
    <message>
        <source>expected L/min, L/h, m3/h, mL/min or kg/h as a meter&apos;s unit, found &quot;%1&quot;</source>
        <translation>erwartet L/min, L/h, m3/h, mL/min oder kg/h als Einheit eines Zählers, gefunden „%1“</translation>
    </message>
    <message>
        <source>unknown key &quot;%1&quot; in a run&apos;s readings</source>
        <translation>unbekannter Schlüssel „%1“ in den Messwerten eines Versuchs</translation>
    </message>
    <message>
        <source>expected %2 for &quot;%1&quot; of &quot;equilibrium&quot;, found %3</source>
        <translation>erwartet wird %2 für „%1“ in „equilibrium“, gefunden: %3</translation>
    </message>
    <message>
        <source>the runs&apos; flows converted from %1 to the series&apos; %2</source>
        <translation>die Ströme der Versuche von %1 in die Einheit der Messreihe, %2, umgerechnet</translation>
    </message>
    <message>
        <source>the runs&apos; flows are in &quot;%1&quot;, the series&apos; in &quot;%2&quot;: taken as they are, as one of them names no unit Quillon converts</source>
        <translation>die Ströme der Versuche sind in „%1“, die der Messreihe in „%2“: unverändert übernommen, da eine davon keine Einheit ist, die Quillon umrechnet</translation>
    </message>
    <message>
        <source>run %1</source>
        <translation>Versuch %1</translation>
    </message>
</context>
<context>
    <name>SeriesChart</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 ± %2 (95 %: %3 to %4)</source>
        <translation>%1 ± %2 (95 %: %3 bis %4)</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>not in the fit</source>
        <translation>nicht in der Anpassung</translation>
    </message>
    <message>
        <source>%1/m³</source>
        <translation>%1/m³</translation>
    </message>
    <message>
        <source>Gas flow G</source>
        <translation>Gasstrom G</translation>
    </message>
    <message>
        <source>Water flow L</source>
        <translation>Wasserstrom L</translation>
    </message>
    <message>
        <source>Mass-transfer coefficient</source>
        <translation>Stoffübergangskoeffizient</translation>
    </message>
    <message>
        <source>No fit: %1.</source>
        <translation>Keine Anpassung: %1.</translation>
    </message>
    <message>
        <source>Runs in the analysis: %1 of %2 with a coefficient.</source>
        <translation>Versuche in der Auswertung: %1 von %2 mit einem Koeffizienten.</translation>
    </message>
    <message>
        <source>MTC = a</source>
        <translation>MTC = a</translation>
    </message>
    <message>
        <source> · G^m</source>
        <translation> · G^m</translation>
    </message>
    <message>
        <source> · L^n</source>
        <translation> · L^n</translation>
    </message>
    <message>
        <source>a = %1</source>
        <translation>a = %1</translation>
    </message>
    <message>
        <source>m (gas flow) = %1</source>
        <translation>m (Gasstrom) = %1</translation>
    </message>
    <message>
        <source>n (water flow) = %1</source>
        <translation>n (Wasserstrom) = %1</translation>
    </message>
    <message>
        <source>m (gas flow)</source>
        <translation>m (Gasstrom)</translation>
    </message>
    <message>
        <source>n (water flow)</source>
        <translation>n (Wasserstrom)</translation>
    </message>
    <message>
        <source>%1 left out: %2.</source>
        <translation>%1 weggelassen: %2.</translation>
    </message>
    <message>
        <source>R² = %1 (of ln MTC); residual SD %2</source>
        <translation>R² = %1 (von ln MTC); Reststandardabweichung %2</translation>
    </message>
    <message>
        <source>Runs used: %1 of %2 with a coefficient%3.</source>
        <translation>Verwendete Versuche: %1 von %2 mit einem Koeffizienten%3.</translation>
    </message>
    <message>
        <source>, weighted by their uncertainties</source>
        <translation>, gewichtet nach ihren Unsicherheiten</translation>
    </message>
    <message>
        <source>G and L in %1, MTC in %1/m³.</source>
        <translation>G und L in %1, MTC in %1/m³.</translation>
    </message>
    <message>
        <source>Unweighted because no run has an uncertainty.</source>
        <translation>Ungewichtet, weil kein Versuch eine Unsicherheit hat.</translation>
    </message>
    <message>
        <source>Unweighted because run %1 has no uncertainty.</source>
        <translation>Ungewichtet, weil Versuch %1 keine Unsicherheit hat.</translation>
    </message>
    <message>
        <source>Unweighted because runs %1 and %2 have no uncertainty.</source>
        <translation>Ungewichtet, weil die Versuche %1 und %2 keine Unsicherheit haben.</translation>
    </message>
    <message>
        <source>Unweighted because run %1 and %2 more runs have no uncertainty.</source>
        <translation>Ungewichtet, weil Versuch %1 und %2 weitere Versuche keine Unsicherheit haben.</translation>
    </message>
    <message>
        <source>Unweighted because the uncertainties are those of Quillon&apos;s coefficient.</source>
        <translation>Ungewichtet, weil die Unsicherheiten die von Quillons Koeffizient sind.</translation>
    </message>
    <message>
        <source>MTC (Colburn) = a</source>
        <translation>MTC (Colburn) = a</translation>
    </message>
    <message>
        <source>The weighted fit waits for the uncertainties: %1 of %2 runs done.</source>
        <translation>Die gewichtete Anpassung wartet auf die Unsicherheiten: %1 von %2 Versuchen fertig.</translation>
    </message>
    <message>
        <source>%1 water flows</source>
        <translation>%1 Wasserströme</translation>
    </message>
    <message>
        <source>%1 gas flows</source>
        <translation>%1 Gasströme</translation>
    </message>
    <message>
        <source>Mass-transfer coefficient (Colburn)</source>
        <translation>Stoffübergangskoeffizient (Colburn)</translation>
    </message>
</context>
<context>
    <name>SeriesFiles</name>
    <message>
        <source>Inputs taken from the readings</source>
        <translation>Eingaben aus den Ablesungen übernommen</translation>
    </message>
    <message>
        <source>The inputs stored in %1 differ from those their readings give for run(s) %2: the file was edited, or written by another version. The runs take the inputs their readings give.</source>
        <translation>Die in %1 gespeicherten Eingaben weichen für Versuch(e) %2 von denen ab, die ihre Ablesungen ergeben: Die Datei wurde bearbeitet oder von einer anderen Version geschrieben. Die Versuche nehmen die Eingaben, die ihre Ablesungen ergeben.</translation>
    </message>
    <message>
        <source>Results recomputed</source>
        <translation>Ergebnisse neu berechnet</translation>
    </message>
    <message>
        <source>The results stored in %1 differ from those Quillon computes now for run(s) %2: the file was edited, or written by another version. The runs show the results computed now.</source>
        <translation>Die in %1 gespeicherten Ergebnisse weichen für Versuch(e) %2 von denen ab, die Quillon jetzt berechnet: Die Datei wurde bearbeitet oder von einer anderen Version geschrieben. Die Versuche zeigen die jetzt berechneten Ergebnisse.</translation>
    </message>
    <message>
        <source>… and %1 more.</source>
        <translation>… und %1 weitere.</translation>
    </message>
    <message>
        <source>Read with notes</source>
        <translation>Mit Hinweisen gelesen</translation>
    </message>
    <message>
        <source>Computing the runs…</source>
        <translation>Die Versuche werden berechnet …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Not opened</source>
        <translation>Nicht geöffnet</translation>
    </message>
    <message>
        <source>%1 could not be opened:
%2</source>
        <translation>%1 konnte nicht geöffnet werden:
%2</translation>
    </message>
    <message>
        <source>%1 is not a series Quillon can read:
%2</source>
        <translation>%1 ist keine Messreihe, die Quillon lesen kann:
%2</translation>
    </message>
    <message>
        <source>Computing the uncertainties…</source>
        <translation>Die Unsicherheiten werden berechnet…</translation>
    </message>
</context>
<context>
    <name>SeriesPdf</name>
    <message>
        <source>not completed: invalid data</source>
        <translation>nicht abgeschlossen: ungültige Daten</translation>
    </message>
    <message>
        <source>not completed: invalid operation</source>
        <translation>nicht abgeschlossen: ungültige Operation</translation>
    </message>
    <message>
        <source>not completed: division by zero</source>
        <translation>nicht abgeschlossen: Division durch null</translation>
    </message>
    <message>
        <source>not completed: overflow</source>
        <translation>nicht abgeschlossen: Überlauf</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Seite %1</translation>
    </message>
    <message>
        <source>Untitled series</source>
        <translation>Unbenannte Messreihe</translation>
    </message>
    <message>
        <source>NH3 absorption in a packed column: %1</source>
        <translation>NH3-Absorption in einer Füllkörperkolonne: %1</translation>
    </message>
    <message>
        <source>People</source>
        <translation>Personen</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Flow unit</source>
        <translation>Stromeinheit</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Versuch</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>y1</source>
        <translation>y1</translation>
    </message>
    <message>
        <source>x1</source>
        <translation>x1</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>z (m)</source>
        <translation>z (m)</translation>
    </message>
    <message>
        <source>y2</source>
        <translation>y2</translation>
    </message>
    <message>
        <source>NTU</source>
        <translation>NTU</translation>
    </message>
    <message>
        <source>NTU C</source>
        <translation>NTU C</translation>
    </message>
    <message>
        <source>MTC</source>
        <translation>MTC</translation>
    </message>
    <message>
        <source>U (k = 2)</source>
        <translation>U (k = 2)</translation>
    </message>
    <message>
        <source>Runs</source>
        <translation>Versuche</translation>
    </message>
    <message>
        <source>G and L in %1, MTC and U in %1/m³. </source>
        <translation>G und L in %1, MTC und U in %1/m³. </translation>
    </message>
    <message>
        <source>NTU C is the NTU by the Colburn equation. U is the expanded uncertainty of the coefficient (Monte Carlo, k = 2). Runs marked &quot;out&quot; are not in the fit: excluded, or with findings.</source>
        <translation>NTU C ist die NTU nach der Colburn-Gleichung. U ist die erweiterte Unsicherheit des Koeffizienten (Monte Carlo, k = 2). Mit „aus“ markierte Versuche sind nicht in der Anpassung: ausgeschlossen oder mit Befunden.</translation>
    </message>
    <message>
        <source>out</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>findings</source>
        <translation>Befunde</translation>
    </message>
    <message>
        <source>Run %1: %2</source>
        <translation>Versuch %1: %2</translation>
    </message>
    <message>
        <source>How the coefficient depends on the flows</source>
        <translation>Wie der Koeffizient von den Strömen abhängt</translation>
    </message>
    <message>
        <source>The fit</source>
        <translation>Die Anpassung</translation>
    </message>
    <message>
        <source>The power law MTC = a · G^m · L^n is fitted by least squares to ln MTC = ln a + m ln G + n ln L over the runs in the analysis (not excluded, and without findings unless taken in), by a column-pivoting QR decomposition. Where every such run has an uncertainty, each is weighted by 1 / u(ln MTC)². The 95 % intervals are the estimates ± t · standard error, t the Student quantile at the residual degrees of freedom. An exponent whose flow has one value in every run is left out; flows within 1e-9 relative count as one value.</source>
        <translation>Das Potenzgesetz MTC = a · G^m · L^n wird nach der Methode der kleinsten Quadrate an ln MTC = ln a + m ln G + n ln L über die Versuche der Auswertung angepasst (nicht ausgeschlossen und ohne Befunde, sofern nicht aufgenommen), mit einer QR-Zerlegung mit Spaltenpivotisierung. Hat jeder solche Versuch eine Unsicherheit, wird jeder mit 1 / u(ln MTC)² gewichtet. Die 95-%-Intervalle sind die Schätzwerte ± t · Standardfehler, t das Student-Quantil bei den Freiheitsgraden der Residuen. Ein Exponent, dessen Strom in jedem Versuch nur einen Wert hat, wird weggelassen; Ströme, die sich relativ um höchstens 1e-9 unterscheiden, gelten als ein Wert.</translation>
    </message>
    <message>
        <source>Quillon series</source>
        <translation>Quillon-Messreihe</translation>
    </message>
    <message>
        <source>%1 No U for run %2: %3.</source>
        <translation>%1 Kein U für Versuch %2: %3.</translation>
    </message>
    <message>
        <source>%1 No U for runs %2: %3.</source>
        <translation>%1 Kein U für die Versuche %2: %3.</translation>
    </message>
    <message>
        <source>HOG (m)</source>
        <translation>HOG (m)</translation>
    </message>
    <message>
        <source>MTC C</source>
        <translation>MTC C</translation>
    </message>
    <message>
        <source>HOG is the height of a transfer unit, z / NTU; MTC C the coefficient from NTU C.</source>
        <translation>HOG ist die Höhe einer Übertragungseinheit, z / NTU; MTC C der Koeffizient aus NTU C.</translation>
    </message>
    <message>
        <source>T (°C)</source>
        <translation>T (°C)</translation>
    </message>
    <message>
        <source>HOG C (m)</source>
        <translation>HOG C (m)</translation>
    </message>
    <message>
        <source>T is the run&apos;s column temperature; HOG C is z / NTU C. Inputs the readings give are shown to 5 significant digits.</source>
        <translation>T ist die Kolonnentemperatur des Versuchs; HOG C ist z / NTU C. Eingaben aus Messwerten sind auf 5 signifikante Stellen gezeigt.</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Method and Data</source>
        <translation>&amp;Methode und Daten</translation>
    </message>
    <message>
        <source>&amp;About Quillon</source>
        <translation>Ü&amp;ber Quillon</translation>
    </message>
    <message>
        <source>&amp;Report</source>
        <translation>&amp;Bericht</translation>
    </message>
    <message>
        <source>Show &amp;Runs</source>
        <translation>&amp;Versuche anzeigen</translation>
    </message>
    <message>
        <source>&amp;Copy Run</source>
        <translation>Versuch &amp;kopieren</translation>
    </message>
    <message>
        <source>Save Report as &amp;PDF…</source>
        <translation>Bericht als &amp;PDF speichern…</translation>
    </message>
    <message>
        <source>&amp;Export Runs as CSV…</source>
        <translation>Versuche als CSV &amp;exportieren…</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Series</source>
        <translation>&amp;Neue Messreihe</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen …</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Speichern &amp;unter …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>%1[*] — %2</source>
        <translation>%1[*] — %2</translation>
    </message>
    <message>
        <source>The series has changes that are not saved.
Do you want to save them?</source>
        <translation>Die Messreihe hat ungespeicherte Änderungen.
Sollen sie gespeichert werden?</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Series and CSV files (*.quillon *.csv);;Quillon series (*.quillon);;CSV files (*.csv)</source>
        <translation>Messreihen und CSV-Dateien (*.quillon *.csv);;Quillon-Messreihen (*.quillon);;CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Quillon series (*.quillon)</source>
        <translation>Quillon-Messreihen (*.quillon)</translation>
    </message>
    <message>
        <source>Show Series &amp;Analysis</source>
        <translation>&amp;Auswertung der Messreihe anzeigen</translation>
    </message>
    <message>
        <source>Save &amp;Series Report as PDF…</source>
        <translation>Bericht der &amp;Messreihe als PDF speichern…</translation>
    </message>
    <message>
        <source>&amp;Import Runs…</source>
        <translation>Versuche &amp;importieren …</translation>
    </message>
    <message>
        <source>Import Runs</source>
        <translation>Versuche importieren</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>B&amp;earbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Delete Runs</source>
        <translation>Versuche &amp;löschen</translation>
    </message>
    <message>
        <source>Select &amp;All Runs</source>
        <translation>&amp;Alle Versuche auswählen</translation>
    </message>
    <message>
        <source>Open Se&amp;veral…</source>
        <translation>&amp;Mehrere öffnen …</translation>
    </message>
    <message>
        <source>Open Several</source>
        <translation>Mehrere öffnen</translation>
    </message>
</context>
<context>
    <name>UncertaintyFields</name>
    <message>
        <source>&amp;Gas flow (rel.)</source>
        <translation>&amp;Gasstrom (rel.)</translation>
    </message>
    <message>
        <source>&amp;Water flow (rel.)</source>
        <translation>Wass&amp;erstrom (rel.)</translation>
    </message>
    <message>
        <source>y&amp;1</source>
        <translation>y&amp;1</translation>
    </message>
    <message>
        <source>&amp;x1</source>
        <translation>&amp;x1</translation>
    </message>
    <message>
        <source>&amp;Height (m)</source>
        <translation>&amp;Höhe (m)</translation>
    </message>
    <message>
        <source>Standard uncertainty of the gas flow, relative: %1 for 2 %</source>
        <translation>Standardunsicherheit des Gasstroms, relativ: %1 für 2 %</translation>
    </message>
    <message>
        <source>Standard uncertainty of the water flow, relative: %1 for 2 %</source>
        <translation>Standardunsicherheit des Wasserstroms, relativ: %1 für 2 %</translation>
    </message>
    <message>
        <source>Not an uncertainty</source>
        <translation>Keine Unsicherheit</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an uncertainty: give a number of 0 or more, or leave the field empty.</source>
        <translation>„%1“ ist keine Unsicherheit: Geben Sie eine Zahl ab 0 an oder lassen Sie das Feld leer.</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <source>Series</source>
        <translation>Messreihe</translation>
    </message>
    <message>
        <source>Uncertainty of the coefficient</source>
        <translation>Unsicherheit des Koeffizienten</translation>
    </message>
    <message>
        <source>First order (GUM)</source>
        <translation>Erste Ordnung (GUM)</translation>
    </message>
    <message>
        <source>Monte Carlo</source>
        <translation>Monte Carlo</translation>
    </message>
    <message>
        <source>Not given: %1</source>
        <translation>Nicht angegeben: %1</translation>
    </message>
    <message>
        <source>The run has no coefficient yet: use Find MTC first.</source>
        <translation>Der Versuch hat noch keinen Koeffizienten: zuerst K ermitteln verwenden.</translation>
    </message>
    <message>
        <source>Coefficient %1, standard uncertainty %2</source>
        <translation>Koeffizient %1, Standardunsicherheit %2</translation>
    </message>
    <message>
        <source>NTU %1, standard uncertainty %2</source>
        <translation>NTU %1, Standardunsicherheit %2</translation>
    </message>
    <message>
        <source>95 % interval %1 to %2, %3 draws</source>
        <translation>95-%-Intervall %1 bis %2, %3 Ziehungen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Select run %1</source>
        <translation>Versuch %1 auswählen</translation>
    </message>
    <message>
        <source>Print Report</source>
        <translation>Bericht drucken</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Uncertainties not computed</source>
        <translation>Unsicherheiten nicht berechnet</translation>
    </message>
    <message>
        <source>The uncertainties could not be computed: %1</source>
        <translation>Die Unsicherheiten konnten nicht berechnet werden: %1</translation>
    </message>
    <message>
        <source>the computing in the background could not start</source>
        <translation>die Berechnung im Hintergrund konnte nicht starten</translation>
    </message>
    <message>
        <source>its computing failed</source>
        <translation>ihre Berechnung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Computing the uncertainties was cancelled.</source>
        <translation>Die Berechnung der Unsicherheiten wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>A series that was not saved is kept from %1: %2.</source>
        <translation>Eine Messreihe, die nicht gespeichert wurde, ist vom %1 aufbewahrt: %2.</translation>
    </message>
    <message>
        <source>The series was handed over as a download, but the browser could not keep a copy of it (%1). It stays marked as not saved: check that the download arrived before you discard it.</source>
        <translation>Die Messreihe wurde als Download übergeben, aber der Browser konnte keine Kopie davon aufbewahren (%1). Sie bleibt als nicht gespeichert markiert: Prüfen Sie, ob der Download angekommen ist, bevor Sie sie verwerfen.</translation>
    </message>
    <message>
        <source>Works offline once loaded; nothing you type or open leaves this computer.</source>
        <translation>Funktioniert nach dem Laden ohne Netz; nichts, was Sie eingeben oder öffnen, verlässt diesen Computer.</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <source>Show the readings columns</source>
        <translation>Messwertspalten zeigen</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>Einheit</translation>
    </message>
    <message>
        <source>T (°C)</source>
        <translation>T (°C)</translation>
    </message>
    <message>
        <source>HOG C (m)</source>
        <translation>HOG C (m)</translation>
    </message>
    <message>
        <source>HOG C is the HOG from NTU C; T the column temperature in °C.</source>
        <translation>HOG C ist die HOG aus NTU C; T die Kolonnentemperatur in °C.</translation>
    </message>
</context>
</TS>
