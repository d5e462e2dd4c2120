<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- The English plural forms of the counted texts; every other text reads as written. -->
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>CleanConfirmation</name>
    <message numerus="yes">
        <source>Permanently delete %n item(s) (%1)?</source>
        <translation>
            <numerusform>Permanently delete %n item (%1)?</numerusform>
            <numerusform>Permanently delete %n items (%1)?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ModuleTexts</name>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n item</numerusform>
            <numerusform>%n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) selected</source>
        <translation>
            <numerusform>%n item selected</numerusform>
            <numerusform>%n items selected</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n couldn&apos;t be removed because they&apos;re in use.</source>
        <translation>
            <numerusform>%n couldn&apos;t be removed because they&apos;re in use.</numerusform>
            <numerusform>%n couldn&apos;t be removed because they&apos;re in use.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n item(s).</source>
        <translation>
            <numerusform>Put back %n item.</numerusform>
            <numerusform>Put back %n items.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n couldn&apos;t go back because something else is at its place now.</source>
        <translation>
            <numerusform>%n couldn&apos;t go back because something else is at its place now.</numerusform>
            <numerusform>%n couldn&apos;t go back because something else is at their places now.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n couldn&apos;t go back because it&apos;s no longer in the Trash.</source>
        <translation>
            <numerusform>%n couldn&apos;t go back because it&apos;s no longer in the Trash.</numerusform>
            <numerusform>%n couldn&apos;t go back because they&apos;re no longer in the Trash.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HomeTexts</name>
    <message numerus="yes">
        <source>%n item(s) was in use and got skipped.</source>
        <translation>
            <numerusform>%n item was in use and got skipped.</numerusform>
            <numerusform>%n items were in use and got skipped.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HomeHeader</name>
    <message numerus="yes">
        <source>%n item(s) couldn&apos;t be put back: something else is at their place now, or they left the Trash.</source>
        <translation>
            <numerusform>%n item couldn&apos;t be put back: something else is at its place now, or it left the Trash.</numerusform>
            <numerusform>%n items couldn&apos;t be put back: something else is at their places now, or they left the Trash.</numerusform>
        </translation>
    </message>
</context>
</TS>
