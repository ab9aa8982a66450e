<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>About</name>
    <message>
        <source>About Quillon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Quillon %1&lt;/h3&gt;&lt;p&gt;A calculator for a laboratory packed-bed absorber in which ammonia is absorbed from air into water.&lt;/p&gt;&lt;p&gt;Licence: proprietary; all rights reserved.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Quillon NH3 Absorber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit Operations Laboratory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All rights reserved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This Software is intended for use on the Gas Absorption Equipment at Veradon University College of Engineering Unit Operations Laboratory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This software assumes that the H20 is not recycled and that the entering H20 does not contain any NH3. This is Designed for Dilute Gas Mixtures </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gas Inlet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gas Flowrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%NH3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gas Inlet %NH3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Water Inlet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H20 Flowrate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mole Fraction of NH3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%NH3 at Air Outlet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NTU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>K- Calculator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height of Packing (meters)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find MTC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mass Transfer Coefficient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Water Outlet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Water Outlet %NH3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NH3 mole fraction, not a percentage: %1 for 2 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Graphin!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Operating Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Equilibrium Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Graph thingy of the equilibrium line and operating line...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MethodWindow</name>
    <message>
        <source>Method and Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h2&gt;What Quillon computes&lt;/h2&gt;&lt;h3&gt;The inputs&lt;/h3&gt;&lt;p&gt;Both compositions are NH3 mole fractions, not percentages: type %1 for 2 % NH3. y1 is the fraction in the entering gas and x1 the fraction in the leaving water. The flow rates carry no unit: only the ratio of gas flow to water flow enters the balance, and Find MTC uses the gas flow itself. The height of packing is in metres.&lt;/p&gt;&lt;h3&gt;Calculate&lt;/h3&gt;&lt;p&gt;The run is refused unless y1, x1 and both flows differ from 0, y1 is at most 0.3 and x1 is less than 1. The equilibrium point (x*, y*) is the first row of the table below whose x is greater than y1 (the last row for y1 from 0.297 to 0.3); its slope is m = y*/x*.&lt;/p&gt;&lt;p&gt;The NH3 balance over the column, in mole ratios, gives the leaving-gas fraction:&lt;br&gt;Y2 = y1/(1 − y1) − x1/(1 − x1) · L/G, &amp;nbsp; y2 = Y2/(Y2 + 1),&lt;br&gt;with L the water flow and G the gas flow. The run is refused unless y2, rounded to 4 decimals, lies strictly between 0 and 1.&lt;/p&gt;&lt;p&gt;The number of transfer units is a left-end rectangle sum over 1,000,000 equal steps between the limits 29/17 · y2 and 29/17 · y1 (29/17 is the ratio of the molar masses of air and NH3):&lt;br&gt;NTU = Σ |Δ / ((1 − (G/L)·f) · Y + 29/17 · y2 · f)|, &amp;nbsp; f = 1 − m · G/L,&lt;br&gt;an approximation of the integral of dY over the driving force with the equilibrium line taken as straight through the origin.&lt;/p&gt;&lt;h3&gt;Find MTC&lt;/h3&gt;&lt;p&gt;The mass-transfer coefficient is K = NTU · G / (z · A), with z the height of packing and A = 0.05² × 3.1416 m² the cross-section of the laboratory column. It needs a height, an NTU and a gas flow all greater than 0, from the last completed Calculate.&lt;/p&gt;&lt;h3&gt;Assumptions&lt;/h3&gt;&lt;p&gt;The gas mixture is dilute, the entering water holds no NH3, and the water is not recycled.&lt;/p&gt;&lt;h3&gt;Equilibrium data&lt;/h3&gt;&lt;p&gt;NH3 partial pressures over aqueous ammonia at 30 °C, converted to gas mole fractions as y* = p / 760 mmHg.&lt;/p&gt;&lt;table cellspacing=0 cellpadding=3 border=1&gt;&lt;tr&gt;&lt;th&gt;Row&lt;/th&gt;&lt;th&gt;x&lt;/th&gt;&lt;th&gt;y*&lt;/th&gt;&lt;/tr&gt;%2&lt;/table&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Method and Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Quillon</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
